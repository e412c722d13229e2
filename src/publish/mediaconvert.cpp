#include "publish/mediaconvert.h"

#include "shell/error.h"
#include "shell/filenames.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QStandardPaths>

namespace publish {

namespace {

// The soundfonts Debian's timgm6mb-soundfont (and the fluid-soundfont alternative) install.
const char* const kSoundfonts[] = {"/usr/share/sounds/sf2/TimGM6mb.sf2", "/usr/share/sounds/sf2/default-GM.sf2",
                                   "/usr/share/sounds/sf2/FluidR3_GM.sf2"};
// AVI stream headers lie in the header list at the front of the file.
constexpr qint64 kAviHeaderBytes = 64 * 1024;

[[noreturn]] void Fail(const QString& source, const QString& reason)
{
    throw shell::Error(QStringLiteral("The file ") + QFileInfo(source).fileName() +
                       QStringLiteral(" could not be prepared for browsers: ") + reason);
}

void ToPng(const QString& source, const QString& target)
{
    QImageReader reader(source);
    reader.setDecideFormatFromContent(true);
    const QSize size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() > kMaxPicturePixels)
        Fail(source, QStringLiteral("the picture is too large."));
    const QImage image = reader.read();
    if (image.isNull())
        Fail(source, reader.errorString());
    if (!image.save(target, "PNG"))
        Fail(source, QStringLiteral("the PNG file cannot be written."));
}

QString Soundfont()
{
    for (const char* path : kSoundfonts)
        if (QFileInfo::exists(QString::fromLatin1(path)))
            return QString::fromLatin1(path);
    return {};
}

// gst-launch-1.0 reads "location=..." as one argument, so a path with blanks needs no quoting
// when it is handed over as its own list element.
void RunGstreamer(const QString& source, const QString& target, const QStringList& pipeline, const KeepGoing& keepGoing)
{
    const QString program = QStandardPaths::findExecutable(QStringLiteral("gst-launch-1.0"));
    if (program.isEmpty())
        Fail(source, QStringLiteral("GStreamer's gst-launch-1.0 (package gstreamer1.0-tools) is not installed."));
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, QStringList{QStringLiteral("-q")} + pipeline);
    if (!process.waitForStarted(10000))
        Fail(source, process.errorString());
    QElapsedTimer timer;
    timer.start();
    QByteArray output;
    while (!process.waitForFinished(100)) {
        output += process.readAll().left(4096);
        const bool stop = keepGoing && !keepGoing();
        if (stop || timer.elapsed() > kConversionTimeoutMs) {
            process.kill();
            process.waitForFinished(5000);
            QFile::remove(target);
            if (stop)
                throw shell::Error(CancelledMessage());
            Fail(source, QStringLiteral("the conversion took too long."));
        }
    }
    output += process.readAll();
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0 || QFileInfo(target).size() <= 0) {
        QFile::remove(target);
        const QString detail = QString::fromUtf8(output.left(400)).simplified();
        Fail(source, detail.isEmpty() ? QStringLiteral("GStreamer failed.") : detail);
    }
}

void ToOgg(const QString& source, const QString& target, const KeepGoing& keepGoing)
{
    const QString soundfont = Soundfont();
    if (soundfont.isEmpty())
        Fail(source, QStringLiteral("no General MIDI soundfont is installed (package timgm6mb-soundfont)."));
    const QString bang = QStringLiteral("!");
    RunGstreamer(source, target,
                 {QStringLiteral("filesrc"), QStringLiteral("location=") + source, bang, QStringLiteral("midiparse"),
                  bang, QStringLiteral("fluiddec"), QStringLiteral("soundfont=") + soundfont, bang,
                  QStringLiteral("audioconvert"), bang, QStringLiteral("audioresample"), bang,
                  QStringLiteral("vorbisenc"), bang, QStringLiteral("oggmux"), bang, QStringLiteral("filesink"),
                  QStringLiteral("location=") + target},
                 keepGoing);
}

void ToWebm(const QString& source, const QString& target, const KeepGoing& keepGoing)
{
    const QString bang = QStringLiteral("!");
    QStringList pipeline{QStringLiteral("filesrc"), QStringLiteral("location=") + source, bang,
                         QStringLiteral("decodebin"), QStringLiteral("name=d"), QStringLiteral("webmmux"),
                         QStringLiteral("name=m"), bang, QStringLiteral("filesink"),
                         QStringLiteral("location=") + target, QStringLiteral("d."), bang, QStringLiteral("queue"),
                         bang, QStringLiteral("videoconvert"), bang, QStringLiteral("vp8enc"),
                         QStringLiteral("deadline=1"), QStringLiteral("cpu-used=8"), bang, QStringLiteral("queue"),
                         bang, QStringLiteral("m.")};
    // A sound branch for a video without sound would wait for a stream that never comes.
    if (AviHasSound(source))
        pipeline += QStringList{QStringLiteral("d."), bang, QStringLiteral("queue"), bang,
                                QStringLiteral("audioconvert"), bang, QStringLiteral("audioresample"), bang,
                                QStringLiteral("vorbisenc"), bang, QStringLiteral("queue"), bang, QStringLiteral("m.")};
    RunGstreamer(source, target, pipeline, keepGoing);
}

} // namespace

QString CancelledMessage()
{
    return QStringLiteral("Publishing was cancelled.");
}

MediaConversion ConversionFor(const QString& name)
{
    const QString extension = shell::ExtensionOf(name).toUpper();
    if (extension == QLatin1String(".BMP") || extension == QLatin1String(".ICO"))
        return MediaConversion::ToPng;
    if (extension == QLatin1String(".MID") || extension == QLatin1String(".MIDI") || extension == QLatin1String(".RMI"))
        return MediaConversion::ToOgg;
    if (extension == QLatin1String(".AVI"))
        return MediaConversion::ToWebm;
    return MediaConversion::Copy;
}

QString PublishedExtension(const QString& name)
{
    switch (ConversionFor(name)) {
    case MediaConversion::ToPng: return QStringLiteral(".PNG");
    case MediaConversion::ToOgg: return QStringLiteral(".OGG");
    case MediaConversion::ToWebm: return QStringLiteral(".WEBM");
    case MediaConversion::Copy: break;
    }
    return shell::ExtensionOf(name).toUpper();
}

bool AviHasSound(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(kAviHeaderBytes);
    // Each stream header is "strh", its 32-bit size, then the four-letter stream type.
    for (qsizetype at = head.indexOf("strh"); at >= 0 && at + 12 <= head.size(); at = head.indexOf("strh", at + 4))
        if (head.mid(at + 8, 4) == "auds")
            return true;
    return false;
}

void ConvertMedia(const QString& source, const QString& target, const KeepGoing& keepGoing)
{
    const QFileInfo info(source);
    if (!info.isFile())
        Fail(source, QStringLiteral("it does not exist."));
    if (info.size() > kMaxMediaFileBytes)
        Fail(source, QStringLiteral("it is larger than 1 GB."));
    switch (ConversionFor(source)) {
    case MediaConversion::ToPng:
        ToPng(source, target);
        return;
    case MediaConversion::ToOgg:
        ToOgg(source, target, keepGoing);
        return;
    case MediaConversion::ToWebm:
        ToWebm(source, target, keepGoing);
        return;
    case MediaConversion::Copy:
        break;
    }
    QFile::remove(target);
    if (!QFile::copy(source, target))
        Fail(source, QStringLiteral("it cannot be copied."));
    QFile::setPermissions(target, QFile::permissions(target) | QFileDevice::WriteOwner);
}

} // namespace publish
