#include "platform/fontcolordialog.h"

#include "platform/fonts.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
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
    {"Black", 0x000000},  {"Maroon", 0x800000},  {"Green", 0x008000}, {"Olive", 0x808000},
    {"Navy", 0x000080},   {"Purple", 0x800080},  {"Teal", 0x008080},  {"Gray", 0x808080},
    {"Silver", 0xC0C0C0}, {"Red", 0xFF0000},     {"Lime", 0x00FF00},  {"Yellow", 0xFFFF00},
    {"Blue", 0x0000FF},   {"Fuchsia", 0xFF00FF}, {"Aqua", 0x00FFFF},  {"White", 0xFFFFFF},
};

constexpr int kDefaultSize = 10;
constexpr int kMaxSize = 1638;
constexpr int kLightText = 160;

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
    : QDialog(parent)
{
    setObjectName(QStringLiteral("FontColorDialog"));
    setWindowTitle(QStringLiteral("Font"));
    createControls();
    createLayout();
    showFont(initial);
    setColor(initialColor.isValid() ? initialColor : QColor(Qt::black));
}

void FontColorDialog::createControls()
{
    const auto check = [this](const char* name, const QString& caption) {
        auto* box = new QCheckBox(caption, this);
        box->setObjectName(QLatin1String(name));
        connect(box, &QCheckBox::toggled, this, &FontColorDialog::showSample);
        return box;
    };

    FontList = new QListWidget(this);
    FontList->setObjectName(QStringLiteral("FontList"));
    FontList->addItems(ScreenFontNames());
    FontList->setMinimumSize(240, 220);
    SizeBox = new QComboBox(this);
    SizeBox->setObjectName(QStringLiteral("SizeBox"));
    SizeBox->setEditable(true);
    SizeBox->setInsertPolicy(QComboBox::NoInsert);
    SizeBox->addItems(FontSizeNames());
    BoldChk = check("BoldChk", QStringLiteral("&Bold"));
    ItalicChk = check("ItalicChk", QStringLiteral("&Italic"));
    UnderlineChk = check("UnderlineChk", QStringLiteral("&Underline"));
    StrikeOutChk = check("StrikeOutChk", QStringLiteral("Stri&keout"));

    ColorBox = new QComboBox(this);
    ColorBox->setObjectName(QStringLiteral("ColorBox"));
    ColorBox->setIconSize(QSize(24, 14));
    for (const NamedColor& named : kBasicColors)
        ColorBox->addItem(Swatch(QColor(named.rgb)), QLatin1String(named.name), QColor(named.rgb));
    OtherColorBtn = new QPushButton(QStringLiteral("&Other..."), this);
    OtherColorBtn->setObjectName(QStringLiteral("OtherColorBtn"));

    SampleLbl = new QLabel(QStringLiteral("AaBbYyZz"), this);
    SampleLbl->setObjectName(QStringLiteral("SampleLbl"));
    SampleLbl->setAlignment(Qt::AlignCenter);
    SampleLbl->setFixedHeight(90);
    SampleLbl->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    SampleLbl->setAutoFillBackground(true);

    connect(FontList, &QListWidget::currentRowChanged, this, &FontColorDialog::showSample);
    connect(SizeBox, &QComboBox::currentTextChanged, this, &FontColorDialog::showSample);
    connect(ColorBox, &QComboBox::currentIndexChanged, this, &FontColorDialog::showSample);
    connect(OtherColorBtn, &QPushButton::clicked, this, &FontColorDialog::chooseOtherColor);
}

void FontColorDialog::createLayout()
{
    const auto label = [this](const QString& caption, QWidget* buddy) {
        auto* l = new QLabel(caption, this);
        l->setBuddy(buddy);
        return l;
    };

    auto* style = new QGroupBox(QStringLiteral("Style"), this);
    auto* styleLayout = new QVBoxLayout(style);
    for (QCheckBox* box : {BoldChk, ItalicChk, UnderlineChk, StrikeOutChk})
        styleLayout->addWidget(box);

    auto* colorRow = new QHBoxLayout;
    colorRow->addWidget(ColorBox, 1);
    colorRow->addWidget(OtherColorBtn);

    auto* grid = new QGridLayout;
    grid->addWidget(label(QStringLiteral("&Font:"), FontList), 0, 0);
    grid->addWidget(FontList, 1, 0, 5, 1);
    grid->addWidget(label(QStringLiteral("&Size:"), SizeBox), 0, 1);
    grid->addWidget(SizeBox, 1, 1);
    grid->addWidget(style, 2, 1);
    grid->addWidget(label(QStringLiteral("&Color:"), ColorBox), 3, 1);
    grid->addLayout(colorRow, 4, 1);
    grid->setRowStretch(5, 1);
    grid->setColumnStretch(0, 1);

    auto* sample = new QGroupBox(QStringLiteral("Sample"), this);
    auto* sampleLayout = new QVBoxLayout(sample);
    sampleLayout->addWidget(SampleLbl);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("OKBtn"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("CancelBtn"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addWidget(sample);
    layout->addWidget(buttons);
}

void FontColorDialog::showFont(const QFont& font)
{
    const QString family = PlainFamilyName(font.family());
    QList<QListWidgetItem*> found = FontList->findItems(family, Qt::MatchFixedString);
    if (found.isEmpty() && !family.isEmpty()) {
        FontList->insertItem(0, family);
        found.append(FontList->item(0));
    }
    if (!found.isEmpty())
        FontList->setCurrentItem(found.first());
    const int size = font.pointSize() > 0 ? font.pointSize() : kDefaultSize;
    SizeBox->setEditText(QString::number(size));
    BoldChk->setChecked(font.bold());
    ItalicChk->setChecked(font.italic());
    UnderlineChk->setChecked(font.underline());
    StrikeOutChk->setChecked(font.strikeOut());
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
            showSample();
            return;
        }
    }
    const int custom = ColorBox->findText(QStringLiteral("Custom"));
    if (custom >= 0)
        ColorBox->removeItem(custom);
    ColorBox->addItem(Swatch(color), QStringLiteral("Custom"), color);
    ColorBox->setCurrentIndex(ColorBox->count() - 1);
    showSample();
}

void FontColorDialog::chooseOtherColor()
{
    const QColor chosen =
        QColorDialog::getColor(color(), this, QStringLiteral("Color"), QColorDialog::DontUseNativeDialog);
    if (chosen.isValid())
        setColor(chosen);
}

void FontColorDialog::showSample()
{
    SampleLbl->setFont(choice().font);
    QPalette palette = SampleLbl->palette();
    // Light text, the usual choice for dark bars, is shown on a dark ground so it can be seen.
    palette.setColor(QPalette::Window, color().lightness() > kLightText ? QColor(64, 64, 64) : QColor(Qt::white));
    palette.setColor(QPalette::WindowText, color());
    SampleLbl->setPalette(palette);
}

FontChoice FontColorDialog::choice() const
{
    QFont font(FontList->currentItem() ? FontList->currentItem()->text() : QString());
    bool ok = false;
    const int size = SizeBox->currentText().trimmed().toInt(&ok);
    font.setPointSize(ok && size > 0 && size <= kMaxSize ? size : kDefaultSize);
    font.setBold(BoldChk->isChecked());
    font.setItalic(ItalicChk->isChecked());
    font.setUnderline(UnderlineChk->isChecked());
    font.setStrikeOut(StrikeOutChk->isChecked());
    return {font, color()};
}

} // namespace platform
