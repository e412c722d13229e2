#pragma once

#include <QString>

class QDialog;
class QGridLayout;
class QLineEdit;
class QWidget;

namespace shell {
class FolderBrowser;
}

namespace publish {

// The destination half of the distribution and publish dialogs: the drive chooser
// ("DriveComboBox1"), the folder list ("DirectoryListBox1") and the typed folder ("Edit1"), which
// follows the folder the list points at. The user may type a folder that does not exist yet.
class DestinationPicker
{
public:
    explicit DestinationPicker(QDialog* dialog);

    shell::FolderBrowser* browser() const { return m_browser; }
    QLineEdit* edit() const { return m_edit; }

    // The typed folder, cleaned; a folder typed without its path is meant inside the folder the
    // list shows.
    QString folder() const;

    // The dialog's grid: drive, caption, typed folder and folder list on the left, `side` on the
    // right, `buttons` below.
    QGridLayout* layOut(QDialog* dialog, const QString& folderCaption, QWidget* side, QWidget* buttons);

private:
    shell::FolderBrowser* m_browser = nullptr;
    QLineEdit* m_edit = nullptr;
};

} // namespace publish
