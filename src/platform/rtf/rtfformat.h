#pragma once

#include <QTextFormat>

namespace platform::rtf {

// What the reader keeps of a paragraph beyond what QTextBlockFormat knows, so the writer can
// write it back. Properties of the block format.
enum RtfBlockProperty
{
    // QString, one character per entry of the block's tab positions: the stop's leader
    // (kLeader...), or kImplicitStop for the stop a hanging indent makes, which is not written.
    TabLeadersProperty = QTextFormat::UserProperty + 0x1500,
};

// Properties of the character format.
enum RtfCharProperty
{
    // bool: the zero-width spaces of this run were put in by the reader, to give an overlong run
    // a place to wrap; the writer leaves them out, so the page is written as it was read.
    InsertedBreakProperty = QTextFormat::UserProperty + 0x1501,
};

// The zero-width space the reader puts into an overlong run.
inline constexpr char16_t kZeroWidthSpace = 0x200b;

inline constexpr char16_t kLeaderNone = u' ';
inline constexpr char16_t kLeaderDot = u'.';
inline constexpr char16_t kLeaderMiddleDot = u'm';
inline constexpr char16_t kLeaderHyphen = u'-';
inline constexpr char16_t kLeaderUnderline = u'_';
inline constexpr char16_t kLeaderThick = u't';
inline constexpr char16_t kLeaderEquals = u'=';
inline constexpr char16_t kImplicitStop = u'i';

// RTF's default tab stop distance when a document names none: half an inch.
inline constexpr int kDefaultTabTwips = 720;

} // namespace platform::rtf
