// The notes editor: its search and replace rules, reading and writing notes files, the questions
// and file boxes of its menus, the Edit menu's enabling, and printing to a PDF file.

#include "runtime/notesfile.h"
#include "runtime/textsearch.h"
#include "runtime/tfindreplaceform.h"
#include "runtime/thnotesform.h"
#include "scripteddialogs.h"
#include "shell/error.h"
#include "support/child.h"
#include "testfiles.h"

#include <QAction>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTimer>
#include <QtTest>

#include <optional>

using runtime::THNotesForm;

namespace {

QTextCursor Selecting(QTextDocument& document, int start, int length)
{
    QTextCursor cursor(&document);
    cursor.setPosition(start);
    cursor.setPosition(start + length, QTextCursor::KeepAnchor);
    return cursor;
}

QString PdfText(const QString& pdf)
{
    QProcess process;
    process.start(QStandardPaths::findExecutable(QStringLiteral("pdftotext")),
                  {pdf, QStringLiteral("-")});
    if (!process.waitForFinished(30000))
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Lines of printable ASCII with blanks and tabs, about `size` bytes, ending in a line break.
QByteArray SampleText(qsizetype size, const QByteArray& lineBreak)
{
    QRandomGenerator random(42);
    QByteArray bytes;
    bytes.reserve(size + 100);
    int line = 0;
    while (bytes.size() < size) {
        bytes += "Line " + QByteArray::number(++line) + "\t";
        const int length = random.bounded(0, 90);
        for (int i = 0; i < length; ++i)
            bytes += char(random.bounded(32, 127));
        bytes += lineBreak;
    }
    return bytes;
}

// Replaces the memo's text as typing would, so the memo counts as modified.
void Type(THNotesForm& form, const QString& text)
{
    form.memo()->selectAll();
    form.memo()->insertPlainText(text);
}

QAction* Action(QWidget& form, const char* name)
{
    return Child<QAction>(form, name);
}

// A notes editor started on `name` in a fresh folder. The file holds `contents` when they are
// given; otherwise it does not exist yet.
struct EditorOn
{
    QTemporaryDir dir;
    QString path;
    THNotesForm form;

    explicit EditorOn(const QString& name, const std::optional<QByteArray>& contents = std::nullopt)
        : path(dir.filePath(name))
    {
        if (contents)
            WriteAll(path, *contents);
        form.startOn(name, path);
    }
};

} // namespace

class TestNotes : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void findNext_data();
    void findNext();
    void findNext_backwardSelectionSearchesAfterIt();
    void replace_data();
    void replace();
    void replaceAll_isOneUndoStep();
    void searchTextFromSelection_data();
    void searchTextFromSelection();

    void notesFile_largeFileRoundTripsIntact_data();
    void notesFile_largeFileRoundTripsIntact();
    void notesFile_mixedLineBreaksComeBackAsLf();
    void notesFile_windows1252IsDecoded();
    void notesFile_oversizedFileIsRefused();
    void notesFile_missingFileIsReported();

    void menus_captionsShortcutsAndNames();
    void untitledSave_opensSaveTextFileBox();
    void save_writesCurrentFileAndClearsModified();
    void open_usesOpenTextFileBoxAndCaptionsName();
    void open_cancelledBoxKeepsText();
    void new_asksFirstAndCaptionsUntitled();
    void new_cancelKeepsText();
    void close_cancelKeepsEditorOpen();
    void close_yesSavesAndCloses();
    void close_yesWithCancelledSaveBoxStaysOpen();
    void close_noClosesWithoutSaving();
    void close_unmodifiedAsksNothing();
    void escape_doesNotClose();
    void ctrlS_savesFromTheMemo();
    void changedQuestion_namesFileWithoutPath();
    void startOn_missingFileIsCreatedOnSave();
    void startOn_keepsNonBreakingSpacesThroughSave();
    void openNotesEditor_resolvesNameWithoutCase();
    void editMenu_enablingFollowsSelectionAndClipboard();
    void findBox_caseSensitiveAndBeepsWhenAbsent();
    void replaceBox_replaceAllAbsentTextChangesNothing();
    void replaceBox_replaceAllReplacesEveryOccurrenceAfterSelection();
    void print_toPdfHoldsTheLines();
};

void TestNotes::findNext_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    QTest::addColumn<QString>("what");
    QTest::addColumn<int>("foundAt"); // -1: not found

    QTest::newRow("from start") << "one two one" << 0 << 0 << "one" << 0;
    QTest::newRow("after selection") << "one two one" << 0 << 3 << "one" << 8;
    QTest::newRow("inside selection is skipped") << "one two one" << 0 << 11 << "one" << -1;
    QTest::newRow("case differs") << "One two" << 0 << 0 << "one" << -1;
    QTest::newRow("exact case") << "one One" << 1 << 0 << "One" << 4;
    QTest::newRow("no wrap round") << "one two" << 4 << 0 << "one" << -1;
    QTest::newRow("empty search text") << "one two" << 0 << 0 << "" << -1;
    QTest::newRow("second line") << "alpha\nbeta gamma" << 2 << 0 << "gamma" << 11;
}

void TestNotes::findNext()
{
    QFETCH(QString, text);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    QFETCH(QString, what);
    QFETCH(int, foundAt);
    QTextDocument document;
    document.setPlainText(text);
    QTextCursor cursor = Selecting(document, selStart, selLength);
    const bool found = runtime::FindNext(document, cursor, what, Qt::CaseSensitive);
    QCOMPARE(found, foundAt >= 0);
    if (found) {
        QCOMPARE(cursor.selectionStart(), foundAt);
        QCOMPARE(cursor.selectedText(), what);
    } else {
        QCOMPARE(cursor.selectionStart(), selStart);
        QCOMPARE(cursor.selectionEnd(), selStart + selLength);
    }
}

void TestNotes::findNext_backwardSelectionSearchesAfterIt()
{
    QTextDocument document;
    document.setPlainText(QStringLiteral("cat cat cat"));
    QTextCursor cursor(&document);
    cursor.setPosition(7);
    cursor.setPosition(4, QTextCursor::KeepAnchor); // selected from right to left
    QVERIFY(runtime::FindNext(document, cursor, QStringLiteral("cat"), Qt::CaseSensitive));
    QCOMPARE(cursor.selectionStart(), 8);
}

void TestNotes::replace_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    QTest::addColumn<QString>("what");
    QTest::addColumn<QString>("with");
    QTest::addColumn<bool>("all");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("count");

    QTest::newRow("selection is the text") << "a cat a cat" << 2 << 3 << "cat"
                                           << "dog" << false << "a dog a cat" << 1;
    QTest::newRow("selection differs: find first") << "a cat a cat" << 0 << 1 << "cat"
                                                   << "dog" << false << "a dog a cat" << 1;
    QTest::newRow("all from start") << "cat cat cat" << 0 << 0 << "cat"
                                    << "dog" << true << "dog dog dog" << 3;
    QTest::newRow("all goes forward only") << "cat cat cat" << 4 << 0 << "cat"
                                           << "dog" << true << "cat dog dog" << 2;
    QTest::newRow("all, absent text, nothing selected") << "cat cat" << 0 << 0 << "cow"
                                                        << "dog" << true << "cat cat" << 0;
    QTest::newRow("all, absent text, word selected") << "cat cat" << 4 << 3 << "cow"
                                                     << "dog" << true << "cat cat" << 0;
    QTest::newRow("all, absent text, everything selected") << "cat cat" << 0 << 7 << "cow"
                                                           << "dog" << true << "cat cat" << 0;
    QTest::newRow("case must match") << "Cat cat" << 0 << 0 << "cat"
                                     << "dog" << true << "Cat dog" << 1;
    QTest::newRow("replacement holds the text") << "a a" << 0 << 0 << "a"
                                                << "aa" << true << "aa aa" << 2;
    QTest::newRow("replace with nothing") << "x-y-z" << 0 << 0 << "-"
                                          << "" << true << "xyz" << 2;
    QTest::newRow("empty search text") << "abc" << 0 << 0 << ""
                                       << "x" << true << "abc" << 0;
}

void TestNotes::replace()
{
    QFETCH(QString, text);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    QFETCH(QString, what);
    QFETCH(QString, with);
    QFETCH(bool, all);
    QFETCH(QString, expected);
    QFETCH(int, count);
    QTextDocument document;
    document.setPlainText(text);
    QTextCursor cursor = Selecting(document, selStart, selLength);
    QCOMPARE(runtime::ReplaceText(document, cursor, what, with, all), count);
    QCOMPARE(document.toPlainText(), expected);
    QCOMPARE(document.isUndoAvailable(), count > 0);
}

void TestNotes::replaceAll_isOneUndoStep()
{
    QTextDocument document;
    document.setPlainText(QStringLiteral("one fish two fish red fish"));
    QTextCursor cursor(&document);
    QCOMPARE(runtime::ReplaceText(document, cursor, QStringLiteral("fish"), QStringLiteral("cat"), true), 3);
    QCOMPARE(document.toPlainText(), QStringLiteral("one cat two cat red cat"));
    document.undo();
    QCOMPARE(document.toPlainText(), QStringLiteral("one fish two fish red fish"));
}

void TestNotes::searchTextFromSelection_data()
{
    QTest::addColumn<int>("selected");
    QTest::addColumn<bool>("taken");
    QTest::newRow("nothing selected") << 0 << false;
    QTest::newRow("one character") << 1 << true;
    QTest::newRow("29 characters") << 29 << true;
    QTest::newRow("30 characters") << 30 << false;
    QTest::newRow("200 characters") << 200 << false;
}

void TestNotes::searchTextFromSelection()
{
    QFETCH(int, selected);
    QFETCH(bool, taken);
    const QString selection(selected, QLatin1Char('x'));
    const QString result = runtime::SearchTextFromSelection(selection, QStringLiteral("before"));
    QCOMPARE(result, taken ? selection : QStringLiteral("before"));
}

void TestNotes::notesFile_largeFileRoundTripsIntact_data()
{
    QTest::addColumn<QByteArray>("lineBreak");
    QTest::newRow("LF") << QByteArray("\n");
    QTest::newRow("CR LF") << QByteArray("\r\n");
}

void TestNotes::notesFile_largeFileRoundTripsIntact()
{
    QFETCH(QByteArray, lineBreak);
    ScriptedDialogs dialogs;
    const QByteArray bytes = SampleText(200 * 1024, lineBreak);
    QVERIFY(bytes.size() > 200 * 1024);

    // Through the editor window: open, change nothing but the modified flag, save.
    EditorOn editor(QStringLiteral("BIG.TXT"), bytes);
    QCOMPARE(editor.form.memo()->blockCount(), bytes.count(lineBreak) + 1);
    editor.form.memo()->document()->setModified(true);
    QFile::remove(editor.path);
    Action(editor.form, "Save1")->trigger();
    QVERIFY(dialogs.errors.isEmpty());
    QVERIFY(ReadAll(editor.path) == bytes);
    QVERIFY(!editor.form.memo()->document()->isModified());
    QVERIFY(dialogs.fileRequests.isEmpty());
}

void TestNotes::notesFile_mixedLineBreaksComeBackAsLf()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("MIXED.TXT"));
    WriteAll(path, "one\r\ntwo\nthree\r\n");
    const runtime::NotesText notes = runtime::ReadNotesFile(path);
    QCOMPARE(notes.text, QStringLiteral("one\ntwo\nthree\n"));
    QVERIFY(!notes.crlf);
    runtime::WriteNotesFile(path, notes);
    QCOMPARE(ReadAll(path), QByteArray("one\ntwo\nthree\n"));

    // Carriage returns piled before a line end belong to it: none is left to become a line end of
    // its own when the text is written back, which would change the text read the next time.
    for (const QByteArray& bytes : {QByteArray("a\r\r\nb\n\xff"), QByteArray("a\r\r\r\nb\r\nc\rd")}) {
        WriteAll(path, bytes);
        const runtime::NotesText first = runtime::ReadNotesFile(path);
        QVERIFY(!first.text.contains(QStringLiteral("\r\n")));
        runtime::WriteNotesFile(path, first);
        const runtime::NotesText second = runtime::ReadNotesFile(path);
        QCOMPARE(second.text, first.text);
        QCOMPARE(second.crlf, first.crlf);
    }
}

void TestNotes::notesFile_windows1252IsDecoded()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("OLD.TXT"));
    WriteAll(path, "caf\xe9 \x80 5\r\n");
    const runtime::NotesText notes = runtime::ReadNotesFile(path);
    QCOMPARE(notes.text, QString::fromUtf8("café € 5\n"));
    QVERIFY(notes.crlf);
}

void TestNotes::notesFile_oversizedFileIsRefused()
{
    ScriptedDialogs dialogs;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("HUGE.TXT"));
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize(runtime::kMaxNotesFileSize + 1)); // sparse: costs no disk space
    }
    QVERIFY_THROWS_EXCEPTION(shell::Error, runtime::ReadNotesFile(path));
    const QString lines = QFileInfo(path).dir().filePath(QStringLiteral("LINES.TXT"));
    WriteAll(lines, QByteArray(runtime::kMaxNotesLines + 1, '\n'));
    QVERIFY_THROWS_EXCEPTION(shell::Error, runtime::ReadNotesFile(lines));
    WriteAll(lines, QByteArray(runtime::kMaxNotesLines, '\n'));
    QCOMPARE(runtime::ReadNotesFile(lines).text.size(), runtime::kMaxNotesLines);

    // The editor reports it and starts untitled, so a save cannot overwrite the big file.
    THNotesForm form;
    form.startOn(QStringLiteral("HUGE.TXT"), path);
    QCOMPARE(dialogs.errors.size(), 1);
    QVERIFY(dialogs.errors.first().contains(QStringLiteral("HUGE.TXT")));
    QVERIFY(form.fileName().isEmpty());
    QCOMPARE(form.windowTitle(), QStringLiteral("Current File : Untitled"));
}

void TestNotes::notesFile_missingFileIsReported()
{
    QTemporaryDir dir;
    try {
        runtime::ReadNotesFile(dir.filePath(QStringLiteral("NONE.TXT")));
        QFAIL("no error");
    } catch (const shell::Error& error) {
        QVERIFY(error.message().startsWith(QStringLiteral("Cannot read ")));
        QVERIFY(error.message().contains(QStringLiteral("NONE.TXT")));
    }
}

void TestNotes::menus_captionsShortcutsAndNames()
{
    ScriptedDialogs dialogs;
    THNotesForm form;
    QCOMPARE(form.size(), QSize(435, 300));
    QCOMPARE(form.windowTitle(), QStringLiteral("Current File : Untitled"));
    QVERIFY(form.findChild<QPlainTextEdit*>(QStringLiteral("Memo1")));
    const struct
    {
        const char* name;
        const char* caption;
        const char* keys;
    } items[] = {{"New1", "&New", "Ctrl+N"},     {"Open1", "&Open", "Ctrl+O"},
                 {"Save1", "&Save", "Ctrl+S"},   {"SaveAs1", "Save &As...", ""},
                 {"Print1", "&Print", "Ctrl+P"}, {"PrintSetup1", "Prin&t Setup...", ""},
                 {"Exit1", "E&xit", ""},         {"Cut1", "Cu&t", "Ctrl+X"},
                 {"Copy1", "&Copy", "Ctrl+C"},   {"Paste1", "&Paste", "Ctrl+V"},
                 {"Find3", "&Find...", ""},      {"Replace2", "R&eplace...", ""}};
    for (const auto& item : items) {
        QAction* action = Action(form, item.name);
        QCOMPARE(action->text(), QString::fromLatin1(item.caption));
        QCOMPARE(action->shortcut().toString(), QString::fromLatin1(item.keys));
    }
    QCOMPARE(form.findChild<QMenu*>(QStringLiteral("File1"))->title(), QStringLiteral("&File"));
    QCOMPARE(form.findChild<QMenu*>(QStringLiteral("Edit1"))->title(), QStringLiteral("&Edit"));
}

void TestNotes::untitledSave_opensSaveTextFileBox()
{
    ScriptedDialogs dialogs;
    QTemporaryDir dir;
    THNotesForm form;
    Type(form, QStringLiteral("first thoughts"));
    const QString path = dir.filePath(QStringLiteral("THOUGHTS.TXT"));
    dialogs.fileAnswers.enqueue(path);
    Action(form, "Save1")->trigger();
    QCOMPARE(dialogs.fileRequests.size(), 1);
    const platform::FileRequest& request = dialogs.fileRequests.first();
    QCOMPARE(request.title, QStringLiteral("Save Text File"));
    QCOMPARE(request.filter, QStringLiteral("Text Files|*.TXT|All Files|*.*"));
    QCOMPARE(request.defaultSuffix, QStringLiteral("TXT"));
    QVERIFY(request.confirmOverwrite);
    QVERIFY(!request.mustExist);
    QCOMPARE(ReadAll(path), QByteArray("first thoughts"));
    QCOMPARE(form.windowTitle(), QStringLiteral("Current File : THOUGHTS.TXT"));
    QCOMPARE(form.fileName(), path);
    QVERIFY(!form.memo()->document()->isModified());
}

void TestNotes::save_writesCurrentFileAndClearsModified()
{
    ScriptedDialogs dialogs;
    EditorOn editor(QStringLiteral("N.TXT"), "old\n");
    editor.form.memo()->appendPlainText(QStringLiteral("new"));
    QVERIFY(editor.form.memo()->document()->isModified());
    Action(editor.form, "Save1")->trigger();
    QVERIFY(dialogs.fileRequests.isEmpty());
    QCOMPARE(ReadAll(editor.path), QByteArray("old\n\nnew"));
    QVERIFY(!editor.form.memo()->document()->isModified());
}

void TestNotes::open_usesOpenTextFileBoxAndCaptionsName()
{
    ScriptedDialogs dialogs;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Diary.txt"));
    WriteAll(path, "Monday\nTuesday\n");
    THNotesForm form;
    dialogs.fileAnswers.enqueue(path);
    Action(form, "Open1")->trigger();
    QCOMPARE(dialogs.fileRequests.size(), 1);
    const platform::FileRequest& request = dialogs.fileRequests.first();
    QCOMPARE(request.title, QStringLiteral("Open Text File"));
    QCOMPARE(request.filter, QStringLiteral("Text Files|*.TXT|All Files|*.*"));
    QCOMPARE(request.defaultSuffix, QStringLiteral("TXT"));
    QVERIFY(request.mustExist);
    QCOMPARE(form.memo()->toPlainText(), QStringLiteral("Monday\nTuesday\n"));
    QCOMPARE(form.windowTitle(), QStringLiteral("Current File : Diary.txt"));
    QCOMPARE(form.fileName(), path);
    QVERIFY(dialogs.questions.isEmpty());
}

void TestNotes::open_cancelledBoxKeepsText()
{
    ScriptedDialogs dialogs;
    THNotesForm form;
    form.memo()->setPlainText(QStringLiteral("keep me"));
    form.memo()->document()->setModified(false);
    Action(form, "Open1")->trigger();
    QCOMPARE(form.memo()->toPlainText(), QStringLiteral("keep me"));
    QCOMPARE(form.windowTitle(), QStringLiteral("Current File : Untitled"));
}

void TestNotes::new_asksFirstAndCaptionsUntitled()
{
    ScriptedDialogs dialogs;
    EditorOn editor(QStringLiteral("A.TXT"), "a");
    editor.form.memo()->appendPlainText(QStringLiteral("b"));
    dialogs.yesNoCancelAnswers.enqueue(platform::Answer::No);
    Action(editor.form, "New1")->trigger();
    QCOMPARE(dialogs.questions, QStringList{QStringLiteral("File A.TXT has changed. Save Now?")});
    QVERIFY(editor.form.memo()->toPlainText().isEmpty());
    QVERIFY(editor.form.fileName().isEmpty());
    QCOMPARE(editor.form.windowTitle(), QStringLiteral("Current File : Untitled"));
    QCOMPARE(ReadAll(editor.path), QByteArray("a"));
}

void TestNotes::new_cancelKeepsText()
{
    ScriptedDialogs dialogs;
    THNotesForm form;
    Type(form, QStringLiteral("draft"));
    dialogs.yesNoCancelAnswers.enqueue(platform::Answer::Cancel);
    Action(form, "New1")->trigger();
    QCOMPARE(dialogs.questions.size(), 1);
    QCOMPARE(form.memo()->toPlainText(), QStringLiteral("draft"));
    QVERIFY(form.memo()->document()->isModified());
}

void TestNotes::close_cancelKeepsEditorOpen()
{
    ScriptedDialogs dialogs;
    EditorOn editor(QStringLiteral("NOTES.TXT"));
    editor.form.show();
    Type(editor.form, QStringLiteral("unsaved"));
    dialogs.yesNoCancelAnswers.enqueue(platform::Answer::Cancel);
    QVERIFY(!editor.form.close());
    QVERIFY(editor.form.isVisible());
    QCOMPARE(dialogs.questions, QStringList{QStringLiteral("File NOTES.TXT has changed. Save Now?")});
    QVERIFY(!QFile::exists(editor.path));

    // "E&xit" asks the same question.
    dialogs.yesNoCancelAnswers.enqueue(platform::Answer::Cancel);
    Action(editor.form, "Exit1")->trigger();
    QVERIFY(editor.form.isVisible());
    QCOMPARE(dialogs.questions.size(), 2);
}

void TestNotes::close_yesSavesAndCloses()
{
    ScriptedDialogs dialogs;
    EditorOn editor(QStringLiteral("NOTES.TXT"));
    editor.form.show();
    Type(editor.form, QStringLiteral("to keep"));
    dialogs.yesNoCancelAnswers.enqueue(platform::Answer::Yes);
    QVERIFY(editor.form.close());
    QVERIFY(!editor.form.isVisible());
    QCOMPARE(ReadAll(editor.path), QByteArray("to keep"));
    QVERIFY(dialogs.fileRequests.isEmpty());
}

void TestNotes::close_yesWithCancelledSaveBoxStaysOpen()
{
    ScriptedDialogs dialogs;
    THNotesForm form;
    form.show();
    Type(form, QStringLiteral("untitled text"));
    dialogs.yesNoCancelAnswers.enqueue(platform::Answer::Yes);
    QVERIFY(!form.close()); // the save box is cancelled (no file answer queued)
    QVERIFY(form.isVisible());
    QCOMPARE(dialogs.fileRequests.size(), 1);
    QCOMPARE(dialogs.fileRequests.first().title, QStringLiteral("Save Text File"));
}

void TestNotes::close_noClosesWithoutSaving()
{
    ScriptedDialogs dialogs;
    EditorOn editor(QStringLiteral("NOTES.TXT"));
    editor.form.show();
    Type(editor.form, QStringLiteral("throw away"));
    dialogs.yesNoCancelAnswers.enqueue(platform::Answer::No);
    QVERIFY(editor.form.close());
    QVERIFY(!QFile::exists(editor.path));
}

void TestNotes::close_unmodifiedAsksNothing()
{
    ScriptedDialogs dialogs;
    THNotesForm form;
    form.show();
    QVERIFY(form.close());
    QVERIFY(dialogs.questions.isEmpty());
}

void TestNotes::escape_doesNotClose()
{
    ScriptedDialogs dialogs;
    THNotesForm form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTest::keyClick(form.memo(), Qt::Key_Escape);
    QVERIFY(form.isVisible());
    QVERIFY(dialogs.questions.isEmpty());
}

void TestNotes::ctrlS_savesFromTheMemo()
{
    ScriptedDialogs dialogs;
    EditorOn editor(QStringLiteral("KEYS.TXT"));
    editor.form.show();
    editor.form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&editor.form));
    editor.form.memo()->setFocus();
    QTest::keyClicks(editor.form.memo(), QStringLiteral("typed"));
    QVERIFY(editor.form.memo()->document()->isModified());
    QTest::keyClick(editor.form.memo(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(ReadAll(editor.path), QByteArray("typed"));
    QVERIFY(!editor.form.memo()->document()->isModified());
}

void TestNotes::changedQuestion_namesFileWithoutPath()
{
    QCOMPARE(THNotesForm::ChangedQuestion(QStringLiteral("/home/pupil/notes/Week 3.TXT")),
             QStringLiteral("File Week 3.TXT has changed. Save Now?"));
    QCOMPARE(THNotesForm::ChangedQuestion(QString()), QStringLiteral("File Untitled has changed. Save Now?"));
}

void TestNotes::startOn_missingFileIsCreatedOnSave()
{
    ScriptedDialogs dialogs;
    EditorOn editor(QStringLiteral("NEW.TXT"));
    QVERIFY(editor.form.memo()->toPlainText().isEmpty());
    QCOMPARE(editor.form.windowTitle(), QStringLiteral("Current File : NEW.TXT"));
    Type(editor.form, QStringLiteral("hello"));
    Action(editor.form, "Save1")->trigger();
    QVERIFY(dialogs.fileRequests.isEmpty());
    QCOMPARE(ReadAll(editor.path), QByteArray("hello"));
}

void TestNotes::startOn_keepsNonBreakingSpacesThroughSave()
{
    ScriptedDialogs dialogs;
    const QByteArray bytes = QString::fromUtf8("10\u00a0km\nnext line\n").toUtf8();
    EditorOn editor(QStringLiteral("NBSP.TXT"), bytes);
    editor.form.memo()->document()->setModified(true);
    Action(editor.form, "Save1")->trigger();
    QCOMPARE(ReadAll(editor.path), bytes);

    // A file of the earlier 8-bit editors keeps its code page.
    EditorOn earlier(QStringLiteral("OLD.TXT"), "caf\xe9 10\xa0km\r\n");
    earlier.form.memo()->document()->setModified(true);
    Action(earlier.form, "Save1")->trigger();
    QCOMPARE(ReadAll(earlier.path), QByteArray("caf\xe9 10\xa0km\r\n"));
}

void TestNotes::openNotesEditor_resolvesNameWithoutCase()
{
    ScriptedDialogs dialogs;
    QTemporaryDir dir;
    WriteAll(dir.filePath(QStringLiteral("Reading.txt")), "chapter one");
    QString caption;
    QString text;
    QTimer::singleShot(0, this, [&] {
        auto* form = qobject_cast<THNotesForm*>(QApplication::activeModalWidget());
        QVERIFY(form);
        caption = form->windowTitle();
        text = form->memo()->toPlainText();
        form->close();
    });
    runtime::OpenNotesEditor(QStringLiteral("READING.TXT"), dir.path());
    QCOMPARE(caption, QStringLiteral("Current File : READING.TXT"));
    QCOMPARE(text, QStringLiteral("chapter one"));
}

void TestNotes::editMenu_enablingFollowsSelectionAndClipboard()
{
    ScriptedDialogs dialogs;
    THNotesForm form;
    auto* edit = form.findChild<QMenu*>(QStringLiteral("Edit1"));
    form.memo()->setPlainText(QStringLiteral("some words"));
    QGuiApplication::clipboard()->clear();
    Q_EMIT edit->aboutToShow();
    QVERIFY(!Action(form, "Cut1")->isEnabled());
    QVERIFY(!Action(form, "Copy1")->isEnabled());
    QVERIFY(!Action(form, "Paste1")->isEnabled());
    QVERIFY(Action(form, "Find3")->isEnabled());
    QVERIFY(Action(form, "Replace2")->isEnabled());

    form.memo()->selectAll();
    QGuiApplication::clipboard()->setText(QStringLiteral("clip"));
    Q_EMIT edit->aboutToShow();
    QVERIFY(Action(form, "Cut1")->isEnabled());
    QVERIFY(Action(form, "Copy1")->isEnabled());
    QVERIFY(Action(form, "Paste1")->isEnabled());

    Action(form, "Paste1")->trigger();
    QCOMPARE(form.memo()->toPlainText(), QStringLiteral("clip"));
}

void TestNotes::findBox_caseSensitiveAndBeepsWhenAbsent()
{
    ScriptedDialogs dialogs;
    THNotesForm form;
    form.show();
    form.memo()->setPlainText(QStringLiteral("Rain in Spain; rain on the plain."));
    form.memo()->moveCursor(QTextCursor::Start);
    Action(form, "Find3")->trigger();
    auto* box = form.findChild<runtime::TFindReplaceForm*>(QStringLiteral("FindDialog"));
    QVERIFY(box && box->isVisible());
    QVERIFY(!box->findChild<QLineEdit*>(QStringLiteral("ReplaceEdit")));
    box->findChild<QLineEdit*>(QStringLiteral("FindEdit"))->setText(QStringLiteral("rain"));
    auto* next = box->findChild<QPushButton*>(QStringLiteral("FindNextBtn"));
    next->click();
    QCOMPARE(form.memo()->textCursor().selectionStart(), 15);
    QCOMPARE(dialogs.beeps, 0);
    next->click();
    QCOMPARE(dialogs.beeps, 1);
    QCOMPARE(form.memo()->textCursor().selectionStart(), 15);
}

void TestNotes::replaceBox_replaceAllAbsentTextChangesNothing()
{
    ScriptedDialogs dialogs;
    THNotesForm form;
    form.show();
    form.memo()->setPlainText(QStringLiteral("nothing to see here"));
    form.memo()->document()->setModified(false);
    form.memo()->selectAll();
    Action(form, "Replace2")->trigger();
    auto* box = form.findChild<runtime::TFindReplaceForm*>(QStringLiteral("ReplaceDialog"));
    QVERIFY(box);
    box->findChild<QLineEdit*>(QStringLiteral("FindEdit"))->setText(QStringLiteral("elephant"));
    box->findChild<QLineEdit*>(QStringLiteral("ReplaceEdit"))->setText(QStringLiteral("mouse"));
    box->findChild<QPushButton*>(QStringLiteral("ReplaceAllBtn"))->click();
    QCOMPARE(form.memo()->toPlainText(), QStringLiteral("nothing to see here"));
    QVERIFY(!form.memo()->document()->isModified());
    QCOMPARE(dialogs.beeps, 1);
}

void TestNotes::replaceBox_replaceAllReplacesEveryOccurrenceAfterSelection()
{
    ScriptedDialogs dialogs;
    THNotesForm form;
    form.show();
    form.memo()->setPlainText(QStringLiteral("colour, Colour, colour\ncolour"));
    form.memo()->moveCursor(QTextCursor::Start);
    Action(form, "Replace2")->trigger();
    auto* box = form.findChild<runtime::TFindReplaceForm*>(QStringLiteral("ReplaceDialog"));
    box->findChild<QLineEdit*>(QStringLiteral("FindEdit"))->setText(QStringLiteral("colour"));
    box->findChild<QLineEdit*>(QStringLiteral("ReplaceEdit"))->setText(QStringLiteral("color"));
    box->findChild<QPushButton*>(QStringLiteral("ReplaceBtn"))->click();
    QCOMPARE(form.memo()->toPlainText(), QStringLiteral("color, Colour, colour\ncolour"));
    box->findChild<QPushButton*>(QStringLiteral("ReplaceAllBtn"))->click();
    QCOMPARE(form.memo()->toPlainText(), QStringLiteral("color, Colour, color\ncolor"));
    QVERIFY(form.memo()->document()->isModified());
    QCOMPARE(dialogs.beeps, 0);
}

void TestNotes::print_toPdfHoldsTheLines()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext is not installed");
    ScriptedDialogs dialogs;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("LESSON.TXT"));
    QByteArray bytes;
    for (int i = 1; i <= 150; ++i)
        bytes += "Pupil note number " + QByteArray::number(i) + "\n";
    bytes += QByteArray("A very long line ").repeated(40) + "Finis\n";
    WriteAll(path, bytes);
    THNotesForm form;
    form.startOn(QStringLiteral("LESSON.TXT"), path);
    const QFont mono(QStringLiteral("Liberation Mono"), 11);
    form.memo()->setFont(mono);

    const QString pdf = dir.filePath(QStringLiteral("notes.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    form.printTo(printer);

    const QString text = PdfText(pdf);
    QVERIFY2(text.contains(QStringLiteral("Pupil note number 1\n")), qPrintable(text.left(300)));
    QVERIFY(text.contains(QStringLiteral("Pupil note number 75")));
    QVERIFY(text.contains(QStringLiteral("Pupil note number 150")));
    QVERIFY(text.contains(QStringLiteral("line Finis")) || text.contains(QStringLiteral("\nFinis")));
    // The wrapped line loses no word on the way.
    QCOMPARE(text.count(QStringLiteral("long")), 40);
    // 150 lines do not fit on one page: the printout goes on to further pages.
    QVERIFY(text.count(QLatin1Char('\f')) >= 2);

    // Printed in the memo's font.
    const QString pdffonts = QStandardPaths::findExecutable(QStringLiteral("pdffonts"));
    if (!pdffonts.isEmpty() && QFontInfo(mono).family() == mono.family()) {
        QProcess process;
        process.start(pdffonts, {pdf});
        QVERIFY(process.waitForFinished(30000));
        const QString fonts = QString::fromUtf8(process.readAllStandardOutput());
        QVERIFY2(fonts.contains(QStringLiteral("LiberationMono")), qPrintable(fonts));
    }
}

QTEST_MAIN(TestNotes)
#include "tst_notes.moc"
