#include "platform/rtf/rtfreader.h"

#include "platform/rtf/rtfdocumentbuilder.h"
#include "shell/boundedread.h"

#include <QIODevice>
#include <QTextCursor>
#include <QTextDocument>

namespace platform::rtf {

bool RtfReader::read(QIODevice* device, QTextDocument* document)
{
    m_problems.clear();
    if (!device || !document || !device->isReadable()) {
        m_problems.append({RtfError::ReadFailed, 0});
        return false;
    }
    if (!device->isSequential() && device->size() - device->pos() > kMaxInputBytes) {
        m_problems.append({RtfError::ReadFailed, 0});
        return false;
    }
    const QByteArray data = shell::ReadAtMost(*device, kMaxInputBytes);
    if (data.size() > kMaxInputBytes) {
        m_problems.append({RtfError::ReadFailed, kMaxInputBytes});
        return false;
    }
    return read(data, document);
}

bool RtfReader::read(const QByteArray& data, QTextDocument* document)
{
    m_problems.clear();
    if (!document || data.size() > kMaxInputBytes) {
        m_problems.append({RtfError::ReadFailed, 0});
        return false;
    }
    if (!LooksLikeRtf(data)) {
        m_problems.append({RtfError::NotRtf, 0});
        return false;
    }
    const bool undo = document->isUndoRedoEnabled();
    document->setUndoRedoEnabled(false);
    RtfTokenizer tokenizer;
    bool ok = false;
    {
        // One edit for the whole page: a document shown in a window is otherwise laid out again
        // after every insertion, and as one change from empty it is laid out lazily, the visible
        // part first.
        QTextCursor editing(document);
        editing.beginEditBlock();
        RtfDocumentBuilder builder(document);
        ok = tokenizer.tokenize(data, builder);
        builder.finish();
        editing.endEditBlock();
    }
    document->setUndoRedoEnabled(undo);
    document->setModified(false);
    m_problems = tokenizer.problems();
    return ok;
}

RtfProblem RtfReader::error() const
{
    return m_problems.isEmpty() ? RtfProblem{} : m_problems.first();
}

bool LooksLikeRtf(const QByteArray& data)
{
    qsizetype i = data.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (i < data.size() && (data[i] == ' ' || data[i] == '\t' || data[i] == '\r' || data[i] == '\n'))
        ++i;
    return QByteArrayView(data).sliced(i).startsWith(QByteArrayView("{\\rtf"));
}

bool ReadRtf(const QByteArray& data, QTextDocument* document)
{
    return RtfReader().read(data, document);
}

} // namespace platform::rtf
