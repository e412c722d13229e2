#include "shell/tbuttlistform.h"

#include "platform/f1filter.h"
#include "shell/tgetinputtextform.h"

#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace shell {

namespace {

const QColor kTeal(0x00, 0x80, 0x80);

} // namespace

TButtListForm::TButtListForm(const QStringList& names, int startIndex, int helpContext,
                             const QString& caption, QWidget* parent)
    : QDialog(parent), m_names(names)
{
    setObjectName(QStringLiteral("TButtListForm"));
    setWindowTitle(caption);
    platform::SetHelpContext(this, helpContext);
    setAutoFillBackground(true);
    QPalette teal = palette();
    teal.setColor(QPalette::Window, kTeal);
    setPalette(teal);
    createControls();
    createLayout();
    ListBox1->addItems(names);
    selectStart(startIndex);
    setFixedSize(sizeHint());
}

void TButtListForm::createControls()
{
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListBox1->setFrameShape(QFrame::NoFrame);
    QPalette white = ListBox1->palette();
    white.setColor(QPalette::Base, Qt::white);
    white.setColor(QPalette::Text, Qt::black);
    ListBox1->setPalette(white);

    OKBitBtn = new QPushButton(QStringLiteral("&Select"), this);
    OKBitBtn->setObjectName(QStringLiteral("OKBitBtn"));
    OKBitBtn->setDefault(true);
    CancelBitBtn = new QPushButton(QStringLiteral("&Close"), this);
    CancelBitBtn->setObjectName(QStringLiteral("CancelBitBtn"));
    BitBtn1 = new QPushButton(QStringLiteral("&Find"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));

    connect(OKBitBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBitBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(BitBtn1, &QPushButton::clicked, this, &TButtListForm::BitBtn1Click);
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, &QDialog::accept);

    for (QWidget* child : {static_cast<QWidget*>(ListBox1), static_cast<QWidget*>(OKBitBtn),
                           static_cast<QWidget*>(CancelBitBtn), static_cast<QWidget*>(BitBtn1)})
        child->installEventFilter(this);
}

void TButtListForm::createLayout()
{
    // The list sits in a sunken frame of its own on the teal face.
    auto* frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("ListFrame"));
    frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    frame->setLineWidth(2);
    auto* frameLayout = new QVBoxLayout(frame);
    frameLayout->setContentsMargins(2, 2, 2, 2);
    frameLayout->addWidget(ListBox1);
    ListBox1->setMinimumSize(320, 260);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(12);
    for (QPushButton* button : {OKBitBtn, CancelBitBtn, BitBtn1}) {
        button->setMinimumWidth(90);
        buttons->addWidget(button);
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 14, 14, 14);
    layout->setSpacing(12);
    layout->addWidget(frame, 1);
    layout->addLayout(buttons);
}

void TButtListForm::selectStart(int startIndex)
{
    // Row 1 first when there are several names, then the start row; a start row outside the
    // list leaves nothing selected.
    if (ListBox1->count() > 1)
        ListBox1->setCurrentRow(1);
    if (startIndex >= 0 && startIndex < ListBox1->count()) {
        ListBox1->setCurrentRow(startIndex);
    } else {
        ListBox1->clearSelection();
        ListBox1->setCurrentRow(-1);
    }
}

int TButtListForm::chosenIndex() const
{
    return AcceptedRow(*this, ListBox1);
}

void TButtListForm::BitBtn1Click()
{
    FindInList(ListBox1, m_names, m_find, OKBitBtn);
}

bool TButtListForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape) {
            reject();
            return true;
        }
        if (watched == ListBox1 && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TButtListForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    ListBox1->setFocus();
}

int ChooseEntry(const QStringList& names, int startIndex, int helpContext, const QString& caption,
                QWidget* parent)
{
    TButtListForm dialog(names, startIndex, helpContext, caption, parent);
    dialog.exec();
    return dialog.chosenIndex();
}

} // namespace shell
