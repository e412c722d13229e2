#include "runtime/windowscreens.h"

#include "runtime/mediashow.h"
#include "runtime/programrun.h"
#include "runtime/thnotesform.h"
#include "runtime/tshowhtextform.h"
#include "runtime/ttxtvpdispform.h"
#include "shell/appstate.h"
#include "shell/utilities.h"
#include "storage/topicstore.h"

#include <QWidget>

namespace runtime {

namespace {

void ParsePage(const QStringList& entry, storage::TopicDisplayRecord& record, QStringList& text)
{
    storage::ParsePageEntry(entry, record, text);
}

} // namespace

WindowTopicScreens::~WindowTopicScreens()
{
    if (m_parent && m_parent->isVisible())
        m_parent->activateWindow();
}

void WindowTopicScreens::showTextPage(const QStringList& entry)
{
    storage::TopicDisplayRecord record;
    QStringList text;
    ParsePage(entry, record, text);
    ShowTextPage(record, text, m_state, m_parent, m_marked);
}

void WindowTopicScreens::showDesignedPage(const QStringList& entry)
{
    storage::TopicDisplayRecord record;
    QStringList text;
    ParsePage(entry, record, text);
    ShowDesignedPage(record, text, m_state, m_parent, m_marked);
}

void WindowTopicScreens::showMedia(int /*type*/, const QString& value, const QString& caption)
{
    MediaContext context;
    context.studyListDirectory = m_state.WorkingDirectory;
    context.startPrompt = m_state.StartPrompt;
    context.parent = m_parent;
    context.scale = m_state.designScale();
    ShowMedia(caption, value, context);
}

void WindowTopicScreens::runProgram(int type, const QString& value)
{
    if (MayStartProgram(m_state, type, value))
        RunProgramCommand(type, value, m_state.WorkingDirectory);
}

void WindowTopicScreens::openDocument(const QString& file)
{
    if (MayStartProgram(m_state, kOpenDocumentType, file))
        shell::RunProgram(file);
}

void WindowTopicScreens::openNotes(const QString& file)
{
    OpenNotesEditor(file, m_state.WorkingDirectory, m_parent, m_state.designScale());
}

void ViewEditedPage(int mode, const storage::TopicDisplayRecord& record, const QStringList& pageText,
                    const shell::AppState& state, QWidget* parent)
{
    if (mode == 2)
        ShowDesignedPage(record, pageText, state, parent);
    else
        ShowTextPage(record, pageText, state, parent);
}

void RunTopicInWindows(const QStringList& entry, shell::AppState& state, QWidget* parent)
{
    WindowTopicScreens screens(state, parent);
    RunTopic(entry, screens, state);
}

} // namespace runtime
