#include "runtime/tmenudisplayform.h"

#include "runtime/menulayout.h"
#include "runtime/topicrunner.h"
#include "runtime/windowscreens.h"
#include "shell/appstate.h"
#include "shell/error.h"
#include "shell/tgetinputtextform.h"
#include "shell/utilities.h"
#include "storage/topicsource.h"
#include "storage/topicstore.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>

namespace runtime {

TMenuDisplayForm::TMenuDisplayForm(const storage::SettingsRecord& record, const QStringList& names,
                                   const storage::TopicSource& source, shell::AppState& state,
                                   QWidget* parent)
    : MenuScreenForm(record.MenuScreen, record.Presentation, record.Program, state.WorkingDirectory, parent),
      m_names(names), m_source(source), m_state(state)
{
    setObjectName(QStringLiteral("TMenuDisplayForm"));
    setDesignScale(m_state.designScale());
    m_run = [this](const QStringList& entry) {
        WindowTopicScreens screens(m_state, this);
        RunTopic(entry, screens, m_state);
    };

    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setAccessibleName(QStringLiteral("Topics"));
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListBox1->setUniformItemSizes(true);
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, &TMenuDisplayForm::OKBitBtnClick);
    connect(OKBitBtn, &QPushButton::clicked, this, &TMenuDisplayForm::OKBitBtnClick);
    connect(FindtBtn, &QPushButton::clicked, this, &TMenuDisplayForm::FindtBtnClick);
    connect(CancelBitBtn, &QPushButton::clicked, this, &QDialog::reject);
    SearchBtn = new QPushButton(QStringLiteral("&Search"), this);
    SearchBtn->setObjectName(QStringLiteral("SearchBtn"));
    SearchBtn->setToolTip(QStringLiteral("Search the text of every page (Ctrl+Shift+F)"));
    connect(SearchBtn, &QPushButton::clicked, this, &TMenuDisplayForm::SearchBtnClick);
    auto* searchKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F), this);
    connect(searchKey, &QShortcut::activated, this, &TMenuDisplayForm::SearchBtnClick);
    addCommandButton(SearchBtn);
    OKBitBtn->setDefault(true);
    buildScreen(ListBox1);
    fillScreen();

    ListBox1->addItems(m_names);
    if (ListBox1->count() > 1)
        ListBox1->setCurrentRow(1);
    if (ListBox1->count() > 0)
        ListBox1->setCurrentRow(0);
    m_find = shell::FindState();
    watchKeys();
}

int TMenuDisplayForm::contentHeight(int available) const
{
    // Whole rows only: the list ends under its last row that can be seen in full.
    const int row =
        ListBox1->count() > 0 ? ListBox1->sizeHintForRow(0) : ListBox1->fontMetrics().height() + 2;
    return std::min(available, WholeRowsHeight(available, row, ListBox1->frameWidth()));
}

void TMenuDisplayForm::OKBitBtnClick()
{
    m_entry.clear();
    const QList<QListWidgetItem*> selected = ListBox1->selectedItems();
    if (selected.isEmpty())
        return;
    const int row = ListBox1->row(selected.front());
    if (row < 0 || row >= m_names.size())
        return;
    m_chosenName = m_names.at(row);
    // A failure to read the store or to show the Topic is reported here: it must not leave the
    // menu, and no exception may cross the event loop.
    try {
        QStringList entry;
        if (!ReadTopicEntry(m_source, m_chosenName, entry))
            return;
        m_entry = entry;
        m_run(m_entry);
    } catch (const shell::Error& error) {
        shell::ShowError(error.message());
    }
}

void TMenuDisplayForm::FindtBtnClick()
{
    shell::FindInList(ListBox1, m_names, m_find, OKBitBtn);
}

void TMenuDisplayForm::SearchBtnClick()
{
    if (!m_search) {
        m_ownSearch = std::make_unique<TopicSearch>(m_source, m_state);
        m_search = m_ownSearch.get();
        m_search->setOrder(m_names);
    }
    m_search->showSearch(this);
}

bool TMenuDisplayForm::keyPreview(QKeyEvent* key)
{
    if (key->key() == Qt::Key_0 && key->modifiers() == Qt::ControlModifier) {
        // Between the fit to the screen and the design size; the pages opened next follow.
        m_state.DesignSizeOnly = !m_state.DesignSizeOnly;
        rescale(m_state.designScale());
        return true;
    }
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        OKBitBtnClick();
        return true;
    case Qt::Key_Escape:
        return true;
    default:
        return false;
    }
}

void ShowTopicMenu(const storage::SettingsRecord& record, const QStringList& names,
                   const storage::TopicSource& source, shell::AppState& state, QWidget* parent,
                   TopicSearch* search)
{
    TMenuDisplayForm form(record, names, source, state, parent);
    form.setTopicSearch(search);
    form.exec();
}

} // namespace runtime
