#include "platform/waveplayer.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QTimer>
#include <QUrl>
#include <limits>

namespace platform {

namespace {

// Swallows keyboard and mouse input for every object of the application while it lives.
class InputBlocker : public QObject
{
public:
    InputBlocker() { QCoreApplication::instance()->installEventFilter(this); }
    ~InputBlocker() override { QCoreApplication::instance()->removeEventFilter(this); }
    InputBlocker(const InputBlocker&) = delete;
    InputBlocker& operator=(const InputBlocker&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::TabletPress:
        case QEvent::TabletRelease:
        case QEvent::ContextMenu:
            return true;
        default:
            return QObject::eventFilter(watched, event);
        }
    }
};

} // namespace

bool HasWaveOutput()
{
    return !QMediaDevices::audioOutputs().isEmpty();
}

WaveResult PlayWaveToEnd(const QString& path, const WaveOptions& options)
{
    QCoreApplication::processEvents();
    if (options.requireDevice && !HasWaveOutput())
        return WaveResult::NoDevice;

    InputBlocker blocker;
    QMediaPlayer player;
    QAudioOutput output;
    player.setAudioOutput(&output);

    QEventLoop loop;
    WaveResult result = WaveResult::TimedOut;
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(&player, &QMediaPlayer::durationChanged, &loop, [&](qint64 duration) {
        // Once the length is known the wait is bounded by it rather than by the load time.
        if (duration > 0)
            watchdog.start(int(qMin<qint64>(duration + options.marginMs, std::numeric_limits<int>::max())));
    });
    QObject::connect(&player, &QMediaPlayer::mediaStatusChanged, &loop,
                     [&](QMediaPlayer::MediaStatus status) {
                         if (status == QMediaPlayer::EndOfMedia) {
                             result = WaveResult::Ended;
                             loop.quit();
                         } else if (status == QMediaPlayer::InvalidMedia) {
                             result = WaveResult::Failed;
                             loop.quit();
                         }
                     });
    QObject::connect(&player, &QMediaPlayer::errorOccurred, &loop, [&](QMediaPlayer::Error error) {
        if (error != QMediaPlayer::NoError) {
            result = WaveResult::Failed;
            loop.quit();
        }
    });

    watchdog.start(options.loadTimeoutMs);
    player.setSource(QUrl::fromLocalFile(path));
    player.play();
    if (result == WaveResult::TimedOut)
        loop.exec();
    player.stop();
    return result;
}

void PlayWave(const QString& path)
{
    PlayWaveToEnd(path);
}

} // namespace platform
