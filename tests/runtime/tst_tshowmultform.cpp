// Covers the picture show window: size and picture, display time, closing keys and clicks, sounds.
#include "runtime/tshowmultform.h"

#include "mediafixtures.h"
#include "platform/waveplayer.h"
#include "support/testfiles.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QMediaPlayer>
#include <QPainter>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using runtime::PictureShow;
using runtime::TShowMultForm;

namespace {

// A wave player that takes `ms` to play, letting events flow like the platform one.
TShowMultForm::WavePlayer SlowWave(int ms, QStringList* played)
{
    return [ms, played](const QString& path) {
        played->append(path);
        QEventLoop loop;
        QTimer::singleShot(ms, &loop, &QEventLoop::quit);
        loop.exec();
    };
}

} // namespace

class TestShowMultForm : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString path(const QString& name) const { return m_dir.path() + QLatin1Char('/') + name; }

    PictureShow show(const QString& picture, const QString& sound = {}, int time = 0) const
    {
        return PictureShow{QStringLiteral("Volcanoes"), path(picture),
                           sound.isEmpty() ? QString() : path(sound), time};
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QImage image(200, 100, QImage::Format_RGB32);
        // A plain field with a circle and a word in one corner; the centre keeps the field's colour.
        const auto paint = [&image](const QColor& field, const QString& word) {
            image.fill(field);
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setBrush(QColor(250, 220, 40));
            painter.setPen(Qt::NoPen);
            painter.drawEllipse(QRect(10, 10, 40, 40));
            painter.setPen(Qt::white);
            painter.drawText(QRect(120, 60, 80, 40), Qt::AlignCenter, word);
        };
        paint(QColor(200, 30, 30), QStringLiteral("BMP"));
        QVERIFY(image.save(path(QStringLiteral("PIC.BMP")), "BMP"));
        paint(QColor(20, 160, 40), QStringLiteral("JPEG"));
        QVERIFY(image.save(path(QStringLiteral("PHOTO.JPG")), "JPG"));
        WriteAll(path(QStringLiteral("BAD.BMP")), QByteArray("BM\xff\xff\xff\xff garbage"));
        WriteAll(path(QStringLiteral("SOUND.WAV")), MakeWave(600));
        WriteAll(path(QStringLiteral("TUNE.MID")), MakeMidi(8));
    }

    void window_isCentredAndStretchesThePicture_data()
    {
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("bmp") << "PIC.BMP" << QColor(200, 30, 30);
        QTest::newRow("jpeg") << "PHOTO.JPG" << QColor(20, 160, 40);
    }

    void window_isCentredAndStretchesThePicture()
    {
        QFETCH(QString, picture);
        QFETCH(QColor, colour);
        TShowMultForm form(show(picture));
        QCOMPARE(form.windowTitle(), QStringLiteral("Volcanoes"));
        QCOMPARE(form.size(), QSize(640, 480));
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY(qAbs(form.geometry().center().x() - area.center().x()) <= 1);
        QVERIFY(qAbs(form.geometry().center().y() - area.center().y()) <= 1);
        const auto* image = form.findChild<QLabel*>(QStringLiteral("Image1"));
        QVERIFY(image);
        QCOMPARE(image->geometry(), QRect(0, 0, 640, 480));
        const QImage shown = image->pixmap().toImage();
        QCOMPARE(shown.size(), QSize(640, 480));
        const QColor centre = shown.pixelColor(320, 240);
        QVERIFY2(qAbs(centre.red() - colour.red()) < 12 && qAbs(centre.green() - colour.green()) < 12,
                 qPrintable(centre.name()));
        const QString shots = qEnvironmentVariable("QUORVEL_SCREENSHOT_DIR");
        if (!shots.isEmpty()) {
            form.show();
            QTest::qWait(300);
            form.grab().save(shots + QStringLiteral("/pictureshow-") + picture.toLower() +
                             QStringLiteral(".png"));
            form.screen()->grabWindow(0).save(shots + QStringLiteral("/pictureshow-screen-") +
                                              picture.toLower() + QStringLiteral(".png"));
        }
    }

    void unreadablePicture_showsAnEmptyWindow()
    {
        TShowMultForm form(show(QStringLiteral("BAD.BMP")));
        QVERIFY(form.findChild<QLabel*>(QStringLiteral("Image1"))->pixmap().isNull());
        QCOMPARE(form.size(), QSize(640, 480));
    }

    void displayTime_closesTheWindow()
    {
        TShowMultForm form(show(QStringLiteral("PIC.BMP"), {}, 300));
        QElapsedTimer clock;
        clock.start();
        form.show();
        QTRY_VERIFY_WITH_TIMEOUT(!form.isVisible(), 3000);
        QVERIFY(clock.elapsed() >= 280);
    }

    void zeroDisplayTime_staysUntilClosed()
    {
        TShowMultForm form(show(QStringLiteral("PIC.BMP"), {}, 0));
        form.show();
        QTest::qWait(600);
        QVERIFY(form.isVisible());
    }

    void keysAndLeftClick_close_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("click");
        QTest::newRow("escape") << int(Qt::Key_Escape) << false;
        QTest::newRow("enter") << int(Qt::Key_Return) << false;
        QTest::newRow("keypad enter") << int(Qt::Key_Enter) << false;
        QTest::newRow("left click on the picture") << 0 << true;
    }

    void keysAndLeftClick_close()
    {
        QFETCH(int, key);
        QFETCH(bool, click);
        TShowMultForm form(show(QStringLiteral("PIC.BMP")));
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        if (click)
            QTest::mouseClick(form.findChild<QLabel*>(QStringLiteral("Image1")), Qt::LeftButton, {},
                              QPoint(100, 100));
        else
            QTest::keyClick(&form, Qt::Key(key));
        QVERIFY(!form.isVisible());
    }

    void otherKeysAndRightClick_doNotClose()
    {
        TShowMultForm form(show(QStringLiteral("PIC.BMP")));
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTest::keyClick(&form, Qt::Key_A);
        QTest::mouseClick(&form, Qt::RightButton, {}, QPoint(50, 50));
        QVERIFY(form.isVisible());
    }

    void waveSound_startsSoonAndHoldsTheClose()
    {
        QStringList played;
        TShowMultForm form(show(QStringLiteral("PIC.BMP"), QStringLiteral("SOUND.WAV"), 100), nullptr,
                           SlowWave(800, &played));
        // Timers keep running while the sound plays; these look at the window meanwhile.
        int playedAt50 = -1;
        bool visibleAt500 = false;
        QTimer::singleShot(50, &form, [&] { playedAt50 = int(played.size()); });
        QTimer::singleShot(500, &form, [&] { visibleAt500 = form.isVisible(); });
        QElapsedTimer clock;
        clock.start();
        form.show();
        QTRY_VERIFY_WITH_TIMEOUT(!form.isVisible(), 3000);
        const qint64 closedAt = clock.elapsed();
        QCOMPARE(playedAt50, 1);
        QCOMPARE(played, QStringList{path(QStringLiteral("SOUND.WAV"))});
        QVERIFY(visibleAt500);
        QVERIFY2(closedAt >= 780, qPrintable(QString::number(closedAt)));
    }

    void waveSound_displayTimeLongerThanTheSound_wins()
    {
        QStringList played;
        TShowMultForm form(show(QStringLiteral("PIC.BMP"), QStringLiteral("SOUND.WAV"), 900), nullptr,
                           SlowWave(200, &played));
        QElapsedTimer clock;
        clock.start();
        form.show();
        QTRY_VERIFY_WITH_TIMEOUT(!form.isVisible(), 3000);
        const qint64 closedAt = clock.elapsed();
        QCOMPARE(played.size(), 1);
        // Qt's coarse timers may fire up to 5 % early; anything near 900 ms is the display time, far
        // beyond the 200 ms sound.
        QVERIFY2(closedAt >= 800, qPrintable(QString::number(closedAt)));
    }

    void waveSound_realPlayer_blocksInputUntilItEnds()
    {
        // Plays through the backend even without a sound device; keys pressed meanwhile are lost.
        TShowMultForm form(show(QStringLiteral("PIC.BMP"), QStringLiteral("SOUND.WAV"), 0), nullptr,
                           [](const QString& wave) {
                               platform::WaveOptions options;
                               options.requireDevice = false;
                               platform::PlayWaveToEnd(wave, options);
                           });
        bool escapeSent = false;
        QTimer::singleShot(200, &form, [&] {
            QTest::keyClick(&form, Qt::Key_Escape);
            escapeSent = true;
        });
        form.show();
        QTRY_VERIFY_WITH_TIMEOUT(escapeSent, 3000);
        // The blocked Escape never reached the window; it stays after the sound, display time 0.
        QTest::qWait(1200);
        QVERIFY(form.isVisible());
        QTest::keyClick(&form, Qt::Key_Escape);
        QVERIFY(!form.isVisible());
    }

    void midiSound_playsAlongAndStopsOnClose()
    {
        TShowMultForm form(show(QStringLiteral("PIC.BMP"), QStringLiteral("TUNE.MID")));
        form.show();
        QTRY_COMPARE_WITH_TIMEOUT(form.midiPlayer()->playbackState(), QMediaPlayer::PlayingState, 3000);
        QCOMPARE(form.midiPlayer()->source().toLocalFile(), path(QStringLiteral("TUNE.MID")));
        QTest::keyClick(&form, Qt::Key_Return);
        QVERIFY(!form.isVisible());
        QCOMPARE(form.midiPlayer()->playbackState(), QMediaPlayer::StoppedState);
    }

    void noSound_startsNothing()
    {
        QStringList played;
        TShowMultForm form(show(QStringLiteral("PIC.BMP")), nullptr, SlowWave(10, &played));
        form.show();
        QTest::qWait(100);
        QVERIFY(played.isEmpty());
        QCOMPARE(form.midiPlayer()->source(), QUrl());
    }
};

QTEST_MAIN(TestShowMultForm)
#include "tst_tshowmultform.moc"
