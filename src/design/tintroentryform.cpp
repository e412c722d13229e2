#include "design/tintroentryform.h"

#include "platform/rtf/importdocument.h"
#include "runtime/tintdispform.h"
#include "shell/appstate.h"
#include "shell/draft.h"
#include "shell/error.h"
#include "shell/operationframe.h"
#include "shell/utilities.h"

#include <QPushButton>
#include <QTextEdit>

namespace design {

namespace {

const QColor kTeal(0x00, 0x80, 0x80);

} // namespace

TIntroEntryForm::TIntroEntryForm(const storage::PresentationBlock& block, const storage::ProgramSettings& program,
                                 const QStringList& text, const shell::AppState& state,
                                 IntroBackgroundDesigner designBackground, QWidget* parent)
    : THypEntryForm(block.IntroScreen.Window, text, 2, parent, {}, &state),
      m_block(block),
      m_program(program),
      m_state(state),
      m_designBackground(std::move(designBackground))
{
    setObjectName(QStringLiteral("TIntroEntryForm"));
    setProperty("helpContext", QVariant());
    setAutoFillBackground(true);
    QPalette teal = palette();
    teal.setColor(QPalette::Window, kTeal);
    teal.setColor(QPalette::WindowText, Qt::white);
    setPalette(teal);
    layoutButton()->setText(QStringLiteral("&Design Introduction Screen"));
    viewButton()->setEnabled(true);
    viewButton()->setToolTip(QStringLiteral("Shows the introduction as readers will see it"));
    setImportRequest(QStringLiteral("Select a Text or RTF File"),
                     QStringLiteral("RTF and Text Files|*.TXT;*.RTF|") + platform::rtf::ImportDocumentFilterLine());
}

storage::PresentationBlock TIntroEntryForm::block() const
{
    storage::PresentationBlock block = m_block;
    block.IntroScreen.Window = record();
    return block;
}

void TIntroEntryForm::viewPage()
{
    {
        shell::HideWhile hidden(this);
        try {
            runtime::ShowIntroduction(block(), m_program, pageText(), m_state, this);
        } catch (const shell::Error& error) {
            shell::ShowError(error.message());
        }
    }
    textEdit()->setFocus();
}

void TIntroEntryForm::designLayout()
{
    {
        shell::HideWhile hidden(this);
        try {
            storage::PresentationBlock designed = block();
            if (DesignIntroductionScreen(designed, m_program, pageText(), m_designBackground, this)) {
                m_block = designed;
                replaceRecord(designed.IntroScreen.Window);
            }
        } catch (const shell::Error& error) {
            shell::ShowError(error.message());
        }
    }
    textEdit()->setFocus();
}

bool EditIntroduction(storage::PresentationBlock& block, storage::ProgramSettings& program, QStringList& text,
                      const shell::AppState& state, const IntroBackgroundDesigner& designBackground,
                      QWidget* parent)
{
    TIntroEntryForm form(block, program, text, state, designBackground, parent);
    new shell::DraftKeeper(&form, state.WorkingDirectory, QStringLiteral("intro"), [] { return QString(); },
                           [&form] { return form.pageText().join(QLatin1Char('\n')); });
    if (form.exec() != QDialog::Accepted)
        return false;
    block = form.block();
    program = form.program();
    text = form.pageText();
    return true;
}

} // namespace design
