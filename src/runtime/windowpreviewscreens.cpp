#include "runtime/windowpreviewscreens.h"

#include "platform/helpengine.h"
#include "runtime/mediashow.h"
#include "runtime/pagegeometry.h"
#include "runtime/programrun.h"
#include "runtime/taboutbox.h"
#include "runtime/tintdispform.h"
#include "runtime/tmenudisplayform.h"
#include "runtime/tpagesearchform.h"
#include "runtime/tstudytopicsform.h"
#include "runtime/ttutbackform.h"
#include "runtime/windowscreens.h"
#include "shell/appstate.h"
#include "shell/utilities.h"
#include "storage/storetopicsource.h"

#include <QGuiApplication>
#include <QScopeGuard>
#include <QScreen>
#include <QWidget>

namespace runtime {

WindowPreviewScreens::WindowPreviewScreens(shell::AppState& state, QWidget* parent)
    : m_state(state), m_parent(parent)
{
}

WindowPreviewScreens::~WindowPreviewScreens() = default;

QWidget* WindowPreviewScreens::owner() const
{
    if (m_backdrop)
        return m_backdrop.get();
    return m_parent.data();
}

TTutBackForm* WindowPreviewScreens::backdrop() const
{
    return m_backdrop.get();
}

void WindowPreviewScreens::showBackdrop(const storage::ProgramSettings& program)
{
    m_backdrop = std::make_unique<TTutBackForm>(program, m_state.WorkingDirectory, m_parent.data());
    m_backdrop->showBackdrop();
}

void WindowPreviewScreens::hideBackdrop()
{
    m_backdrop.reset();
}

void WindowPreviewScreens::setHelpFile(const QString& path)
{
    platform::help().setHelpFile(path);
}

void WindowPreviewScreens::restoreHelpFile()
{
    platform::help().setHelpFile(m_state.HelpFilePath);
}

void WindowPreviewScreens::runCommand(int type, const QString& commandLine, const QString& caption)
{
    switch (type) {
    case 2:
    case 3:
    case 6: {
        MediaContext context;
        context.studyListDirectory = m_state.WorkingDirectory;
        context.startPrompt = m_state.StartPrompt;
        context.parent = owner();
        context.scale = m_state.designScale();
        ShowMedia(caption, commandLine, context);
        break;
    }
    case kProgramTopicType:
    case kProgramFileTopicType:
        if (MayStartProgram(m_state, type, commandLine))
            RunProgramCommand(type, commandLine, m_state.WorkingDirectory);
        break;
    default:
        break;
    }
}

void WindowPreviewScreens::openDocument(const QString& file)
{
    if (MayStartProgram(m_state, kOpenDocumentType, file))
        shell::RunProgram(file);
}

void WindowPreviewScreens::showAboutBox(const storage::AboutBoxSettings& box)
{
    ShowAboutBox(box, AboutMode::Designed, m_state.WorkingDirectory, owner(), m_state.designScale());
}

void WindowPreviewScreens::showIntroduction(const storage::SettingsRecord& record, const QStringList& text)
{
    ShowIntroduction(record.Presentation, record.Program, text, m_state, owner());
}

void WindowPreviewScreens::showTopicMenu(const storage::SettingsRecord& record, const QStringList& names,
                                         const storage::TopicSource& source)
{
    TopicSearch* search = searchOf(source);
    search->setOrder(names);
    ShowTopicMenu(record, names, source, m_state, owner(), search);
}

int WindowPreviewScreens::showTopicList(const QStringList& names, int index, const storage::TopicSource& source)
{
    TopicSearch* search = searchOf(source);
    search->setOrder(names);
    return ShowTopicList(names, index, m_state.CurrentTitle, owner(), search);
}

TopicSearch* WindowPreviewScreens::searchOf(const storage::TopicSource& source)
{
    if (!m_search || &m_search->source() != &source)
        m_search = std::make_unique<TopicSearch>(source, m_state);
    return m_search.get();
}

void WindowPreviewScreens::runTopic(const QStringList& entry)
{
    RunTopicInWindows(entry, m_state, owner());
}

void PreviewStudyList(shell::AppState& state, QWidget* parent)
{
    const storage::StoreTopicSource source(state.resolve(state.TopicStorePath));
    WindowPreviewScreens screens(state, parent);
    // The preview fits the screen as the reader does; the author's other windows, the layout
    // adjusters among them, keep the design size once it ends.
    const QScreen* screen = parent && parent->screen() ? parent->screen() : QGuiApplication::primaryScreen();
    const double before = state.ScreenFit;
    state.ScreenFit = screen ? FitScale(screen->geometry().size()) : 1.0;
    const auto restore = qScopeGuard([&state, before] { state.ScreenFit = before; });
    PreviewSequence(state.Settings, source, screens, state).run();
}

} // namespace runtime
