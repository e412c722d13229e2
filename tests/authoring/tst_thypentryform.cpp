// Covers the page editor THypEntryForm and the notes file box TNoteFileForm: attributes of the
// selection, applying formats, background colour, import, and what "&OK" and "&Cancel" hand back.
#include "authoring/colorswatchbox.h"
#include "authoring/thypentryform.h"
#include "authoring/tnotefileform.h"
#include "platform/f1filter.h"
#include "platform/fonts.h"
#include "shell/faces.h"
#include "platform/rtf/rtfreader.h"
#include "platform/rtf/rtfwriter.h"
#include "shell/appstate.h"
#include "shell/colorref.h"
#include "support/child.h"
#include "support/scripteddialogs.h"
#include "support/testfiles.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextFragment>
#include <QTimer>
#include <QtTest>

using authoring::THypEntryForm;

namespace {

// The page text of an RTF document.
QStringList Page(const QByteArray& rtf)
{
    QTextDocument document;
    platform::rtf::ReadRtf(rtf, &document);
    return platform::rtf::RtfLines(document);
}

QString PageText(const QStringList& lines)
{
    QTextDocument document;
    platform::rtf::LoadRtfLines(lines, &document);
    return document.toRawText().replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
}

// Runs work on the modal dialog as soon as it is shown.
void WhenShown(const std::function<void(QWidget&)>& work)
{
    QTimer::singleShot(0, [work] {
        QWidget* dialog = QApplication::activeModalWidget();
        QVERIFY(dialog);
        work(*dialog);
    });
}

} // namespace

class TestTHypEntryForm : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void opening_mode1_captionAndHelpContext();
    void opening_mode2_captionAndHelpContext();
    void opening_listsSizesAndColours();
    void newPage_typesInDefaultFont();
    void mixedBold_showsBtnBUp_andPressingBoldsAll();
    void italicButton_togglesSelection();
    void twoFontsAndSizes_showEmptyBoxes();
    void uniformSelection_showsItsAttributes();
    void sizeBox_appliesSize_data();
    void sizeBox_appliesSize();
    void colourBox_appliesColour();
    void fontBox_appliesFontName();
    void fontBox_listsPlainNamesOnce_andSubstitutedFaces();
    void swatch_isShrunkAndShifted();
    void background_setsWorkingRecord();
    void backgroundCancelled_keepsSystemColour();
    void import_startsInStudyListFolder();
    void importPlainText_isStoredAsRtfLines();
    void importRtf_readsRichText();
    void importDocument_readsItAside();
    void importMissingFile_showsError();
    void selectAllText_selectsWholePage();
    void clearAllAndOk_keepsOldText();
    void cancel_keepsRecordAndText();
    void ok_returnsRecordAndText();
    void layoutAndViewButtons_sayWhatTheyOpen();
    void viewButton_handsWorkingPageToViewer();
    void noteFileForm_okReturnsField();
    void noteFileForm_cancelKeepsName();
    void screenshot();
};

void TestTHypEntryForm::opening_mode1_captionAndHelpContext()
{
    THypEntryForm form(storage::TopicDisplayRecord{}, {}, 1);
    QCOMPARE(form.windowTitle(), QStringLiteral("Press F1 for Help"));
    QCOMPARE(platform::F1Filter::HelpContextOf(&form), 510);
    QCOMPARE(Child<QPushButton>(form, "AdjustBtn")->text(), QStringLiteral("&Adjust Text Window"));
    QCOMPARE(platform::F1Filter::HelpContextOf(Child<QPushButton>(form, "ImportBtn")), 885);
}

void TestTHypEntryForm::opening_mode2_captionAndHelpContext()
{
    THypEntryForm form(storage::TopicDisplayRecord{}, {}, 2);
    QCOMPARE(platform::F1Filter::HelpContextOf(&form), 550);
    QCOMPARE(platform::F1Filter::HelpContextOf(Child<QTextEdit>(form, "RichEdit1")), 550);
    QCOMPARE(Child<QPushButton>(form, "AdjustBtn")->text(), QStringLiteral("&Design Display Screen"));
}

void TestTHypEntryForm::opening_listsSizesAndColours()
{
    THypEntryForm form(storage::TopicDisplayRecord{}, {}, 1);
    auto* sizes = Child<QComboBox>(form, "ComboBox2");
    QStringList sizeTexts;
    for (int i = 0; i < sizes->count(); ++i)
        sizeTexts.append(sizes->itemText(i));
    QCOMPARE(sizeTexts, THypEntryForm::SizeNames());
    QCOMPARE(sizeTexts.size(), 13);
    auto* colours = Child<authoring::ColorSwatchBox>(form, "ComboBox3");
    QCOMPARE(colours->count(), 17);
    QCOMPARE(*colours->colorRefAt(0), quint32(0x80000008));
    QCOMPARE(*colours->colorRefAt(10), quint32(0x0000FF)); // clRed
    QCOMPARE(colours->itemText(10), QString());            // swatches carry no text
    auto* fonts = Child<QComboBox>(form, "ComboBox1");
    QVERIFY(fonts->count() > 0);
    for (int i = 1; i < fonts->count(); ++i)
        QVERIFY(fonts->itemText(i - 1).compare(fonts->itemText(i), Qt::CaseInsensitive) <= 0);
    QCOMPARE(Child<QTextEdit>(form, "RichEdit1")->palette().color(QPalette::Base), QColor(Qt::white));
}

void TestTHypEntryForm::newPage_typesInDefaultFont()
{
    THypEntryForm form(storage::TopicDisplayRecord{}, {}, 1);
    auto* edit = Child<QTextEdit>(form, "RichEdit1");
    QTest::keyClicks(edit, QStringLiteral("abc"));
    const QTextCharFormat format = edit->document()->firstBlock().begin().fragment().charFormat();
    QCOMPARE(format.fontFamilies().toStringList().value(0), QStringLiteral("MS Sans Serif"));
    QCOMPARE(format.fontPointSize(), 10.0);
    QCOMPARE(format.fontWeight(), int(QFont::Bold));
    QVERIFY(Child<QPushButton>(form, "BtnB")->isChecked());
    QCOMPARE(Child<QComboBox>(form, "ComboBox2")->currentText(), QStringLiteral("10"));
}

void TestTHypEntryForm::mixedBold_showsBtnBUp_andPressingBoldsAll()
{
    THypEntryForm form(storage::TopicDisplayRecord{}, Page("{\\rtf1 plain {\\b bold} plain}"), 1);
    auto* edit = Child<QTextEdit>(form, "RichEdit1");
    auto* bold = Child<QPushButton>(form, "BtnB");
    QTest::mouseClick(Child<QPushButton>(form, "Button1"), Qt::LeftButton);
    QVERIFY(edit->textCursor().hasSelection());
    QVERIFY(!bold->isChecked());
    QTest::mouseClick(bold, Qt::LeftButton);
    QVERIFY(bold->isChecked());
    for (auto it = edit->document()->firstBlock().begin(); !it.atEnd(); ++it)
        QCOMPARE(it.fragment().charFormat().fontWeight(), int(QFont::Bold));
    QTest::mouseClick(bold, Qt::LeftButton);
    for (auto it = edit->document()->firstBlock().begin(); !it.atEnd(); ++it)
        QCOMPARE(it.fragment().charFormat().fontWeight(), int(QFont::Normal));
}

void TestTHypEntryForm::italicButton_togglesSelection()
{
    THypEntryForm form(storage::TopicDisplayRecord{}, Page("{\\rtf1 one {\\i two} three}"), 1);
    auto* edit = Child<QTextEdit>(form, "RichEdit1");
    QTextCursor cursor = edit->document()->find(QStringLiteral("two"));
    edit->setTextCursor(cursor);
    auto* italic = Child<QPushButton>(form, "BtnI");
    QVERIFY(italic->isChecked());
    QTest::mouseClick(italic, Qt::LeftButton);
    QVERIFY(!italic->isChecked());
    cursor = edit->document()->find(QStringLiteral("two"));
    QTextCursor at(edit->document());
    at.setPosition(cursor.selectionStart() + 1);
    QVERIFY(!at.charFormat().fontItalic());
}

void TestTHypEntryForm::twoFontsAndSizes_showEmptyBoxes()
{
    THypEntryForm form(
        storage::TopicDisplayRecord{},
        Page("{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1 Courier New;}}\\f0\\fs20 one \\f1\\fs28 two}"), 1);
    form.selectAllText();
    QCOMPARE(Child<QComboBox>(form, "ComboBox1")->currentIndex(), -1);
    QCOMPARE(Child<QComboBox>(form, "ComboBox2")->currentText(), QString());
}

void TestTHypEntryForm::uniformSelection_showsItsAttributes()
{
    THypEntryForm form(storage::TopicDisplayRecord{},
                       Page("{\\rtf1{\\fonttbl{\\f0 Courier New;}}{\\colortbl;\\red255\\green0\\blue0;}"
                            "\\f0\\fs28\\b\\i\\cf1 styled}"),
                       1);
    form.selectAllText();
    QVERIFY(Child<QPushButton>(form, "BtnB")->isChecked());
    QVERIFY(Child<QPushButton>(form, "BtnI")->isChecked());
    QCOMPARE(Child<QComboBox>(form, "ComboBox2")->currentText(), QStringLiteral("14"));
    auto* colours = Child<authoring::ColorSwatchBox>(form, "ComboBox3");
    QCOMPARE(colours->currentIndex(), 10);
    auto* fonts = Child<QComboBox>(form, "ComboBox1");
    const int listed = fonts->findText(QStringLiteral("Courier New"), Qt::MatchFixedString);
    QCOMPARE(fonts->currentIndex(), listed); // -1 when the font is not installed here
}

void TestTHypEntryForm::sizeBox_appliesSize_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qreal>("size");
    QTest::newRow("listed size") << QStringLiteral("24") << 24.0;
    QTest::newRow("typed size") << QStringLiteral("13") << 13.0;
    QTest::newRow("not a number takes 10") << QStringLiteral("big") << 10.0;
    QTest::newRow("empty takes 10") << QString() << 10.0;
}

void TestTHypEntryForm::sizeBox_appliesSize()
{
    QFETCH(QString, text);
    QFETCH(qreal, size);
    THypEntryForm form(storage::TopicDisplayRecord{}, Page("{\\rtf1\\fs40 words}"), 1);
    auto* sizes = Child<QComboBox>(form, "ComboBox2");
    form.selectAllText();
    sizes->setEditText(text);
    QTest::keyClick(sizes->lineEdit(), Qt::Key_Return);
    const auto* edit = Child<QTextEdit>(form, "RichEdit1");
    QCOMPARE(edit->document()->firstBlock().begin().fragment().charFormat().fontPointSize(), size);
    QVERIFY(edit->hasFocus() || !form.isVisible());
}

void TestTHypEntryForm::colourBox_appliesColour()
{
    THypEntryForm form(storage::TopicDisplayRecord{}, Page("{\\rtf1 words}"), 1);
    form.selectAllText();
    form.applyColor(13); // clBlue
    const auto* edit = Child<QTextEdit>(form, "RichEdit1");
    QCOMPARE(edit->document()->firstBlock().begin().fragment().charFormat().foreground().color(),
             QColor(0, 0, 255));
    QCOMPARE(Child<authoring::ColorSwatchBox>(form, "ComboBox3")->currentIndex(), 13);
    QVERIFY(!QGuiApplication::overrideCursor());
}

void TestTHypEntryForm::fontBox_appliesFontName()
{
    THypEntryForm form(storage::TopicDisplayRecord{}, Page("{\\rtf1 words}"), 1);
    form.selectAllText();
    form.applyFontName(QStringLiteral("Some Face"));
    const auto* edit = Child<QTextEdit>(form, "RichEdit1");
    QCOMPARE(edit->document()->firstBlock().begin().fragment().charFormat().fontFamilies().toStringList(),
             QStringList{QStringLiteral("Some Face")});
    QCOMPARE(Child<QComboBox>(form, "ComboBox1")->currentIndex(), -1); // not an installed font
    QVERIFY(!QGuiApplication::overrideCursor());
}

void TestTHypEntryForm::fontBox_listsPlainNamesOnce_andSubstitutedFaces()
{
    shell::InstallFaceSubstitutions();
    THypEntryForm form(storage::TopicDisplayRecord{}, {}, 1);
    auto* fonts = Child<QComboBox>(form, "ComboBox1");
    QStringList names;
    for (int i = 0; i < fonts->count(); ++i)
        names.append(fonts->itemText(i));
    for (const QString& name : names)
        QVERIFY2(!name.contains(QLatin1Char('[')), qPrintable(name));
    QCOMPARE(QSet<QString>(names.begin(), names.end()).size(), names.size());
    // A new page types in "MS Sans Serif", which the list shows as itself.
    QCOMPARE(fonts->currentText(), QStringLiteral("MS Sans Serif"));
    QVERIFY(names.contains(QStringLiteral("Times New Roman")));
    QCOMPARE(platform::PlainFamilyName(QStringLiteral("Nimbus Sans [URW ]")), QStringLiteral("Nimbus Sans"));
}

void TestTHypEntryForm::swatch_isShrunkAndShifted()
{
    QCOMPARE(authoring::ColorSwatchBox::SwatchRect(QRect(0, 0, 100, 20)), QRect(5, 2, 93, 16));
}

void TestTHypEntryForm::background_setsWorkingRecord()
{
    ScriptedDialogs dialogs;
    storage::TopicDisplayRecord record;
    record.TextWindowColor = shell::kWhite;
    THypEntryForm form(record, {}, 1);
    dialogs.colorAnswers.enqueue(QColor(0, 128, 255));
    QTest::mouseClick(Child<QPushButton>(form, "Button3"), Qt::LeftButton);
    QCOMPARE(form.record().TextWindowColor, quint32(0xFF8000));
    QCOMPARE(Child<QTextEdit>(form, "RichEdit1")->palette().color(QPalette::Base), QColor(0, 128, 255));
    QTest::mouseClick(Child<QPushButton>(form, "Button3"), Qt::LeftButton); // cancelled: colour stays
    QCOMPARE(form.record().TextWindowColor, quint32(0xFF8000));
}

void TestTHypEntryForm::backgroundCancelled_keepsSystemColour()
{
    ScriptedDialogs dialogs;
    storage::TopicDisplayRecord record;
    record.TextWindowColor = 0x80000005; // clWindow
    THypEntryForm form(record, {}, 1);
    form.chooseBackground();
    QCOMPARE(form.record().TextWindowColor, quint32(0x80000005));
}

void TestTHypEntryForm::import_startsInStudyListFolder()
{
    ScriptedDialogs dialogs;
    shell::AppState state;
    state.WorkingDirectory = QStringLiteral("/media/stick/VOLCANO");
    THypEntryForm form(storage::TopicDisplayRecord{}, {}, 1, nullptr, {}, &state);
    form.importFile();
    QCOMPARE(dialogs.fileRequests.size(), 1);
    QCOMPARE(dialogs.fileRequests.first().directory, state.WorkingDirectory);
}

void TestTHypEntryForm::importPlainText_isStoredAsRtfLines()
{
    ScriptedDialogs dialogs;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("NOTES.TXT"));
    WriteAll(path, "Hello caf\xc3\xa9\r\n[World]\r\n");
    THypEntryForm form(storage::TopicDisplayRecord{}, Page("{\\rtf1 old}"), 1);
    dialogs.fileAnswers.enqueue(path);
    QTest::mouseClick(Child<QPushButton>(form, "ImportBtn"), Qt::LeftButton);
    QCOMPARE(dialogs.fileRequests.size(), 1);
    QCOMPARE(dialogs.fileRequests.first().filter,
             QStringLiteral("Text and RTF Files|*.TXT;*.RTF|Word, OpenDocument, Web and Markdown "
                            "Documents|*.DOCX;*.ODT;*.HTM;*.HTML;*.MD"));
    QCOMPARE(dialogs.fileRequests.first().helpContext, 520);
    QVERIFY(dialogs.fileRequests.first().mustExist);
    const QStringList lines = form.pageText();
    QVERIFY(lines.first().startsWith(QLatin1String("{\\rtf1")));
    for (const QString& line : lines)
        QVERIFY(!line.startsWith(QLatin1Char('[')));
    QCOMPARE(PageText(lines), QStringLiteral("Hello caf\u00E9\n[World]\n"));
}

void TestTHypEntryForm::importRtf_readsRichText()
{
    ScriptedDialogs dialogs;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("page.rtf"));
    WriteAll(path, "{\\rtf1 {\\b strong} text}");
    THypEntryForm form(storage::TopicDisplayRecord{}, {}, 1);
    dialogs.fileAnswers.enqueue(path);
    form.importFile();
    const auto* edit = Child<QTextEdit>(form, "RichEdit1");
    QCOMPARE(edit->toPlainText(), QStringLiteral("strong text"));
    QCOMPARE(edit->document()->firstBlock().begin().fragment().charFormat().fontWeight(), int(QFont::Bold));
}

void TestTHypEntryForm::importDocument_readsItAside()
{
    ScriptedDialogs dialogs;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Lesson.md"));
    WriteAll(path, "# Lava\n\nHot rock.\n");
    THypEntryForm form(storage::TopicDisplayRecord{}, Page("{\\rtf1 old}"), 1);
    dialogs.fileAnswers.enqueue(path);
    form.importFile();
    QCOMPARE(Child<QTextEdit>(form, "RichEdit1")->toPlainText(), QStringLiteral("Lava\nHot rock."));
    // A document that cannot be read names the reason and leaves the page alone.
    WriteAll(dir.filePath(QStringLiteral("Broken.docx")), "not a zip");
    dialogs.fileAnswers.enqueue(dir.filePath(QStringLiteral("Broken.docx")));
    QTest::mouseClick(Child<QPushButton>(form, "ImportBtn"), Qt::LeftButton);
    QCOMPARE(dialogs.errors.size(), 1);
    QVERIFY(dialogs.errors.first().contains(QStringLiteral("not a Word document")));
    QCOMPARE(Child<QTextEdit>(form, "RichEdit1")->toPlainText(), QStringLiteral("Lava\nHot rock."));
}

void TestTHypEntryForm::importMissingFile_showsError()
{
    ScriptedDialogs dialogs;
    QTemporaryDir dir;
    THypEntryForm form(storage::TopicDisplayRecord{}, Page("{\\rtf1 kept}"), 1);
    dialogs.fileAnswers.enqueue(dir.filePath(QStringLiteral("MISSING.TXT")));
    QTest::mouseClick(Child<QPushButton>(form, "ImportBtn"), Qt::LeftButton);
    QCOMPARE(dialogs.errors.size(), 1);
    QVERIFY(dialogs.errors.first().contains(QStringLiteral("MISSING.TXT")));
    QCOMPARE(Child<QTextEdit>(form, "RichEdit1")->toPlainText(), QStringLiteral("kept"));
}

void TestTHypEntryForm::selectAllText_selectsWholePage()
{
    THypEntryForm form(storage::TopicDisplayRecord{}, Page("{\\rtf1 one\\par two}"), 1);
    QTest::mouseClick(Child<QPushButton>(form, "Button1"), Qt::LeftButton);
    QCOMPARE(Child<QTextEdit>(form, "RichEdit1")->textCursor().selectedText(),
             QStringLiteral("one\u2029two"));
}

void TestTHypEntryForm::clearAllAndOk_keepsOldText()
{
    const QStringList old = Page("{\\rtf1 old page}");
    QStringList text = old;
    storage::TopicDisplayRecord record;
    WhenShown([](QWidget& dialog) {
        QTest::mouseClick(Child<QPushButton>(dialog, "Button2"), Qt::LeftButton);
        QVERIFY(Child<QTextEdit>(dialog, "RichEdit1")->document()->isEmpty());
        QTest::mouseClick(Child<QPushButton>(dialog, "OKBtn"), Qt::LeftButton);
    });
    QVERIFY(authoring::EditPage(record, text, 1));
    QCOMPARE(text, old);
}

void TestTHypEntryForm::cancel_keepsRecordAndText()
{
    ScriptedDialogs dialogs;
    dialogs.colorAnswers.enqueue(QColor(Qt::red));
    const QStringList old = Page("{\\rtf1 old page}");
    QStringList text = old;
    storage::TopicDisplayRecord record;
    record.TextWindowColor = 0x00FFFF;
    WhenShown([](QWidget& dialog) {
        QTest::mouseClick(Child<QPushButton>(dialog, "Button3"), Qt::LeftButton);
        QTest::keyClicks(Child<QTextEdit>(dialog, "RichEdit1"), QStringLiteral("new "));
        QTest::mouseClick(Child<QPushButton>(dialog, "CancelBtn"), Qt::LeftButton);
    });
    QVERIFY(!authoring::EditPage(record, text, 1));
    QCOMPARE(record.TextWindowColor, quint32(0x00FFFF));
    QCOMPARE(text, old);
}

void TestTHypEntryForm::ok_returnsRecordAndText()
{
    ScriptedDialogs dialogs;
    dialogs.colorAnswers.enqueue(QColor(Qt::blue));
    QStringList text = Page("{\\rtf1 page}");
    storage::TopicDisplayRecord record;
    WhenShown([](QWidget& dialog) {
        QTest::mouseClick(Child<QPushButton>(dialog, "Button3"), Qt::LeftButton);
        QTest::keyClicks(Child<QTextEdit>(dialog, "RichEdit1"), QStringLiteral("[new] "));
        QTest::mouseClick(Child<QPushButton>(dialog, "OKBtn"), Qt::LeftButton);
    });
    QVERIFY(authoring::EditPage(record, text, 2));
    QCOMPARE(record.TextWindowColor, quint32(0xFF0000));
    QCOMPARE(PageText(text), QStringLiteral("[new] page"));
}

void TestTHypEntryForm::layoutAndViewButtons_sayWhatTheyOpen()
{
    THypEntryForm form(storage::TopicDisplayRecord{}, {}, 1);
    auto* view = Child<QPushButton>(form, "ViewBtn");
    auto* adjust = Child<QPushButton>(form, "AdjustBtn");
    QCOMPARE(view->text(), QStringLiteral("&View"));
    QVERIFY(!view->isEnabled());
    QVERIFY(view->toolTip().contains(QStringLiteral("page display")));
    QVERIFY(adjust->isEnabled());
}

void TestTHypEntryForm::viewButton_handsWorkingPageToViewer()
{
    ScriptedDialogs dialogs;
    int shownMode = 0;
    storage::TopicDisplayRecord shownRecord;
    QStringList shownText;
    bool editorShown = true;
    storage::TopicDisplayRecord record;
    record.TextLeft = 33;
    THypEntryForm form(record, {}, 2, nullptr,
                       [&](int mode, const storage::TopicDisplayRecord& page, const QStringList& text) {
                           shownMode = mode;
                           shownRecord = page;
                           shownText = text;
                           editorShown = form.isVisible();
                       });
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    auto* view = Child<QPushButton>(form, "ViewBtn");
    QVERIFY(view->isEnabled());
    auto* edit = Child<QTextEdit>(form, "RichEdit1");
    QTest::keyClicks(edit, QStringLiteral("Lava flows"));
    dialogs.colorAnswers.enqueue(QColor(0, 128, 255));
    QTest::mouseClick(Child<QPushButton>(form, "Button3"), Qt::LeftButton);
    QTest::mouseClick(view, Qt::LeftButton);
    QCOMPARE(shownMode, 2);
    QCOMPARE(shownRecord.TextLeft, 33);
    QCOMPARE(shownRecord.TextWindowColor, quint32(0xFF8000));
    QTextDocument shown;
    QVERIFY(platform::rtf::LoadRtfLines(shownText, &shown));
    QCOMPARE(shown.toPlainText(), QStringLiteral("Lava flows"));
    // Out of sight while the page shows, back in place afterwards.
    QVERIFY(!editorShown);
    QVERIFY(form.isVisible());
    QVERIFY(form.pos().x() > -10000);
    QCOMPARE(form.focusWidget(), edit);
}

void TestTHypEntryForm::noteFileForm_okReturnsField()
{
    QString name = QStringLiteral("OLD.TXT");
    WhenShown([](QWidget& dialog) {
        QCOMPARE(platform::F1Filter::HelpContextOf(&dialog), 590);
        auto* edit = Child<QLineEdit>(dialog, "Edit1");
        QCOMPARE(edit->text(), QStringLiteral("OLD.TXT"));
        QCOMPARE(edit->maxLength(), 60);
        edit->setText(QStringLiteral("NEW.TXT"));
        QTest::mouseClick(Child<QPushButton>(dialog, "OKBtn"), Qt::LeftButton);
    });
    QVERIFY(authoring::EditNotesFileName(name));
    QCOMPARE(name, QStringLiteral("NEW.TXT"));
}

void TestTHypEntryForm::noteFileForm_cancelKeepsName()
{
    QString name = QStringLiteral("OLD.TXT");
    WhenShown([](QWidget& dialog) {
        Child<QLineEdit>(dialog, "Edit1")->setText(QStringLiteral("NEW.TXT"));
        QTest::mouseClick(Child<QPushButton>(dialog, "CancelBtn"), Qt::LeftButton);
    });
    QVERIFY(!authoring::EditNotesFileName(name));
    QCOMPARE(name, QStringLiteral("OLD.TXT"));
}

// Saves pictures of the windows for a person to look at when QUORVEL_SCREENSHOT_DIR names a folder.
void TestTHypEntryForm::screenshot()
{
    const QString folder = qEnvironmentVariable("QUORVEL_SCREENSHOT_DIR");
    if (folder.isEmpty())
        QSKIP("QUORVEL_SCREENSHOT_DIR is not set");
    THypEntryForm form(
        storage::TopicDisplayRecord{},
        Page("{\\rtf1{\\fonttbl{\\f0 DejaVu Sans;}}{\\colortbl;\\red128\\green0\\blue0;}\\f0\\fs24\\b "
             "Volcanoes\\par\\b0\\fs20 A volcano is an opening in the crust. {\\cf1\\i Lava} flows.}"),
        1);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QVERIFY(form.grab().save(folder + QStringLiteral("/thypentryform.png")));
    authoring::TNoteFileForm notes(QStringLiteral("NOTES.TXT"));
    notes.show();
    QVERIFY(QTest::qWaitForWindowExposed(&notes));
    QVERIFY(notes.grab().save(folder + QStringLiteral("/tnotefileform.png")));
}

QTEST_MAIN(TestTHypEntryForm)
#include "tst_thypentryform.moc"
