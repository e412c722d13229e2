#pragma once

#include "platform/rtf/rtfcodepage.h"
#include "platform/rtf/rtfcontrolwords.h"
#include "platform/rtf/rtftokenizer.h"

#include <QByteArray>
#include <QColor>
#include <QHash>
#include <QList>
#include <QString>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>

class QImage;
class QSizeF;
class QTextDocument;

namespace platform::rtf {

// A run's character format with the font and colour tables looked up.
struct RtfRunFormat
{
    QString face; // empty when the run names no font of the table
    int halfPoints = 24;
    QColor foreground; // invalid: the automatic colour
    QColor background; // invalid: none
    qint8 vertical = 0; // 1 superscript, -1 subscript
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    QString anchor; // the target of the hyperlink the run belongs to, empty for none
    bool operator==(const RtfRunFormat&) const = default;
};

// The format a document gives a run of that format.
QTextCharFormat RtfCharFormat(const RtfRunFormat& run);

// The meaning layer of the RTF reader: listens to the tokenizer, keeps one state per group on an
// explicit stack, and hands what the page holds to the output in order: runs of text of one
// format, pictures, ends of paragraphs with their formats. Tables come as paragraphs with the
// cells separated by tabs; pictures in PNG or JPEG as images, metafiles drawn, every other
// picture as a placeholder of its size; objects and unknown "\*" destinations are skipped.
// A document, a page's HTML and the like are outputs of this one reading.
class RtfContentReader : public RtfListener
{
public:
    ~RtfContentReader() override;

    void groupStart() override;
    void groupEnd() override;
    void controlWord(QByteArrayView word, bool hasParameter, int parameter) override;
    void controlSymbol(char symbol) override;
    void hexByte(unsigned char byte) override;
    void text(QByteArrayView bytes) override;
    void binary(QByteArrayView bytes) override;

    // Hands out what is still pending; call once after the tokenizer is done.
    void finish();

    // Pictures larger than this many pixels are not decoded.
    static constexpr qint64 kMaxPicturePixels = 40'000'000;

    struct TabStop
    {
        int twips = 0; // from the left edge of the text column, as RTF measures
        quint8 kind = 0; // QTextOption::TabType
        char16_t leader = 0;
        bool operator==(const TabStop&) const = default;
    };

    struct ParaState
    {
        Qt::Alignment alignment = Qt::AlignLeft;
        int leftIndent = 0; // twips
        int rightIndent = 0;
        int firstIndent = 0;
        int spaceBefore = 0;
        int spaceAfter = 0;
        QList<TabStop> tabs;
        int list = 0; // \ls: the list override the paragraph belongs to
        int listLevel = 0;
        TabStop nextTab; // the kind and leader words seen since the last \tx
        bool operator==(const ParaState&) const = default;
    };

protected:
    RtfContentReader();

    // The output, called in document order. A run of text; the format stays the same object
    // while the run's format does not change.
    virtual void insertText(const QString& text, const RtfRunFormat& format) = 0;
    // A picture at the size the writer asked for, in document units (96 an inch).
    virtual void insertPicture(const QImage& picture, const QSizeF& size) = 0;
    // The paragraph ends with these properties; the next one starts.
    virtual void endParagraph(const ParaState& para) = 0;
    // A zero-width break the reader puts into an overlong run; by default an ordinary character.
    virtual void insertBreak(const RtfRunFormat& format);
    // The last paragraph ends with these properties.
    virtual void endDocument(const ParaState& para) = 0;
    // "\deftabN": the distance of the default tab stops.
    virtual void setDefaultTab(int twips);

    // The format of a run in the character state of the current group.
    RtfRunFormat currentRunFormat() const;

private:
    enum class Destination : quint8
    {
        Body, // text goes into the document
        Skip, // everything up to the end of the group is ignored
        FontTable,
        ColorTable,
        Pict,
        FieldInst,
        Upr, // the 8-bit half of an \upr pair: its \ud half carries the text
        Trailer, // after the document's closing brace
        // The list table and its parts
        ListTable,
        List,
        ListLevel,
        LevelText,
        ListOverride,
    };

    struct CharState
    {
        int font = -1;
        int halfPoints = 24;
        int foreground = -1; // colour table index; -1 for the automatic colour
        int background = -1;
        qint8 vertical = 0; // 1 superscript, -1 subscript
        bool bold = false;
        bool italic = false;
        bool underline = false;
        bool strike = false;
        bool hidden = false;
        int anchor = -1; // index into m_anchors
        bool operator==(const CharState&) const = default;
    };

    struct GroupState
    {
        CharState chars;
        ParaState para;
        Destination destination = Destination::Body;
        int unicodeSkip = 1; // \uc
    };

    struct FontEntry
    {
        QString name;
        int codePage = 0; // 0: the document's
    };

    struct Picture
    {
        QByteArray hex;
        QByteArray binary;
        QByteArray format; // "PNG", "JPG" or empty for kinds we do not show
        int width = 0, height = 0, goalWidth = 0, goalHeight = 0, scaleX = 100, scaleY = 100;
    };

    // One level of a list from the list table: how its number is written.
    struct ListLevel
    {
        int format = 0; // \levelnfc: 0 1, 1 I, 2 i, 3 A, 4 a, 23 a bullet, 255 nothing
        int start = 1;
        int follow = 0; // 0 a tab, 1 a space, 2 nothing
        QString text;   // \leveltext without its length: characters below 9 stand for levels' numbers
    };
    static constexpr int kListLevels = 9;

    GroupState& state() { return m_stack.last(); }
    void finishListGroup(Destination closed);
    QString listMarker(int list, int level);
    void enterDestination(Word id);
    void handleSymbolWord(Word id);
    void handleValueWord(const ControlWord& entry, bool hasParameter, int parameter);
    void appendText(const QString& text);
    // Gives overlong runs and paragraphs of the text pending since `from` their breaks.
    void boundPending(qsizetype from);
    void continueParagraph();
    void appendChar(char16_t c);
    void bodyBytes(QByteArrayView bytes);
    void flushText();
    void paragraphEnd();
    void applyCodePage();
    RtfRunFormat runFormat(const CharState& chars) const;
    void finishFontEntry();
    void finishColorEntry();
    void finishPicture();
    bool consumeSkip();

    QList<GroupState> m_stack;
    RtfCodePage m_codePage;
    int m_documentCodePage = 1252;
    int m_defaultFont = 0;
    bool m_ignorableNext = false; // "\*" seen: an unknown destination word skips its group
    int m_skipCount = 0;          // fallback characters after \u still to drop

    QHash<int, FontEntry> m_fonts;
    QList<QColor> m_colors;
    QList<QString> m_anchors;

    // The font table entry being read
    int m_fontNumber = -1;
    int m_fontCodePage = 0;
    QByteArray m_fontName;
    bool m_inFontEntry = false;

    // The colour table entry being read
    int m_red = -1, m_green = -1, m_blue = -1;

    Picture m_picture;
    QString m_fieldInstruction;

    QString m_pending;
    RtfRunFormat m_pendingFormat;
    CharState m_pendingChars;
    bool m_pendingValid = false;
    ParaState m_finalPara; // the paragraph format in force when the outermost group closed
    bool m_cellPending = false;
    // Text after the document's closing brace: kept only when another document follows, as when
    // two documents were pasted into one file.
    QByteArray m_trailer;

    // Lists: a paragraph of a list that brings no \listtext of its own gets its number made from
    // the list table, as the word processor would show it.
    QHash<int, QList<ListLevel>> m_lists;  // by \listid
    QHash<int, int> m_listOverrides;       // \ls to \listid
    QHash<int, QList<int>> m_listCounters; // by \ls, one number per level
    QList<ListLevel> m_listLevels;         // the list being read
    ListLevel m_listLevel;                 // the level being read
    QString m_levelText;
    int m_listId = 0;
    int m_listOverride = 0;
    bool m_paragraphStarted = false;
    bool m_listTextSeen = false;
    // The paragraph's characters so far and those since its last break opportunity.
    qsizetype m_paragraphLength = 0;
    qsizetype m_runLength = 0;
};

// Builds a QTextDocument through a QTextCursor from what the content reader reads, a run of one
// character format at a time.
class RtfDocumentBuilder final : public RtfContentReader
{
public:
    // Builds into document, which is cleared first. The document must outlive the builder.
    explicit RtfDocumentBuilder(QTextDocument* document);

protected:
    void insertText(const QString& text, const RtfRunFormat& format) override;
    void insertPicture(const QImage& picture, const QSizeF& size) override;
    void endParagraph(const ParaState& para) override;
    void insertBreak(const RtfRunFormat& format) override;
    void endDocument(const ParaState& para) override;
    void setDefaultTab(int twips) override;

private:
    static QTextBlockFormat blockFormat(const ParaState& para);
    static void setTabs(const ParaState& para, QTextBlockFormat& format);
    void setBlockFormat(const ParaState& para);

    QTextDocument* m_document;
    QTextCursor m_cursor;
    QTextBlockFormat m_blockFormat;
    // The last run's format and what it became: runs mostly come in a handful of formats.
    RtfRunFormat m_runFormat;
    QTextCharFormat m_charFormat;
    bool m_charFormatValid = false;
    int m_pictureCount = 0;
};

} // namespace platform::rtf
