#include "runtime/tpagesearchform.h"

#include "runtime/designscale.h"
#include "runtime/pagegeometry.h"

#include "runtime/windowscreens.h"
#include "shell/appstate.h"
#include "shell/error.h"
#include "shell/utilities.h"
#include "storage/topicsource.h"
#include "storage/topicstore.h"

#include <QApplication>
#include <QEventLoop>
#include <QHash>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <atomic>
#include <memory>

namespace runtime {

namespace {

constexpr int kProgressPollMs = 50;

} // namespace

TopicSearch::TopicSearch(const storage::TopicSource& source, shell::AppState& state)
    : m_source(source), m_state(state)
{
}

void TopicSearch::open(const QString& name, const QStringList& words, QWidget* parent)
{
    // No exception may cross the event loop of the window that asked.
    try {
        QStringList entry;
        if (!ReadTopicEntry(m_source, name, entry))
            return;
        WindowTopicScreens screens(m_state, parent);
        screens.setMarkedWords(words);
        RunTopic(entry, screens, m_state);
    } catch (const shell::Error& error) {
        shell::ShowError(error.message());
    }
}

QList<PageSearchHit> TopicSearch::search(const QString& query) const
{
    QList<PageSearchHit> hits = m_index.search(query);
    if (m_order.isEmpty())
        return hits;
    QHash<QString, qsizetype> place;
    for (qsizetype i = 0; i < m_order.size(); ++i)
        place.insert(m_order[i], i);
    std::stable_sort(hits.begin(), hits.end(), [&place](const PageSearchHit& a, const PageSearchHit& b) {
        return place.value(a.name, -1) < place.value(b.name, -1);
    });
    return hits;
}

double TopicSearch::designScale() const
{
    return m_state.designScale();
}

void TopicSearch::showSearch(QWidget* parent)
{
    TPageSearchForm form(*this, parent);
    form.exec();
}

TPageSearchForm::TPageSearchForm(TopicSearch& search, QWidget* parent) : QDialog(parent), m_search(search)
{
    setObjectName(QStringLiteral("TPageSearchForm"));
    setWindowTitle(QStringLiteral("Search the Topics"));
    createControls();
    createLayout();
    // Drawn at the scale of the screens it is opened from.
    const double scale = m_search.designScale();
    ScaleWindowFont(this, scale);
    resize(ScaledSize(QSize(520, 420), scale));
    // Placed by the program: a window manager would put it in a corner.
    CentreOnScreen(this);
}

void TPageSearchForm::createControls()
{
    WordsLbl = new QLabel(QStringLiteral("&Words:"), this);
    WordsLbl->setObjectName(QStringLiteral("WordsLbl"));
    WordsEdit = new QLineEdit(this);
    WordsEdit->setObjectName(QStringLiteral("WordsEdit"));
    WordsEdit->setAccessibleName(QStringLiteral("Words"));
    WordsLbl->setBuddy(WordsEdit);
    SearchBtn = new QPushButton(QStringLiteral("&Search"), this);
    SearchBtn->setObjectName(QStringLiteral("SearchBtn"));
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setAccessibleName(QStringLiteral("Reading the pages"));
    ProgressBar1->hide();
    ResultList = new QListWidget(this);
    ResultList->setObjectName(QStringLiteral("ResultList"));
    ResultList->setAccessibleName(QStringLiteral("Topics found"));
    ResultList->setWordWrap(true);
    ResultList->setAlternatingRowColors(true);
    StatusLbl = new QLabel(this);
    StatusLbl->setObjectName(QStringLiteral("StatusLbl"));
    OpenBtn = new QPushButton(QStringLiteral("&Open"), this);
    OpenBtn->setObjectName(QStringLiteral("OpenBtn"));
    OpenBtn->setEnabled(false);
    CloseBtn = new QPushButton(QStringLiteral("&Close"), this);
    CloseBtn->setObjectName(QStringLiteral("CloseBtn"));
    for (QPushButton* button : {SearchBtn, OpenBtn, CloseBtn})
        button->setAutoDefault(false);

    connect(SearchBtn, &QPushButton::clicked, this, &TPageSearchForm::SearchBtnClick);
    connect(WordsEdit, &QLineEdit::returnPressed, this, &TPageSearchForm::SearchBtnClick);
    connect(OpenBtn, &QPushButton::clicked, this, &TPageSearchForm::OpenBtnClick);
    connect(CloseBtn, &QPushButton::clicked, this, &TPageSearchForm::reject);
    connect(ResultList, &QListWidget::itemActivated, this, &TPageSearchForm::OpenBtnClick);
    connect(ResultList, &QListWidget::currentRowChanged, this, [this](int row) { OpenBtn->setEnabled(row >= 0); });
}

void TPageSearchForm::createLayout()
{
    auto* words = new QHBoxLayout;
    words->addWidget(WordsLbl);
    words->addWidget(WordsEdit, 1);
    words->addWidget(SearchBtn);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(StatusLbl, 1);
    buttons->addWidget(OpenBtn);
    buttons->addWidget(CloseBtn);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(8);
    layout->addLayout(words);
    layout->addWidget(ProgressBar1);
    layout->addWidget(ResultList, 1);
    layout->addLayout(buttons);
}

bool TPageSearchForm::readPages()
{
    PageSearchIndex& index = m_search.index();
    if (index.isBuilt())
        return true;
    std::atomic<qsizetype> done{0};
    std::atomic<qsizetype> total{0};
    std::atomic<bool> stop{false};
    QString failure;
    const storage::TopicSource& source = m_search.source();
    // The worker reads the source and fills the index; this thread touches neither until it ends.
    std::unique_ptr<QThread> worker(QThread::create([&] {
        try {
            index.build(source, [&](qsizetype d, qsizetype t) {
                total = t;
                done = d;
                return !stop.load();
            });
        } catch (const shell::Error& error) {
            failure = error.message();
        }
    }));
    QEventLoop loop;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
        ProgressBar1->setMaximum(int(std::max<qsizetype>(1, total.load())));
        ProgressBar1->setValue(int(done.load()));
        if (m_stop)
            stop = true;
    });
    connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
    m_reading = true;
    m_stop = false;
    SearchBtn->setEnabled(false);
    WordsEdit->setEnabled(false);
    ProgressBar1->setValue(0);
    ProgressBar1->show();
    StatusLbl->setText(QStringLiteral("Reading the pages..."));
    poll.start(kProgressPollMs);
    worker->start();
    loop.exec();
    worker->wait();
    m_reading = false;
    ProgressBar1->hide();
    SearchBtn->setEnabled(true);
    WordsEdit->setEnabled(true);
    StatusLbl->clear();
    if (!failure.isEmpty())
        shell::ShowError(failure);
    if (m_stop)
        QDialog::reject();
    return index.isBuilt();
}

void TPageSearchForm::SearchBtnClick()
{
    if (m_reading)
        return;
    const QString query = WordsEdit->text();
    ResultList->clear();
    m_hits.clear();
    m_words = SearchWords(query);
    if (m_words.isEmpty() || !readPages())
        return;
    m_hits = m_search.search(query);
    for (const PageSearchHit& hit : m_hits) {
        auto* item = new QListWidgetItem(hit.snippet.isEmpty() ? hit.name : hit.name + QLatin1Char('\n') + hit.snippet,
                                         ResultList);
        item->setToolTip(hit.snippet);
    }
    if (m_hits.isEmpty())
        StatusLbl->setText(QStringLiteral("No Topic holds these words."));
    else if (m_hits.size() == 1)
        StatusLbl->setText(QStringLiteral("1 Topic found."));
    else
        StatusLbl->setText(QString::number(m_hits.size()) + QStringLiteral(" Topics found."));
    if (!m_hits.isEmpty()) {
        ResultList->setCurrentRow(0);
        ResultList->setFocus();
    }
}

void TPageSearchForm::OpenBtnClick()
{
    const int row = ResultList->currentRow();
    if (row < 0 || row >= m_hits.size())
        return;
    m_search.open(m_hits.at(row).name, m_words, this);
}

void TPageSearchForm::reject()
{
    // Closing while the pages are read stops the reading first; the window goes once it ended.
    if (m_reading) {
        m_stop = true;
        return;
    }
    QDialog::reject();
}

} // namespace runtime
