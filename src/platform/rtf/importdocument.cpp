#include "platform/rtf/importdocument.h"

#include "platform/picture.h"
#include "platform/rtf/rtfreader.h"
#include "shell/boundedread.h"
#include "shell/textcodec.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextFragment>
#include <QTextImageFormat>
#include <QUrl>

namespace platform::rtf {

namespace {

QString& PandocProgram()
{
    static QString program = QStringLiteral("pandoc");
    return program;
}

QString ReadBytes(const QString& path, QByteArray* bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return file.errorString();
    if (file.size() > kMaxImportDocumentBytes)
        return QStringLiteral("the file is too large");
    *bytes = shell::ReadAtMost(file, kMaxImportDocumentBytes);
    if (file.error() != QFileDevice::NoError)
        return file.errorString();
    return {};
}

void SetPlainText(QTextDocument* document, QByteArrayView bytes)
{
    QString text = shell::DecodeText(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    document->setPlainText(text);
}

// The pictures pandoc extracted, named in the HTML by their paths, become the document's own
// resources, decoded under the picture layer's bounds (which also draws WMF and EMF).
void AdoptPictures(QTextDocument* document, const QDir& media)
{
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (!format.isImageFormat())
                continue;
            const QString name = format.toImageFormat().name();
            const QString path = QDir::isAbsolutePath(name) ? name : media.filePath(name);
            if (!QFileInfo(path).canonicalFilePath().startsWith(media.canonicalPath()))
                continue; // only what pandoc wrote for this document
            const QImage image = LoadPicture(path);
            if (!image.isNull())
                document->addResource(QTextDocument::ImageResource, QUrl(name), image);
        }
    }
}

QString RunPandoc(const QString& path, const QString& from, QTextDocument* document)
{
    QString program = PandocProgram();
    if (!QFileInfo(program).isAbsolute())
        program = QStandardPaths::findExecutable(program);
    if (program.isEmpty() || !QFileInfo(program).isExecutable())
        return QStringLiteral("reading .DOCX and .ODT documents needs the program pandoc, which is not "
                              "installed (Debian package \"pandoc\")");
    QTemporaryDir media;
    if (!media.isValid())
        return QStringLiteral("no temporary folder for the document's pictures");
    QProcess pandoc;
    pandoc.setProcessChannelMode(QProcess::SeparateChannels);
    pandoc.setWorkingDirectory(media.path());
    pandoc.start(program, {QStringLiteral("--from=") + from, QStringLiteral("--to=html"),
                           QStringLiteral("--extract-media=."), QStringLiteral("--"),
                           QFileInfo(path).absoluteFilePath()});
    if (!pandoc.waitForStarted(10'000))
        return QStringLiteral("pandoc could not be started: ") + pandoc.errorString();
    pandoc.closeWriteChannel();
    QByteArray html;
    const QDeadlineTimer deadline(kPandocTimeoutMs);
    while (pandoc.state() != QProcess::NotRunning) {
        pandoc.waitForReadyRead(int(std::min<qint64>(deadline.remainingTime(), 1000)));
        html += pandoc.readAllStandardOutput();
        if (html.size() > kMaxImportDocumentBytes || deadline.hasExpired()) {
            pandoc.kill();
            pandoc.waitForFinished(5000);
            return deadline.hasExpired() ? QStringLiteral("pandoc took too long over the document")
                                         : QStringLiteral("the document is too large");
        }
    }
    html += pandoc.readAllStandardOutput();
    if (pandoc.exitStatus() != QProcess::NormalExit || pandoc.exitCode() != 0) {
        const QString reason =
            QString::fromUtf8(pandoc.readAllStandardError()).trimmed().section(QLatin1Char('\n'), 0, 0);
        return QStringLiteral("pandoc could not read it") +
               (reason.isEmpty() ? QString() : QStringLiteral(": ") + reason);
    }
    document->setHtml(QString::fromUtf8(html));
    AdoptPictures(document, QDir(media.path()));
    return {};
}

} // namespace

void CopyPictures(const QTextDocument& from, QTextDocument* to)
{
    for (QTextBlock block = to->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (format.isImageFormat()) {
                const QUrl name(format.toImageFormat().name());
                to->addResource(QTextDocument::ImageResource, name, from.resource(QTextDocument::ImageResource, name));
            }
        }
    }
}

void CopyDocument(const QTextDocument& from, QTextDocument* to)
{
    to->clear();
    to->setDefaultTextOption(from.defaultTextOption());
    QTextCursor(to).insertFragment(QTextDocumentFragment(&from));
    CopyPictures(from, to);
}

void SetPandocProgram(const QString& program)
{
    PandocProgram() = program;
}

QString ImportDocumentFilterLine()
{
    return QStringLiteral("Word, OpenDocument, Web and Markdown Documents|*.DOCX;*.ODT;*.HTM;*.HTML;*.MD");
}

QString ImportDocument(const QString& path, QTextDocument* document)
{
    document->clear();
    const QString suffix = QFileInfo(path).suffix().toLower();
    QByteArray bytes;
    QString error = ReadBytes(path, &bytes);
    if (!error.isEmpty())
        return error;
    if (suffix == QLatin1String("docx") || suffix == QLatin1String("odt")) {
        // Both are zip archives; anything else is refused before pandoc sees it.
        if (!bytes.startsWith("PK\x03\x04"))
            return suffix == QLatin1String("docx") ? QStringLiteral("the file is not a Word document")
                                                   : QStringLiteral("the file is not an OpenDocument text");
        error = RunPandoc(path, suffix, document);
    } else if (suffix == QLatin1String("htm") || suffix == QLatin1String("html") || suffix == QLatin1String("md")) {
        if (suffix == QLatin1String("md")) {
            document->setMarkdown(QString::fromUtf8(bytes));
        } else {
            auto decoder = QStringDecoder::decoderForHtml(bytes);
            document->setHtml(decoder.isValid() ? decoder.decode(bytes) : shell::DecodeText(bytes));
        }
        AdoptPictures(document, QFileInfo(path).absoluteDir());
    } else if (!LooksLikeRtf(bytes) || !ReadRtf(bytes, document)) {
        SetPlainText(document, bytes);
    }
    if (!error.isEmpty())
        document->clear();
    return error;
}

} // namespace platform::rtf
