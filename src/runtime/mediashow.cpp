#include "runtime/mediashow.h"

#include "platform/waveplayer.h"
#include "runtime/mediacommand.h"
#include "runtime/tmediaplayform.h"
#include "runtime/tshowmultform.h"
#include "shell/utilities.h"

namespace runtime {

void PlayInMediaPlayer(const QString& path, const MediaContext& context)
{
    TMediaPlayForm form(context.startPrompt, context.parent, context.scale);
    if (!form.openMedia(path)) {
        shell::ShowError(form.errorString());
        return;
    }
    form.exec();
}

void ShowMedia(const QString& caption, const QString& commandText, const MediaContext& context)
{
    const MediaAction action = DecideMediaShow(commandText, context.studyListDirectory);
    switch (action.kind) {
    case MediaActionKind::Nothing:
        return;
    case MediaActionKind::ReportMissing:
        shell::ShowError(action.message);
        return;
    case MediaActionKind::PlayVideo:
    case MediaActionKind::OpenMidiPlayer:
        PlayInMediaPlayer(action.mediaPath, context);
        return;
    case MediaActionKind::ShowPicture: {
        TShowMultForm form(PictureShow{caption, action.picturePath, action.soundPath, action.displayTime, context.scale},
                           context.parent);
        // Reported like a missing file: the message alone, no empty window and no sound.
        if (!form.hasPicture()) {
            shell::ShowError(UnshownGraphicMessage(action.pictureName));
            return;
        }
        form.exec();
        return;
    }
    case MediaActionKind::PlayWave:
        platform::PlayWave(action.soundPath);
        return;
    }
}

} // namespace runtime
