#pragma once

#include "publish/distribution.h"
#include "publish/mediaconvert.h"
#include "storage/settingsrecord.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace shell {
struct AppState;
}

// Publishing a Study List for browsers and learning platforms. The player data, page HTML and
// media (see player/FORMAT.md for the files and their format) are made from the settings record and
// the Topics, after the checks of distribution: a media file the list names that does not exist
// stops everything before anything is written. The result is written into a temporary folder or
// file beside the destination and renamed into place only when complete, so a failure or a cancel
// leaves no half-written destination behind.
namespace publish {

enum class PublishForm
{
    WebFolder,  // the destination folder becomes the web folder
    SinglePage, // NAME.html, everything inline
    Scorm12,    // NAME-scorm12.zip
    Scorm2004,  // NAME-scorm2004.zip (4th edition)
};

// "web", "single", "scorm12", "scorm2004" (the command-line names).
std::optional<PublishForm> PublishFormNamed(const QString& name);

// The media of a single page are refused above this.
constexpr qint64 kMaxSinglePageMediaBytes = 50LL * 1024 * 1024;
// A notes file is published with at most this many bytes of its text.
constexpr qint64 kMaxPublishedNotesBytes = 1024 * 1024;

// The list to publish.
struct PublishSource
{
    storage::SettingsRecord settings;
    QString directory; // the Study List directory, with a trailing "/"
    QString name;      // NAME, used for the single page and the package names
    TopicWalk topics;  // every Topic entry in store order
    std::function<bool(QStringList& lines)> introText;

    // The current Study List of the authoring program.
    static PublishSource fromState(const shell::AppState& state);
    // A NAME.SWJ (with the NAME.SWR beside it) or a compiled NAME.SWC, read without asking
    // anything. Throws shell::Error when the file cannot be read, is damaged or was written by the
    // earlier version (which the authoring program converts when it opens it).
    static PublishSource fromFile(const QString& path);
};

struct PublishProgress
{
    // The file being made and how far the whole has come (0..100).
    std::function<void(const QString& file, int percent)> report;
    // True once the user asked to stop.
    std::function<bool()> cancelled;
};

// Where the result of the form goes for the destination: the folder itself for a web folder; for
// the other forms a destination ending in ".html" / ".zip" is the file, any other is a folder that
// receives NAME.html / NAME-scorm12.zip / NAME-scorm2004.zip.
QString PublishedPath(PublishForm form, const QString& destination, const QString& name);

// Publishes and returns PublishedPath. Throws shell::Error with the message to show: the missing
// files ("The file X is missing.", one line each), a single page with too much media, a web folder
// destination that is a non-empty folder holding no earlier publication, a conversion or write
// failure, or CancelledMessage() after a cancel. Nothing is left at the destination then; an
// earlier publication there stays as it was.
QString Publish(const PublishSource& source, PublishForm form, const QString& destination,
                const PublishProgress& progress = {});

// The command line "--publish web|single|scorm12|scorm2004 LIST.SWJ DEST" (the arguments after
// the program's name): 0 when published, else non-zero with the message in `message`
// (2 for a wrong command line, 1 for a failed publication).
int PublishCommandLine(const QStringList& arguments, QString& message);

// "--publish": the command line asks for publishing rather than for the main window.
bool IsPublishCommandLine(const QStringList& arguments);

} // namespace publish
