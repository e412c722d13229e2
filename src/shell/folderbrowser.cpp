#include "shell/folderbrowser.h"

#include "shell/filenames.h"

#include <QComboBox>
#include <QDir>
#include <QFileIconProvider>
#include <QListWidget>
#include <QStorageInfo>

namespace shell {

namespace {
constexpr int kPathRole = Qt::UserRole + 1;
}

FolderBrowser::FolderBrowser(QWidget* parent, const QString& mask)
    : QObject(parent), m_drives(new QComboBox(parent)), m_folders(new QListWidget(parent)),
      m_files(new QListWidget(parent)), m_mask(mask)
{
    m_drives->setObjectName(QStringLiteral("DriveComboBox1"));
    m_folders->setObjectName(QStringLiteral("DirectoryListBox1"));
    m_files->setObjectName(QStringLiteral("FileListBox1"));
    fillDrives();
    connect(m_drives, &QComboBox::activated, this, &FolderBrowser::driveChosen);
    connect(m_folders, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { Q_EMIT folderPicked(itemPath(item)); });
    connect(m_folders, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { setFolder(itemPath(item)); });
    connect(m_files, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { Q_EMIT fileClicked(item->text()); });
}

void FolderBrowser::fillDrives()
{
    m_drives->clear();
    QStringList roots{QStringLiteral("/")};
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        const QString root = volume.rootPath();
        if (volume.isValid() && volume.isReady() && !roots.contains(root) &&
            (root.startsWith(QLatin1String("/media")) || root.startsWith(QLatin1String("/mnt")) ||
             root.startsWith(QLatin1String("/run/media")) || root == QDir::homePath()))
            roots.append(root);
    }
    if (!roots.contains(QDir::homePath()))
        roots.insert(1, QDir::homePath());
    for (const QString& root : roots)
        m_drives->addItem(root == QLatin1String("/") ? QStringLiteral("/ (File System)") : root, root);
}

void FolderBrowser::driveChosen(int index)
{
    setFolder(m_drives->itemData(index).toString());
    Q_EMIT folderPicked(m_folder);
}

void FolderBrowser::setFolder(const QString& folder)
{
    const QString clean = QDir::cleanPath(QDir(folder).absolutePath());
    if (!QDir(clean).exists())
        return;
    m_folder = clean;
    // Show the drive that holds the folder: the longest root that is a prefix of it.
    int best = 0;
    for (int i = 0; i < m_drives->count(); ++i) {
        const QString root = m_drives->itemData(i).toString();
        if ((m_folder == root || m_folder.startsWith(WithTrailingSeparator(root))) &&
            root.size() > m_drives->itemData(best).toString().size())
            best = i;
    }
    m_drives->setCurrentIndex(best);
    fillFolders();
    fillFiles();
    Q_EMIT folderPicked(m_folder);
}

void FolderBrowser::fillFolders()
{
    m_folders->clear();
    static const QFileIconProvider icons;
    const QIcon folderIcon = icons.icon(QFileIconProvider::Folder);
    // The path down to the current folder, each level indented one step further.
    QStringList chain;
    for (QDir dir(m_folder);; ) {
        chain.prepend(dir.absolutePath());
        if (!dir.cdUp())
            break;
    }
    int depth = 0;
    for (const QString& path : chain) {
        const QString name = path == QLatin1String("/") ? QStringLiteral("/") : QDir(path).dirName();
        auto* item = new QListWidgetItem(folderIcon, QString(depth * 2, QLatin1Char(' ')) + name, m_folders);
        item->setData(kPathRole, path);
        ++depth;
    }
    m_folders->setCurrentRow(m_folders->count() - 1);
    const QStringList children =
        QDir(m_folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString& child : children) {
        auto* item = new QListWidgetItem(folderIcon, QString(depth * 2, QLatin1Char(' ')) + child, m_folders);
        item->setData(kPathRole, QDir(m_folder).filePath(child));
    }
}

void FolderBrowser::fillFiles()
{
    m_files->clear();
    m_files->addItems(ListMatchingFiles(m_folder, m_mask));
}

QString FolderBrowser::itemPath(const QListWidgetItem* item) const
{
    return item ? item->data(kPathRole).toString() : m_folder;
}

} // namespace shell
