#pragma once

#include "shell/namesearch.h"

#include <QDialog>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace shell {

// The find dialog: asks for a search text and whether the search starts afresh ("Find First")
// or goes on from the last hit ("Find Next").
class TGetInputTextForm : public QDialog
{
    Q_OBJECT
public:
    explicit TGetInputTextForm(const QString& text, QWidget* parent = nullptr);

    // 0 until a find button closed the dialog, then 1 for "Find First", 2 for "Find Next".
    int mode() const { return m_mode; }
    QString text() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void createControls();
    void createLayout();
    void closeWithMode(int mode);

    int m_mode = FindCancelled;
    QLineEdit* Edit1 = nullptr;
    QPushButton* BitBtn3 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QPushButton* BitBtn1 = nullptr;
};

// Shows the find dialog with `text`. Returns 0 when cancelled (the text stays), else the mode,
// and the text typed replaces `text`.
int AskFindText(QString& text, QWidget* parent = nullptr);

// The "&Find" of a list window: asks for the text, searches the names with the window's find
// state and returns the row to select (the hit, or 0 when there is none or the dialog was
// cancelled). The window then moves the focus to its confirming button.
int FindNextName(const QStringList& names, FindState& state, QWidget* parent = nullptr);

// The whole "&Find" of a list window: FindNextName over the names, the row selected in `list`, and
// the focus on the window's confirming button.
void FindInList(QListWidget* list, const QStringList& names, FindState& state, QWidget* confirm);

// What a list window hands back: the selected row when the dialog closed with OK, else -1.
int AcceptedRow(const QDialog& dialog, const QListWidget* list);

} // namespace shell
