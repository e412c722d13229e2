#include "design/thyptextadjform.h"

#include "design/adjustgeometry.h"
#include "design/tstretchhandle.h"
#include "platform/f1filter.h"
#include "runtime/pagetext.h"
#include "shell/colorref.h"

#include <QEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTextEdit>
#include <QVBoxLayout>

namespace design {

namespace {

constexpr int kTitleStrip = 20;
constexpr int kBottomStrip = 26;

void Fill(QWidget* widget, const QColor& color)
{
    QPalette pal = widget->palette();
    pal.setColor(QPalette::Window, color);
    pal.setColor(QPalette::Base, color);
    widget->setPalette(pal);
    widget->setAutoFillBackground(true);
}

} // namespace

THypTextAdjForm::THypTextAdjForm(const storage::TopicDisplayRecord& record, const QStringList& pageText,
                                 QPoint designOrigin, QWidget* parent)
    : AdjusterForm(QStringLiteral("Press Mouse right button for Menu"), QStringLiteral("&Help"), parent),
      m_record(record), m_designOrigin(designOrigin)
{
    setObjectName(QStringLiteral("THypTextAdjForm"));
    platform::SetHelpContext(this, kAdjusterHelp);
    createControls();
    const QScreen* screen = QGuiApplication::primaryScreen();
    CentreOnScreen(this,
                   TextAdjusterSize(m_designOrigin, screen ? screen->availableGeometry().size() : QSize()));
    const QColor textColor = shell::ColorRefToQColor(m_record.TextWindowColor);
    Fill(Panel3, textColor);
    Fill(RichEdit1, textColor);
    runtime::LoadPageText(RichEdit1, pageText);
    watch(this);
}

void THypTextAdjForm::createControls()
{
    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setToolTip(QStringLiteral("Press Mouse right button for menu"));
    Fill(Panel1, QColor(Qt::lightGray));
    Panel1->hide();

    // The navy strip stands for the page window's title bar.
    Panel2 = new QFrame(Panel1);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Fill(Panel2, QColor(0, 0, 0x80));

    Panel3 = new QFrame(Panel1);
    Panel3->setObjectName(QStringLiteral("Panel3"));
    Panel3->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel3->setLineWidth(2);
    RichEdit1 = new QTextEdit(Panel3);
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    RichEdit1->setReadOnly(true);
    RichEdit1->setFrameStyle(QFrame::NoFrame);
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit1->setFocusPolicy(Qt::NoFocus);
    auto* textLayout = new QVBoxLayout(Panel3);
    textLayout->setContentsMargins(2, 2, 2, 2);
    textLayout->addWidget(RichEdit1);

    Panel4 = new QFrame(Panel1);
    Panel4->setObjectName(QStringLiteral("Panel4"));
    BitBtn1 = new QPushButton(QStringLiteral("&Close"), Panel4);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setFixedSize(kCloseButtonWidth, kBottomStrip - 2);
    BitBtn1->setAutoDefault(false);
    BitBtn1->setFocusPolicy(Qt::NoFocus);
    connect(BitBtn1, &QPushButton::clicked, this, &THypTextAdjForm::reject);
    Panel1->installEventFilter(this);
}

void THypTextAdjForm::layoutMockup()
{
    const int w = Panel1->width();
    const int h = Panel1->height();
    Panel2->setGeometry(0, 0, w, kTitleStrip);
    Panel3->setGeometry(0, kTitleStrip, w, std::max(0, h - kTitleStrip - kBottomStrip));
    Panel4->setGeometry(0, std::max(0, h - kBottomStrip), w, kBottomStrip);
    BitBtn1->move(CentredLeft(w, BitBtn1->width()), 1);
}

bool THypTextAdjForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Panel1 && event->type() == QEvent::Resize) {
        if (Panel1->width() < kMinTextMockupWidth) {
            Panel1->resize(kMinTextMockupWidth, Panel1->height());
            return false;
        }
        layoutMockup();
    }
    return AdjusterForm::eventFilter(watched, event);
}

void THypTextAdjForm::showEvent(QShowEvent* event)
{
    AdjusterForm::showEvent(event);
    if (!m_activated) {
        m_activated = true;
        FormActivate();
    }
}

void THypTextAdjForm::FormActivate()
{
    Panel1->setGeometry(TextMockupRect(m_designOrigin, m_record));
    layoutMockup();
    Panel1->show();
}

bool THypTextAdjForm::partPressed(QWidget* widget, Qt::MouseButton)
{
    if (widget == BitBtn1)
        return false;
    if (widget == this || widget == Panel1 || Panel1->isAncestorOf(widget)) {
        attachOnly(Panel1);
        return widget != this;
    }
    return false;
}

void THypTextAdjForm::mousePressEvent(QMouseEvent* event)
{
    // Presses on the free area reach the form through the filter; nothing more to do here.
    event->accept();
}

void THypTextAdjForm::saveLayout()
{
    StoreTextMockup(m_record, m_designOrigin, Panel1->geometry());
}

bool AdjustTextPageWindow(storage::TopicDisplayRecord& record, const QStringList& pageText,
                          QPoint designOrigin, QWidget* parent)
{
    THypTextAdjForm form(record, pageText, designOrigin, parent);
    if (form.exec() != QDialog::Accepted)
        return false;
    record = form.record();
    return true;
}

} // namespace design
