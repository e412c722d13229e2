// Over 200 damaged and hostile Study Lists, each taken by a child program through open, every
// Topic, the preview, compile, executable, distribution, publishing, the compiled-list reader and
// the main window's list commands: no crash, no step longer than 10 s, and no file outside the
// list's folder and the destination created or changed.
#include "hostilelists.h"
#include "support/testfiles.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>

namespace {

constexpr int kSecondsEach = 10;
// The child's some twenty steps together.
constexpr int kSecondsAll = 120;

// A sanitizer build runs several times slower: QUORVEL_TIME_SCALE stretches the limits, and
// QUORVEL_HOSTILE_MAX_MB leaves the lists of many megabytes, which test time more than memory,
// to the plain build.
int TimeScale()
{
    return std::max(1, qEnvironmentVariableIntValue("QUORVEL_TIME_SCALE"));
}

qint64 ListBytes(const HostileList& hostile)
{
    qint64 bytes = 0;
    for (const QByteArray& file : hostile.files)
        bytes += file.size();
    return bytes;
}

// Every file under `root` but the list's folder and the destination, with a digest of its bytes
// and its modification time.
QMap<QString, QByteArray> Outside(const QString& root, const QString& list, const QString& destination)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (path.startsWith(list + QLatin1Char('/')) || path == list || path.startsWith(destination))
            continue;
        const QFileInfo info = it.fileInfo();
        QFile file(path);
        const QByteArray digest = info.isFile() && !info.isSymLink() && file.open(QIODevice::ReadOnly)
                                      ? QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha1)
                                      : QByteArray("-");
        files.insert(path, digest + QByteArray::number(info.lastModified().toMSecsSinceEpoch()));
    }
    return files;
}

} // namespace

class TestHostileLists : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyList_isRefusedOrShownWithoutHarm()
    {
        const QString child = QCoreApplication::applicationDirPath() + QStringLiteral("/hostile_child");
        QVERIFY(QFileInfo(child).isExecutable());
        QList<HostileList> lists = MakeHostileLists();
        QVERIFY(lists.size() >= 200);
        // QUORVEL_HOSTILE=TEXT runs only the lists whose name holds TEXT, for looking into one.
        const QString only = qEnvironmentVariable("QUORVEL_HOSTILE");
        lists.removeIf([&only](const HostileList& hostile) { return !hostile.name.contains(only); });
        bool limited = false;
        const qint64 maxBytes = qEnvironmentVariableIntValue("QUORVEL_HOSTILE_MAX_MB", &limited) * 1024LL * 1024;
        if (limited)
            lists.removeIf([maxBytes](const HostileList& hostile) { return ListBytes(hostile) > maxBytes; });
        const int secondsEach = kSecondsEach * TimeScale();
        const int secondsAll = kSecondsAll * TimeScale();
        int crashes = 0;
        int hangs = 0;
        int changedOutside = 0;
        int refusals = 0;
        for (const HostileList& hostile : lists) {
            QTemporaryDir root;
            const QString list = root.filePath(QStringLiteral("a/list"));
            const QString destination = root.filePath(QStringLiteral("dest"));
            QDir().mkpath(list);
            QDir().mkpath(destination);
            QDir().mkpath(root.filePath(QStringLiteral("outside")));
            WriteAll(root.filePath(QStringLiteral("x")), "#!/bin/sh\ntouch \"$0.ran\"\n");
            QFile::setPermissions(root.filePath(QStringLiteral("x")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            WriteAll(root.filePath(QStringLiteral("outside/secret")), "secret");
            for (auto it = hostile.files.begin(); it != hostile.files.end(); ++it) {
                const QString path = list + QLatin1Char('/') + it.key();
                if (it.key().endsWith(QLatin1Char('/')))
                    QDir().mkpath(path);
                else if (it.value().startsWith("->"))
                    QFile::link(QString::fromUtf8(it.value().mid(2)), path);
                else
                    WriteAll(path, it.value());
            }
            const QMap<QString, QByteArray> before = Outside(root.path(), list, destination);

            QProcess run;
            run.start(child, {list, destination});
            const bool finished = run.waitForFinished(secondsAll * 1000);
            if (!finished) {
                run.kill();
                run.waitForFinished();
            }
            const QByteArray output = run.readAllStandardOutput();
            QByteArray begun;
            for (const QByteArray& line : output.split('\n')) {
                if (line.startsWith("begin: "))
                    begun = line.mid(7);
                if (!line.startsWith("step: "))
                    continue;
                begun.clear();
                const qsizetype blank = line.lastIndexOf(' ');
                if (line.mid(blank + 1).toLongLong() > secondsEach * 1000) {
                    ++hangs;
                    qWarning("%s: %s took %s ms", qPrintable(hostile.name), line.mid(6, blank - 6).constData(),
                             line.mid(blank + 1).constData());
                }
            }
            if (!finished) {
                ++hangs;
                qWarning("%s: still running after %d s in %s", qPrintable(hostile.name), secondsAll, begun.constData());
            } else if (run.exitStatus() != QProcess::NormalExit || run.exitCode() != 0) {
                ++crashes;
                qWarning("%s: ended with %d in %s\n%s", qPrintable(hostile.name), run.exitCode(), begun.constData(),
                         run.readAllStandardError().right(3000).constData());
            }
            refusals += int(output.count("message: "));
            const QMap<QString, QByteArray> after = Outside(root.path(), list, destination);
            if (after != before) {
                ++changedOutside;
                qWarning("%s: files outside the list changed", qPrintable(hostile.name));
            }
        }
        qInfo("hostile lists: %d, crashes: %d, hangs: %d, changed outside: %d, messages shown: %d",
              int(lists.size()), crashes, hangs, changedOutside, refusals);
        QCOMPARE(crashes, 0);
        QCOMPARE(hangs, 0);
        QCOMPARE(changedOutside, 0);
    }
};

QTEST_GUILESS_MAIN(TestHostileLists)
#include "tst_hostilelists.moc"
