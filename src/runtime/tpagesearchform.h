#pragma once

#include "runtime/pagesearch.h"

#include <QDialog>
#include <QStringList>

class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace shell {
struct AppState;
}
namespace storage {
class TopicSource;
}

namespace runtime {

// The search of one presented Study List: its source, the index of its pages (read on the first
// search and kept for the rest of the run) and how a found Topic is opened: through the topic
// runner, with the searched words marked in its page.
class TopicSearch
{
public:
    // The source and the state must outlive this object.
    TopicSearch(const storage::TopicSource& source, shell::AppState& state);

    const storage::TopicSource& source() const { return m_source; }
    PageSearchIndex& index() { return m_index; }

    // The order readers see the names in; found Topics are listed in it.
    void setOrder(const QStringList& names) { m_order = names; }
    // The index's hits for the query, in that order.
    QList<PageSearchHit> search(const QString& query) const;
    double designScale() const;

    // Runs the named Topic over `parent`; failures are reported in an error box.
    void open(const QString& name, const QStringList& words, QWidget* parent);
    // The search window over `parent`, modal.
    void showSearch(QWidget* parent);

private:
    const storage::TopicSource& m_source;
    shell::AppState& m_state;
    PageSearchIndex m_index;
    QStringList m_order;
};

// The search window of the Topic menu and of the plain topic list: the reader types words and
// gets the Topics that hold all of them, each with its text around the first hit; "&Open", Enter
// or a double click on a found Topic opens it. The first search reads every page in a worker
// thread while a progress bar runs; Close during that stops the reading.
class TPageSearchForm : public QDialog
{
    Q_OBJECT
public:
    TPageSearchForm(TopicSearch& search, QWidget* parent = nullptr);

    // Operations behind the controls, public so tests can drive them.
    void SearchBtnClick();
    void OpenBtnClick();

protected:
    void reject() override;

private:
    void createControls();
    void createLayout();
    // Reads the pages in a worker thread unless that was done; false when it was stopped or failed.
    bool readPages();

    TopicSearch& m_search;
    QList<PageSearchHit> m_hits;
    QStringList m_words;
    bool m_reading = false;
    bool m_stop = false;
    QLabel* WordsLbl = nullptr;
    QLineEdit* WordsEdit = nullptr;
    QPushButton* SearchBtn = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QListWidget* ResultList = nullptr;
    QLabel* StatusLbl = nullptr;
    QPushButton* OpenBtn = nullptr;
    QPushButton* CloseBtn = nullptr;
};

} // namespace runtime
