// The settings record: byte layout, defaults, round trips, the earlier-version conversion and the
// open/save procedure on real files.

#include "scripteddialogs.h"
#include "shell/appstate.h"
#include "shell/error.h"
#include "shell/textcodec.h"
#include "storage/settings.h"
#include "storage/settingsrecord.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

using namespace storage;

namespace {

qint32 I32(const QByteArray& b, int offset)
{
    return qFromLittleEndian<qint32>(b.constData() + offset);
}
qint16 I16(const QByteArray& b, int offset)
{
    return qFromLittleEndian<qint16>(b.constData() + offset);
}
QString Str(const QByteArray& b, int offset)
{
    return shell::DecodeText(b.mid(offset + 1, static_cast<unsigned char>(b[offset])));
}

void PutStr(QByteArray& b, int offset, const QByteArray& text)
{
    b[offset] = static_cast<char>(text.size());
    b.replace(offset + 1, text.size(), text);
}
void PutI32(QByteArray& b, int offset, qint32 v)
{
    qToLittleEndian(v, b.data() + offset);
}
void PutI16(QByteArray& b, int offset, qint16 v)
{
    qToLittleEndian(v, b.data() + offset);
}

// A 3161-byte record of the earlier version with recognisable values in every converted field.
QByteArray EarlierRecord()
{
    QByteArray b(kOldSettingsSize, '\0');
    PutStr(b, 0, "1.50");
    b[5] = 1;
    PutI32(b, 6, 0x00123456);
    b[10] = 1;
    PutStr(b, 11, "Old Title");
    b[11 + 81] = 1;
    PutStr(b, 11 + 82, "APP.ICO");
    b[11 + 95] = 1;
    PutStr(b, 11 + 96, "HELP.HLP");
    PutI32(b, 11 + 109, 7);
    b[11 + 113] = 1;
    b[125] = 1;
    PutStr(b, 126 + 1, "Intro title");        // title bar text
    PutStr(b, 126 + 1 + 81, "12 0 1 Arial"); // title bar font
    PutI32(b, 400, 0x00FFEEDD);               // intro window colour
    b[404] = 0;                               // not full screen
    PutI32(b, 405, 2);
    PutI32(b, 409, 0x00010203);
    PutStr(b, 413, "BACK.BMP");
    PutStr(b, 426, "TILE.BMP");
    PutI32(b, 439, 11);
    PutI32(b, 443, 22);
    PutI32(b, 447, 333);
    PutI32(b, 451, 144);
    b[467] = 1; // print
    b[468] = 0; // intro UseMenuBar
    b[469] = 1;
    PutI16(b, 470, 6);
    PutStr(b, 470 + 2, "PIC.BMP");
    PutStr(b, 470 + 15, "PAIR.BMP");
    PutStr(b, 470 + 28, "VOICE.WAV");
    PutStr(b, 470 + 41, "SND.WAV");
    PutStr(b, 470 + 54, "prog.exe");
    PutI16(b, 470 + 105, 30);
    PutStr(b, 470 + 107, "PAIR.BMP SND.WAV 30");
    b[638] = 1;
    PutI16(b, 639, 4);
    PutStr(b, 639 + 107, "NOTEPAD.EXE");
    b[807] = 1;
    PutI16(b, 808, 2);
    PutStr(b, 808 + 2, "About it");
    b[808 + 43] = 1;
    PutStr(b, 808 + 44, "ABOUT.ICO");
    PutStr(b, 808 + 57, "Prog");
    PutStr(b, 808 + 90, "1.0");
    PutStr(b, 808 + 133, "Me");
    PutStr(b, 808 + 176, "c1");
    PutStr(b, 808 + 374, "c4");
    PutStr(b, 1248, "&About");
    PutStr(b, 1248 + 17 * 2, "&Leave");
    PutStr(b, 1376 + 1, "Menu title");
    PutI32(b, 1650 + 39, 210);
    PutI32(b, 1650 + 43, 110);
    PutI32(b, 1650 + 47, 260);
    PutI32(b, 1650 + 51, 190);
    b[1718] = 1;
    PutStr(b, 1719, "line one");
    PutI32(b, 1719 + 366, 0x00ABCDEF);
    PutStr(b, 1719 + 370, "9 0 0 Arial");
    PutI16(b, 1719 + 421, 15);
    PutI16(b, 1719 + 423, 25);
    PutI16(b, 1719 + 425, 80);
    PutI16(b, 1719 + 427, 170);
    b[2160] = 0;
    return b;
}

} // namespace

class TestSettingsRecord : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void newRecord_hasTheDocumentedBytes();
    void everyField_landsAtItsOffset();
    void roundTrip_givesBackEveryField();
    void longStrings_areCutToTheirFields();
    void accentedText_keepsEveryCharacter();
    void shortBuffer_isRefused();
    void damagedLengthByte_readsNoFurtherThanTheField();
    void earlierVersion_isRecognisedByFirstCharacter();
    void earlierCommandLine_data();
    void earlierCommandLine();
    void earlierRecord_convertsEveryField();

    void openSettings_createsNewFileWithDefaults();
    void openSettings_loadsExistingRecord();
    void openSettings_refusedConversionClosesTheList();
    void openSettings_acceptedConversionRewritesFileAndStore();
    void loadSettings_truncatedFileIsAnErrorAndKeepsRecord();
    void saveSettings_failureKeepsPreviousFile();
};

void TestSettingsRecord::newRecord_hasTheDocumentedBytes()
{
    const QByteArray b = EncodeSettings(SettingsRecord());
    QCOMPARE(b.size(), 5105);
    QCOMPARE(b.left(5), QByteArray("\x04" "2.21"));
    QCOMPARE(int(b[5]), 1);
    QCOMPARE(int(b[6]), 0);
    QCOMPARE(I32(b, 7 + 390), 1);                // program background kind
    QCOMPARE(I32(b, 7 + 394), 0xC0C0C0);
    QCOMPARE(int(b[707]), 0);                    // no introduction
    // Introduction screen: bars, then the window rectangle 120, 80, 400, 200.
    QCOMPARE(Str(b, 708 + 1 + 81), QStringLiteral("16 0 1 Times New Roman"));
    QCOMPARE(I32(b, 708 + 133), 0xC0C0C0);
    QCOMPARE(Str(b, 708 + 137 + 1 + 81), QStringLiteral("8 0 0 Times New Roman"));
    const int introWindow = 708 + 274;
    QCOMPARE(I32(b, introWindow), 0xFFFFFF);
    QCOMPARE(int(b[introWindow + 4]), 1);
    QCOMPARE(I32(b, introWindow + 315), 120);
    QCOMPARE(I32(b, introWindow + 319), 80);
    QCOMPARE(I32(b, introWindow + 323), 400);
    QCOMPARE(I32(b, introWindow + 327), 200);
    QCOMPARE(I32(b, introWindow + 331), 1);
    QCOMPARE(I32(b, introWindow + 335), 1);
    QCOMPARE(int(b[708 + 614]), 1);              // introduction menu bar
    QCOMPARE(b.mid(1323, 3924 - 1323), QByteArray(3924 - 1323, '\0')); // commands and about box zero
    QCOMPARE(Str(b, 3924), QStringLiteral("&About"));
    QCOMPARE(Str(b, 3924 + 17), QStringLiteral("&Help"));
    QCOMPARE(Str(b, 3924 + 34), QStringLiteral("&Quit"));
    QCOMPARE(Str(b, 3924 + 51), QStringLiteral("&Close"));
    QCOMPARE(Str(b, 3924 + 68), QStringLiteral("&Print"));
    QCOMPARE(Str(b, 3924 + 85), QStringLiteral("&Find"));
    QCOMPARE(Str(b, 3924 + 102), QStringLiteral("Press the Start button"));
    const int menuWindow = 4052 + 274;
    QCOMPARE(I32(b, menuWindow + 315), 200);
    QCOMPARE(I32(b, menuWindow + 319), 100);
    QCOMPARE(I32(b, menuWindow + 323), 255);
    QCOMPARE(I32(b, menuWindow + 327), 200);
    QCOMPARE(int(b[4052 + 614]), 0);             // no author box
    const int author = 4667;
    QCOMPARE(I32(b, author + 366), 0xFFFFFF);
    QCOMPARE(Str(b, author + 370), QStringLiteral("10 0 1 MS Sans Serif"));
    QCOMPARE(I16(b, author + 421), qint16(5));
    QCOMPARE(I16(b, author + 423), qint16(5));
    QCOMPARE(I16(b, author + 425), qint16(100));
    QCOMPARE(I16(b, author + 427), qint16(190));
    QCOMPARE(I32(b, author + 429), 1);
    QCOMPARE(I32(b, author + 433), 1);
    QCOMPARE(int(b[5104]), 1);
}

void TestSettingsRecord::everyField_landsAtItsOffset()
{
    SettingsRecord r;
    r.AlphabeticalTopics = true;
    r.Program.Title = QStringLiteral("Volcanoes");
    r.Program.UseIcon = true;
    r.Program.IconFile = QStringLiteral("V.ICO");
    r.Program.UseHelpFile = true;
    r.Program.HelpFile = QStringLiteral("V.HLP");
    r.Program.HelpStartTopic = 42;
    r.Program.ShowVideoModeAdvisory = true;
    r.Program.BackgroundKind = 3;
    r.Program.BackgroundColor = 0x00112233;
    r.Program.BackgroundGraphic = QStringLiteral("G.JPG");
    r.Program.BackgroundTile = QStringLiteral("T.BMP");
    r.Presentation.UseOpeningCommand = true;
    r.Presentation.OpeningCommand.CommandType = 6;
    r.Presentation.OpeningCommand.PairSoundFile = QStringLiteral("S.WAV");
    r.Presentation.OpeningCommand.ProgramCommand = QStringLiteral("prog");
    r.Presentation.OpeningCommand.Duration = 55;
    r.Presentation.OpeningCommand.CommandLine = QStringLiteral("P.BMP,S.WAV,55");
    r.Presentation.UseClosingCommand = true;
    r.Presentation.ClosingCommand.CommandType = 10;
    r.Presentation.UseAboutBox = true;
    r.Presentation.AboutBox.ShowWhen = 2;
    r.Presentation.AboutBox.Comments[3] = QStringLiteral("last");
    r.MenuScreen.UseAuthorBox = true;
    r.MenuScreen.Author.Lines[5] = QStringLiteral("six");
    r.MenuScreen.UseMenuBar = false;

    const QByteArray b = EncodeSettings(r);
    QCOMPARE(int(b[6]), 1);
    QCOMPARE(Str(b, 7), QStringLiteral("Volcanoes"));
    QCOMPARE(int(b[7 + 81]), 1);
    QCOMPARE(Str(b, 7 + 82), QStringLiteral("V.ICO"));
    QCOMPARE(int(b[7 + 233]), 1);
    QCOMPARE(Str(b, 7 + 234), QStringLiteral("V.HLP"));
    QCOMPARE(I32(b, 7 + 385), 42);
    QCOMPARE(int(b[7 + 389]), 1);
    QCOMPARE(I32(b, 7 + 390), 3);
    QCOMPARE(I32(b, 7 + 394), 0x00112233);
    QCOMPARE(Str(b, 7 + 398), QStringLiteral("G.JPG"));
    QCOMPARE(Str(b, 7 + 549), QStringLiteral("T.BMP"));
    QCOMPARE(int(b[1323]), 1);
    QCOMPARE(I16(b, 1324), qint16(6));
    QCOMPARE(Str(b, 1324 + 455), QStringLiteral("S.WAV"));
    QCOMPARE(Str(b, 1324 + 606), QStringLiteral("prog"));
    QCOMPARE(I16(b, 1324 + 807), qint16(55));
    QCOMPARE(Str(b, 1324 + 809), QStringLiteral("P.BMP,S.WAV,55"));
    QCOMPARE(int(b[2334]), 1);
    QCOMPARE(I16(b, 2335), qint16(10));
    QCOMPARE(int(b[3345]), 1);
    QCOMPARE(I16(b, 3346), qint16(2));
    QCOMPARE(Str(b, 3346 + 314 + 3 * 66), QStringLiteral("last"));
    QCOMPARE(int(b[4052 + 614]), 1);
    QCOMPARE(Str(b, 4667 + 305), QStringLiteral("six"));
    QCOMPARE(int(b[5104]), 0);
}

void TestSettingsRecord::roundTrip_givesBackEveryField()
{
    SettingsRecord r;
    r.Program.Title = QStringLiteral("Géographie für alle");
    r.Presentation.IntroScreen.Window.TextLeft = -5;
    r.Presentation.IntroScreen.TitleBar.Used = true;
    r.Presentation.AboutBox.Author = QStringLiteral("Zoë");
    r.MenuScreen.Author.Top = -3;
    r.MenuScreen.Window.BackgroundTile = QStringLiteral("W.BMP");
    SettingsRecord back;
    back.Program.Title = QStringLiteral("something else");
    QVERIFY(DecodeSettings(EncodeSettings(r), back));
    QVERIFY(back == r);
}

void TestSettingsRecord::longStrings_areCutToTheirFields()
{
    SettingsRecord r;
    r.Program.Title = QString(100, QLatin1Char('x'));
    r.MenuScreen.Author.Lines[0] = QString(75, QLatin1Char('a'));
    // A cut never splits a character: 41 two-byte Greek letters in a 40-byte field keep 20.
    r.Presentation.AboutBox.Caption = QString(41, QChar(0x3BB));
    const QByteArray b = EncodeSettings(r);
    QCOMPARE(b.size(), kSettingsSize);
    QCOMPARE(Str(b, 7), QString(80, QLatin1Char('x')));
    QCOMPARE(Str(b, 4667), QString(60, QLatin1Char('a')));
    QCOMPARE(Str(b, 3346 + 2), QString(20, QChar(0x3BB)));
}

void TestSettingsRecord::accentedText_keepsEveryCharacter()
{
    // Letters of Windows-1252 take one byte each, as in lists written elsewhere.
    SettingsRecord r;
    r.Program.Title = QString(77, QLatin1Char('x')) + QStringLiteral("éàü");
    r.MenuScreen.Author.Lines[0] = QString(58, QLatin1Char('a')) + QStringLiteral("ñ€");
    r.MenuScreen.Author.Lines[1] = QStringLiteral("Γεωγραφία 地理");
    QByteArray b = EncodeSettings(r);
    QCOMPARE(b.mid(7, 81), QByteArray(1, char(80)) + QByteArray(77, 'x') + "\xe9\xe0\xfc");
    QCOMPARE(Str(b, 4667), r.MenuScreen.Author.Lines[0]);
    SettingsRecord back;
    QVERIFY(DecodeSettings(b, back));
    QCOMPARE(back.Program.Title, r.Program.Title);
    QCOMPARE(back.MenuScreen.Author.Lines[0], r.MenuScreen.Author.Lines[0]);
    QCOMPARE(back.MenuScreen.Author.Lines[1], r.MenuScreen.Author.Lines[1]);

    // An earlier record's title of 80 characters with accents converts whole.
    QByteArray old = EarlierRecord();
    PutStr(old, 11, QByteArray(77, 'o') + "\xe9\xe8\xe7");
    QVERIFY(ConvertEarlierRecord(old, r));
    QCOMPARE(r.Program.Title, QString(77, QLatin1Char('o')) + QStringLiteral("éèç"));
    QCOMPARE(EncodeSettings(r).mid(8, 80), old.mid(12, 80));
}

void TestSettingsRecord::shortBuffer_isRefused()
{
    SettingsRecord r;
    QVERIFY(!DecodeSettings(QByteArray(5104, '\0'), r));
    QVERIFY(!ConvertEarlierRecord(QByteArray(3160, '\0'), r));
}

void TestSettingsRecord::damagedLengthByte_readsNoFurtherThanTheField()
{
    QByteArray b = EncodeSettings(SettingsRecord());
    b[7] = char(255); // Title claims 255 bytes in an 80-byte field
    b.replace(8, 80, QByteArray(80, 'T'));
    SettingsRecord r;
    QVERIFY(DecodeSettings(b, r));
    QCOMPARE(r.Program.Title, QString(80, QLatin1Char('T')));
    QCOMPARE(r.Program.UseIcon, false);
}

void TestSettingsRecord::earlierVersion_isRecognisedByFirstCharacter()
{
    QVERIFY(IsEarlierVersion(QByteArray("\x04" "1.50")));
    QVERIFY(IsEarlierVersion(QByteArray("\x01" "1xyz")));
    QVERIFY(!IsEarlierVersion(QByteArray("\x04" "2.21")));
    QVERIFY(!IsEarlierVersion(QByteArray("\x04" "9.99")));
    QVERIFY(!IsEarlierVersion(QByteArray("\x00" "1...", 5))); // empty marker: no character
    QVERIFY(!IsEarlierVersion(QByteArray()));
}

void TestSettingsRecord::earlierCommandLine_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::newRow("two names") << "PIC.BMP SND.WAV" << "PIC.BMP,SND.WAV";
    QTest::newRow("two blanks: only the first") << "A.BMP B.WAV 30" << "A.BMP,B.WAV 30";
    QTest::newRow("no blank") << "NOTEPAD.EXE" << "NOTEPAD.EXE";
    QTest::newRow("cut to 60") << QString(59, QLatin1Char('a')) + QStringLiteral(" bb")
                               << QString(59, QLatin1Char('a')) + QStringLiteral(",");
}

void TestSettingsRecord::earlierCommandLine()
{
    QFETCH(QString, before);
    QFETCH(QString, after);
    QCOMPARE(ConvertEarlierCommandLine(before), after);
}

void TestSettingsRecord::earlierRecord_convertsEveryField()
{
    SettingsRecord r;
    r.Program.BackgroundGraphic = QStringLiteral("leftover");
    QVERIFY(ConvertEarlierRecord(EarlierRecord(), r));
    QCOMPARE(r.Version, QStringLiteral("2.21"));
    QVERIFY(r.UseMenuScreen);
    QVERIFY(r.AlphabeticalTopics);
    QCOMPARE(r.Program.Title, QStringLiteral("Old Title"));
    QVERIFY(r.Program.UseIcon);
    QCOMPARE(r.Program.IconFile, QStringLiteral("APP.ICO"));
    QVERIFY(r.Program.UseHelpFile);
    QCOMPARE(r.Program.HelpFile, QStringLiteral("HELP.HLP"));
    QCOMPARE(r.Program.HelpStartTopic, 7);
    QVERIFY(r.Program.ShowVideoModeAdvisory);
    QCOMPARE(r.Program.BackgroundKind, 1);
    QCOMPARE(r.Program.BackgroundColor, 0x00123456u);
    QVERIFY(r.Program.BackgroundGraphic.isEmpty());
    const PresentationBlock& p = r.Presentation;
    QVERIFY(p.UseIntroduction);
    QCOMPARE(p.IntroScreen.TitleBar.Text, QStringLiteral("Intro title"));
    QCOMPARE(p.IntroScreen.TitleBar.Font, QStringLiteral("12 0 1 Arial"));
    const WindowDesign& w = p.IntroScreen.Window;
    QCOMPARE(w.TextWindowColor, 0x00FFEEDDu);
    QVERIFY(!w.FullScreen);
    QCOMPARE(w.BackgroundKind, 2);
    QCOMPARE(w.BackgroundColor, 0x00010203u);
    QCOMPARE(w.BackgroundGraphic, QStringLiteral("BACK.BMP"));
    QCOMPARE(w.BackgroundTile, QStringLiteral("TILE.BMP"));
    QCOMPARE(QList<int>({w.TextLeft, w.TextTop, w.TextWidth, w.TextHeight}), QList<int>({11, 22, 333, 144}));
    QCOMPARE(w.RLTop, 1);
    QCOMPARE(w.RLLeft, 1);
    QVERIFY(w.Print);
    QVERIFY(!p.IntroScreen.UseMenuBar);
    QVERIFY(p.UseOpeningCommand);
    QCOMPARE(p.OpeningCommand.CommandType, qint16(6));
    QCOMPARE(p.OpeningCommand.GraphicFile, QStringLiteral("PIC.BMP"));
    QCOMPARE(p.OpeningCommand.PairGraphicFile, QStringLiteral("PAIR.BMP"));
    QCOMPARE(p.OpeningCommand.VoiceFile, QStringLiteral("VOICE.WAV"));
    QCOMPARE(p.OpeningCommand.PairSoundFile, QStringLiteral("SND.WAV"));
    QCOMPARE(p.OpeningCommand.ProgramCommand, QStringLiteral("prog.exe"));
    QCOMPARE(p.OpeningCommand.Duration, qint16(30));
    QCOMPARE(p.OpeningCommand.CommandLine, QStringLiteral("PAIR.BMP,SND.WAV 30"));
    QVERIFY(p.UseClosingCommand);
    QCOMPARE(p.ClosingCommand.CommandLine, QStringLiteral("NOTEPAD.EXE"));
    QVERIFY(p.UseAboutBox);
    QCOMPARE(p.AboutBox.ShowWhen, qint16(2));
    QCOMPARE(p.AboutBox.Caption, QStringLiteral("About it"));
    QVERIFY(p.AboutBox.UseIcon);
    QCOMPARE(p.AboutBox.IconFile, QStringLiteral("ABOUT.ICO"));
    QCOMPARE(p.AboutBox.ProgramName, QStringLiteral("Prog"));
    QCOMPARE(p.AboutBox.VersionText, QStringLiteral("1.0"));
    QCOMPARE(p.AboutBox.Author, QStringLiteral("Me"));
    QCOMPARE(p.AboutBox.Comments[0], QStringLiteral("c1"));
    QCOMPARE(p.AboutBox.Comments[3], QStringLiteral("c4"));
    QCOMPARE(p.Captions.QuitCaption, QStringLiteral("&Leave"));
    const MenuScreenDesign& m = r.MenuScreen;
    QCOMPARE(m.TitleBar.Text, QStringLiteral("Menu title"));
    QCOMPARE(QList<int>({m.Window.TextLeft, m.Window.TextTop, m.Window.TextWidth, m.Window.TextHeight}),
             QList<int>({210, 110, 260, 190}));
    QCOMPARE(m.Window.RLTop, 1);
    QCOMPARE(m.Window.RLLeft, 1);
    QVERIFY(m.UseAuthorBox);
    QCOMPARE(m.Author.Lines[0], QStringLiteral("line one"));
    QCOMPARE(m.Author.Color, 0x00ABCDEFu);
    QCOMPARE(m.Author.Font, QStringLiteral("9 0 0 Arial"));
    QCOMPARE(QList<int>({m.Author.Top, m.Author.Left, m.Author.Height, m.Author.Width}),
             QList<int>({15, 25, 80, 170}));
    QCOMPARE(m.Author.Carried1, 1);
    QCOMPARE(m.Author.Carried2, 1);
    QVERIFY(!m.UseMenuBar);
}

void TestSettingsRecord::openSettings_createsNewFileWithDefaults()
{
    ScriptedDialogs dialogs;
    QTemporaryDir dir;
    shell::AppState state;
    state.WorkingDirectory = dir.path() + QLatin1Char('/');
    state.SettingsPath = QStringLiteral("volcano.SWJ");
    OpenSettings(state);
    QCOMPARE(state.TopicStorePath, QStringLiteral("volcano.SWR"));
    const QByteArray b = ReadAll(dir.filePath(QStringLiteral("volcano.SWJ")));
    QCOMPARE(b, EncodeSettings(SettingsRecord()));
    QVERIFY(state.MenuScreenCopy);
    QCOMPARE(state.StartPrompt, QStringLiteral("Press the Start button"));
    QVERIFY(dialogs.questions.isEmpty());
}

void TestSettingsRecord::openSettings_loadsExistingRecord()
{
    ScriptedDialogs dialogs;
    QTemporaryDir dir;
    SettingsRecord stored;
    stored.Program.Title = QStringLiteral("Rivers");
    stored.UseMenuScreen = false;
    stored.Presentation.Captions.StartPrompt = QStringLiteral("Go!");
    WriteAll(dir.filePath(QStringLiteral("RIVERS.SWJ")), EncodeSettings(stored));
    shell::AppState state;
    state.WorkingDirectory = dir.path() + QLatin1Char('/');
    state.SettingsPath = QStringLiteral("rivers.swj"); // another letter case than on disk
    OpenSettings(state);
    QCOMPARE(state.Settings.Program.Title, QStringLiteral("Rivers"));
    QCOMPARE(state.CurrentTitle, QStringLiteral("Rivers"));
    QCOMPARE(state.StartPrompt, QStringLiteral("Go!"));
    QVERIFY(!state.MenuScreenCopy);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("RIVERS.SWJ")});
}

void TestSettingsRecord::openSettings_refusedConversionClosesTheList()
{
    ScriptedDialogs dialogs;
    dialogs.yesNoAnswers.enqueue(false);
    QTemporaryDir dir;
    const QByteArray old = EarlierRecord();
    WriteAll(dir.filePath(QStringLiteral("OLD.SWJ")), old);
    WriteAll(dir.filePath(QStringLiteral("OLD.SWR")), "[A]\r\nsource=HYPER\r\ntype=2\r\ncommand=P.BMP 30\r\n]\r\n\r\n");
    shell::AppState state;
    state.WorkingDirectory = dir.path() + QLatin1Char('/');
    state.SettingsPath = QStringLiteral("OLD.SWJ");
    OpenSettings(state);
    QCOMPARE(dialogs.questions,
             QStringList{QStringLiteral("OLD.SWJ was created with an earlier version of Quorvel. Would you like to "
                                        "convert it to the new version?")});
    QVERIFY(state.SettingsPath.isEmpty());
    QVERIFY(state.TopicStorePath.isEmpty());
    QCOMPARE(ReadAll(dir.filePath(QStringLiteral("OLD.SWJ"))), old);
    QVERIFY(ReadAll(dir.filePath(QStringLiteral("OLD.SWR"))).contains("P.BMP 30"));
}

void TestSettingsRecord::openSettings_acceptedConversionRewritesFileAndStore()
{
    ScriptedDialogs dialogs;
    dialogs.yesNoAnswers.enqueue(true);
    QTemporaryDir dir;
    WriteAll(dir.filePath(QStringLiteral("OLD.SWJ")), EarlierRecord());
    WriteAll(dir.filePath(QStringLiteral("OLD.SWR")),
             "[A\xe9]\r\nsource=HYPER\r\ntype=2\r\ncommand=PIC.BMP 30\r\n]\r\n\r\n"
             "[B]\r\nsource=HYPER\r\ntype=6\r\ncommand=PIC\xc9.BMP SND.WAV 30\r\n]\r\n\r\n");
    shell::AppState state;
    state.WorkingDirectory = dir.path() + QLatin1Char('/');
    state.SettingsPath = QStringLiteral("OLD.SWJ");
    OpenSettings(state);
    const QByteArray b = ReadAll(dir.filePath(QStringLiteral("OLD.SWJ")));
    QCOMPARE(b.size(), kSettingsSize);
    QCOMPARE(b.left(5), QByteArray("\x04" "2.21"));
    QCOMPARE(state.Settings.Program.Title, QStringLiteral("Old Title"));
    QCOMPARE(ReadAll(dir.filePath(QStringLiteral("OLD.SWR"))),
             QByteArray("[A\xe9]\r\nsource=HYPER\r\ntype=2\r\ncommand=PIC.BMP,30\r\n]\r\n\r\n"
                        "[B]\r\nsource=HYPER\r\ntype=6\r\ncommand=PIC\xc9.BMP,SND.WAV,30\r\n]\r\n\r\n"));
}

void TestSettingsRecord::loadSettings_truncatedFileIsAnErrorAndKeepsRecord()
{
    QTemporaryDir dir;
    WriteAll(dir.filePath(QStringLiteral("CUT.SWJ")), EncodeSettings(SettingsRecord()).left(3000));
    shell::AppState state;
    state.WorkingDirectory = dir.path() + QLatin1Char('/');
    state.SettingsPath = QStringLiteral("CUT.SWJ");
    state.Settings.Program.Title = QStringLiteral("kept");
    QVERIFY_THROWS_EXCEPTION(shell::Error, LoadSettings(state));
    QCOMPARE(state.Settings.Program.Title, QStringLiteral("kept"));
}

void TestSettingsRecord::saveSettings_failureKeepsPreviousFile()
{
    QTemporaryDir dir;
    SettingsRecord old;
    old.Program.Title = QStringLiteral("old");
    const QByteArray oldBytes = EncodeSettings(old);
    WriteAll(dir.filePath(QStringLiteral("L.SWJ")), oldBytes);
    shell::AppState state;
    state.WorkingDirectory = dir.path() + QLatin1Char('/');
    state.SettingsPath = QStringLiteral("L.SWJ");
    state.Settings.Program.Title = QStringLiteral("new");
    {
        const FileSizeLimit fullDisk(1000); // the disk fills up a fifth of the way through
        QVERIFY_THROWS_EXCEPTION(shell::Error, SaveSettings(state));
    }
    QCOMPARE(ReadAll(dir.filePath(QStringLiteral("L.SWJ"))), oldBytes);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("L.SWJ")});
    SaveSettings(state); // and with room again the save goes through
    QCOMPARE(ReadAll(dir.filePath(QStringLiteral("L.SWJ"))), EncodeSettings(state.Settings));
}

QTEST_GUILESS_MAIN(TestSettingsRecord)
#include "tst_settingsrecord.moc"
