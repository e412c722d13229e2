#include "authoring/windowmediaactions.h"

#include "runtime/mediashow.h"
#include "runtime/programrun.h"
#include "shell/appstate.h"
#include "shell/filenames.h"
#include "shell/utilities.h"

#include <QPointer>
#include <QWidget>

namespace authoring {

MediaActions WindowMediaActions(const shell::AppState& state, QWidget* parent)
{
    const QString directory = state.WorkingDirectory;
    const QString startPrompt = state.StartPrompt;
    // The actions may outlive the window they were made for; a parent gone by then is not used.
    const QPointer<QWidget> owner(parent);
    MediaActions actions;
    actions.showMedia = [directory, startPrompt, owner](const QString& caption, const QString& commandText) {
        runtime::MediaContext context;
        context.studyListDirectory = directory;
        context.startPrompt = startPrompt;
        context.parent = owner.data();
        runtime::ShowMedia(caption, commandText, context);
    };
    actions.runProgram = [directory](int type, const QString& commandText) {
        runtime::RunProgramCommand(type, commandText, directory);
    };
    actions.openDocument = [directory](const QString& fileName) {
        if (!fileName.isEmpty())
            shell::RunProgram(shell::ResolveName(directory, fileName));
    };
    // Read when a picture is shown: the title changes as Topics are viewed and edited.
    const shell::AppState* current = &state;
    actions.currentTopicTitle = [current] { return current->CurrentTopicTitle; };
    return actions;
}

} // namespace authoring
