#pragma once

#include "shell/namesearch.h"

#include <QDialog>
#include <QStringList>

class QListWidget;
class QPushButton;

namespace runtime {

class TopicSearch;

// The pop-up topic list of a Study List presented without its menu screen: the Topic names, with
// "&OK", "&Cancel" and "&Find". OK, a double click or Enter in the list ends it with the selected
// row; Cancel, Esc or the close box with -1. With a search, "&Search" beside "&Find" and
// Ctrl+Shift+F search the text of every page.
class TStudyTopicsForm : public QDialog
{
    Q_OBJECT
public:
    // `caption` is the current title string. Row 1 is selected first when there are several names,
    // then the start row (a start row outside the list leaves nothing selected).
    TStudyTopicsForm(const QStringList& names, int startIndex, const QString& caption,
                     QWidget* parent = nullptr, TopicSearch* search = nullptr);

    // The selected row when the list was closed with OK and a row is selected; else -1.
    int chosenIndex() const;
    const shell::FindState& findState() const { return m_find; }

    void BitBtn1Click();
    void SearchBtnClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void createControls();
    void createLayout();

    QStringList m_names;
    shell::FindState m_find;
    QListWidget* ListBox1 = nullptr;
    QPushButton* OKBitBtn = nullptr;
    QPushButton* CancelBitBtn = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* SearchBtn = nullptr;
    TopicSearch* m_search = nullptr;
};

// Shows the pop-up topic list; the chosen row, or -1 when the reader cancelled.
int ShowTopicList(const QStringList& names, int startIndex, const QString& caption,
                  QWidget* parent = nullptr, TopicSearch* search = nullptr);

} // namespace runtime
