// The shared utilities: file names, copying and appending, look-ups in the working directory,
// the font text and the case-insensitive resolver.

#include "scripteddialogs.h"
#include "shell/error.h"
#include "shell/filenames.h"
#include "shell/textcodec.h"
#include "shell/utilities.h"
#include "testfiles.h"

#include <QBuffer>
#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

using namespace shell;

class TestUtilities : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void baseName_data();
    void baseName();
    void takeWord_splitsAtFirstBlank();
    void fontText_bothWays();
    void isValidFileName_data();
    void isValidFileName();
    void isInteger_data();
    void isInteger();
    void parseWholeNumber_data();
    void parseWholeNumber();
    void videoAdvisory_usesLfCrSeparators();

    void copyFile_resultCodes();
    void copyFile_fullDiskReturnsFour();
    void copyFileInto_directoryAndFileTargets();
    void copyFileInto_reportsBothErrors();
    void copyOntoItself_leavesTheFileWhole();
    void appendFile_appendsAtCurrentPosition();

    void findInWorkingDirectory_matchesWithoutCase();
    void findEither_keepsNonEmptyName();
    void hasAttributes_directoryBit();

    void resolveName_prefersExactThenAnyCase();
    void resolveName_unknownNameKeepsItsSpelling();
    void masks_matchWithoutCase();
    void changeExtension_data();
    void changeExtension();
    void decodeText_fallsBackToWindows1252();
};

void TestUtilities::baseName_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("base");
    QTest::newRow("full path") << "/home/teacher/lists/VOLCANO.SWJ" << "VOLCANO";
    QTest::newRow("windows path") << "C:\\LISTS\\RIVERS.SWJ" << "RIVERS";
    QTest::newRow("no extension") << "NOTES" << "NOTES";
    QTest::newRow("two dots") << "my.list.swj" << "my.list";
}

void TestUtilities::baseName()
{
    QFETCH(QString, path);
    QFETCH(QString, base);
    QCOMPARE(BaseName(path), base);
}

void TestUtilities::takeWord_splitsAtFirstBlank()
{
    QString text = QStringLiteral("16 0 1 Times New Roman");
    QCOMPARE(TakeWord(text), QStringLiteral("16"));
    QCOMPARE(text, QStringLiteral("0 1 Times New Roman"));
    QString single = QStringLiteral("Arial");
    QCOMPARE(TakeWord(single), QString());
    QCOMPARE(single, QStringLiteral("Arial"));
}

void TestUtilities::fontText_bothWays()
{
    const FontSpec font = TextToFont(QStringLiteral("16 0 1 Times New Roman"));
    QCOMPARE(font.size, 16);
    QCOMPARE(font.color, 0u);
    QCOMPARE(font.style, int(StyleBold));
    QCOMPARE(font.name, QStringLiteral("Times New Roman"));
    FontSpec sans;
    sans.size = 10;
    sans.style = StyleBold;
    sans.name = QStringLiteral("MS Sans Serif");
    QCOMPARE(FontToText(sans), QStringLiteral("10 0 1 MS Sans Serif"));
    const FontSpec red = TextToFont(QStringLiteral("12 255 14 Arial"));
    QCOMPARE(red.color, 255u);
    const QFont qfont = red.toFont();
    QVERIFY(!qfont.bold());
    QVERIFY(qfont.italic());
    QVERIFY(qfont.underline());
    QVERIFY(qfont.strikeOut());
    QCOMPARE(qfont.pointSize(), 12);
    QCOMPARE(red.qcolor(), QColor(255, 0, 0));
    QCOMPARE(FontSpec::fromFont(qfont, QColor(255, 0, 0)), red);
}

void TestUtilities::isValidFileName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("valid");
    QTest::newRow("plain") << "Volcanoes" << true;
    QTest::newRow("blank dot backslash") << "My List.v2\\x" << true;
    QTest::newRow("empty") << "" << true;
    QTest::newRow("comma") << "a,b" << false;
    QTest::newRow("equals") << "a=b" << false;
    QTest::newRow("plus") << "a+b" << false;
    QTest::newRow("quote") << "a\"b" << false;
    for (const QChar c : QStringLiteral("*/:;<>?[]|"))
        QTest::newRow(qPrintable(QStringLiteral("refused ") + c)) << (QStringLiteral("a") + c) << false;
}

void TestUtilities::isValidFileName()
{
    QFETCH(QString, name);
    QFETCH(bool, valid);
    QCOMPARE(IsValidFileName(name), valid);
}

void TestUtilities::isInteger_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("integer");
    QTest::newRow("digits") << "50" << true;
    QTest::newRow("leading blanks") << "  7" << true;
    QTest::newRow("signed") << "-12" << true;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("letter") << "5a" << false;
    QTest::newRow("trailing blank") << "5 " << false;
    QTest::newRow("sign only") << "-" << false;
    QTest::newRow("too large") << "99999999999" << false;
}

void TestUtilities::isInteger()
{
    QFETCH(QString, text);
    QFETCH(bool, integer);
    QCOMPARE(IsInteger(text), integer);
}

void TestUtilities::parseWholeNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("value");
    QTest::newRow("decimal") << "12" << true << 12;
    QTest::newRow("blanks and sign") << "  -7" << true << -7;
    QTest::newRow("plus") << "+3" << true << 3;
    QTest::newRow("dollar hex") << "$1F" << true << 31;
    QTest::newRow("x hex") << "x10" << true << 16;
    QTest::newRow("0x hex") << "0Xff" << true << 255;
    QTest::newRow("signed hex") << "-$10" << true << -16;
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("blanks only") << "   " << false << 0;
    QTest::newRow("sign only") << "-" << false << 0;
    QTest::newRow("prefix only") << "0x" << false << 0;
    QTest::newRow("hex digits without prefix") << "1F" << false << 0;
    QTest::newRow("trailing blank") << "5 " << false << 0;
    QTest::newRow("too large") << "4294967296" << false << 0;
    QTest::newRow("largest") << "2147483647" << true << 2147483647;
}

void TestUtilities::parseWholeNumber()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(int, value);
    const std::optional<qint32> parsed = shell::ParseWholeNumber(text);
    QCOMPARE(parsed.has_value(), valid);
    if (valid)
        QCOMPARE(*parsed, value);
}

void TestUtilities::videoAdvisory_usesLfCrSeparators()
{
    const QStringList lines = VideoAdvisoryText().split(QStringLiteral("\n\r"));
    QCOMPARE(lines.size(), 6);
    QCOMPARE(lines[0], QStringLiteral("Your video Display mode is set at 256 colors."));
    QCOMPARE(lines[1], QString());
    QCOMPARE(lines[5], QStringLiteral("change the video Display mode"));
    ScriptedDialogs dialogs;
    ShowVideoAdvisory();
    QCOMPARE(dialogs.infos, QStringList{VideoAdvisoryText()});
}

void TestUtilities::copyFile_resultCodes()
{
    QTemporaryDir dir;
    const QString a = dir.filePath(QStringLiteral("a.bin"));
    QByteArray data(5000, 'x');
    data[4999] = 'z';
    WriteAll(a, data);
    QCOMPARE(CopyFile(a, a), int(CopySameName));
    QCOMPARE(ReadAll(a), data);
    QCOMPARE(CopyFile(dir.filePath(QStringLiteral("missing")), dir.filePath(QStringLiteral("b"))),
             int(CopyCannotOpenSource));
    QCOMPARE(CopyFile(a, dir.filePath(QStringLiteral("no/such/dir/b"))), int(CopyCannotCreateTarget));
    const QString b = dir.filePath(QStringLiteral("b.bin"));
    WriteAll(b, QByteArray(9000, 'o')); // longer than the source: truncated first
    QCOMPARE(CopyFile(a, b), int(CopyOk));
    QCOMPARE(ReadAll(b), data);
}

void TestUtilities::copyFile_fullDiskReturnsFour()
{
    QTemporaryDir dir;
    const QString a = dir.filePath(QStringLiteral("a.bin"));
    WriteAll(a, QByteArray(10000, 'x'));
    const FileSizeLimit fullDisk(4096);
    QCOMPARE(CopyFile(a, dir.filePath(QStringLiteral("b.bin"))), int(CopyTargetFull));
}

void TestUtilities::copyFileInto_directoryAndFileTargets()
{
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("PIC.BMP"));
    WriteAll(source, QByteArray(20000, 'p'));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("list")));
    CopyFileInto(source, dir.filePath(QStringLiteral("list")));
    QCOMPARE(ReadAll(dir.filePath(QStringLiteral("list/PIC.BMP"))), QByteArray(20000, 'p'));
    const QString target = dir.filePath(QStringLiteral("other.bmp"));
    WriteAll(target, "old");
    CopyFileInto(source, target);
    QCOMPARE(ReadAll(target).size(), 20000);
}

void TestUtilities::copyOntoItself_leavesTheFileWhole()
{
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("PIC.BMP"));
    WriteAll(source, QByteArray(5000, 'p'));
    QVERIFY(QFile::link(dir.path(), dir.filePath(QStringLiteral("linked"))));
    QVERIFY(::link(QFile::encodeName(source).constData(), QFile::encodeName(dir.filePath(QStringLiteral("HARD.BMP"))).constData()) == 0);
    for (const QString& other : QStringList{dir.path() + QStringLiteral("/./PIC.BMP"), dir.filePath(QStringLiteral("linked/PIC.BMP")),
                                 dir.filePath(QStringLiteral("HARD.BMP"))}) {
        QCOMPARE(CopyFile(source, other), int(CopySameName));
        QCOMPARE(CopyFileInto(other, source), int(CopySameName));
    }
    QCOMPARE(CopyFileInto(source, dir.filePath(QStringLiteral("linked"))), int(CopySameName));
    QCOMPARE(ReadAll(source), QByteArray(5000, 'p'));
}

void TestUtilities::copyFileInto_reportsBothErrors()
{
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("gone.wav"));
    try {
        CopyFileInto(missing, dir.path());
        QFAIL("no error");
    } catch (const Error& e) {
        QCOMPARE(e.message(), QStringLiteral("Cannot open file ") + QDir::toNativeSeparators(missing));
    }
    const QString source = dir.filePath(QStringLiteral("s.wav"));
    WriteAll(source, "x");
    const QString bad = dir.filePath(QStringLiteral("nodir/t.wav"));
    try {
        CopyFileInto(source, bad);
        QFAIL("no error");
    } catch (const Error& e) {
        QCOMPARE(e.message(), QStringLiteral("Cannot create file ") + QDir::toNativeSeparators(bad));
    }
}

void TestUtilities::appendFile_appendsAtCurrentPosition()
{
    QTemporaryDir dir;
    const QString part = dir.filePath(QStringLiteral("part"));
    QByteArray data;
    for (int i = 0; i < 3000; ++i)
        data.append(char(i % 251));
    WriteAll(part, data);
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    out.write("HEAD");
    QCOMPARE(AppendFile(out, part), int(CopyOk));
    QCOMPARE(out.data(), QByteArray("HEAD") + data);
    QCOMPARE(AppendFile(out, dir.filePath(QStringLiteral("none"))), int(CopyCannotOpenSource));
}

void TestUtilities::findInWorkingDirectory_matchesWithoutCase()
{
    QTemporaryDir dir;
    WriteAll(dir.filePath(QStringLiteral("b.JPG")), "j");
    WriteAll(dir.filePath(QStringLiteral("A.bmp")), "b");
    QCOMPARE(FindInWorkingDirectory(dir.path(), QStringLiteral("*.jpg")).value_or(QString()), QStringLiteral("b.JPG"));
    QCOMPARE(FindInWorkingDirectory(dir.path(), QStringLiteral("*.BMP")).value_or(QString()), QStringLiteral("A.bmp"));
    QVERIFY(!FindInWorkingDirectory(dir.path(), QStringLiteral("*.wav")));
}

void TestUtilities::findEither_keepsNonEmptyName()
{
    QTemporaryDir dir;
    WriteAll(dir.filePath(QStringLiteral("SONG.MID")), "m");
    QString name;
    QVERIFY(FindEitherInWorkingDirectory(dir.path(), QStringLiteral("*.wav"), QStringLiteral("*.mid"), name));
    QCOMPARE(name, QStringLiteral("SONG.MID"));
    QString given = QStringLiteral("CHOSEN.WAV");
    QVERIFY(FindEitherInWorkingDirectory(dir.path(), QStringLiteral("*.wav"), QStringLiteral("*.mid"), given));
    QCOMPARE(given, QStringLiteral("CHOSEN.WAV"));
    QString none;
    QVERIFY(!FindEitherInWorkingDirectory(dir.path(), QStringLiteral("*.avi"), QStringLiteral("*.bmp"), none));
    QVERIFY(none.isEmpty());
}

void TestUtilities::hasAttributes_directoryBit()
{
    QTemporaryDir dir;
    WriteAll(dir.filePath(QStringLiteral("f")), "x");
    QVERIFY(HasAttributes(dir.path(), AttrDirectory));
    QVERIFY(!HasAttributes(dir.filePath(QStringLiteral("f")), AttrDirectory));
    QVERIFY(!HasAttributes(dir.filePath(QStringLiteral("missing")), AttrDirectory));
}

void TestUtilities::resolveName_prefersExactThenAnyCase()
{
    QTemporaryDir dir;
    WriteAll(dir.filePath(QStringLiteral("Pic.bmp")), "1");
    WriteAll(dir.filePath(QStringLiteral("PIC.BMP")), "2");
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Media")));
    WriteAll(dir.filePath(QStringLiteral("Media/Song.wav")), "3");
    QCOMPARE(ReadAll(ResolveName(dir.path(), QStringLiteral("PIC.BMP"))), QByteArray("2"));
    QCOMPARE(ReadAll(ResolveName(dir.path(), QStringLiteral("Pic.bmp"))), QByteArray("1"));
    QVERIFY(!ReadAll(ResolveName(dir.path(), QStringLiteral("pic.BMP"))).isEmpty());
    QCOMPARE(ReadAll(ResolveName(dir.path(), QStringLiteral("MEDIA\\SONG.WAV"))), QByteArray("3"));
    QCOMPARE(ReadAll(ResolveName(QStringLiteral("/nowhere"), dir.path() + QStringLiteral("/media/song.WAV"))),
             QByteArray("3"));
    QVERIFY(NameExists(dir.path(), QStringLiteral("media/SONG.wav")));
}

void TestUtilities::resolveName_unknownNameKeepsItsSpelling()
{
    QTemporaryDir dir;
    QCOMPARE(ResolveName(dir.path(), QStringLiteral("New.SWR")), QDir(dir.path()).filePath(QStringLiteral("New.SWR")));
    QVERIFY(!NameExists(dir.path(), QStringLiteral("New.SWR")));
    QVERIFY(!NameExists(dir.path(), QString()));
}

void TestUtilities::masks_matchWithoutCase()
{
    QVERIFY(MatchesMask(QStringLiteral("photo.jpg"), QStringLiteral("*.BMP;*.JPG")));
    QVERIFY(MatchesMask(QStringLiteral("TILE.BMP"), QStringLiteral("*.bmp")));
    QVERIFY(!MatchesMask(QStringLiteral("photo.jpeg"), QStringLiteral("*.JPG")));
    QVERIFY(!MatchesMask(QStringLiteral("x.bmp.txt"), QStringLiteral("*.BMP")));
    QTemporaryDir dir;
    WriteAll(dir.filePath(QStringLiteral("b.Wav")), "");
    WriteAll(dir.filePath(QStringLiteral("A.WAV")), "");
    WriteAll(dir.filePath(QStringLiteral("c.mid")), "");
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("d.wav")));
    QCOMPARE(ListMatchingFiles(dir.path(), QStringLiteral("*.WAV")),
             QStringList({QStringLiteral("A.WAV"), QStringLiteral("b.Wav")}));
}

void TestUtilities::changeExtension_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("result");
    QTest::newRow("replaced") << "volcano.swj" << "volcano.SWR";
    QTest::newRow("added") << "volcano" << "volcano.SWR";
    QTest::newRow("dot in folder") << "/a.b/list" << "/a.b/list.SWR";
}

void TestUtilities::changeExtension()
{
    QFETCH(QString, name);
    QFETCH(QString, result);
    QCOMPARE(ChangeExtension(name, QStringLiteral(".SWR")), result);
}

void TestUtilities::decodeText_fallsBackToWindows1252()
{
    QCOMPARE(DecodeText("caf\xc3\xa9"), QStringLiteral("café"));
    QCOMPARE(DecodeText("caf\xe9 \x80"), QStringLiteral("café €"));
    // Characters of the code page are one byte each; others make the text UTF-8, cut whole.
    QCOMPARE(EncodeText(QStringLiteral("ééé€"), 5), QByteArray("\xe9\xe9\xe9\x80"));
    QCOMPARE(EncodeText(QStringLiteral("λλλ"), 5), QByteArray("\xce\xbb\xce\xbb"));
    QCOMPARE(EncodeText(QStringLiteral("é😀"), 4), QByteArray("\xc3\xa9"));
    // Every byte string and every text comes back as it went in, "Ã©" (bytes that are UTF-8) too.
    QByteArray all;
    for (int b = 1; b < 256; ++b)
        all.append(char(b));
    QCOMPARE(EncodeText(DecodeText(all)), all);
    for (const QString& text : {QStringLiteral("Ã©"), QStringLiteral("Ã© and ÿ"), QStringLiteral("地理 é")})
        QCOMPARE(DecodeText(EncodeText(text)), text);
}

QTEST_GUILESS_MAIN(TestUtilities)
#include "tst_utilities.moc"
