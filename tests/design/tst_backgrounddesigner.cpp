// Covers the background designer: the kind rules, the four variants and their differences, the
// colour, the file lists and name fields, Find File with its copy rule, OK against Cancel, the
// program background preview, and the "&Adjust Window" hand-over to the adjusters.
#include "authoring/thypentryform.h"
#include "design/backgrounddesign.h"
#include "design/tcfgdesignbackform.h"
#include "design/tintdesignbackform.h"
#include "design/tmenuadjustform.h"
#include "design/tmenudesignbackform.h"
#include "design/ttbackform.h"
#include "design/tvpadjustform.h"
#include "design/tvpdesignbackform.h"
#include "platform/f1filter.h"
#include "runtime/backgroundview.h"
#include "shell/colorref.h"
#include "support/child.h"
#include "support/modaldriver.h"
#include "support/currentfolder.h"
#include "support/scripteddialogs.h"
#include "support/testfiles.h"

#include <QDir>
#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

using namespace design;

Q_DECLARE_METATYPE(design::BackVariant)

namespace {

runtime::BackgroundFields Fields(int kind, const QString& graphic, const QString& tile)
{
    return {kind, shell::kSilver, graphic, tile};
}

QColor PanelColor(QWidget& form)
{
    return Child<QFrame>(form, "Panel1")->palette().color(QPalette::Window);
}

} // namespace

class TestBackgroundDesigner : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<CurrentFolder> m_folder;
    std::unique_ptr<QTemporaryDir> m_elsewhere;

    QString dir() const { return m_folder->path(); }
    void touch(const QString& name, const QByteArray& bytes = "x")
    {
        WriteAll(QDir(dir()).filePath(name), bytes);
    }
    void picture(const QString& path, const QColor& color)
    {
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(color);
        QVERIFY(image.save(path, "BMP"));
    }

private Q_SLOTS:
    void init()
    {
        m_folder = std::make_unique<CurrentFolder>();
        m_elsewhere = std::make_unique<QTemporaryDir>();
    }
    void cleanup()
    {
        m_elsewhere.reset();
        m_folder.reset();
    }

    // --- the rules -----------------------------------------------------------------------------

    void selectGraphic_picksJpegBeforeBmp()
    {
        touch(QStringLiteral("A.BMP"));
        touch(QStringLiteral("B.JPG"));
        runtime::BackgroundFields fields = Fields(1, {}, {});
        SelectKind(fields, 2, VariantOf(BackVariant::Program), dir());
        QCOMPARE(fields.Kind, 2);
        QCOMPARE(fields.Graphic, QStringLiteral("B.JPG"));
    }

    void selectKind_autoPickClearsOtherName_data()
    {
        QTest::addColumn<BackVariant>("variant");
        QTest::addColumn<bool>("clears");
        QTest::newRow("program") << BackVariant::Program << true;
        QTest::newRow("menu") << BackVariant::MenuScreen << false;
        QTest::newRow("page") << BackVariant::DesignedPage << true;
        QTest::newRow("introduction") << BackVariant::Introduction << true;
    }
    void selectKind_autoPickClearsOtherName()
    {
        QFETCH(BackVariant, variant);
        QFETCH(bool, clears);
        touch(QStringLiteral("a.bmp"));
        runtime::BackgroundFields graphic = Fields(1, {}, QStringLiteral("T.BMP"));
        SelectKind(graphic, 2, VariantOf(variant), dir());
        QCOMPARE(graphic.Graphic, QStringLiteral("a.bmp"));
        QCOMPARE(graphic.Tile, clears ? QString() : QStringLiteral("T.BMP"));

        runtime::BackgroundFields tile = Fields(1, QStringLiteral("G.JPG"), {});
        SelectKind(tile, 3, VariantOf(variant), dir());
        QCOMPARE(tile.Tile, QStringLiteral("a.bmp"));
        QCOMPARE(tile.Graphic, clears ? QString() : QStringLiteral("G.JPG"));
    }

    void selectKind_namedFileIsKept()
    {
        touch(QStringLiteral("B.JPG"));
        runtime::BackgroundFields fields = Fields(1, QStringLiteral("MINE.BMP"), QStringLiteral("T.BMP"));
        SelectKind(fields, 2, VariantOf(BackVariant::Program), dir());
        QCOMPARE(fields.Graphic, QStringLiteral("MINE.BMP"));
        QCOMPARE(fields.Tile, QStringLiteral("T.BMP")); // nothing was picked, so nothing cleared
    }

    void selectWallpaper_jpgName_data()
    {
        QTest::addColumn<BackVariant>("variant");
        QTest::addColumn<QString>("tile");
        QTest::newRow("program drops it") << BackVariant::Program << QStringLiteral("FIRST.BMP");
        QTest::newRow("menu drops it") << BackVariant::MenuScreen << QStringLiteral("FIRST.BMP");
        QTest::newRow("introduction drops it") << BackVariant::Introduction << QStringLiteral("FIRST.BMP");
        QTest::newRow("page keeps it") << BackVariant::DesignedPage << QStringLiteral("OLD.JPG");
    }
    void selectWallpaper_jpgName()
    {
        QFETCH(BackVariant, variant);
        QFETCH(QString, tile);
        touch(QStringLiteral("FIRST.BMP"));
        runtime::BackgroundFields fields = Fields(1, {}, QStringLiteral("OLD.JPG"));
        SelectKind(fields, 3, VariantOf(variant), dir());
        QCOMPARE(fields.Kind, 3);
        QCOMPARE(fields.Tile, tile);
    }

    void selectKind_noMatch_leavesNameEmpty()
    {
        touch(QStringLiteral("NOTES.TXT"));
        runtime::BackgroundFields fields = Fields(1, {}, {});
        SelectKind(fields, 2, VariantOf(BackVariant::Program), dir());
        QCOMPARE(fields.Graphic, QString());
        SelectKind(fields, 3, VariantOf(BackVariant::Program), dir());
        QCOMPARE(fields.Tile, QString());
    }

    void shownKind_unknownKindsAreColour()
    {
        QCOMPARE(ShownKind(0), 1);
        QCOMPARE(ShownKind(4), 1);
        QCOMPARE(ShownKind(-7), 1);
        QCOMPARE(ShownKind(3), 3);
    }

    void finish_data()
    {
        QTest::addColumn<BackVariant>("variant");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("graphic");
        QTest::addColumn<QString>("tile");
        const QString g = QStringLiteral("G.JPG");
        const QString t = QStringLiteral("T.BMP");
        QTest::newRow("program colour") << BackVariant::Program << 1 << QString() << QString();
        QTest::newRow("program graphic") << BackVariant::Program << 2 << g << QString();
        QTest::newRow("program wallpaper") << BackVariant::Program << 3 << QString() << t;
        QTest::newRow("menu colour") << BackVariant::MenuScreen << 1 << QString() << QString();
        QTest::newRow("introduction graphic") << BackVariant::Introduction << 2 << g << QString();
        QTest::newRow("page colour keeps both") << BackVariant::DesignedPage << 1 << g << t;
        QTest::newRow("page graphic keeps both") << BackVariant::DesignedPage << 2 << g << t;
    }
    void finish()
    {
        QFETCH(BackVariant, variant);
        QFETCH(int, kind);
        QFETCH(QString, graphic);
        QFETCH(QString, tile);
        runtime::BackgroundFields fields = Fields(kind, QStringLiteral("G.JPG"), QStringLiteral("T.BMP"));
        FinishBackground(fields, kind, VariantOf(variant));
        QCOMPARE(fields.Graphic, graphic);
        QCOMPARE(fields.Tile, tile);
    }

    void cutFileName_keeps150() { QCOMPARE(CutFileName(QString(200, QLatin1Char('a'))).size(), 150); }

    // --- the dialogs ---------------------------------------------------------------------------

    void variants_differAsDesigned_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<int>("help");
        QTest::addColumn<QString>("wallCaption");
        QTest::addColumn<QString>("wallFind");
        QTest::addColumn<bool>("view");
        QTest::newRow("program") << 0 << 410 << QStringLiteral(" WallPaper (.BMP only) ")
                                 << QStringLiteral("Find File") << true;
        QTest::newRow("menu") << 1 << 480 << QStringLiteral(" WallPaper (.BMP only) ")
                              << QStringLiteral("&Find File") << false;
        QTest::newRow("page") << 2 << 480 << QStringLiteral("WallPaper (.BMP only)")
                              << QStringLiteral("Find File") << false;
        QTest::newRow("introduction")
            << 3 << 480 << QStringLiteral("WallPaper (.BMP only)") << QStringLiteral("Find File") << false;
    }
    void variants_differAsDesigned()
    {
        QFETCH(int, which);
        QFETCH(int, help);
        QFETCH(QString, wallCaption);
        QFETCH(QString, wallFind);
        QFETCH(bool, view);
        std::unique_ptr<TDesignBackForm> form;
        if (which == 0)
            form = std::make_unique<TCFGDesignBackForm>(storage::ProgramSettings{}, dir());
        else if (which == 1)
            form = std::make_unique<TMenuDesignBackForm>(storage::MenuScreenDesign{}, dir());
        else if (which == 2)
            form = std::make_unique<TVPDesignBackForm>(storage::TopicDisplayRecord{}, QStringList{}, dir());
        else
            form = std::make_unique<TIntDesignBackForm>(
                storage::ScreenDesign{}, [](storage::ScreenDesign&, QWidget*) {}, dir());
        QCOMPARE(form->windowTitle(), QStringLiteral("Press F1 for Help"));
        QCOMPARE(platform::F1Filter::HelpContextOf(form.get()), help);
        QCOMPARE(Child<QGroupBox>(*form, "WallpaperGrpBx")->title(), wallCaption);
        QCOMPARE(Child<QPushButton>(*form, "Button1")->text(), wallFind);
        QCOMPARE(Child<QPushButton>(*form, "Button2")->text(), QStringLiteral("&Find File"));
        QCOMPARE(Child<QGroupBox>(*form, "ScreenTypeGrpBx")->title(), QStringLiteral(" Screen Background "));
        QCOMPARE(Child<QRadioButton>(*form, "ColorRBtn")->text(), QStringLiteral(" Colored Screen"));
        QCOMPARE(Child<QRadioButton>(*form, "GraphicRBtn")->text(), QStringLiteral(" Graphic Image"));
        QCOMPARE(Child<QRadioButton>(*form, "WallpaperRBtn")->text(), QStringLiteral(" Wallpaper"));
        QCOMPARE(Child<QGroupBox>(*form, "ColorGrpBx")->title(), QStringLiteral(" Background Color "));
        QCOMPARE(Child<QGroupBox>(*form, "GraphicGrpBx")->title(),
                 QStringLiteral("Graphic File (.BMP or .JPG)"));
        QCOMPARE(Child<QPushButton>(*form, "Button3")->text(), QStringLiteral("&Select"));
        QCOMPARE(Child<QPushButton>(*form, "OKBtn")->text(), QStringLiteral("&OK"));
        QCOMPARE(Child<QPushButton>(*form, "CancelBtn")->text(), QStringLiteral("&Cancel"));
        QCOMPARE(form->findChild<QPushButton*>(QStringLiteral("ViewBitBtn")) != nullptr, view);
        QCOMPARE(form->findChild<QPushButton*>(QStringLiteral("WindowBtn")) != nullptr, !view);
        if (view) {
            QCOMPARE(Child<QPushButton>(*form, "ViewBitBtn")->text(), QStringLiteral("View"));
        } else {
            QCOMPARE(Child<QPushButton>(*form, "WindowBtn")->text(), QStringLiteral("&Adjust Window"));
            QCOMPARE(Child<QLabel>(*form, "AjdjustLl")->text(),
                     QStringLiteral("Design the Text Window size :"));
        }
    }

    void opening_showsRecordAndOnlyItsGroup()
    {
        storage::ProgramSettings program;
        program.BackgroundKind = 3;
        program.BackgroundColor = 0x0000FF;
        program.BackgroundGraphic = QStringLiteral("lava.jpg");
        program.BackgroundTile = QStringLiteral("Weave.bmp");
        TCFGDesignBackForm form(program, dir());
        QVERIFY(Child<QRadioButton>(form, "WallpaperRBtn")->isChecked());
        QVERIFY(Child<QGroupBox>(form, "WallpaperGrpBx")->isVisibleTo(&form));
        QVERIFY(!Child<QGroupBox>(form, "GraphicGrpBx")->isVisibleTo(&form));
        QVERIFY(!Child<QGroupBox>(form, "ColorGrpBx")->isVisibleTo(&form));
        QCOMPARE(PanelColor(form), QColor(255, 0, 0));
        // The program variant shows its graphic name in capitals.
        QCOMPARE(Child<QLineEdit>(form, "GraphicEdit")->text(), QStringLiteral("LAVA.JPG"));
        QCOMPARE(Child<QLineEdit>(form, "WallPaperEdit")->text(), QStringLiteral("Weave.bmp"));
        QVERIFY(Child<QLineEdit>(form, "GraphicEdit")->isReadOnly());
    }

    void opening_otherVariantKeepsCase_unknownKindIsColour()
    {
        storage::TopicDisplayRecord record;
        record.BackgroundKind = 9;
        record.BackgroundGraphic = QStringLiteral("lava.jpg");
        TVPDesignBackForm form(record, {}, dir());
        QVERIFY(Child<QRadioButton>(form, "ColorRBtn")->isChecked());
        QVERIFY(Child<QGroupBox>(form, "ColorGrpBx")->isVisibleTo(&form));
        QCOMPARE(Child<QLineEdit>(form, "GraphicEdit")->text(), QStringLiteral("lava.jpg"));
    }

    void kindButtons_switchGroupsAndPick()
    {
        touch(QStringLiteral("A.BMP"));
        touch(QStringLiteral("B.JPG"));
        TCFGDesignBackForm form(storage::ProgramSettings{}, dir());
        form.show();
        QTest::mouseClick(Child<QRadioButton>(form, "GraphicRBtn"), Qt::LeftButton);
        QVERIFY(Child<QGroupBox>(form, "GraphicGrpBx")->isVisible());
        QVERIFY(!Child<QGroupBox>(form, "ColorGrpBx")->isVisible());
        QCOMPARE(form.fields().Kind, 2);
        QCOMPARE(form.fields().Graphic, QStringLiteral("B.JPG"));
        QCOMPARE(Child<QLineEdit>(form, "GraphicEdit")->text(), QStringLiteral("B.JPG"));
        QCOMPARE(Child<QListWidget>(form, "FileListBox1")->count(), 2);
        QCOMPARE(Child<QListWidget>(form, "FileListBox2")->count(), 1);
        QTest::mouseClick(Child<QRadioButton>(form, "WallpaperRBtn"), Qt::LeftButton);
        QCOMPARE(form.fields().Kind, 3);
        QCOMPARE(form.fields().Tile, QStringLiteral("A.BMP"));
        QCOMPARE(form.fields().Graphic, QString()); // the automatic pick cleared the graphic
    }

    void color_confirmedAndCancelled()
    {
        TMenuDesignBackForm form(storage::MenuScreenDesign{}, dir());
        m_folder->dialogs.colorAnswers.enqueue(QColor(0, 0, 255));
        QTest::mouseClick(Child<QPushButton>(form, "Button3"), Qt::LeftButton);
        QCOMPARE(form.fields().Color, quint32(0xFF0000));
        QCOMPARE(PanelColor(form), QColor(0, 0, 255));
        // Cancelled: the panel keeps its colour, and that colour is stored.
        QTest::mouseClick(Child<QPushButton>(form, "Button3"), Qt::LeftButton);
        QCOMPARE(form.fields().Color, quint32(0xFF0000));
    }

    void fileList_clickNamesFile()
    {
        touch(QStringLiteral("sky.jpg"));
        touch(QStringLiteral("sea.bmp"));
        storage::ProgramSettings program;
        program.BackgroundKind = 2;
        TCFGDesignBackForm form(program, dir());
        form.show();
        auto* list = Child<QListWidget>(form, "FileListBox1");
        QListWidgetItem* item = list->findItems(QStringLiteral("sky.jpg"), Qt::MatchExactly).value(0);
        QVERIFY(item);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
        QCOMPARE(form.fields().Graphic, QStringLiteral("sky.jpg"));
        QCOMPARE(Child<QLineEdit>(form, "GraphicEdit")->text(), QStringLiteral("SKY.JPG"));
    }

    void fileList_doubleClick_perVariant()
    {
        TCFGDesignBackForm program(storage::ProgramSettings{}, dir());
        program.fileListDoubleClicked(1, QStringLiteral("a.bmp"));
        QCOMPARE(program.fields().Graphic, QStringLiteral("a.bmp"));
        // The wallpaper list only shows the name.
        program.fileListDoubleClicked(2, QStringLiteral("t.bmp"));
        QCOMPARE(Child<QLineEdit>(program, "WallPaperEdit")->text(), QStringLiteral("t.bmp"));
        QCOMPARE(program.fields().Tile, QString());

        TMenuDesignBackForm menu(storage::MenuScreenDesign{}, dir());
        menu.fileListDoubleClicked(1, QStringLiteral("a.bmp"));
        QCOMPARE(menu.fields().Graphic, QString());
        QCOMPARE(Child<QLineEdit>(menu, "GraphicEdit")->text(), QString());
    }

    void nameFieldClick_takesFieldText()
    {
        storage::TopicDisplayRecord record;
        record.BackgroundKind = 3;
        TVPDesignBackForm form(record, {}, dir());
        form.show();
        auto* field = Child<QLineEdit>(form, "WallPaperEdit");
        QTest::mouseClick(field, Qt::LeftButton);
        QCOMPARE(form.fields().Tile, QString()); // an empty field names nothing
        field->setText(QStringLiteral("TYPED.BMP"));
        QTest::mouseClick(field, Qt::LeftButton);
        QCOMPARE(form.fields().Tile, QStringLiteral("TYPED.BMP"));
    }

    void findFile_cancelled_changesNothing()
    {
        storage::ProgramSettings program;
        program.BackgroundKind = 2;
        program.BackgroundGraphic = QStringLiteral("OLD.BMP");
        TCFGDesignBackForm form(program, dir());
        QTest::mouseClick(Child<QPushButton>(form, "Button2"), Qt::LeftButton);
        QCOMPARE(m_folder->dialogs.fileRequests.size(), 1);
        QVERIFY(m_folder->dialogs.questions.isEmpty());
        QCOMPARE(form.fields().Graphic, QStringLiteral("OLD.BMP"));
    }

    void findFile_chooserAsked_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<int>("list");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<int>("help");
        QTest::newRow("program graphic") << 0 << 1 << QStringLiteral("Graphic Files|*.BMP;*.JPG") << 510;
        QTest::newRow("program wallpaper") << 0 << 2 << QStringLiteral("Wallpaper Files|*.BMP") << 510;
        QTest::newRow("menu wallpaper") << 1 << 2 << QStringLiteral("Graphic Files|*.BMP;*.JPG") << 325;
        QTest::newRow("page wallpaper") << 2 << 2 << QStringLiteral("BMP Wallpaper Files|*.BMP") << 510;
    }
    void findFile_chooserAsked()
    {
        QFETCH(int, which);
        QFETCH(int, list);
        QFETCH(QString, filter);
        QFETCH(int, help);
        std::unique_ptr<TDesignBackForm> form;
        if (which == 0)
            form = std::make_unique<TCFGDesignBackForm>(storage::ProgramSettings{}, dir());
        else if (which == 1)
            form = std::make_unique<TMenuDesignBackForm>(storage::MenuScreenDesign{}, dir());
        else
            form = std::make_unique<TVPDesignBackForm>(storage::TopicDisplayRecord{}, QStringList{}, dir());
        form->findFile(list);
        QCOMPARE(m_folder->dialogs.fileRequests.size(), 1);
        QCOMPARE(m_folder->dialogs.fileRequests[0].title, QStringLiteral("Select a Graphic File"));
        QCOMPARE(m_folder->dialogs.fileRequests[0].filter, filter);
        QCOMPARE(m_folder->dialogs.fileRequests[0].helpContext, help);
        QVERIFY(m_folder->dialogs.fileRequests[0].mustExist);
    }

    void findFile_answeredNo_keepsPreviousName()
    {
        const QString outside = QDir(m_elsewhere->path()).filePath(QStringLiteral("FAR.BMP"));
        WriteAll(outside, "far");
        storage::ProgramSettings program;
        program.BackgroundKind = 2;
        program.BackgroundGraphic = QStringLiteral("OLD.BMP");
        TCFGDesignBackForm form(program, dir());
        m_folder->dialogs.fileAnswers.enqueue(outside);
        m_folder->dialogs.yesNoAnswers.enqueue(false);
        form.findFile(1);
        QCOMPARE(m_folder->dialogs.questions,
                 QStringList{QStringLiteral("Copy the file FAR.BMP to the Project directory?")});
        QVERIFY(!QFileInfo::exists(QDir(dir()).filePath(QStringLiteral("FAR.BMP"))));
        QCOMPARE(Child<QLineEdit>(form, "GraphicEdit")->text(), QStringLiteral("OLD.BMP"));
        QCOMPARE(form.fields().Graphic, QStringLiteral("OLD.BMP"));
    }

    void findFile_answeredYes_copiesAndNames()
    {
        const QString outside = QDir(m_elsewhere->path()).filePath(QStringLiteral("Far.bmp"));
        WriteAll(outside, "far");
        storage::TopicDisplayRecord record;
        record.BackgroundKind = 3;
        TVPDesignBackForm form(record, {}, dir());
        m_folder->dialogs.fileAnswers.enqueue(outside);
        m_folder->dialogs.yesNoAnswers.enqueue(true);
        form.findFile(2);
        QCOMPARE(ReadAll(QDir(dir()).filePath(QStringLiteral("Far.bmp"))), QByteArray("far"));
        QCOMPARE(form.fields().Tile, QStringLiteral("Far.bmp"));
        QCOMPARE(Child<QLineEdit>(form, "WallPaperEdit")->text(), QStringLiteral("Far.bmp"));
        QCOMPARE(Child<QListWidget>(form, "FileListBox2")->count(), 1);
        // Both lists were read again; the other list, with nothing selected, shows its pattern.
        QCOMPARE(Child<QListWidget>(form, "FileListBox1")->count(), 1);
        QCOMPARE(Child<QLineEdit>(form, "GraphicEdit")->text(), QStringLiteral("*.BMP;*.JPG"));
    }

    void findFile_answeredYes_existingFileIsNotOverwritten()
    {
        touch(QStringLiteral("SAME.BMP"), "mine");
        const QString outside = QDir(m_elsewhere->path()).filePath(QStringLiteral("SAME.BMP"));
        WriteAll(outside, "theirs");
        TCFGDesignBackForm form(storage::ProgramSettings{}, dir());
        m_folder->dialogs.fileAnswers.enqueue(outside);
        m_folder->dialogs.yesNoAnswers.enqueue(true);
        form.findFile(1);
        QCOMPARE(ReadAll(QDir(dir()).filePath(QStringLiteral("SAME.BMP"))), QByteArray("mine"));
        QVERIFY(m_folder->dialogs.errors.isEmpty());
        QCOMPARE(form.fields().Graphic, QStringLiteral("SAME.BMP"));
    }

    void findFile_emptyField_proposesFirstMatch()
    {
        touch(QStringLiteral("ONE.BMP"));
        const QString outside = QDir(m_elsewhere->path()).filePath(QStringLiteral("FAR.BMP"));
        WriteAll(outside, "far");
        storage::ProgramSettings program;
        TCFGDesignBackForm form(program, dir());
        m_folder->dialogs.fileAnswers.enqueue(outside);
        m_folder->dialogs.yesNoAnswers.enqueue(false);
        form.findFile(2);
        QCOMPARE(form.fields().Tile, QStringLiteral("ONE.BMP"));
    }

    void okAndCancel_programVariant()
    {
        storage::ProgramSettings program;
        program.Title = QStringLiteral("Rocks");
        program.BackgroundKind = 2;
        program.BackgroundGraphic = QStringLiteral("G.JPG");
        program.BackgroundTile = QStringLiteral("T.BMP");
        const storage::ProgramSettings before = program;

        ModalDriver cancel([](QWidget* modal) {
            QTest::mouseClick(Child<QRadioButton>(*modal, "ColorRBtn"), Qt::LeftButton);
            QTest::mouseClick(Child<QPushButton>(*modal, "CancelBtn"), Qt::LeftButton);
        });
        QVERIFY(!DesignProgramBackground(program, nullptr));
        QVERIFY(cancel.opened);
        QCOMPARE(program, before);

        ModalDriver ok([](QWidget* modal) {
            QTest::mouseClick(Child<QRadioButton>(*modal, "ColorRBtn"), Qt::LeftButton);
            QTest::mouseClick(Child<QPushButton>(*modal, "OKBtn"), Qt::LeftButton);
        });
        QVERIFY(DesignProgramBackground(program, nullptr));
        QCOMPARE(program.BackgroundKind, 1);
        QCOMPARE(program.BackgroundGraphic, QString());
        QCOMPARE(program.BackgroundTile, QString());
        QCOMPARE(program.Title, QStringLiteral("Rocks"));
    }

    void ok_pageVariantKeepsBothNames()
    {
        storage::TopicDisplayRecord record;
        record.BackgroundKind = 2;
        record.BackgroundGraphic = QStringLiteral("G.JPG");
        record.BackgroundTile = QStringLiteral("OLD.JPG");
        ModalDriver ok([](QWidget* modal) {
            QTest::mouseClick(Child<QRadioButton>(*modal, "ColorRBtn"), Qt::LeftButton);
            QTest::mouseClick(Child<QPushButton>(*modal, "OKBtn"), Qt::LeftButton);
        });
        QVERIFY(DesignPageBackground(record, {}, dir(), nullptr));
        QCOMPARE(record.BackgroundKind, 1);
        QCOMPARE(record.BackgroundGraphic, QStringLiteral("G.JPG"));
        QCOMPARE(record.BackgroundTile, QStringLiteral("OLD.JPG"));
    }

    void pageVariant_keptJpgWallpaper_isReportedWhenDrawn()
    {
        touch(QStringLiteral("FIRST.BMP"));
        storage::TopicDisplayRecord record;
        record.BackgroundTile = QStringLiteral("OLD.JPG");
        TVPDesignBackForm form(record, {}, dir());
        form.selectKind(3);
        QCOMPARE(form.fields().Tile, QStringLiteral("OLD.JPG"));
        TVPAdjustForm adjuster(form.record(), {}, dir());
        QCOMPARE(m_folder->dialogs.errors,
                 QStringList{QStringLiteral("Wallpaper must be a .BMP file.\n\r\n\rReplace OLD.JPG "
                                            "with a .BMP Graphic.")});
    }

    // --- preview ------------------------------------------------------------------------------

    void preview_jpgWallpaper_showsErrorAndNoWindow()
    {
        storage::ProgramSettings program;
        program.BackgroundKind = 3;
        program.BackgroundTile = QStringLiteral("tile.jpg");
        QVERIFY(!PreviewProgramBackground(program, dir()));
        QCOMPARE(m_folder->dialogs.errors,
                 QStringList{QStringLiteral("Wallpaper must be a .BMP file.\n\r\n\rReplace tile.jpg "
                                            "with a .BMP Graphic.")});
        QVERIFY(!QApplication::activeModalWidget());
    }

    void preview_window_screenSizedTitledAndClosedByKeysAndMouse()
    {
        picture(QDir(dir()).filePath(QStringLiteral("SKY.BMP")), Qt::blue);
        storage::ProgramSettings program;
        program.Title = QStringLiteral("Rocks");
        program.BackgroundKind = 2;
        program.BackgroundGraphic = QStringLiteral("sky.bmp"); // letter case ignored
        TTBackForm form(program, dir());
        QCOMPARE(form.windowTitle(), QStringLiteral("Rocks"));
        QCOMPARE(form.size(), QGuiApplication::primaryScreen()->geometry().size());
        QCOMPARE(form.screen()->layer(), runtime::BackgroundLayer::Stretched);
        QVERIFY(m_folder->dialogs.errors.isEmpty());

        for (int key : {int(Qt::Key_Escape), int(Qt::Key_Return)}) {
            TTBackForm shown(program, dir());
            shown.show();
            QTest::keyClick(&shown, Qt::Key(key));
            QCOMPARE(shown.result(), int(QDialog::Accepted));
            QVERIFY(!shown.isVisible());
        }
        TTBackForm clicked(program, dir());
        clicked.show();
        QVERIFY(QTest::qWaitForWindowExposed(&clicked));
        QCOMPARE(clicked.size(), QGuiApplication::primaryScreen()->geometry().size());
        QTest::mouseClick(clicked.screen(), Qt::RightButton);
        QVERIFY(!clicked.isVisible());
    }

    void preview_missingGraphic_isReported()
    {
        storage::ProgramSettings program;
        program.BackgroundKind = 2;
        program.BackgroundGraphic = QStringLiteral("GONE.BMP");
        TTBackForm form(program, dir());
        QCOMPARE(m_folder->dialogs.errors, QStringList{QStringLiteral("The graphic file GONE.BMP was not found")});
        QCOMPARE(form.screen()->color(), QColor(0xC0, 0xC0, 0xC0));
    }

    void viewButton_opensPreviewOfWorkingCopy()
    {
        storage::ProgramSettings program;
        program.Title = QStringLiteral("Rocks");
        TCFGDesignBackForm form(program, dir());
        m_folder->dialogs.colorAnswers.enqueue(QColor(0, 128, 0));
        form.chooseColor();
        QColor seen;
        ModalDriver preview([&seen](QWidget* modal) {
            auto* back = qobject_cast<TTBackForm*>(modal);
            QVERIFY(back);
            seen = back->screen()->color();
            QTest::keyClick(modal, Qt::Key_Escape);
        });
        QTest::mouseClick(Child<QPushButton>(form, "ViewBitBtn"), Qt::LeftButton);
        QVERIFY(preview.opened);
        QCOMPARE(seen, QColor(0, 128, 0));
    }

    // --- adjust window --------------------------------------------------------------------------

    void menuVariant_adjustWindow_landsInWorkingCopyOnly()
    {
        storage::MenuScreenDesign menu;
        const storage::MenuScreenDesign before = menu;
        TMenuDesignBackForm form(menu, dir());
        m_folder->dialogs.colorAnswers.enqueue(QColor(255, 0, 0));
        form.chooseColor();
        QColor shown;
        ModalDriver adjuster([&shown](QWidget* modal) {
            auto* adjust = qobject_cast<TMenuAdjustForm*>(modal);
            QVERIFY(adjust);
            shown = Child<runtime::BackgroundView>(*modal, "MainPnl")->color();
            adjust->handle()->Attach(Child<QFrame>(*modal, "Panel1"));
            QTest::keyClick(adjust->handle(), Qt::Key_Right);
            Child<QAction>(*modal, "PUSave")->trigger();
        });
        QTest::mouseClick(Child<QPushButton>(form, "WindowBtn"), Qt::LeftButton);
        QVERIFY(adjuster.opened);
        QCOMPARE(shown, QColor(255, 0, 0)); // the adjuster shows the background being designed
        QCOMPARE(form.menu().Window.TextLeft, before.Window.TextLeft + 1);
        QCOMPARE(form.menu().Window.BackgroundColor, quint32(0x0000FF));
        QCOMPARE(menu, before); // nothing reaches the caller before OK
    }

    void pageVariant_adjustWindow_thenOk_replacesRecord()
    {
        storage::TopicDisplayRecord record;
        record.FullScreen = true;
        ModalDriver designer([](QWidget* modal) {
            ModalDriver* inner = new ModalDriver([](QWidget* adjust) {
                QVERIFY(qobject_cast<TVPAdjustForm*>(adjust));
                Child<QAction>(*adjust, "PUSave")->trigger();
            });
            QTest::mouseClick(Child<QPushButton>(*modal, "WindowBtn"), Qt::LeftButton);
            QVERIFY(inner->opened);
            delete inner;
            QTest::mouseClick(Child<QPushButton>(*modal, "OKBtn"), Qt::LeftButton);
        });
        QVERIFY(DesignPageBackground(record, {}, dir(), nullptr));
        QVERIFY(!record.FullScreen);
    }

    void pageVariant_adjustWindow_thenCancel_dropsIt()
    {
        storage::TopicDisplayRecord record;
        record.FullScreen = true;
        ModalDriver designer([](QWidget* modal) {
            ModalDriver* inner =
                new ModalDriver([](QWidget* adjust) { Child<QAction>(*adjust, "PUSave")->trigger(); });
            QTest::mouseClick(Child<QPushButton>(*modal, "WindowBtn"), Qt::LeftButton);
            delete inner;
            QTest::mouseClick(Child<QPushButton>(*modal, "CancelBtn"), Qt::LeftButton);
        });
        QVERIFY(!DesignPageBackground(record, {}, dir(), nullptr));
        QVERIFY(record.FullScreen);
    }

    void introVariant_adjustWindow_callsAdjusterOnWorkingScreen()
    {
        storage::ScreenDesign screen;
        int calls = 0;
        quint32 seenColor = 0;
        TIntDesignBackForm form(
            screen,
            [&](storage::ScreenDesign& working, QWidget*) {
                ++calls;
                seenColor = working.Window.BackgroundColor;
                working.Window.TextLeft = 7;
            },
            dir());
        m_folder->dialogs.colorAnswers.enqueue(QColor(0, 0, 255));
        form.chooseColor();
        QTest::mouseClick(Child<QPushButton>(form, "WindowBtn"), Qt::LeftButton);
        QCOMPARE(calls, 1);
        QCOMPARE(seenColor, quint32(0xFF0000));
        QCOMPARE(form.introScreen().Window.TextLeft, 7);
        QCOMPARE(form.introScreen().Window.BackgroundColor, quint32(0xFF0000));
    }

    void introVariant_withoutAdjuster_disablesButton()
    {
        TIntDesignBackForm form(storage::ScreenDesign{}, {}, dir());
        QVERIFY(!Child<QPushButton>(form, "WindowBtn")->isEnabled());
    }

    // --- the page editor opens the designers ---------------------------------------------------

    void pageEditor_mode2_opensDisplayScreenDesigner()
    {
        storage::TopicDisplayRecord record;
        QStringList text;
        authoring::THypEntryForm editor(record, text, 2);
        m_folder->dialogs.colorAnswers.enqueue(QColor(0, 0, 255));
        ModalDriver designer([](QWidget* modal) {
            QVERIFY(qobject_cast<TVPDesignBackForm*>(modal));
            QTest::mouseClick(Child<QPushButton>(*modal, "Button3"), Qt::LeftButton);
            QTest::mouseClick(Child<QPushButton>(*modal, "OKBtn"), Qt::LeftButton);
        });
        QTest::mouseClick(Child<QPushButton>(editor, "AdjustBtn"), Qt::LeftButton);
        QVERIFY(designer.opened);
        QCOMPARE(editor.record().BackgroundColor, quint32(0xFF0000));
    }

    void screenshot_whenAsked()
    {
        const QString out = qEnvironmentVariable("QUORVEL_SCREENSHOT_DIR");
        if (out.isEmpty())
            QSKIP("set QUORVEL_SCREENSHOT_DIR to write screenshots");
        touch(QStringLiteral("LAVA.JPG"));
        touch(QStringLiteral("ROCK.BMP"));
        picture(QDir(dir()).filePath(QStringLiteral("WEAVE.BMP")), QColor(90, 110, 160));
        storage::ProgramSettings program;
        program.Title = QStringLiteral("Volcanoes");
        program.BackgroundKind = 2;
        program.BackgroundGraphic = QStringLiteral("LAVA.JPG");
        TCFGDesignBackForm cfg(program, dir());
        storage::MenuScreenDesign menu;
        menu.Window.BackgroundKind = 3;
        menu.Window.BackgroundTile = QStringLiteral("WEAVE.BMP");
        TMenuDesignBackForm menuForm(menu, dir());
        TVPDesignBackForm page(storage::TopicDisplayRecord{}, {}, dir());
        TIntDesignBackForm intro(
            storage::ScreenDesign{}, [](storage::ScreenDesign&, QWidget*) {}, dir());
        const QList<QPair<QDialog*, QString>> forms{{&cfg, QStringLiteral("tcfgdesignbackform.png")},
                                                    {&menuForm, QStringLiteral("tmenudesignbackform.png")},
                                                    {&page, QStringLiteral("tvpdesignbackform.png")},
                                                    {&intro, QStringLiteral("tintdesignbackform.png")}};
        for (const auto& [form, name] : forms) {
            form->show();
            QVERIFY(QTest::qWaitForWindowExposed(form));
            QTest::qWait(50);
            QVERIFY(form->grab().save(QDir(out).filePath(name)));
        }
        storage::ProgramSettings tiled;
        tiled.Title = QStringLiteral("Volcanoes");
        tiled.BackgroundKind = 3;
        tiled.BackgroundTile = QStringLiteral("WEAVE.BMP");
        TTBackForm preview(tiled, dir());
        preview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&preview));
        QTest::qWait(50);
        QVERIFY(preview.grab().save(QDir(out).filePath(QStringLiteral("ttbackform.png"))));
    }
};

QTEST_MAIN(TestBackgroundDesigner)
#include "tst_backgrounddesigner.moc"
