#pragma once

#include "publish/destinationpicker.h"
#include "publish/distribution.h"

#include <QDialog>

#include <optional>

class QLineEdit;
class QRadioButton;

namespace shell {
class FolderBrowser;
struct AppState;
} // namespace shell

namespace publish {

// The distribution dialog: the directory the reader's files go to (an existing folder or one to
// be made) and which program goes with them. The Study List directory itself is refused.
class TDistribForm : public QDialog
{
    Q_OBJECT
public:
    struct Result
    {
        QString destination; // ends with "/"
        DistributedProgram program = DistributedProgram::Executable;
    };

    TDistribForm(DistributedProgram program, const QString& workingDirectory, QWidget* parent = nullptr);

    Result choice() const;
    void accept() override;

private:
    void createControls();
    void createLayout();

    QString m_workingDirectory;
    DestinationPicker m_destination;
    QLineEdit* Edit1 = nullptr;
    QRadioButton* RadioButton1 = nullptr;
    QRadioButton* RadioButton2 = nullptr;
};

// "Prepare Distrib&ution": asks for the destination and the program, checks that the program was
// built and that every file the Study List refers to exists, and only then copies them all.
// Failures throw shell::Error.
void PrepareDistribution(shell::AppState& state, QWidget* parent = nullptr);

} // namespace publish
