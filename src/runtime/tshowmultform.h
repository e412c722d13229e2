#pragma once

#include <QDialog>
#include <functional>

class QLabel;
class QMediaPlayer;
class QAudioOutput;
class QTimer;

namespace runtime {

// What a picture show shows: the picture, an optional sound (".WAV" or ".MID") and how long the
// window stays (milliseconds; 0 or less: until the reader closes it).
struct PictureShow
{
    QString caption;
    QString picturePath;
    QString soundPath;
    int displayTime = 0;
    // The factor the 640 x 480 window is drawn at; the picture is decoded for that size.
    double scale = 1.0;
};

// The picture show window: a 640 x 480 window centred on the screen with the picture stretched
// over it. A wave sound starts 10 ms after the window shows and holds any close until it has
// ended; a MIDI sound plays alongside and stops when the window closes. Esc, Enter or a left
// click closes the window, and so does the end of the display time.
class TShowMultForm : public QDialog
{
    Q_OBJECT
public:
    using WavePlayer = std::function<void(const QString&)>;

    // `playWave` plays a wave file to its end (the platform wave player unless a test gives one).
    explicit TShowMultForm(const PictureShow& show, QWidget* parent = nullptr, WavePlayer playWave = {});
    ~TShowMultForm() override;

    void done(int result) override;

    QMediaPlayer* midiPlayer() const { return MediaPlayer1; }
    // False when the picture could not be decoded; the window would show nothing.
    bool hasPicture() const { return m_hasPicture; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void createControls();
    void Timer1Timer();
    void Timer2Timer();

    PictureShow m_show;
    WavePlayer m_playWave;
    bool m_hasPicture = false;
    bool m_started = false;
    bool m_wavePlaying = false;
    bool m_closePending = false;

    QLabel* Image1 = nullptr;
    QMediaPlayer* MediaPlayer1 = nullptr;
    QAudioOutput* m_midiOutput = nullptr;
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;
};

} // namespace runtime
