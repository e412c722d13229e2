#include "runtime/tmediaplayform.h"

#include "runtime/designscale.h"
#include "runtime/pagegeometry.h"

#include <QAudioOutput>
#include <QEventLoop>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QMediaMetaData>
#include <QMediaPlayer>
#include <QProgressBar>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QVideoSink>
#include <QVideoWidget>
#include <limits>

namespace runtime {

namespace {

// How long opening a medium may take before it counts as unplayable.
constexpr int kOpenTimeoutMs = 5000;
constexpr int kGaugeTickMs = 1000;
constexpr QRect kPlayerButtons{8, 8, 116, 30};
constexpr QRect kGaugeRect{136, 16, 161, 17};
constexpr int kIconSide = 16;

enum class MediaSymbol
{
    Play,
    Pause,
    Stop,
    Previous
};

// The buttons' symbols, drawn at the size they are shown at, so they stay sharp at any scale.
QIcon MediaIcon(MediaSymbol symbol, int side, const QColor& color)
{
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(side / 16.0, side / 16.0);
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    switch (symbol) {
    case MediaSymbol::Play:
        p.drawPolygon(QPolygonF{QPointF(4, 2), QPointF(13, 8), QPointF(4, 14)});
        break;
    case MediaSymbol::Pause:
        p.drawRect(QRectF(3.5, 2.5, 3, 11));
        p.drawRect(QRectF(9.5, 2.5, 3, 11));
        break;
    case MediaSymbol::Stop:
        p.drawRect(QRectF(3, 3, 10, 10));
        break;
    case MediaSymbol::Previous:
        p.drawRect(QRectF(2.5, 2.5, 2.5, 11));
        p.drawPolygon(QPolygonF{QPointF(13, 2.5), QPointF(5.5, 8), QPointF(13, 13.5)});
        break;
    }
    return QIcon(pixmap);
}

int ClampToInt(qint64 value)
{
    return int(qBound(qint64(0), value, qint64(std::numeric_limits<int>::max())));
}

} // namespace

TMediaPlayForm::TMediaPlayForm(const QString& caption, QWidget* parent, double scale)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint),
      m_scale(scale)
{
    setObjectName(QStringLiteral("TMediaPlayForm"));
    setWindowTitle(caption);
    ScaleWindowFont(this, m_scale);
    createControls();
    applyLayout(LayOutMediaPlayer(QSize()));
}

TMediaPlayForm::~TMediaPlayForm()
{
    m_player->stop();
}

void TMediaPlayForm::createControls()
{
    m_player = new QMediaPlayer(this);
    m_output = new QAudioOutput(this);
    m_player->setAudioOutput(m_output);

    MediaPlayer1 = new QWidget(this);
    MediaPlayer1->setObjectName(QStringLiteral("MediaPlayer1"));
    MediaPlayer1->setGeometry(ScaledRect(kPlayerButtons, m_scale));
    auto* buttons = new QHBoxLayout(MediaPlayer1);
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->setSpacing(0);
    // The four buttons share the scaled strip, so rounding cannot push the last one out of it.
    const QSize buttonSize(MediaPlayer1->width() / 4, MediaPlayer1->height());
    const int iconSide = Scaled(kIconSide, m_scale);
    const auto addButton = [&](const char* name, MediaSymbol symbol, const QString& tip) {
        auto* button = new QToolButton(MediaPlayer1);
        button->setObjectName(QLatin1String(name));
        button->setIcon(MediaIcon(symbol, iconSide, palette().color(QPalette::ButtonText)));
        button->setIconSize(QSize(iconSide, iconSide));
        button->setToolTip(tip);
        button->setAccessibleName(tip);
        button->setFixedSize(buttonSize);
        button->setFocusPolicy(Qt::TabFocus);
        buttons->addWidget(button);
        return button;
    };
    PlayBtn = addButton("PlayBtn", MediaSymbol::Play, QStringLiteral("Play"));
    PauseBtn = addButton("PauseBtn", MediaSymbol::Pause, QStringLiteral("Pause"));
    StopBtn = addButton("StopBtn", MediaSymbol::Stop, QStringLiteral("Stop"));
    PrevBtn = addButton("PrevBtn", MediaSymbol::Previous, QStringLiteral("Previous"));
    connect(PlayBtn, &QToolButton::clicked, m_player, &QMediaPlayer::play);
    connect(PauseBtn, &QToolButton::clicked, m_player, &QMediaPlayer::pause);
    connect(StopBtn, &QToolButton::clicked, m_player, &QMediaPlayer::stop);
    connect(PrevBtn, &QToolButton::clicked, this, [this] {
        m_player->setPosition(0);
        Gauge1->setValue(0);
    });

    Gauge1 = new QProgressBar(this);
    Gauge1->setObjectName(QStringLiteral("Gauge1"));
    Gauge1->setGeometry(ScaledRect(kGaugeRect, m_scale));
    Gauge1->setTextVisible(false);
    Gauge1->setAccessibleName(QStringLiteral("Position"));
    Gauge1->setRange(0, 0);
    Gauge1->setStyleSheet(QStringLiteral("QProgressBar { border: %1px solid #808080; background: white; }"
                                         "QProgressBar::chunk { background-color: #0000FF; }")
                              .arg(Scaled(1, m_scale)));

    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);

    VideoDisplay = new QVideoWidget(this);
    VideoDisplay->setObjectName(QStringLiteral("VideoDisplay"));
    VideoDisplay->setAspectRatioMode(Qt::IgnoreAspectRatio);
    VideoDisplay->hide();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(kGaugeTickMs);
    connect(Timer1, &QTimer::timeout, this, &TMediaPlayForm::Timer1Timer);
}

bool TMediaPlayForm::openMedia(const QString& path)
{
    m_error.clear();
    m_player->setVideoOutput(VideoDisplay);

    QEventLoop loop;
    bool loaded = false;
    const auto settle = [&](QMediaPlayer::MediaStatus status) {
        switch (status) {
        case QMediaPlayer::LoadedMedia:
        case QMediaPlayer::BufferingMedia:
        case QMediaPlayer::BufferedMedia:
            loaded = true;
            loop.quit();
            break;
        case QMediaPlayer::InvalidMedia:
            loop.quit();
            break;
        default:
            break;
        }
    };
    connect(m_player, &QMediaPlayer::mediaStatusChanged, &loop, settle);
    connect(m_player, &QMediaPlayer::errorOccurred, &loop, [&loop](QMediaPlayer::Error error) {
        if (error != QMediaPlayer::NoError)
            loop.quit();
    });
    QTimer::singleShot(kOpenTimeoutMs, &loop, &QEventLoop::quit);
    m_player->setSource(QUrl::fromLocalFile(path));
    settle(m_player->mediaStatus());
    if (!loaded && m_player->error() == QMediaPlayer::NoError &&
        m_player->mediaStatus() != QMediaPlayer::InvalidMedia)
        loop.exec();

    if (!loaded) {
        m_error = m_player->errorString().isEmpty() ? QStringLiteral("Cannot play the file ") + path
                                                    : m_player->errorString();
        m_player->setSource(QUrl());
        return false;
    }

    Gauge1->setRange(0, ClampToInt(m_player->duration()));
    Gauge1->setValue(0);
    applyLayout(LayOutMediaPlayer(naturalVideoSize()));
    m_opened = true;
    return true;
}

QSize TMediaPlayForm::naturalVideoSize() const
{
    if (!m_player->hasVideo())
        return {};
    QSize size = m_player->metaData().value(QMediaMetaData::Resolution).toSize();
    if (!size.isValid() || size.isEmpty())
        size = VideoDisplay->videoSink()->videoSize();
    return size;
}

void TMediaPlayForm::applyLayout(const MediaPlayerLayout& layout)
{
    m_layout = layout;
    Bevel1->setGeometry(ScaledRect(layout.bevel, m_scale));
    VideoDisplay->setGeometry(ScaledRect(layout.video, m_scale));
    VideoDisplay->setVisible(!layout.video.isEmpty());
    // The window keeps its width; only the client height follows the medium.
    resize(Scaled(kMediaPlayerWidth, m_scale), Scaled(layout.clientHeight, m_scale));
}

void TMediaPlayForm::keyPressEvent(QKeyEvent* event)
{
    const QList<QToolButton*> buttons{PlayBtn, PauseBtn, StopBtn, PrevBtn};
    const qsizetype at = buttons.indexOf(qobject_cast<QToolButton*>(focusWidget()));
    if (at >= 0 && event->modifiers() == Qt::NoModifier) {
        switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            buttons[at]->click();
            return;
        case Qt::Key_Left:
        case Qt::Key_Right: {
            const qsizetype step = event->key() == Qt::Key_Right ? 1 : buttons.size() - 1;
            buttons[(at + step) % buttons.size()]->setFocus(Qt::TabFocusReason);
            return;
        }
        default:
            break;
        }
    }
    QDialog::keyPressEvent(event);
}

void TMediaPlayForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Placed by the program once its size is known: a window manager would put it where it likes.
    if (!m_started)
        CentreOnScreen(this);
    PlayBtn->setFocus(Qt::OtherFocusReason);
    if (m_started || !m_opened)
        return;
    m_started = true;
    Timer1->start();
    m_player->play();
}

void TMediaPlayForm::Timer1Timer()
{
    Gauge1->setValue(qMin(ClampToInt(m_player->position()), Gauge1->maximum()));
}

void TMediaPlayForm::done(int result)
{
    Timer1->stop();
    m_player->stop();
    QDialog::done(result);
}

} // namespace runtime
