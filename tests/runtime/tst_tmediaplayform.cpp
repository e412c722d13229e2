// Covers the media player window: its geometry rules for video and sound-only media, gauge and closing.
#include "runtime/tmediaplayform.h"

#include "mediafixtures.h"
#include "support/testfiles.h"

#include <QFrame>
#include <QMediaPlayer>
#include <QProgressBar>
#include <QScreen>
#include <QTemporaryDir>
#include <QToolButton>
#include <QVideoWidget>
#include <QtTest>

using runtime::LayOutMediaPlayer;
using runtime::TMediaPlayForm;

class TestMediaPlayForm : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString path(const QString& name) const { return m_dir.path() + QLatin1Char('/') + name; }

    static void saveShot(QWidget& widget, const QString& name)
    {
        const QString shots = qEnvironmentVariable("QUORVEL_SCREENSHOT_DIR");
        if (shots.isEmpty())
            return;
        QTest::qWait(1500);
        // From the screen, so the video picture drawn by the backend is in it too.
        const QPoint origin = widget.mapToGlobal(QPoint(0, 0));
        QPixmap shot =
            widget.screen()->grabWindow(0, origin.x(), origin.y(), widget.width(), widget.height());
        if (shot.isNull())
            shot = widget.grab();
        shot.save(shots + QLatin1Char('/') + name);
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        WriteAll(path(QStringLiteral("CLIP.AVI")), MakeAvi(QSize(96, 72), 20, 10));
        WriteAll(path(QStringLiteral("TUNE.MID")), MakeMidi(4));
        WriteAll(path(QStringLiteral("BROKEN.AVI")), QByteArray("RIFF\x10\0\0\0AVI LIST", 16));
    }

    void layout_followsTheRules_data()
    {
        QTest::addColumn<QSize>("video");
        QTest::addColumn<QRect>("bevel");
        QTest::addColumn<QRect>("videoRect");
        QTest::addColumn<int>("clientHeight");

        QTest::newRow("video 160x120")
            << QSize(160, 120) << QRect(8, 48, 168, 128) << QRect(12, 52, 160, 120) << 48 + 128 + 8;
        QTest::newRow("video wider than the window")
            << QSize(640, 480) << QRect(8, 48, 648, 488) << QRect(12, 52, 640, 480) << 48 + 488 + 8;
        QTest::newRow("sound only") << QSize() << QRect(8, 48, 8, 8) << QRect(12, 52, 0, 0) << 48;
        QTest::newRow("zero video") << QSize(0, 0) << QRect(8, 48, 8, 8) << QRect(12, 52, 0, 0) << 48;
        QTest::newRow("absurd video is bounded")
            << QSize(100000, 50) << QRect(8, 48, 8200, 58) << QRect(12, 52, 8192, 50) << 48 + 58 + 8;
    }

    void layout_followsTheRules()
    {
        QFETCH(QSize, video);
        const runtime::MediaPlayerLayout layout = LayOutMediaPlayer(video);
        QTEST(layout.bevel, "bevel");
        QTEST(layout.video, "videoRect");
        QTEST(layout.clientHeight, "clientHeight");
    }

    void form_hasItsControls()
    {
        TMediaPlayForm form(QStringLiteral("Press the Start button"));
        QCOMPARE(form.windowTitle(), QStringLiteral("Press the Start button"));
        for (const char* name : {"PlayBtn", "PauseBtn", "StopBtn", "PrevBtn"})
            QVERIFY2(form.findChild<QToolButton*>(QLatin1String(name)), name);
        const QWidget* buttons = form.findChild<QWidget*>(QStringLiteral("MediaPlayer1"));
        QVERIFY(buttons);
        QCOMPARE(buttons->pos(), QPoint(8, 8));
        QVERIFY(buttons->geometry().right() < 136);
        const auto* gauge = form.findChild<QProgressBar*>(QStringLiteral("Gauge1"));
        QVERIFY(gauge);
        QCOMPARE(gauge->geometry(), QRect(136, 16, 161, 17));
        QVERIFY(form.findChild<QFrame*>(QStringLiteral("Bevel1")));
    }

    void video_isPlacedAtItsNaturalSize()
    {
        TMediaPlayForm form(QStringLiteral("Press Start"));
        QVERIFY(form.openMedia(path(QStringLiteral("CLIP.AVI"))));
        QCOMPARE(form.width(), 338);
        QCOMPARE(form.height(), 48 + 80 + 8);
        QCOMPARE(form.findChild<QFrame*>(QStringLiteral("Bevel1"))->geometry(), QRect(8, 48, 104, 80));
        const auto* video = form.findChild<QVideoWidget*>(QStringLiteral("VideoDisplay"));
        QCOMPARE(video->geometry(), QRect(12, 52, 96, 72));
        QVERIFY(!video->isHidden());
        QCOMPARE(form.findChild<QProgressBar*>(QStringLiteral("Gauge1"))->maximum(), 2000);
        form.show();
        QTRY_COMPARE_WITH_TIMEOUT(form.player()->playbackState(), QMediaPlayer::PlayingState, 3000);
        saveShot(form, QStringLiteral("mediaplayer-video.png"));
    }

    void midi_showsButtonsAndGaugeOnly()
    {
        TMediaPlayForm form(QStringLiteral("Press Start"));
        QVERIFY(form.openMedia(path(QStringLiteral("TUNE.MID"))));
        QCOMPARE(form.width(), 338);
        QCOMPARE(form.height(), 48);
        QVERIFY(form.findChild<QVideoWidget*>(QStringLiteral("VideoDisplay"))->isHidden());
        QVERIFY(form.findChild<QProgressBar*>(QStringLiteral("Gauge1"))->maximum() >= 1900);
        form.show();
        saveShot(form, QStringLiteral("mediaplayer-midi.png"));
    }

    void gauge_followsThePosition()
    {
        TMediaPlayForm form(QStringLiteral("Press Start"));
        QVERIFY(form.openMedia(path(QStringLiteral("TUNE.MID"))));
        auto* gauge = form.findChild<QProgressBar*>(QStringLiteral("Gauge1"));
        QCOMPARE(gauge->value(), 0);
        form.show();
        QTRY_VERIFY_WITH_TIMEOUT(gauge->value() >= 500, 3000);
    }

    void escape_closesAndStops()
    {
        TMediaPlayForm form(QStringLiteral("Press Start"));
        QVERIFY(form.openMedia(path(QStringLiteral("TUNE.MID"))));
        form.show();
        QTRY_COMPARE_WITH_TIMEOUT(form.player()->playbackState(), QMediaPlayer::PlayingState, 3000);
        // Keys reach the window even while a button has the focus.
        form.findChild<QToolButton*>(QStringLiteral("PlayBtn"))->setFocus();
        QTest::keyClick(form.findChild<QToolButton*>(QStringLiteral("PlayBtn")), Qt::Key_Escape);
        QVERIFY(!form.isVisible());
        QCOMPARE(form.player()->playbackState(), QMediaPlayer::StoppedState);
    }

    void systemMenuClose_stops()
    {
        TMediaPlayForm form(QStringLiteral("Press Start"));
        QVERIFY(form.openMedia(path(QStringLiteral("CLIP.AVI"))));
        form.show();
        QTRY_COMPARE_WITH_TIMEOUT(form.player()->playbackState(), QMediaPlayer::PlayingState, 3000);
        QVERIFY(form.close());
        QCOMPARE(form.player()->playbackState(), QMediaPlayer::StoppedState);
    }

    void buttons_driveThePlayer()
    {
        TMediaPlayForm form(QStringLiteral("Press Start"));
        QVERIFY(form.openMedia(path(QStringLiteral("TUNE.MID"))));
        form.show();
        QTRY_COMPARE_WITH_TIMEOUT(form.player()->playbackState(), QMediaPlayer::PlayingState, 3000);
        QTest::mouseClick(form.findChild<QToolButton*>(QStringLiteral("PauseBtn")), Qt::LeftButton);
        QCOMPARE(form.player()->playbackState(), QMediaPlayer::PausedState);
        QTest::mouseClick(form.findChild<QToolButton*>(QStringLiteral("PlayBtn")), Qt::LeftButton);
        QCOMPARE(form.player()->playbackState(), QMediaPlayer::PlayingState);
        QTest::mouseClick(form.findChild<QToolButton*>(QStringLiteral("StopBtn")), Qt::LeftButton);
        QCOMPARE(form.player()->playbackState(), QMediaPlayer::StoppedState);
    }

    void brokenFile_isRefused()
    {
        TMediaPlayForm form(QStringLiteral("Press Start"));
        QVERIFY(!form.openMedia(path(QStringLiteral("BROKEN.AVI"))));
        QVERIFY(!form.errorString().isEmpty());
        QVERIFY(!form.openMedia(path(QStringLiteral("NOTHERE.AVI"))));
    }
};

QTEST_MAIN(TestMediaPlayForm)
#include "tst_tmediaplayform.moc"
