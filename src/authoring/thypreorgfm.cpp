#include "authoring/thypreorgfm.h"

#include "platform/f1filter.h"
#include "shell/error.h"
#include "shell/tgetinputtextform.h"
#include "shell/utilities.h"
#include "storage/topicops.h"
#include "storage/topicorder.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedLayout>
#include <QVBoxLayout>

namespace authoring {

namespace {

constexpr int kHelpContext = 245;

} // namespace

THypReorgFm::THypReorgFm(const QStringList& names, Mover mover, QWidget* parent)
    : QDialog(parent), m_names(names), m_mover(std::move(mover))
{
    setObjectName(QStringLiteral("THypReorgFm"));
    setWindowTitle(QStringLiteral("Press F1 for Help"));
    platform::SetHelpContext(this, kHelpContext);
    createControls();
    createLayout();
    reset();
}

QFrame* THypReorgFm::makeListPanel(const QString& name, QListWidget*& list, QPushButton*& find, QPushButton*& ok)
{
    auto* panel = new QFrame(this);
    panel->setObjectName(name);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    list = new QListWidget(panel);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setMinimumSize(300, 220);
    find = new QPushButton(QStringLiteral("Find"), panel);
    ok = new QPushButton(QStringLiteral("OK"), panel);

    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(8);
    buttons->addWidget(find);
    buttons->addWidget(ok);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(panel);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(10);
    layout->addWidget(list, 1);
    layout->addLayout(buttons);
    return panel;
}

void THypReorgFm::createControls()
{
    tomoveRBtn = new QRadioButton(QStringLiteral("Move this Topic"), this);
    tomoveRBtn->setObjectName(QStringLiteral("tomoveRBtn"));
    MovetoRBtn = new QRadioButton(QStringLiteral("before this Topic"), this);
    MovetoRBtn->setObjectName(QStringLiteral("MovetoRBtn"));
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit2 = new QLineEdit(this);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    for (QLineEdit* field : {Edit1, Edit2}) {
        field->setReadOnly(true);
        field->setMinimumWidth(260);
    }

    List1Pnl = makeListPanel(QStringLiteral("List1Pnl"), ListBox1, Find1Btn, OK1Btn);
    List2Pnl = makeListPanel(QStringLiteral("List2Pnl"), ListBox2, Find2Btn, OK2Btn);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox2->setObjectName(QStringLiteral("ListBox2"));
    Find1Btn->setObjectName(QStringLiteral("Find1Btn"));
    Find2Btn->setObjectName(QStringLiteral("Find2Btn"));
    OK1Btn->setObjectName(QStringLiteral("OK1Btn"));
    OK2Btn->setObjectName(QStringLiteral("OK2Btn"));

    SortBitBtn = new QPushButton(QStringLiteral("Sort"), this);
    SortBitBtn->setObjectName(QStringLiteral("SortBitBtn"));
    CancelBitBtn = new QPushButton(QStringLiteral("&Close"), this);
    CancelBitBtn->setObjectName(QStringLiteral("CancelBitBtn"));
    for (QPushButton* button : {SortBitBtn, CancelBitBtn})
        button->setMinimumWidth(90);

    connect(tomoveRBtn, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            showPanel(true);
    });
    connect(MovetoRBtn, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            showPanel(false);
    });
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, [this] { takeName(ListBox1, Edit1); });
    connect(ListBox2, &QListWidget::itemDoubleClicked, this, [this] { takeName(ListBox2, Edit2); });
    connect(OK1Btn, &QPushButton::clicked, this, [this] { takeName(ListBox1, Edit1); });
    connect(OK2Btn, &QPushButton::clicked, this, [this] { takeName(ListBox2, Edit2); });
    connect(Find1Btn, &QPushButton::clicked, this, [this] { findName(ListBox1, m_find1, OK1Btn); });
    connect(Find2Btn, &QPushButton::clicked, this, [this] { findName(ListBox2, m_find2, OK2Btn); });
    connect(SortBitBtn, &QPushButton::clicked, this, &THypReorgFm::SortBitBtnClick);
    connect(CancelBitBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void THypReorgFm::createLayout()
{
    auto* names = new QGridLayout;
    names->setHorizontalSpacing(12);
    names->setVerticalSpacing(8);
    names->addWidget(tomoveRBtn, 0, 0);
    names->addWidget(Edit1, 0, 1);
    names->addWidget(MovetoRBtn, 1, 0);
    names->addWidget(Edit2, 1, 1);
    names->setColumnStretch(1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(12);
    buttons->addStretch();
    buttons->addWidget(SortBitBtn);
    buttons->addWidget(CancelBitBtn);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 14, 14, 14);
    layout->setSpacing(12);
    layout->addLayout(names);
    // Only one panel shows at a time, in the same place. A stack sizes for both at all times; two
    // panels shown and hidden in turn were briefly both visible, and each switch grew the dialog.
    m_panels = new QStackedLayout;
    m_panels->addWidget(List1Pnl);
    m_panels->addWidget(List2Pnl);
    layout->addLayout(m_panels, 1);
    layout->addLayout(buttons);
    // "Sort" comes and goes; keep the room for it so the dialog does not jump.
    QSizePolicy keep = SortBitBtn->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    SortBitBtn->setSizePolicy(keep);
}

void THypReorgFm::reset()
{
    for (QListWidget* list : {ListBox1, ListBox2}) {
        list->clear();
        list->addItems(m_names);
        if (list->count() > 0)
            list->setCurrentRow(0);
    }
    Edit1->clear();
    Edit2->clear();
    m_find1 = {};
    m_find2 = {};
    tomoveRBtn->setChecked(true);
    showPanel(true);
}

void THypReorgFm::showPanel(bool first)
{
    m_panels->setCurrentWidget(first ? List1Pnl : List2Pnl);
    updateSortButton();
}

void THypReorgFm::takeName(QListWidget* list, QLineEdit* field)
{
    if (const QListWidgetItem* item = list->currentItem(); item && item->isSelected())
        field->setText(item->text());
    updateSortButton();
}

void THypReorgFm::findName(QListWidget* list, shell::FindState& state, QPushButton* ok)
{
    shell::FindInList(list, m_names, state, ok);
}

void THypReorgFm::updateSortButton()
{
    SortBitBtn->setVisible(!Edit1->text().isEmpty() && !Edit2->text().isEmpty());
}

void THypReorgFm::SortBitBtnClick()
{
    const QString name = Edit1->text();
    const QString before = Edit2->text();
    if (name.compare(before, Qt::CaseInsensitive) != 0) {
        try {
            m_names = m_mover(name, before);
        } catch (const shell::Error& error) {
            shell::ShowError(error.message());
            return;
        }
    }
    reset();
    tomoveRBtn->setFocus();
}

void TopicOrder(const QString& store, const QString& kind, QWidget* parent)
{
    QStringList names;
    storage::ListEntryNames(names, store, kind);
    if (names.size() <= 1) {
        shell::ShowInfo(QStringLiteral("There is only 1 entry in the list"));
        return;
    }
    const auto mover = [&store, &kind](const QString& name, const QString& before) {
        storage::MoveEntry(store, name, before, kind);
        QStringList moved;
        storage::ListEntryNames(moved, store, kind);
        return moved;
    };
    THypReorgFm dialog(names, mover, parent);
    dialog.exec();
}

} // namespace authoring
