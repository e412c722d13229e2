#pragma once

#include "runtime/mediaplayerlayout.h"

#include <QDialog>

class QAudioOutput;
class QFrame;
class QMediaPlayer;
class QProgressBar;
class QTimer;
class QToolButton;
class QVideoWidget;

namespace runtime {

// The media player window for videos (".AVI") and MIDI tunes (".MID"): the Play, Pause, Stop and
// Previous buttons, a progress gauge moved once a second, and for a video the picture in a frame
// below them at its natural size. Closing the window (Esc, the system menu) stops the medium. By
// keyboard: Tab or the arrows go from button to button, Enter or Space presses the one in focus.
// At a `scale` other than 1 the window, its buttons and the video grow with the reader's design.
class TMediaPlayForm : public QDialog
{
    Q_OBJECT
public:
    // `caption` is the start prompt string of the Study List.
    explicit TMediaPlayForm(const QString& caption, QWidget* parent = nullptr, double scale = 1.0);
    ~TMediaPlayForm() override;

    // Opens the file and lays the window out for it; waits (at most a few seconds) for the medium
    // to report its length and size. False, with `errorString()`, when it cannot be played.
    bool openMedia(const QString& path);
    QString errorString() const { return m_error; }

    // The layout applied by openMedia, in design pixels (the window shows it at its scale).
    const MediaPlayerLayout& mediaLayout() const { return m_layout; }
    QMediaPlayer* player() const { return m_player; }

    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void createControls();
    void applyLayout(const MediaPlayerLayout& layout);
    QSize naturalVideoSize() const;
    void Timer1Timer();

    QMediaPlayer* m_player = nullptr;
    QAudioOutput* m_output = nullptr;
    QWidget* MediaPlayer1 = nullptr;
    QToolButton* PlayBtn = nullptr;
    QToolButton* PauseBtn = nullptr;
    QToolButton* StopBtn = nullptr;
    QToolButton* PrevBtn = nullptr;
    QProgressBar* Gauge1 = nullptr;
    QFrame* Bevel1 = nullptr;
    QVideoWidget* VideoDisplay = nullptr;
    QTimer* Timer1 = nullptr;

    MediaPlayerLayout m_layout;
    double m_scale = 1.0;
    QString m_error;
    bool m_opened = false;
    bool m_started = false;
};

} // namespace runtime
