// Feeds arbitrary bytes to the topic store as NAME.SWR and runs every reader and one rewrite over
// it: nothing may crash, throw anything but shell::Error, or leave a temporary file behind.
#include "fuzzinput.h"
#include "shell/error.h"
#include "storage/topicops.h"
#include "storage/topicorder.h"
#include "storage/topicstore.h"

#include <QDir>
#include <QFileInfo>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString store = WriteFuzzInput(data, size, QStringLiteral("FUZZ.SWR"));
    try {
        using namespace storage;
        QStringList names;
        ListEntryNames(names, store, kTopicKind);
        HasEntriesOfKind(store, kTopicKind);
        for (const QString& name : names) {
            QStringList entry;
            if (ExtractEntry(store, name, kTopicKind, entry)) {
                TopicDisplayRecord record;
                QStringList text;
                ParsePageEntry(entry, record, text);
                if (text.size() > entry.size())
                    std::abort();
            }
            EntryNameInUse(store, name, QString(), kTopicKind);
        }
        ForEachEntry(store, kTopicKind, [](const QStringList& entry) {
            if (entry.size() < 2)
                std::abort();
        });
        // A move never loses or adds a Topic.
        if (names.size() > 1 && MoveEntry(store, names.back(), names.front(), kTopicKind)) {
            QStringList moved;
            ListEntryNames(moved, store, kTopicKind);
            if (moved.size() != names.size())
                std::abort();
            names = moved;
        }
        QStringList intro;
        if (ReadIntroText(store, intro))
            ReplaceIntroEntry(store, intro);
        if (!names.isEmpty()) {
            ReplaceCommandEntry(store, names.front(), names.front(), kTopicKind, QStringLiteral("X.WAV"), 3);
            DeleteEntry(store, names.back(), kTopicKind);
        }
    } catch (const shell::Error&) {
    }
    // Only the store itself (or nothing, when a rewrite left no entry) may remain.
    if (QDir(QFileInfo(store).absolutePath()).entryList(QDir::Files | QDir::Hidden).size() > 1)
        std::abort();
    return 0;
}
