#include "publish/playerdata.h"

#include "publish/pagehtml.h"
#include "runtime/mediacommand.h"
#include "shell/colorref.h"
#include "shell/utilities.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <algorithm>
#include <utility>

namespace publish {

namespace {

constexpr quint32 kNoColor = 0x1FFFFFFF;

QJsonObject TextBarToJson(const storage::TextBar& bar)
{
    return {{QStringLiteral("Used"), bar.Used},
            {QStringLiteral("Text"), bar.Text},
            {QStringLiteral("Font"), FontToJson(bar.Font)},
            {QStringLiteral("Color"), CssColorOf(bar.Color)}};
}

QJsonObject CommandToJson(const storage::CommandSettings& command)
{
    QJsonObject json{{QStringLiteral("CommandType"), command.CommandType},
                     {QStringLiteral("GraphicFile"), command.GraphicFile},
                     {QStringLiteral("PairGraphicFile"), command.PairGraphicFile},
                     {QStringLiteral("VoiceFile"), command.VoiceFile},
                     {QStringLiteral("PairSoundFile"), command.PairSoundFile},
                     {QStringLiteral("ProgramCommand"), command.ProgramCommand},
                     {QStringLiteral("Duration"), command.Duration},
                     {QStringLiteral("CommandLine"), command.CommandLine}};
    // A command whose type was never chosen runs as a program command.
    const int type = command.CommandType == 0 ? 4 : command.CommandType;
    QJsonObject parts = CommandParts(type, command.CommandLine);
    parts.insert(QStringLiteral("type"), type);
    json.insert(QStringLiteral("parts"), parts);
    return json;
}

QString BeforeFirst(const QString& text, QChar separator)
{
    const qsizetype at = text.indexOf(separator);
    return at < 0 ? text : text.left(at);
}

QString AfterFirst(const QString& text, QChar separator)
{
    const qsizetype at = text.indexOf(separator);
    return at < 0 ? QString() : text.mid(at + 1);
}

} // namespace

QString CssColorOf(quint32 colorRef)
{
    if (colorRef == kNoColor)
        return QStringLiteral("transparent");
    return CssColor(shell::ColorRefToQColor(colorRef));
}

QJsonObject FontToJson(const QString& fontText)
{
    const shell::FontSpec font = shell::TextToFont(fontText);
    return {{QStringLiteral("size"), font.size},
            {QStringLiteral("color"), CssColorOf(font.color)},
            {QStringLiteral("bold"), (font.style & shell::StyleBold) != 0},
            {QStringLiteral("italic"), (font.style & shell::StyleItalic) != 0},
            {QStringLiteral("underline"), (font.style & shell::StyleUnderline) != 0},
            {QStringLiteral("strike"), (font.style & shell::StyleStrikeOut) != 0},
            {QStringLiteral("family"), CssFontFamily(font.name)}};
}

QJsonObject WindowDesignToJson(const storage::WindowDesign& window)
{
    return {{QStringLiteral("TextWindowColor"), CssColorOf(window.TextWindowColor)},
            {QStringLiteral("FullScreen"), window.FullScreen},
            {QStringLiteral("BackgroundKind"), window.BackgroundKind},
            {QStringLiteral("BackgroundColor"), CssColorOf(window.BackgroundColor)},
            {QStringLiteral("BackgroundGraphic"), window.BackgroundGraphic},
            {QStringLiteral("BackgroundTile"), window.BackgroundTile},
            {QStringLiteral("TextLeft"), window.TextLeft},
            {QStringLiteral("TextTop"), window.TextTop},
            {QStringLiteral("TextWidth"), window.TextWidth},
            {QStringLiteral("TextHeight"), window.TextHeight},
            {QStringLiteral("RLTop"), window.RLTop},
            {QStringLiteral("RLLeft"), window.RLLeft},
            {QStringLiteral("Print"), window.Print}};
}

QJsonObject SettingsToJson(const storage::SettingsRecord& record)
{
    const storage::ProgramSettings& program = record.Program;
    const QJsonObject programJson{{QStringLiteral("Title"), program.Title},
                                  {QStringLiteral("UseIcon"), program.UseIcon},
                                  {QStringLiteral("IconFile"), program.IconFile},
                                  {QStringLiteral("UseHelpFile"), program.UseHelpFile},
                                  {QStringLiteral("HelpFile"), program.HelpFile},
                                  {QStringLiteral("HelpStartTopic"), program.HelpStartTopic},
                                  {QStringLiteral("ShowVideoModeAdvisory"), program.ShowVideoModeAdvisory},
                                  {QStringLiteral("BackgroundKind"), program.BackgroundKind},
                                  {QStringLiteral("BackgroundColor"), CssColorOf(program.BackgroundColor)},
                                  {QStringLiteral("BackgroundGraphic"), program.BackgroundGraphic},
                                  {QStringLiteral("BackgroundTile"), program.BackgroundTile}};

    const storage::PresentationBlock& presentation = record.Presentation;
    const storage::ScreenDesign& intro = presentation.IntroScreen;
    const storage::AboutBoxSettings& about = presentation.AboutBox;
    QJsonArray comments;
    for (const QString& line : about.Comments)
        comments.append(line);
    const storage::ViewerCaptions& captions = presentation.Captions;
    const QJsonObject presentationJson{
        {QStringLiteral("UseIntroduction"), presentation.UseIntroduction},
        {QStringLiteral("IntroScreen"),
         QJsonObject{{QStringLiteral("TitleBar"), TextBarToJson(intro.TitleBar)},
                     {QStringLiteral("StatusBar"), TextBarToJson(intro.StatusBar)},
                     {QStringLiteral("Window"), WindowDesignToJson(intro.Window)},
                     {QStringLiteral("UseMenuBar"), intro.UseMenuBar}}},
        {QStringLiteral("UseOpeningCommand"), presentation.UseOpeningCommand},
        {QStringLiteral("OpeningCommand"), CommandToJson(presentation.OpeningCommand)},
        {QStringLiteral("UseClosingCommand"), presentation.UseClosingCommand},
        {QStringLiteral("ClosingCommand"), CommandToJson(presentation.ClosingCommand)},
        {QStringLiteral("UseAboutBox"), presentation.UseAboutBox},
        {QStringLiteral("AboutBox"),
         QJsonObject{{QStringLiteral("ShowWhen"), about.ShowWhen},
                     {QStringLiteral("Caption"), about.Caption},
                     {QStringLiteral("UseIcon"), about.UseIcon},
                     {QStringLiteral("IconFile"), about.IconFile},
                     {QStringLiteral("ProgramName"), about.ProgramName},
                     {QStringLiteral("VersionText"), about.VersionText},
                     {QStringLiteral("Author"), about.Author},
                     {QStringLiteral("Comments"), comments}}},
        {QStringLiteral("Captions"),
         QJsonObject{{QStringLiteral("AboutCaption"), captions.AboutCaption},
                     {QStringLiteral("HelpCaption"), captions.HelpCaption},
                     {QStringLiteral("QuitCaption"), captions.QuitCaption},
                     {QStringLiteral("CloseCaption"), captions.CloseCaption},
                     {QStringLiteral("PrintCaption"), captions.PrintCaption},
                     {QStringLiteral("FindCaption"), captions.FindCaption},
                     {QStringLiteral("StartPrompt"), captions.StartPrompt}}}};

    const storage::MenuScreenDesign& menu = record.MenuScreen;
    const storage::AuthorBox& author = menu.Author;
    QJsonArray lines;
    for (const QString& line : author.Lines)
        lines.append(line);
    const QJsonObject menuJson{
        {QStringLiteral("TitleBar"), TextBarToJson(menu.TitleBar)},
        {QStringLiteral("StatusBar"), TextBarToJson(menu.StatusBar)},
        {QStringLiteral("Window"), WindowDesignToJson(menu.Window)},
        {QStringLiteral("UseAuthorBox"), menu.UseAuthorBox},
        {QStringLiteral("Author"),
         QJsonObject{{QStringLiteral("Lines"), lines},
                     {QStringLiteral("Color"), CssColorOf(author.Color)},
                     {QStringLiteral("Font"), FontToJson(author.Font)},
                     {QStringLiteral("Top"), author.Top},
                     {QStringLiteral("Left"), author.Left},
                     {QStringLiteral("Height"), author.Height},
                     {QStringLiteral("Width"), author.Width}}},
        {QStringLiteral("UseMenuBar"), menu.UseMenuBar}};

    return {{QStringLiteral("Version"), record.Version},
            {QStringLiteral("UseMenuScreen"), record.UseMenuScreen},
            {QStringLiteral("AlphabeticalTopics"), record.AlphabeticalTopics},
            {QStringLiteral("Program"), programJson},
            {QStringLiteral("Presentation"), presentationJson},
            {QStringLiteral("MenuScreen"), menuJson}};
}

QJsonObject CommandParts(int type, const QString& value)
{
    QJsonObject parts{{QStringLiteral("command"), value}};
    switch (type) {
    case 2:
    case 6: {
        const runtime::MediaCommand media = runtime::ParseMediaCommand(value);
        parts.insert(QStringLiteral("picture"), media.picture);
        parts.insert(QStringLiteral("sound"), media.sound);
        parts.insert(QStringLiteral("seconds"), media.displayTime / 1000.0);
        break;
    }
    case 3:
    case 7:
    case 8:
    case 10:
    case 13:
        parts.insert(QStringLiteral("file"), value.trimmed());
        break;
    case 4:
        parts.insert(QStringLiteral("program"), BeforeFirst(value, QLatin1Char(',')));
        parts.insert(QStringLiteral("argument"), AfterFirst(value, QLatin1Char(',')));
        break;
    case 9:
        parts.insert(QStringLiteral("program"), BeforeFirst(value, QLatin1Char(' ')));
        parts.insert(QStringLiteral("argument"), AfterFirst(value, QLatin1Char(' ')));
        break;
    default:
        break;
    }
    return parts;
}

namespace {

// FoldForSearch for text of ASCII characters only, which has nothing to decompose: most pages.
QString FoldAscii(QStringView text)
{
    // Written through a pointer: every page's text comes through here.
    QString folded(text.size(), Qt::Uninitialized);
    char16_t* const start = reinterpret_cast<char16_t*>(folded.data());
    char16_t* out = start;
    bool blank = false;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u' ' || (u >= u'\t' && u <= u'\r')) {
            blank = out != start;
            continue;
        }
        if (blank)
            *out++ = u' ';
        blank = false;
        *out++ = u >= u'A' && u <= u'Z' ? char16_t(u + (u'a' - u'A')) : u;
    }
    folded.truncate(out - start);
    return folded;
}

bool IsAscii(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

} // namespace

QString FoldForSearch(const QString& text)
{
    if (IsAscii(text))
        return FoldAscii(text);
    const QString decomposed = text.normalized(QString::NormalizationForm_KD);
    QString folded;
    folded.reserve(decomposed.size());
    bool blank = false;
    for (const QChar c : decomposed) {
        const QChar::Category category = c.category();
        if (category == QChar::Mark_NonSpacing || category == QChar::Mark_SpacingCombining ||
            category == QChar::Mark_Enclosing)
            continue;
        if (c.isSpace() || c == QChar::ObjectReplacementCharacter) {
            blank = !folded.isEmpty();
            continue;
        }
        if (blank)
            folded += QLatin1Char(' ');
        blank = false;
        folded += c.toLower();
    }
    return folded;
}

QByteArray ScriptJson(const QJsonValue& value)
{
    QByteArray json;
    if (value.isObject())
        json = QJsonDocument(value.toObject()).toJson(QJsonDocument::Compact);
    else if (value.isArray())
        json = QJsonDocument(value.toArray()).toJson(QJsonDocument::Compact);
    else
        json = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact).chopped(1).mid(1);
    // "<" only ever stands inside a JSON string, where \u003c means the same.
    return json.replace('<', "\\u003c");
}

namespace {

// The start of a data file up to the value: the call, or the queue when the player is not there yet.
QByteArray ScriptPrelude(const QString& call)
{
    const QByteArray name = call.toLatin1();
    QByteArray script = "window.QuorvelData=window.QuorvelData||{_q:[]};(QuorvelData." + name + "||function(";
    if (call == QLatin1String("page"))
        return script + "n,v){QuorvelData._q.push([\"page\",n,v]);})(";
    return script + "v){QuorvelData._q.push([\"" + name + "\",v]);})(";
}


// A JSON string as QJsonDocument writes it, but with "<" as \u003c. Written in two passes over
// the text, measuring then writing through a pointer: pages are most of what a publication writes.
void AppendScriptString(QByteArray& out, QStringView text)
{
    static constexpr char kHex[] = "0123456789abcdef";
    const auto needsEscape = [](char16_t u) { return u < 0x20 || u == u'"' || u == u'\\' || u == u'<'; };
    // Most pages are ASCII with a few characters to escape: that count is quick to take.
    qsizetype escapes = 0;
    char16_t any = 0;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        escapes += needsEscape(u);
        any |= u;
    }
    qsizetype size = 2 + text.size() + 5 * escapes;
    if (any >= 0x80) {
        size = 2;
        for (const QChar c : text) {
            const char16_t u = c.unicode();
            size += u < 0x80 ? (needsEscape(u) ? 6 : 1) : u < 0x800 ? 2 : 3; // a surrogate pair: 4 in all
        }
    }
    const qsizetype start = out.size();
    out.resize(start + size);
    char* cursor = out.data() + start;
    *cursor++ = '"';
    const char16_t* const begin = text.utf16();
    const char16_t* const end = begin + text.size();
    for (const char16_t* p = begin; p != end; ++p) {
        const char16_t u = *p;
        if (u < 0x80 && !needsEscape(u)) {
            *cursor++ = char(u);
            continue;
        }
        if (u < 0x80) {
            *cursor++ = '\\';
            switch (u) {
            case u'"': *cursor++ = '"'; break;
            case u'\\': *cursor++ = '\\'; break;
            case u'\b': *cursor++ = 'b'; break;
            case u'\f': *cursor++ = 'f'; break;
            case u'\n': *cursor++ = 'n'; break;
            case u'\r': *cursor++ = 'r'; break;
            case u'\t': *cursor++ = 't'; break;
            default:
                *cursor++ = 'u';
                *cursor++ = '0';
                *cursor++ = '0';
                *cursor++ = kHex[u >> 4];
                *cursor++ = kHex[u & 0xF];
                break;
            }
            continue;
        }
        // Everything else as UTF-8; a lone surrogate half becomes U+FFFD, as toUtf8() has it.
        char32_t code = u;
        if (QChar::isHighSurrogate(u) && p + 1 != end && QChar::isLowSurrogate(p[1]))
            code = QChar::surrogateToUcs4(u, *++p);
        else if (QChar::isSurrogate(u))
            code = 0xFFFD;
        if (code < 0x800) {
            *cursor++ = char(0xC0 | (code >> 6));
        } else if (code < 0x10000) {
            *cursor++ = char(0xE0 | (code >> 12));
            *cursor++ = char(0x80 | ((code >> 6) & 0x3F));
        } else {
            *cursor++ = char(0xF0 | (code >> 18));
            *cursor++ = char(0x80 | ((code >> 12) & 0x3F));
            *cursor++ = char(0x80 | ((code >> 6) & 0x3F));
        }
        *cursor++ = char(0x80 | (code & 0x3F));
    }
    *cursor++ = '"';
    out.truncate(cursor - out.constData());
}

} // namespace

QByteArray DataScript(const QString& call, const QJsonValue& value, const QString& pageId)
{
    QByteArray script = ScriptPrelude(call);
    if (call == QLatin1String("page"))
        script += ScriptJson(pageId) + ",";
    return script + ScriptJson(value) + ");\n";
}

QByteArray PageScript(const QString& pageId, const QString& html)
{
    QByteArray script = ScriptPrelude(QStringLiteral("page"));
    AppendScriptString(script, pageId);
    script += ",{\"html\":";
    AppendScriptString(script, html);
    script += "});\n";
    return script;
}

// The index holds every page's text, tens of megabytes, so it is kept in pieces: growing one block
// would copy it over and over.
SearchScript::SearchScript() : m_parts{ScriptPrelude(QStringLiteral("search")) + '['} {}

QByteArray SearchScript::Entry(int topic, const QString& foldedName, const QString& foldedText)
{
    // Keys in the order QJsonDocument writes them.
    QByteArray entry = "{\"n\":";
    AppendScriptString(entry, foldedName);
    entry += ",\"t\":" + QByteArray::number(topic) + ",\"x\":";
    AppendScriptString(entry, foldedText);
    entry += '}';
    return entry;
}

void SearchScript::add(QByteArray entry)
{
    if (m_parts.size() > 1)
        m_parts.append(QByteArrayLiteral(","));
    m_parts.append(std::move(entry));
}

QByteArrayList SearchScript::pieces() const
{
    return m_parts + QByteArrayList{QByteArrayLiteral("]);\n")};
}

} // namespace publish
