#include "authoring/importtopics.h"

#include "authoring/topicentry.h"
#include "platform/rtf/importdocument.h"
#include "platform/rtf/rtfwriter.h"
#include "shell/error.h"
#include "storage/settingsrecord.h"
#include "storage/topicops.h"
#include "storage/topicstore.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>

namespace authoring {

namespace {

constexpr int kTextOnlyType = 1;

struct Part
{
    QString name;
    QStringList lines;
};

bool Taken(const QString& name, const QStringList& taken)
{
    return taken.contains(name, Qt::CaseInsensitive);
}

// The document cut before each top-level heading; text before the first heading stays with the
// document's own name.
QList<Part> SplitAtHeadings(const QTextDocument& document, const QString& fileName)
{
    QList<int> starts{0};
    QStringList names{fileName};
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() != 1 || block.text().trimmed().isEmpty())
            continue;
        if (block.position() == 0)
            names[0] = block.text();
        else {
            starts.append(block.position());
            names.append(block.text());
        }
    }
    QList<Part> parts;
    for (qsizetype i = 0; i < starts.size(); ++i) {
        QTextCursor cursor(const_cast<QTextDocument*>(&document));
        cursor.setPosition(starts[i]);
        cursor.setPosition(i + 1 < starts.size() ? starts[i + 1] - 1 : document.characterCount() - 1,
                           QTextCursor::KeepAnchor);
        QTextDocument part;
        part.setDefaultTextOption(document.defaultTextOption());
        QTextCursor(&part).insertFragment(cursor.selection());
        platform::rtf::CopyPictures(document, &part);
        parts.append({names[i], platform::rtf::RtfLines(part)});
    }
    return parts;
}

QString FirstHeading(const QTextDocument& document)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() > 0 && !block.text().trimmed().isEmpty())
            return block.text();
    }
    return {};
}

} // namespace

QString UniqueTopicName(const QString& wanted, const QStringList& taken)
{
    static const QRegularExpression blanks(QStringLiteral("[\\s\\[\\]\\x{2028}\\x{2029}\\x{FFFC}]+"));
    QString base = QString(wanted).replace(blanks, QStringLiteral(" ")).trimmed();
    if (base.isEmpty())
        base = QStringLiteral("Topic");
    QString name = base.left(kMaxTopicNameLength).trimmed();
    for (int n = 2; Taken(name, taken); ++n) {
        const QString suffix = QStringLiteral(" (%1)").arg(n);
        name = base.left(kMaxTopicNameLength - suffix.size()).trimmed() + suffix;
    }
    return name;
}

QStringList DocumentsInFolder(const QString& folder)
{
    const QStringList patterns{QStringLiteral("*.txt"), QStringLiteral("*.rtf"),  QStringLiteral("*.htm"),
                               QStringLiteral("*.html"), QStringLiteral("*.md"), QStringLiteral("*.docx"),
                               QStringLiteral("*.odt")};
    QDir dir(folder);
    dir.setNameFilters(patterns);
    dir.setFilter(QDir::Files | QDir::Readable);
    dir.setSorting(QDir::Name | QDir::IgnoreCase);
    QStringList paths;
    for (const QString& name : dir.entryList())
        paths.append(dir.filePath(name));
    return paths;
}

ImportTopicsResult ImportTopics(const QString& store, const QStringList& paths, bool splitAtHeadings,
                                const ImportProgress& progress)
{
    ImportTopicsResult result;
    QStringList taken;
    storage::ListEntryNames(taken, store, storage::kTopicKind);
    storage::TopicDisplayRecord record;
    record.FullScreen = false;
    record.BackgroundKind = 0;
    for (qsizetype i = 0; i < paths.size(); ++i) {
        const QFileInfo info(paths[i]);
        if (progress && !progress(info.fileName(), int(i))) {
            result.cancelled = true;
            break;
        }
        QTextDocument document;
        const QString reason = platform::rtf::ImportDocument(paths[i], &document);
        if (!reason.isEmpty()) {
            result.failures.append(info.fileName() + QStringLiteral(": ") + reason);
            continue;
        }
        const QString suffix = info.suffix().toLower();
        QList<Part> parts;
        if (splitAtHeadings && (suffix == QLatin1String("docx") || suffix == QLatin1String("odt"))) {
            parts = SplitAtHeadings(document, info.completeBaseName());
        } else {
            const QString heading = FirstHeading(document);
            parts.append({heading.isEmpty() ? info.completeBaseName() : heading,
                          platform::rtf::RtfLines(document)});
        }
        for (const Part& part : parts) {
            const QString name = UniqueTopicName(part.name, taken);
            storage::AppendPageEntry(store, name, kTextOnlyType, storage::kTopicKind, part.lines, record);
            taken.append(name);
            result.written.append(name);
        }
    }
    return result;
}

} // namespace authoring
