#include "runtime/tshowmultform.h"

#include "platform/waveplayer.h"
#include "runtime/mediacommand.h"
#include "runtime/mediapicture.h"
#include "runtime/designscale.h"
#include "runtime/pagegeometry.h"

#include <QAudioOutput>
#include <QKeyEvent>
#include <QLabel>
#include <QMediaPlayer>
#include <QMouseEvent>
#include <QTimer>
#include <QUrl>

namespace runtime {

namespace {

constexpr int kSoundStartMs = 10;

} // namespace

TShowMultForm::TShowMultForm(const PictureShow& show, QWidget* parent, WavePlayer playWave)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      m_show(show), m_playWave(playWave ? std::move(playWave) : WavePlayer(&platform::PlayWave))
{
    setObjectName(QStringLiteral("TShowMultForm"));
    setWindowTitle(show.caption);
    createControls();

    const QSize size = ScaledSize(kDesignSize, show.scale);
    FrameForScale(this, show.scale);
    setFixedSize(size);
    Image1->setGeometry(QRect(QPoint(), size));
    CentreOnScreen(this);

    const QImage picture = LoadMediaPicture(show.picturePath, size);
    m_hasPicture = !picture.isNull();
    Image1->setPixmap(QPixmap::fromImage(picture));
}

TShowMultForm::~TShowMultForm()
{
    MediaPlayer1->stop();
}

void TShowMultForm::createControls()
{
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setScaledContents(true);
    // Clicks on the picture close the window like clicks on the window itself.
    Image1->setAttribute(Qt::WA_TransparentForMouseEvents);

    MediaPlayer1 = new QMediaPlayer(this);
    MediaPlayer1->setObjectName(QStringLiteral("MediaPlayer1"));
    m_midiOutput = new QAudioOutput(this);
    MediaPlayer1->setAudioOutput(m_midiOutput);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setSingleShot(true);
    Timer1->setInterval(kSoundStartMs);
    connect(Timer1, &QTimer::timeout, this, &TShowMultForm::Timer1Timer);

    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setSingleShot(true);
    Timer2->setInterval(5000);
    connect(Timer2, &QTimer::timeout, this, &TShowMultForm::Timer2Timer);
}

void TShowMultForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_started)
        return;
    // The display time and the sound both count from the moment the picture is on the screen.
    m_started = true;
    if (m_show.displayTime > 0) {
        Timer2->setInterval(m_show.displayTime);
        Timer2->start();
    }
    if (!m_show.soundPath.isEmpty())
        Timer1->start();
}

void TShowMultForm::Timer1Timer()
{
    Timer1->stop();
    if (IsWaveName(m_show.soundPath)) {
        m_wavePlaying = true;
        m_playWave(m_show.soundPath);
        m_wavePlaying = false;
        if (m_closePending)
            done(Accepted);
    } else if (IsMidiName(m_show.soundPath)) {
        MediaPlayer1->setSource(QUrl::fromLocalFile(m_show.soundPath));
        MediaPlayer1->play();
    }
}

void TShowMultForm::Timer2Timer()
{
    done(Accepted);
}

void TShowMultForm::done(int result)
{
    // A wave sound holds the window: the close takes effect when the sound has ended.
    if (m_wavePlaying) {
        m_closePending = true;
        return;
    }
    Timer1->stop();
    Timer2->stop();
    MediaPlayer1->stop();
    QDialog::done(result);
}

void TShowMultForm::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        done(Accepted);
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void TShowMultForm::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        done(Accepted);
        return;
    }
    QDialog::mousePressEvent(event);
}

} // namespace runtime
