#include "design/tintadjustform.h"

#include "platform/f1filter.h"
#include "platform/helpengine.h"
#include "runtime/backgroundview.h"
#include "runtime/taboutbox.h"
#include "shell/filenames.h"

#include <QAction>
#include <QDir>
#include <QFrame>
#include <QScopeGuard>

namespace design {

TIntAdjustForm::TIntAdjustForm(const storage::ScreenDesign& screen, const storage::PresentationBlock& block,
                               const storage::ProgramSettings& program, const QStringList& text,
                               const QString& directory, QWidget* parent)
    : AdjusterForm(QStringLiteral("Press Mouse Right Button for Menu"), QStringLiteral("Help"), parent),
      m_presentation(block), m_program(program), m_text(text), m_directory(directory)
{
    setObjectName(QStringLiteral("TIntAdjustForm"));
    platform::SetHelpContext(this, kAdjusterHelp);
    m_presentation.IntroScreen = screen;
    createControls();
    // The screen is laid out at 640 x 480 before the background is scaled to it.
    CentreOnScreen(this, QSize(kScreenWidth, kScreenHeight));
    runtime::FillIntroScreen(m_parts, m_presentation, m_program, m_presentation.IntroScreen.Window,
                             m_directory);
    watch(this);
}

void TIntAdjustForm::createControls()
{
    m_parts = runtime::BuildIntroScreen(this);
    // "&Close" closes as cancelled, so the common rule asks "Save changes?".
    connect(m_parts.MQuit, &QAction::triggered, this, &TIntAdjustForm::reject);
    connect(m_parts.MHelp, &QAction::triggered, this, &TIntAdjustForm::MHelpClick);
    connect(m_parts.MAbout, &QAction::triggered, this, [this] {
        runtime::ShowAboutBox(m_presentation.AboutBox, runtime::AboutMode::Designed, m_directory, this);
    });
}

void TIntAdjustForm::MHelpClick()
{
    // The list's own help, as the reader would get it; the adjuster's "Help" keeps opening the
    // program's help, so the help file is switched back at once.
    platform::HelpEngine& engine = platform::help();
    const QString previous = engine.helpFile();
    const auto restore = qScopeGuard([&engine, previous] { engine.setHelpFile(previous); });
    engine.setHelpFile(shell::ResolveName(m_directory, m_program.HelpFile));
    engine.showHelp(m_program.HelpStartTopic);
}

void TIntAdjustForm::showEvent(QShowEvent* event)
{
    AdjusterForm::showEvent(event);
    // Placed once: a later activation (after "Save changes?" or the help) keeps the author's moves.
    if (!m_activated) {
        m_activated = true;
        FormActivate();
    }
}

void TIntAdjustForm::FormActivate()
{
    runtime::PlaceIntroText(m_parts, m_presentation.IntroScreen.Window, m_text);
}

bool TIntAdjustForm::partPressed(QWidget* widget, Qt::MouseButton)
{
    // Any button: a right press attaches too, before the pop-up menu opens.
    QFrame* text = m_parts.TextPnl;
    if (widget == text || text->isAncestorOf(widget)) {
        attachOnly(text);
        return true;
    }
    return false;
}

void TIntAdjustForm::saveLayout()
{
    const QRect place = m_parts.TextPnl->geometry();
    storage::WindowDesign& window = m_presentation.IntroScreen.Window;
    window.TextLeft = place.left();
    window.TextTop = place.top();
    window.TextWidth = place.width();
    window.TextHeight = place.height();
}

bool AdjustIntroductionWindow(storage::ScreenDesign& screen, const storage::PresentationBlock& block,
                              const storage::ProgramSettings& program, const QStringList& text,
                              QWidget* parent)
{
    TIntAdjustForm form(screen, block, program, text, QDir::currentPath(), parent);
    if (form.exec() != QDialog::Accepted)
        return false;
    screen = form.screen();
    return true;
}

IntroAdjuster IntroductionAdjuster(const storage::PresentationBlock& block,
                                   const storage::ProgramSettings& program, const QStringList& text)
{
    return [block, program, text](storage::ScreenDesign& introScreen, QWidget* parent) {
        AdjustIntroductionWindow(introScreen, block, program, text, parent);
    };
}

bool DesignIntroductionWindow(storage::ScreenDesign& screen, const storage::PresentationBlock& block,
                              const storage::ProgramSettings& program, const QStringList& text,
                              QWidget* parent)
{
    return DesignIntroductionBackground(screen, IntroductionAdjuster(block, program, text), parent);
}

} // namespace design
