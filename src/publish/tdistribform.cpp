#include "publish/tdistribform.h"

#include "platform/dialogs.h"
#include "platform/f1filter.h"
#include "shell/dialogbuttons.h"
#include "shell/appstate.h"
#include "shell/filenames.h"
#include "shell/folderbrowser.h"
#include "shell/utilities.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace publish {

namespace {

constexpr int kHelpContext = 290;
constexpr int kIncludeProgramHelp = 440;

// Folder names compared the way the reader's old desktop did: letter case ignored, exactly one
// trailing separator.
bool SameFolder(const QString& a, const QString& b)
{
    return shell::WithTrailingSeparator(QDir::cleanPath(a))
               .compare(shell::WithTrailingSeparator(QDir::cleanPath(b)), Qt::CaseInsensitive) == 0;
}

} // namespace

TDistribForm::TDistribForm(DistributedProgram program, const QString& workingDirectory, QWidget* parent)
    : QDialog(parent), m_workingDirectory(workingDirectory), m_destination(this), Edit1(m_destination.edit())
{
    setObjectName(QStringLiteral("TDistribForm"));
    setWindowTitle(QStringLiteral("Press F1 for Help"));
    platform::SetHelpContext(this, kHelpContext);
    createControls();
    createLayout();
    (program == DistributedProgram::Compiled ? RadioButton1 : RadioButton2)->setChecked(true);
    m_destination.browser()->setFolder(workingDirectory);
    Edit1->setText(QDir::toNativeSeparators(m_destination.browser()->folder()));
}

void TDistribForm::createControls()
{
    RadioButton1 = new QRadioButton(QStringLiteral("Compiled Study List"), this);
    RadioButton1->setObjectName(QStringLiteral("RadioButton1"));
    RadioButton2 = new QRadioButton(QStringLiteral("Executable Study List"), this);
    RadioButton2->setObjectName(QStringLiteral("RadioButton2"));
}

void TDistribForm::createLayout()
{
    auto* group = new QGroupBox(QStringLiteral(" Program to Distribute "), this);
    group->setObjectName(QStringLiteral("GroupBox1"));
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->setSpacing(10);
    groupLayout->addWidget(RadioButton1);
    groupLayout->addWidget(RadioButton2);
    groupLayout->addStretch();

    m_destination.layOut(this, QStringLiteral("Create or Select a Distribution Directory "), group,
                         shell::OkCancelButtons(this, "BitBtn1", "BitBtn2"));
}

TDistribForm::Result TDistribForm::choice() const
{
    return {shell::WithTrailingSeparator(m_destination.folder()),
            RadioButton1->isChecked() ? DistributedProgram::Compiled : DistributedProgram::Executable};
}

void TDistribForm::accept()
{
    if (SameFolder(choice().destination, m_workingDirectory)) {
        shell::ShowError(QStringLiteral("Files cannot be copied to Project directory."));
        Edit1->setFocus();
        return;
    }
    QDialog::accept();
}

void PrepareDistribution(shell::AppState& state, QWidget* parent)
{
    TDistribForm form(DistributedProgram::Executable, state.WorkingDirectory, parent);
    if (form.exec() != QDialog::Accepted)
        return;
    const TDistribForm::Result choice = form.choice();

    const QString name = state.listName();
    const bool compiled = choice.program == DistributedProgram::Compiled;
    const QString programFile = name + (compiled ? QStringLiteral(".SWC") : QStringLiteral(".EXE"));
    if (!QFileInfo(state.resolve(programFile)).isFile()) {
        shell::ShowError(compiled ? programFile + QStringLiteral(" was not found.\r\nPlease compile the Study List.")
                                  : programFile +
                                        QStringLiteral(" was not found.\r\nPlease create the Executable program."));
        return;
    }

    const auto includeProgram = [](const QString& program) {
        return platform::dialogs().askYesNoHelp(IncludeProgramQuestion(program), kIncludeProgramHelp);
    };
    QStringList files = GatherDistributionFiles(state.Settings, state.WorkingDirectory,
                                                state.resolve(state.TopicStorePath), includeProgram);
    const QStringList missing = MissingFiles(files, state.WorkingDirectory);
    for (const QString& file : missing)
        shell::ShowError(QStringLiteral("The file ") + file + QStringLiteral(" is missing."));
    if (!missing.isEmpty())
        return;

    AddDistributionName(files, programFile);
    if (compiled)
        AddDistributionName(files, QDir(state.ProgramDirectory).filePath(QStringLiteral("meridox.exe")));

    if (!QDir().mkpath(choice.destination)) {
        shell::ShowError(QStringLiteral("Unable to create the directory"));
        return;
    }
    CopyDistributionFiles(files, state.WorkingDirectory, choice.destination);
    shell::ShowInfo(QStringLiteral("All the files have been copied to the Directory ") +
                    QDir::toNativeSeparators(choice.destination));
}

} // namespace publish
