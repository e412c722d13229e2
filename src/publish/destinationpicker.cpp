#include "publish/destinationpicker.h"

#include "shell/folderbrowser.h"

#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

namespace publish {

DestinationPicker::DestinationPicker(QDialog* dialog)
{
    m_browser = new shell::FolderBrowser(dialog, QString());
    m_browser->driveCombo()->setObjectName(QStringLiteral("DriveComboBox1"));
    m_browser->folderList()->setObjectName(QStringLiteral("DirectoryListBox1"));
    // Only folders matter here.
    m_browser->fileList()->hide();
    m_edit = new QLineEdit(dialog);
    m_edit->setObjectName(QStringLiteral("Edit1"));
    QObject::connect(m_browser, &shell::FolderBrowser::folderPicked, m_edit,
                     [edit = m_edit](const QString& folder) { edit->setText(QDir::toNativeSeparators(folder)); });
}

QString DestinationPicker::folder() const
{
    QString folder = QDir::fromNativeSeparators(m_edit->text().trimmed());
    if (QDir::isRelativePath(folder))
        folder = QDir(m_browser->folder()).filePath(folder);
    return QDir::cleanPath(folder);
}

QGridLayout* DestinationPicker::layOut(QDialog* dialog, const QString& folderCaption, QWidget* side, QWidget* buttons)
{
    auto* driveLabel = new QLabel(QStringLiteral("Select  Drive :"), dialog);
    driveLabel->setBuddy(m_browser->driveCombo());
    auto* folderLabel = new QLabel(folderCaption, dialog);
    folderLabel->setBuddy(m_edit);

    auto* grid = new QGridLayout(dialog);
    grid->setHorizontalSpacing(16);
    grid->addWidget(driveLabel, 0, 0);
    grid->addWidget(m_browser->driveCombo(), 1, 0);
    grid->addWidget(folderLabel, 2, 0);
    grid->addWidget(m_edit, 3, 0);
    grid->addWidget(m_browser->folderList(), 4, 0);
    grid->addWidget(side, 1, 1, 4, 1);
    grid->addWidget(buttons, 5, 0, 1, 2);
    grid->setColumnMinimumWidth(0, 300);
    grid->setRowMinimumHeight(4, 220);
    return grid;
}

} // namespace publish
