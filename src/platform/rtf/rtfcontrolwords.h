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

} // namespace platform::rtf
