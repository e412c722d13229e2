// Covers the media show entry point: which window (if any) each command text opens, and its messages.
#include "runtime/mediashow.h"

#include "mediafixtures.h"
#include "support/scripteddialogs.h"
#include "support/testfiles.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QImage>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {

// What a modal window looked like when it came up.
struct SeenWindow
{
    QString className;
    QString title;
    QSize size;
};

// Closes every modal window shortly after it appears and remembers it.
class WindowWatcher : public QObject
{
public:
    explicit WindowWatcher(int closeAfterMs = 300)
    {
        connect(&m_timer, &QTimer::timeout, this, [this, closeAfterMs] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            if (dialog != m_current) {
                m_current = dialog;
                m_since.start();
                seen.append({QString::fromLatin1(dialog->metaObject()->className()), dialog->windowTitle(),
                             dialog->size()});
            }
            if (m_since.elapsed() >= closeAfterMs)
                dialog->reject();
        });
        m_timer.start(20);
    }
    QList<SeenWindow> seen;

private:
    QTimer m_timer;
    QDialog* m_current = nullptr;
    QElapsedTimer m_since;
};

} // namespace

class TestMediaShow : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString dir() const { return m_dir.path() + QLatin1Char('/'); }
    runtime::MediaContext context() const
    {
        return {dir(), QStringLiteral("Press the Start button"), nullptr};
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QImage image(64, 48, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        QVERIFY(image.save(dir() + QStringLiteral("PIC.BMP"), "BMP"));
        QVERIFY(image.save(dir() + QStringLiteral("photo.jpg"), "JPG"));
        WriteAll(dir() + QStringLiteral("sound.wav"), MakeWave(300));
        WriteAll(dir() + QStringLiteral("TUNE.MID"), MakeMidi(2));
        WriteAll(dir() + QStringLiteral("clip.avi"), MakeAvi(QSize(80, 60), 10, 10));
        WriteAll(dir() + QStringLiteral("BAD.AVI"), QByteArray(200, 'q'));
        // A placeable metafile header: real WMF bytes, which nothing here decodes.
        WriteAll(dir() + QStringLiteral("MAP.WMF"), QByteArray("\xD7\xCD\xC6\x9A", 4) + QByteArray(40, '\0'));
        WriteAll(dir() + QStringLiteral("TORN.BMP"), QByteArray("BM") + QByteArray(30, '\x01'));
    }

    void undecodablePicture_givesOnlyTheMessage_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("message");
        QTest::newRow("metafile") << "Map.wmf,0" << "The graphic file Map.wmf cannot be shown";
        QTest::newRow("metafile with sound") << "map.WMF,sound.wav,5" << "The graphic file map.WMF cannot be shown";
        QTest::newRow("damaged bitmap") << "torn.bmp" << "The graphic file torn.bmp cannot be shown";
    }

    void undecodablePicture_givesOnlyTheMessage()
    {
        QFETCH(QString, command);
        QFETCH(QString, message);
        ScriptedDialogs dialogs;
        WindowWatcher watcher;
        runtime::ShowMedia(QStringLiteral("Volcanoes"), command, context());
        QCOMPARE(dialogs.errors, QStringList{message});
        QCOMPARE(watcher.seen.size(), 0);
    }

    void picture_opensThePictureShow()
    {
        ScriptedDialogs dialogs;
        WindowWatcher watcher;
        runtime::ShowMedia(QStringLiteral("Volcanoes"), QStringLiteral("pic.bmp,0"), context());
        QCOMPARE(dialogs.errors, QStringList());
        QCOMPARE(watcher.seen.size(), 1);
        QCOMPARE(watcher.seen[0].className, QStringLiteral("runtime::TShowMultForm"));
        QCOMPARE(watcher.seen[0].title, QStringLiteral("Volcanoes"));
        QCOMPARE(watcher.seen[0].size, QSize(640, 480));
    }

    void pictureWaveAndTime_closesByItself()
    {
        ScriptedDialogs dialogs;
        WindowWatcher watcher(5000);
        QElapsedTimer clock;
        clock.start();
        runtime::ShowMedia(QStringLiteral("Volcanoes"), QStringLiteral("PHOTO.JPG,SOUND.WAV,5"), context());
        QVERIFY2(clock.elapsed() < 3000, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(clock.elapsed() >= 480);
        QCOMPARE(watcher.seen.size(), 1);
        QCOMPARE(dialogs.errors, QStringList());
    }

    void videoAndPicture_playsOnlyTheVideo()
    {
        ScriptedDialogs dialogs;
        WindowWatcher watcher;
        runtime::ShowMedia(QStringLiteral("Volcanoes"), QStringLiteral("PIC.BMP,CLIP.AVI,SOUND.WAV"),
                           context());
        QCOMPARE(dialogs.errors, QStringList());
        QCOMPARE(watcher.seen.size(), 1);
        QCOMPARE(watcher.seen[0].className, QStringLiteral("runtime::TMediaPlayForm"));
        QCOMPARE(watcher.seen[0].title, QStringLiteral("Press the Start button"));
        QCOMPARE(watcher.seen[0].size, QSize(338, 48 + 68 + 8));
    }

    void midiAlone_opensThePlayerWithButtonsOnly()
    {
        ScriptedDialogs dialogs;
        WindowWatcher watcher;
        runtime::ShowMedia(QStringLiteral("Volcanoes"), QStringLiteral("tune.mid"), context());
        QCOMPARE(watcher.seen.size(), 1);
        QCOMPARE(watcher.seen[0].className, QStringLiteral("runtime::TMediaPlayForm"));
        QCOMPARE(watcher.seen[0].size, QSize(338, 48));
    }

    void missingSoundWithPicture_givesOnlyTheMessage()
    {
        ScriptedDialogs dialogs;
        WindowWatcher watcher;
        runtime::ShowMedia(QStringLiteral("Volcanoes"), QStringLiteral("PIC.BMP,lost.wav,50"), context());
        QCOMPARE(dialogs.errors, QStringList{QStringLiteral("The file LOST.WAV is missing")});
        QCOMPARE(watcher.seen.size(), 0);
    }

    void missingVideo_givesTheMessage()
    {
        ScriptedDialogs dialogs;
        WindowWatcher watcher;
        runtime::ShowMedia(QStringLiteral("Volcanoes"), QStringLiteral("gone.avi"), context());
        QCOMPARE(dialogs.errors, QStringList{QStringLiteral("The file GONE.AVI is missing")});
        QCOMPARE(watcher.seen.size(), 0);
    }

    void waveAlone_withoutDevice_returnsQuietly()
    {
        ScriptedDialogs dialogs;
        WindowWatcher watcher;
        QElapsedTimer clock;
        clock.start();
        runtime::ShowMedia(QStringLiteral("Volcanoes"), QStringLiteral("SOUND.WAV"), context());
        QCOMPARE(dialogs.errors, QStringList());
        QCOMPARE(watcher.seen.size(), 0);
        QVERIFY(clock.elapsed() < 3000);
    }

    void unplayableVideo_isReported()
    {
        ScriptedDialogs dialogs;
        WindowWatcher watcher;
        runtime::ShowMedia(QStringLiteral("Volcanoes"), QStringLiteral("bad.avi"), context());
        QCOMPARE(dialogs.errors.size(), 1);
        QVERIFY(!dialogs.errors[0].isEmpty());
        QCOMPARE(watcher.seen.size(), 0);
    }
};

QTEST_MAIN(TestMediaShow)
#include "tst_mediashow.moc"
