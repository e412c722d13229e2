#pragma once

#include "storage/settingsrecord.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <QStringList>

#include <functional>

// The data files of a published list, as the browser player reads them (see player/FORMAT.md):
// the settings record as JSON with colours as CSS colours and font texts taken apart, a Topic's
// command split into the parts the player acts on, the folded text of the search index, and the
// script wrapper that hands a value to the player from a plain <script> element.
namespace publish {

// Answers the published address ("media/NAME.PNG" or a data: URI) of a stored file name, or
// empty when the list's media do not hold it.
using MediaLookup = std::function<QString(const QString& storedName)>;

// "#rrggbb" for a colour reference; system colours are resolved with the palette the reader
// program uses, the "none" colour is "transparent".
QString CssColorOf(quint32 colorRef);

// A font text as {"size", "color", "bold", "italic", "underline", "strike", "family"}.
QJsonObject FontToJson(const QString& fontText);

QJsonObject WindowDesignToJson(const storage::WindowDesign& window);

// The whole record, field names as the record has them.
QJsonObject SettingsToJson(const storage::SettingsRecord& record);

// The parts of a command value of the type, as the topic runner splits them: "command" always;
// "picture", "sound", "seconds" for 2 and 6; "file" for 3, 7, 8, 10 and 13; "program" and
// "argument" for 4 and 9.
QJsonObject CommandParts(int type, const QString& value);

// Lower case, accents dropped (compatibility decomposition, combining marks removed), every run of
// white space one blank, trimmed.
QString FoldForSearch(const QString& text);

// JSON text of the value in which no "<" is left, so it can stand inside a <script> element.
QByteArray ScriptJson(const QJsonValue& value);

// One data file: the prelude that queues the call when the player has not started yet, then the
// call with the value. `call` is "list", "search" or "page"; a page also passes its id.
QByteArray DataScript(const QString& call, const QJsonValue& value, const QString& pageId = {});

// DataScript("page", {"html": html}, pageId), written straight from the text: pages are most of
// what a publication writes.
QByteArray PageScript(const QString& pageId, const QString& html);

// The search index's file written entry by entry, the same as DataScript("search", array) of
// {"t": topic, "n": name, "x": text} objects: the index holds the text of every page.
class SearchScript
{
public:
    SearchScript();

    // One entry as the file holds it, so it can be made where the page is converted.
    static QByteArray Entry(int topic, const QString& foldedName, const QString& foldedText);

    void add(QByteArray entry);
    // The whole file in pieces, in order, to be written one after another: joined, the index
    // would be one block of tens of megabytes.
    QByteArrayList pieces() const;

private:
    QByteArrayList m_parts; // the file's pieces so far
};

} // namespace publish
