#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// Documents brought in as " Text Only" Topics, one a document or, for .DOCX and .ODT when asked,
// one a top-level heading.
namespace authoring {

// A name the store can hold and no Topic of `taken` has (letter case ignored): line breaks and
// brackets become blanks, blanks are collapsed, and the name is cut to the longest a Topic name
// may be; a name in use gets " (2)", " (3)", ... within that length. An empty wanted name gives
// "Topic".
QString UniqueTopicName(const QString& wanted, const QStringList& taken);

struct ImportTopicsResult
{
    QStringList written;  // the names of the Topics written, in order
    QStringList failures; // "FILE: reason" for every document that could not be read
    bool cancelled = false;
};

// Called before each document is read with its file name and how many were done; returning false
// stops the import there. Everything written until then stays.
using ImportProgress = std::function<bool(const QString& fileName, int done)>;

// Reads each document and appends its Topics to the store, each append complete in itself.
ImportTopicsResult ImportTopics(const QString& store, const QStringList& paths, bool splitAtHeadings,
                                const ImportProgress& progress = {});

// The documents ImportTopics reads that lie directly in the folder, sorted by name.
QStringList DocumentsInFolder(const QString& folder);

} // namespace authoring
