#include "platform/fontcolordialog.h"

#include "platform/fonts.h"

#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace platform {

namespace {

struct NamedColor
{
    const char* name;
    QRgb rgb;
};

constexpr NamedColor kBasicColors[] = {
    {"Black", 0x000000},  {"Maroon", 0x800000}, {"Green", 0x008000},   {"Olive", 0x808000},
    {"Navy", 0x000080},   {"Purple", 0x800080}, {"Teal", 0x008080},    {"Gray", 0x808080},
    {"Silver", 0xC0C0C0}, {"Red", 0xFF0000},    {"Lime", 0x00FF00},    {"Yellow", 0xFFFF00},
    {"Blue", 0x0000FF},   {"Fuchsia", 0xFF00FF}, {"Aqua", 0x00FFFF},   {"White", 0xFFFFFF},
};

QIcon Swatch(const QColor& color)
{
    QPixmap pixmap(24, 14);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.setBrush(color);
    painter.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
    return QIcon(pixmap);
}

} // namespace

FontColorDialog::FontColorDialog(const QFont& initial, const QColor& initialColor, QWidget* parent)
    : QDialog(parent), m_initial(initial)
{
    setObjectName(QStringLiteral("FontColorDialog"));
    setWindowTitle(QStringLiteral("Font"));
    createControls(initial);
    createLayout();
    setColor(initialColor.isValid() ? initialColor : QColor(Qt::black));
}

void FontColorDialog::createControls(const QFont& initial)
{
    // The font panel is a dialog of its own, shown here as a part of this one.
    FontPanel = new QFontDialog(this);
    FontPanel->setObjectName(QStringLiteral("FontPanel"));
    FontPanel->setWindowFlags(Qt::Widget);
    FontPanel->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    FontPanel->setCurrentFont(initial);
    m_shownFamily = FontPanel->currentFont().family();
    // The panel's sample line is the one line edit inside a group box; it shows the chosen colour.
    for (QLineEdit* edit : FontPanel->findChildren<QLineEdit*>()) {
        if (qobject_cast<QGroupBox*>(edit->parentWidget()))
            m_sample = edit;
    }

    ColorBox = new QComboBox(this);
    ColorBox->setObjectName(QStringLiteral("ColorBox"));
    ColorBox->setIconSize(QSize(24, 14));
    for (const NamedColor& named : kBasicColors)
        ColorBox->addItem(Swatch(QColor(named.rgb)), QLatin1String(named.name), QColor(named.rgb));
    ColorBox->setMinimumWidth(140);
    OtherColorBtn = new QPushButton(QStringLiteral("&Other..."), this);
    OtherColorBtn->setObjectName(QStringLiteral("OtherColorBtn"));

    connect(ColorBox, &QComboBox::currentIndexChanged, this, &FontColorDialog::showSampleColor);
    connect(OtherColorBtn, &QPushButton::clicked, this, &FontColorDialog::chooseOtherColor);
}

void FontColorDialog::createLayout()
{
    auto* label = new QLabel(QStringLiteral("&Color:"), this);
    label->setBuddy(ColorBox);
    auto* colorRow = new QHBoxLayout;
    colorRow->addWidget(label);
    colorRow->addWidget(ColorBox);
    colorRow->addWidget(OtherColorBtn);
    colorRow->addStretch();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("OKBtn"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("CancelBtn"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(FontPanel, 1);
    layout->addLayout(colorRow);
    layout->addWidget(buttons);
}

QColor FontColorDialog::color() const
{
    return ColorBox->currentData().value<QColor>();
}

void FontColorDialog::setColor(const QColor& color)
{
    for (int i = 0; i < ColorBox->count(); ++i) {
        if (ColorBox->itemData(i).value<QColor>().rgb() == color.rgb()) {
            ColorBox->setCurrentIndex(i);
            showSampleColor();
            return;
        }
    }
    const int custom = ColorBox->findText(QStringLiteral("Custom"));
    if (custom >= 0)
        ColorBox->removeItem(custom);
    ColorBox->addItem(Swatch(color), QStringLiteral("Custom"), color);
    ColorBox->setCurrentIndex(ColorBox->count() - 1);
    showSampleColor();
}

void FontColorDialog::chooseOtherColor()
{
    const QColor chosen =
        QColorDialog::getColor(color(), this, QStringLiteral("Color"), QColorDialog::DontUseNativeDialog);
    if (chosen.isValid())
        setColor(chosen);
}

void FontColorDialog::showSampleColor()
{
    if (!m_sample)
        return;
    QPalette palette = m_sample->palette();
    palette.setColor(QPalette::Text, color());
    m_sample->setPalette(palette);
}

FontChoice FontColorDialog::choice() const
{
    QFont font = FontPanel->currentFont();
    const QString family = font.family();
    font.setFamily(family == m_shownFamily ? m_initial.family() : PlainFamilyName(family));
    return {font, color()};
}

} // namespace platform
