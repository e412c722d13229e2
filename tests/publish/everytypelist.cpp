// Writes the Study List the published-player tests publish: one Topic of every type with real
// media files (BMP, JPEG, ICO, wave, MIDI, AVI, a web page with a picture beside it, a notes file),
// the introduction, the about box, the bars and the author box on, and a Topic whose name is
// markup. Also unpacks a zip, so the tests need no unzip program.
//   everytypelist DIR [TYPE...]   LIST.SWJ, LIST.SWR, LIST.SWC and the media in DIR, without the
//                                 command Topics of the types named (those GStreamer cannot convert here)
//   everytypelist --unzip ZIP DIR

#include "../runtime/mediafixtures.h"
#include "pictures.h"
#include "testfiles.h"

#include "publish/compiler.h"
#include "publish/scormpackage.h"
#include "shell/error.h"
#include "storage/settingsrecord.h"
#include "storage/topicstore.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QSet>

#include <cstdio>

namespace {

// Colour references are 0x00BBGGRR.
constexpr quint32 kNavy = 0x800000;
constexpr quint32 kPaleYellow = 0xE0FFFF;
constexpr quint32 kSeaGreen = 0x578B2E;

const QString kHostileName = QStringLiteral("<img src=x onerror=alert(1)> \"quoted\" & 'apos' </script> end");

storage::SettingsRecord Settings()
{
    storage::SettingsRecord s;
    s.Program.Title = QStringLiteral("Every Topic");
    s.Program.BackgroundKind = 3;
    s.Program.BackgroundTile = QStringLiteral("TILE.BMP");
    s.Presentation.UseIntroduction = true;
    s.Presentation.IntroScreen.TitleBar = {true, QStringLiteral("Welcome"), QStringLiteral("14 0 1 Times New Roman"),
                                           shell::kSilver};
    s.Presentation.IntroScreen.Window = {shell::kWhite, false, 2, shell::kSilver, QStringLiteral("SUNSET.JPG"), {},
                                         100, 60, 440, 300, 1, 1, false};
    s.Presentation.UseAboutBox = true;
    s.Presentation.AboutBox = {0, QStringLiteral("About Every Topic"), true, QStringLiteral("ICON.ICO"),
                               QStringLiteral("Every Topic"), QStringLiteral("Version 1.0"), QStringLiteral("A. Teacher"),
                               {QStringLiteral("One Topic of every kind."), {}, QStringLiteral("Made for the tests."), {}}};
    s.MenuScreen.TitleBar = {true, QStringLiteral("Every Topic"), QStringLiteral("16 16777215 1 Times New Roman"), kNavy};
    s.MenuScreen.StatusBar = {true, QStringLiteral("Choose a Topic and press OK"),
                              QStringLiteral("8 0 0 Times New Roman"), shell::kSilver};
    s.MenuScreen.Window.FullScreen = false;
    s.MenuScreen.Window.BackgroundKind = 2;
    s.MenuScreen.Window.BackgroundGraphic = QStringLiteral("SUNSET.JPG");
    s.MenuScreen.UseAuthorBox = true;
    s.MenuScreen.Author.Lines = {QStringLiteral("A. Teacher"), {}, QStringLiteral("Room 12"), {}, {}, {}};
    s.MenuScreen.Author.Color = kPaleYellow;
    return s;
}

storage::TopicDisplayRecord Design(qint32 kind, quint32 color, const QString& graphic, const QString& tile)
{
    return {kPaleYellow, false, kind, color, graphic, tile, 80, 60, 480, 340, 1, 1, false};
}

QStringList Rtf(const QString& body)
{
    return {QStringLiteral("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman Times New Roman;}}"),
            QStringLiteral("{\\colortbl;\\red0\\green51\\blue102;\\red200\\green0\\blue0;}"), body, QStringLiteral("}")};
}

void WriteList(const QString& dir, const QSet<int>& leftOut)
{
    const auto file = [&](const QString& name, const QByteArray& bytes) { WriteAll(dir + QLatin1Char('/') + name, bytes); };
    file(QStringLiteral("TILE.BMP"), SolidPicture(16, 16, QColor(0, 128, 128), "BMP"));
    file(QStringLiteral("SUNSET.JPG"), EncodeImage(VolcanoPhoto(320, 200), "JPG"));
    file(QStringLiteral("PIC.BMP"), EncodeImage(VolcanoPhoto(200, 150), "BMP"));
    file(QStringLiteral("BACK.BMP"), EncodeImage(VolcanoPhoto(640, 480), "BMP"));
    file(QStringLiteral("ICON.ICO"), SolidPicture(32, 32, Qt::darkRed, "ICO"));
    file(QStringLiteral("BELL.WAV"), MakeWave(400));
    file(QStringLiteral("TUNE.MID"), MakeMidi(2));
    file(QStringLiteral("CLIP.AVI"), MakeAvi(QSize(64, 48), 10, 10));
    file(QStringLiteral("INFO.HTM"), "<!DOCTYPE html><title>Info</title><p>Information page</p><img src=\"DOT.PNG\">");
    file(QStringLiteral("DOT.PNG"), SolidPicture(20, 20, Qt::green, "PNG"));
    file(QStringLiteral("NOTES.TXT"), "First line of notes\r\nSecond line");
    WriteAll(dir + QStringLiteral("/LIST.SWJ"), storage::EncodeSettings(Settings()));

    const QString store = dir + QStringLiteral("/LIST.SWR");
    QFile::remove(store);
    const storage::TopicDisplayRecord textPage{kPaleYellow, false, 1, shell::kSilver, {}, {}, 120, 80, 400, 260, 1, 1, false};
    const auto page = [&](const QString& name, int type, const QString& body, const storage::TopicDisplayRecord& design) {
        storage::AppendPageEntry(store, name, type, storage::kTopicKind, Rtf(body), design);
    };
    const auto command = [&](const QString& name, int type, const QString& value) {
        if (!leftOut.contains(type))
            storage::AppendCommandEntry(store, name, type, storage::kTopicKind, value);
    };
    page(QStringLiteral("Volcanoes"), 1,
         QStringLiteral("\\f0\\fs24\\cf1\\b Volcanoes\\b0\\cf0\\par\\f1\\fs20 A volcano is an opening in the crust "
                        "where \\i magma\\i0  rises.\\par\\qc\\ul Centred\\ulnone\\par"),
         textPage);
    command(QStringLiteral("Sunset"), 2, QStringLiteral("SUNSET.JPG,15"));
    command(QStringLiteral("Bell"), 3, QStringLiteral("BELL.WAV"));
    command(QStringLiteral("Calculator"), 4, QStringLiteral("CALC.EXE"));
    page(QStringLiteral("Glaciers"), 5, QStringLiteral("\\f1\\fs24 Glaciers are rivers of ice.\\par"),
         Design(1, kSeaGreen, {}, {}));
    page(QStringLiteral("Deserts"), 5, QStringLiteral("\\f1\\fs24 Deserts are dry.\\par"),
         Design(2, shell::kSilver, QStringLiteral("BACK.BMP"), {}));
    page(QStringLiteral("Forests"), 5, QStringLiteral("\\f1\\fs24 Forests are green.\\par"),
         Design(3, shell::kSilver, {}, QStringLiteral("TILE.BMP")));
    command(QStringLiteral("Evening bell"), 6, QStringLiteral("PIC.BMP,BELL.WAV,5"));
    command(QStringLiteral("Ball clip"), 7, QStringLiteral("CLIP.AVI"));
    command(QStringLiteral("Tune"), 8, QStringLiteral("TUNE.MID"));
    command(QStringLiteral("Letter writer"), 9, QStringLiteral("WRITE.EXE LETTER.DOC"));
    command(QStringLiteral("Web page"), 10, QStringLiteral("INFO.HTM"));
    command(QStringLiteral("My notes"), 13, QStringLiteral("NOTES.TXT"));
    page(kHostileName, 1, QStringLiteral("\\f1 <script>alert(2)</script> stays text\\par"), textPage);
    storage::AppendIntroEntry(store, Rtf(QStringLiteral("\\qc\\f1\\fs28\\b Welcome to Every Topic\\b0\\par")));

    // The reader program shows NAME.SWC: the settings record, then the compiled store.
    QFile compiled(dir + QStringLiteral("/LIST.SWC"));
    if (!compiled.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw shell::Error(QStringLiteral("cannot write LIST.SWC"));
    compiled.write(storage::EncodeSettings(Settings()));
    publish::CompileStore(store, compiled, compiled.fileName());
}

void Unzip(const QString& zip, const QString& dir)
{
    for (const QString& entry : publish::ZipEntries(zip)) {
        QDir().mkpath(QFileInfo(dir + QLatin1Char('/') + entry).absolutePath());
        WriteAll(dir + QLatin1Char('/') + entry, publish::ZipEntry(zip, entry));
    }
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv); // pictures are encoded through the image plugins
    const QStringList args = app.arguments().mid(1);
    try {
        if (args.size() == 3 && args[0] == QLatin1String("--unzip"))
            Unzip(args[1], args[2]);
        else if (!args.isEmpty() && !args[0].startsWith(QLatin1Char('-'))) {
            QSet<int> leftOut;
            for (const QString& type : args.mid(1))
                leftOut.insert(type.toInt());
            WriteList(args[0], leftOut);
        }
        else
            throw shell::Error(QStringLiteral("usage: everytypelist DIR [TYPE...] | --unzip ZIP DIR"));
    } catch (const shell::Error& error) {
        std::fprintf(stderr, "%s\n", qPrintable(error.message()));
        return 1;
    }
    return 0;
}
