#include "platform/rtf/rtfcontrolwords.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>
#include <unordered_map>

namespace platform::rtf {

namespace {

using K = WordKind;
using W = Word;

// Kept in strict byte order of the names, so a name twice shows.
constexpr ControlWord kWords[] = {
    {"annotation", K::Destination, W::Skip, 0},
    {"ansi", K::Flag, W::Ansi, 0},
    {"ansicpg", K::Value, W::AnsiCpg, 1252},
    {"atnauthor", K::Destination, W::Skip, 0},
    {"atndate", K::Destination, W::Skip, 0},
    {"atnid", K::Destination, W::Skip, 0},
    {"author", K::Destination, W::Skip, 0},
    {"b", K::Toggle, W::B, 1},
    {"blue", K::Value, W::Blue, 0},
    {"bullet", K::Symbol, W::Bullet, 0},
    {"buptim", K::Destination, W::Skip, 0},
    {"cb", K::Value, W::Cb, 0},
    {"cell", K::Symbol, W::Cell, 0},
    {"cf", K::Value, W::Cf, 0},
    {"chcbpat", K::Value, W::ChCbPat, 0},
    {"chftn", K::Symbol, W::Chftn, 0},
    {"colortbl", K::Destination, W::ColorTable, 0},
    {"comment", K::Destination, W::Skip, 0},
    {"company", K::Destination, W::Skip, 0},
    {"cpg", K::Value, W::Cpg, 1252},
    {"creatim", K::Destination, W::Skip, 0},
    {"datastore", K::Destination, W::Skip, 0},
    {"deff", K::Value, W::Deff, 0},
    {"deftab", K::Value, W::DefTab, 720},
    {"dibitmap", K::Value, W::OtherBlip, 0},
    {"doccomm", K::Destination, W::Skip, 0},
    {"docvar", K::Destination, W::Skip, 0},
    {"emdash", K::Symbol, W::EmDash, 0},
    {"emfblip", K::Flag, W::EmfBlip, 0},
    {"emspace", K::Symbol, W::EmSpace, 0},
    {"endash", K::Symbol, W::EnDash, 0},
    {"enspace", K::Symbol, W::EnSpace, 0},
    {"f", K::Value, W::F, 0},
    {"falt", K::Destination, W::Skip, 0},
    {"fcharset", K::Value, W::FCharset, 0},
    {"ffdeftext", K::Destination, W::Skip, 0},
    {"ffentrymcr", K::Destination, W::Skip, 0},
    {"ffexitmcr", K::Destination, W::Skip, 0},
    {"ffformat", K::Destination, W::Skip, 0},
    {"ffhelptext", K::Destination, W::Skip, 0},
    {"ffl", K::Destination, W::Skip, 0},
    {"ffname", K::Destination, W::Skip, 0},
    {"ffstattext", K::Destination, W::Skip, 0},
    {"fi", K::Value, W::Fi, 0},
    {"field", K::Destination, W::Field, 0},
    {"filetbl", K::Destination, W::Skip, 0},
    {"fldinst", K::Destination, W::FldInst, 0},
    {"fldrslt", K::Destination, W::FldRslt, 0},
    {"fonttbl", K::Destination, W::FontTable, 0},
    {"footer", K::Destination, W::Skip, 0},
    {"footerf", K::Destination, W::Skip, 0},
    {"footerl", K::Destination, W::Skip, 0},
    {"footerr", K::Destination, W::Skip, 0},
    {"footnote", K::Destination, W::Skip, 0},
    {"formfield", K::Destination, W::Skip, 0},
    {"fs", K::Value, W::Fs, 24},
    {"generator", K::Destination, W::Skip, 0},
    {"green", K::Value, W::Green, 0},
    {"header", K::Destination, W::Skip, 0},
    {"headerf", K::Destination, W::Skip, 0},
    {"headerl", K::Destination, W::Skip, 0},
    {"headerr", K::Destination, W::Skip, 0},
    {"highlight", K::Value, W::Highlight, 0},
    {"hlinkbase", K::Destination, W::Skip, 0},
    {"i", K::Toggle, W::I, 1},
    {"ilvl", K::Value, W::Ilvl, 0},
    {"info", K::Destination, W::Skip, 0},
    {"intbl", K::Flag, W::InTbl, 0},
    {"jpegblip", K::Flag, W::JpegBlip, 0},
    {"keywords", K::Destination, W::Skip, 0},
    {"latentstyles", K::Destination, W::Skip, 0},
    {"ldblquote", K::Symbol, W::LDblQuote, 0},
    {"levelfollow", K::Value, W::LevelFollow, 0},
    {"levelnfc", K::Value, W::LevelNfc, 0},
    {"levelnfcn", K::Value, W::LevelNfc, 0},
    {"levelnumbers", K::Destination, W::Skip, 0},
    {"levelstartat", K::Value, W::LevelStartAt, 1},
    {"leveltext", K::Destination, W::LevelText, 0},
    {"li", K::Value, W::Li, 0},
    {"lin", K::Value, W::Li, 0},
    {"line", K::Symbol, W::Line, 0},
    {"list", K::Destination, W::List, 0},
    {"listid", K::Value, W::ListId, 0},
    {"listlevel", K::Destination, W::ListLevel, 0},
    {"listname", K::Destination, W::Skip, 0},
    {"listoverride", K::Destination, W::ListOverride, 0},
    {"listoverridetable", K::Destination, W::ListTable, 0},
    {"listpicture", K::Destination, W::Skip, 0},
    {"listtable", K::Destination, W::ListTable, 0},
    {"listtext", K::Destination, W::ListText, 0},
    {"lquote", K::Symbol, W::LQuote, 0},
    {"ls", K::Value, W::Ls, 0},
    {"ltrmark", K::Symbol, W::LtrMark, 0},
    {"mac", K::Flag, W::Mac, 0},
    {"macpict", K::Flag, W::OtherBlip, 0},
    {"manager", K::Destination, W::Skip, 0},
    {"mmathPr", K::Destination, W::Skip, 0},
    {"nestcell", K::Symbol, W::NestCell, 0},
    {"nestrow", K::Symbol, W::NestRow, 0},
    {"nesttableprops", K::Destination, W::NestTableProps, 0},
    {"nonesttables", K::Destination, W::Skip, 0},
    {"nonshppict", K::Destination, W::Skip, 0},
    {"nosupersub", K::Flag, W::NoSuperSub, 0},
    {"objclass", K::Destination, W::Skip, 0},
    {"objdata", K::Destination, W::Skip, 0},
    {"object", K::Destination, W::Object, 0},
    {"objname", K::Destination, W::Skip, 0},
    {"operator", K::Destination, W::Skip, 0},
    {"page", K::Symbol, W::Page, 0},
    {"par", K::Symbol, W::Par, 0},
    {"pard", K::Flag, W::Pard, 0},
    {"pc", K::Flag, W::Pc, 0},
    {"pca", K::Flag, W::Pca, 0},
    {"pgdsctbl", K::Destination, W::Skip, 0},
    {"pich", K::Value, W::PicH, 0},
    {"pichgoal", K::Value, W::PicHGoal, 0},
    {"picprop", K::Destination, W::Skip, 0},
    {"picscalex", K::Value, W::PicScaleX, 100},
    {"picscaley", K::Value, W::PicScaleY, 100},
    {"pict", K::Destination, W::Pict, 0},
    {"picw", K::Value, W::PicW, 0},
    {"picwgoal", K::Value, W::PicWGoal, 0},
    {"plain", K::Flag, W::Plain, 0},
    {"pmmetafile", K::Value, W::OtherBlip, 0},
    {"pn", K::Destination, W::Skip, 0},
    {"pngblip", K::Flag, W::PngBlip, 0},
    {"pntext", K::Destination, W::PnText, 0},
    {"printim", K::Destination, W::Skip, 0},
    {"private", K::Destination, W::Skip, 0},
    {"qc", K::Flag, W::Qc, 0},
    {"qd", K::Flag, W::Qj, 0},
    {"qj", K::Flag, W::Qj, 0},
    {"ql", K::Flag, W::Ql, 0},
    {"qmspace", K::Symbol, W::QmSpace, 0},
    {"qr", K::Flag, W::Qr, 0},
    {"rdblquote", K::Symbol, W::RDblQuote, 0},
    {"red", K::Value, W::Red, 0},
    {"result", K::Destination, W::Result, 0},
    {"revtbl", K::Destination, W::Skip, 0},
    {"revtim", K::Destination, W::Skip, 0},
    {"ri", K::Value, W::Ri, 0},
    {"rin", K::Value, W::Ri, 0},
    {"row", K::Symbol, W::Row, 0},
    {"rquote", K::Symbol, W::RQuote, 0},
    {"rsidtbl", K::Destination, W::Skip, 0},
    {"rtf", K::Value, W::Rtf, 1},
    {"rtlmark", K::Symbol, W::RtlMark, 0},
    {"sa", K::Value, W::Sa, 0},
    {"sb", K::Value, W::Sb, 0},
    {"sect", K::Symbol, W::Sect, 0},
    {"shp", K::Destination, W::Shp, 0},
    {"shpinst", K::Destination, W::Skip, 0},
    {"shppict", K::Destination, W::ShpPict, 0},
    {"shprslt", K::Destination, W::Skip, 0},
    {"shptxt", K::Destination, W::ShpTxt, 0},
    {"strike", K::Toggle, W::Strike, 1},
    {"striked", K::Toggle, W::Strike, 1},
    {"stylesheet", K::Destination, W::Skip, 0},
    {"sub", K::Flag, W::Sub, 0},
    {"subject", K::Destination, W::Skip, 0},
    {"super", K::Flag, W::Super, 0},
    {"tab", K::Symbol, W::Tab, 0},
    {"tb", K::Value, W::Tb, 0},
    {"tc", K::Destination, W::Skip, 0},
    {"template", K::Destination, W::Skip, 0},
    {"themedata", K::Destination, W::Skip, 0},
    {"title", K::Destination, W::Skip, 0},
    {"tldot", K::Flag, W::TlDot, 0},
    {"tleq", K::Flag, W::TlEq, 0},
    {"tlhyph", K::Flag, W::TlHyph, 0},
    {"tlmdot", K::Flag, W::TlMDot, 0},
    {"tlth", K::Flag, W::TlTh, 0},
    {"tlul", K::Flag, W::TlUl, 0},
    {"tqc", K::Flag, W::TqC, 0},
    {"tqdec", K::Flag, W::TqDec, 0},
    {"tqr", K::Flag, W::TqR, 0},
    {"tx", K::Value, W::Tx, 0},
    {"txe", K::Destination, W::Skip, 0},
    {"u", K::Value, W::U, 0},
    {"uc", K::Value, W::Uc, 1},
    {"ud", K::Destination, W::Ud, 0},
    {"ul", K::Toggle, W::Ul, 1},
    {"ulc", K::Value, W::Skip, 0},
    {"uld", K::Toggle, W::Ul, 1},
    {"uldash", K::Toggle, W::Ul, 1},
    {"uldashd", K::Toggle, W::Ul, 1},
    {"uldashdd", K::Toggle, W::Ul, 1},
    {"uldb", K::Toggle, W::Ul, 1},
    {"ulhwave", K::Toggle, W::Ul, 1},
    {"ulldash", K::Toggle, W::Ul, 1},
    {"ulnone", K::Flag, W::UlNone, 0},
    {"ulth", K::Toggle, W::Ul, 1},
    {"ulthd", K::Toggle, W::Ul, 1},
    {"ulthdash", K::Toggle, W::Ul, 1},
    {"ulw", K::Toggle, W::Ul, 1},
    {"ulwave", K::Toggle, W::Ul, 1},
    {"upr", K::Destination, W::Upr, 0},
    {"userprops", K::Destination, W::Skip, 0},
    {"v", K::Toggle, W::V, 1},
    {"wbitmap", K::Value, W::OtherBlip, 0},
    {"wmetafile", K::Value, W::WMetafile, 8},
    {"xe", K::Destination, W::Skip, 0},
    {"xmlnstbl", K::Destination, W::Skip, 0},
    {"zwj", K::Symbol, W::Zwj, 0},
    {"zwnj", K::Symbol, W::Zwnj, 0},
};

constexpr bool IsSorted()
{
    for (std::size_t i = 1; i < std::size(kWords); ++i) {
        if (!(std::string_view(kWords[i - 1].name) < std::string_view(kWords[i].name)))
            return false;
    }
    return true;
}
static_assert(IsSorted(), "the control word table must stay sorted for binary search");

} // namespace

const ControlWord* FindControlWord(QByteArrayView name)
{
    // Every word of a document is looked up: a hash finds it quicker than a search of the names.
    static const std::unordered_map<std::string_view, const ControlWord*> kByName = [] {
        std::unordered_map<std::string_view, const ControlWord*> words;
        words.reserve(std::size(kWords));
        for (const ControlWord& word : kWords)
            words.emplace(word.name, &word);
        return words;
    }();
    const auto found = kByName.find(std::string_view(name.data(), std::size_t(name.size())));
    return found == kByName.end() ? nullptr : found->second;
}

char16_t SymbolWordCharacter(Word id)
{
    switch (id) {
    case W::Line: return u'\u2028';
    case W::Tab: return u'\t';
    case W::EmDash: return u'\u2014';
    case W::EnDash: return u'\u2013';
    case W::EmSpace: return u'\u2003';
    case W::EnSpace: return u'\u2002';
    case W::QmSpace: return u'\u2005';
    case W::Bullet: return u'\u2022';
    case W::LQuote: return u'\u2018';
    case W::RQuote: return u'\u2019';
    case W::LDblQuote: return u'\u201C';
    case W::RDblQuote: return u'\u201D';
    case W::Zwj: return u'\u200D';
    case W::Zwnj: return u'\u200C';
    case W::LtrMark: return u'\u200E';
    case W::RtlMark: return u'\u200F';
    default: return 0;
    }
}

char16_t ControlSymbolCharacter(char symbol)
{
    switch (symbol) {
    case '\\':
    case '{':
    case '}': return char16_t(symbol);
    case '~': return u'\u00A0';
    case '-': return u'\u00AD';
    case '_': return u'\u2011';
    case '\t': return u'\t';
    default: return 0;
    }
}

int DocumentCodePage(Word id, int value)
{
    switch (id) {
    case W::Ansi: return 1252;
    case W::Mac: return 10000;
    case W::Pc: return 437;
    case W::Pca: return 850;
    case W::AnsiCpg: return value > 0 && value < 100000 ? value : 0;
    default: return 0;
    }
}

int UnicodeSkipCount(int value)
{
    constexpr int kMaxUnicodeSkip = 16;
    return std::clamp(value, 0, kMaxUnicodeSkip);
}

} // namespace platform::rtf
