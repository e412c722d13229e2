#pragma once

#include <QObject>
#include <QString>

class QComboBox;
class QListWidget;
class QListWidgetItem;
class QWidget;

namespace shell {

// The drive chooser, folder list and file list of the directory dialogs. "Drives" here are the
// file-system root and the mounted volumes. The folder list shows the path to the current folder
// and its sub-folders; a click on a folder reports it, a double click opens it. The file list
// shows the current folder's files matching a mask, without regard to letter case. Browsing never
// changes the process's current directory.
class FolderBrowser : public QObject
{
    Q_OBJECT
public:
    FolderBrowser(QWidget* parent, const QString& mask);

    QComboBox* driveCombo() const { return m_drives; }
    QListWidget* folderList() const { return m_folders; }
    QListWidget* fileList() const { return m_files; }

    QString folder() const { return m_folder; }
    void setFolder(const QString& folder);

Q_SIGNALS:
    // The folder the user points at: the current folder after a change, or a clicked folder.
    void folderPicked(const QString& folder);
    void fileClicked(const QString& fileName);

private:
    void fillDrives();
    void fillFolders();
    void fillFiles();
    void driveChosen(int index);
    QString itemPath(const QListWidgetItem* item) const;

    QComboBox* m_drives;
    QListWidget* m_folders;
    QListWidget* m_files;
    QString m_mask;
    QString m_folder;
};

} // namespace shell
