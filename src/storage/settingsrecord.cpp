#include "storage/settingsrecord.h"

#include "shell/textcodec.h"

#include <QtEndian>

namespace storage {

namespace {

// One description of each layout serves reading and writing: the visit functions below take
// either a ByteWriter or a ByteReader, so the two directions cannot drift apart.
class ByteWriter
{
public:
    explicit ByteWriter(int size) : m_bytes(size, '\0') {}
    QByteArray take() { return m_bytes; }
    int position() const { return m_pos; }

    void flag(bool& value) { m_bytes[m_pos++] = value ? 1 : 0; }
    void i16(qint16& value)
    {
        qToLittleEndian(value, m_bytes.data() + m_pos);
        m_pos += 2;
    }
    void i32(qint32& value)
    {
        qToLittleEndian(value, m_bytes.data() + m_pos);
        m_pos += 4;
    }
    void u32(quint32& value)
    {
        qToLittleEndian(value, m_bytes.data() + m_pos);
        m_pos += 4;
    }
    void str(QString& value, int width)
    {
        const QByteArray text = shell::EncodeText(value, width);
        m_bytes[m_pos] = static_cast<char>(text.size());
        std::copy(text.begin(), text.end(), m_bytes.begin() + m_pos + 1);
        m_pos += width + 1;
    }
    void skip(int count) { m_pos += count; }

private:
    QByteArray m_bytes;
    int m_pos = 0;
};

class ByteReader
{
public:
    explicit ByteReader(QByteArrayView bytes) : m_bytes(bytes) {}
    int position() const { return m_pos; }

    void flag(bool& value) { value = m_bytes[m_pos++] != 0; }
    void i16(qint16& value)
    {
        value = qFromLittleEndian<qint16>(m_bytes.data() + m_pos);
        m_pos += 2;
    }
    void i32(qint32& value)
    {
        value = qFromLittleEndian<qint32>(m_bytes.data() + m_pos);
        m_pos += 4;
    }
    void u32(quint32& value)
    {
        value = qFromLittleEndian<quint32>(m_bytes.data() + m_pos);
        m_pos += 4;
    }
    void str(QString& value, int width)
    {
        // A length byte larger than the field is damage; read no further than the field.
        const int length = std::min<int>(static_cast<unsigned char>(m_bytes[m_pos]), width);
        value = shell::DecodeText(m_bytes.sliced(m_pos + 1, length));
        m_pos += width + 1;
    }
    void skip(int count) { m_pos += count; }

private:
    QByteArrayView m_bytes;
    int m_pos = 0;
};

template <class IO> void Visit(IO& io, TextBar& bar)
{
    io.flag(bar.Used);
    io.str(bar.Text, 80);
    io.str(bar.Font, 50);
    io.u32(bar.Color);
}

template <class IO> void Visit(IO& io, WindowDesign& w)
{
    io.u32(w.TextWindowColor);
    io.flag(w.FullScreen);
    io.i32(w.BackgroundKind);
    io.u32(w.BackgroundColor);
    io.str(w.BackgroundGraphic, kFileNameWidth);
    io.str(w.BackgroundTile, kFileNameWidth);
    io.i32(w.TextLeft);
    io.i32(w.TextTop);
    io.i32(w.TextWidth);
    io.i32(w.TextHeight);
    io.i32(w.RLTop);
    io.i32(w.RLLeft);
    io.flag(w.Print);
}

template <class IO> void Visit(IO& io, AuthorBox& box)
{
    for (QString& line : box.Lines)
        io.str(line, 60);
    io.u32(box.Color);
    io.str(box.Font, 50);
    io.i16(box.Top);
    io.i16(box.Left);
    io.i16(box.Height);
    io.i16(box.Width);
    io.i32(box.Carried1);
    io.i32(box.Carried2);
}

template <class IO> void Visit(IO& io, CommandSettings& c)
{
    io.i16(c.CommandType);
    io.str(c.GraphicFile, kFileNameWidth);
    io.str(c.PairGraphicFile, kFileNameWidth);
    io.str(c.VoiceFile, kFileNameWidth);
    io.str(c.PairSoundFile, kFileNameWidth);
    io.str(c.ProgramCommand, 200);
    io.i16(c.Duration);
    io.str(c.CommandLine, 200);
}

template <class IO> void Visit(IO& io, AboutBoxSettings& a)
{
    io.i16(a.ShowWhen);
    io.str(a.Caption, 40);
    io.flag(a.UseIcon);
    io.str(a.IconFile, kFileNameWidth);
    io.str(a.ProgramName, 32);
    io.str(a.VersionText, 42);
    io.str(a.Author, 42);
    for (QString& comment : a.Comments)
        io.str(comment, 65);
}

template <class IO> void Visit(IO& io, ViewerCaptions& v)
{
    io.str(v.AboutCaption, 16);
    io.str(v.HelpCaption, 16);
    io.str(v.QuitCaption, 16);
    io.str(v.CloseCaption, 16);
    io.str(v.PrintCaption, 16);
    io.str(v.FindCaption, 16);
    io.str(v.StartPrompt, 25);
}

template <class IO> void Visit(IO& io, ProgramSettings& p)
{
    io.str(p.Title, 80);
    io.flag(p.UseIcon);
    io.str(p.IconFile, kFileNameWidth);
    io.flag(p.UseHelpFile);
    io.str(p.HelpFile, kFileNameWidth);
    io.i32(p.HelpStartTopic);
    io.flag(p.ShowVideoModeAdvisory);
    io.i32(p.BackgroundKind);
    io.u32(p.BackgroundColor);
    io.str(p.BackgroundGraphic, kFileNameWidth);
    io.str(p.BackgroundTile, kFileNameWidth);
}

template <class IO> void Visit(IO& io, PresentationBlock& b)
{
    io.flag(b.UseIntroduction);
    Visit(io, b.IntroScreen.TitleBar);
    Visit(io, b.IntroScreen.StatusBar);
    Visit(io, b.IntroScreen.Window);
    io.flag(b.IntroScreen.UseMenuBar);
    io.flag(b.UseOpeningCommand);
    Visit(io, b.OpeningCommand);
    io.flag(b.UseClosingCommand);
    Visit(io, b.ClosingCommand);
    io.flag(b.UseAboutBox);
    Visit(io, b.AboutBox);
    Visit(io, b.Captions);
}

template <class IO> void Visit(IO& io, MenuScreenDesign& m)
{
    Visit(io, m.TitleBar);
    Visit(io, m.StatusBar);
    Visit(io, m.Window);
    io.flag(m.UseAuthorBox);
    Visit(io, m.Author);
    io.flag(m.UseMenuBar);
}

template <class IO> void Visit(IO& io, SettingsRecord& r)
{
    io.str(r.Version, 4);
    io.flag(r.UseMenuScreen);
    io.flag(r.AlphabeticalTopics);
    Visit(io, r.Program);
    Visit(io, r.Presentation);
    Visit(io, r.MenuScreen);
}

// The earlier version's layouts, read only.

void ReadEarlierWindow(ByteReader& io, WindowDesign& w)
{
    io.u32(w.TextWindowColor);
    io.flag(w.FullScreen);
    io.i32(w.BackgroundKind);
    io.u32(w.BackgroundColor);
    io.str(w.BackgroundGraphic, 12);
    io.str(w.BackgroundTile, 12);
    io.i32(w.TextLeft);
    io.i32(w.TextTop);
    io.i32(w.TextWidth);
    io.i32(w.TextHeight);
    io.skip(12);
    io.flag(w.Print);
    w.RLTop = 1;
    w.RLLeft = 1;
}

void ReadEarlierCommand(ByteReader& io, CommandSettings& c)
{
    io.i16(c.CommandType);
    io.str(c.GraphicFile, 12);
    io.str(c.PairGraphicFile, 12);
    io.str(c.VoiceFile, 12);
    io.str(c.PairSoundFile, 12);
    io.str(c.ProgramCommand, 50);
    io.i16(c.Duration);
    io.str(c.CommandLine, 60);
    c.CommandLine = ConvertEarlierCommandLine(c.CommandLine);
}

void ReadEarlierAbout(ByteReader& io, AboutBoxSettings& a)
{
    io.i16(a.ShowWhen);
    io.str(a.Caption, 40);
    io.flag(a.UseIcon);
    io.str(a.IconFile, 12);
    io.str(a.ProgramName, 32);
    io.str(a.VersionText, 42);
    io.str(a.Author, 42);
    for (QString& comment : a.Comments)
        io.str(comment, 65);
}

} // namespace

QByteArray EncodeSettings(const SettingsRecord& record)
{
    SettingsRecord copy = record;
    ByteWriter writer(kSettingsSize);
    Visit(writer, copy);
    Q_ASSERT(writer.position() == kSettingsSize);
    return writer.take();
}

bool DecodeSettings(QByteArrayView bytes, SettingsRecord& record)
{
    if (bytes.size() < kSettingsSize)
        return false;
    ByteReader reader(bytes.first(kSettingsSize));
    Visit(reader, record);
    return true;
}

bool IsEarlierVersion(QByteArrayView headBytes)
{
    return headBytes.size() >= 2 && static_cast<unsigned char>(headBytes[0]) >= 1 && headBytes[1] == '1';
}

QString ConvertEarlierCommandLine(const QString& commandLine)
{
    const qsizetype blank = commandLine.indexOf(QLatin1Char(' '));
    if (blank < 0)
        return commandLine;
    return QString(commandLine.left(blank) + QLatin1Char(',') + commandLine.mid(blank + 1)).left(60);
}

bool ConvertEarlierRecord(QByteArrayView bytes, SettingsRecord& record)
{
    if (bytes.size() < kOldSettingsSize)
        return false;
    ByteReader io(bytes.first(kOldSettingsSize));
    QString oldVersion;
    io.str(oldVersion, 4);
    record.Version = QString::fromLatin1(kCurrentVersion);
    io.flag(record.UseMenuScreen);                   // 5
    ProgramSettings& p = record.Program;
    io.u32(p.BackgroundColor);                       // 6
    io.flag(record.AlphabeticalTopics);              // 10
    io.str(p.Title, 80);                             // 11
    io.flag(p.UseIcon);
    io.str(p.IconFile, 12);
    io.flag(p.UseHelpFile);
    io.str(p.HelpFile, 12);
    io.i32(p.HelpStartTopic);
    io.flag(p.ShowVideoModeAdvisory);
    p.BackgroundKind = 1;
    p.BackgroundGraphic.clear();
    p.BackgroundTile.clear();

    PresentationBlock& b = record.Presentation;
    io.flag(b.UseIntroduction);                      // 125
    Visit(io, b.IntroScreen.TitleBar);               // 126
    Visit(io, b.IntroScreen.StatusBar);
    ReadEarlierWindow(io, b.IntroScreen.Window);     // 400
    io.flag(b.IntroScreen.UseMenuBar);               // 468
    io.flag(b.UseOpeningCommand);                    // 469
    ReadEarlierCommand(io, b.OpeningCommand);        // 470
    io.flag(b.UseClosingCommand);                    // 638
    ReadEarlierCommand(io, b.ClosingCommand);        // 639
    io.flag(b.UseAboutBox);                          // 807
    ReadEarlierAbout(io, b.AboutBox);                // 808
    Visit(io, b.Captions);                           // 1248

    MenuScreenDesign& m = record.MenuScreen;
    Visit(io, m.TitleBar);                           // 1376
    Visit(io, m.StatusBar);
    ReadEarlierWindow(io, m.Window);                 // 1650
    io.flag(m.UseAuthorBox);                         // 1718
    for (QString& line : m.Author.Lines)             // 1719
        io.str(line, 60);
    io.u32(m.Author.Color);
    io.str(m.Author.Font, 50);
    io.i16(m.Author.Top);
    io.i16(m.Author.Left);
    io.i16(m.Author.Height);
    io.i16(m.Author.Width);
    io.skip(12);
    m.Author.Carried1 = 1;
    m.Author.Carried2 = 1;
    io.flag(m.UseMenuBar);                           // 2160
    Q_ASSERT(io.position() == 2161);
    return true;
}

} // namespace storage
