// Covers the wave player: no device, playing to the end, no input while playing, broken files.
#include "platform/waveplayer.h"

#include "runtime/mediafixtures.h"
#include "support/testfiles.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using platform::PlayWaveToEnd;
using platform::WaveOptions;
using platform::WaveResult;

Q_DECLARE_METATYPE(platform::WaveResult)

class TestWavePlayer : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString path(const QString& name) const { return m_dir.path() + QLatin1Char('/') + name; }

    static WaveOptions anyDevice()
    {
        WaveOptions options;
        options.requireDevice = false;
        return options;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        WriteAll(path(QStringLiteral("TONE.WAV")), MakeWave(700));
        WriteAll(path(QStringLiteral("NOISE.WAV")), QByteArray(3000, 'z'));
        WriteAll(path(QStringLiteral("SHORT.WAV")), MakeWave(700).left(30));
    }

    void noOutputDevice_returnsAtOnce()
    {
        if (platform::HasWaveOutput())
            QSKIP("this machine has a sound device");
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(PlayWaveToEnd(path(QStringLiteral("TONE.WAV"))), WaveResult::NoDevice);
        platform::PlayWave(path(QStringLiteral("TONE.WAV")));
        QVERIFY(clock.elapsed() < 500);
    }

    void wave_playsToItsEnd()
    {
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(PlayWaveToEnd(path(QStringLiteral("TONE.WAV")), anyDevice()), WaveResult::Ended);
        QVERIFY2(clock.elapsed() >= 600, qPrintable(QString::number(clock.elapsed())));
    }

    void whilePlaying_timersRunButInputIsLost()
    {
        QLineEdit edit;
        edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&edit));
        edit.setFocus();
        int ticks = 0;
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, this, [&] {
            ++ticks;
            QTest::keyClick(&edit, Qt::Key_X);
            QTest::mouseClick(&edit, Qt::LeftButton);
        });
        ticker.start(100);
        QCOMPARE(PlayWaveToEnd(path(QStringLiteral("TONE.WAV")), anyDevice()), WaveResult::Ended);
        ticker.stop();
        QVERIFY(ticks >= 4);
        QCOMPARE(edit.text(), QString());
        // Afterwards input flows again.
        QTest::keyClick(&edit, Qt::Key_Y);
        QCOMPARE(edit.text(), QStringLiteral("y"));
    }

    void brokenFiles_endTheWaitQuickly_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("not a wave") << "NOISE.WAV";
        QTest::newRow("cut short header") << "SHORT.WAV";
        QTest::newRow("missing") << "NOTHERE.WAV";
    }

    void brokenFiles_endTheWaitQuickly()
    {
        QFETCH(QString, name);
        WaveOptions options = anyDevice();
        options.loadTimeoutMs = 4000;
        QElapsedTimer clock;
        clock.start();
        const WaveResult result = PlayWaveToEnd(path(name), options);
        QVERIFY2(result == WaveResult::Failed || result == WaveResult::Ended,
                 qPrintable(QString::number(int(result))));
        QVERIFY2(clock.elapsed() < 4000, qPrintable(QString::number(clock.elapsed())));
    }

    void stalledBackend_isCutOffByTheWatchdog()
    {
        // A wave that claims an hour but holds a few bytes: the wait ends no later than its bound.
        WaveOptions options = anyDevice();
        options.loadTimeoutMs = 1500;
        options.marginMs = 500;
        QByteArray lying = MakeWave(200);
        lying.replace(40, 4, QByteArray("\xff\xff\xff\x7f", 4));
        WriteAll(path(QStringLiteral("LYING.WAV")), lying);
        QElapsedTimer clock;
        clock.start();
        PlayWaveToEnd(path(QStringLiteral("LYING.WAV")), options);
        QVERIFY2(clock.elapsed() < 10000, qPrintable(QString::number(clock.elapsed())));
    }
};

QTEST_MAIN(TestWavePlayer)
#include "tst_waveplayer.moc"
