#pragma once

#include "authoring/mediaactions.h"

#include <QDialog>
#include <optional>

class QPushButton;
class QRadioButton;

namespace authoring {

// The kind of external program of an " Executable" Topic or command: a program with parameters
// (4), a desktop program on a file of the Study List (9) or, in the three-kind choice, an HTML file
// opened by the desktop (10). Each kind's "Add" button opens its picker.
struct ProgramChoice
{
    int type = 4;
    QString programCommand;
    QString commandValue;
};

class TExeChoiceForm : public QDialog
{
    Q_OBJECT
public:
    // `threeKinds` false gives the two-kind choice (TExe2ChoiceForm).
    TExeChoiceForm(bool threeKinds, const ProgramChoice& current, const QString& directory,
                   const MediaActions& actions, QWidget* parent = nullptr);
    ProgramChoice choice() const { return m_choice; }
    QRadioButton* radio(int type) const;
    QPushButton* addButton(int type) const;
    // The "Add" of a kind, public so tests can drive it.
    void add(int type);

private:
    struct Row
    {
        int type;
        QRadioButton* radio;
        QPushButton* button;
    };
    void updateButtons();

    ProgramChoice m_choice;
    QString m_directory;
    MediaActions m_actions;
    QList<Row> m_rows;
};

// Shows the three-kind choice (" Select External Type ", help 540); nothing on Cancel.
std::optional<ProgramChoice> ChooseProgramKind(const ProgramChoice& current, const QString& directory,
                                               const MediaActions& actions, QWidget* parent);
// Shows the two-kind choice (" Select Executable Type ", help 425).
std::optional<ProgramChoice> ChooseProgramKind2(const ProgramChoice& current, const QString& directory,
                                                const MediaActions& actions, QWidget* parent);

} // namespace authoring
