#include "authoring/timporttopicsform.h"

#include "authoring/importtopics.h"
#include "platform/dialogs.h"
#include "platform/f1filter.h"
#include "platform/rtf/importdocument.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QVBoxLayout>

namespace authoring {

TImportTopicsForm::TImportTopicsForm(const QString& store, const QString& directory, QWidget* parent)
    : QDialog(parent), m_store(store), m_directory(directory)
{
    setObjectName(QStringLiteral("TImportTopicsForm"));
    setWindowTitle(QStringLiteral("Press F1 for Help"));
    platform::SetHelpContext(this, kHelpContext);

    auto* label = new QLabel(QStringLiteral("Documents to bring in, each as a Text Only Topic:"), this);
    FileLst = new QListWidget(this);
    FileLst->setObjectName(QStringLiteral("FileLst"));
    FileLst->setMinimumSize(460, 200);
    FilesBtn = new QPushButton(QStringLiteral("Add &Documents..."), this);
    FilesBtn->setObjectName(QStringLiteral("FilesBtn"));
    FolderBtn = new QPushButton(QStringLiteral("Add a &Folder..."), this);
    FolderBtn->setObjectName(QStringLiteral("FolderBtn"));
    SplitChkBx = new QCheckBox(QStringLiteral("&Split Word and OpenDocument documents at each top-level heading"), this);
    SplitChkBx->setObjectName(QStringLiteral("SplitChkBx"));
    OKBtn = new QPushButton(QStringLiteral("&Import"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setEnabled(false);
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("&Cancel"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));

    auto* choose = new QHBoxLayout;
    choose->addWidget(FilesBtn);
    choose->addWidget(FolderBtn);
    choose->addStretch();
    auto* finish = new QHBoxLayout;
    finish->addStretch();
    finish->addWidget(OKBtn);
    finish->addWidget(CancelBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(FileLst);
    layout->addLayout(choose);
    layout->addWidget(SplitChkBx);
    layout->addLayout(finish);

    connect(FilesBtn, &QPushButton::clicked, this, &TImportTopicsForm::addFiles);
    connect(FolderBtn, &QPushButton::clicked, this, &TImportTopicsForm::addFolder);
    connect(OKBtn, &QPushButton::clicked, this, &TImportTopicsForm::importDocuments);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

bool TImportTopicsForm::splitAtHeadings() const
{
    return SplitChkBx->isChecked();
}

void TImportTopicsForm::addFiles()
{
    platform::FileRequest request;
    request.title = QStringLiteral("Select Documents");
    request.filter = QStringLiteral("Text and RTF Files|*.TXT;*.RTF|") + platform::rtf::ImportDocumentFilterLine();
    request.directory = m_directory;
    request.helpContext = kHelpContext;
    addDocuments(platform::dialogs().openFileNames(request));
}

void TImportTopicsForm::addFolder()
{
    platform::FileRequest request;
    request.title = QStringLiteral("Select a Folder of Documents");
    request.directory = m_directory;
    request.helpContext = kHelpContext;
    const QString folder = platform::dialogs().chooseFolder(request);
    if (!folder.isEmpty())
        addDocuments(DocumentsInFolder(folder));
}

void TImportTopicsForm::addDocuments(const QStringList& paths)
{
    for (const QString& path : paths) {
        if (m_documents.contains(path))
            continue;
        m_documents.append(path);
        FileLst->addItem(QDir::toNativeSeparators(path));
    }
    OKBtn->setEnabled(!m_documents.isEmpty());
}

void TImportTopicsForm::importDocuments()
{
    QProgressDialog progress(QString(), QStringLiteral("&Cancel"), 0, int(m_documents.size()), this);
    progress.setObjectName(QStringLiteral("ProgressDlg"));
    progress.setWindowTitle(QStringLiteral("Import Topics"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setMinimumWidth(420);
    const ImportTopicsResult result =
        ImportTopics(m_store, m_documents, splitAtHeadings(), [&](const QString& fileName, int done) {
            progress.setValue(done);
            progress.setLabelText(QStringLiteral("Reading ") + fileName);
            return !progress.wasCanceled();
        });
    progress.setValue(int(m_documents.size()));
    QString message = result.written.size() == 1 ? QStringLiteral("1 Topic was imported.")
                                                 : QStringLiteral("%1 Topics were imported.").arg(result.written.size());
    if (result.cancelled)
        message += QStringLiteral(" The import was cancelled.");
    if (!result.failures.isEmpty())
        message += QStringLiteral("\n\nThese documents could not be read:\n") + result.failures.join(QLatin1Char('\n'));
    platform::dialogs().showInfo(message);
    if (result.written.isEmpty())
        reject();
    else
        accept();
}

bool ImportTopicsDialog(const QString& store, const QString& directory, QWidget* parent)
{
    TImportTopicsForm form(store, directory, parent);
    return form.exec() == QDialog::Accepted;
}

} // namespace authoring
