// The tutorial viewer: loading and caption, the find rules, printing with the file path as title,
// and the program's own tutorial file.

#include "runtime/richtextfile.h"
#include "runtime/tfindreplaceform.h"
#include "runtime/ttutorialform.h"
#include "scripteddialogs.h"
#include "shell/error.h"
#include "testfiles.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>
#include <QtTest>

using runtime::TTutorialForm;

namespace {

const QString kLesson = QStringLiteral("A volcano is an opening in the crust of a planet.\n"
                                       "Volcanoes erupt lava, ash and gases.\n"
                                       "The word comes from Vulcano, an island near Sicily.\n");

QString RunTool(const QString& tool, const QStringList& arguments)
{
    QProcess process;
    process.start(QStandardPaths::findExecutable(tool), arguments);
    if (!process.waitForFinished(30000))
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

void Select(QTextEdit* edit, int start, int length)
{
    QTextCursor cursor = edit->textCursor();
    cursor.setPosition(start);
    cursor.setPosition(start + length, QTextCursor::KeepAnchor);
    edit->setTextCursor(cursor);
}

QString SourceFile(const QString& name)
{
    return QStringLiteral(QUORVEL_SOURCE_DIR "/resources/") + name;
}

} // namespace

class TestTutorial : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void load_captionIsPathAndTextIsReadOnly();
    void load_missingFileIsReported();
    void load_oversizedFileIsRefused();
    void menus_captionsAndNames();
    void find_thirtySelectedCharactersKeepPreviousText();
    void find_selectionOfOneToTwentyNineBecomesSearchText_data();
    void find_selectionOfOneToTwentyNineBecomesSearchText();
    void find_ignoresCaseAndSearchesAfterSelection();
    void find_beepsWhenNotFound();
    void quit_closesViewer();
    void showTutorial_missingFileShowsError();
    void print_toPdfHasTextAndPathAsTitle();
    void programTutorial_isWellFormedRtf();
    void programTutorial_liesBesideTheProgram();

private:
    QTemporaryDir m_dir;
    QString m_path;
};

void TestTutorial::init()
{
    m_path = m_dir.filePath(QStringLiteral("LESSON.TXT"));
    WriteAll(m_path, kLesson.toUtf8());
}

void TestTutorial::load_captionIsPathAndTextIsReadOnly()
{
    ScriptedDialogs dialogs;
    TTutorialForm form;
    form.load(m_path);
    QCOMPARE(form.size(), QSize(502, 366));
    QCOMPARE(form.windowTitle(), QDir::toNativeSeparators(m_path));
    QCOMPARE(form.richEdit()->toPlainText(), kLesson);
    QVERIFY(form.richEdit()->isReadOnly());
    QCOMPARE(form.richEdit()->objectName(), QStringLiteral("RichEdit1"));
}

void TestTutorial::load_missingFileIsReported()
{
    TTutorialForm form;
    QVERIFY_THROWS_EXCEPTION(shell::Error, form.load(m_dir.filePath(QStringLiteral("NONE.RTF"))));
}

void TestTutorial::load_oversizedFileIsRefused()
{
    const QString path = m_dir.filePath(QStringLiteral("HUGE.RTF"));
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize(runtime::kMaxRichTextFileSize + 1));
    }
    QTextDocument document;
    try {
        runtime::LoadRichTextFile(&document, path);
        QFAIL("no error");
    } catch (const shell::Error& error) {
        QVERIFY(error.message().contains(QStringLiteral("too large")));
    }
    QVERIFY(document.isEmpty());
}

void TestTutorial::menus_captionsAndNames()
{
    TTutorialForm form;
    const struct
    {
        const char* name;
        const char* caption;
    } items[] = {
        {"MQuit", "&Quit"}, {"MFind", "&Find"}, {"MPrintPrint", "&Print"}, {"MPrintSetup", "Printer &Setup"}};
    for (const auto& item : items) {
        auto* action = form.findChild<QAction*>(QLatin1String(item.name));
        QVERIFY2(action, item.name);
        QCOMPARE(action->text(), QString::fromLatin1(item.caption));
    }
    QCOMPARE(form.findChild<QMenu*>(QStringLiteral("MPrint"))->title(), QStringLiteral("&Print"));
}

void TestTutorial::find_thirtySelectedCharactersKeepPreviousText()
{
    ScriptedDialogs dialogs;
    TTutorialForm form;
    form.load(m_path);
    form.show();
    form.findNext(QStringLiteral("lava"));
    QCOMPARE(form.searchText(), QStringLiteral("lava"));
    Select(form.richEdit(), 0, 30);
    form.findChild<QAction*>(QStringLiteral("MFind"))->trigger();
    QCOMPARE(form.searchText(), QStringLiteral("lava"));
    auto* box = form.findChild<runtime::TFindReplaceForm*>(QStringLiteral("FindDialog"));
    QVERIFY(box && box->isVisible());
    QCOMPARE(box->findText(), QStringLiteral("lava"));
}

void TestTutorial::find_selectionOfOneToTwentyNineBecomesSearchText_data()
{
    QTest::addColumn<int>("length");
    QTest::newRow("1") << 1;
    QTest::newRow("7") << 7;
    QTest::newRow("29") << 29;
}

void TestTutorial::find_selectionOfOneToTwentyNineBecomesSearchText()
{
    QFETCH(int, length);
    ScriptedDialogs dialogs;
    TTutorialForm form;
    form.load(m_path);
    form.show();
    form.findNext(QStringLiteral("lava"));
    Select(form.richEdit(), 2, length);
    form.findChild<QAction*>(QStringLiteral("MFind"))->trigger();
    const QString expected = kLesson.mid(2, length);
    QCOMPARE(form.searchText(), expected);
    auto* box = form.findChild<runtime::TFindReplaceForm*>(QStringLiteral("FindDialog"));
    QCOMPARE(box->findChild<QLineEdit*>(QStringLiteral("FindEdit"))->text(), expected);
}

void TestTutorial::find_ignoresCaseAndSearchesAfterSelection()
{
    ScriptedDialogs dialogs;
    TTutorialForm form;
    form.load(m_path);
    form.show();
    form.findNext(QStringLiteral("VOLCANO"));
    QCOMPARE(form.richEdit()->textCursor().selectionStart(), 2);
    QCOMPARE(form.richEdit()->textCursor().selectedText(), QStringLiteral("volcano"));
    form.findNext(QStringLiteral("VOLCANO"));
    QCOMPARE(form.richEdit()->textCursor().selectionStart(), kLesson.indexOf(QStringLiteral("Volcanoes")));
    // Not a whole-word search: "vulcano" is found inside "Vulcano," as well.
    form.findNext(QStringLiteral("ulcan"));
    QCOMPARE(form.richEdit()->textCursor().selectedText(), QStringLiteral("ulcan"));
    QCOMPARE(dialogs.beeps, 0);
}

void TestTutorial::find_beepsWhenNotFound()
{
    ScriptedDialogs dialogs;
    TTutorialForm form;
    form.load(m_path);
    form.show();
    form.findNext(QStringLiteral("glacier"));
    QCOMPARE(dialogs.beeps, 1);
    // The search runs to the end only: after the last "crust" there is none, even though one
    // lies before the selection.
    form.findNext(QStringLiteral("crust"));
    QCOMPARE(dialogs.beeps, 1);
    form.findNext(QStringLiteral("crust"));
    QCOMPARE(dialogs.beeps, 2);
    QCOMPARE(form.richEdit()->textCursor().selectedText(), QStringLiteral("crust"));
}

void TestTutorial::quit_closesViewer()
{
    TTutorialForm form;
    form.show();
    form.findChild<QAction*>(QStringLiteral("MQuit"))->trigger();
    QVERIFY(!form.isVisible());
}

void TestTutorial::showTutorial_missingFileShowsError()
{
    ScriptedDialogs dialogs;
    runtime::ShowTutorial(m_dir.filePath(QStringLiteral("GONE.RTF")));
    QCOMPARE(dialogs.errors.size(), 1);
    QVERIFY(dialogs.errors.first().startsWith(QStringLiteral("Cannot read ")));
    QVERIFY(dialogs.errors.first().contains(QStringLiteral("GONE.RTF")));
}

void TestTutorial::print_toPdfHasTextAndPathAsTitle()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext is not installed");
    ScriptedDialogs dialogs;
    TTutorialForm form;
    form.load(m_path);
    const QString pdf = m_dir.filePath(QStringLiteral("tutorial.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    form.printTo(printer);
    const QString text = RunTool(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    QVERIFY2(text.contains(QStringLiteral("Volcanoes erupt lava, ash and gases.")), qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("an island near Sicily")));
    if (!QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty()) {
        const QString info = RunTool(QStringLiteral("pdfinfo"), {pdf});
        QVERIFY2(info.contains(
                     QRegularExpression(QStringLiteral("Title:\\s+") + QRegularExpression::escape(m_path))),
                 qPrintable(info));
    }
}

void TestTutorial::programTutorial_isWellFormedRtf()
{
    const QByteArray rtf = ReadAll(SourceFile(QStringLiteral("QUORVELA.RTF")));
    QVERIFY(rtf.size() > 4000);
    QVERIFY(rtf.startsWith("{\\rtf1\\ansi"));
    QVERIFY(rtf.contains("{\\fonttbl"));
    QVERIFY(rtf.contains("{\\colortbl"));
    // Braces balance (escaped braces aside) and never close below the outer group.
    int depth = 0;
    for (qsizetype i = 0; i < rtf.size(); ++i) {
        if (rtf[i] == '\\') {
            ++i;
            continue;
        }
        if (rtf[i] == '{')
            ++depth;
        if (rtf[i] == '}')
            --depth;
        QVERIFY2(depth > 0 || i == rtf.size() - 1 || rtf.mid(i + 1).trimmed().isEmpty(),
                 qPrintable(QStringLiteral("outer group closes at byte %1").arg(i)));
    }
    QCOMPARE(depth, 0);
    // Stored page text must never start a line with a bracket; the tutorial keeps the same rule.
    for (const QByteArray& line : rtf.split('\n')) {
        QVERIFY2(!line.startsWith('[') && !line.startsWith(']'), line.constData());
        QVERIFY2(line.size() < 256, line.left(60).constData());
    }
    // Plain 7-bit text: accented letters go through \'hh escapes.
    for (const char c : rtf)
        QVERIFY(static_cast<unsigned char>(c) < 0x80);
    // The lesson walks through the whole road to a program.
    for (const char* step : {"Start New List", "Add a Topic", "Text Only", "PreView Program",
                             "Compile Study List", "Create Executable", "Topic Order", ".EXE"})
        QVERIFY2(rtf.contains(step), step);
}

void TestTutorial::programTutorial_liesBesideTheProgram()
{
    const QString bin = qEnvironmentVariable("QUORVEL_BIN_DIR");
    if (bin.isEmpty())
        QSKIP("QUORVEL_BIN_DIR is not set");
    const QString built = QDir(bin).filePath(QStringLiteral("QUORVELA.RTF"));
    QCOMPARE(ReadAll(built), ReadAll(SourceFile(QStringLiteral("QUORVELA.RTF"))));
    ScriptedDialogs dialogs;
    TTutorialForm form;
    form.load(built);
    QVERIFY(!form.richEdit()->document()->isEmpty());
}

QTEST_MAIN(TestTutorial)
#include "tst_tutorial.moc"
