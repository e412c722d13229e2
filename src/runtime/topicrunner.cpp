#include "runtime/topicrunner.h"

#include "shell/appstate.h"
#include "storage/topicsource.h"
#include "storage/topicstore.h"

namespace runtime {

int TopicTypeCode(const QStringList& entry)
{
    if (entry.size() < 3)
        return 0;
    const QString& line = entry.at(2);
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    if (equals < 0)
        return 0;
    bool ok = false;
    const int code = line.mid(equals + 1, 2).trimmed().toInt(&ok);
    return ok ? code : 0;
}

bool ReadTopicEntry(const storage::TopicSource& source, const QString& name, QStringList& entry)
{
    QStringList lines;
    if (!source.entry(name, storage::kTopicKind, lines) || lines.isEmpty())
        return false;
    if (lines.first().startsWith(QLatin1Char('[')))
        lines.first() = lines.first().mid(1, lines.first().size() - 2);
    entry = lines;
    return true;
}

QString TopicTitle(const QStringList& entry)
{
    if (entry.isEmpty())
        return {};
    const QString& name = entry.first();
    if (name.startsWith(QLatin1Char('[')))
        return name.mid(1, name.size() - 2);
    return name;
}

QString TopicCommandValue(const QStringList& entry)
{
    if (entry.size() < 4)
        return {};
    const QString& line = entry.at(3);
    return line.mid(line.indexOf(QLatin1Char('=')) + 1);
}

void RunTopic(const QStringList& entry, TopicRunnerScreens& screens, shell::AppState& state)
{
    const int type = TopicTypeCode(entry);
    state.CurrentTopicTitle = TopicTitle(entry);
    switch (type) {
    case 1:
        screens.showTextPage(entry);
        break;
    case 5:
        screens.showDesignedPage(entry);
        break;
    case 2:
    case 3:
    case 6:
    case 7:
    case 8:
        screens.showMedia(type, TopicCommandValue(entry), state.CurrentTopicTitle);
        break;
    case 4:
    case 9:
        screens.runProgram(type, TopicCommandValue(entry));
        break;
    case 10:
        screens.openDocument(TopicCommandValue(entry));
        break;
    case 13:
        screens.openNotes(TopicCommandValue(entry));
        break;
    default:
        break;
    }
}

} // namespace runtime
