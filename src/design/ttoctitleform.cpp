#include "design/ttoctitleform.h"

#include "design/designcontrols.h"
#include "platform/dialogs.h"
#include "platform/f1filter.h"
#include "shell/colorref.h"
#include "shell/dialogbuttons.h"
#include "shell/utilities.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace design {

namespace {

constexpr int kTextLength = 80;
constexpr int kFontTextLength = 50;

} // namespace

TTocTitleForm::TTocTitleForm(const storage::TextBar& bar, BarKind kind, bool focusBack, QWidget* parent)
    : QDialog(parent), m_bar(bar), m_focusBack(focusBack), m_color(bar.Color)
{
    setObjectName(focusBack ? QStringLiteral("TVPDesignTitleForm") : QStringLiteral("TTocTitleForm"));
    setWindowTitle(QStringLiteral("Press F1 for Help"));
    platform::SetHelpContext(this, kind == BarKind::Title ? 465 : 470);

    TitleLbl = new QLabel(kind == BarKind::Title ? QStringLiteral("TitleBar Text : ")
                                                 : QStringLiteral("StatusBar Text :"),
                          this);
    TitleLbl->setObjectName(QStringLiteral("TitleLbl"));
    edit1 = new QLineEdit(this);
    edit1->setObjectName(QStringLiteral("edit1"));
    edit1->setMaxLength(kTextLength);
    edit1->setMinimumWidth(420);
    TitleLbl->setBuddy(edit1);
    auto* font = new QPushButton(QStringLiteral("&New Font"), this);
    font->setObjectName(QStringLiteral("ChangeBtn"));
    auto* color = new QPushButton(QStringLiteral("&Background"), this);
    color->setObjectName(QStringLiteral("Button1"));
    connect(font, &QPushButton::clicked, this, &TTocTitleForm::chooseFont);
    connect(color, &QPushButton::clicked, this, &TTocTitleForm::chooseColor);
    QDialogButtonBox* buttons = shell::OkCancelButtons(this, "OKBtn", "CancelBtn");

    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(12);
    grid->addWidget(TitleLbl, 0, 0);
    grid->addWidget(edit1, 0, 1, 1, 3);
    grid->addWidget(font, 1, 1);
    grid->addWidget(color, 1, 2);
    grid->addWidget(buttons, 2, 0, 1, 4);

    const shell::FontSpec face = shell::TextToFont(bar.Font);
    m_textColor = face.color;
    edit1->setFont(face.toFont());
    edit1->setText(bar.Text);
    paintField();
}

void TTocTitleForm::paintField()
{
    PaintField(edit1, m_color, m_textColor);
}

void TTocTitleForm::chooseFont()
{
    if (const auto chosen = platform::dialogs().chooseFont(edit1->font(), shell::ColorRefToQColor(m_textColor))) {
        edit1->setFont(chosen->font);
        m_textColor = shell::QColorToColorRef(chosen->color);
        paintField();
    }
    if (m_focusBack)
        edit1->setFocus();
}

void TTocTitleForm::chooseColor()
{
    if (const std::optional<QColor> color = platform::dialogs().chooseColor(shell::ColorRefToQColor(m_color))) {
        m_color = shell::QColorToColorRef(*color);
        paintField();
    }
    if (m_focusBack)
        edit1->setFocus();
}

storage::TextBar TTocTitleForm::bar() const
{
    storage::TextBar bar = m_bar;
    bar.Text = edit1->text().left(kTextLength);
    bar.Color = m_color;
    const shell::FontSpec face = shell::FontSpec::fromFont(edit1->font(), shell::ColorRefToQColor(m_textColor));
    bar.Font = shell::FontToText(face).left(kFontTextLength);
    return bar;
}

namespace {

void EditBar(storage::TextBar& bar, BarKind kind, bool focusBack, QWidget* parent)
{
    TTocTitleForm form(bar, kind, focusBack, parent);
    if (form.exec() == QDialog::Accepted)
        bar = form.bar();
}

} // namespace

void EditBarText(storage::TextBar& bar, BarKind kind, QWidget* parent)
{
    EditBar(bar, kind, false, parent);
}

void EditIntroBarText(storage::TextBar& bar, BarKind kind, QWidget* parent)
{
    EditBar(bar, kind, true, parent);
}

} // namespace design
