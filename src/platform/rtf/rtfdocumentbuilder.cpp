#include "platform/rtf/rtfdocumentbuilder.h"

#include "platform/metafile.h"
#include "platform/rtf/rtfformat.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>
#include <algorithm>
#include <utility>

namespace platform::rtf {

namespace {

// Bounds on what a document can make the builder keep.
constexpr int kMaxFonts = 4096;
constexpr int kMaxColors = 4096;
constexpr int kMaxFontNameBytes = 256;
constexpr int kMaxFieldInstruction = 4096;
constexpr int kMaxIndentTwips = 31680; // 22 inches, the widest page RTF knows
constexpr int kMaxTabStops = 64;
constexpr int kMaxTrailerBytes = 4096;

// Twips (1/1440 inch) to document units, which Qt lays out at 96 per inch.
double TwipsToUnits(int twips)
{
    return twips / 15.0;
}

// The target of a HYPERLINK field instruction: HYPERLINK "url" or HYPERLINK \l "bookmark".
QString HyperlinkTarget(const QString& instruction)
{
    const QString trimmed = instruction.trimmed();
    if (!trimmed.startsWith(QLatin1String("HYPERLINK"), Qt::CaseInsensitive))
        return {};
    QString rest = trimmed.mid(9).trimmed();
    bool bookmark = false;
    while (rest.startsWith(QLatin1Char('\\'))) {
        bookmark = bookmark || rest.startsWith(QLatin1String("\\l"));
        const qsizetype space = rest.indexOf(QLatin1Char(' '));
        rest = space < 0 ? QString() : rest.mid(space + 1).trimmed();
    }
    QString target;
    if (rest.startsWith(QLatin1Char('"'))) {
        const qsizetype close = rest.indexOf(QLatin1Char('"'), 1);
        target = rest.mid(1, close < 0 ? -1 : close - 1);
    } else {
        target = rest.section(QLatin1Char(' '), 0, 0);
    }
    return bookmark && !target.isEmpty() ? QString(QLatin1Char('#') + target) : target;
}

} // namespace

RtfContentReader::RtfContentReader()
{
    m_stack.reserve(RtfTokenizer::kMaxGroupDepth + 1);
    // The state outside the outermost group: whatever trails the document's closing brace is
    // not part of it, unless a second document follows.
    GroupState outside;
    outside.destination = Destination::Trailer;
    m_stack.append(outside);
    m_codePage.setCodePage(m_documentCodePage);
}

RtfContentReader::~RtfContentReader() = default;

void RtfContentReader::setDefaultTab(int) {}

void RtfContentReader::groupStart()
{
    m_ignorableNext = false;
    m_skipCount = 0;
    m_stack.append(m_stack.size() == 1 ? GroupState{} : m_stack.last());
}

void RtfContentReader::groupEnd()
{
    m_ignorableNext = false;
    m_skipCount = 0;
    if (m_stack.size() <= 1)
        return;
    const GroupState closed = m_stack.takeLast();
    const Destination outer = state().destination;
    if (closed.destination == Destination::FontTable && !m_fontName.isEmpty())
        finishFontEntry();
    if (closed.destination == Destination::Pict && outer != Destination::Pict)
        finishPicture();
    if (closed.destination != outer)
        finishListGroup(closed.destination);
    if (!(closed.chars == state().chars))
        applyCodePage();
    if (m_stack.size() == 1)
        m_finalPara = closed.para;
}

bool RtfContentReader::consumeSkip()
{
    if (m_skipCount <= 0)
        return false;
    --m_skipCount;
    return true;
}

void RtfContentReader::controlWord(QByteArrayView word, bool hasParameter, int parameter)
{
    if (consumeSkip())
        return;
    const bool ignorable = m_ignorableNext;
    m_ignorableNext = false;
    GroupState& current = state();
    if (current.destination == Destination::Skip)
        return;
    const ControlWord* entry = FindControlWord(word);
    if (!entry) {
        if (ignorable)
            current.destination = Destination::Skip;
        return;
    }
    switch (entry->kind) {
    case WordKind::Destination:
        enterDestination(entry->id);
        break;
    case WordKind::Symbol:
        if (current.destination == Destination::Body)
            handleSymbolWord(entry->id);
        break;
    case WordKind::Flag:
    case WordKind::Value:
    case WordKind::Toggle:
        handleValueWord(*entry, hasParameter, parameter);
        break;
    }
}

void RtfContentReader::enterDestination(Word id)
{
    GroupState& current = state();
    switch (id) {
    case Word::FontTable:
        current.destination = Destination::FontTable;
        m_fontName.clear();
        m_inFontEntry = false;
        break;
    case Word::ColorTable:
        current.destination = Destination::ColorTable;
        m_colors.clear();
        m_red = m_green = m_blue = -1;
        break;
    case Word::Pict:
        if (current.destination == Destination::Body && !current.chars.hidden) {
            current.destination = Destination::Pict;
            m_picture = Picture{};
        } else {
            current.destination = Destination::Skip;
        }
        break;
    case Word::FldInst:
        current.destination = Destination::FieldInst;
        m_fieldInstruction.clear();
        break;
    case Word::FldRslt: {
        current.destination = Destination::Body;
        const QString target = HyperlinkTarget(m_fieldInstruction);
        m_fieldInstruction.clear();
        if (!target.isEmpty()) {
            m_anchors.append(target);
            current.chars.anchor = int(m_anchors.size() - 1);
        }
        break;
    }
    case Word::ListTable:
        current.destination = Destination::ListTable;
        break;
    case Word::List:
    case Word::ListLevel:
    case Word::LevelText:
    case Word::ListOverride:
        if (current.destination != Destination::ListTable && current.destination != Destination::List &&
            current.destination != Destination::ListLevel) {
            current.destination = Destination::Skip;
        } else if (id == Word::List) {
            current.destination = Destination::List;
            m_listLevels.clear();
            m_listId = 0;
        } else if (id == Word::ListLevel) {
            current.destination = Destination::ListLevel;
            m_listLevel = ListLevel{};
        } else if (id == Word::LevelText) {
            current.destination = Destination::LevelText;
            m_levelText.clear();
        } else {
            current.destination = Destination::ListOverride;
            m_listId = m_listOverride = 0;
        }
        break;
    case Word::ListText:
    case Word::PnText:
        m_listTextSeen = true;
        break;
    case Word::Upr:
        current.destination = Destination::Upr;
        break;
    case Word::Ud:
        if (current.destination == Destination::Upr)
            current.destination = Destination::Body;
        break;
    case Word::Field:
    case Word::ShpPict:
    case Word::Object:
    case Word::Result:
    case Word::Shp:
    case Word::ShpTxt:
    case Word::NestTableProps:
        // Their content is read where it stands: a field's result, the text of a shape, the
        // cells some writers put among a nested row's properties.
        break;
    default:
        current.destination = Destination::Skip;
        break;
    }
}

void RtfContentReader::handleValueWord(const ControlWord& entry, bool hasParameter, int parameter)
{
    GroupState& current = state();
    const int value = hasParameter ? parameter : entry.defaultValue;
    const bool on = !hasParameter || parameter != 0;
    if (const int codePage = DocumentCodePage(entry.id, value)) {
        m_documentCodePage = codePage;
        applyCodePage();
        return;
    }
    CharState& chars = current.chars;
    ParaState& para = current.para;
    const auto indent = [](int twips) { return std::clamp(twips, -kMaxIndentTwips, kMaxIndentTwips); };
    switch (entry.id) {
    case Word::Rtf:
        if (m_stack.size() == 2 && !m_trailer.isEmpty()) {
            const QByteArray trailer = std::exchange(m_trailer, {});
            bodyBytes(trailer);
        }
        break;
    case Word::Deff:
        m_defaultFont = value;
        applyCodePage();
        break;
    case Word::Uc:
        current.unicodeSkip = UnicodeSkipCount(value);
        break;
    case Word::U: {
        const char16_t c = UnicodeWordCharacter(value);
        if (current.destination == Destination::Body) {
            appendChar(c);
        } else if (current.destination == Destination::FieldInst) {
            if (m_fieldInstruction.size() < kMaxFieldInstruction)
                m_fieldInstruction += QChar(c);
        } else if (current.destination == Destination::LevelText && m_levelText.size() < kMaxFieldInstruction) {
            m_levelText += QChar(c);
        }
        m_skipCount = current.unicodeSkip;
        break;
    }
    case Word::Cpg:
        if (current.destination == Destination::FontTable && value > 0 && value < 100000)
            m_fontCodePage = value;
        break;
    case Word::FCharset:
        if (current.destination == Destination::FontTable)
            m_fontCodePage = CodePageForCharset(value);
        break;
    case Word::F:
        if (current.destination == Destination::FontTable) {
            if (!m_fontName.isEmpty())
                finishFontEntry();
            m_fontNumber = value;
            m_fontCodePage = 0;
            m_fontName.clear();
            m_inFontEntry = true;
        } else {
            chars.font = value;
            applyCodePage();
        }
        break;
    case Word::Fs:
        chars.halfPoints = value > 0 ? std::min(value, 3276) : 24;
        break;
    case Word::B:
        chars.bold = on;
        break;
    case Word::I:
        chars.italic = on;
        break;
    case Word::Ul:
        chars.underline = on;
        break;
    case Word::UlNone:
        chars.underline = false;
        break;
    case Word::Strike:
        chars.strike = on;
        break;
    case Word::V:
        chars.hidden = on;
        break;
    case Word::Cf:
        chars.foreground = value;
        break;
    case Word::Cb:
    case Word::Highlight:
    case Word::ChCbPat:
        chars.background = value;
        break;
    case Word::Super:
        chars.vertical = 1;
        break;
    case Word::Sub:
        chars.vertical = -1;
        break;
    case Word::NoSuperSub:
        chars.vertical = 0;
        break;
    case Word::Plain: {
        const int anchor = chars.anchor; // a field's link outlives \plain inside its result
        chars = CharState{};
        chars.anchor = anchor;
        applyCodePage();
        break;
    }
    case Word::Pard:
        para = ParaState{};
        break;
    case Word::Ql:
        para.alignment = Qt::AlignLeft;
        break;
    case Word::Qc:
        para.alignment = Qt::AlignHCenter;
        break;
    case Word::Qr:
        para.alignment = Qt::AlignRight;
        break;
    case Word::Qj:
        para.alignment = Qt::AlignJustify;
        break;
    case Word::Li:
        para.leftIndent = indent(value);
        break;
    case Word::Ri:
        para.rightIndent = indent(value);
        break;
    case Word::Fi:
        para.firstIndent = indent(value);
        break;
    case Word::Sb:
        para.spaceBefore = std::clamp(value, 0, kMaxIndentTwips);
        break;
    case Word::Sa:
        para.spaceAfter = std::clamp(value, 0, kMaxIndentTwips);
        break;
    case Word::ListId:
        m_listId = value;
        break;
    case Word::LevelNfc:
        m_listLevel.format = value;
        break;
    case Word::LevelStartAt:
        m_listLevel.start = std::clamp(value, 0, 32767);
        break;
    case Word::LevelFollow:
        m_listLevel.follow = value;
        break;
    case Word::Ls:
        if (current.destination == Destination::ListOverride)
            m_listOverride = value;
        else
            para.list = value;
        break;
    case Word::Ilvl:
        para.listLevel = std::clamp(value, 0, kListLevels - 1);
        break;
    case Word::DefTab:
        if (value > 0)
            setDefaultTab(std::min(value, kMaxIndentTwips));
        break;
    case Word::TqR:
        para.nextTab.kind = QTextOption::RightTab;
        break;
    case Word::TqC:
        para.nextTab.kind = QTextOption::CenterTab;
        break;
    case Word::TqDec:
        para.nextTab.kind = QTextOption::DelimiterTab;
        break;
    case Word::TlDot:
        para.nextTab.leader = kLeaderDot;
        break;
    case Word::TlMDot:
        para.nextTab.leader = kLeaderMiddleDot;
        break;
    case Word::TlHyph:
        para.nextTab.leader = kLeaderHyphen;
        break;
    case Word::TlUl:
        para.nextTab.leader = kLeaderUnderline;
        break;
    case Word::TlTh:
        para.nextTab.leader = kLeaderThick;
        break;
    case Word::TlEq:
        para.nextTab.leader = kLeaderEquals;
        break;
    case Word::Tx:
        if (para.tabs.size() < kMaxTabStops) {
            para.nextTab.twips = std::clamp(value, 0, kMaxIndentTwips);
            para.tabs.append(para.nextTab);
        }
        para.nextTab = TabStop{};
        break;
    case Word::Tb: // a bar tab draws a rule and is no stop for text
        para.nextTab = TabStop{};
        break;
    case Word::Red:
        m_red = std::clamp(value, 0, 255);
        break;
    case Word::Green:
        m_green = std::clamp(value, 0, 255);
        break;
    case Word::Blue:
        m_blue = std::clamp(value, 0, 255);
        break;
    case Word::PngBlip:
        m_picture.format = "PNG";
        break;
    case Word::JpegBlip:
        m_picture.format = "JPG";
        break;
    case Word::WMetafile:
        m_picture.format = "WMF";
        break;
    case Word::EmfBlip:
        m_picture.format = "EMF";
        break;
    case Word::OtherBlip:
        m_picture.format = "?"; // kinds this reader cannot draw show as a placeholder
        break;
    case Word::PicW:
        m_picture.width = value;
        break;
    case Word::PicH:
        m_picture.height = value;
        break;
    case Word::PicWGoal:
        m_picture.goalWidth = value;
        break;
    case Word::PicHGoal:
        m_picture.goalHeight = value;
        break;
    case Word::PicScaleX:
        m_picture.scaleX = std::clamp(value, 1, 1000);
        break;
    case Word::PicScaleY:
        m_picture.scaleY = std::clamp(value, 1, 1000);
        break;
    default:
        break;
    }
}

void RtfContentReader::handleSymbolWord(Word id)
{
    switch (id) {
    case Word::Par:
    case Word::Page:
    case Word::Sect:
    case Word::Row:
    case Word::NestRow:
        paragraphEnd();
        break;
    case Word::Cell:
    case Word::NestCell:
        if (state().chars.hidden)
            break;
        if (m_cellPending)
            appendText(QString()); // the previous cell was empty: its separator still counts
        m_cellPending = true;
        break;
    default:
        if (const char16_t c = SymbolWordCharacter(id))
            appendChar(c);
        break;
    }
}

void RtfContentReader::controlSymbol(char symbol)
{
    if (consumeSkip())
        return;
    if (symbol == '*') {
        m_ignorableNext = true;
        return;
    }
    m_ignorableNext = false;
    const Destination destination = state().destination;
    if (symbol == '\r' || symbol == '\n') {
        if (destination == Destination::Body)
            paragraphEnd();
        return;
    }
    const char16_t c = ControlSymbolCharacter(symbol);
    if (c == 0)
        return;
    if (destination == Destination::Body) {
        appendChar(c);
    } else if (destination == Destination::FontTable) {
        if (m_fontName.size() < kMaxFontNameBytes && c < 0x80)
            m_fontName.append(char(c));
    } else if (destination == Destination::FieldInst) {
        if (m_fieldInstruction.size() < kMaxFieldInstruction)
            m_fieldInstruction += QChar(c);
    }
}

void RtfContentReader::hexByte(unsigned char byte)
{
    if (consumeSkip())
        return;
    m_ignorableNext = false;
    const char b = char(byte);
    switch (state().destination) {
    case Destination::Body:
        bodyBytes(QByteArrayView(&b, 1));
        break;
    case Destination::FontTable:
        if (m_fontName.size() < kMaxFontNameBytes)
            m_fontName.append(b);
        break;
    case Destination::FieldInst:
        if (m_fieldInstruction.size() < kMaxFieldInstruction)
            m_codePage.decode(QByteArrayView(&b, 1), m_fieldInstruction);
        break;
    case Destination::LevelText:
        // The length and the level placeholders are numbers, not characters of a page.
        if (m_levelText.size() < kMaxFieldInstruction) {
            if (byte < 0x20)
                m_levelText += QChar(byte);
            else
                m_codePage.decode(QByteArrayView(&b, 1), m_levelText);
        }
        break;
    default:
        break;
    }
}

void RtfContentReader::text(QByteArrayView bytes)
{
    m_ignorableNext = false;
    if (m_skipCount > 0) {
        const qsizetype n = std::min<qsizetype>(m_skipCount, bytes.size());
        m_skipCount -= int(n);
        bytes = bytes.sliced(n);
    }
    if (bytes.isEmpty())
        return;
    switch (state().destination) {
    case Destination::Body:
        bodyBytes(bytes);
        break;
    case Destination::FontTable:
        for (const char c : bytes) {
            if (c == ';') {
                finishFontEntry();
            } else if (m_fontName.size() < kMaxFontNameBytes) {
                m_fontName.append(c);
            }
        }
        break;
    case Destination::ColorTable:
        for (const char c : bytes) {
            if (c == ';')
                finishColorEntry();
        }
        break;
    case Destination::Pict:
        m_picture.hex.append(bytes);
        break;
    case Destination::FieldInst:
        if (m_fieldInstruction.size() < kMaxFieldInstruction)
            m_codePage.decode(bytes, m_fieldInstruction);
        break;
    case Destination::LevelText:
        for (const char c : bytes) {
            if (c != ';' && m_levelText.size() < kMaxFieldInstruction)
                m_codePage.decode(QByteArrayView(&c, 1), m_levelText);
        }
        break;
    case Destination::ListTable:
    case Destination::List:
    case Destination::ListLevel:
    case Destination::ListOverride:
        break;
    case Destination::Trailer:
        m_trailer.append(bytes.first(std::min<qsizetype>(bytes.size(), kMaxTrailerBytes - m_trailer.size())));
        break;
    case Destination::Skip:
    case Destination::Upr:
        break;
    }
}

void RtfContentReader::binary(QByteArrayView bytes)
{
    if (consumeSkip())
        return;
    m_ignorableNext = false;
    if (state().destination == Destination::Pict)
        m_picture.binary = bytes.toByteArray();
}

void RtfContentReader::bodyBytes(QByteArrayView bytes)
{
    if (state().chars.hidden)
        return;
    appendText(QString()); // settles the run's format and a pending cell separator
    const qsizetype start = m_pending.size();
    m_codePage.decodeText(bytes, m_pending);
    boundPending(start);
}

void RtfContentReader::appendText(const QString& text)
{
    const CharState& chars = state().chars;
    if (!m_pendingValid || !(chars == m_pendingChars)) {
        flushText();
        m_pendingChars = chars;
        m_pendingFormat = runFormat(chars);
        m_pendingValid = true;
    }
    // The cell separator and the list number count towards the run as the text does, so a page
    // read, written and read again gets its breaks in the same places.
    const qsizetype start = m_pending.size();
    if (m_cellPending) {
        m_cellPending = false;
        m_pending += QLatin1Char('\t');
    }
    if (!m_paragraphStarted) {
        m_paragraphStarted = true;
        if (!m_listTextSeen && state().para.list > 0)
            m_pending += listMarker(state().para.list, state().para.listLevel);
    }
    m_pending += text;
    boundPending(start);
}

namespace {

// Laying out a line that offers no break is quadratic in its length, and a paragraph is laid out
// in one piece, so a page of megabytes without a blank or a paragraph end stops its window for
// minutes. No word is this long (a web address may be, and gains a place to wrap) and no
// paragraph that long: a longer run gets a zero-width break opportunity, and a longer paragraph
// goes on in a new one of the same format after a break.
constexpr qsizetype kLongestRun = 250;
constexpr qsizetype kLongestParagraph = 50000;

bool IsBreak(QChar c)
{
    return c.isSpace() || c.unicode() == kZeroWidthSpace || c.unicode() == u'-';
}

} // namespace

void RtfContentReader::boundPending(qsizetype from)
{
    qsizetype run = m_runLength;
    qsizetype length = m_paragraphLength + (m_pending.size() - from);
    for (qsizetype i = from; i < m_pending.size() && run <= kLongestRun; ++i)
        run = IsBreak(m_pending.at(i)) ? 0 : run + 1;
    if (run <= kLongestRun && length <= kLongestParagraph) {
        m_runLength = run;
        m_paragraphLength = length;
        return;
    }
    const QString text = m_pending.mid(from);
    m_pending.truncate(from);
    for (const QChar c : text) {
        if (!IsBreak(c) && m_runLength >= kLongestRun) {
            flushText();
            insertBreak(m_pendingFormat);
            m_runLength = 0;
            if (m_paragraphLength >= kLongestParagraph)
                continueParagraph();
        }
        m_pending += c;
        ++m_paragraphLength;
        if (!IsBreak(c)) {
            ++m_runLength;
        } else {
            m_runLength = 0;
            if (m_paragraphLength >= kLongestParagraph)
                continueParagraph();
        }
    }
}

void RtfContentReader::insertBreak(const RtfRunFormat& format)
{
    insertText(QString(QChar(kZeroWidthSpace)), format);
}

void RtfContentReader::continueParagraph()
{
    flushText();
    endParagraph(state().para);
    m_paragraphLength = 0;
}

void RtfContentReader::appendChar(char16_t c)
{
    if (state().chars.hidden)
        return;
    if (c < 0x20 && c != u'\t')
        return;
    appendText(QString(QChar(c)));
}

void RtfContentReader::flushText()
{
    if (m_pending.isEmpty())
        return;
    insertText(m_pending, m_pendingFormat);
    m_pending.resize(0); // keeps its room for the next run

}

void RtfContentReader::paragraphEnd()
{
    flushText();
    m_cellPending = false;
    m_paragraphStarted = m_listTextSeen = false;
    m_runLength = m_paragraphLength = 0;
    endParagraph(state().para);
}

void RtfContentReader::finish()
{
    flushText();
    endDocument(m_stack.size() > 1 ? state().para : m_finalPara);
}

void RtfContentReader::applyCodePage()
{
    const int font = state().chars.font >= 0 ? state().chars.font : m_defaultFont;
    int codePage = m_documentCodePage;
    const auto it = m_fonts.constFind(font);
    if (it != m_fonts.constEnd() && it->codePage != 0)
        codePage = it->codePage;
    m_codePage.setCodePage(codePage);
}

RtfRunFormat RtfContentReader::runFormat(const CharState& chars) const
{
    RtfRunFormat run;
    const int font = chars.font >= 0 ? chars.font : m_defaultFont;
    const auto it = m_fonts.constFind(font);
    if (it != m_fonts.constEnd())
        run.face = it->name;
    run.halfPoints = chars.halfPoints;
    run.bold = chars.bold;
    run.italic = chars.italic;
    run.underline = chars.underline;
    run.strike = chars.strike;
    if (chars.foreground > 0 && chars.foreground < m_colors.size())
        run.foreground = m_colors[chars.foreground];
    if (chars.background > 0 && chars.background < m_colors.size())
        run.background = m_colors[chars.background];
    // Index 0 is normally the automatic colour, but some writers put a real colour first.
    if (chars.foreground == 0 && !m_colors.isEmpty())
        run.foreground = m_colors[0];
    run.vertical = chars.vertical;
    if (chars.anchor >= 0 && chars.anchor < m_anchors.size())
        run.anchor = m_anchors[chars.anchor];
    return run;
}

RtfRunFormat RtfContentReader::currentRunFormat() const
{
    return runFormat(m_stack.last().chars);
}

QTextCharFormat RtfCharFormat(const RtfRunFormat& run)
{
    QTextCharFormat format;
    if (!run.face.isEmpty())
        format.setFontFamilies(QStringList{run.face});
    format.setFontPointSize(run.halfPoints / 2.0);
    format.setFontWeight(run.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(run.italic);
    format.setFontUnderline(run.underline);
    format.setFontStrikeOut(run.strike);
    if (run.foreground.isValid())
        format.setForeground(run.foreground);
    if (run.background.isValid())
        format.setBackground(run.background);
    if (run.vertical != 0)
        format.setVerticalAlignment(run.vertical > 0 ? QTextCharFormat::AlignSuperScript
                                                     : QTextCharFormat::AlignSubScript);
    if (!run.anchor.isEmpty()) {
        format.setAnchor(true);
        format.setAnchorHref(run.anchor);
    }
    return format;
}

RtfDocumentBuilder::RtfDocumentBuilder(QTextDocument* document) : m_document(document)
{
    m_document->clear();
    m_cursor = QTextCursor(m_document);
    m_blockFormat = m_cursor.blockFormat();
    setDefaultTab(kDefaultTabTwips);
}

void RtfDocumentBuilder::setDefaultTab(int twips)
{
    QTextOption option = m_document->defaultTextOption();
    option.setTabStopDistance(TwipsToUnits(twips));
    m_document->setDefaultTextOption(option);
}

void RtfDocumentBuilder::insertText(const QString& text, const RtfRunFormat& format)
{
    if (!m_charFormatValid || !(format == m_runFormat)) {
        m_runFormat = format;
        m_charFormat = RtfCharFormat(format);
        m_charFormatValid = true;
    }
    m_cursor.insertText(text, m_charFormat);
}

void RtfDocumentBuilder::insertBreak(const RtfRunFormat& format)
{
    QTextCharFormat marked = RtfCharFormat(format);
    marked.setProperty(InsertedBreakProperty, true);
    m_cursor.insertText(QString(QChar(kZeroWidthSpace)), marked);
}

void RtfDocumentBuilder::setBlockFormat(const ParaState& para)
{
    const QTextBlockFormat format = blockFormat(para);
    if (format != m_blockFormat) {
        m_cursor.setBlockFormat(format);
        m_blockFormat = format;
    }
}

void RtfDocumentBuilder::endParagraph(const ParaState& para)
{
    setBlockFormat(para);
    // The new block takes the character format of the paragraph's end, so an empty paragraph
    // keeps the height of the text around it.
    m_cursor.insertBlock(m_blockFormat, RtfCharFormat(currentRunFormat()));
}

void RtfDocumentBuilder::endDocument(const ParaState& para)
{
    setBlockFormat(para);
}

void RtfDocumentBuilder::insertPicture(const QImage& picture, const QSizeF& size)
{
    const QString name = QStringLiteral("rtf-image-%1").arg(++m_pictureCount);
    m_document->addResource(QTextDocument::ImageResource, QUrl(name), picture);
    QTextImageFormat format;
    format.setName(name);
    format.setWidth(size.width());
    format.setHeight(size.height());
    m_cursor.insertImage(format);
}

QTextBlockFormat RtfDocumentBuilder::blockFormat(const ParaState& para)
{
    QTextBlockFormat format;
    if (para.alignment != Qt::AlignLeft)
        format.setAlignment(para.alignment);
    if (para.leftIndent != 0)
        format.setLeftMargin(TwipsToUnits(para.leftIndent));
    if (para.rightIndent != 0)
        format.setRightMargin(TwipsToUnits(para.rightIndent));
    if (para.firstIndent != 0)
        format.setTextIndent(TwipsToUnits(para.firstIndent));
    if (para.spaceBefore != 0)
        format.setTopMargin(TwipsToUnits(para.spaceBefore));
    if (para.spaceAfter != 0)
        format.setBottomMargin(TwipsToUnits(para.spaceAfter));
    setTabs(para, format);
    return format;
}

// RTF measures stops from the left edge of the text column, Qt from where each line starts; the
// first line is the one tabs matter on, so positions count from its start. A hanging paragraph
// stops at its left indent too, as in the word processors: that is where "1.\tab" puts its text.
void RtfDocumentBuilder::setTabs(const ParaState& para, QTextBlockFormat& format)
{
    QList<TabStop> stops = para.tabs;
    if (para.firstIndent < 0 && std::none_of(stops.cbegin(), stops.cend(), [&](const TabStop& stop) {
            return stop.twips == para.leftIndent;
        }))
        stops.append(TabStop{para.leftIndent, QTextOption::LeftTab, kImplicitStop});
    if (stops.isEmpty())
        return;
    std::stable_sort(stops.begin(), stops.end(),
                     [](const TabStop& a, const TabStop& b) { return a.twips < b.twips; });
    const int origin = para.leftIndent + para.firstIndent;
    QList<QTextOption::Tab> tabs;
    QString leaders;
    int last = origin;
    for (const TabStop& stop : stops) {
        if (stop.twips <= last) // left of the line's start, or a second stop at one place
            continue;
        last = stop.twips;
        const auto type = QTextOption::TabType(stop.kind);
        tabs.append(QTextOption::Tab(TwipsToUnits(stop.twips - origin), type,
                                     type == QTextOption::DelimiterTab ? QChar(u'.') : QChar()));
        leaders += QChar(stop.leader ? stop.leader : kLeaderNone);
    }
    if (tabs.isEmpty())
        return;
    format.setTabPositions(tabs);
    if (leaders.count(QChar(kLeaderNone)) != leaders.size())
        format.setProperty(TabLeadersProperty, leaders);
}

void RtfContentReader::finishListGroup(Destination closed)
{
    switch (closed) {
    case Destination::LevelText:
        // The first character counts the ones that follow.
        if (!m_levelText.isEmpty())
            m_listLevel.text = m_levelText.mid(1, m_levelText.at(0).unicode());
        break;
    case Destination::ListLevel:
        if (m_listLevels.size() < kListLevels)
            m_listLevels.append(m_listLevel);
        break;
    case Destination::List:
        if (m_lists.size() < kMaxFonts)
            m_lists.insert(m_listId, m_listLevels);
        break;
    case Destination::ListOverride:
        if (m_listOverrides.size() < kMaxFonts)
            m_listOverrides.insert(m_listOverride, m_listId);
        break;
    default:
        break;
    }
}

namespace {

QString Roman(int n)
{
    static constexpr std::pair<int, const char*> kDigits[] = {
        {1000, "m"}, {900, "cm"}, {500, "d"}, {400, "cd"}, {100, "c"}, {90, "xc"}, {50, "l"},
        {40, "xl"},  {10, "x"},   {9, "ix"},  {5, "v"},   {4, "iv"},  {1, "i"},
    };
    QString out;
    for (const auto& [value, digits] : kDigits) {
        for (; n >= value && out.size() < 32; n -= value)
            out += QLatin1String(digits);
    }
    return out;
}

QString Letters(int n)
{
    QString out;
    for (; n > 0 && out.size() < 8; n = (n - 1) / 26)
        out.prepend(QChar(u'a' + (n - 1) % 26));
    return out;
}

QString FormatNumber(int n, int format)
{
    switch (format) {
    case 1:
        return Roman(n).toUpper();
    case 2:
        return Roman(n);
    case 3:
        return Letters(n).toUpper();
    case 4:
        return Letters(n);
    default:
        return QString::number(n);
    }
}

// Bullets of the Symbol and Wingdings faces, kept in the private use area, as the characters a
// face the reader has shows.
QChar BulletChar(QChar c)
{
    switch (c.unicode()) {
    case 0xF0B7:
        return QChar(0x2022);
    case 0xF0A7:
    case 0xF06E:
        return QChar(0x25AA);
    case 0xF0D8:
        return QChar(0x27A2);
    case 0xF0FC:
        return QChar(0x2713);
    case 0xF076:
        return QChar(0x2756);
    default:
        return c;
    }
}

} // namespace

QString RtfContentReader::listMarker(int list, int level)
{
    const QList<ListLevel> levels = m_lists.value(m_listOverrides.value(list, -1));
    if (level >= levels.size())
        return {};
    QList<int>& counters = m_listCounters[list];
    while (counters.size() < kListLevels)
        counters.append(0);
    counters[level] = counters[level] == 0 ? levels[level].start : counters[level] + 1;
    for (int deeper = level + 1; deeper < kListLevels; ++deeper)
        counters[deeper] = 0;
    const ListLevel& own = levels[level];
    if (own.format == 255)
        return {};
    QString marker;
    for (const QChar c : own.text) {
        const int placeholder = c.unicode();
        if (placeholder < kListLevels && placeholder < levels.size())
            marker += FormatNumber(std::max(counters[placeholder], levels[placeholder].start),
                                   levels[placeholder].format);
        else if (placeholder >= 0x20)
            marker += BulletChar(c);
    }
    if (own.follow == 0)
        marker += QLatin1Char('\t');
    else if (own.follow == 1)
        marker += QLatin1Char(' ');
    return marker;
}

void RtfContentReader::finishFontEntry()
{
    if (m_inFontEntry && m_fonts.size() < kMaxFonts) {
        RtfCodePage decoder;
        decoder.setCodePage(m_fontCodePage != 0 ? m_fontCodePage : m_documentCodePage);
        QString name;
        decoder.decode(m_fontName, name);
        FontEntry entry{name.trimmed(), m_fontCodePage};
        m_fonts.insert(m_fontNumber, entry);
    }
    m_fontName.clear();
    m_inFontEntry = false;
    applyCodePage();
}

void RtfContentReader::finishColorEntry()
{
    if (m_colors.size() < kMaxColors) {
        if (m_red < 0 && m_green < 0 && m_blue < 0)
            m_colors.append(QColor());
        else
            m_colors.append(QColor(std::max(m_red, 0), std::max(m_green, 0), std::max(m_blue, 0)));
    }
    m_red = m_green = m_blue = -1;
}

namespace {

// What stands for a picture that cannot be drawn: its frame, so the page keeps its layout.
QImage Placeholder(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(QPen(Qt::gray, 1));
    painter.drawRect(image.rect().adjusted(0, 0, -1, -1));
    painter.drawLine(image.rect().topLeft(), image.rect().bottomRight());
    painter.drawLine(image.rect().bottomLeft(), image.rect().topRight());
    return image;
}

} // namespace

void RtfContentReader::finishPicture()
{
    Picture picture = std::move(m_picture);
    m_picture = Picture{};
    if (picture.format.isEmpty() || state().chars.hidden)
        return;
    const QByteArray bytes = !picture.binary.isEmpty() ? picture.binary : QByteArray::fromHex(picture.hex);
    // The size the writer asked for, in document units; a metafile's \picw and \pich are in
    // hundredths of a millimetre, a bitmap's in pixels.
    const bool metafile = picture.format == "WMF" || picture.format == "EMF";
    const auto goal = [&](int goalTwips, int natural, int scale) {
        qreal units = goalTwips > 0 && goalTwips <= 10 * kMaxIndentTwips ? TwipsToUnits(goalTwips)
                      : metafile                                          ? natural * 96.0 / 2540.0
                                                                          : natural;
        return std::clamp(units * scale / 100.0, 0.0, 10.0 * kMaxIndentTwips / 15.0);
    };
    QSizeF size(goal(picture.goalWidth, picture.width, picture.scaleX),
                goal(picture.goalHeight, picture.height, picture.scaleY));
    QImage image;
    if (metafile) {
        const QSize pixels = size.toSize().expandedTo(QSize(1, 1));
        image = RenderMetafile(bytes, size.isEmpty() ? QSize() : pixels, kMaxPicturePixels);
    } else if (picture.format != "?") {
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer, picture.format);
        const QSize natural = reader.size();
        if (natural.isValid() && qint64(natural.width()) * natural.height() <= kMaxPicturePixels)
            image = reader.read();
        if (!image.isNull() && picture.goalWidth <= 0)
            size.setWidth(image.width() * picture.scaleX / 100.0);
        if (!image.isNull() && picture.goalHeight <= 0)
            size.setHeight(image.height() * picture.scaleY / 100.0);
    }
    if (image.isNull()) {
        const QSize frame = size.toSize();
        if (frame.width() < 2 || frame.height() < 2 || qint64(frame.width()) * frame.height() > kMaxPicturePixels)
            return; // nothing says how large it was
        image = Placeholder(frame);
    }
    if (size.isEmpty())
        size = image.size();
    appendText(QString());
    flushText();
    insertPicture(image, size);
}

} // namespace platform::rtf
