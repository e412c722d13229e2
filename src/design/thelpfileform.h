#pragma once

#include "storage/settingsrecord.h"

#include <QDialog>
#include <QLineEdit>

class QListWidget;

namespace design {

// The starting help topic field: when it loses the focus with a text that is not a whole number,
// the author is told "That is not a valid number", the field goes back to "1" and keeps the focus.
class TopicNumberField : public QLineEdit
{
    Q_OBJECT
public:
    explicit TopicNumberField(QWidget* parent);
    // Applies the rule; false (after the message) when the text was not a whole number.
    bool normalise();

protected:
    void focusOutEvent(QFocusEvent* event) override;
};

// The help file of a Study List and the help topic its reader's Help opens first.
class THelpfileForm : public QDialog
{
    Q_OBJECT
public:
    THelpfileForm(const storage::ProgramSettings& program, const QString& directory, QWidget* parent = nullptr);

    void accept() override;
    // The program settings with the help file and starting topic of the fields.
    storage::ProgramSettings program() const;

    // The Find File action (public for tests).
    void findFile();

private:
    void refreshList();

    storage::ProgramSettings m_program;
    QString m_directory;
    QLineEdit* Edit1 = nullptr;
    QListWidget* FileListBox1 = nullptr;
    TopicNumberField* Edit2 = nullptr;
};

// Writes the help file and starting topic into `program` on OK; true then.
bool SelectHelpFile(storage::ProgramSettings& program, const QString& directory, QWidget* parent = nullptr);

} // namespace design
