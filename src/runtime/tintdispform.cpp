#include "runtime/tintdispform.h"

#include "platform/helpengine.h"
#include "runtime/backgroundview.h"
#include "runtime/taboutbox.h"
#include "shell/appstate.h"
#include "shell/filenames.h"

#include <QAction>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>

namespace runtime {

TIntDispForm::TIntDispForm(const storage::PresentationBlock& presentation,
                           const storage::ProgramSettings& program, const QStringList& text,
                           const shell::AppState& state, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), m_presentation(presentation),
      m_program(program), m_window(presentation.IntroScreen.Window), m_text(text),
      m_directory(state.WorkingDirectory)
{
    setObjectName(QStringLiteral("TIntDispForm"));
    createControls();
    fill();
}

void TIntDispForm::createControls()
{
    m_parts = BuildIntroScreen(this);
    connect(m_parts.MQuit, &QAction::triggered, this, &QDialog::reject);
    connect(m_parts.MHelp, &QAction::triggered, this,
            [this] { platform::help().showHelp(m_program.HelpStartTopic); });
    connect(m_parts.MAbout, &QAction::triggered, this,
            [this] { ShowAboutBox(m_presentation.AboutBox, AboutMode::Designed, m_directory, this); });
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
        if (const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen()) {
            QRect place = frameGeometry();
            place.moveCenter(screen->availableGeometry().center());
            move(place.topLeft());
        }
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
}

void ShowIntroduction(const storage::PresentationBlock& presentation, const storage::ProgramSettings& program,
                      const QStringList& text, const shell::AppState& state, QWidget* parent)
{
    TIntDispForm form(presentation, program, text, state, parent);
    form.exec();
}

} // namespace runtime
