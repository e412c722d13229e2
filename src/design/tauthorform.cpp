#include "design/tauthorform.h"

#include "design/designcontrols.h"
#include "platform/dialogs.h"
#include "platform/f1filter.h"
#include "shell/colorref.h"
#include "shell/dialogbuttons.h"
#include "shell/operationframe.h"
#include "shell/utilities.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace design {

namespace {

constexpr int kLineLength = 60;
constexpr int kFontTextLength = 50;

} // namespace

TAuthorForm::TAuthorForm(const storage::MenuScreenDesign& menu, MenuDesigners designers, QWidget* parent)
    : QDialog(parent), m_menu(menu), m_designers(std::move(designers)), m_color(menu.Author.Color)
{
    setObjectName(QStringLiteral("TAuthorForm"));
    setWindowTitle(QStringLiteral("Press F1 for Help"));
    platform::SetHelpContext(this, 310);

    auto* top = new QFrame(this);
    top->setObjectName(QStringLiteral("Panel2"));
    auto* font = new QPushButton(QStringLiteral("Change &Font"), top);
    font->setObjectName(QStringLiteral("Button2"));
    auto* color = new QPushButton(QStringLiteral("Select Background Color"), top);
    color->setObjectName(QStringLiteral("Button3"));
    auto* topLayout = new QHBoxLayout(top);
    topLayout->setContentsMargins(0, 0, 0, 0);
    topLayout->addWidget(font);
    topLayout->addWidget(color);
    topLayout->addStretch();

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1 = panel;
    auto* lines = new QVBoxLayout(panel);
    lines->setSpacing(2);
    for (size_t i = 0; i < m_lines.size(); ++i) {
        m_lines[i] = new QLineEdit(m_menu.Author.Lines[i], panel);
        m_lines[i]->setObjectName(QStringLiteral("Edit%1").arg(i + 1));
        m_lines[i]->setFrame(false);
        m_lines[i]->setMinimumWidth(380);
        lines->addWidget(m_lines[i]);
    }
    auto* adjust = new QPushButton(QStringLiteral("Adjust Author Box"), panel);
    adjust->setObjectName(QStringLiteral("Button1"));
    lines->addWidget(adjust, 0, Qt::AlignLeft);
    // The button keeps the dialog's font when the panel takes the box's font: a font that names
    // every property of its own inherits nothing from the panel.
    QFont own = font->font();
    own.setResolveMask(QFont::AllPropertiesResolved);
    adjust->setFont(own);

    connect(font, &QPushButton::clicked, this, &TAuthorForm::chooseFont);
    connect(color, &QPushButton::clicked, this, &TAuthorForm::chooseColor);
    connect(adjust, &QPushButton::clicked, this, &TAuthorForm::adjust);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(top);
    layout->addWidget(panel);
    layout->addWidget(shell::OkCancelButtons(this, "OKBtn", "CancelBtn"));

    const shell::FontSpec face = shell::TextToFont(m_menu.Author.Font);
    m_textColor = face.color;
    // The six lines take their font from the panel, as the reader's box does.
    Panel1->setFont(face.toFont());
    paintLines();
}

void TAuthorForm::paintLines()
{
    for (QLineEdit* line : m_lines)
        PaintField(line, m_color, m_textColor);
}

void TAuthorForm::chooseFont()
{
    if (const auto chosen = platform::dialogs().chooseFont(Panel1->font(), shell::ColorRefToQColor(m_textColor))) {
        Panel1->setFont(chosen->font);
        m_textColor = shell::QColorToColorRef(chosen->color);
        paintLines();
    }
    m_lines[0]->setFocus();
}

void TAuthorForm::chooseColor()
{
    if (const std::optional<QColor> color = platform::dialogs().chooseColor(shell::ColorRefToQColor(m_color))) {
        m_color = shell::QColorToColorRef(*color);
        paintLines();
    }
}

storage::MenuScreenDesign TAuthorForm::menu() const
{
    storage::MenuScreenDesign menu = m_menu;
    for (size_t i = 0; i < m_lines.size(); ++i)
        menu.Author.Lines[i] = m_lines[i]->text().left(kLineLength);
    menu.Author.Font =
        shell::FontToText(shell::FontSpec::fromFont(Panel1->font(), shell::ColorRefToQColor(m_textColor)))
            .left(kFontTextLength);
    menu.Author.Color = m_color;
    return menu;
}

void TAuthorForm::adjust()
{
    m_menu = menu();
    if (!m_designers.adjustLayout)
        return;
    const shell::HideWhile hidden(this);
    m_designers.adjustLayout(m_menu, this);
}

bool EditAuthorBox(storage::MenuScreenDesign& menu, const MenuDesigners& designers, QWidget* parent)
{
    TAuthorForm form(menu, designers, parent);
    if (form.exec() != QDialog::Accepted)
        return false;
    menu = form.menu();
    return true;
}

} // namespace design
