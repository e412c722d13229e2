// The Program Presentation dialog and the dialogs it owns (help file, about box designer, menu
// button captions): what each shows on opening, the checks on Save and OK, and what reaches the
// settings and the topic store.
#include "design/tchangetextform.h"
#include "design/tdesignaboutform.h"
#include "design/thelpfileform.h"
#include "design/tprogconfigform.h"
#include "storage/topicops.h"
#include "storage/topicstore.h"
#include "support/child.h"
#include "support/modaldriver.h"
#include "support/scripteddialogs.h"
#include "support/testfiles.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

using design::TProgConfigForm;

class TestProgramPresentation : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_directory;
    QString m_store;
    storage::PresentationBlock m_block;
    storage::ProgramSettings m_program;

    std::unique_ptr<TProgConfigForm> form(design::PresentationDesigners designers = {})
    {
        auto dialog = std::make_unique<TProgConfigForm>(m_block, m_program, m_store, m_directory, designers);
        dialog->show();
        return dialog;
    }
    static void save(QWidget& dialog) { Child<QPushButton>(dialog, "BitBtn1")->click(); }

    // Designers whose introduction designer sets the text it is given.
    static design::PresentationDesigners introWriting(const QStringList& text)
    {
        design::PresentationDesigners designers;
        designers.designIntroduction = [text](storage::PresentationBlock&, storage::ProgramSettings&,
                                              QStringList& lines, QWidget*) {
            lines = text;
            return true;
        };
        return designers;
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_directory = m_dir->path() + QLatin1Char('/');
        m_store = m_directory + QStringLiteral("QUAKES.SWR");
        m_block = {};
        m_program = {};
    }
    void cleanup() { m_dir.reset(); }

    void opening_showsTheRecord()
    {
        WriteAll(m_directory + QStringLiteral("quake.ico"), "icon");
        m_program.Title = QStringLiteral("Earthquakes");
        m_program.UseIcon = true;
        m_program.IconFile = QStringLiteral("QUAKE.ICO");
        m_program.ShowVideoModeAdvisory = true;
        m_block.UseOpeningCommand = true;
        m_block.UseAboutBox = true;
        const auto dialog = form();
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Press F1 for Help"));
        QCOMPARE(dialog->property("helpContext").toInt(), 400);
        QCOMPARE(Child<QLineEdit>(*dialog, "Edit1")->text(), QStringLiteral("Earthquakes"));
        QVERIFY(Child<QWidget>(*dialog, "GroupBox2")->isVisible());
        QCOMPARE(Child<QLineEdit>(*dialog, "IconEdit")->text(), QStringLiteral("QUAKE.ICO"));
        QCOMPARE(Child<QListWidget>(*dialog, "FileListBox1")->currentItem()->text(), QStringLiteral("quake.ico"));
        QVERIFY(Child<QCheckBox>(*dialog, "VideoChkBx")->isChecked());
        QVERIFY(!Child<QPushButton>(*dialog, "HelpBtn")->isEnabled());
        QVERIFY(Child<QPushButton>(*dialog, "OpenBtn")->isEnabled());
        QVERIFY(!Child<QPushButton>(*dialog, "CloseBtn")->isEnabled());
        QVERIFY(Child<QPushButton>(*dialog, "AboutBtn")->isEnabled());
        QVERIFY(!Child<QPushButton>(*dialog, "IntroBtn")->isEnabled());

        // Switching a box on enables its button; the icon group follows "Use Icon".
        Child<QCheckBox>(*dialog, "CloseChkBx")->click();
        QVERIFY(Child<QPushButton>(*dialog, "CloseBtn")->isEnabled());
        Child<QCheckBox>(*dialog, "IconChkBx")->click();
        QVERIFY(!Child<QWidget>(*dialog, "GroupBox2")->isVisible());
    }

    void missingIcon_isNotReported_andNothingSelected()
    {
        ScriptedDialogs dialogs;
        WriteAll(m_directory + QStringLiteral("OTHER.ICO"), "icon");
        m_program.UseIcon = true;
        m_program.IconFile = QStringLiteral("GONE.ICO");
        const auto dialog = form();
        QVERIFY(Child<QListWidget>(*dialog, "FileListBox1")->selectedItems().isEmpty());
        save(*dialog);
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        QVERIFY(dialogs.errors.isEmpty());
    }

    void save_undefinedCommands_keepTheDialogOpen_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("message");
        QTest::newRow("opening") << "OpenChkBx" << "OpenBtn" << "The Opening Command has not been defined";
        QTest::newRow("closing") << "CloseChkBx" << "CloseBtn" << "The Closing Command has not been defined";
    }
    void save_undefinedCommands_keepTheDialogOpen()
    {
        QFETCH(QString, box);
        QFETCH(QString, button);
        QFETCH(QString, message);
        ScriptedDialogs dialogs;
        const auto dialog = form();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        dialog->activateWindow();
        Child<QCheckBox>(*dialog, box.toLatin1().constData())->click();
        save(*dialog);
        QCOMPARE(dialogs.errors, QStringList{message});
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->focusWidget(), Child<QWidget>(*dialog, button.toLatin1().constData()));
    }

    void save_commandDefinedBeforeOpening_isAccepted()
    {
        ScriptedDialogs dialogs;
        m_block.UseOpeningCommand = true;
        m_block.OpeningCommand.CommandType = 2;
        m_block.OpeningCommand.CommandLine = QStringLiteral("SPLASH.BMP,,,,,30");
        const auto dialog = form();
        save(*dialog);
        QVERIFY(dialogs.errors.isEmpty());
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        QVERIFY(dialog->block().UseOpeningCommand);
    }

    void save_helpFileWithoutStartingTopic_turnsHelpOff()
    {
        m_program.UseHelpFile = true;
        m_program.HelpFile = QStringLiteral("QUAKES.HLP");
        m_program.HelpStartTopic = 0;
        const auto dialog = form();
        QVERIFY(Child<QPushButton>(*dialog, "HelpBtn")->isEnabled());
        save(*dialog);
        QVERIFY(!dialog->program().UseHelpFile);
        QVERIFY(dialog->program().HelpFile.isEmpty());
        QCOMPARE(dialog->program().HelpStartTopic, 0);
    }

    void save_titleAndHelpKept()
    {
        m_program.UseHelpFile = true;
        m_program.HelpFile = QStringLiteral("QUAKES.HLP");
        m_program.HelpStartTopic = 3;
        const auto dialog = form();
        Child<QLineEdit>(*dialog, "Edit1")->setText(QStringLiteral("Volcanoes"));
        save(*dialog);
        QCOMPARE(dialog->program().Title, QStringLiteral("Volcanoes"));
        QVERIFY(dialog->program().UseHelpFile);
        QCOMPARE(dialog->program().HelpStartTopic, 3);
    }

    void introductionOff_deletesTheEntry()
    {
        storage::AppendCommandEntry(m_store, QStringLiteral("Rocks"), 8, storage::kTopicKind, QStringLiteral("R.HTM"));
        storage::AppendIntroEntry(m_store, {QStringLiteral("Welcome")});
        m_block.UseIntroduction = true;
        const auto dialog = form();
        Child<QCheckBox>(*dialog, "IntroChkBx")->click();
        save(*dialog);
        QStringList text;
        QVERIFY(!storage::ReadIntroText(m_store, text));
        QStringList names;
        storage::ListEntryNames(names, m_store, storage::kTopicKind);
        QCOMPARE(names, QStringList{QStringLiteral("Rocks")});
    }

    void introductionOnButNotEdited_leavesTheStore()
    {
        storage::AppendIntroEntry(m_store, {QStringLiteral("Welcome")});
        const QByteArray before = ReadAll(m_store);
        m_block.UseIntroduction = true;
        const auto dialog = form();
        save(*dialog);
        QCOMPARE(ReadAll(m_store), before);
        QVERIFY(dialog->block().UseIntroduction);
    }

    void introductionEdited_isWrittenOnSaveOnly()
    {
        m_block.UseIntroduction = true;
        const auto dialog = form(introWriting({QStringLiteral("Hello"), QStringLiteral("reader")}));
        Child<QPushButton>(*dialog, "IntroBtn")->click();
        QVERIFY(!QFileInfo::exists(m_store));
        save(*dialog);
        QStringList text;
        QVERIFY(storage::ReadIntroText(m_store, text));
        QCOMPARE(text, (QStringList{"Hello", "reader"}));

        // Edited again in a later dialog: replaced, not added.
        const auto again = form(introWriting({QStringLiteral("Bye")}));
        Child<QPushButton>(*again, "IntroBtn")->click();
        save(*again);
        text.clear();
        QVERIFY(storage::ReadIntroText(m_store, text));
        QCOMPARE(text, QStringList{QStringLiteral("Bye")});
    }

    void introductionEditedButEmpty_isRefusedAndSwitchedOff()
    {
        ScriptedDialogs dialogs;
        storage::AppendIntroEntry(m_store, {QStringLiteral("Old")});
        m_block.UseIntroduction = true;
        const auto dialog = form(introWriting({}));
        Child<QPushButton>(*dialog, "IntroBtn")->click();
        save(*dialog);
        QCOMPARE(dialogs.errors, QStringList{QStringLiteral("The Introduction has not been entered.")});
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        QVERIFY(!dialog->block().UseIntroduction);
        QStringList text;
        QVERIFY(!storage::ReadIntroText(m_store, text));
    }

    void cancel_dropsNestedChanges()
    {
        m_program.Title = QStringLiteral("Kept");
        storage::PresentationBlock block = m_block;
        storage::ProgramSettings program = m_program;
        design::PresentationDesigners designers;
        designers.designBackground = [](storage::ProgramSettings& changed, QWidget*) {
            changed.BackgroundKind = 3;
            changed.BackgroundTile = QStringLiteral("WALL.BMP");
            return true;
        };
        bool background = false;
        ModalDriver driver([&background](QWidget* dialog) {
            Child<QPushButton>(*dialog, "Button2")->click();
            background = true;
            Child<QLineEdit>(*dialog, "Edit1")->setText(QStringLiteral("Changed"));
            Child<QPushButton>(*dialog, "BitBtn2")->click();
        });
        QVERIFY(!design::DesignProgramPresentation(block, program, m_store, m_directory, designers));
        QVERIFY(background);
        QCOMPARE(program, m_program);
        QCOMPARE(block, m_block);
    }

    void save_returnsNestedChanges()
    {
        storage::PresentationBlock block = m_block;
        storage::ProgramSettings program = m_program;
        design::PresentationDesigners designers;
        designers.designBackground = [](storage::ProgramSettings& changed, QWidget*) {
            changed.BackgroundKind = 2;
            changed.BackgroundGraphic = QStringLiteral("SKY.JPG");
            return true;
        };
        ModalDriver driver([](QWidget* dialog) {
            Child<QPushButton>(*dialog, "Button2")->click();
            Child<QPushButton>(*dialog, "BitBtn1")->click();
        });
        QVERIFY(design::DesignProgramPresentation(block, program, m_store, m_directory, designers));
        QCOMPARE(program.BackgroundKind, 2);
        QCOMPARE(program.BackgroundGraphic, QStringLiteral("SKY.JPG"));
    }

    void helpFile_startingTopicRules()
    {
        ScriptedDialogs dialogs;
        storage::ProgramSettings program;
        program.HelpFile = QStringLiteral("QUAKES.HLP");
        design::THelpfileForm form(program, m_directory);
        form.show();
        QCOMPARE(form.property("helpContext").toInt(), 405);
        auto* topic = Child<design::TopicNumberField>(form, "Edit2");
        QCOMPARE(topic->text(), QStringLiteral("1"));
        QCOMPARE(Child<QLineEdit>(form, "Edit1")->text(), QStringLiteral("QUAKES.HLP"));

        topic->setText(QStringLiteral("abc"));
        QVERIFY(!topic->normalise());
        QCOMPARE(dialogs.errors, QStringList{QStringLiteral("That is not a valid number")});
        QCOMPARE(topic->text(), QStringLiteral("1"));

        topic->setText(QStringLiteral("0"));
        Child<QPushButton>(form, "BitBtn1")->click();
        QCOMPARE(dialogs.errors.last(), QStringLiteral("The Starting Topic must be greater than 0."));
        QCOMPARE(topic->text(), QStringLiteral("1"));
        QVERIFY(form.isVisible());

        topic->setText(QStringLiteral("$10"));
        Child<QPushButton>(form, "BitBtn1")->click();
        QCOMPARE(form.result(), int(QDialog::Accepted));
        QCOMPARE(form.program().HelpStartTopic, 16);
    }

    void helpFile_longNamesAreKeptAndTypingIsLimited()
    {
        storage::ProgramSettings program;
        program.HelpFile = QStringLiteral("EARTHQUAKES.HLP");
        program.HelpStartTopic = 123456789;
        design::THelpfileForm form(program, m_directory);
        form.show();
        auto* file = Child<QLineEdit>(form, "Edit1");
        Child<QPushButton>(form, "BitBtn1")->click();
        QCOMPARE(form.program().HelpFile, QStringLiteral("EARTHQUAKES.HLP"));
        QCOMPARE(form.program().HelpStartTopic, 123456789);
        // Typing stops at 12 characters (8 for the topic); shortening a longer name is allowed.
        file->setFocus();
        QTest::keyClick(file, Qt::Key_Backspace);
        QCOMPARE(file->text(), QStringLiteral("EARTHQUAKES.HL"));
        QTest::keyClick(file, Qt::Key_X);
        QCOMPARE(file->text(), QStringLiteral("EARTHQUAKES.HL"));
        file->clear();
        QTest::keyClicks(file, QStringLiteral("ABCDEFGHIJKLMNOP"));
        QCOMPARE(file->text(), QStringLiteral("ABCDEFGHIJKL"));
        auto* topic = Child<design::TopicNumberField>(form, "Edit2");
        topic->clear();
        QTest::keyClicks(topic, QStringLiteral("1234567890"));
        QCOMPARE(topic->text(), QStringLiteral("12345678"));
    }

    void helpFile_findFile_copiesIntoTheStudyList()
    {
        ScriptedDialogs dialogs;
        QTemporaryDir elsewhere;
        const QString source = elsewhere.filePath(QStringLiteral("GEO.HLP"));
        WriteAll(source, "help");
        dialogs.fileAnswers.enqueue(source);
        dialogs.yesNoAnswers.enqueue(true);
        design::THelpfileForm form({}, m_directory);
        form.findFile();
        QCOMPARE(dialogs.fileRequests.front().title, QStringLiteral("Copy Help File"));
        QCOMPARE(dialogs.fileRequests.front().helpContext, 510);
        QCOMPARE(dialogs.questions, QStringList{QStringLiteral("Copy the file GEO.HLP to the Project directory?")});
        QCOMPARE(ReadAll(m_directory + QStringLiteral("GEO.HLP")), QByteArray("help"));
        QCOMPARE(Child<QLineEdit>(form, "Edit1")->text(), QStringLiteral("GEO.HLP"));
        QCOMPARE(Child<QListWidget>(form, "FileListBox1")->count(), 1);
    }

    void aboutBox_okRules()
    {
        storage::AboutBoxSettings box;
        box.ShowWhen = 2;
        box.UseIcon = true;
        box.IconFile = QStringLiteral("*.ico");
        box.Comments[2] = QStringLiteral("third");
        design::TDesignAboutForm form(box, m_directory);
        form.show();
        QCOMPARE(form.property("helpContext").toInt(), 440);
        QVERIFY(Child<QRadioButton>(form, "BothRButt")->isChecked());
        // The pattern is no file name: the field is emptied, and OK then turns the icon off.
        QVERIFY(Child<QLineEdit>(form, "IconEdit")->text().isEmpty());
        QVERIFY(Child<QWidget>(form, "IconFileListBox")->isVisible());
        QCOMPARE(Child<QLineEdit>(form, "Comm3")->text(), QStringLiteral("third"));
        Child<QLineEdit>(form, "ProgNameEdit")->setText(QStringLiteral("Quakes"));
        Child<QRadioButton>(form, "NeitherRButt")->setChecked(true);
        const storage::AboutBoxSettings result = form.box();
        QVERIFY(!result.UseIcon);
        QVERIFY(result.IconFile.isEmpty());
        QCOMPARE(result.ProgramName, QStringLiteral("Quakes"));
        QCOMPARE(result.ShowWhen, qint16(3));

        Child<QCheckBox>(form, "UseIconChkBox")->click();
        QVERIFY(!Child<QWidget>(form, "IconFileListBox")->isVisible());
    }

    void aboutBox_viewShowsTheFields_cancelKeepsTheBox()
    {
        storage::AboutBoxSettings box;
        box.ProgramName = QStringLiteral("Before");
        QString shown;
        ModalDriver driver([&shown](QWidget* dialog) {
            Child<QLineEdit>(*dialog, "ProgNameEdit")->setText(QStringLiteral("Viewed"));
            ModalDriver about([&shown](QWidget* aboutBox) {
                for (QLabel* label : aboutBox->findChildren<QLabel*>())
                    shown += label->text() + QLatin1Char('|');
                aboutBox->close();
            });
            Child<QPushButton>(*dialog, "ViewBtn")->click();
            Child<QPushButton>(*dialog, "CancelBtn")->click();
        });
        QVERIFY(!design::DesignAboutBox(box, m_directory));
        QVERIFY(shown.contains(QStringLiteral("Viewed")));
        QCOMPARE(box.ProgramName, QStringLiteral("Before"));
    }

    void captions_defaultsThenCancel_keepsCaptions()
    {
        storage::PresentationBlock block;
        block.Captions.CloseCaption = QStringLiteral("&Leave");
        block.Captions.StartPrompt = QStringLiteral("Go on");
        const storage::PresentationBlock before = block;
        ModalDriver driver([](QWidget* dialog) {
            Child<QPushButton>(*dialog, "BitBtn1")->click();
            QCOMPARE(Child<QLineEdit>(*dialog, "Edit2")->text(), QStringLiteral("&Close"));
            Child<QPushButton>(*dialog, "BitBtn3")->click();
        });
        QVERIFY(!design::EditMenuButtonCaptions(block));
        QCOMPARE(block, before);
    }

    void captions_defaultsThenOk_resetsEveryCaption()
    {
        storage::PresentationBlock block;
        block.Captions.FindCaption = QStringLiteral("&Search");
        block.Captions.StartPrompt = QStringLiteral("Go on");
        ModalDriver driver([](QWidget* dialog) {
            QCOMPARE(Child<QLabel>(*dialog, "Label7")->text(), QStringLiteral("Use & to indicate the Hot Key"));
            Child<QPushButton>(*dialog, "BitBtn1")->click();
            Child<QLineEdit>(*dialog, "Edit3")->setText(QStringLiteral("&Who made this?"));
            Child<QPushButton>(*dialog, "BitBtn2")->click();
        });
        QVERIFY(design::EditMenuButtonCaptions(block));
        QCOMPARE(block.Captions.FindCaption, QStringLiteral("&Find"));
        QCOMPARE(block.Captions.StartPrompt, QStringLiteral("Press the Start button"));
        QCOMPARE(block.Captions.AboutCaption, QStringLiteral("&Who made this?"));
    }

    void screenshots_whenAsked()
    {
        const QString out = qEnvironmentVariable("QUORVEL_SCREENSHOT_DIR");
        if (out.isEmpty())
            QSKIP("set QUORVEL_SCREENSHOT_DIR to write screenshots");
        m_program.UseIcon = true;
        m_block.UseOpeningCommand = true;
        const auto dialog = form();
        design::THelpfileForm help({}, m_directory);
        design::TDesignAboutForm about({}, m_directory);
        design::TChangeTextForm captions({});
        const std::initializer_list<std::pair<QWidget*, const char*>> windows{
            {dialog.get(), "tprogconfigform"}, {&help, "thelpfileform"}, {&about, "tdesignaboutform"},
            {&captions, "tchangetextform"}};
        for (const auto& [window, name] : windows) {
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window));
            QTest::qWait(50);
            QVERIFY(window->grab().save(QDir(out).filePath(QLatin1String(name) + QStringLiteral(".png"))));
        }
    }
};

QTEST_MAIN(TestProgramPresentation)
#include "tst_programpresentation.moc"
