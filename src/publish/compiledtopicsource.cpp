#include "publish/compiledtopicsource.h"

#include "publish/compiler.h"
#include "publish/elfimage.h"
#include "shell/error.h"
#include "shell/textcodec.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

namespace publish {

namespace {

// Cutting at a character boundary drops at most the first three bytes of a four-byte character.
constexpr int kMaxUtf8Extra = 3;
constexpr char kIntroHeadPrefix[] = "[^INTRO";
constexpr char kTextKey[] = "text=";

QString Native(const QString& name)
{
    return QDir::toNativeSeparators(name);
}

QStringList SplitLines(const QByteArray& block)
{
    QStringList lines;
    qsizetype from = 0;
    while (from < block.size()) {
        qsizetype end = block.indexOf("\r\n", from);
        if (end < 0)
            end = block.size();
        lines.append(shell::DecodeText(QByteArrayView(block).sliced(from, end - from)));
        from = end + 2;
    }
    return lines;
}

} // namespace

CompiledTopicSource::CompiledTopicSource(std::unique_ptr<QIODevice> device, qint64 bodyOffset, const QString& name)
    : m_device(std::move(device)), m_name(name), m_bodyOffset(bodyOffset)
{
    const QString notCompiled =
        QStringLiteral("The file ") + Native(m_name) + QStringLiteral(" is not a compiled Study List.");
    const qint64 fileSize = m_device->size();
    if (bodyOffset < storage::kSettingsSize || fileSize < bodyOffset + kBodyHeaderSize)
        throw shell::Error(notCompiled);
    m_bodySize = fileSize - bodyOffset;

    if (!m_device->seek(bodyOffset - storage::kSettingsSize))
        damaged(QStringLiteral("its settings cannot be read"));
    const QByteArray head = m_device->read(storage::kSettingsSize + kBodyHeaderSize);
    if (head.size() != storage::kSettingsSize + kBodyHeaderSize)
        damaged(QStringLiteral("its settings cannot be read"));
    // The version marker of a current settings record: a length byte of 4 and "2.".
    if (head[0] != 4 || head[1] != '2' || head[2] != '.')
        throw shell::Error(notCompiled);
    if (!storage::DecodeSettings(QByteArrayView(head).first(storage::kSettingsSize), m_settings))
        damaged(QStringLiteral("its settings cannot be read"));
    const QByteArrayView header = QByteArrayView(head).sliced(storage::kSettingsSize);
    if (header.first(kBodySignatureSize) != QByteArrayView(kBodySignature, kBodySignatureSize))
        throw shell::Error(notCompiled);

    const qint64 count = qFromLittleEndian<qint32>(header.data() + 5);
    const qint64 indexOffset = qFromLittleEndian<qint32>(header.data() + 9);
    if (count < 0 || count > kMaxCompiledEntries)
        damaged(QStringLiteral("its entry count is impossible"));
    if (count == 0)
        return;
    if (indexOffset < kBodyHeaderSize || indexOffset > m_bodySize)
        damaged(QStringLiteral("its index lies outside the file"));
    const qint64 indexSize = count * kIndexRecordSize;
    if (indexSize > m_bodySize - indexOffset)
        damaged(QStringLiteral("its index runs past the end of the file"));
    if (!m_device->seek(bodyOffset + indexOffset))
        damaged(QStringLiteral("its index cannot be read"));
    const QByteArray index = m_device->read(indexSize);
    if (index.size() != indexSize)
        damaged(QStringLiteral("its index cannot be read"));
    for (qint64 i = 0; i < count; ++i)
        m_index.add(index.constData() + i * kIndexRecordSize, kIndexRecordSize);

    // Blocks lie between the header and the index; checking every record now means a later read
    // can only fail when the file changes under us.
    for (qsizetype i = 0; i < m_index.count(); ++i) {
        const QByteArray& bytes = m_index.at(i);
        const int nameLength = static_cast<unsigned char>(bytes[0]);
        const int kindLength = static_cast<unsigned char>(bytes[kIndexKindLengthAt]);
        const qint64 offset = qFromLittleEndian<qint32>(bytes.constData() + kIndexBlockOffsetAt);
        const qint64 length = qFromLittleEndian<qint32>(bytes.constData() + kIndexBlockLengthAt);
        const QString entry = QStringLiteral("index record ") + QString::number(i + 1);
        if (nameLength > kIndexNameWidth || kindLength > kIndexKindWidth)
            damaged(entry + QStringLiteral(" has an impossible name or kind length"));
        if (offset < kBodyHeaderSize || length < 0 || length > kMaxBlockLength || offset + length > indexOffset)
            damaged(entry + QStringLiteral(" points outside the file"));
    }
}

std::unique_ptr<CompiledTopicSource> CompiledTopicSource::openCompiled(const QString& path)
{
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::ReadOnly))
        shell::ThrowFileError(QStringLiteral("Cannot open file"), path, file->errorString());
    return std::make_unique<CompiledTopicSource>(std::move(file), storage::kSettingsSize, path);
}

std::unique_ptr<CompiledTopicSource> CompiledTopicSource::openExecutable(const QString& path)
{
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::ReadOnly))
        shell::ThrowFileError(QStringLiteral("Cannot open file"), path, file->errorString());
    const qint64 imageEnd = ElfImageEnd(*file);
    if (imageEnd < 0)
        throw shell::Error(QStringLiteral("The file ") + Native(path) +
                           QStringLiteral(" is not a program this reader can read."));
    if (imageEnd >= file->size())
        throw shell::Error(QStringLiteral("The program ") + Native(path) +
                           QStringLiteral(" has no Study List appended to it."));
    return std::make_unique<CompiledTopicSource>(std::move(file), imageEnd + storage::kSettingsSize, path);
}

CompiledTopicSource::Record CompiledTopicSource::record(qsizetype index) const
{
    const QByteArray& bytes = m_index.at(index);
    Record r;
    r.name = bytes.mid(1, static_cast<unsigned char>(bytes[0]));
    r.offset = qFromLittleEndian<qint32>(bytes.constData() + kIndexBlockOffsetAt);
    r.length = qFromLittleEndian<qint32>(bytes.constData() + kIndexBlockLengthAt);
    r.kind = bytes.mid(kIndexKindAt, static_cast<unsigned char>(bytes[kIndexKindLengthAt]));
    return r;
}

bool CompiledTopicSource::kindMatches(const Record& record, const QString& kind) const
{
    return shell::DecodeText(record.kind).compare(kind, Qt::CaseInsensitive) == 0;
}

bool CompiledTopicSource::nameMayBeCut(const Record& record) const
{
    // The compiler cuts a longer head line at kIndexNameWidth bytes, stepping back to a character
    // boundary, so a cut name holds at least kIndexNameWidth - kMaxUtf8Extra bytes.
    return record.name.size() >= kIndexNameWidth - kMaxUtf8Extra;
}

QByteArray CompiledTopicSource::readBlock(const Record& record) const
{
    QByteArray block;
    if (m_device->seek(m_bodyOffset + record.offset))
        block = m_device->read(record.length);
    if (block.size() != record.length)
        damaged(QStringLiteral("an entry cannot be read"));
    return block;
}

QByteArrayView CompiledTopicSource::HeadLine(const QByteArray& block)
{
    const qsizetype end = block.indexOf("\r\n");
    return QByteArrayView(block).first(end < 0 ? block.size() : end);
}

void CompiledTopicSource::damaged(const QString& what) const
{
    throw shell::Error(QStringLiteral("The compiled Study List ") + Native(m_name) +
                       QStringLiteral(" is damaged: ") + what + QLatin1Char('.'));
}

QStringList CompiledTopicSource::names(const QString& kind) const
{
    QStringList result;
    for (qsizetype i = 0; i < m_index.count(); ++i) {
        const Record r = record(i);
        if (!kindMatches(r, kind))
            continue;
        const QByteArray head = nameMayBeCut(r) ? HeadLine(readBlock(r)).toByteArray() : r.name;
        result.append(shell::DecodeText(head.size() >= 2 ? QByteArrayView(head).sliced(1, head.size() - 2)
                                                          : QByteArrayView()));
    }
    return result;
}

bool CompiledTopicSource::entry(const QString& name, const QString& kind, QStringList& lines) const
{
    const QString wantedHead = QLatin1Char('[') + name + QLatin1Char(']');
    // A cut name is compared as bytes: its first bytes can read differently from the whole line (a
    // Windows-1252 prefix that happens to be valid UTF-8). The head was written in one of two ways.
    const QByteArray wantedStored = shell::EncodeText(wantedHead);
    const QByteArray wantedUtf8 = wantedHead.toUtf8();
    for (qsizetype i = 0; i < m_index.count(); ++i) {
        const Record r = record(i);
        if (!kindMatches(r, kind))
            continue;
        const bool candidate = nameMayBeCut(r)
                                   ? wantedStored.startsWith(r.name) || wantedUtf8.startsWith(r.name)
                                   : shell::DecodeText(r.name) == wantedHead;
        if (!candidate)
            continue;
        const QByteArray block = readBlock(r);
        if (shell::DecodeText(HeadLine(block)) != wantedHead)
            continue;
        lines = SplitLines(block);
        return true;
    }
    return false;
}

void CompiledTopicSource::forEachEntry(
    const QString& kind, const std::function<bool(const QString& name, const QStringList& lines)>& visit) const
{
    for (qsizetype i = 0; i < m_index.count(); ++i) {
        const Record r = record(i);
        if (!kindMatches(r, kind))
            continue;
        const QByteArray block = readBlock(r);
        const QByteArrayView head = HeadLine(block);
        const QString name = shell::DecodeText(head.size() >= 2 ? head.sliced(1, head.size() - 2) : QByteArrayView());
        if (!visit(name, SplitLines(block)))
            return;
    }
}

bool CompiledTopicSource::introText(QStringList& lines) const
{
    for (qsizetype i = 0; i < m_index.count(); ++i) {
        const Record r = record(i);
        if (!r.name.startsWith(kIntroHeadPrefix))
            continue;
        const QStringList block = SplitLines(readBlock(r));
        // Head line, kind, then "text=" and the text.
        qsizetype first = 2;
        if (first < block.size() && block[first].startsWith(QLatin1String(kTextKey)))
            ++first;
        for (qsizetype k = first; k < block.size(); ++k)
            lines.append(block[k]);
        return true;
    }
    return false;
}

} // namespace publish
