#include "authoring/colorswatchbox.h"

#include "shell/colorref.h"

#include <QPainter>
#include <QStylePainter>
#include <QStyledItemDelegate>

namespace authoring {

namespace {

constexpr int kColorRefRole = Qt::UserRole;

// The colour names the swatch lists offer, with the colour references they stand for
// (0x00BBGGRR; 0x80000008 is the system's window text colour).
struct NamedColor
{
    const char* name;
    quint32 ref;
};
constexpr NamedColor kNamedColors[] = {
    {"clWindowText", 0x80000008}, {"clBlack", 0x000000},  {"clMaroon", 0x000080},  {"clGreen", 0x008000},
    {"clOlive", 0x008080},        {"clNavy", 0x800000},   {"clPurple", 0x800080},  {"clTeal", 0x808000},
    {"clGray", 0x808080},         {"clSilver", 0xC0C0C0}, {"clRed", 0x0000FF},     {"clLime", 0x00FF00},
    {"clYellow", 0x00FFFF},       {"clBlue", 0xFF0000},   {"clFuchsia", 0xFF00FF}, {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},
};

bool NamedColorRef(const QString& name, quint32& ref)
{
    for (const NamedColor& color : kNamedColors) {
        if (name.compare(QLatin1String(color.name), Qt::CaseInsensitive) == 0) {
            ref = color.ref;
            return true;
        }
    }
    return false;
}

class SwatchDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const bool selected = option.state & QStyle::State_Selected;
        painter->fillRect(option.rect, option.palette.brush(selected ? QPalette::Highlight : QPalette::Base));
        const QVariant ref = index.data(kColorRefRole);
        if (ref.isValid())
            painter->fillRect(ColorSwatchBox::SwatchRect(option.rect), shell::ColorRefToQColor(ref.toUInt()));
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(std::max(size.height(), 18));
        return size;
    }
};

} // namespace

ColorSwatchBox::ColorSwatchBox(QWidget* parent) : QComboBox(parent)
{
    setItemDelegate(new SwatchDelegate(this));
    setMinimumWidth(90);
}

QRect ColorSwatchBox::SwatchRect(const QRect& itemRect)
{
    return itemRect.adjusted(2 + 3, 2, -2, -2);
}

void ColorSwatchBox::setColorNames(const QStringList& names)
{
    for (const QString& name : names) {
        quint32 ref = 0;
        if (!NamedColorRef(name, ref))
            continue;
        addItem(QString());
        setItemData(count() - 1, ref, kColorRefRole);
        setItemData(count() - 1, name, Qt::ToolTipRole);
        setItemData(count() - 1, name, Qt::AccessibleTextRole);
    }
}

std::optional<quint32> ColorSwatchBox::colorRefAt(int index) const
{
    const QVariant ref = itemData(index < 0 ? currentIndex() : index, kColorRefRole);
    if (!ref.isValid())
        return std::nullopt;
    return ref.toUInt();
}

void ColorSwatchBox::selectColor(const std::optional<QColor>& color)
{
    if (color) {
        for (int i = 0; i < count(); ++i) {
            if (shell::ColorRefToQColor(*colorRefAt(i)).rgb() == color->rgb()) {
                setCurrentIndex(i);
                return;
            }
        }
    }
    setCurrentIndex(-1);
}

void ColorSwatchBox::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    painter.fillRect(field, palette().brush(QPalette::Base));
    if (const auto ref = colorRefAt())
        painter.fillRect(SwatchRect(field), shell::ColorRefToQColor(*ref));
}

} // namespace authoring
