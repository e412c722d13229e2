#include "runtime/tstudytopicsform.h"

#include "runtime/designscale.h"
#include "runtime/pagegeometry.h"
#include "runtime/tpagesearchform.h"
#include "shell/tgetinputtextform.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace runtime {

TStudyTopicsForm::TStudyTopicsForm(const QStringList& names, int startIndex, const QString& caption,
                                   QWidget* parent, TopicSearch* search)
    : QDialog(parent), m_names(names), m_search(search)
{
    setObjectName(QStringLiteral("TStudyTopicsForm"));
    setWindowTitle(caption);
    createControls();
    createLayout();
    ListBox1->addItems(m_names);
    if (ListBox1->count() > 1)
        ListBox1->setCurrentRow(1);
    if (startIndex >= 0 && startIndex < ListBox1->count()) {
        ListBox1->setCurrentRow(startIndex);
    } else {
        ListBox1->clearSelection();
        ListBox1->setCurrentRow(-1);
    }
    m_find = shell::FindState();
    // Drawn at the scale of the screens it is shown among.
    const double scale = m_search ? m_search->designScale() : 1.0;
    ScaleWindowFont(this, scale);
    ListBox1->setMinimumSize(ScaledSize(QSize(300, 260), scale));
    setFixedSize(sizeHint());
}

void TStudyTopicsForm::createControls()
{
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setAccessibleName(QStringLiteral("Topics"));
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListBox1->setMinimumSize(300, 260);

    OKBitBtn = new QPushButton(QStringLiteral("&OK"), this);
    OKBitBtn->setObjectName(QStringLiteral("OKBitBtn"));
    OKBitBtn->setDefault(true);
    CancelBitBtn = new QPushButton(QStringLiteral("&Cancel"), this);
    CancelBitBtn->setObjectName(QStringLiteral("CancelBitBtn"));
    BitBtn1 = new QPushButton(QStringLiteral("&Find"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));

    if (m_search) {
        SearchBtn = new QPushButton(QStringLiteral("&Search"), this);
        SearchBtn->setObjectName(QStringLiteral("SearchBtn"));
        SearchBtn->setAutoDefault(false);
        connect(SearchBtn, &QPushButton::clicked, this, &TStudyTopicsForm::SearchBtnClick);
        auto* searchKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F), this);
        connect(searchKey, &QShortcut::activated, this, &TStudyTopicsForm::SearchBtnClick);
    }
    connect(OKBitBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBitBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(BitBtn1, &QPushButton::clicked, this, &TStudyTopicsForm::BitBtn1Click);
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    ListBox1->installEventFilter(this);
}

void TStudyTopicsForm::createLayout()
{
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(10);
    for (QPushButton* button : {OKBitBtn, CancelBitBtn, BitBtn1, SearchBtn}) {
        if (!button)
            continue;
        button->setMinimumWidth(84);
        buttons->addWidget(button);
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(10);
    layout->addWidget(ListBox1, 1);
    layout->addLayout(buttons);
}

int TStudyTopicsForm::chosenIndex() const
{
    return shell::AcceptedRow(*this, ListBox1);
}

void TStudyTopicsForm::BitBtn1Click()
{
    shell::FindInList(ListBox1, m_names, m_find, OKBitBtn);
}

void TStudyTopicsForm::SearchBtnClick()
{
    m_search->showSearch(this);
}

bool TStudyTopicsForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ListBox1 && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TStudyTopicsForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    CentreOnScreen(this);
    ListBox1->setFocus();
}

int ShowTopicList(const QStringList& names, int startIndex, const QString& caption, QWidget* parent,
                  TopicSearch* search)
{
    TStudyTopicsForm form(names, startIndex, caption, parent, search);
    form.exec();
    return form.chosenIndex();
}

} // namespace runtime
