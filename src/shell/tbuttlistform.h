#pragma once

#include "shell/namesearch.h"

#include <QDialog>
#include <QStringList>

class QListWidget;
class QPushButton;

namespace shell {

// The entry chooser: a teal dialog, centred on the screen, in which the author picks one Topic
// name out of a list (to view or delete it), with a "&Find" that searches the names. The window
// sees keys before its controls, so Enter in the list chooses and Esc closes from anywhere.
class TButtListForm : public QDialog
{
    Q_OBJECT
public:
    TButtListForm(const QStringList& names, int startIndex, int helpContext, const QString& caption,
                  QWidget* parent = nullptr);

    // The selected row when the dialog closed with "&Select" and a row is selected; else -1.
    int chosenIndex() const;

    // The search state of this window, kept while it lives.
    const FindState& findState() const { return m_find; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void createControls();
    void createLayout();
    void selectStart(int startIndex);
    void BitBtn1Click();

    QStringList m_names; // shared with the caller's list, never changed here
    FindState m_find;
    QListWidget* ListBox1 = nullptr;
    QPushButton* OKBitBtn = nullptr;
    QPushButton* CancelBitBtn = nullptr;
    QPushButton* BitBtn1 = nullptr;
};

// Shows the chooser over the names with the start row selected; the chosen row, or -1 when it
// was closed with "&Close" or nothing was selected.
int ChooseEntry(const QStringList& names, int startIndex, int helpContext, const QString& caption,
                QWidget* parent = nullptr);

} // namespace shell
