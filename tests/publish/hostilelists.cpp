#include "hostilelists.h"

#include "storage/settingsrecord.h"

#include <QRandomGenerator>
#include <QtEndian>

#include <functional>

namespace {

QByteArray Settings(const std::function<void(storage::SettingsRecord&)>& change = {})
{
    storage::SettingsRecord record;
    record.Program.Title = QStringLiteral("Hostile");
    if (change)
        change(record);
    return storage::EncodeSettings(record);
}

QByteArray Command(const QByteArray& name, int type, const QByteArray& value)
{
    return "[" + name + "]\r\nsource=HYPER\r\ntype=" + QByteArray::number(type) + "\r\ncommand=" + value +
           "\r\n]\r\n\r\n";
}

QByteArray Page(const QByteArray& name, int type, const QByteArray& graphic, const QByteArray& numbers,
                const QByteArray& text)
{
    return "[" + name + "]\r\nsource=HYPER\r\ntype=" + QByteArray::number(type) +
           "\r\ndisplaytype=2\r\nfullscreen=false\r\nSbackcolor=clSilver\r\nSGraphic=" + graphic +
           "\r\nSWallpaper=" + graphic + "\r\nVPBack=clWhite\r\n" + numbers +
           "RLTop=1\r\nRLLeft=1\r\nprint=false\r\ntext=\r\n" + text + "\r\n]\r\n\r\n";
}

const QByteArray kNumbers = "VPLeft=120\r\nVPTop=80\r\nVPWidth=400\r\nVPHeight=200\r\n";
const QByteArray kGoodStore = Command("Sound", 3, "A.WAV") + Page("Page", 5, "SKY.BMP", kNumbers, "{\\rtf1 Hello}") +
                              "[^INTRODUCTION^]\r\nsource=INTRO\r\ntext=\r\nWelcome\r\n]\r\n\r\n";

QByteArray Noise(QRandomGenerator& random, int size)
{
    QByteArray bytes(size, '\0');
    for (char& byte : bytes)
        byte = char(random.bounded(256));
    return bytes;
}

// A compiled body with one entry whose fields say `count`, `index`, `offset` and `length`.
QByteArray Body(qint32 count, qint32 index, qint32 offset, qint32 length, quint8 nameLength = 7)
{
    const QByteArray block = "[Topic]\r\nHYPER\r\ntype=3\r\ncommand=A.WAV\r\n";
    QByteArray body = QByteArray("\x03WR1\x00", 5);
    QByteArray field(4, '\0');
    for (qint32 value : {count, index}) {
        qToLittleEndian(value, field.data());
        body += field;
    }
    body += block;
    QByteArray record(80, '\0');
    record[0] = char(nameLength);
    record.replace(1, 7, "[Topic]");
    qToLittleEndian(offset, record.data() + 61);
    qToLittleEndian(length, record.data() + 65);
    record[69] = 5;
    record.replace(70, 5, "HYPER");
    return body + record;
}

} // namespace

QList<HostileList> MakeHostileLists()
{
    QList<HostileList> lists;
    const auto add = [&lists](const QString& name, const QByteArray& swj, const QByteArray& swr,
                              QMap<QString, QByteArray> more = {}) {
        more.insert(QStringLiteral("HOSTILE.SWJ"), swj);
        if (!swr.isNull())
            more.insert(QStringLiteral("HOSTILE.SWR"), swr);
        lists.append({name, more});
    };
    const QByteArray good = Settings();
    QRandomGenerator random(16);

    // NAME.SWJ damaged.
    for (int size : {0, 1, 4, 100, 3160, 3161, storage::kSettingsSize - 1})
        add(QStringLiteral("settings cut to %1 bytes").arg(size), good.left(size), kGoodStore);
    add(QStringLiteral("settings oversized"), good + QByteArray(1024 * 1024, 'x'), kGoodStore);
    add(QStringLiteral("settings all zeros"), QByteArray(storage::kSettingsSize, '\0'), kGoodStore);
    for (const QByteArray& marker : {QByteArray("\x04" "9.99"), QByteArray("\x03" "1.0"), QByteArray("\xff\xff\xff")})
        add(QStringLiteral("settings version marker %1").arg(QString::fromLatin1(marker.toHex())),
            QByteArray(marker + good.mid(marker.size())), kGoodStore);
    {
        // Every byte that could be a length says 255.
        QByteArray lengths = good;
        for (qsizetype i = 0; i < lengths.size(); ++i)
            if (lengths[i] != '\0')
                lengths[i] = char(0xff);
        add(QStringLiteral("settings lengths above their fields"), lengths, kGoodStore);
        QByteArray earlier = QByteArray(3161, char(0xff));
        earlier.replace(0, 4, "\x03" "1.0");
        add(QStringLiteral("earlier settings lengths above their fields"), earlier, kGoodStore);
    }
    for (int i = 0; i < 40; ++i)
        add(QStringLiteral("settings noise %1").arg(i), Noise(random, storage::kSettingsSize), kGoodStore);
    add(QStringLiteral("settings naming outside files"), Settings([](storage::SettingsRecord& r) {
            r.Program.UseIcon = true;
            r.Program.IconFile = QStringLiteral("../../x");
            r.Program.UseHelpFile = true;
            r.Program.HelpFile = QStringLiteral("/etc/passwd");
            r.Program.BackgroundGraphic = QStringLiteral("LINK.BMP");
            r.Presentation.UseOpeningCommand = true;
            r.Presentation.OpeningCommand.CommandType = 4;
            r.Presentation.OpeningCommand.ProgramCommand = QStringLiteral("../../x,-rf /");
            r.Presentation.OpeningCommand.CommandLine = QStringLiteral("../../x,-rf /");
        }),
        kGoodStore, {{QStringLiteral("LINK.BMP"), "->../../outside/secret"}});

    // NAME.SWR damaged.
    add(QStringLiteral("store with a 100 MB line"), good, "[Long]\r\nsource=HYPER\r\ntype=1\r\ntext=\r\n" +
                                                          QByteArray(100 * 1024 * 1024, 'a') + "\r\n]\r\n\r\n");
    {
        QByteArray million;
        million.reserve(30 * 1000 * 1000);
        for (int i = 0; i < 1000 * 1000; ++i)
            million += "[T" + QByteArray::number(i) + "]\r\nsource=HYPER\r\ntype=3\r\ncommand=A\r\n]\r\n\r\n";
        add(QStringLiteral("store of a million entries"), good, million);
    }
    add(QStringLiteral("entries without tails"), good, "[A]\r\nsource=HYPER\r\ntype=3\r\ncommand=A.WAV\r\n"
                                                      "[B]\r\nsource=HYPER\r\ntype=1\r\ntext=\r\n{\\rtf1 x");
    add(QStringLiteral("bad UTF-8"), good, Command("\xff\xfe\xc3", 3, "\xc3\x28.WAV") +
                                               Page("\xed\xa0\x80", 1, "\xf0\x28\x8c\x28", kNumbers, "\xc0\xaf"));
    add(QStringLiteral("names of 1000 characters"), good,
        Command(QByteArray(1000, 'N'), 3, QByteArray(1000, 'W') + ".WAV") +
            Page(QByteArray(1000, 'P'), 5, QByteArray(1000, 'G'), kNumbers, "{\\rtf1 x}"));
    add(QStringLiteral("absurd numbers"), good,
        Page("Huge", 5, "SKY.BMP", "VPLeft=-2147483648\r\nVPTop=99999999999\r\nVPWidth=2147483647\r\nVPHeight=-1\r\n",
             "{\\rtf1 x}") + Command("Type", 2147483647, "A") + Command("Negative", -5, "A"));
    add(QStringLiteral("media outside the list"), good,
        Command("Up", 2, "../../x,5") + Command("Wave", 3, "../../x") + Command("Program", 4, "../../x,a") +
            Command("Windows", 9, "../../x ../../x") + Command("Open", 10, "../../x") +
            Command("Notes", 13, "../../x") + Page("Back", 5, "../../x", kNumbers, "{\\rtf1 x}"));
    add(QStringLiteral("media through a link"), good,
        Command("Picture", 2, "LINK.BMP,5") + Command("Notes", 13, "LINK.TXT") + Page("Back", 5, "LINK.BMP", kNumbers, "x"),
        {{QStringLiteral("LINK.BMP"), "->../../outside/secret"}, {QStringLiteral("LINK.TXT"), "->../../outside/secret"}});
    add(QStringLiteral("store is a folder"), good, QByteArray(), {{QStringLiteral("HOSTILE.SWR/"), {}}});
    lists.append({QStringLiteral("files named in the wrong letter case"),
                  {{QStringLiteral("hostile.swj"), good}, {QStringLiteral("Hostile.Swr"), kGoodStore}}});
    for (int i = 0; i < 40; ++i)
        add(QStringLiteral("store noise %1").arg(i), good, Noise(random, 1 + int(random.bounded(64 * 1024))));
    for (int i = 0; i < 40; ++i) {
        QByteArray flipped = kGoodStore;
        for (int n = 0; n < 8; ++n)
            flipped[random.bounded(int(flipped.size()))] = char(random.bounded(256));
        add(QStringLiteral("store with flipped bytes %1").arg(i), good, flipped);
    }

    for (int i = 0; i < 20; ++i) {
        QByteArray flipped = good;
        for (int n = 0; n < 16; ++n)
            flipped[random.bounded(int(flipped.size()))] = char(random.bounded(256));
        add(QStringLiteral("settings with flipped bytes %1").arg(i), flipped, kGoodStore);
    }

    // Pages whose rich text is hostile to a reader.
    const QList<QPair<QString, QByteArray>> pages = {
        {QStringLiteral("groups nested a million deep"), "{\\rtf1 " + QByteArray(1000 * 1000, '{') + "x"},
        {QStringLiteral("binary run past the end"), "{\\rtf1 {\\pict\\pngblip\\bin2147483647 abc}}"},
        {QStringLiteral("picture of impossible size"),
         "{\\rtf1 {\\pict\\wmetafile8\\picw2147483647\\pich2147483647\\picwgoal2147483647"
         "\\pichgoal-2147483648\\picscalex99999 0100090000}}"},
        {QStringLiteral("picture of odd hex"), "{\\rtf1 {\\pict\\jpegblip ffd8ffe0zz0g}x}"},
        {QStringLiteral("picture of noise"), "{\\rtf1 {\\pict\\emfblip " + Noise(random, 4096).toHex() + "}}"},
        {QStringLiteral("a hundred thousand fonts"),
         // A QByteArray, not the string builder that would refer to the lambda's own variable.
         []() -> QByteArray {
             QByteArray fonts = "{\\rtf1{\\fonttbl";
             for (int i = 0; i < 100000; ++i)
                 fonts += "{\\f" + QByteArray::number(i) + "\\fcharset" + QByteArray::number(i % 256) + " F;}";
             return fonts + "}\\f99999 x}";
         }()},
        {QStringLiteral("characters out of range"), "{\\rtf1\\uc2 \\u-99999??\\u2147483647 \\'zz\\'"},
        {QStringLiteral("numbers past their words"),
         "{\\rtf1\\fs-99999999999\\li2147483648\\fi-2147483649\\tx99999999999 \\tab x\\cell\\row}"},
        {QStringLiteral("lists and tables without ends"),
         "{\\rtf1{\\*\\listtable{\\list\\listid1{\\listlevel\\levelnfc0{\\leveltext\\'09}}}}"
         "\\ls1\\ilvl99 x\\trowd\\cellx-5\\itap9999 y\\nestcell\\nestrow"},
        {QStringLiteral("code pages unknown"), "{\\rtf1\\ansicpg99999{\\fonttbl{\\f0\\fcharset222 F;}}\\f0 \\'81\\'82}"},
        {QStringLiteral("page of 20 MB"), "{\\rtf1 " + QByteArray(20 * 1024 * 1024, 'w') + "}"},
    };
    for (const auto& [what, text] : pages)
        add(QStringLiteral("page: ") + what, good, Page("Page", 1, "", kNumbers, text) + Page("Designed", 5, "SKY.BMP", kNumbers, text));

    // Media files that lie about themselves.
    QByteArray bmp = QByteArray("BM", 2) + QByteArray(52, '\0');
    qToLittleEndian(quint32(40), bmp.data() + 14);
    qToLittleEndian(qint32(50000000), bmp.data() + 18);
    qToLittleEndian(qint32(-50000000), bmp.data() + 22);
    qToLittleEndian(quint16(1), bmp.data() + 26);
    qToLittleEndian(quint16(24), bmp.data() + 28);
    QByteArray wave = QByteArray("RIFF\xff\xff\xff\x7fWAVEfmt ", 16) + QByteArray(4, '\xff') + QByteArray(64, '\x01');
    const QList<QPair<QString, QByteArray>> media = {
        {QStringLiteral("a picture of 50 million rows"), bmp},
        {QStringLiteral("a wave of endless chunks"), wave},
        {QStringLiteral("a JPEG cut short"), QByteArray("\xff\xd8\xff\xe0\x00\x10JFIF\x00", 11)},
        {QStringLiteral("an icon of noise"), QByteArray(6, '\0') + Noise(random, 512)},
        {QStringLiteral("a metafile of noise"), QByteArray("\xd7\xcd\xc6\x9a", 4) + Noise(random, 2048)},
        {QStringLiteral("empty media"), QByteArray("")},
    };
    for (const auto& [what, bytes] : media)
        add(QStringLiteral("media: ") + what, good,
            Command("Picture", 2, "M.BMP,5") + Command("Both", 6, "M.ICO,M.WAV,5") + Command("Wave", 3, "M.WAV") +
                Command("Tune", 8, "M.MID") + Command("Film", 7, "M.AVI") + Command("Notes", 13, "M.TXT") +
                Page("Designed", 5, "M.WMF", kNumbers, "{\\rtf1 x}"),
            {{QStringLiteral("M.BMP"), bytes}, {QStringLiteral("M.ICO"), bytes}, {QStringLiteral("M.WAV"), bytes},
             {QStringLiteral("M.MID"), bytes}, {QStringLiteral("M.AVI"), bytes}, {QStringLiteral("M.TXT"), bytes},
             {QStringLiteral("M.WMF"), bytes}});
    add(QStringLiteral("notes file of 50 MB"), good, Command("Notes", 13, "N.TXT"),
        {{QStringLiteral("N.TXT"), QByteArray(50 * 1024 * 1024, '\n')}});
    add(QStringLiteral("media that are folders"), good, Command("Picture", 2, "D.BMP,5") + Command("Notes", 13, "D.TXT"),
        {{QStringLiteral("D.BMP/"), {}}, {QStringLiteral("D.TXT/"), {}}});

    // Names no author could type.
    add(QStringLiteral("names of markup"), good,
        Command("<img src=x onerror=alert(1)>", 3, "\"><script>alert(1)</script>.WAV") +
            Page("</script><script>alert(2)</script>", 1, "", kNumbers, "{\\rtf1 <b>x</b>}"));
    add(QStringLiteral("names the same"), good, Command("Same", 3, "A.WAV") + Command("Same", 3, "B.WAV") + Command("SAME", 3, "C"));
    add(QStringLiteral("names empty or of brackets"), good, Command("", 3, "A.WAV") + Command("]", 3, "") + Command("[[", 3, "]"));
    add(QStringLiteral("names of paths"), good, Command("../../x", 3, "A.WAV") + Command("/etc/passwd", 13, "/etc/passwd"));
    add(QStringLiteral("introductions damaged"), good,
        "[^INTRODUCTION^]\r\nsource=INTRO\r\ntext=\r\n" + QByteArray(5 * 1024 * 1024, '{') +
            "\r\n]\r\n\r\n[^INTRODUCTION^]\r\nsource=INTRO\r\n");

    // NAME.SWC and NAME.EXE whose counts, offsets and lengths point past their ends.
    const QByteArray fine = Body(1, 5 + 8 + 38, 13, 38);
    const QList<QPair<QString, QByteArray>> bodies = {
        {QStringLiteral("count past the end"), Body(0x7fffffff, 51, 13, 38)},
        {QStringLiteral("negative count"), Body(-1, 51, 13, 38)},
        {QStringLiteral("index past the end"), Body(1, 0x7ffffff0, 13, 38)},
        {QStringLiteral("negative index"), Body(1, -80, 13, 38)},
        {QStringLiteral("block past the end"), Body(1, 51, 0x7fffff00, 38)},
        {QStringLiteral("block length past the end"), Body(1, 51, 13, 0x7fffffff)},
        {QStringLiteral("negative block length"), Body(1, 51, 13, -38)},
        {QStringLiteral("name length past its field"), Body(1, 51, 13, 38, 255)},
        {QStringLiteral("cut in the index"), fine.left(fine.size() - 40)},
        {QStringLiteral("signature only"), fine.left(5)},
    };
    for (const auto& [what, body] : bodies) {
        add(QStringLiteral("compiled list: ") + what, good, kGoodStore, {{QStringLiteral("HOSTILE.SWC"), good + body}});
        // An executable is an ELF image with the list after it; these are images that lie.
        QByteArray elf = QByteArray("\x7f" "ELF\x02\x01\x01", 7) + QByteArray(57, '\0');
        qToLittleEndian(quint64(0x7fffffffffffff00ULL), elf.data() + 40); // section table far away
        qToLittleEndian(quint16(0xffff), elf.data() + 60);                  // and many sections
        add(QStringLiteral("executable: ") + what, good, kGoodStore, {{QStringLiteral("HOSTILE.EXE"), elf + good + body}});
    }
    return lists;
}
