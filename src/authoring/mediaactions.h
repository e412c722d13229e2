#pragma once

#include <QString>
#include <functional>

namespace authoring {

// What the "&View" buttons of the pickers do: the same media show, program run and desktop open
// that the reader meets, so an author sees what the reader will see.
struct MediaActions
{
    std::function<void(const QString& caption, const QString& commandText)> showMedia;
    std::function<void(int type, const QString& commandText)> runProgram;
    std::function<void(const QString& fileName)> openDocument;
    // The current Topic title, the caption of pictures shown from dialogs that have no Topic of
    // their own (the opening and closing commands).
    std::function<QString()> currentTopicTitle;
};

} // namespace authoring
