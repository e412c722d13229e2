#pragma once

#include "storage/settingsrecord.h"

#include <QString>
#include <QStringList>

// The topic store NAME.SWR: every Topic of a Study List and the introduction text, as CR LF text
// lines. An entry is
//
//   [name]
//   source=KIND          HYPER for Topics, INTRO for the introduction
//   type=N               Topics only
//   command=VALUE        command Topics; page Topics carry their key lines, "text=" and RTF lines
//   ]
//   (empty line)
//
// There is no header and no escaping. All operations take the store's path, open it, and close it
// before returning; a missing store means no entries. Every change is written beside the store and
// renamed over it, so a failure leaves the old store whole. Failures throw shell::Error.
namespace storage {

inline const QString kTopicKind = QStringLiteral("HYPER");
inline const QString kIntroKind = QStringLiteral("INTRO");
inline const QString kIntroName = QStringLiteral("^INTRODUCTION^");

// Appends an entry and its separator at the end of the store, creating the store when missing.
void AppendCommandEntry(const QString& store, const QString& name, int typeCode, const QString& kind,
                        const QString& command);
// A page entry's key lines come from the record; a text-only page (type 1) has no designed screen
// and carries "displaytype=0". Page text lines are written as given, except that one beginning
// with "[" or "]" gets a leading blank so it cannot be read as a head or tail.
void AppendPageEntry(const QString& store, const QString& name, int typeCode, const QString& kind,
                     const QStringList& pageText, const TopicDisplayRecord& record);
// Rewrite the store with the entry (old name, kind) replaced where it stands by one under the new
// name. A store without that entry keeps its bytes; a missing store stays missing; lines outside
// the replaced entry are copied byte for byte.
void ReplaceCommandEntry(const QString& store, const QString& newName, const QString& oldName,
                         const QString& kind, const QString& command, int typeCode);
void ReplacePageEntry(const QString& store, const QString& newName, const QString& oldName,
                      const QString& kind, const QStringList& pageText, const TopicDisplayRecord& record,
                      int typeCode);
// Fills the record from an extracted page entry (RLTop and RLLeft keep their values) and appends
// the page text lines.
void ParsePageEntry(const QStringList& entry, TopicDisplayRecord& record, QStringList& pageText);

// The introduction entry "[^INTRODUCTION^]" of the kind INTRO. ReadIntroText appends its text
// lines and is false when the store has none; ReplaceIntroEntry rewrites it in place (a store
// without one keeps its bytes) and throws when the store cannot be opened.
void AppendIntroEntry(const QString& store, const QStringList& lines);
bool ReadIntroText(const QString& store, QStringList& lines);
void ReplaceIntroEntry(const QString& store, const QStringList& lines);

// Rewrites type 2 and type 6 command values of the earlier layout (parts separated by blanks).
void ConvertOldStore(const QString& store);

// Colour text: one of the 42 identifiers ("clSilver") or "$" and eight upper-case hex digits.
QString ColorToText(quint32 color);
// Reads an identifier (any case), "$hex" or decimal; false when the text is none of these.
bool TextToColor(const QString& text, quint32& color);

} // namespace storage
