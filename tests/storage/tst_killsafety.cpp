// Kills a child program with SIGKILL at random moments while it saves the settings, rewrites the
// store (append, replace, delete, move, introduction), compiles, builds the executable and
// publishes a web folder and a SCORM package. After
// every kill each file must be byte for byte its old or its new version, the step must then run
// to its end (no leftover file stops it), and the history must hold whole versions only.
// QUORVEL_KILLS sets the number of kills (200 unless set; scripts/kill.sh runs 1000).
#include "shell/history.h"
#include "storage/settingsrecord.h"
#include "support/testfiles.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <QtEndian>
#include <QtTest>

#include <csignal>

namespace {

// A name ending in "/" stands for a whole folder, which must be old or new as a whole.
const QStringList kFiles = {"KILL.SWJ", "KILL.SWR", "KILL.SWC", "KILL.EXE", "WEB/", "KILL-scorm2004.zip"};
constexpr int kSteps = 10;

// A store of 200 page Topics of about 8 KB, written as the program writes them.
QByteArray SeedStore()
{
    QByteArray store;
    for (int topic = 0; topic < 200; ++topic) {
        store += "[Seed " + QByteArray::number(topic) + "]\r\nsource=HYPER\r\ntype=1\r\ndisplaytype=1\r\n"
                 "fullscreen=false\r\nSbackcolor=clSilver\r\nSGraphic=\r\nSWallpaper=\r\nVPBack=clWhite\r\n"
                 "VPLeft=120\r\nVPTop=80\r\nVPWidth=400\r\nVPHeight=200\r\nRLTop=1\r\nRLLeft=1\r\n"
                 "print=false\r\ntext=\r\n{\\rtf1\\ansi\\deff0\r\n";
        for (int line = 0; line < 100; ++line)
            store += "\\par Seed line " + QByteArray::number(line) + " of the page about the rivers.\r\n";
        store += "}\r\n]\r\n\r\n";
    }
    return store;
}

QList<QByteArray> Snapshot(const QString& folder)
{
    QList<QByteArray> files;
    for (const QString& name : kFiles) {
        if (!name.endsWith(QLatin1Char('/'))) {
            QFile file(folder + QLatin1Char('/') + name);
            files << (file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)"));
            continue;
        }
        // Every file's path and a digest of its bytes, in a fixed order.
        const QDir root(folder + QLatin1Char('/') + name);
        QStringList paths;
        for (QDirIterator it(root.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();)
            paths << root.relativeFilePath(it.next());
        paths.sort();
        QByteArray tree = root.exists() ? QByteArray() : QByteArray("(missing)");
        for (const QString& path : std::as_const(paths))
            tree += path.toUtf8() + ' ' + QCryptographicHash::hash(ReadAll(root.filePath(path)), QCryptographicHash::Sha1).toHex() + '\n';
        files << tree;
    }
    return files;
}

// A package is made anew with an identifier of its own each time, so a kill just after it was put
// in place leaves a third version: whole, if its central directory ends the file where it says.
bool IsWholeZip(const QByteArray& zip)
{
    const qsizetype end = zip.size() - 22;
    if (end < 0 || !zip.sliced(end).startsWith("PK\x05\x06"))
        return false;
    const qint64 size = qFromLittleEndian<quint32>(zip.constData() + end + 12);
    const qint64 offset = qFromLittleEndian<quint32>(zip.constData() + end + 16);
    return offset + size == end && zip.sliced(offset).startsWith("PK\x01\x02");
}

} // namespace

class TestKillSafety : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_child;

    // Runs the step to its end; the failure message when it did not succeed.
    QString runStep(int step, qint64* elapsedMs = nullptr)
    {
        QElapsedTimer clock;
        clock.start();
        QProcess child;
        child.start(m_child, {m_dir.path(), QString::number(step)});
        if (!child.waitForFinished(60000) || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0)
            return QStringLiteral("step %1 failed: %2").arg(step).arg(QString::fromLocal8Bit(child.readAllStandardError()));
        if (elapsedMs)
            *elapsedMs = clock.elapsed();
        return {};
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_child = QCoreApplication::applicationDirPath() + QStringLiteral("/kill_child");
        QVERIFY(QFileInfo(m_child).isExecutable());
        WriteAll(m_dir.filePath(QStringLiteral("KILL.SWR")), SeedStore());
        for (int step = 0; step < kSteps; ++step)
            QCOMPARE(runStep(step), QString());
    }

    void randomKills_leaveOldOrNewFiles()
    {
        const int kills = qEnvironmentVariableIsSet("QUORVEL_KILLS") ? qEnvironmentVariableIntValue("QUORVEL_KILLS") : 200;
        QRandomGenerator random(kills);
        // How long each kind of step takes, so kills fall anywhere within it, start-up included.
        QList<qint64> duration(kSteps, 200);
        int torn = 0;
        int finishedFirst = 0;
        for (int kill = 0; kill < kills; ++kill) {
            const int step = kSteps + kill;
            const QList<QByteArray> before = Snapshot(m_dir.path());
            QProcess child;
            child.start(m_child, {m_dir.path(), QString::number(step)});
            QVERIFY(child.waitForStarted());
            QThread::usleep(random.bounded(quint32(duration[step % kSteps] * 1000)));
            ::kill(pid_t(child.processId()), SIGKILL);
            child.waitForFinished();
            if (child.exitStatus() == QProcess::NormalExit)
                ++finishedFirst;
            const QList<QByteArray> killed = Snapshot(m_dir.path());

            qint64 elapsed = 0;
            const QString failure = runStep(step, &elapsed);
            QVERIFY2(failure.isEmpty(), qPrintable(failure));
            duration[step % kSteps] = elapsed + elapsed / 5;
            const QList<QByteArray> after = Snapshot(m_dir.path());
            for (qsizetype i = 0; i < kFiles.size(); ++i) {
                if (killed[i] != before[i] && killed[i] != after[i] &&
                    !(kFiles[i].endsWith(QLatin1String(".zip")) && IsWholeZip(killed[i]))) {
                    ++torn;
                    qWarning("step %d: %s is neither its old nor its new version", step, qPrintable(kFiles[i]));
                }
            }
        }
        // Whole versions only, and no more of each than the history keeps.
        const auto settings = shell::ListVersions(m_dir.path(), {"KILL.SWJ"});
        const auto stores = shell::ListVersions(m_dir.path(), {"KILL.SWR"});
        QVERIFY(settings.size() <= shell::kMaxVersions && stores.size() <= shell::kMaxVersions);
        QVERIFY(!settings.isEmpty() && !stores.isEmpty());
        for (const shell::FileVersion& version : settings)
            QCOMPARE(QFileInfo(version.path).size(), qint64(storage::kSettingsSize));
        for (const shell::FileVersion& version : stores)
            QVERIFY(ReadAll(version.path).endsWith("]\r\n\r\n"));
        qInfo("kills: %d (the step had ended before %d of them), torn files: %d", kills, finishedFirst, torn);
        QCOMPARE(torn, 0);
        // A killed publication leaves its work folder; the next one beside it takes it away.
        QCOMPARE(runStep(kSteps * (kills / kSteps + 2) + 8), QString());
        QCOMPARE(QDir(m_dir.path()).entryList({QStringLiteral(".publishing-*")}, QDir::Dirs | QDir::Hidden), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestKillSafety)
#include "tst_killsafety.moc"
