#pragma once

#include <QList>
#include <QString>
#include <functional>

class QPagedPaintDevice;

namespace storage {
struct SettingsRecord;
class TopicSource;
}

// "Print Stud&y List": the whole Study List on paper or in a PDF file, for authors who proof-read
// on paper and for readers without a computer at hand.
namespace publish {

// What a command Topic does, in words, for the printed list: "Shows the picture VOLCANO.BMP for
// 3 seconds." Unknown types say so rather than print nothing.
QString CommandDescription(int type, const QString& value);

struct PrintedTopic
{
    QString name;
    int page = 0; // 1-based page the Topic starts on
};

// Prints every Topic of the source in menu order (ReaderTopicOrder), each headed by its name:
// a page Topic starts on a new page with its text as the reader sees it; a command Topic says
// what it does and shares a page with the Topics before it when it fits. Pages are numbered at
// the foot; a contents page listing each Topic with its page number ends the print (its numbers
// are only known once the Topics are laid out, and paper cannot be put back in front).
// `progress(done, total)` returning false stops the print after the current Topic. Returns the
// contents. Failures of the source throw its shell::Error.
QList<PrintedTopic> PrintStudyList(const storage::SettingsRecord& record, const storage::TopicSource& source,
                                   QPagedPaintDevice& device, const std::function<bool(int, int)>& progress = {});

} // namespace publish
