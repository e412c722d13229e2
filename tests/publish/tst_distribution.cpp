// Prepare Distribution: which files a Study List sends along (order, duplicates, the command and
// Topic rules), the checks made before anything is copied, and the dialog's refusal of the Study
// List directory.
#include "publish/distribution.h"
#include "publish/tdistribform.h"
#include "shell/appstate.h"
#include "storage/topicstore.h"
#include "support/modaldriver.h"
#include "support/child.h"
#include "support/scripteddialogs.h"
#include "support/testfiles.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

using publish::DistributedProgram;

namespace {

QStringList FilesOf(const QString& directory)
{
    return QDir(directory).entryList(QDir::Files, QDir::Name);
}

const auto kYesToAll = [](const QString&) { return true; };

} // namespace

class TestDistribution : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    shell::AppState m_state;
    QString m_store;

    void touch(const QString& name, const QByteArray& bytes = "data")
    {
        WriteAll(m_state.WorkingDirectory + name, bytes);
    }
    void addCommand(const QString& name, int type, const QString& value)
    {
        storage::AppendCommandEntry(m_store, name, type, storage::kTopicKind, value);
    }
    QStringList gather(const publish::IncludeProgram& include = kYesToAll)
    {
        return publish::GatherDistributionFiles(m_state.Settings, m_state.WorkingDirectory, m_store, include);
    }
    // Runs the whole operation, answering the dialog with the destination and program.
    void prepare(const QString& destination, DistributedProgram program)
    {
        ModalDriver driver([&](QWidget* dialog) {
            Child<QLineEdit>(*dialog, "Edit1")->setText(destination);
            Child<QRadioButton>(*dialog, program == DistributedProgram::Compiled ? "RadioButton1" : "RadioButton2")
                ->setChecked(true);
            Child<QPushButton>(*dialog, "BitBtn1")->click();
        });
        publish::PrepareDistribution(m_state);
        QVERIFY(driver.opened);
        QVERIFY(!driver.stuck);
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        const QString list = m_dir->filePath(QStringLiteral("QUAKES/"));
        const QString program = m_dir->filePath(QStringLiteral("program/"));
        QDir().mkpath(list);
        QDir().mkpath(program);
        WriteAll(program + QStringLiteral("meridox.exe"), "viewer");
        m_state = {};
        m_state.ProgramDirectory = program;
        m_state.WorkingDirectory = list;
        m_state.SettingsPath = QStringLiteral("QUAKES.SWJ");
        m_state.TopicStorePath = QStringLiteral("QUAKES.SWR");
        m_state.Settings.UseMenuScreen = false;
        m_store = list + QStringLiteral("QUAKES.SWR");
    }
    void cleanup() { m_dir.reset(); }

    void textPagesOnly_executable_copiesExactlyTheExe()
    {
        ScriptedDialogs dialogs;
        storage::AppendPageEntry(m_store, QStringLiteral("Page"), 1, storage::kTopicKind, {QStringLiteral("x")}, {});
        touch(QStringLiteral("QUAKES.EXE"), "program");
        QFile::setPermissions(m_state.WorkingDirectory + QStringLiteral("QUAKES.EXE"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const QString out = m_dir->filePath(QStringLiteral("out"));
        prepare(out, DistributedProgram::Executable);
        // It must still run where the reader puts it.
        QVERIFY(QFileInfo(out + QStringLiteral("/QUAKES.EXE")).isExecutable());
        QCOMPARE(dialogs.errors, QStringList());
        QCOMPARE(FilesOf(out), QStringList{QStringLiteral("QUAKES.EXE")});
        QCOMPARE(ReadAll(out + QStringLiteral("/QUAKES.EXE")), QByteArray("program"));
        QCOMPARE(dialogs.infos,
                 QStringList{QStringLiteral("All the files have been copied to the Directory ") + out + QLatin1Char('/')});
    }

    void compiled_copiesSwcAndViewer()
    {
        ScriptedDialogs dialogs;
        addCommand(QStringLiteral("Map"), 8, QStringLiteral("map.htm"));
        touch(QStringLiteral("map.htm"));
        touch(QStringLiteral("QUAKES.SWC"));
        const QString out = m_dir->filePath(QStringLiteral("out/"));
        prepare(out, DistributedProgram::Compiled);
        QCOMPARE(FilesOf(out), (QStringList{"QUAKES.SWC", "map.htm", "meridox.exe"}));
    }

    void missingProgramFile_saysWhatToDo_data()
    {
        QTest::addColumn<int>("program");
        QTest::addColumn<QString>("message");
        QTest::newRow("executable") << int(DistributedProgram::Executable)
                                    << "QUAKES.EXE was not found.\r\nPlease create the Executable program.";
        QTest::newRow("compiled") << int(DistributedProgram::Compiled)
                                  << "QUAKES.SWC was not found.\r\nPlease compile the Study List.";
    }
    void missingProgramFile_saysWhatToDo()
    {
        QFETCH(int, program);
        QFETCH(QString, message);
        ScriptedDialogs dialogs;
        const QString out = m_dir->filePath(QStringLiteral("out"));
        prepare(out, DistributedProgram(program));
        QCOMPARE(dialogs.errors, QStringList{message});
        QVERIFY(!QFileInfo::exists(out));
    }

    void missingReferredFiles_areAllNamed_andNothingIsCopied()
    {
        ScriptedDialogs dialogs;
        addCommand(QStringLiteral("Sound"), 3, QStringLiteral("ROAR.WAV"));
        addCommand(QStringLiteral("Film"), 7, QStringLiteral("here.avi"));
        addCommand(QStringLiteral("Tune"), 8, QStringLiteral("GONE.MID"));
        touch(QStringLiteral("HERE.AVI"));
        touch(QStringLiteral("QUAKES.EXE"));
        const QString out = m_dir->filePath(QStringLiteral("out"));
        prepare(out, DistributedProgram::Executable);
        QCOMPARE(dialogs.errors, (QStringList{"The file ROAR.WAV is missing.", "The file GONE.MID is missing."}));
        QVERIFY(dialogs.infos.isEmpty());
        QVERIFY(!QFileInfo::exists(out));
    }

    void existingDestination_isOverwritten_andDeclinedProgramLeftOut()
    {
        ScriptedDialogs dialogs;
        dialogs.yesNoAnswers.enqueue(false);
        addCommand(QStringLiteral("Run"), 4, QStringLiteral("GAME.EXE,-fast"));
        addCommand(QStringLiteral("Pic"), 2, QStringLiteral("ROCK.BMP,,,,,5"));
        touch(QStringLiteral("GAME.EXE"));
        touch(QStringLiteral("ROCK.BMP"), "new rock");
        touch(QStringLiteral("QUAKES.EXE"));
        const QString out = m_dir->filePath(QStringLiteral("out/"));
        QDir().mkpath(out);
        WriteAll(out + QStringLiteral("ROCK.BMP"), "old rock");
        prepare(out, DistributedProgram::Executable);
        QCOMPARE(dialogs.questions,
                 QStringList{"Do you want to include the executable program GAME.EXE. See Help for information"});
        QCOMPARE(FilesOf(out), (QStringList{"QUAKES.EXE", "ROCK.BMP"}));
        QCOMPARE(ReadAll(out + QStringLiteral("ROCK.BMP")), QByteArray("new rock"));
    }

    void studyListDirectory_isRefused_data()
    {
        QTest::addColumn<bool>("separator");
        QTest::newRow("with separator") << true;
        QTest::newRow("without separator") << false;
    }
    void studyListDirectory_isRefused()
    {
        QFETCH(bool, separator);
        ScriptedDialogs dialogs;
        publish::TDistribForm form(DistributedProgram::Executable, m_state.WorkingDirectory);
        form.show();
        QVERIFY(Child<QRadioButton>(form, "RadioButton2")->isChecked());
        QString folder = QDir::cleanPath(m_state.WorkingDirectory).toLower();
        if (separator)
            folder += QLatin1Char('/');
        // Letter case is ignored as well.
        Child<QLineEdit>(form, "Edit1")->setText(folder);
        Child<QPushButton>(form, "BitBtn1")->click();
        QCOMPARE(dialogs.errors, QStringList{QStringLiteral("Files cannot be copied to Project directory.")});
        QVERIFY(form.isVisible());
        QCOMPARE(form.result(), int(QDialog::Rejected));
    }

    void screenshot_whenAsked()
    {
        const QString out = qEnvironmentVariable("QUORVEL_SCREENSHOT_DIR");
        if (out.isEmpty())
            QSKIP("set QUORVEL_SCREENSHOT_DIR to write screenshots");
        publish::TDistribForm form(DistributedProgram::Executable, m_state.WorkingDirectory);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTest::qWait(50);
        QVERIFY(form.grab().save(QDir(out).filePath(QStringLiteral("tdistribform.png"))));
    }

    void dialog_returnsChoiceWithSeparator()
    {
        publish::TDistribForm form(DistributedProgram::Compiled, m_state.WorkingDirectory);
        QCOMPARE(form.property("helpContext").toInt(), 290);
        QVERIFY(Child<QRadioButton>(form, "RadioButton1")->isChecked());
        Child<QLineEdit>(form, "Edit1")->setText(m_dir->filePath(QStringLiteral("dist")));
        const publish::TDistribForm::Result result = form.choice();
        QCOMPARE(result.destination, m_dir->filePath(QStringLiteral("dist/")));
        QCOMPARE(result.program, DistributedProgram::Compiled);
    }

    void gather_topicRules()
    {
        touch(QStringLiteral("notes.txt"));
        touch(QStringLiteral("LESSON.DOC"));
        addCommand(QStringLiteral("Pic"), 2, QStringLiteral("ROCK.BMP,,,,,5"));
        addCommand(QStringLiteral("NoComma"), 2, QStringLiteral("ALONE.BMP"));
        addCommand(QStringLiteral("Again"), 10, QStringLiteral("ROCK.BMP"));
        addCommand(QStringLiteral("Both"), 6, QStringLiteral("LAVA.BMP,BOOM.WAV,30"));
        addCommand(QStringLiteral("Plain"), 4, QStringLiteral("TOOL.EXE"));
        addCommand(QStringLiteral("Word"), 9, QStringLiteral("WRITE.EXE lesson.doc"));
        addCommand(QStringLiteral("Word2"), 9, QStringLiteral("WRITE.EXE absent.doc"));
        addCommand(QStringLiteral("Notes"), 13, QStringLiteral("NOTES.TXT"));
        addCommand(QStringLiteral("NoNotes"), 13, QStringLiteral("NONE.TXT"));
        addCommand(QStringLiteral("Other"), 11, QStringLiteral("ELEVEN.BMP"));
        storage::TopicDisplayRecord design;
        design.BackgroundGraphic = QStringLiteral("SKY.JPG");
        design.BackgroundTile = QStringLiteral("bad*name.bmp");
        storage::AppendPageEntry(m_store, QStringLiteral("Designed"), 5, storage::kTopicKind, {}, design);
        // Names and page text that look like screen keys name no file.
        storage::AppendPageEntry(m_store, QStringLiteral("SGraphic=GHOST.BMP"), 5, storage::kTopicKind,
                                 {QStringLiteral("SWallpaper=PHANTOM.BMP")}, storage::TopicDisplayRecord());
        QStringList asked;
        const QStringList files = gather([&asked](const QString& name) {
            asked.append(name);
            return true;
        });
        QCOMPARE(files, (QStringList{"ROCK.BMP", "LAVA.BMP", "BOOM.WAV", "TOOL.EXE", "lesson.doc", "NOTES.TXT",
                                     "SKY.JPG"}));
        QCOMPARE(asked, QStringList{QStringLiteral("TOOL.EXE")});
    }

    void gather_recordRules()
    {
        storage::SettingsRecord& record = m_state.Settings;
        storage::PresentationBlock& presentation = record.Presentation;
        // A graphic-and-sound command sends only its sound: the last field that is set wins.
        presentation.UseOpeningCommand = true;
        presentation.OpeningCommand.CommandType = 6;
        presentation.OpeningCommand.PairGraphicFile = QStringLiteral("OPEN.BMP");
        presentation.OpeningCommand.PairSoundFile = QStringLiteral("OPEN.WAV");
        presentation.UseClosingCommand = true;
        presentation.ClosingCommand.CommandType = 4;
        presentation.ClosingCommand.ProgramCommand = QStringLiteral("BYE.EXE,-q");
        presentation.UseAboutBox = true;
        presentation.AboutBox.IconFile = QStringLiteral("ABOUT.ICO");
        presentation.UseIntroduction = true;
        presentation.IntroScreen.Window.BackgroundGraphic = QStringLiteral("INTRO.BMP");
        presentation.IntroScreen.Window.BackgroundTile = QStringLiteral("INTROTILE.BMP");
        record.Program.BackgroundKind = 3;
        record.Program.BackgroundGraphic = QStringLiteral("UNUSED.BMP");
        record.Program.BackgroundTile = QStringLiteral("WALL.BMP");
        record.Program.UseIcon = true;
        record.Program.IconFile = QStringLiteral("LIST.ICO");
        record.Program.UseHelpFile = true;
        record.Program.HelpFile = QStringLiteral("LIST.HLP");
        record.MenuScreen.Window.BackgroundGraphic = QStringLiteral("MENU.BMP");
        record.UseMenuScreen = true;
        QCOMPARE(gather(), (QStringList{"OPEN.WAV", "BYE.EXE", "ABOUT.ICO", "INTROTILE.BMP", "WALL.BMP", "LIST.ICO",
                                        "LIST.HLP", "MENU.BMP"}));

        // Switched off, the same fields send nothing.
        record.UseMenuScreen = false;
        presentation.UseOpeningCommand = presentation.UseClosingCommand = presentation.UseAboutBox = false;
        presentation.UseIntroduction = false;
        record.Program.BackgroundKind = 1;
        QCOMPARE(gather(), QStringList());
    }

    void commandFileName_windowsProgram_takesItsFileOnlyWhenItExists()
    {
        storage::CommandSettings command;
        command.CommandType = 9;
        command.ProgramCommand = QStringLiteral("WRITE.EXE story.wri");
        QCOMPARE(publish::CommandFileName(command, m_state.WorkingDirectory), QString());
        touch(QStringLiteral("STORY.WRI"));
        QCOMPARE(publish::CommandFileName(command, m_state.WorkingDirectory), QStringLiteral("story.wri"));
        command.ProgramCommand = QStringLiteral("WRITE.EXE");
        QCOMPARE(publish::CommandFileName(command, m_state.WorkingDirectory), QStringLiteral("WRITE.EXE"));
    }

    void addName_skipsEmptyAndExactDuplicates()
    {
        QStringList names;
        for (const char* name : {"A.BMP", "", "a.bmp", "A.BMP"})
            publish::AddDistributionName(names, QString::fromLatin1(name));
        QCOMPARE(names, (QStringList{"A.BMP", "a.bmp"}));
    }
};

QTEST_MAIN(TestDistribution)
#include "tst_distribution.moc"
