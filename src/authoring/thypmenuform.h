#pragma once

#include "authoring/mediaactions.h"
#include "authoring/thypentryform.h"
#include "authoring/topicentry.h"

#include <QDialog>
#include <functional>
#include <optional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace shell {
struct AppState;
}

namespace authoring {

// The Topic entry dialog: a Topic's name (its entry on the Topic menu), one of nine types, and the
// content the type needs, gathered through the page editor or a picker behind each type's "Add"
// button. "&Save" hands the finished Topic to the caller's commit function (the store write); a
// failed commit is reported and the dialog stays open with the author's work.
class THypMenuForm : public QDialog
{
    Q_OBJECT
public:
    using Commit = std::function<void(const TopicSave&)>;

    struct Setup
    {
        QString store;     // the topic store, asked whether a name is in use
        QString directory; // the Study List directory the pickers work in
        int helpContext = 0;
        MediaActions actions;
        PageViewer pageViewer; // the page editor's "&View"; may be empty
        // The Study List directory and design origin for the page editor's layout windows.
        const shell::AppState* state = nullptr;
        Commit commit; // may be empty: "&Save" then only closes with the result
    };

    // `currentTopicTitle` is the process-wide current Topic title: the name accepted last, and the
    // caption the pickers' picture shows use.
    THypMenuForm(const TopicEntry& entry, const Setup& setup, QString& currentTopicTitle,
                 QWidget* parent = nullptr);

    const TopicEntry& entry() const { return m_entry; }
    // The Topic handed to the commit function by the last successful "&Save".
    const std::optional<TopicSave>& saved() const { return m_saved; }

    // The radio button and "Add" button of row 1 to 9.
    QRadioButton* radio(int row) const;
    QPushButton* addButton(int row) const;

    // Operations behind the controls, public so tests can drive them without clicking.
    void addClicked(int row);
    // The name check of leaving the name field: false (after the message) when the name is taken.
    bool checkName();
    void saveClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void createLayout();
    void checkRadioOf(int type);
    void radioChecked(int row);
    void updateAddButtons();
    QWidget* subParent() const;
    void addPage(int type);
    void addGraphic();
    void addWave();
    void addGraphicSound();
    void addProgram();
    void addVideo();
    void addMidi();
    void addNotes();

    TopicEntry m_entry;
    Setup m_setup;
    QString& m_title;
    std::optional<TopicSave> m_saved;
    bool m_checking = false;
    bool m_loading = false;

    QLabel* Label1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QList<QRadioButton*> m_radios;
    QList<QPushButton*> m_adds;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
};

// The type code of a row of the dialog (row 9, "K.R.T. NotePad", is type 13).
int RowType(int row);
// The row whose radio button stands for a type code (4 for 4, 9 and 10); 0 for none.
int RowOfType(int type);

// Shows the dialog on `entry`; the saved Topic, or nothing when it was cancelled.
std::optional<TopicSave> EnterTopic(const TopicEntry& entry, const THypMenuForm::Setup& setup,
                                    QString& currentTopicTitle, QWidget* parent);

// "&Add a Topic": the dialog for a new Topic of the store; on "&Save" the Topic is appended.
// True when a Topic was saved.
bool AddTopic(const QString& store, int helpContext, shell::AppState& state, QWidget* parent);

// "&Edit a Topic": asks for the Topic with "Select an Entry to edit", then shows the dialog on it;
// on "&Save" the Topic is replaced where it stands. True when a Topic was saved.
bool EditTopic(const QString& store, int helpContext, shell::AppState& state, QWidget* parent);

} // namespace authoring
