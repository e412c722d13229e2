// The Topic entry dialog THypMenuForm: its controls, the name check, the save rule and the store
// lines every Topic type ends in, driven through the real page editor and pickers; the "&View" of
// the pickers; and the main window's "&Add a Topic" and "&Edit a Topic".
#include "authoring/thypmenuform.h"
#include "authoring/windowmediaactions.h"
#include "platform/f1filter.h"
#include "platform/widgetdialogs.h"
#include "shell/appstate.h"
#include "shell/error.h"
#include "shell/tmakedirform.h"
#include "shell/tquorvelform.h"
#include "storage/topicops.h"
#include "storage/topicstore.h"
#include "support/modaldriver.h"
#include "support/scripteddialogs.h"
#include "support/testfiles.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>
#include <QtTest>

using namespace authoring;

namespace {

template <typename T> T* Child(QWidget* parent, const QString& name)
{
    T* child = parent->findChild<T*>(name);
    if (!child)
        qFatal("no child %s in %s", qPrintable(name), qPrintable(parent->objectName()));
    return child;
}

void Click(QWidget* parent, const QString& name)
{
    Child<QPushButton>(parent, name)->click();
}

QStringList StoreLines(const QString& path)
{
    return QString::fromUtf8(ReadAll(path)).split(QStringLiteral("\r\n"));
}

QStringList CommandLines(const QString& name, int type, const QString& command)
{
    return {QStringLiteral("[") + name + QStringLiteral("]"),
            QStringLiteral("source=HYPER"),
            QStringLiteral("type=") + QString::number(type),
            QStringLiteral("command=") + command,
            QStringLiteral("]"),
            QString()};
}

QStringList PageLines(const QString& name, int type, int displayType, const QStringList& text)
{
    return QStringList{QStringLiteral("[") + name + QStringLiteral("]"),
                       QStringLiteral("source=HYPER"),
                       QStringLiteral("type=") + QString::number(type),
                       QStringLiteral("displaytype=") + QString::number(displayType),
                       QStringLiteral("fullscreen=false"),
                       QStringLiteral("Sbackcolor=clSilver"),
                       QStringLiteral("SGraphic="),
                       QStringLiteral("SWallpaper="),
                       QStringLiteral("VPBack=clWhite"),
                       QStringLiteral("VPLeft=120"),
                       QStringLiteral("VPTop=80"),
                       QStringLiteral("VPWidth=400"),
                       QStringLiteral("VPHeight=200"),
                       QStringLiteral("RLTop=1"),
                       QStringLiteral("RLLeft=1"),
                       QStringLiteral("print=false"),
                       QStringLiteral("text=")} +
           text + QStringList{QStringLiteral("]"), QString()};
}

// Runs the sub-dialog of `row`'s "Add" button with `picker` acting on it.
bool AddThrough(THypMenuForm& form, int row, const std::function<void(QWidget*)>& picker)
{
    ModalDriver driver(picker);
    form.addButton(row)->click();
    return driver.opened && !driver.stuck;
}

// Runs the picker behind an "Add" of the program kind choice, then confirms the choice.
void ChooseKind(QWidget* choice, int kindRow, const std::function<void(QWidget*)>& picker)
{
    Child<QRadioButton>(choice, QStringLiteral("RadioButton%1").arg(kindRow))->click();
    ModalDriver driver(picker);
    Click(choice, QStringLiteral("Button%1").arg(kindRow));
    QVERIFY(driver.opened);
    Click(choice, QStringLiteral("OKBtn"));
}

// Shows the dialog as the active window, so focus moves between its controls as for a user.
bool ShowActive(QWidget& window)
{
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

void SetField(QWidget* dialog, const QString& name, const QString& text)
{
    Child<QLineEdit>(dialog, name)->setText(text);
}

// The picker action that fills in the content of each row's type, as an author would.
std::function<void(QWidget*)> FillRow(int row, QStringList* seen = nullptr)
{
    auto note = [seen](const QString& text) {
        if (seen)
            seen->append(text);
    };
    switch (row) {
    case 1:
    case 5:
        return [](QWidget* editor) {
            Child<QTextEdit>(editor, QStringLiteral("RichEdit1"))->setPlainText(QStringLiteral("Hot rocks"));
            Click(editor, QStringLiteral("OKBtn"));
        };
    case 2:
        return [note](QWidget* picker) {
            note(Child<QLineEdit>(picker, QStringLiteral("Edit1"))->text());
            SetField(picker, QStringLiteral("Edit2"), QStringLiteral("25"));
            Click(picker, QStringLiteral("OKBtn"));
        };
    case 3:
    case 7:
    case 8:
        return [note](QWidget* picker) {
            note(Child<QLineEdit>(picker, QStringLiteral("Edit1"))->text());
            Click(picker, QStringLiteral("OKBtn"));
        };
    case 6:
        return [note](QWidget* picker) {
            note(Child<QLineEdit>(picker, QStringLiteral("Edit1"))->text());
            note(Child<QLineEdit>(picker, QStringLiteral("Edit2"))->text());
            SetField(picker, QStringLiteral("Edit3"), QStringLiteral("5"));
            Click(picker, QStringLiteral("OKBtn"));
        };
    case 9:
        return [](QWidget* box) {
            SetField(box, QStringLiteral("Edit1"), QStringLiteral("NOTES.TXT"));
            Click(box, QStringLiteral("OKBtn"));
        };
    default:
        return [](QWidget* dialog) { Click(dialog, QStringLiteral("CancelBtn")); };
    }
}

// The program kind choice with one of its three kinds (1 program, 2 desktop program, 3 HTML).
std::function<void(QWidget*)> FillProgram(int kindRow)
{
    return [kindRow](QWidget* choice) {
        ChooseKind(choice, kindRow, [kindRow](QWidget* picker) {
            if (kindRow == 1) {
                SetField(picker, QStringLiteral("Edit1"), QStringLiteral("RUN.EXE"));
                SetField(picker, QStringLiteral("Edit2"), QStringLiteral("-q"));
            } else if (kindRow == 2) {
                SetField(picker, QStringLiteral("Edit1"), QStringLiteral("notepad NOTES.TXT"));
            } else {
                SetField(picker, QStringLiteral("Edit1"), QStringLiteral("PAGE.HTM"));
            }
            Click(picker, QStringLiteral("OKBtn"));
        });
    };
}

} // namespace

class TestTHypMenuForm : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void opening_captionsAndHelp();
    void radioButton_enablesOnlyItsAdd();
    void emptyName_isRefused();
    void enterOnFocusedAdd_opensItsBox();
    void graphicOnlyWithoutAdd_saysNoData();
    void emptyPage_saysNoText();
    void commandTypeWithoutValue_staysOpenSilently();
    void everyType_storesExactLines_data();
    void everyType_storesExactLines();
    void pickers_proposeFilesOfTheStudyList();
    void pickers_keepOnlyExistingFiles();
    void cancelledPicker_changesNothing();
    void executableThenHtml_storesTypeTen();
    void notesWithoutFile_isStillWritten();
    void leavingName_otherTopicsNameIsRefused();
    void refusedName_isNeverWritten();
    void refusedNameInRealBox_focusReturnsToName();
    void refusedNameByEnter_isNeverWritten();
    void editSameNameOtherCase_replacesInPlace();
    void editRenamedToOtherTopic_isRefused();
    void editTextOnlyToVideo_replacedInPlaceAsType7();
    void editKeepsLoadedContent_data();
    void editKeepsLoadedContent();
    void editWindowsProgram_keepsItsType();
    void storeFailure_keepsDialogOpen();
    void cancel_writesNothing();
    void pickerView_showsTheRealMedia();
    void pictureViewFindCopyThenWave_flowHolds();
    void windowMediaActions_runAndOpenForReal();
    void mainWindow_addLoopStopsOnNo();
    void mainWindow_editThroughChooser();
    void mainWindow_newListThenOneTopicOfEachType();
    void screenshots();

public Q_SLOTS:
    void recordUrl(const QUrl& url) { m_opened.append(url); }

private:
    THypMenuForm::Setup setup() const;
    QString path(const QString& name) const { return m_dir->filePath(name); }

    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_store;
    QString m_title;
    QList<QUrl> m_opened;
};

void TestTHypMenuForm::init()
{
    m_dialogs = std::make_unique<ScriptedDialogs>();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_store = path(QStringLiteral("LIST.SWR"));
    m_title.clear();
    QDir::setCurrent(m_dir->path());
}

void TestTHypMenuForm::cleanup()
{
    m_dialogs.reset();
    m_dir.reset();
}

THypMenuForm::Setup TestTHypMenuForm::setup() const
{
    THypMenuForm::Setup s;
    s.store = m_store;
    s.directory = m_dir->path() + QLatin1Char('/');
    s.helpContext = 145;
    const QString store = m_store;
    s.commit = [store](const TopicSave& save) { WriteTopic(store, save); };
    return s;
}

void TestTHypMenuForm::opening_captionsAndHelp()
{
    THypMenuForm form(TopicEntry(), setup(), m_title);
    QCOMPARE(form.windowTitle(), QStringLiteral("Press F1 for Help"));
    QCOMPARE(platform::F1Filter::HelpContextOf(&form), 145);
    QCOMPARE(Child<QLabel>(&form, QStringLiteral("Label1"))->text(), QStringLiteral("Menu Entry"));
    QCOMPARE(Child<QGroupBox>(&form, QStringLiteral("GroupBox1"))->title(),
             QStringLiteral(" Select Topic type "));
    QCOMPARE(Child<QLineEdit>(&form, QStringLiteral("Edit1"))->maxLength(), 60);
    QCOMPARE(Child<QPushButton>(&form, QStringLiteral("OKBtn"))->text(), QStringLiteral("&Save"));
    QCOMPARE(Child<QPushButton>(&form, QStringLiteral("CancelBtn"))->text(), QStringLiteral("&Cancel"));
    const QStringList captions = {" Text Only",    " Graphic Only",     " Voice Only",
                                  " Executable",   " Graphic and Text", " Graphic and Sound",
                                  " Video Player", " MIDI Player",      "K.R.T. NotePad"};
    for (int row = 1; row <= 9; ++row) {
        QCOMPARE(form.radio(row)->text(), captions[row - 1]);
        QCOMPARE(form.radio(row)->objectName(), QStringLiteral("RadioButton%1").arg(row));
        QCOMPARE(form.addButton(row)->objectName(), QStringLiteral("Button%1").arg(row));
    }
    QVERIFY(form.radio(1)->isChecked());
    QCOMPARE(form.entry().selectedType, 1);
    QCOMPARE(form.entry().chosenType, 0);
    QVERIFY(!form.entry().editMode);
}

void TestTHypMenuForm::radioButton_enablesOnlyItsAdd()
{
    THypMenuForm form(TopicEntry(), setup(), m_title);
    for (int row = 1; row <= 9; ++row) {
        form.radio(row)->click();
        QCOMPARE(form.entry().selectedType, RowType(row));
        for (int other = 1; other <= 9; ++other)
            QCOMPARE(form.addButton(other)->isEnabled(), other == row);
    }
}

void TestTHypMenuForm::emptyName_isRefused()
{
    THypMenuForm form(TopicEntry(), setup(), m_title);
    QVERIFY(ShowActive(form));
    QTest::mouseClick(Child<QPushButton>(&form, QStringLiteral("OKBtn")), Qt::LeftButton);
    QCOMPARE(m_dialogs->errors, QStringList{QStringLiteral("The Menu Entry has not been entered")});
    QVERIFY(form.isVisible());
    QTRY_VERIFY(Child<QLineEdit>(&form, QStringLiteral("Edit1"))->hasFocus());
}

void TestTHypMenuForm::enterOnFocusedAdd_opensItsBox()
{
    // Enter presses the focused button; only in the name field does it mean "&Save".
    THypMenuForm form(TopicEntry(), setup(), m_title);
    QVERIFY(ShowActive(form));
    form.radio(9)->click();
    form.addButton(9)->setFocus();
    QTRY_VERIFY(form.addButton(9)->hasFocus());
    ModalDriver box(FillRow(9));
    QTest::keyClick(form.addButton(9), Qt::Key_Return);
    QTRY_VERIFY(box.opened);
    QCOMPARE(form.entry().commandValue, QStringLiteral("NOTES.TXT"));
    QVERIFY(m_dialogs->errors.isEmpty());
    QVERIFY(!QFile::exists(m_store));
}

void TestTHypMenuForm::graphicOnlyWithoutAdd_saysNoData()
{
    THypMenuForm form(TopicEntry(), setup(), m_title);
    form.show();
    SetField(&form, QStringLiteral("Edit1"), QStringLiteral("Volcanoes"));
    form.radio(2)->click();
    Click(&form, QStringLiteral("OKBtn"));
    QCOMPARE(m_dialogs->errors, QStringList{QStringLiteral("No data has been entered.")});
    QVERIFY(form.isVisible());
    QVERIFY(!QFile::exists(m_store));
}

void TestTHypMenuForm::emptyPage_saysNoText()
{
    THypMenuForm form(TopicEntry(), setup(), m_title);
    form.show();
    SetField(&form, QStringLiteral("Edit1"), QStringLiteral("Volcanoes"));
    // The editor confirmed with nothing typed.
    QVERIFY(AddThrough(form, 1, [](QWidget* editor) { Click(editor, QStringLiteral("OKBtn")); }));
    QCOMPARE(form.entry().chosenType, 1);
    Click(&form, QStringLiteral("OKBtn"));
    QCOMPARE(m_dialogs->errors, QStringList{QStringLiteral("No Text information was entered.")});
    QVERIFY(form.isVisible());
    QVERIFY(!QFile::exists(m_store));
}

void TestTHypMenuForm::commandTypeWithoutValue_staysOpenSilently()
{
    // The program kind choice confirmed without a program: the type is chosen but has no value.
    THypMenuForm form(TopicEntry(), setup(), m_title);
    form.show();
    SetField(&form, QStringLiteral("Edit1"), QStringLiteral("Run"));
    form.radio(4)->click();
    QVERIFY(AddThrough(form, 4, [](QWidget* choice) { Click(choice, QStringLiteral("OKBtn")); }));
    QCOMPARE(form.entry().chosenType, 4);
    Click(&form, QStringLiteral("OKBtn"));
    QVERIFY(m_dialogs->errors.isEmpty());
    QVERIFY(form.isVisible());
    QVERIFY(!QFile::exists(m_store));
}

void TestTHypMenuForm::everyType_storesExactLines_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("kindRow"); // for " Executable": the kind chosen
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("command");
    QTest::newRow("text only") << 1 << 0 << 1 << "";
    QTest::newRow("graphic only") << 2 << 0 << 2 << "PIC.JPG,25";
    QTest::newRow("voice only") << 3 << 0 << 3 << "BELL.WAV";
    QTest::newRow("executable program") << 4 << 1 << 4 << "RUN.EXE,-q";
    QTest::newRow("windows related program") << 4 << 2 << 9 << "notepad NOTES.TXT";
    QTest::newRow("html web browser file") << 4 << 3 << 10 << "PAGE.HTM";
    QTest::newRow("graphic and text") << 5 << 0 << 5 << "";
    QTest::newRow("graphic and sound") << 6 << 0 << 6 << "PIC.JPG,BELL.WAV,5";
    QTest::newRow("video player") << 7 << 0 << 7 << "FILM.AVI";
    QTest::newRow("midi player") << 8 << 0 << 8 << "SONG.MID";
    QTest::newRow("notepad") << 9 << 0 << 13 << "NOTES.TXT";
}

void TestTHypMenuForm::everyType_storesExactLines()
{
    QFETCH(int, row);
    QFETCH(int, kindRow);
    QFETCH(int, type);
    QFETCH(QString, command);
    for (const char* file : {"PIC.JPG", "A.BMP", "BELL.WAV", "SONG.MID", "FILM.AVI"})
        WriteAll(path(QLatin1String(file)), "data");
    storage::AppendCommandEntry(m_store, QStringLiteral("First"), 3, storage::kTopicKind,
                                QStringLiteral("BELL.WAV"));
    const QStringList before = StoreLines(m_store);

    THypMenuForm form(TopicEntry(), setup(), m_title);
    form.show();
    SetField(&form, QStringLiteral("Edit1"), QStringLiteral("Volcanoes"));
    form.radio(row)->click();
    QVERIFY(AddThrough(form, row, kindRow ? FillProgram(kindRow) : FillRow(row)));
    QCOMPARE(form.entry().chosenType, type);
    QCOMPARE(form.entry().selectedType, type);
    Click(&form, QStringLiteral("OKBtn"));
    QVERIFY2(m_dialogs->errors.isEmpty(), qPrintable(m_dialogs->errors.join('|')));
    QCOMPARE(form.result(), int(QDialog::Accepted));
    QCOMPARE(m_title, QStringLiteral("Volcanoes"));

    // The new Topic is appended after the one that was there, in exactly its lines.
    QStringList expected = before.mid(0, before.size() - 1);
    if (type == 1 || type == 5) {
        const QStringList text = form.entry().pageText;
        QVERIFY(!text.isEmpty());
        QVERIFY(text.join(QString()).contains(QStringLiteral("Hot rocks")));
        expected += PageLines(QStringLiteral("Volcanoes"), type, type == 1 ? 0 : 1, text);
    } else {
        expected += CommandLines(QStringLiteral("Volcanoes"), type, command);
    }
    expected.append(QString());
    QCOMPARE(StoreLines(m_store), expected);
    QVERIFY(form.saved().has_value());
}

void TestTHypMenuForm::pickers_proposeFilesOfTheStudyList()
{
    WriteAll(path("b.bmp"), "BM");
    WriteAll(path("Z.jpg"), "JPEG");
    WriteAll(path("tune.MID"), "MThd");
    THypMenuForm form(TopicEntry(), setup(), m_title);
    form.show();
    QStringList seen;
    form.radio(2)->click();
    QVERIFY(AddThrough(form, 2, FillRow(2, &seen)));
    // JPEG before BMP; no wave file, so the sound of a picture with sound is the MIDI file.
    form.radio(6)->click();
    QVERIFY(AddThrough(form, 6, FillRow(6, &seen)));
    form.radio(3)->click();
    QVERIFY(AddThrough(form, 3, [&seen](QWidget* picker) {
        seen.append(Child<QLineEdit>(picker, QStringLiteral("Edit1"))->text());
        Click(picker, QStringLiteral("CancelBtn"));
    }));
    QCOMPARE(seen, (QStringList{"Z.jpg", "Z.jpg", "tune.MID", ""}));
    QCOMPARE(form.entry().commandValue, QStringLiteral("Z.jpg,tune.MID,5"));
}

void TestTHypMenuForm::pickers_keepOnlyExistingFiles()
{
    WriteAll(path("first.avi"), "RIFF");
    WriteAll(path("second.avi"), "RIFF");
    TopicEntry entry;
    entry.videoFile = QStringLiteral("SECOND.AVI"); // there, in another letter case: kept
    THypMenuForm form(entry, setup(), m_title);
    form.show();
    QStringList seen;
    form.radio(7)->click();
    QVERIFY(AddThrough(form, 7, FillRow(7, &seen)));
    QCOMPARE(seen, QStringList{QStringLiteral("SECOND.AVI")});

    TopicEntry gone;
    gone.videoFile = QStringLiteral("GONE.AVI"); // not there: dropped for the first video
    THypMenuForm second(gone, setup(), m_title);
    second.show();
    seen.clear();
    second.radio(7)->click();
    QVERIFY(AddThrough(second, 7, FillRow(7, &seen)));
    QCOMPARE(seen, QStringList{QStringLiteral("first.avi")});
}

void TestTHypMenuForm::cancelledPicker_changesNothing()
{
    WriteAll(path("BELL.WAV"), "RIFF");
    THypMenuForm form(TopicEntry(), setup(), m_title);
    form.show();
    form.radio(3)->click();
    QVERIFY(AddThrough(form, 3, FillRow(0)));
    QCOMPARE(form.entry().chosenType, 0);
    QVERIFY(form.entry().commandValue.isEmpty());
    QVERIFY(form.entry().waveFile.isEmpty());
    // A cancelled page editor keeps the text but the flags set before it opened stay set.
    form.radio(1)->click();
    QVERIFY(AddThrough(form, 1, FillRow(0)));
    QCOMPARE(form.entry().chosenType, 0);
    QVERIFY(form.entry().pageText.isEmpty());
    QCOMPARE(form.entry().record.FullScreen, false);
    QCOMPARE(form.entry().record.BackgroundKind, 0);
    QVERIFY(form.isVisible());
    QCOMPARE(form.pos().x() > -1000, true);
}

void TestTHypMenuForm::executableThenHtml_storesTypeTen()
{
    THypMenuForm form(TopicEntry(), setup(), m_title);
    form.show();
    SetField(&form, QStringLiteral("Edit1"), QStringLiteral("Web"));
    form.radio(4)->click();
    QCOMPARE(form.entry().selectedType, 4);
    QVERIFY(AddThrough(form, 4, FillProgram(3)));
    QCOMPARE(form.entry().selectedType, 10);
    QCOMPARE(form.entry().programCommand, QStringLiteral("PAGE.HTM"));
    Click(&form, QStringLiteral("OKBtn"));
    QCOMPARE(StoreLines(m_store),
             CommandLines(QStringLiteral("Web"), 10, QStringLiteral("PAGE.HTM")) + QStringList{""});
}

void TestTHypMenuForm::notesWithoutFile_isStillWritten()
{
    THypMenuForm form(TopicEntry(), setup(), m_title);
    form.show();
    SetField(&form, QStringLiteral("Edit1"), QStringLiteral("Notes"));
    form.radio(9)->click();
    // The notes box cancelled: the type counts as given all the same.
    QVERIFY(AddThrough(form, 9, FillRow(0)));
    QCOMPARE(form.entry().chosenType, 13);
    Click(&form, QStringLiteral("OKBtn"));
    QVERIFY(m_dialogs->errors.isEmpty());
    QCOMPARE(form.result(), int(QDialog::Accepted));
    QCOMPARE(StoreLines(m_store), CommandLines(QStringLiteral("Notes"), 13, QString()) + QStringList{""});
}

void TestTHypMenuForm::leavingName_otherTopicsNameIsRefused()
{
    storage::AppendCommandEntry(m_store, QStringLiteral("Alpha"), 3, storage::kTopicKind,
                                QStringLiteral("A.WAV"));
    m_title = QStringLiteral("Before");
    THypMenuForm form(TopicEntry(), setup(), m_title);
    QVERIFY(ShowActive(form));
    auto* edit = Child<QLineEdit>(&form, QStringLiteral("Edit1"));
    edit->setFocus();
    QTRY_VERIFY(edit->hasFocus());
    QTest::keyClicks(edit, QStringLiteral("ALPHA"));
    form.radio(3)->setFocus();
    QCOMPARE(m_dialogs->errors, QStringList{QStringLiteral("The Link ALPHA is already in use")});
    QVERIFY(edit->hasFocus());
    QCOMPARE(m_title, QStringLiteral("Before"));
    // A free name passes and becomes the current Topic title.
    edit->setText(QStringLiteral("Beta"));
    form.radio(3)->setFocus();
    QCOMPARE(m_dialogs->errors.size(), 1);
    QCOMPARE(m_title, QStringLiteral("Beta"));
    // The introduction's name is not a Topic name.
    storage::AppendIntroEntry(m_store, {QStringLiteral("Hello")});
    edit->setFocus();
    edit->setText(QStringLiteral("^INTRODUCTION^"));
    form.radio(2)->setFocus();
    QCOMPARE(m_dialogs->errors.size(), 1);
}

void TestTHypMenuForm::refusedName_isNeverWritten()
{
    storage::AppendCommandEntry(m_store, QStringLiteral("Alpha"), 3, storage::kTopicKind,
                                QStringLiteral("A.WAV"));
    const QByteArray before = ReadAll(m_store);
    THypMenuForm form(TopicEntry(), setup(), m_title);
    QVERIFY(ShowActive(form));
    form.radio(9)->click();
    QVERIFY(AddThrough(form, 9, FillRow(9)));
    auto* edit = Child<QLineEdit>(&form, QStringLiteral("Edit1"));
    edit->setFocus();
    edit->setText(QStringLiteral("alpha"));
    // Pressing "&Save" with the mouse takes the focus from the field and saves in one go.
    QTest::mouseClick(Child<QPushButton>(&form, QStringLiteral("OKBtn")), Qt::LeftButton);
    QCOMPARE(m_dialogs->errors, QStringList{QStringLiteral("The Link alpha is already in use")});
    QVERIFY(form.isVisible());
    QCOMPARE(ReadAll(m_store), before);
    // Once renamed, the same Topic is written.
    edit->setText(QStringLiteral("Gamma"));
    QTest::mouseClick(Child<QPushButton>(&form, QStringLiteral("OKBtn")), Qt::LeftButton);
    QCOMPARE(m_dialogs->errors.size(), 1);
    QStringList names;
    storage::ListEntryNames(names, m_store, storage::kTopicKind);
    QCOMPARE(names, (QStringList{"Alpha", "Gamma"}));
}

void TestTHypMenuForm::refusedNameInRealBox_focusReturnsToName()
{
    // With the real message box, which takes the focus while it is open.
    m_dialogs.reset();
    platform::WidgetDialogs real;
    platform::InstallDialogs(&real);
    storage::AppendCommandEntry(m_store, QStringLiteral("Alpha"), 3, storage::kTopicKind,
                                QStringLiteral("A.WAV"));
    THypMenuForm form(TopicEntry(), setup(), m_title);
    QVERIFY(ShowActive(form));
    auto* edit = Child<QLineEdit>(&form, QStringLiteral("Edit1"));
    edit->setFocus();
    QTRY_VERIFY(edit->hasFocus());
    QTest::keyClicks(edit, QStringLiteral("Alpha"));
    QString shown;
    {
        ModalDriver box([&shown](QWidget* modal) {
            if (auto* label = modal->findChild<QLabel*>(QStringLiteral("qt_msgbox_label")))
                shown = label->text();
            QTest::keyClick(modal, Qt::Key_Return);
        });
        QTest::mouseClick(form.radio(3), Qt::LeftButton);
        QTRY_VERIFY(box.opened);
        QVERIFY(!box.stuck);
    }
    QCOMPARE(shown, QStringLiteral("The Link Alpha is already in use"));
    // The field is the dialog's focus again (it has the keyboard once the dialog is active again,
    // which the offscreen platform does not do by itself).
    QTRY_COMPARE(form.focusWidget(), edit);
    QVERIFY(!form.radio(3)->hasFocus());
    QVERIFY(form.isVisible());
    QCOMPARE(m_title, QString());
    platform::InstallDialogs(nullptr);
    m_dialogs = std::make_unique<ScriptedDialogs>();
}

void TestTHypMenuForm::refusedNameByEnter_isNeverWritten()
{
    storage::AppendCommandEntry(m_store, QStringLiteral("Alpha"), 3, storage::kTopicKind,
                                QStringLiteral("A.WAV"));
    const QByteArray before = ReadAll(m_store);
    THypMenuForm form(TopicEntry(), setup(), m_title);
    QVERIFY(ShowActive(form));
    form.radio(9)->click();
    QVERIFY(AddThrough(form, 9, FillRow(9)));
    auto* edit = Child<QLineEdit>(&form, QStringLiteral("Edit1"));
    edit->setFocus();
    QTRY_VERIFY(edit->hasFocus());
    // The field is never left: Enter presses the default button, "&Save".
    QTest::keyClicks(edit, QStringLiteral("Alpha"));
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(m_dialogs->errors, QStringList{QStringLiteral("The Link Alpha is already in use")});
    QVERIFY(form.isVisible());
    QCOMPARE(ReadAll(m_store), before);
}

void TestTHypMenuForm::editSameNameOtherCase_replacesInPlace()
{
    storage::AppendCommandEntry(m_store, QStringLiteral("Alpha"), 3, storage::kTopicKind,
                                QStringLiteral("A.WAV"));
    storage::AppendCommandEntry(m_store, QStringLiteral("Beta"), 8, storage::kTopicKind,
                                QStringLiteral("B.MID"));
    storage::AppendCommandEntry(m_store, QStringLiteral("Gamma"), 3, storage::kTopicKind,
                                QStringLiteral("G.WAV"));
    QStringList extracted;
    QVERIFY(storage::ExtractEntry(m_store, QStringLiteral("Beta"), storage::kTopicKind, extracted));
    THypMenuForm form(LoadTopicEntry(extracted), setup(), m_title);
    QCOMPARE(m_title, QStringLiteral("Beta"));
    QVERIFY(ShowActive(form));
    auto* edit = Child<QLineEdit>(&form, QStringLiteral("Edit1"));
    QCOMPARE(edit->text(), QStringLiteral("Beta"));
    QVERIFY(form.radio(8)->isChecked());
    QVERIFY(form.addButton(8)->isEnabled());
    edit->setFocus();
    edit->setText(QStringLiteral("BETA"));
    form.radio(8)->setFocus();
    QTest::mouseClick(Child<QPushButton>(&form, QStringLiteral("OKBtn")), Qt::LeftButton);
    QVERIFY(m_dialogs->errors.isEmpty());
    QCOMPARE(form.result(), int(QDialog::Accepted));
    QCOMPARE(StoreLines(m_store), CommandLines("Alpha", 3, "A.WAV") + CommandLines("BETA", 8, "B.MID") +
                                      CommandLines("Gamma", 3, "G.WAV") + QStringList{""});
}

void TestTHypMenuForm::editRenamedToOtherTopic_isRefused()
{
    storage::AppendCommandEntry(m_store, QStringLiteral("Alpha"), 3, storage::kTopicKind,
                                QStringLiteral("A.WAV"));
    storage::AppendCommandEntry(m_store, QStringLiteral("Beta"), 8, storage::kTopicKind,
                                QStringLiteral("B.MID"));
    const QByteArray before = ReadAll(m_store);
    QStringList extracted;
    QVERIFY(storage::ExtractEntry(m_store, QStringLiteral("Beta"), storage::kTopicKind, extracted));
    THypMenuForm form(LoadTopicEntry(extracted), setup(), m_title);
    form.show();
    SetField(&form, QStringLiteral("Edit1"), QStringLiteral("alpha"));
    Click(&form, QStringLiteral("OKBtn"));
    QCOMPARE(m_dialogs->errors, QStringList{QStringLiteral("The Link alpha is already in use")});
    QCOMPARE(ReadAll(m_store), before);
    QCOMPARE(m_title, QStringLiteral("Beta"));
}

void TestTHypMenuForm::editTextOnlyToVideo_replacedInPlaceAsType7()
{
    WriteAll(path("FILM.AVI"), "RIFF");
    storage::AppendCommandEntry(m_store, QStringLiteral("Alpha"), 3, storage::kTopicKind,
                                QStringLiteral("A.WAV"));
    storage::TopicDisplayRecord record;
    record.FullScreen = false;
    storage::AppendPageEntry(m_store, QStringLiteral("Page"), 1, storage::kTopicKind, {"{\\rtf1 Hi}"},
                             record);
    storage::AppendCommandEntry(m_store, QStringLiteral("Omega"), 8, storage::kTopicKind,
                                QStringLiteral("S.MID"));
    QStringList extracted;
    QVERIFY(storage::ExtractEntry(m_store, QStringLiteral("Page"), storage::kTopicKind, extracted));
    THypMenuForm form(LoadTopicEntry(extracted), setup(), m_title);
    form.show();
    QVERIFY(form.radio(1)->isChecked());
    QCOMPARE(form.entry().pageText, QStringList{"{\\rtf1 Hi}"});
    form.radio(7)->click();
    QStringList seen;
    QVERIFY(AddThrough(form, 7, FillRow(7, &seen)));
    QCOMPARE(seen, QStringList{"FILM.AVI"});
    Click(&form, QStringLiteral("OKBtn"));
    QVERIFY(m_dialogs->errors.isEmpty());
    QCOMPARE(StoreLines(m_store), CommandLines("Alpha", 3, "A.WAV") + CommandLines("Page", 7, "FILM.AVI") +
                                      CommandLines("Omega", 8, "S.MID") + QStringList{""});
}

void TestTHypMenuForm::editKeepsLoadedContent_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("row");
    QTest::newRow("graphic") << 2 << "PIC.JPG,25" << 2;
    QTest::newRow("wave") << 3 << "BELL.WAV" << 3;
    QTest::newRow("program") << 4 << "RUN.EXE,-q" << 4;
    QTest::newRow("graphic and sound") << 6 << "PIC.JPG,BELL.WAV,5" << 6;
    QTest::newRow("video") << 7 << "FILM.AVI" << 7;
    QTest::newRow("midi") << 8 << "SONG.MID" << 8;
    QTest::newRow("html") << 10 << "PAGE.HTM" << 4;
    QTest::newRow("notes") << 13 << "NOTES.TXT" << 9;
}

void TestTHypMenuForm::editKeepsLoadedContent()
{
    // Saving an edited Topic without touching its content writes it back as it was.
    QFETCH(int, type);
    QFETCH(QString, command);
    QFETCH(int, row);
    storage::AppendCommandEntry(m_store, QStringLiteral("Topic"), type, storage::kTopicKind, command);
    storage::AppendCommandEntry(m_store, QStringLiteral("Last"), 3, storage::kTopicKind,
                                QStringLiteral("Z.WAV"));
    const QByteArray before = ReadAll(m_store);
    QStringList extracted;
    QVERIFY(storage::ExtractEntry(m_store, QStringLiteral("Topic"), storage::kTopicKind, extracted));
    THypMenuForm form(LoadTopicEntry(extracted), setup(), m_title);
    form.show();
    QVERIFY(form.radio(row)->isChecked());
    QCOMPARE(form.entry().selectedType, type);
    Click(&form, QStringLiteral("OKBtn"));
    QVERIFY(m_dialogs->errors.isEmpty());
    QCOMPARE(form.result(), int(QDialog::Accepted));
    QCOMPARE(ReadAll(m_store), before);
}

void TestTHypMenuForm::editWindowsProgram_keepsItsType()
{
    storage::AppendCommandEntry(m_store, QStringLiteral("Pad"), 9, storage::kTopicKind,
                                QStringLiteral("notepad A"));
    QStringList extracted;
    QVERIFY(storage::ExtractEntry(m_store, QStringLiteral("Pad"), storage::kTopicKind, extracted));
    THypMenuForm form(LoadTopicEntry(extracted), setup(), m_title);
    form.show();
    QVERIFY(form.radio(4)->isChecked());
    QCOMPARE(form.entry().selectedType, 9);
    // The choice opens on the stored kind and its value.
    QVERIFY(AddThrough(form, 4, [](QWidget* choice) {
        QVERIFY(Child<QRadioButton>(choice, QStringLiteral("RadioButton2"))->isChecked());
        ModalDriver driver([](QWidget* box) {
            QCOMPARE(Child<QLineEdit>(box, QStringLiteral("Edit1"))->text(), QStringLiteral("notepad A"));
            SetField(box, QStringLiteral("Edit1"), QStringLiteral("notepad B"));
            Click(box, QStringLiteral("OKBtn"));
        });
        Click(choice, QStringLiteral("Button2"));
        Click(choice, QStringLiteral("OKBtn"));
    }));
    Click(&form, QStringLiteral("OKBtn"));
    QCOMPARE(StoreLines(m_store), CommandLines("Pad", 9, "notepad B") + QStringList{""});
}

void TestTHypMenuForm::storeFailure_keepsDialogOpen()
{
    THypMenuForm::Setup failing = setup();
    failing.commit = [](const TopicSave&) {
        throw shell::Error(QStringLiteral("Cannot write LIST.SWR: disk full"));
    };
    THypMenuForm form(TopicEntry(), failing, m_title);
    form.show();
    SetField(&form, QStringLiteral("Edit1"), QStringLiteral("Notes"));
    form.radio(9)->click();
    QVERIFY(AddThrough(form, 9, FillRow(9)));
    Click(&form, QStringLiteral("OKBtn"));
    QCOMPARE(m_dialogs->errors, QStringList{QStringLiteral("Cannot write LIST.SWR: disk full")});
    QVERIFY(form.isVisible());
    QVERIFY(!form.saved());
    QCOMPARE(form.entry().commandValue, QStringLiteral("NOTES.TXT"));
}

void TestTHypMenuForm::cancel_writesNothing()
{
    storage::AppendCommandEntry(m_store, QStringLiteral("Alpha"), 3, storage::kTopicKind,
                                QStringLiteral("A.WAV"));
    const QByteArray before = ReadAll(m_store);
    THypMenuForm form(TopicEntry(), setup(), m_title);
    form.show();
    SetField(&form, QStringLiteral("Edit1"), QStringLiteral("Notes"));
    form.radio(9)->click();
    QVERIFY(AddThrough(form, 9, FillRow(9)));
    Click(&form, QStringLiteral("CancelBtn"));
    QCOMPARE(form.result(), int(QDialog::Rejected));
    QCOMPARE(ReadAll(m_store), before);
}

void TestTHypMenuForm::pickerView_showsTheRealMedia()
{
    shell::AppState state;
    state.WorkingDirectory = m_dir->path() + QLatin1Char('/');
    THypMenuForm::Setup real = setup();
    real.actions = WindowMediaActions(state, nullptr);
    THypMenuForm form(TopicEntry(), real, m_title);
    form.show();
    form.radio(2)->click();
    QVERIFY(AddThrough(form, 2, [](QWidget* picker) {
        SetField(picker, QStringLiteral("Edit1"), QStringLiteral("GONE.BMP"));
        Click(picker, QStringLiteral("BitBtn1"));
        Click(picker, QStringLiteral("CancelBtn"));
    }));
    // The runtime's media show looked for the picture in the Study List directory.
    QCOMPARE(m_dialogs->errors, QStringList{QStringLiteral("The file GONE.BMP is missing")});
}

// The flow once seen to crash while adding Topics: a picture's "&View" (a real picture window),
// "Fi&nd File" with its copy into the Study List, then the wave picker with its own find and copy.
void TestTHypMenuForm::pictureViewFindCopyThenWave_flowHolds()
{
    shell::AppState state;
    state.WorkingDirectory = m_dir->path() + QLatin1Char('/');
    THypMenuForm::Setup real = setup();
    real.actions = WindowMediaActions(state, nullptr);
    QTemporaryDir elsewhere;
    QImage sky(32, 24, QImage::Format_RGB32);
    sky.fill(Qt::blue);
    QVERIFY(sky.save(path(QStringLiteral("SKY.BMP")), "BMP"));
    QVERIFY(sky.save(elsewhere.filePath(QStringLiteral("FAR.BMP")), "BMP"));
    WriteAll(elsewhere.filePath(QStringLiteral("FAR.WAV")), QByteArray("RIFF\x24\0\0\0WAVEfmt ", 16));
    m_dialogs->fileAnswers << elsewhere.filePath(QStringLiteral("FAR.BMP")) << elsewhere.filePath(QStringLiteral("FAR.WAV"));
    m_dialogs->yesNoAnswers << true << true;
    THypMenuForm form(TopicEntry(), real, m_title);
    form.show();
    // The picture show closes once it is up. Only the reader's own windows are closed: a picker
    // that opened just now, before the driver has it, must not be taken for one on a busy machine.
    QTimer closer;
    connect(&closer, &QTimer::timeout, this, [&] {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->isVisible() && QByteArray(window->metaObject()->className()).startsWith("runtime::"))
                window->close();
    });
    closer.start(50);
    form.radio(2)->click();
    QVERIFY(AddThrough(form, 2, [](QWidget* open) {
        SetField(open, QStringLiteral("Edit1"), QStringLiteral("SKY.BMP"));
        Click(open, QStringLiteral("BitBtn1"));
        Click(open, QStringLiteral("Button1"));
        QCOMPARE(Child<QLineEdit>(open, QStringLiteral("Edit1"))->text(), QStringLiteral("FAR.BMP"));
        Click(open, QStringLiteral("OKBtn"));
    }));
    form.radio(3)->click();
    QVERIFY(AddThrough(form, 3, [](QWidget* open) {
        Click(open, QStringLiteral("Button1"));
        QCOMPARE(Child<QLineEdit>(open, QStringLiteral("Edit1"))->text(), QStringLiteral("FAR.WAV"));
        Click(open, QStringLiteral("OKBtn"));
    }));
    QVERIFY(QFile::exists(path(QStringLiteral("FAR.BMP"))) && QFile::exists(path(QStringLiteral("FAR.WAV"))));
    QVERIFY(m_dialogs->errors.isEmpty());
}

void TestTHypMenuForm::windowMediaActions_runAndOpenForReal()
{
    shell::AppState state;
    state.WorkingDirectory = m_dir->path() + QLatin1Char('/');
    const MediaActions actions = WindowMediaActions(state, nullptr);

    actions.showMedia(QStringLiteral("Title"), QStringLiteral("NONE.WAV"));
    QCOMPARE(m_dialogs->errors, QStringList{QStringLiteral("The file NONE.WAV is missing")});

    // A program of the Study List runs there and is waited for.
    const QString script = path(QStringLiteral("MARK.SH"));
    WriteAll(script, "#!/bin/sh\necho ran > marker.txt\n");
    QFile::setPermissions(script, QFile::permissions(script) | QFileDevice::ExeOwner);
    actions.runProgram(4, QStringLiteral("mark.sh"));
    QCOMPARE(ReadAll(path(QStringLiteral("marker.txt"))), QByteArray("ran\n"));

    // A document goes to the desktop, found in the Study List whatever its letter case.
    WriteAll(path(QStringLiteral("Page.htm")), "<html/>");
    QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "recordUrl");
    actions.openDocument(QStringLiteral("PAGE.HTM"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    QCOMPARE(m_opened, QList<QUrl>{QUrl::fromLocalFile(path(QStringLiteral("Page.htm")))});
}

void TestTHypMenuForm::mainWindow_addLoopStopsOnNo()
{
    shell::AppState state;
    shell::InitialiseProcess(state, m_dir->path());
    state.SettingsPath = QStringLiteral("LIST.SWJ");
    state.TopicStorePath = QStringLiteral("LIST.SWR");
    shell::TQuorvelForm window(state);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_VERIFY(Child<QPushButton>(&window, QStringLiteral("AddBtn"))->isVisible());
    QVERIFY(!Child<QPushButton>(&window, QStringLiteral("EditBtn"))->isEnabled());

    // Three dialogs: two notes Topics saved, the third cancelled; then "No". One poller serves
    // them all: each dialog may live where the one before it lived, so they are told apart by a
    // guarded pointer that the closed dialog's end clears.
    int shown = 0;
    QPointer<QWidget> last;
    QTimer poller;
    poller.setInterval(5);
    connect(&poller, &QTimer::timeout, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog || dialog == last || dialog->objectName() != QStringLiteral("THypMenuForm"))
            return;
        last = dialog;
        QCOMPARE(platform::F1Filter::HelpContextOf(dialog), 145);
        ++shown;
        if (shown == 3) {
            Click(dialog, QStringLiteral("CancelBtn"));
            return;
        }
        SetField(dialog, QStringLiteral("Edit1"), QStringLiteral("Notes %1").arg(shown));
        Child<QRadioButton>(dialog, QStringLiteral("RadioButton9"))->click();
        {
            ModalDriver box(FillRow(9));
            Click(dialog, QStringLiteral("Button9"));
        }
        Click(dialog, QStringLiteral("OKBtn"));
    });
    poller.start();
    for (bool answer : {true, true, false})
        m_dialogs->yesNoAnswers.enqueue(answer);
    QTest::mouseClick(Child<QPushButton>(&window, QStringLiteral("AddBtn")), Qt::LeftButton);
    QCOMPARE(shown, 3);
    QCOMPARE(m_dialogs->questions, QStringList(3, QStringLiteral("Do you want to add another Topic?")));
    QVERIFY(m_dialogs->errors.isEmpty());
    QStringList names;
    storage::ListEntryNames(names, path(QStringLiteral("LIST.SWR")), storage::kTopicKind);
    QCOMPARE(names, (QStringList{"Notes 1", "Notes 2"}));
    // The first Topic enables the Topic commands; the focus is back on "&Add a Topic".
    for (const char* name : {"EditBtn", "ViewBtn", "DeleteBtn", "PreViewBtn", "CompileBtn"})
        QVERIFY2(Child<QPushButton>(&window, QLatin1String(name))->isEnabled(), name);
    QCOMPARE(window.focusWidget(), Child<QPushButton>(&window, QStringLiteral("AddBtn")));
}

void TestTHypMenuForm::mainWindow_editThroughChooser()
{
    shell::AppState state;
    shell::InitialiseProcess(state, m_dir->path());
    state.SettingsPath = QStringLiteral("LIST.SWJ");
    state.TopicStorePath = QStringLiteral("list.swr"); // found on disk whatever its letter case
    storage::AppendCommandEntry(m_store, QStringLiteral("Alpha"), 3, storage::kTopicKind,
                                QStringLiteral("A.WAV"));
    storage::AppendCommandEntry(m_store, QStringLiteral("Beta"), 13, storage::kTopicKind,
                                QStringLiteral("B.TXT"));
    shell::TQuorvelForm window(state);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QPushButton* editBtn = Child<QPushButton>(&window, QStringLiteral("EditBtn"));
    QTRY_VERIFY(editBtn->isVisible());
    QVERIFY(editBtn->isEnabled());

    QString chooserCaption;
    QString nameShown;
    std::unique_ptr<ModalDriver> edit;
    ModalDriver chooser([&](QWidget* modal) {
        chooserCaption = modal->windowTitle();
        edit = std::make_unique<ModalDriver>([&](QWidget* dialog) {
            QCOMPARE(platform::F1Filter::HelpContextOf(dialog), 165);
            nameShown = Child<QLineEdit>(dialog, QStringLiteral("Edit1"))->text();
            SetField(dialog, QStringLiteral("Edit1"), QStringLiteral("Beta notes"));
            Click(dialog, QStringLiteral("OKBtn"));
        });
        modal->findChild<QListWidget*>(QStringLiteral("ListBox1"))->setCurrentRow(1);
        Click(modal, QStringLiteral("OKBitBtn"));
    });
    QTest::mouseClick(editBtn, Qt::LeftButton);
    QCOMPARE(chooserCaption, QStringLiteral("Select an Entry to edit"));
    QCOMPARE(nameShown, QStringLiteral("Beta"));
    QCOMPARE(state.CurrentTopicTitle, QStringLiteral("Beta notes"));
    QCOMPARE(StoreLines(m_store),
             CommandLines("Alpha", 3, "A.WAV") + CommandLines("Beta notes", 13, "B.TXT") + QStringList{""});
    QCOMPARE(window.focusWidget(), editBtn);
}

void TestTHypMenuForm::mainWindow_newListThenOneTopicOfEachType()
{
    // The whole road from an empty folder: "Start &New List", then one Topic of every type through
    // "&Add a Topic", answering "Yes" to another Topic until the last. Mouse clicks throughout, so
    // the name check runs as the focus leaves the field.
    shell::AppState state;
    shell::InitialiseProcess(state, m_dir->path());
    shell::TQuorvelForm window(state);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_VERIFY(Child<QPushButton>(&window, QStringLiteral("Newbtn"))->isVisible());

    const QString folder = path(QStringLiteral("geo"));
    {
        ModalDriver newList([folder](QWidget* dialog) {
            SetField(dialog, QStringLiteral("Edit1"), folder);
            SetField(dialog, QStringLiteral("Edit2"), QStringLiteral("volcano"));
            Click(dialog, QStringLiteral("OKBtn"));
        });
        QTest::mouseClick(Child<QPushButton>(&window, QStringLiteral("Newbtn")), Qt::LeftButton);
        QVERIFY(newList.opened);
    }
    QCOMPARE(state.WorkingDirectory, folder + QLatin1Char('/'));
    for (const char* file : {"PIC.JPG", "BELL.WAV", "SONG.MID", "FILM.AVI"})
        WriteAll(folder + QLatin1Char('/') + QLatin1String(file), "data");

    struct Step
    {
        int row;
        int kindRow;
        int type;
        QString command;
    };
    const QList<Step> steps = {
        {1, 0, 1, {}},
        {2, 0, 2, QStringLiteral("PIC.JPG,25")},
        {3, 0, 3, QStringLiteral("BELL.WAV")},
        {4, 1, 4, QStringLiteral("RUN.EXE,-q")},
        {4, 2, 9, QStringLiteral("notepad NOTES.TXT")},
        {4, 3, 10, QStringLiteral("PAGE.HTM")},
        {5, 0, 5, {}},
        {6, 0, 6, QStringLiteral("PIC.JPG,BELL.WAV,5")},
        {7, 0, 7, QStringLiteral("FILM.AVI")},
        {8, 0, 8, QStringLiteral("SONG.MID")},
        {9, 0, 13, QStringLiteral("NOTES.TXT")},
    };
    for (qsizetype i = 0; i < steps.size(); ++i)
        m_dialogs->yesNoAnswers.enqueue(i + 1 < steps.size());

    qsizetype done = 0;
    QPointer<QWidget> last;
    QTimer poller;
    poller.setInterval(5);
    connect(&poller, &QTimer::timeout, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog || dialog == last || dialog->objectName() != QStringLiteral("THypMenuForm") ||
            done >= steps.size())
            return;
        last = dialog;
        const Step step = steps[done++];
        auto* form = static_cast<THypMenuForm*>(dialog);
        auto* edit = Child<QLineEdit>(dialog, QStringLiteral("Edit1"));
        QTest::mouseClick(edit, Qt::LeftButton);
        QTest::keyClicks(edit, QStringLiteral("Topic %1").arg(done));
        QTest::mouseClick(form->radio(step.row), Qt::LeftButton);
        const QString shots = qEnvironmentVariable("QUORVEL_SCREENSHOT_DIR");
        if (done == 1 && !shots.isEmpty()) {
            // The whole screen: the entry dialog over the main window.
            QTest::qWait(100);
            QGuiApplication::primaryScreen()->grabWindow(0).save(
                QDir(shots).filePath(QStringLiteral("THypMenuForm-over-main.png")));
        }
        {
            ModalDriver driver(step.kindRow ? FillProgram(step.kindRow) : FillRow(step.row));
            QTest::mouseClick(form->addButton(step.row), Qt::LeftButton);
            if (!driver.opened)
                qWarning("no sub-dialog for step %lld", static_cast<long long>(done));
        }
        QTest::mouseClick(Child<QPushButton>(dialog, QStringLiteral("OKBtn")), Qt::LeftButton);
        if (dialog->isVisible())
            Click(dialog, QStringLiteral("CancelBtn"));
    });
    poller.start();
    QTest::mouseClick(Child<QPushButton>(&window, QStringLiteral("AddBtn")), Qt::LeftButton);
    poller.stop();

    QCOMPARE(done, steps.size());
    QVERIFY2(m_dialogs->errors.isEmpty(), qPrintable(m_dialogs->errors.join('|')));
    QCOMPARE(m_dialogs->questions.size(), steps.size());
    const QString store = state.resolve(state.TopicStorePath);
    QCOMPARE(QFileInfo(store).fileName(), QStringLiteral("volcano.SWR"));
    QStringList names;
    storage::ListEntryNames(names, store, storage::kTopicKind);
    QCOMPARE(names.size(), steps.size());
    for (qsizetype i = 0; i < steps.size(); ++i) {
        QCOMPARE(names[i], QStringLiteral("Topic %1").arg(i + 1));
        QStringList entry;
        QVERIFY(storage::ExtractEntry(store, names[i], storage::kTopicKind, entry));
        QCOMPARE(entry.value(2), QStringLiteral("type=%1").arg(steps[i].type));
        if (steps[i].type == 1 || steps[i].type == 5) {
            QCOMPARE(entry.value(3),
                     steps[i].type == 1 ? QStringLiteral("displaytype=0") : QStringLiteral("displaytype=1"));
            QCOMPARE(entry.value(4), QStringLiteral("fullscreen=false"));
            QCOMPARE(entry.value(16), QStringLiteral("text="));
            QVERIFY(entry.mid(17).join(QString()).contains(QStringLiteral("Hot rocks")));
        } else {
            QCOMPARE(entry.mid(3), (QStringList{QStringLiteral("command=") + steps[i].command, "]"}));
        }
    }
    QVERIFY(Child<QPushButton>(&window, QStringLiteral("EditBtn"))->isEnabled());
}

void TestTHypMenuForm::screenshots()
{
    const QString out = qEnvironmentVariable("QUORVEL_SCREENSHOT_DIR");
    if (out.isEmpty())
        QSKIP("set QUORVEL_SCREENSHOT_DIR to write screenshots");
    QDir().mkpath(out);
    auto save = [&out](QWidget& widget, const QString& name) {
        widget.show();
        QVERIFY(QTest::qWaitForWindowExposed(&widget));
        QTest::qWait(50);
        const QPixmap shot = widget.grab();
        QVERIFY(shot.width() > 200 && shot.height() > 200);
        QVERIFY(shot.save(QDir(out).filePath(name + QStringLiteral(".png"))));
    };
    THypMenuForm add(TopicEntry(), setup(), m_title);
    save(add, QStringLiteral("THypMenuForm-add"));
    storage::AppendCommandEntry(
        m_store, QStringLiteral("Volcanoes, earthquakes and tsunamis of the Pacific Ring of F"), 7,
        storage::kTopicKind, QStringLiteral("FILM.AVI"));
    QStringList extracted;
    QVERIFY(storage::ExtractEntry(
        m_store, QStringLiteral("Volcanoes, earthquakes and tsunamis of the Pacific Ring of F"),
        storage::kTopicKind, extracted));
    THypMenuForm edit(LoadTopicEntry(extracted), setup(), m_title);
    save(edit, QStringLiteral("THypMenuForm-edit"));
}

QTEST_MAIN(TestTHypMenuForm)
#include "tst_thypmenuform.moc"
