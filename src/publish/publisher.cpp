#include "publish/publisher.h"

#include "publish/compiledtopicsource.h"
#include "publish/mediaconvert.h"
#include "publish/pagehtml.h"
#include "publish/playerdata.h"
#include "publish/scormpackage.h"
#include "runtime/notesfile.h"
#include "runtime/topicrunner.h"
#include "shell/appstate.h"
#include "shell/boundedread.h"
#include "shell/error.h"
#include "shell/filenames.h"
#include "shell/utilities.h"
#include "storage/topicops.h"
#include "storage/topicstore.h"

#include <QBuffer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QJsonArray>
#include <QRegularExpression>
#include <QSet>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QThreadPool>
#include <QUuid>
#include <QtConcurrent/QtConcurrentMap>

#include <cerrno>
#include <filesystem>
#include <optional>
#include <utility>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace publish {

namespace {

// The player's own files, compiled into the program (see player/FORMAT.md).
const char* const kPlayerFiles[] = {"player.js", "style.css", "scorm.js"};
constexpr int kMaxMediaNameLength = 100;
// A web page of the list is read this far for the names of the files beside it.
constexpr qint64 kMaxScannedPageBytes = 4 * 1024 * 1024;
// Each media file counts this many Topics towards the percentage: converting is slow.
constexpr int kMediaWeight = 20;
// Topics handed to the worker threads at a time: enough to keep them busy, few enough that the
// converted pages waiting to be written stay small.
constexpr qsizetype kConversionBatch = 64;
// Stands for a picture in a page converted away from the publisher until its file is named. The
// converter drops control characters from the text, so the mark cannot occur otherwise.
constexpr char16_t kPictureMark = 0x01;

QByteArray PlayerFile(const QString& name)
{
    QFile file(QStringLiteral(":/publish/player/") + name);
    if (!file.open(QIODevice::ReadOnly))
        throw shell::Error(QStringLiteral("The player file ") + name + QStringLiteral(" is missing from this program."));
    return file.readAll();
}

// The folder the file goes into must exist. Everything is written into the work folder, which is
// renamed into place only when complete, so a plain write is enough; flushing before the close
// lets a full disk show as an error of this file.
// A file given in pieces is written piece by piece, never joined in memory.
void WriteBytes(const QString& path, const QByteArrayList& pieces)
{
    QFile file(path);
    bool written = file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    for (qsizetype i = 0; written && i < pieces.size(); ++i)
        written = file.write(pieces[i]) == pieces[i].size();
    if (!written || !file.flush())
        shell::ThrowFileError(QStringLiteral("Cannot write file"), path, file.errorString());
}

void WriteBytes(const QString& path, const QByteArray& bytes)
{
    WriteBytes(path, QByteArrayList{bytes});
}

// At most `limit` bytes. Not QFile::read(limit), which sets the whole limit aside for every small
// file first: a single page reads each of its scripts with a limit of a gigabyte.
QByteArray ReadBounded(const QString& path, qint64 limit)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        shell::ThrowFileError(QStringLiteral("Cannot read file"), path, file.errorString());
    return shell::ReadAtMost(file, limit - 1);
}

// A published file name made only of characters every file system and URL takes as they are.
QString SafeFileName(const QString& stored, const QString& extension)
{
    QString base = QFileInfo(stored).completeBaseName().toUpper();
    for (QChar& c : base)
        if (!((c >= QLatin1Char('A') && c <= QLatin1Char('Z')) || (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
              c == QLatin1Char('-') || c == QLatin1Char('_')))
            c = QLatin1Char('_');
    if (base.isEmpty())
        base = QStringLiteral("FILE");
    QString ext = extension.toUpper();
    ext.removeIf([](QChar c) { return !(c.isLetterOrNumber() && c.unicode() < 0x80) && c != QLatin1Char('.'); });
    return base.left(kMaxMediaNameLength) + ext.left(8);
}

QString DataUri(const QString& file, const QByteArray& bytes)
{
    static const QHash<QString, QString> kTypes{
        {QStringLiteral(".PNG"), QStringLiteral("image/png")},  {QStringLiteral(".JPG"), QStringLiteral("image/jpeg")},
        {QStringLiteral(".JPEG"), QStringLiteral("image/jpeg")}, {QStringLiteral(".GIF"), QStringLiteral("image/gif")},
        {QStringLiteral(".WAV"), QStringLiteral("audio/wav")},  {QStringLiteral(".OGG"), QStringLiteral("audio/ogg")},
        {QStringLiteral(".WEBM"), QStringLiteral("video/webm")}, {QStringLiteral(".HTM"), QStringLiteral("text/html")},
        {QStringLiteral(".HTML"), QStringLiteral("text/html")}, {QStringLiteral(".TXT"), QStringLiteral("text/plain")},
        {QStringLiteral(".HLP"), QStringLiteral("text/html")},  {QStringLiteral(".CSS"), QStringLiteral("text/css")},
        {QStringLiteral(".BMP"), QStringLiteral("image/bmp")}};
    const QString type = kTypes.value(shell::ExtensionOf(file).toUpper(), QStringLiteral("application/octet-stream"));
    return QStringLiteral("data:") + type + QStringLiteral(";base64,") + QString::fromLatin1(bytes.toBase64());
}

// Replaces the first match of the pattern; the replacement is taken literally.
bool ReplaceFirst(QString& text, const QRegularExpression& pattern, const QString& replacement)
{
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return false;
    text.replace(match.capturedStart(), match.capturedLength(), replacement);
    return true;
}

QString FilledTemplate(const QString& title, const QString& scorm)
{
    QString html = QString::fromUtf8(PlayerFile(QStringLiteral("index.html")));
    ReplaceFirst(html, QRegularExpression(QStringLiteral("<title>[^<]*</title>")),
                 QStringLiteral("<title>") + HtmlEscaped(title) + QStringLiteral("</title>"));
    ReplaceFirst(html, QRegularExpression(QStringLiteral("<meta\\s+name=\"quorvel-scorm\"[^>]*>")),
                 QStringLiteral("<meta name=\"quorvel-scorm\" content=\"") + scorm + QStringLiteral("\">"));
    return html;
}

// Text that goes inside an inline <script> or <style>: nothing in it may end the element early.
QString InlineText(const QByteArray& bytes, const QString& element)
{
    QString text = QString::fromUtf8(bytes);
    text.replace(QStringLiteral("</") + element, QStringLiteral("<\\/") + element, Qt::CaseInsensitive);
    return text;
}

QStringList FilesUnder(const QString& folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    const QDir base(folder);
    while (it.hasNext())
        files.append(base.relativeFilePath(it.next()));
    files.sort();
    return files;
}

bool IsWebPage(const QString& name)
{
    const QString extension = shell::ExtensionOf(name).toUpper();
    return extension == QLatin1String(".HTM") || extension == QLatin1String(".HTML");
}

bool LooksPublished(const QString& folder)
{
    return QFileInfo::exists(folder + QStringLiteral("/index.html")) &&
           QFileInfo::exists(folder + QStringLiteral("/data/list.js"));
}

void RenameOver(const QString& from, const QString& to)
{
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(from).toStdString(), QFile::encodeName(to).toStdString(), error);
    if (error)
        shell::ThrowFileError(QStringLiteral("Cannot write file"), to, QString::fromStdString(error.message()));
}

// A publication works in a hidden folder beside its destination and holds a lock on that folder
// while it runs. One that was killed, at any moment from making its folder to removing it, leaves
// the folder with its lock free, and the next publication there removes it. The lock is the
// kernel's lock on the folder itself: it ends exactly with the process holding it, and there is
// no moment when the folder stands without anything to judge it by, as a lock file inside it would
// leave while it is made or removed. (Not QLockFile either: it judges a lock by the process id and
// the age written in it.)
class WorkFolderLock
{
public:
    // Locks a folder just made for a publication. Another publication may have found it unlocked
    // and removed it first: then the lock is not held and the caller makes another folder.
    static WorkFolderLock Own(const QString& folder)
    {
        WorkFolderLock lock(Open(folder));
        if (lock.m_fd < 0)
            return lock;
        // Where the file system has no such locks (some network shares), no publication can take
        // the folder from another, and one killed there leaves its folder as before.
        while (::flock(lock.m_fd, LOCK_EX) != 0 && errno == EINTR) {
        }
        struct stat status {};
        if (::fstat(lock.m_fd, &status) != 0 || status.st_nlink == 0)
            lock.release();
        return lock;
    }

    // Takes the lock of a folder found beside the destination, when its publication has ended.
    static WorkFolderLock Abandoned(const QString& folder)
    {
        WorkFolderLock lock(Open(folder));
        if (lock.m_fd >= 0 && ::flock(lock.m_fd, LOCK_EX | LOCK_NB) != 0)
            lock.release();
        return lock;
    }

    WorkFolderLock(WorkFolderLock&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}
    WorkFolderLock(const WorkFolderLock&) = delete;
    WorkFolderLock& operator=(const WorkFolderLock&) = delete;
    WorkFolderLock& operator=(WorkFolderLock&&) = delete;
    ~WorkFolderLock() { release(); }

    bool held() const { return m_fd >= 0; }

private:
    explicit WorkFolderLock(int fd) : m_fd(fd) {}

    static int Open(const QString& folder)
    {
        return ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    }

    void release()
    {
        if (m_fd >= 0)
            ::close(std::exchange(m_fd, -1));
    }

    int m_fd = -1;
};

void RemoveAbandonedWorkFolders(const QString& parent)
{
    const QDir dir(parent);
    const QStringList found =
        dir.entryList({QStringLiteral(".publishing-*")}, QDir::Dirs | QDir::Hidden | QDir::NoSymLinks | QDir::NoDotAndDotDot);
    for (const QString& name : found) {
        const QString folder = dir.filePath(name);
        // Removed while locked, so a publication that made this folder a moment ago waits and
        // then sees it gone.
        if (const WorkFolderLock lock = WorkFolderLock::Abandoned(folder); lock.held())
            QDir(folder).removeRecursively();
    }
}

// A Topic with its page converted: on a worker thread, where nothing of the publisher is touched.
struct ConvertedTopic
{
    bool page = false;
    storage::TopicDisplayRecord display;
    QString html;
    QByteArray searchEntry; // the Topic's entry of the search index
    QList<QImage> pictures; // when converted apart: the pictures the marks in html stand for
    QByteArray script;      // when converted apart, for a page without pictures: its page file
};

// A Topic for a worker thread, with its place in the list, which names its page.
struct TopicJob
{
    int index = 0;
    QStringList entry;
};

// The Topic at `index` of the list: its page, when it has one, and its search entry.
ConvertedTopic ConvertTopic(const QStringList& entry, int index, const PictureSink& pictures)
{
    ConvertedTopic converted;
    const int type = runtime::TopicTypeCode(entry);
    QString folded; // command Topics have no text
    if (type == 1 || type == 5) {
        converted.page = true;
        QStringList lines;
        storage::ParsePageEntry(entry, converted.display, lines);
        PageHtml page = PageLinesToHtml(lines, pictures);
        converted.html = std::move(page.html);
        folded = FoldForSearch(page.plainText);
    }
    converted.searchEntry = SearchScript::Entry(index, FoldForSearch(runtime::TopicTitle(entry)), folded);
    return converted;
}

// A picture's file name depends on every page before it, so a page converted on a worker thread
// keeps its pictures and a numbered mark for each in place of the address.
// A page without pictures is made into its page file there too, and the Topic's search entry, so
// writing them out is all that is left for the publisher's thread. The files are written there,
// not on the workers: threads creating files in one folder spin on its lock, which on disk cost
// more than it spared.
ConvertedTopic ConvertTopicApart(const TopicJob& job)
{
    QList<QImage> pictures;
    ConvertedTopic converted = ConvertTopic(job.entry, job.index, [&pictures](const QImage& picture) -> QString {
        pictures.append(picture);
        return QChar(kPictureMark) + QString::number(pictures.size() - 1) + QChar(kPictureMark);
    });
    converted.pictures = std::move(pictures);
    if (converted.page && converted.pictures.isEmpty())
        converted.script = PageScript(QString::number(job.index), std::exchange(converted.html, {}));
    return converted;
}

// A list without a topic store has no Topics and no introduction.
void ReadTopicsFromStore(PublishSource& source, const QString& store)
{
    source.topics = [store](const TopicVisitor& visit) {
        if (QFileInfo(store).isFile())
            storage::ForEachEntry(store, storage::kTopicKind, visit);
    };
    source.introText = [store](QStringList& lines) {
        return QFileInfo(store).isFile() && storage::ReadIntroText(store, lines);
    };
}

class Publisher
{
public:
    Publisher(const PublishSource& source, PublishForm form, const PublishProgress& progress)
        : m_source(source), m_form(form), m_progress(progress)
    {
    }

    QString run(const QString& destination)
    {
        const QString result = PublishedPath(m_form, destination, m_source.name);
        const QString parent = QFileInfo(result).absolutePath();
        checkDestination(result);

        // The Topics are counted on the way, which spares reading the store once more.
        m_topicCount = 0;
        const TopicWalk counted = [this](const TopicVisitor& visit) {
            m_topicCount = 0;
            m_source.topics([&](const QStringList& entry) {
                ++m_topicCount;
                visit(entry);
            });
        };
        const QStringList media =
            GatherDistributionFiles(m_source.settings, m_source.directory, counted, [](const QString&) {
                return false; // programs never run in a browser, so none is taken along
            });
        const QStringList missing = MissingFiles(media, m_source.directory);
        if (!missing.isEmpty()) {
            QStringList lines;
            for (const QString& name : missing)
                lines.append(QStringLiteral("The file ") + name + QStringLiteral(" is missing."));
            throw shell::Error(lines.join(QLatin1Char('\n')));
        }
        if (m_form == PublishForm::SinglePage)
            checkSinglePageMedia(media);

        if (!QDir().mkpath(parent))
            throw shell::Error(QStringLiteral("Unable to create the directory"));
        RemoveAbandonedWorkFolders(parent);
        // The lock outlives the folder, so no other publication starts removing it at the same time.
        std::optional<WorkFolderLock> working;
        std::optional<QTemporaryDir> workFolder;
        for (int attempt = 0; attempt < 100 && !(working && working->held()); ++attempt) {
            workFolder.emplace(parent + QStringLiteral("/.publishing-XXXXXX"));
            if (!workFolder->isValid())
                shell::ThrowFileError(QStringLiteral("Cannot create folder"), parent, workFolder->errorString());
            working.emplace(WorkFolderLock::Own(workFolder->path()));
        }
        if (!working->held())
            shell::ThrowFileError(QStringLiteral("Cannot create folder"), workFolder->path(), qt_error_string());
        const QTemporaryDir& work = *workFolder;
        m_root = work.path() + QStringLiteral("/list");
        if (!QDir().mkpath(m_root + QStringLiteral("/data/pages")))
            shell::ThrowFileError(QStringLiteral("Cannot create folder"), m_root, QStringLiteral("mkdir failed"));

        m_total = m_topicCount + kMediaWeight * media.size() + 1;

        for (const QString& name : media)
            if (!m_media.contains(name.toUpper())) // one file for names that differ only in case
                addMedia(name);
        writeTopics();
        writePlayer();

        switch (m_form) {
        case PublishForm::WebFolder:
            step(QStringLiteral("index.html"), 0);
            placeFolder(m_root, result, work.path());
            break;
        case PublishForm::SinglePage: {
            const QString page = work.path() + QStringLiteral("/single.html");
            WriteBytes(page, singlePage().toUtf8());
            RenameOver(page, result);
            break;
        }
        case PublishForm::Scorm12:
        case PublishForm::Scorm2004: {
            const QStringList files = FilesUnder(m_root);
            const ScormEdition edition =
                m_form == PublishForm::Scorm12 ? ScormEdition::Scorm12 : ScormEdition::Scorm2004_4th;
            WriteBytes(m_root + QStringLiteral("/imsmanifest.xml"),
                       ScormManifest(edition, title(),
                                     QStringLiteral("QUORVEL-") + QUuid::createUuid().toString(QUuid::WithoutBraces),
                                     files));
            const QString zip = work.path() + QStringLiteral("/package.zip");
            WriteZip(m_root, QStringList{QStringLiteral("imsmanifest.xml")} + files, zip,
                     [this](const QString& file, int) { step(file, 0); return true; });
            RenameOver(zip, result);
            break;
        }
        }
        report(QString(), 100);
        return result;
    }

private:
    QString title() const
    {
        const QString title = m_source.settings.Program.Title.trimmed();
        return title.isEmpty() ? m_source.name : title;
    }

    QString scormMode() const
    {
        switch (m_form) {
        case PublishForm::Scorm12: return QStringLiteral("1.2");
        case PublishForm::Scorm2004: return QStringLiteral("2004");
        default: return QStringLiteral("none");
        }
    }

    void checkDestination(const QString& result) const
    {
        const QFileInfo info(result);
        if (m_form == PublishForm::WebFolder) {
            if (info.exists() && !info.isDir())
                throw shell::Error(QDir::toNativeSeparators(result) + QStringLiteral(" is a file, not a folder."));
            if (info.isDir() && !QDir(result).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden) &&
                !LooksPublished(result))
                throw shell::Error(QStringLiteral("The folder ") + QDir::toNativeSeparators(result) +
                                   QStringLiteral(" is not empty and holds no published list.\nChoose an empty or a "
                                                  "new folder."));
        } else if (info.isDir()) {
            throw shell::Error(QDir::toNativeSeparators(result) + QStringLiteral(" is a folder."));
        }
    }

    void checkSinglePageMedia(const QStringList& media) const
    {
        qint64 total = 0;
        for (const QString& name : media)
            total += QFileInfo(shell::ResolveName(m_source.directory, name)).size();
        if (total > kMaxSinglePageMediaBytes)
            throw TooMuchMedia(total);
    }

    static shell::Error TooMuchMedia(qint64 bytes)
    {
        return shell::Error(QStringLiteral("The media files of this list come to %1 MB, more than a single page can "
                                           "hold (50 MB).\nPublish it as a web folder instead.")
                                .arg(double(bytes) / (1024.0 * 1024.0), 0, 'f', 1));
    }

    void report(const QString& file, int percent) const
    {
        if (m_progress.report)
            m_progress.report(file, percent);
    }

    // One unit of work done: reports it and stops here when the user cancelled.
    void step(const QString& file, int units)
    {
        if (m_progress.cancelled && m_progress.cancelled())
            throw shell::Error(CancelledMessage());
        m_done += units;
        report(file, int(std::min<qint64>(99, m_done * 100 / std::max<qint64>(1, m_total))));
    }

    bool keepGoing() const { return !(m_progress.cancelled && m_progress.cancelled()); }

    // A file for media/, under a name no other file there has.
    QString uniqueMediaName(const QString& stored, const QString& extension)
    {
        const QString safe = SafeFileName(stored, extension);
        QString name = safe;
        for (int n = 2; m_usedNames.contains(name); ++n)
            name = QFileInfo(safe).completeBaseName() + QLatin1Char('-') + QString::number(n) + extension.toUpper();
        m_usedNames.insert(name);
        return name;
    }

    // The address of a finished media file; a single page takes its bytes instead of the file.
    QString mediaAddress(const QString& file)
    {
        if (m_form != PublishForm::SinglePage)
            return QStringLiteral("media/") + file;
        const QString path = m_root + QStringLiteral("/media/") + file;
        const QByteArray bytes = ReadBounded(path, kMaxSinglePageMediaBytes + 1);
        QFile::remove(path);
        m_singleMediaBytes += bytes.size();
        if (m_singleMediaBytes > kMaxSinglePageMediaBytes)
            throw TooMuchMedia(m_singleMediaBytes);
        return DataUri(file, bytes);
    }

    void addMedia(const QString& stored)
    {
        step(stored, 0);
        const QString source = shell::ResolveName(m_source.directory, stored);
        const QString file = uniqueMediaName(stored, PublishedExtension(stored));
        QDir().mkpath(m_root + QStringLiteral("/media"));
        ConvertMedia(source, m_root + QStringLiteral("/media/") + file, [this] { return keepGoing(); });
        if (IsWebPage(stored))
            addPageCompanions(source, m_root + QStringLiteral("/media/") + file);
        m_media.insert(stored.toUpper(), mediaAddress(file));
        step(stored, kMediaWeight);
    }

    // The files a web page of the list names beside itself (pictures, style sheets, other pages),
    // copied under the names the page uses so its links still work from media/. A single page has
    // no files beside it: there the published page gets each one as a data: URI in its place.
    void addPageCompanions(const QString& page, const QString& published)
    {
        // Latin-1 maps every byte to one character and back, so the page's own encoding survives.
        const QString text = QString::fromLatin1(ReadBounded(page, kMaxScannedPageBytes));
        const bool inlining = m_form == PublishForm::SinglePage && QFileInfo(page).size() <= kMaxScannedPageBytes;
        static const QRegularExpression reference(
            QStringLiteral("(?:src|href)\\s*=\\s*[\"']?([A-Za-z0-9._-]{1,100})[\"'\\s>]"),
            QRegularExpression::CaseInsensitiveOption);
        QString inlined;
        qsizetype at = 0;
        for (QRegularExpressionMatchIterator it = reference.globalMatch(text); it.hasNext();) {
            const QRegularExpressionMatch match = it.next();
            const QString name = match.captured(1);
            const QString source = shell::ResolveName(m_source.directory, name);
            if (name.startsWith(QLatin1Char('.')) || !QFileInfo(source).isFile() ||
                QFileInfo(source).size() > kMaxMediaFileBytes)
                continue;
            if (inlining) {
                const QByteArray bytes = ReadBounded(source, kMaxSinglePageMediaBytes + 1);
                m_singleMediaBytes += bytes.size();
                if (m_singleMediaBytes > kMaxSinglePageMediaBytes)
                    throw TooMuchMedia(m_singleMediaBytes);
                inlined.append(QStringView(text).mid(at, match.capturedStart(1) - at)).append(DataUri(name, bytes));
                at = match.capturedEnd(1);
                continue;
            }
            if (m_form == PublishForm::SinglePage || m_usedNames.contains(name))
                continue;
            m_usedNames.insert(name);
            if (!QFile::copy(source, m_root + QStringLiteral("/media/") + name))
                shell::ThrowFileError(QStringLiteral("Cannot write file"), m_root + QStringLiteral("/media/") + name,
                                      QStringLiteral("copy failed"));
        }
        if (inlining && at > 0)
            WriteBytes(published, inlined.append(QStringView(text).mid(at)).toLatin1());
    }

    PictureSink pictureSink(const QString& pageId)
    {
        return [this, pageId](const QImage& picture) {
            const QString file = uniqueMediaName(QStringLiteral("PAGE") + pageId.toUpper() +
                                                     QStringLiteral("-PICTURE"),
                                                 QStringLiteral(".PNG"));
            QDir().mkpath(m_root + QStringLiteral("/media"));
            if (!picture.save(m_root + QStringLiteral("/media/") + file, "PNG"))
                return QString();
            return mediaAddress(file);
        };
    }

    void writePage(const QString& pageId, const QString& html)
    {
        writePageScript(pageId, PageScript(pageId, html));
    }

    void writePageScript(const QString& pageId, const QByteArray& script)
    {
        WriteBytes(m_root + QStringLiteral("/data/pages/P") + pageId + QStringLiteral(".js"), script);
    }

    // The page's HTML with the addresses of its pictures, which are named and written here, in
    // list order, as a page converted in place would have them.
    QString placePictures(ConvertedTopic& converted, const QStringList& entry, const QString& pageId)
    {
        if (converted.pictures.isEmpty())
            return std::move(converted.html);
        const PictureSink sink = pictureSink(pageId);
        QStringList sources;
        for (const QImage& picture : std::as_const(converted.pictures))
            sources.append(sink(picture));
        if (sources.contains(QString())) {
            // A picture left out changes the paragraph around it: convert again with the answers.
            qsizetype next = 0;
            return ConvertTopic(entry, pageId.toInt(), [&](const QImage&) { return sources.value(next++); }).html;
        }
        const QStringList parts = converted.html.split(QChar(kPictureMark));
        QString html;
        html.reserve(converted.html.size());
        for (qsizetype i = 0; i < parts.size(); ++i)
            html += i % 2 == 0 ? parts[i] : HtmlEscaped(sources.value(parts[i].toInt()));
        return html;
    }

    QString notesText(const QString& file) const
    {
        const QString path = shell::ResolveName(m_source.directory, file);
        if (!QFileInfo(path).isFile())
            return {};
        if (QFileInfo(path).size() <= kMaxPublishedNotesBytes)
            return runtime::ReadNotesFile(path).text;
        QString text = QString::fromUtf8(ReadBounded(path, kMaxPublishedNotesBytes));
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        return text;
    }

    // One Topic, in list order. `converted` holds its page converted apart, or is null for a page
    // still to be converted.
    void writeTopic(const QStringList& entry, ConvertedTopic* converted, QJsonArray& topics, SearchScript& search)
    {
        const int index = int(topics.size());
        const QString name = runtime::TopicTitle(entry);
        step(name, 1);
        const int type = runtime::TopicTypeCode(entry);
        const QString id = QString::number(index);
        ConvertedTopic here = converted ? std::move(*converted) : ConvertTopic(entry, index, pictureSink(id));
        QJsonObject topic{{QStringLiteral("name"), name}, {QStringLiteral("type"), type}};
        if (here.page) {
            if (!here.script.isEmpty())
                writePageScript(id, here.script);
            else
                writePage(id, placePictures(here, entry, id));
            topic.insert(QStringLiteral("page"), id);
            topic.insert(QStringLiteral("display"), WindowDesignToJson(here.display));
        } else {
            const QJsonObject parts = CommandParts(type, runtime::TopicCommandValue(entry));
            for (auto it = parts.begin(); it != parts.end(); ++it)
                topic.insert(it.key(), it.value());
            if (type == 13)
                topic.insert(QStringLiteral("notes"), notesText(parts.value(QStringLiteral("file")).toString()));
        }
        topics.append(topic);
        search.add(std::move(here.searchEntry));
    }

    // Converting the pages and making their files is most of the work of publishing, so with more
    // than one processor it is done on the thread pool, a batch ahead of the Topics written here in
    // list order. The result is the same as converting each page in turn.
    void writeTopicEntries(QJsonArray& topics, SearchScript& search)
    {
        if (QThreadPool::globalInstance()->maxThreadCount() <= 1) {
            m_source.topics([&](const QStringList& entry) { writeTopic(entry, nullptr, topics, search); });
            return;
        }
        QList<TopicJob> batch;
        QList<TopicJob> convertingJobs;
        QFuture<ConvertedTopic> converting;
        // Work still queued is dropped when a cancel or an error ends the publication.
        const auto dropQueued = qScopeGuard([&] { converting.cancel(); });
        const auto writeConverted = [&](QFuture<ConvertedTopic>& future, const QList<TopicJob>& jobs) {
            if (jobs.isEmpty())
                return;
            future.waitForFinished();
            for (qsizetype i = 0; i < jobs.size(); ++i) {
                ConvertedTopic converted = future.resultAt(int(i));
                writeTopic(jobs[i].entry, &converted, topics, search);
            }
        };
        // Starts the batch, then writes the one before it while the batch converts.
        const auto startBatch = [&] {
            QFuture<ConvertedTopic> earlier = QtConcurrent::mapped(batch, ConvertTopicApart);
            std::swap(earlier, converting);
            const QList<TopicJob> earlierJobs = std::exchange(convertingJobs, std::exchange(batch, {}));
            writeConverted(earlier, earlierJobs);
        };
        int index = 0;
        m_source.topics([&](const QStringList& entry) {
            batch.append(TopicJob{index++, entry});
            if (batch.size() == kConversionBatch)
                startBatch();
        });
        if (!batch.isEmpty())
            startBatch();
        writeConverted(converting, convertingJobs);
    }

    void writeTopics()
    {
        QJsonArray topics;
        SearchScript search;
        writeTopicEntries(topics, search);

        QJsonValue intro = QJsonValue::Null;
        QStringList introLines;
        if (m_source.introText && m_source.introText(introLines)) {
            writePage(QStringLiteral("intro"), PageLinesToHtml(introLines, pictureSink(QStringLiteral("intro"))).html);
            intro = QStringLiteral("intro");
        }
        QJsonObject media;
        for (auto it = m_media.cbegin(); it != m_media.cend(); ++it)
            media.insert(it.key(), it.value());
        const QJsonObject list{{QStringLiteral("format"), 1},
                               {QStringLiteral("title"), title()},
                               {QStringLiteral("settings"), SettingsToJson(m_source.settings)},
                               {QStringLiteral("topics"), topics},
                               {QStringLiteral("intro"), intro},
                               {QStringLiteral("media"), media}};
        WriteBytes(m_root + QStringLiteral("/data/list.js"), DataScript(QStringLiteral("list"), list));
        WriteBytes(m_root + QStringLiteral("/data/search.js"), search.pieces());
    }

    void writePlayer()
    {
        for (const char* file : kPlayerFiles)
            WriteBytes(m_root + QLatin1Char('/') + QLatin1String(file), PlayerFile(QLatin1String(file)));
        WriteBytes(m_root + QStringLiteral("/index.html"), FilledTemplate(title(), scormMode()).toUtf8());
    }

    // The web folder with every script and the style sheet put inline; the pages follow the search
    // index, so they are all delivered before the player starts.
    QString singlePage()
    {
        step(QStringLiteral("index.html"), 0);
        QString html = QString::fromUtf8(ReadBounded(m_root + QStringLiteral("/index.html"), 16 * 1024 * 1024));
        ReplaceFirst(html, QRegularExpression(QStringLiteral("<link[^>]*href=\"style.css\"[^>]*>")),
                     QStringLiteral("<style>") + InlineText(PlayerFile(QStringLiteral("style.css")), QStringLiteral("style")) +
                         QStringLiteral("</style>"));
        const QRegularExpression script(QStringLiteral("<script\\s+src=\"([^\"]+)\"\\s*>\\s*</script>"));
        QString out;
        qsizetype at = 0;
        for (QRegularExpressionMatchIterator it = script.globalMatch(html); it.hasNext();) {
            const QRegularExpressionMatch match = it.next();
            out += QStringView(html).mid(at, match.capturedStart() - at);
            at = match.capturedEnd();
            const QString file = match.captured(1);
            if (file.contains(QLatin1String("..")) || QDir::isAbsolutePath(file))
                continue;
            out += QStringLiteral("<script>") +
                   InlineText(ReadBounded(m_root + QLatin1Char('/') + file, 1LL << 30), QStringLiteral("script")) +
                   QStringLiteral("</script>");
            if (file == QLatin1String("data/search.js"))
                for (const QString& page : QDir(m_root + QStringLiteral("/data/pages")).entryList(QDir::Files, QDir::Name))
                    out += QStringLiteral("\n<script>") +
                           InlineText(ReadBounded(m_root + QStringLiteral("/data/pages/") + page, 1LL << 30),
                                      QStringLiteral("script")) +
                           QStringLiteral("</script>");
        }
        out += QStringView(html).mid(at);
        return out;
    }

    // Puts the finished folder in place of the destination; an earlier publication there is moved
    // aside first and removed only once the new one stands.
    static void placeFolder(const QString& folder, const QString& destination, const QString& work)
    {
        const QFileInfo info(destination);
        if (info.isDir() && QDir(destination).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden))
            QDir().rmdir(destination);
        if (!QFileInfo::exists(destination)) {
            RenameOver(folder, destination);
            return;
        }
        const QString earlier = work + QStringLiteral("/earlier");
        RenameOver(destination, earlier);
        try {
            RenameOver(folder, destination);
        } catch (...) {
            RenameOver(earlier, destination);
            throw;
        }
        // The work folder, and the earlier publication in it, goes when the caller's QTemporaryDir does.
    }

    const PublishSource& m_source;
    PublishForm m_form;
    const PublishProgress& m_progress;
    QString m_root;
    QMap<QString, QString> m_media;
    QSet<QString> m_usedNames;
    qint64 m_total = 1;
    qint64 m_done = 0;
    qint64 m_topicCount = 0;
    qint64 m_singleMediaBytes = 0;
};

} // namespace

std::optional<PublishForm> PublishFormNamed(const QString& name)
{
    if (name == QLatin1String("web"))
        return PublishForm::WebFolder;
    if (name == QLatin1String("single"))
        return PublishForm::SinglePage;
    if (name == QLatin1String("scorm12"))
        return PublishForm::Scorm12;
    if (name == QLatin1String("scorm2004"))
        return PublishForm::Scorm2004;
    return std::nullopt;
}

PublishSource PublishSource::fromState(const shell::AppState& state)
{
    PublishSource source;
    source.settings = state.Settings;
    source.directory = shell::WithTrailingSeparator(state.WorkingDirectory);
    source.name = state.listName();
    ReadTopicsFromStore(source, state.resolve(state.TopicStorePath));
    return source;
}

PublishSource PublishSource::fromFile(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isFile())
        throw shell::Error(QStringLiteral("The Study List ") + QDir::toNativeSeparators(path) +
                           QStringLiteral(" was not found."));
    PublishSource source;
    source.directory = shell::WithTrailingSeparator(info.absolutePath());
    source.name = shell::BaseName(path);
    if (shell::ExtensionOf(path).compare(QLatin1String(".SWC"), Qt::CaseInsensitive) == 0) {
        std::shared_ptr<CompiledTopicSource> compiled = CompiledTopicSource::openCompiled(info.absoluteFilePath());
        source.settings = compiled->settings();
        source.topics = [compiled](const TopicVisitor& visit) {
            QStringList entry;
            for (const QString& name : compiled->names(storage::kTopicKind))
                if (compiled->entry(name, storage::kTopicKind, entry))
                    visit(entry);
        };
        source.introText = [compiled](QStringList& lines) { return compiled->introText(lines); };
        return source;
    }
    const QByteArray bytes = ReadBounded(info.absoluteFilePath(), storage::kSettingsSize);
    if (storage::IsEarlierVersion(bytes))
        throw shell::Error(QDir::toNativeSeparators(path) +
                           QStringLiteral(" was written by an earlier version. Open it in Quorvel once to convert it."));
    if (!storage::DecodeSettings(bytes, source.settings))
        throw shell::Error(QDir::toNativeSeparators(path) + QStringLiteral(" is not a Study List settings file."));
    const QString store =
        shell::ResolveName(source.directory, shell::ChangeExtension(info.fileName(), QStringLiteral(".SWR")));
    ReadTopicsFromStore(source, store);
    return source;
}

bool IsPublishCommandLine(const QStringList& arguments)
{
    return !arguments.isEmpty() && arguments.first() == QLatin1String("--publish");
}

int PublishCommandLine(const QStringList& arguments, QString& message)
{
    const std::optional<PublishForm> form = arguments.size() == 4 ? PublishFormNamed(arguments[1]) : std::nullopt;
    if (!IsPublishCommandLine(arguments) || !form) {
        message = QStringLiteral("Usage: quorvel --publish web|single|scorm12|scorm2004 LIST.SWJ DEST");
        return 2;
    }
    try {
        const QString result = Publish(PublishSource::fromFile(arguments[2]), *form, arguments[3]);
        message = QStringLiteral("Published ") + QDir::toNativeSeparators(result);
        return 0;
    } catch (const shell::Error& error) {
        message = error.message();
        return 1;
    }
}

QString PublishedPath(PublishForm form, const QString& destination, const QString& name)
{
    const QString cleaned = QDir::cleanPath(QFileInfo(destination).absoluteFilePath());
    switch (form) {
    case PublishForm::WebFolder:
        return cleaned;
    case PublishForm::SinglePage:
        return cleaned.endsWith(QLatin1String(".html"), Qt::CaseInsensitive)
                   ? cleaned
                   : cleaned + QLatin1Char('/') + name + QStringLiteral(".html");
    case PublishForm::Scorm12:
    case PublishForm::Scorm2004:
        return cleaned.endsWith(QLatin1String(".zip"), Qt::CaseInsensitive)
                   ? cleaned
                   : cleaned + QLatin1Char('/') + name +
                         (form == PublishForm::Scorm12 ? QStringLiteral("-scorm12.zip") : QStringLiteral("-scorm2004.zip"));
    }
    return cleaned;
}

QString Publish(const PublishSource& source, PublishForm form, const QString& destination,
                const PublishProgress& progress)
{
    return Publisher(source, form, progress).run(destination);
}

} // namespace publish
