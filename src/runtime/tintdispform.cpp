#include "runtime/tintdispform.h"

#include "platform/helpengine.h"
#include "runtime/backgroundview.h"
#include "runtime/designscale.h"
#include "runtime/taboutbox.h"
#include "shell/appstate.h"
#include "shell/filenames.h"

#include <QAction>
#include <QEvent>
#include <QTextEdit>

namespace runtime {

TIntDispForm::TIntDispForm(const storage::PresentationBlock& presentation,
                           const storage::ProgramSettings& program, const QStringList& text,
                           const shell::AppState& state, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), m_presentation(presentation),
      m_program(program), m_window(presentation.IntroScreen.Window), m_text(text),
      m_directory(state.WorkingDirectory), m_screenFit(state.ScreenFit)
{
    setObjectName(QStringLiteral("TIntDispForm"));
    createControls();
    AddDesignSizeKey(this, [this] {
        applyScale(m_parts.scale == 1.0 ? m_screenFit : 1.0);
        FormActivate();
    });
    applyScale(state.designScale());
}

void TIntDispForm::applyScale(double scale)
{
    const bool shown = isVisible();
    ScaleIntroScreen(m_parts, this, scale);
    // The background is decoded again for the size it is shown at.
    fill();
    if (shown) {
        show();
        CentreOnScreen(this);
    }
}

void TIntDispForm::createControls()
{
    m_parts = BuildIntroScreen(this);
    connect(m_parts.MQuit, &QAction::triggered, this, &QDialog::reject);
    connect(m_parts.MHelp, &QAction::triggered, this,
            [this] { platform::help().showHelp(m_program.HelpStartTopic); });
    connect(m_parts.MAbout, &QAction::triggered, this,
            [this] { ShowAboutBox(m_presentation.AboutBox, AboutMode::Designed, m_directory, this, m_parts.scale); });
    connect(m_parts.ScreenPnl, &BackgroundView::backgroundPressed, this, &QDialog::reject);
}

void TIntDispForm::fill()
{
    setWindowTitle(m_program.Title);
    FillIntroScreen(m_parts, m_presentation, m_program, m_window, m_directory);
    if (m_presentation.IntroScreen.UseMenuBar && m_program.UseHelpFile)
        platform::help().setHelpFile(shell::ResolveName(m_directory, m_program.HelpFile));
}

void TIntDispForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!m_centred) {
        m_centred = true;
        CentreOnScreen(this);
    }
    FormActivate();
}

void TIntDispForm::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}

void TIntDispForm::FormActivate()
{
    PlaceIntroText(m_parts, m_window, m_text);
    // The arrows scroll the text from the start, without a click into it first.
    m_parts.RichEdit1->setFocus();
}

void ShowIntroduction(const storage::PresentationBlock& presentation, const storage::ProgramSettings& program,
                      const QStringList& text, const shell::AppState& state, QWidget* parent)
{
    TIntDispForm form(presentation, program, text, state, parent);
    form.exec();
}

} // namespace runtime
