#include "publish/scormpackage.h"

#include "publish/mediaconvert.h"
#include "shell/error.h"

#include <QDir>
#include <QFile>
#include <QXmlStreamWriter>

#include <zip.h>

namespace publish {

namespace {

void WriteTitled(QXmlStreamWriter& xml, const QString& element, const QString& identifier, const QString& title)
{
    xml.writeStartElement(element);
    xml.writeAttribute(QStringLiteral("identifier"), identifier);
    if (element == QLatin1String("item")) {
        xml.writeAttribute(QStringLiteral("identifierref"), QStringLiteral("RES-1"));
        xml.writeAttribute(QStringLiteral("isvisible"), QStringLiteral("true"));
    }
    xml.writeTextElement(QStringLiteral("title"), title);
}

bool StoredAsIs(const QString& file)
{
    static const char* const kPacked[] = {".png", ".jpg", ".jpeg", ".ogg", ".webm", ".mp3", ".gif"};
    for (const char* extension : kPacked)
        if (file.endsWith(QLatin1String(extension), Qt::CaseInsensitive))
            return true;
    return false;
}

struct ZipCloser
{
    zip_t* archive = nullptr;
    ~ZipCloser()
    {
        if (archive)
            zip_discard(archive);
    }
};

[[noreturn]] void ZipFailure(const QString& zipPath, zip_t* archive)
{
    const QString reason = archive ? QString::fromUtf8(zip_strerror(archive)) : QString();
    throw shell::Error(QStringLiteral("Cannot write the package ") + QDir::toNativeSeparators(zipPath) +
                       (reason.isEmpty() ? QString() : QStringLiteral(": ") + reason));
}

} // namespace

QByteArray ScormManifest(ScormEdition edition, const QString& title, const QString& identifier,
                         const QStringList& files)
{
    const bool scorm12 = edition == ScormEdition::Scorm12;
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("manifest"));
    xml.writeAttribute(QStringLiteral("identifier"), identifier);
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("1.0"));
    if (scorm12) {
        xml.writeDefaultNamespace(QStringLiteral("http://www.imsproject.org/xsd/imscp_rootv1p1p2"));
        xml.writeNamespace(QStringLiteral("http://www.adlnet.org/xsd/adlcp_rootv1p2"), QStringLiteral("adlcp"));
        xml.writeNamespace(QStringLiteral("http://www.w3.org/2001/XMLSchema-instance"), QStringLiteral("xsi"));
        xml.writeAttribute(QStringLiteral("xsi:schemaLocation"),
                           QStringLiteral("http://www.imsproject.org/xsd/imscp_rootv1p1p2 imscp_rootv1p1p2.xsd "
                                          "http://www.imsglobal.org/xsd/imsmd_rootv1p2p1 imsmd_rootv1p2p1.xsd "
                                          "http://www.adlnet.org/xsd/adlcp_rootv1p2 adlcp_rootv1p2.xsd"));
    } else {
        xml.writeDefaultNamespace(QStringLiteral("http://www.imsglobal.org/xsd/imscp_v1p1"));
        xml.writeNamespace(QStringLiteral("http://www.adlnet.org/xsd/adlcp_v1p3"), QStringLiteral("adlcp"));
        xml.writeNamespace(QStringLiteral("http://www.adlnet.org/xsd/adlseq_v1p3"), QStringLiteral("adlseq"));
        xml.writeNamespace(QStringLiteral("http://www.adlnet.org/xsd/adlnav_v1p3"), QStringLiteral("adlnav"));
        xml.writeNamespace(QStringLiteral("http://www.imsglobal.org/xsd/imsss"), QStringLiteral("imsss"));
        xml.writeNamespace(QStringLiteral("http://www.w3.org/2001/XMLSchema-instance"), QStringLiteral("xsi"));
        xml.writeAttribute(QStringLiteral("xsi:schemaLocation"),
                           QStringLiteral("http://www.imsglobal.org/xsd/imscp_v1p1 imscp_v1p1.xsd "
                                          "http://www.adlnet.org/xsd/adlcp_v1p3 adlcp_v1p3.xsd "
                                          "http://www.adlnet.org/xsd/adlseq_v1p3 adlseq_v1p3.xsd "
                                          "http://www.adlnet.org/xsd/adlnav_v1p3 adlnav_v1p3.xsd "
                                          "http://www.imsglobal.org/xsd/imsss imsss_v1p0.xsd"));
    }

    xml.writeStartElement(QStringLiteral("metadata"));
    xml.writeTextElement(QStringLiteral("schema"), QStringLiteral("ADL SCORM"));
    xml.writeTextElement(QStringLiteral("schemaversion"),
                         scorm12 ? QStringLiteral("1.2") : QStringLiteral("2004 4th Edition"));
    xml.writeEndElement();

    xml.writeStartElement(QStringLiteral("organizations"));
    xml.writeAttribute(QStringLiteral("default"), QStringLiteral("ORG-1"));
    WriteTitled(xml, QStringLiteral("organization"), QStringLiteral("ORG-1"), title);
    WriteTitled(xml, QStringLiteral("item"), QStringLiteral("ITEM-1"), title);
    xml.writeEndElement(); // item
    xml.writeEndElement(); // organization
    xml.writeEndElement(); // organizations

    xml.writeStartElement(QStringLiteral("resources"));
    xml.writeStartElement(QStringLiteral("resource"));
    xml.writeAttribute(QStringLiteral("identifier"), QStringLiteral("RES-1"));
    xml.writeAttribute(QStringLiteral("type"), QStringLiteral("webcontent"));
    xml.writeAttribute(scorm12 ? QStringLiteral("adlcp:scormtype") : QStringLiteral("adlcp:scormType"),
                       QStringLiteral("sco"));
    xml.writeAttribute(QStringLiteral("href"), QStringLiteral("index.html"));
    for (const QString& file : files) {
        xml.writeEmptyElement(QStringLiteral("file"));
        xml.writeAttribute(QStringLiteral("href"), file);
    }
    xml.writeEndElement(); // resource
    xml.writeEndElement(); // resources
    xml.writeEndElement(); // manifest
    xml.writeEndDocument();
    return bytes;
}

void WriteZip(const QString& folder, const QStringList& files, const QString& zipPath, const ZipProgress& progress)
{
    QFile::remove(zipPath);
    int error = 0;
    ZipCloser zip{zip_open(QFile::encodeName(zipPath).constData(), ZIP_CREATE | ZIP_EXCL, &error)};
    if (!zip.archive)
        ZipFailure(zipPath, nullptr);
    const QDir base(folder);
    for (qsizetype i = 0; i < files.size(); ++i) {
        const QString& file = files[i];
        if (progress && !progress(file, int(i * 100 / std::max<qsizetype>(1, files.size())))) {
            zip_discard(zip.archive);
            zip.archive = nullptr;
            QFile::remove(zipPath);
            throw shell::Error(CancelledMessage());
        }
        zip_source_t* source =
            zip_source_file(zip.archive, QFile::encodeName(base.filePath(file)).constData(), 0, -1);
        if (!source)
            ZipFailure(zipPath, zip.archive);
        const zip_int64_t index = zip_file_add(zip.archive, file.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            zip_source_free(source);
            ZipFailure(zipPath, zip.archive);
        }
        if (StoredAsIs(file))
            zip_set_file_compression(zip.archive, zip_uint64_t(index), ZIP_CM_STORE, 0);
    }
    if (zip_close(zip.archive) != 0) {
        const QString reason = QString::fromUtf8(zip_strerror(zip.archive));
        QFile::remove(zipPath);
        throw shell::Error(QStringLiteral("Cannot write the package ") + QDir::toNativeSeparators(zipPath) +
                           QStringLiteral(": ") + reason);
    }
    zip.archive = nullptr;
}

QStringList ZipEntries(const QString& zipPath)
{
    int error = 0;
    ZipCloser zip{zip_open(QFile::encodeName(zipPath).constData(), ZIP_RDONLY, &error)};
    if (!zip.archive)
        throw shell::Error(QStringLiteral("Cannot read the package ") + QDir::toNativeSeparators(zipPath));
    QStringList entries;
    const zip_int64_t count = zip_get_num_entries(zip.archive, 0);
    for (zip_int64_t i = 0; i < count; ++i)
        entries.append(QString::fromUtf8(zip_get_name(zip.archive, zip_uint64_t(i), 0)));
    return entries;
}

QByteArray ZipEntry(const QString& zipPath, const QString& entry, qint64 limit)
{
    int error = 0;
    ZipCloser zip{zip_open(QFile::encodeName(zipPath).constData(), ZIP_RDONLY, &error)};
    if (!zip.archive)
        throw shell::Error(QStringLiteral("Cannot read the package ") + QDir::toNativeSeparators(zipPath));
    zip_file_t* file = zip_fopen(zip.archive, entry.toUtf8().constData(), 0);
    if (!file)
        return {};
    QByteArray bytes;
    char buffer[16384];
    zip_int64_t read = 0;
    while (bytes.size() < limit && (read = zip_fread(file, buffer, sizeof buffer)) > 0)
        bytes.append(buffer, qsizetype(std::min<qint64>(read, limit - bytes.size())));
    zip_fclose(file);
    return bytes;
}

} // namespace publish
