#pragma once

#include <QDialog>
#include <QStringList>

class QCheckBox;
class QListWidget;
class QPushButton;

namespace authoring {

// "Import Topics": the author picks documents (several files at once, or every document of a
// folder) and whether Word and OpenDocument documents are cut at their top-level headings; on
// "&Import" each becomes a " Text Only" Topic, with a progress box whose Cancel keeps what was
// written. A closing box counts the Topics and names every document that could not be read.
class TImportTopicsForm : public QDialog
{
public:
    static constexpr int kHelpContext = 155;

    TImportTopicsForm(const QString& store, const QString& directory, QWidget* parent = nullptr);

    QStringList documents() const { return m_documents; }
    bool splitAtHeadings() const;

private:
    void addFiles();
    void addFolder();
    void addDocuments(const QStringList& paths);
    void importDocuments();

    QString m_store;
    QString m_directory;
    QStringList m_documents;
    QListWidget* FileLst = nullptr;
    QCheckBox* SplitChkBx = nullptr;
    QPushButton* FilesBtn = nullptr;
    QPushButton* FolderBtn = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
};

// Shows the dialog over parent; true when Topics were written.
bool ImportTopicsDialog(const QString& store, const QString& directory, QWidget* parent);

} // namespace authoring
