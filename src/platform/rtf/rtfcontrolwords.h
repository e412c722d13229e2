#pragma once

#include <QByteArrayView>

namespace platform::rtf {

// What the reader does with a control word.
enum class WordKind
{
    Flag,        // sets a state without a parameter (\pard, \qc, \ansi)
    Value,       // sets a state to its parameter, or to the default when there is none (\fs24)
    Toggle,      // on without a parameter or with a non-zero one, off with 0 (\b, \b0)
    Symbol,      // stands for a character or a break (\par, \tab, \emdash)
    Destination, // opens a destination: the rest of its group is a font table, a picture, ...
};

// The words the document builder knows. Every other word is ignored, and every other word after
// "\*" skips its group.
// clang-format off
enum class Word
{
    // Document and code pages
    Rtf, Ansi, Mac, Pc, Pca, AnsiCpg, Deff, Uc, U, Cpg, FCharset,
    // Character formats
    Plain, F, Fs, B, I, Ul, UlNone, Strike, Cf, Cb, Highlight, ChCbPat, Super, Sub, NoSuperSub, V,
    // Paragraph formats
    Pard, Ql, Qc, Qr, Qj, Li, Ri, Fi, Sb, Sa, InTbl, DefTab,
    // Tab stops: a stop's kind and leader come before its position
    Tx, Tb, TqR, TqC, TqDec, TlDot, TlMDot, TlHyph, TlUl, TlTh, TlEq,
    // Breaks and special characters
    Par, Line, Tab, Page, Sect, Cell, Row, NestCell, NestRow, EmDash, EnDash, EmSpace, EnSpace,
    QmSpace, Bullet, LQuote, RQuote, LDblQuote, RDblQuote, Zwj, Zwnj, LtrMark, RtlMark, Chftn,
    // Colour table
    Red, Green, Blue,
    // Pictures
    PngBlip, JpegBlip, WMetafile, EmfBlip, OtherBlip, PicW, PicH, PicWGoal, PicHGoal, PicScaleX, PicScaleY,
    // Destinations read for their content
    FontTable, ColorTable, Pict, Field, FldInst, FldRslt, ShpPict, Object, Result, Shp, ShpTxt,
    ListText, PnText, NestTableProps, Upr, Ud,
    // List tables and a paragraph's list
    ListTable, List, ListLevel, LevelText, ListOverride, ListId, LevelNfc, LevelStartAt, LevelFollow,
    Ls, Ilvl,
    // Destinations skipped with their content
    Skip,
};
// clang-format on

struct ControlWord
{
    const char* name;
    WordKind kind;
    Word id;
    int defaultValue; // the parameter of a Value word written without one
};

// The table entry for a word, or nullptr for a word the reader does not know.
const ControlWord* FindControlWord(QByteArrayView name);

// What the readers of RTF share about the meaning of words, so a page reads the same into a
// document, into HTML and into the search index's text.

// The character a symbol word stands for in a page's text ("\emdash", "\tab", "\line" as
// U+2028), or 0 for a word that stands for none or for a break between paragraphs or cells.
char16_t SymbolWordCharacter(Word id);

// The character a control symbol stands for ("\~" a no-break space, "\{" a brace, "\-" a soft
// hyphen), or 0 for one that stands for none. "\<CR>" and "\<LF>" end a paragraph instead.
char16_t ControlSymbolCharacter(char symbol);

// The code page a document word sets ("\ansi", "\mac", "\pc", "\pca", "\ansicpgN"), or 0
// for another word or a page number out of range.
int DocumentCodePage(Word id, int value);

// The character of "\uN", whose parameter is a signed 16-bit number.
inline char16_t UnicodeWordCharacter(int value)
{
    return char16_t(value < 0 ? value + 65536 : value);
}

// How many fallback characters follow each "\uN" after "\ucN": bounded, so a document cannot
// make a reader drop the rest of its text.
int UnicodeSkipCount(int value);

} // namespace platform::rtf
