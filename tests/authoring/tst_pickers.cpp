// The media pickers, the program kind choices and the command type dialog: validation, copying
// into the Study List directory, and the values they return.

#include "authoring/filepickers.h"
#include "authoring/tcommandtypeform.h"
#include "authoring/texechoiceform.h"
#include "modaldriver.h"
#include "scripteddialogs.h"
#include "testfiles.h"

#include <QApplication>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace authoring;

class TestPickers : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void wavePicker_emptyFieldIsRefused();
    void wavePicker_listClickNamesFileAndEnablesView();
    void findFile_copiesIntoStudyListOnYes();
    void findFile_declinedCopyKeepsField();
    void findFile_neverOverwritesExistingFile();
    void graphicPicker_durationRules();
    void graphicPicker_returnsFileAndDuration();
    void exePicker_splitsAndJoinsParameters();
    void exePicker_listsExecutables();
    void exePicker_skipsExecutableNonPrograms();
    void durationRefused_selectsTheResetText();
    void commandType_viewShowsPictureWithTopicTitle();
    void graphicSound_checksGraphicThenSound();
    void windowsProgram_emptyRefused();
    void exeChoice_htmlGivesTypeTen();
    void commandType_zeroShowsExecutable();
    void commandType_messagesPerCode_data();
    void commandType_messagesPerCode();
    void commandType_valueFollowsCheckedType();
    void captionsAndHelpContexts();

private:
    ScriptedDialogs* m_dialogs = nullptr;
    QTemporaryDir* m_dir = nullptr;
    QTemporaryDir* m_elsewhere = nullptr;
};

void TestPickers::init()
{
    m_dialogs = new ScriptedDialogs;
    m_dir = new QTemporaryDir;
    m_elsewhere = new QTemporaryDir;
}

void TestPickers::cleanup()
{
    delete m_elsewhere;
    delete m_dir;
    delete m_dialogs;
}

void TestPickers::wavePicker_emptyFieldIsRefused()
{
    TGetAudioForm form(m_dir->path(), QString());
    form.show();
    QVERIFY(!form.viewButton()->isEnabled());
    form.findChild<QPushButton*>("OKBtn")->click();
    QCOMPARE(m_dialogs->errors, QStringList{QStringLiteral("No Voice file has been selected")});
    QVERIFY(form.isVisible());
}

void TestPickers::wavePicker_listClickNamesFileAndEnablesView()
{
    WriteAll(m_dir->filePath("bell.wav"), "RIFF");
    WriteAll(m_dir->filePath("PIC.BMP"), "BM");
    TGetAudioForm form(m_dir->path(), QString());
    auto* list = form.findChild<QListWidget*>("FileListBox1");
    QCOMPARE(list->count(), 1);
    QString shown;
    form.onView = [&shown](const QString& v) { shown = v; };
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
    QCOMPARE(form.fileName(), QStringLiteral("bell.wav"));
    QVERIFY(form.viewButton()->isEnabled());
    form.viewButton()->click();
    QCOMPARE(shown, QStringLiteral("bell.wav"));
    form.findChild<QPushButton*>("OKBtn")->click();
    QCOMPARE(form.result(), int(QDialog::Accepted));
    QCOMPARE(form.commandValue(), QStringLiteral("bell.wav"));
}

void TestPickers::findFile_copiesIntoStudyListOnYes()
{
    WriteAll(m_elsewhere->filePath("SONG.MID"), "MThd");
    TGetMidiForm form(m_dir->path(), QString());
    m_dialogs->fileAnswers.enqueue(m_elsewhere->filePath("SONG.MID"));
    m_dialogs->yesNoAnswers.enqueue(true);
    form.fileGroup()->findFile();
    QCOMPARE(m_dialogs->questions, QStringList{QStringLiteral("Copy the file SONG.MID to the Project directory?")});
    QCOMPARE(m_dialogs->fileRequests[0].filter, QStringLiteral("MIDI Sound|*.mid"));
    QCOMPARE(m_dialogs->fileRequests[0].title, QStringLiteral("Copy a MIDI file"));
    QCOMPARE(ReadAll(m_dir->filePath("SONG.MID")), QByteArray("MThd"));
    QCOMPARE(form.fileName(), QStringLiteral("SONG.MID"));
    QCOMPARE(form.findChild<QListWidget*>("FileListBox1")->count(), 1);
}

void TestPickers::findFile_declinedCopyKeepsField()
{
    WriteAll(m_elsewhere->filePath("FILM.AVI"), "RIFF");
    TGetVideoForm form(m_dir->path(), QStringLiteral("OLD.AVI"));
    m_dialogs->fileAnswers.enqueue(m_elsewhere->filePath("FILM.AVI"));
    m_dialogs->yesNoAnswers.enqueue(false);
    form.fileGroup()->findFile();
    QCOMPARE(form.fileName(), QStringLiteral("OLD.AVI"));
    QVERIFY(!QFile::exists(m_dir->filePath("FILM.AVI")));
    // A file of that name already in the directory is taken even without copying.
    WriteAll(m_dir->filePath("FILM.AVI"), "here");
    m_dialogs->fileAnswers.enqueue(m_elsewhere->filePath("FILM.AVI"));
    m_dialogs->yesNoAnswers.enqueue(false);
    form.fileGroup()->findFile();
    QCOMPARE(form.fileName(), QStringLiteral("FILM.AVI"));
}

void TestPickers::findFile_neverOverwritesExistingFile()
{
    WriteAll(m_elsewhere->filePath("BELL.WAV"), "new");
    WriteAll(m_dir->filePath("bell.wav"), "old");
    TGetAudioForm form(m_dir->path(), QString());
    m_dialogs->fileAnswers.enqueue(m_elsewhere->filePath("BELL.WAV"));
    m_dialogs->yesNoAnswers.enqueue(true);
    form.fileGroup()->findFile();
    QCOMPARE(ReadAll(m_dir->filePath("bell.wav")), QByteArray("old"));
    QVERIFY(!QFile::exists(m_dir->filePath("BELL.WAV")));
    QCOMPARE(form.fileName(), QStringLiteral("BELL.WAV"));
}

void TestPickers::graphicPicker_durationRules()
{
    TGetGraphicForm form(m_dir->path(), QStringLiteral("A.BMP"), 0);
    DurationField* duration = form.durationField();
    QCOMPARE(duration->text(), QStringLiteral("0"));
    QCOMPARE(duration->maxLength(), 4);
    duration->setText(QString());
    QVERIFY(duration->normalise());
    QCOMPARE(duration->text(), QStringLiteral("0"));
    duration->setText(QStringLiteral("5x"));
    QVERIFY(!duration->normalise());
    QCOMPARE(m_dialogs->errors, QStringList{QStringLiteral("That is not a valid number")});
    QCOMPARE(duration->text(), QStringLiteral("0"));
}

void TestPickers::graphicPicker_returnsFileAndDuration()
{
    WriteAll(m_dir->filePath("b.jpg"), "j");
    TGetGraphicForm form(m_dir->path(), QStringLiteral("b.jpg"), 50);
    form.show();
    form.findChild<QPushButton*>("OKBtn")->click();
    QCOMPARE(form.result(), int(QDialog::Accepted));
    QCOMPARE(form.commandValue(), QStringLiteral("b.jpg,50"));
    QCOMPARE(form.duration(), 50);
    TGetGraphicForm empty(m_dir->path(), QString(), 0);
    empty.show();
    empty.findChild<QPushButton*>("OKBtn")->click();
    QCOMPARE(m_dialogs->errors, QStringList{QStringLiteral("No Graphic file has been selected")});
}

void TestPickers::exePicker_splitsAndJoinsParameters()
{
    TGetExeForm withParams(m_dir->path(), QStringLiteral("calc.exe,-x file.txt"));
    QCOMPARE(withParams.fileName(), QStringLiteral("calc.exe"));
    QCOMPARE(withParams.parametersField()->text(), QStringLiteral("-x file.txt"));
    QCOMPARE(withParams.commandValue(), QStringLiteral("calc.exe,-x file.txt"));
    withParams.parametersField()->clear();
    QCOMPARE(withParams.commandValue(), QStringLiteral("calc.exe"));
}

void TestPickers::exePicker_listsExecutables()
{
    WriteAll(m_dir->filePath("SETUP.EXE"), "MZ");
    WriteAll(m_dir->filePath("run.sh"), "#!/bin/sh\n");
    QFile::setPermissions(m_dir->filePath("run.sh"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    WriteAll(m_dir->filePath("notes.txt"), "x");
    TGetExeForm form(m_dir->path(), QString());
    auto* list = form.findChild<QListWidget*>("FileListBox1");
    QStringList names;
    for (int i = 0; i < list->count(); ++i)
        names << list->item(i)->text();
    QCOMPARE(names, QStringList({QStringLiteral("run.sh"), QStringLiteral("SETUP.EXE")}));
}

// A FAT stick marks every file executable; only programs belong in the list.
void TestPickers::exePicker_skipsExecutableNonPrograms()
{
    WriteAll(m_dir->filePath("tool"), QByteArray("\x7f" "ELF\x02\x01\x01", 7));
    WriteAll(m_dir->filePath("PHOTO.JPG"), "\xFF\xD8\xFF");
    WriteAll(m_dir->filePath("readme"), "#not a script");
    for (const char* name : {"tool", "PHOTO.JPG", "readme"})
        QFile::setPermissions(m_dir->filePath(name), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    TGetExeForm form(m_dir->path(), QString());
    auto* list = form.findChild<QListWidget*>("FileListBox1");
    QCOMPARE(list->count(), 1);
    QCOMPARE(list->item(0)->text(), QStringLiteral("tool"));
}

void TestPickers::durationRefused_selectsTheResetText()
{
    TGetGraphicForm form(m_dir->path(), QStringLiteral("A.BMP"), 0);
    form.show();
    DurationField* duration = form.durationField();
    duration->setText(QStringLiteral("1o"));
    QVERIFY(!duration->normalise());
    QCOMPARE(duration->selectedText(), QStringLiteral("0"));
}

// The opening command has no Topic of its own: its pictures show with the current Topic title.
void TestPickers::commandType_viewShowsPictureWithTopicTitle()
{
    WriteAll(m_dir->filePath("SUN.BMP"), "b");
    storage::CommandSettings d;
    d.CommandType = 2;
    MediaActions actions;
    QStringList shown;
    actions.showMedia = [&shown](const QString& caption, const QString& value) { shown << caption << value; };
    actions.currentTopicTitle = [] { return QStringLiteral("Volcanoes"); };
    TCommandTypeForm form(d, QStringLiteral(" Opening Command Type "), 420, true, m_dir->path(), actions);
    ModalDriver driver([](QWidget* picker) {
        picker->findChild<QPushButton*>("BitBtn1")->click();
        picker->findChild<QPushButton*>("CancelBtn")->click();
    });
    form.define();
    QVERIFY(driver.opened);
    QCOMPARE(shown, QStringList({QStringLiteral("Volcanoes"), QStringLiteral("SUN.BMP,0")}));
}

void TestPickers::graphicSound_checksGraphicThenSound()
{
    TGetGrAudioForm form(m_dir->path(), QString(), QString(), 0);
    form.show();
    form.findChild<QPushButton*>("OKBtn")->click();
    form.graphicGroup()->setFileName(QStringLiteral("P.BMP"));
    form.findChild<QPushButton*>("OKBtn")->click();
    QCOMPARE(m_dialogs->errors, QStringList({QStringLiteral("No Graphic file has been selected"),
                                             QStringLiteral("No Sound file has been selected")}));
    QVERIFY(!form.viewButton()->isEnabled());
    form.soundGroup()->setFileName(QStringLiteral("S.WAV"));
    QVERIFY(form.viewButton()->isEnabled());
    form.durationField()->setText(QStringLiteral("30"));
    form.findChild<QPushButton*>("OKBtn")->click();
    QCOMPARE(form.result(), int(QDialog::Accepted));
    QCOMPARE(form.commandValue(), QStringLiteral("P.BMP,S.WAV,30"));
}

void TestPickers::windowsProgram_emptyRefused()
{
    TGetWinExeForm form{QString()};
    form.show();
    QCOMPARE(form.field()->maxLength(), 50);
    form.findChild<QPushButton*>("OKBtn")->click();
    QCOMPARE(m_dialogs->errors, QStringList{QStringLiteral("No executable file has been selected")});
}

void TestPickers::exeChoice_htmlGivesTypeTen()
{
    WriteAll(m_dir->filePath("page.htm"), "<html>");
    TExeChoiceForm form(true, {4, QString(), QString()}, m_dir->path(), {});
    QVERIFY(form.radio(4)->isChecked());
    QVERIFY(form.addButton(4)->isEnabled());
    QVERIFY(!form.addButton(10)->isEnabled());
    form.radio(10)->click();
    QVERIFY(form.addButton(10)->isEnabled());
    QVERIFY(!form.addButton(4)->isEnabled());
    QTimer::singleShot(0, [] {
        auto* picker = qobject_cast<TFilePickerForm*>(QApplication::activeModalWidget());
        QVERIFY(picker);
        QCOMPARE(picker->objectName(), QStringLiteral("TGetHTMForm"));
        picker->fileGroup()->setFileName(QStringLiteral("page.htm"));
        picker->accept();
    });
    form.add(10);
    QCOMPARE(form.choice().type, 10);
    QCOMPARE(form.choice().commandValue, QStringLiteral("page.htm"));
    QCOMPARE(form.choice().programCommand, QStringLiteral("page.htm"));
    TExeChoiceForm two(false, {9, QStringLiteral("x"), QStringLiteral("x")}, m_dir->path(), {});
    QVERIFY(two.radio(9)->isChecked());
    QCOMPARE(two.radio(9)->text(), QStringLiteral(" Internal Windows Program"));
    QVERIFY(!two.radio(10));
}

void TestPickers::commandType_zeroShowsExecutable()
{
    storage::CommandSettings zero;
    TCommandTypeForm form(zero, QStringLiteral(" Opening Command Type "), 420, true, m_dir->path(), {});
    QVERIFY(form.findChild<QRadioButton*>("RBType4")->isChecked());
    QVERIFY(form.findChild<QPushButton*>("DefineBtn4")->isEnabled());
    QVERIFY(!form.findChild<QPushButton*>("DefineBtn2")->isEnabled());
    QCOMPARE(form.definition().CommandType, qint16(4));
    storage::CommandSettings ten;
    ten.CommandType = 10;
    TCommandTypeForm tenForm(ten, QStringLiteral(" Closing Command Type "), 430, false, m_dir->path(), {});
    QVERIFY(tenForm.findChild<QRadioButton*>("RBType4")->isChecked());
}

void TestPickers::commandType_messagesPerCode_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("graphic");
    QTest::addColumn<QString>("message");
    QTest::newRow("graphic") << 2 << "" << "No Graphic File has been selected.";
    QTest::newRow("voice") << 3 << "" << "No Voice File has been selected.";
    QTest::newRow("program") << 4 << "" << "No Executable File has been defined.";
    QTest::newRow("windows program") << 9 << "" << "No Executable File has been defined.";
    QTest::newRow("pair without graphic") << 6 << "" << "No Graphic File has been selected.";
    QTest::newRow("pair without sound") << 6 << "P.BMP" << "No Sound File has been selected.";
}

void TestPickers::commandType_messagesPerCode()
{
    QFETCH(int, code);
    QFETCH(QString, graphic);
    QFETCH(QString, message);
    storage::CommandSettings d;
    d.CommandType = static_cast<qint16>(code);
    d.PairGraphicFile = graphic;
    TCommandTypeForm form(d, QStringLiteral(" Closing Command Type "), 430, false, m_dir->path(), {});
    form.show();
    form.findChild<QPushButton*>("OKBtn")->click();
    QCOMPARE(m_dialogs->errors, QStringList{message});
    QVERIFY(form.isVisible());
}

void TestPickers::commandType_valueFollowsCheckedType()
{
    storage::CommandSettings d;
    d.CommandType = 4;
    d.ProgramCommand = QStringLiteral("prog.exe");
    d.CommandLine = QStringLiteral("prog.exe");
    d.GraphicFile = QStringLiteral("OLD.BMP");
    d.Duration = 20;
    TCommandTypeForm form(d, QStringLiteral(" Closing Command Type "), 430, false, m_dir->path(), {});
    form.show();
    form.findChild<QRadioButton*>("RBType2")->click();
    form.findChild<QPushButton*>("OKBtn")->click();
    QCOMPARE(form.result(), int(QDialog::Accepted));
    QCOMPARE(form.definition().CommandType, qint16(2));
    QCOMPARE(form.definition().CommandLine, QStringLiteral("OLD.BMP,20"));
}

void TestPickers::captionsAndHelpContexts()
{
    const QList<std::tuple<QDialog*, QString, int>> forms = {
        {new TGetAudioForm(m_dir->path(), {}), " Select a .WAV  Audio  file ", 530},
        {new TGetMidiForm(m_dir->path(), {}), " Select a MIDI file ", 580},
        {new TGetVideoForm(m_dir->path(), {}), " Select .AVI Video file ", 570},
        {new TGetHTMForm(m_dir->path(), {}), " Enter HTML filename ", 547},
        {new TGetGraphicForm(m_dir->path(), {}, 0), " Select .BMP or .JPG Graphic  ", 520},
        {new TGetExeForm(m_dir->path(), {}), " Enter Executable filename ", 545},
        {new TGetGrAudioForm(m_dir->path(), {}, {}, 0), " Select .BMP or .JPG Graphic  ", 560},
        {new TGetWinExeForm({}), " Windows related Program ", 546},
    };
    for (const auto& [form, group, context] : forms) {
        QCOMPARE(form->windowTitle(), QStringLiteral("Press F1 for Help"));
        QCOMPARE(form->property("helpContext").toInt(), context);
        const QList<QGroupBox*> groups = form->findChildren<QGroupBox*>();
        QVERIFY2(std::any_of(groups.begin(), groups.end(), [title = group](QGroupBox* g) { return g->title() == title; }),
                 qPrintable(group));
        delete form;
    }
}

QTEST_MAIN(TestPickers)
#include "tst_pickers.moc"
