#pragma once

#include <QGroupBox>
#include <QStringList>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace authoring {

// What one file group of a picker looks for.
struct FileKind
{
    QString groupCaption;   // " Select a .WAV  Audio  file "
    QString fieldText;      // initial text of the name field: "*.WAV"
    QString listMask;       // files of the Study List directory shown: "*.WAV"
    QStringList proposals;  // patterns tried in turn for an empty field: {"*.wav"}
    QString findFilter;     // "WAV Files|*.WAV"
    QString findTitle;      // "Select a WAV Voice File"
    QString findCaption = QStringLiteral("&Find File");
    int maxLength = 0;      // 0: no limit
    int findHelpContext = 0; // of the file chooser; 0: none
    bool executables = false; // also list programs with the execute permission (IsProgramFile)
};

// A name field over a file list of the Study List directory, with "&Find File": a file chosen
// elsewhere is offered for copying into the Study List directory and is never copied over a file
// already there; only a file that is in the directory can be named.
class FileGroup : public QGroupBox
{
    Q_OBJECT
public:
    FileGroup(const FileKind& kind, const QString& directory, const QString& fieldName, QWidget* parent);

    QString fileName() const;
    void setFileName(const QString& name);
    QLineEdit* field() const { return m_field; }
    QListWidget* list() const { return m_list; }
    QPushButton* findButton() const { return m_find; }
    void refresh();
    // The first file of the directory that matches the proposals, or empty.
    QString proposal() const;
    // The find-file action (public for the pickers' own buttons and for tests).
    void findFile();

Q_SIGNALS:
    void fileNameChanged();

private:
    FileKind m_kind;
    QString m_directory;
    QLineEdit* m_field = nullptr;
    QListWidget* m_list = nullptr;
    QPushButton* m_find = nullptr;
};

// Asks "Copy the file NAME to the Project directory?" for a file chosen elsewhere and on "Yes"
// copies it in, never over a file of that name already there. False (after the message) when the
// copy failed.
bool OfferCopyIntoStudyList(const QString& chosen, const QString& directory);

// True when the file starts like a program this system runs: an ELF image or a "#!" script.
bool IsProgramFile(const QString& path);

// The files of `directory` matching the kind's mask (and programs, when asked).
QStringList ListKindFiles(const QString& directory, const FileKind& kind);

} // namespace authoring
