#include "shell/tmakedirform.h"

#include "platform/f1filter.h"
#include "shell/dialogbuttons.h"
#include "shell/filenames.h"
#include "shell/folderbrowser.h"
#include "shell/utilities.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace shell {

TMakeDirForm::TMakeDirForm(const QString& mask, int helpContext, const QString& prompt,
                           const QString& startFolder, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TMakeDirForm"));
    setWindowTitle(QStringLiteral("Press F1 for Help"));
    platform::SetHelpContext(this, helpContext);
    createControls(mask, prompt);
    m_browser->setFolder(startFolder);
    Edit1->setText(QDir::toNativeSeparators(m_browser->folder()));
}

void TMakeDirForm::createControls(const QString& mask, const QString& prompt)
{
    m_browser = new FolderBrowser(this, mask);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit2 = new QLineEdit(this);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    FileLbl = new QLabel(prompt, this);
    FileLbl->setObjectName(QStringLiteral("FileLbl"));
    FileLbl->setBuddy(Edit2);
    auto* driveLabel = new QLabel(QStringLiteral("Select  Drive :"), this);
    driveLabel->setBuddy(m_browser->driveCombo());
    auto* folderLabel = new QLabel(QStringLiteral("Create or Select a Folder "), this);
    folderLabel->setBuddy(Edit1);

    QDialogButtonBox* buttons = OkCancelButtons(this, "OKBtn", "CancelBtn");

    connect(m_browser, &FolderBrowser::folderPicked, this,
            [this](const QString& folder) { Edit1->setText(QDir::toNativeSeparators(folder)); });
    connect(m_browser, &FolderBrowser::fileClicked, Edit2, &QLineEdit::setText);

    auto* grid = new QGridLayout(this);
    grid->addWidget(driveLabel, 0, 0);
    grid->addWidget(m_browser->driveCombo(), 1, 0);
    grid->addWidget(folderLabel, 2, 0);
    grid->addWidget(Edit1, 3, 0);
    grid->addWidget(m_browser->folderList(), 4, 0);
    grid->addWidget(FileLbl, 2, 1);
    grid->addWidget(Edit2, 3, 1);
    grid->addWidget(m_browser->fileList(), 4, 1);
    grid->addWidget(buttons, 5, 0, 1, 2);
    grid->setColumnMinimumWidth(0, 260);
    grid->setColumnMinimumWidth(1, 220);
    grid->setRowMinimumHeight(4, 220);
}

QString TMakeDirForm::NameProblem(const QString& name)
{
    if (!IsValidFileName(name))
        return QStringLiteral("A correct filename must be entered.");
    if (name.isEmpty())
        return QStringLiteral("A filename must be entered.");
    return {};
}

TMakeDirForm::Result TMakeDirForm::choice() const
{
    return {WithTrailingSeparator(QDir::fromNativeSeparators(Edit1->text().trimmed())), Edit2->text()};
}

void TMakeDirForm::accept()
{
    const QString problem = NameProblem(Edit2->text());
    if (!problem.isEmpty()) {
        ShowError(problem);
        Edit2->setFocus();
        return;
    }
    QDialog::accept();
}

std::optional<TMakeDirForm::Result> AskNewStudyList(const QString& mask, int helpContext, const QString& prompt,
                                                    const QString& startFolder, QWidget* parent)
{
    TMakeDirForm form(mask, helpContext, prompt, startFolder, parent);
    if (form.exec() != QDialog::Accepted)
        return std::nullopt;
    return form.choice();
}

} // namespace shell
