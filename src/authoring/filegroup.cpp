#include "authoring/filegroup.h"

#include "platform/dialogs.h"
#include "shell/error.h"
#include "shell/filenames.h"
#include "shell/typinglimit.h"
#include "shell/utilities.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace authoring {

bool OfferCopyIntoStudyList(const QString& chosen, const QString& directory)
{
    const QString bare = shell::FileNameOf(chosen);
    try {
        if (shell::AskYesNo(QStringLiteral("Copy the file ") + bare + QStringLiteral(" to the Project directory?")) &&
            !shell::NameExists(directory, bare))
            shell::CopyFileInto(chosen, directory);
    } catch (const shell::Error& error) {
        shell::ShowError(error.message());
        return false;
    }
    return true;
}

bool IsProgramFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(4);
    return head == QByteArrayLiteral("\x7f" "ELF") || head.startsWith("#!");
}

QStringList ListKindFiles(const QString& directory, const FileKind& kind)
{
    QStringList files = shell::ListMatchingFiles(directory, kind.listMask);
    if (kind.executables) {
        // The execute permission alone says little: a FAT stick gives it to every file.
        const QFileInfoList entries = QDir(directory).entryInfoList(QDir::Files | QDir::Executable, QDir::Name);
        for (const QFileInfo& info : entries) {
            if (!files.contains(info.fileName()) && IsProgramFile(info.filePath()))
                files.append(info.fileName());
        }
        files.sort(Qt::CaseInsensitive);
    }
    return files;
}

FileGroup::FileGroup(const FileKind& kind, const QString& directory, const QString& fieldName, QWidget* parent)
    : QGroupBox(kind.groupCaption, parent), m_kind(kind), m_directory(directory)
{
    m_field = new QLineEdit(kind.fieldText, this);
    m_field->setObjectName(fieldName);
    if (kind.maxLength > 0)
        shell::LimitTyping(m_field, kind.maxLength);
    m_list = new QListWidget(this);
    m_list->setMinimumHeight(120);
    m_find = new QPushButton(kind.findCaption, this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_field);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_find, 0, Qt::AlignLeft);
    connect(m_list, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        m_field->setText(item->text());
        Q_EMIT fileNameChanged();
    });
    connect(m_field, &QLineEdit::textChanged, this, &FileGroup::fileNameChanged);
    connect(m_find, &QPushButton::clicked, this, &FileGroup::findFile);
    refresh();
}

QString FileGroup::fileName() const
{
    return m_field->text().trimmed();
}

void FileGroup::setFileName(const QString& name)
{
    m_field->setText(name);
}

void FileGroup::refresh()
{
    m_list->clear();
    m_list->addItems(ListKindFiles(m_directory, m_kind));
}

QString FileGroup::proposal() const
{
    for (const QString& pattern : m_kind.proposals) {
        if (const auto found = shell::FindInWorkingDirectory(m_directory, pattern))
            return *found;
    }
    return {};
}

void FileGroup::findFile()
{
    platform::FileRequest request;
    request.title = m_kind.findTitle;
    request.filter = m_kind.findFilter;
    request.directory = m_directory;
    request.helpContext = m_kind.findHelpContext;
    const QString chosen = platform::dialogs().openFileName(request);
    if (chosen.isEmpty())
        return;
    const QString bare = shell::FileNameOf(chosen);
    if (!OfferCopyIntoStudyList(chosen, m_directory))
        return;
    if (shell::NameExists(m_directory, bare))
        m_field->setText(bare);
    refresh();
    if (fileName().isEmpty())
        m_field->setText(proposal());
    Q_EMIT fileNameChanged();
}

} // namespace authoring
