#pragma once

#include "shell/namesearch.h"

#include <QDialog>
#include <QStringList>

#include <functional>

class QFrame;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QStackedLayout;

namespace authoring {

// The Topic order dialog: the author picks the Topic to move in the first list and the Topic to
// place it before in the second, and "Sort" moves it. The dialog never writes the store itself:
// each move goes through `mover`, which rewrites the store and returns the names in their new
// order (or throws shell::Error, shown here; the dialog then stays as it was).
class THypReorgFm : public QDialog
{
    Q_OBJECT
public:
    using Mover = std::function<QStringList(const QString& name, const QString& before)>;

    THypReorgFm(const QStringList& names, Mover mover, QWidget* parent = nullptr);

    const QStringList& names() const { return m_names; }

private:
    void createControls();
    void createLayout();
    QFrame* makeListPanel(const QString& name, QListWidget*& list, QPushButton*& find, QPushButton*& ok);
    // Both lists refilled with their first name selected, both name fields and searches cleared,
    // the first panel shown and "Sort" hidden.
    void reset();
    void showPanel(bool first);
    void takeName(QListWidget* list, QLineEdit* field);
    void findName(QListWidget* list, shell::FindState& state, QPushButton* ok);
    void updateSortButton();
    void SortBitBtnClick();

    QStringList m_names;
    Mover m_mover;
    shell::FindState m_find1;
    shell::FindState m_find2;
    QRadioButton* tomoveRBtn = nullptr;
    QRadioButton* MovetoRBtn = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QStackedLayout* m_panels = nullptr;
    QFrame* List1Pnl = nullptr;
    QListWidget* ListBox1 = nullptr;
    QPushButton* Find1Btn = nullptr;
    QPushButton* OK1Btn = nullptr;
    QFrame* List2Pnl = nullptr;
    QListWidget* ListBox2 = nullptr;
    QPushButton* Find2Btn = nullptr;
    QPushButton* OK2Btn = nullptr;
    QPushButton* SortBitBtn = nullptr;
    QPushButton* CancelBitBtn = nullptr;
};

// "Topic &Order": lists the Topics of the kind; with at most one there is nothing to order and the
// author is told so. Otherwise the dialog moves Topics in the store until it is closed.
void TopicOrder(const QString& store, const QString& kind, QWidget* parent = nullptr);

} // namespace authoring
