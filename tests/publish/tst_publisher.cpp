// Publishing for browsers: page RTF to HTML, settings to player data, the SCORM manifests and zip,
// the web folder, single page and packages made from a Study List, and the command line.

#include "pictures.h"
#include "storetext.h"

#include "platform/rtf/rtfwriter.h"
#include "publish/pagehtml.h"
#include "publish/playerdata.h"
#include "publish/publisher.h"
#include "publish/scormpackage.h"
#include "shell/error.h"
#include "storage/settingsrecord.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QDirIterator>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QPalette>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <QThreadPool>
#include <QXmlStreamReader>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

using namespace publish;

namespace {

const QByteArray kHostile = "<img src=x onerror=alert(1)>";

QString PngHex()
{
    return QString::fromLatin1(SolidPicture(4, 3, Qt::red, "PNG").toHex());
}

QString Html(const QString& rtfBody)
{
    const QString rtf = QStringLiteral("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255\\green0\\blue0;}\\f0 ") +
                        rtfBody + QLatin1Char('}');
    return PageLinesToHtml(rtf.split(QLatin1Char('\n')), [](const QImage& image) {
               return QStringLiteral("media/P%1x%2.PNG").arg(image.width()).arg(image.height());
           }).html;
}

void Write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray Read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The JSON value a data script hands to the player.
QJsonObject ScriptValue(const QByteArray& script)
{
    const qsizetype open = script.indexOf("})(");
    QByteArray json = script.mid(open + 3, script.lastIndexOf(");") - open - 3);
    if (json.startsWith('"')) // a page: its id comes first
        json = json.mid(json.indexOf("\",") + 2);
    return QJsonDocument::fromJson(json).object();
}

// Names every file of a manifest's resource; fails on XML that is not well-formed.
QStringList ManifestFiles(const QByteArray& manifest, QString& schemaVersion, QString& scormType)
{
    QXmlStreamReader xml(manifest);
    QStringList files;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("schemaversion"))
            schemaVersion = xml.readElementText();
        else if (xml.name() == QLatin1String("file"))
            files << xml.attributes().value(QLatin1String("href")).toString();
        else if (xml.name() == QLatin1String("resource"))
            for (const QXmlStreamAttribute& attribute : xml.attributes())
                if (attribute.prefix() == QLatin1String("adlcp"))
                    scormType = attribute.name().toString() + QLatin1Char('=') + attribute.value().toString();
    }
    if (xml.hasError())
        return {QStringLiteral("XML error: ") + xml.errorString()};
    return files;
}

} // namespace

class TestPublisher : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_list; // the Study List directory

    // A Study List of a hostile page, a picture shown for 3 s, a wave, a notes file and `extra`.
    QString makeList(const QString& folder, const QByteArray& extra = {}, const QString& title = QStringLiteral("Volcanoes"))
    {
        QDir().mkpath(folder);
        storage::SettingsRecord record;
        record.Program.Title = title;
        Write(folder + QStringLiteral("/LIST.SWJ"), storage::EncodeSettings(record));
        Write(folder + QStringLiteral("/PIC.BMP"), SolidPicture(8, 6, Qt::blue, "BMP"));
        Write(folder + QStringLiteral("/Sound.wav"), QByteArray("RIFF....WAVE", 12));
        Write(folder + QStringLiteral("/NOTES.TXT"), QByteArray("first line\r\nsecond <b>"));
        const QByteArray store = PageEntryText(kHostile, 1, {"{\\rtf1 Lava \\b flows\\b0 " + kHostile + "}"}) +
                                 CommandEntryText("Picture \"quoted\"", 2, "pic.bmp,30") +
                                 CommandEntryText(QByteArray(60, 'N'), 3, "Sound.wav") +
                                 CommandEntryText("Notes", 13, "NOTES.TXT") +
                                 CommandEntryText("Same picture", 6, "PIC.BMP,Sound.wav") + extra +
                                 IntroEntryText({"{\\rtf1 Welcome}"});
        Write(folder + QStringLiteral("/LIST.SWR"), store);
        return folder + QStringLiteral("/LIST.SWJ");
    }

private Q_SLOTS:
    void pageHtml_data()
    {
        QTest::addColumn<QString>("rtf");
        QTest::addColumn<QString>("expected");
        QTest::newRow("face with its twin") << "x" << "font-family:'Arial', 'Liberation Sans', sans-serif";
        QTest::newRow("size in points") << "\\fs40 x" << "font-size:20pt";
        QTest::newRow("colour") << "\\cf1 x" << "color:#ff0000";
        QTest::newRow("bold") << "\\b x\\b0 y" << "<b>x</b>";
        QTest::newRow("italic") << "\\i x\\i0" << "<i>x</i>";
        QTest::newRow("underline") << "\\ul x\\ulnone" << "<u>x</u>";
        QTest::newRow("centred") << "\\qc x" << "text-align:center";
        QTest::newRow("right") << "\\qr x" << "text-align:right";
        QTest::newRow("left indent") << "\\li720 x" << "<p style=\"margin:0pt 0pt 0pt 36pt\">";
        QTest::newRow("hanging indent") << "\\li720\\fi-360 x" << "text-indent:-18pt";
        QTest::newRow("tab to the next stop") << "\\tab x" << "<span class=\"tab\" style=\"width:36pt\">";
        QTest::newRow("the page's face and size on its box")
            << "x" << "<div class=\"rtf\" style=\"font-family:'Arial', 'Liberation Sans', sans-serif;font-size:12pt;\"><p>x</p>";
        QTest::newRow("a run in the page's face is bare") << "x\\fs40 y\\fs24 z" << "<p>x<span style=\"font-size:20pt;\">y</span>z</p>";
        QTest::newRow("picture") << QStringLiteral("{\\pict\\pngblip\\picw4\\pich3 ") + PngHex() + QLatin1Char('}')
                                 << "<img alt=\"\" src=\"media/P4x3.PNG\" style=\"width:3pt;height:2.25pt\">";
        QTest::newRow("markup is text") << QString::fromLatin1(kHostile) + QStringLiteral(" & \"q\" 'a'")
                                        << "&lt;img src=x onerror=alert(1)&gt; &amp; &quot;q&quot; &#39;a&#39;";
        QTest::newRow("empty paragraph keeps its line") << "\\par x" << "<br></p>";
    }
    void pageHtml()
    {
        QFETCH(QString, rtf);
        QFETCH(QString, expected);
        const QString html = Html(rtf);
        QVERIFY2(html.contains(expected), qPrintable(html));
        QVERIFY(!html.contains(QLatin1String("<img src=x")));
        QVERIFY(html.startsWith(QLatin1String("<div class=\"rtf\"")));
    }

    void pageHtml_runWithoutAFace_leavesThePageWithoutABase()
    {
        // The second run names no font of the table; a base face would wrongly become its face.
        int pictures = 0;
        const QString rtf = QStringLiteral("{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0 a{\\pict\\pngblip\\picw4\\pich3 ") +
                            QString::fromLatin1(SolidPicture(4, 3, Qt::red, "PNG").toHex()) +
                            QStringLiteral("}\\f7 b}");
        const QString html = PageLinesToHtml({rtf}, [&pictures](const QImage&) {
                                 return QStringLiteral("media/N%1.PNG").arg(++pictures);
                             }).html;
        QVERIFY2(html.startsWith(QLatin1String("<div class=\"rtf\"><p><span style=\"font-family:'Arial'")), qPrintable(html));
        QVERIFY2(html.contains(QLatin1String("src=\"media/N1.PNG\"")), qPrintable(html));
        QCOMPARE(pictures, 1); // written again, the page does not make its picture twice
    }

    void pageHtml_table_hasRowsAndCells()
    {
        QTextDocument document;
        QTextCursor cursor(&document);
        QTextTable* table = cursor.insertTable(2, 2);
        table->cellAt(1, 1).firstCursorPosition().insertText(QStringLiteral("<cell>"));
        const QString html = DocumentToHtml(document, {});
        QCOMPARE(html.count(QLatin1String("<tr>")), 2);
        QCOMPARE(html.count(QLatin1String("<td>")), 4);
        QVERIFY(html.contains(QLatin1String("&lt;cell&gt;</p></td></tr></table>")));
    }

    void conversion_neverLaysTheDocumentOut()
    {
        // Layout is slow and touches the font engines; pages are converted on worker threads.
        QTextDocument document;
        platform::rtf::LoadRtfLines({QStringLiteral("{\\rtf1 a\\tab b\\par \\trowd\\cellx900 c\\cell\\row}")}, &document);
        QVERIFY(DocumentToHtml(document, {}).contains(QLatin1String("class=\"tab\"")));
        QCOMPARE(document.findChild<QAbstractTextDocumentLayout*>(), nullptr);
    }

    void tabStops_followTheMeasuredText()
    {
        // "abc" is narrower than a stop, so the tab ends at 36pt; two tabs reach 72pt in all.
        const QString html = Html(QStringLiteral("abc\\tab\\tab x"));
        const QRegularExpression width(QStringLiteral("width:([0-9.]+)pt"));
        double total = 0;
        for (QRegularExpressionMatchIterator it = width.globalMatch(html); it.hasNext();)
            total += it.next().captured(1).toDouble();
        QVERIFY2(total > 36.0 && qAbs(total + 0.0) < 72.0, qPrintable(html));
    }

    void settingsJson_coloursFontsAndSystemColours()
    {
        storage::SettingsRecord record;
        record.Program.BackgroundColor = 0x0000FF; // 0x00BBGGRR: red
        record.MenuScreen.TitleBar.Font = QStringLiteral("12 65280 5 Times New Roman");
        record.MenuScreen.Window.TextWindowColor = 0x80000005; // the system's window colour
        record.MenuScreen.StatusBar.Color = 0x1FFFFFFF;
        record.MenuScreen.Author.Lines[1] = QStringLiteral("Second line");
        const QJsonObject json = SettingsToJson(record);
        QCOMPARE(json[QLatin1String("Program")][QLatin1String("BackgroundColor")].toString(), QStringLiteral("#ff0000"));
        const QJsonObject font = json[QLatin1String("MenuScreen")][QLatin1String("TitleBar")][QLatin1String("Font")].toObject();
        QCOMPARE(font[QLatin1String("size")].toInt(), 12);
        QCOMPARE(font[QLatin1String("color")].toString(), QStringLiteral("#00ff00"));
        QCOMPARE(font[QLatin1String("bold")].toBool(), true);
        QCOMPARE(font[QLatin1String("italic")].toBool(), false);
        QCOMPARE(font[QLatin1String("underline")].toBool(), true);
        QCOMPARE(font[QLatin1String("family")].toString(), QStringLiteral("'Times New Roman', 'Liberation Serif', serif"));
        const QJsonObject menu = json[QLatin1String("MenuScreen")].toObject();
        QCOMPARE(menu[QLatin1String("Window")][QLatin1String("TextWindowColor")].toString(),
                 QGuiApplication::palette().color(QPalette::Base).name());
        QCOMPARE(menu[QLatin1String("StatusBar")][QLatin1String("Color")].toString(), QStringLiteral("transparent"));
        QCOMPARE(menu[QLatin1String("Author")][QLatin1String("Lines")].toArray().size(), 6);
        QCOMPARE(menu[QLatin1String("Author")][QLatin1String("Lines")][1].toString(), QStringLiteral("Second line"));
    }

    void dataScript_queuesTheCallAndHidesMarkup()
    {
        const QByteArray script = DataScript(QStringLiteral("page"), QJsonObject{{QStringLiteral("html"), QString::fromLatin1(kHostile)}},
                                             QStringLiteral("3"));
        QVERIFY(script.startsWith("window.QuorvelData=window.QuorvelData||{_q:[]};(QuorvelData.page||function(n,v)"
                                  "{QuorvelData._q.push([\"page\",n,v]);})(\"3\",{"));
        QVERIFY(!script.contains('<'));
        QCOMPARE(ScriptValue(script)[QLatin1String("html")].toString(), QString::fromLatin1(kHostile));
        QCOMPARE(FoldForSearch(QStringLiteral("  Éruption\tDU   Vésuve ")), QStringLiteral("eruption du vesuve"));
    }

    void manifests_data()
    {
        QTest::addColumn<int>("edition");
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("scormType");
        QTest::newRow("1.2") << int(ScormEdition::Scorm12) << "1.2" << "scormtype=sco";
        QTest::newRow("2004 4th") << int(ScormEdition::Scorm2004_4th) << "2004 4th Edition" << "scormType=sco";
    }
    void manifests()
    {
        QFETCH(int, edition);
        QFETCH(QString, version);
        QFETCH(QString, scormType);
        const QStringList files{QStringLiteral("index.html"), QStringLiteral("data/list.js"), QStringLiteral("media/A&B.PNG")};
        const QByteArray manifest =
            ScormManifest(ScormEdition(edition), QString::fromLatin1(kHostile), QStringLiteral("QUORVEL-1"), files);
        QString readVersion, readType;
        QCOMPARE(ManifestFiles(manifest, readVersion, readType), files);
        QCOMPARE(readVersion, version);
        QCOMPARE(readType, scormType);
    }

    void webFolder_holdsTheDataConvertedMediaAndEscapedTitle()
    {
        const QString list = makeList(m_dir.filePath(QStringLiteral("web")), CommandEntryText("Page", 10, "page.htm"),
                                      QString::fromLatin1(kHostile));
        Write(m_dir.filePath(QStringLiteral("web/PAGE.HTM")), "<img src=\"side.png\"><a href='../x'>");
        Write(m_dir.filePath(QStringLiteral("web/side.png")), SolidPicture(2, 2, Qt::green, "PNG"));
        const QString dest = m_dir.filePath(QStringLiteral("web-out"));
        const QString result = Publish(PublishSource::fromFile(list), PublishForm::WebFolder, dest);
        QCOMPARE(result, dest);
        for (const char* file : {"index.html", "player.js", "style.css", "scorm.js", "data/list.js", "data/search.js",
                                 "data/pages/P0.js", "data/pages/Pintro.js", "media/PIC.PNG", "media/SOUND.WAV"})
            QVERIFY2(QFileInfo::exists(dest + QLatin1Char('/') + QLatin1String(file)), file);
        QVERIFY(!QImage(dest + QStringLiteral("/media/PIC.PNG")).isNull());
        const QByteArray index = Read(dest + QStringLiteral("/index.html"));
        QVERIFY(index.contains("<title>&lt;img src=x onerror=alert(1)&gt;</title>"));
        QVERIFY(index.contains("<meta name=\"quorvel-scorm\" content=\"none\">"));

        const QByteArray listScript = Read(dest + QStringLiteral("/data/list.js"));
        QVERIFY(!listScript.contains('<'));
        const QJsonObject value = ScriptValue(listScript);
        const QJsonArray topics = value[QLatin1String("topics")].toArray();
        QCOMPARE(topics.size(), 6);
        // One picture for two spellings of its name; the web page keeps the name it links by.
        QStringList media = QDir(dest + QStringLiteral("/media")).entryList(QDir::Files);
        media.sort();
        QCOMPARE(media, QStringList({"NOTES.TXT", "PAGE.HTM", "PIC.PNG", "SOUND.WAV", "side.png"}));
        QCOMPARE(topics[0][QLatin1String("name")].toString(), QString::fromLatin1(kHostile));
        QCOMPARE(topics[0][QLatin1String("page")].toString(), QStringLiteral("0"));
        QCOMPARE(topics[1][QLatin1String("picture")].toString(), QStringLiteral("PIC.BMP"));
        QCOMPARE(topics[1][QLatin1String("seconds")].toDouble(), 3.0);
        QCOMPARE(topics[2][QLatin1String("name")].toString().size(), 60);
        QCOMPARE(topics[3][QLatin1String("notes")].toString(), QStringLiteral("first line\nsecond <b>"));
        QCOMPARE(value[QLatin1String("intro")].toString(), QStringLiteral("intro"));
        QCOMPARE(value[QLatin1String("media")][QLatin1String("PIC.BMP")].toString(), QStringLiteral("media/PIC.PNG"));
        QCOMPARE(value[QLatin1String("media")][QLatin1String("SOUND.WAV")].toString(), QStringLiteral("media/SOUND.WAV"));

        const QByteArray page = Read(dest + QStringLiteral("/data/pages/P0.js"));
        QVERIFY(ScriptValue(page)[QLatin1String("html")].toString().contains(QLatin1String("&lt;img src=x")));
        const QJsonObject search = QJsonDocument::fromJson("{\"a\":" + Read(dest + QStringLiteral("/data/search.js"))
                                                                           .mid(Read(dest + QStringLiteral("/data/search.js")).indexOf("})(") + 3)
                                                                           .chopped(3) + "}").object();
        QCOMPARE(search[QLatin1String("a")][0][QLatin1String("x")].toString(), QStringLiteral("lava flows<img src=x onerror=alert(1)>"));

        // Publishing again replaces the earlier publication.
        QFile::remove(m_dir.filePath(QStringLiteral("web/NOTES.TXT")));
        Write(m_dir.filePath(QStringLiteral("web/NOTES.TXT")), "new");
        Publish(PublishSource::fromFile(list), PublishForm::WebFolder, dest);
        QVERIFY(Read(dest + QStringLiteral("/data/list.js")).contains("\"notes\":\"new\""));
        QCOMPARE(QDir(m_dir.path()).entryList({QStringLiteral(".publishing-*")}, QDir::AllEntries | QDir::Hidden).size(), 0);
    }

    void hugePage_isPublishedWholeAndEscaped()
    {
        QList<QByteArray> text{"{\\rtf1 "};
        for (int i = 0; i < 20000; ++i)
            text << "\\par </script><b onclick=x> line " + QByteArray::number(i);
        text << "}";
        const QString list = makeList(m_dir.filePath(QStringLiteral("huge")), PageEntryText("Huge", 1, text));
        const QString dest = m_dir.filePath(QStringLiteral("huge-out"));
        Publish(PublishSource::fromFile(list), PublishForm::WebFolder, dest);
        const QByteArray page = Read(dest + QStringLiteral("/data/pages/P5.js"));
        QVERIFY(!page.contains('<'));
        const QString html = ScriptValue(page)[QLatin1String("html")].toString();
        QCOMPARE(html.count(QLatin1String("&lt;/script&gt;&lt;b onclick=x&gt; line ")), 20000);
        QVERIFY(html.contains(QLatin1String(" line 19999</p></div>")));
    }

    void parallelPages_matchTheSequentialRun()
    {
        // Pages of every kind the converter meets, pictures among them, spread over many batches.
        const QByteArray picture = "{\\pict\\pngblip\\picw4\\pich3 " + PngHex().toLatin1() + "}";
        const QList<QByteArray> pieces{"\\b bold\\b0 ", "\\i\\ul mixed\\ul0\\i0 ", "\\cf1\\fs36 red\\cf0 ",
                                       "abc\\tab x\\tab ", "\\super 2\\nosupersub ", "\\qc centred ",
                                       "\\li720\\fi-360 indent ", "\\u916? \\'e9t\\'e9 ", kHostile + " ",
                                       picture, "\\trowd\\cellx1000\\cellx2000 a\\cell b\\cell\\row ", "\\par "};
        QByteArray store;
        for (int t = 0; t < 300; ++t) {
            if (t % 9 == 4) {
                store += CommandEntryText("Command " + QByteArray::number(t), 3, "Sound.wav");
                continue;
            }
            QByteArray rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1 Courier New;}}{\\colortbl;\\red255\\green0\\blue0;}";
            for (int p = 0; p < t % 13; ++p)
                rtf += (p % 2 ? "\\f1 " : "\\f0 ") + pieces[(t * 7 + p * 5) % pieces.size()];
            store += t % 17 == 0 ? PageEntryText("Plain " + QByteArray::number(t), 1, {"plain text", "<b>"})
                                 : PageEntryText("Page " + QByteArray::number(t), t % 2 ? 1 : 5, {rtf + "}"});
        }
        const QString list = makeList(m_dir.filePath(QStringLiteral("parallel")), store);
        // The designed pages name their screen's picture.
        Write(m_dir.filePath(QStringLiteral("parallel/BACK.BMP")), SolidPicture(8, 6, Qt::blue, "BMP"));
        QThreadPool* pool = QThreadPool::globalInstance();
        const int threads = pool->maxThreadCount();
        const auto restore = qScopeGuard([&] { pool->setMaxThreadCount(threads); });
        const auto publishWith = [&](int count, const QString& name) {
            pool->setMaxThreadCount(count);
            Publish(PublishSource::fromFile(list), PublishForm::WebFolder, m_dir.filePath(name));
            QHash<QString, QByteArray> files;
            for (QDirIterator it(m_dir.filePath(name), QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
                const QString path = it.next();
                files.insert(path.mid(m_dir.filePath(name).size()), Read(path));
            }
            return files;
        };
        const QHash<QString, QByteArray> sequential = publishWith(1, QStringLiteral("sequential-out"));
        const QHash<QString, QByteArray> parallel = publishWith(4, QStringLiteral("parallel-out"));
        QVERIFY(sequential.size() > 300);
        const QStringList pictures = QStringList(sequential.keys()).filter(QStringLiteral("-PICTURE"));
        QVERIFY2(pictures.size() > 20, qPrintable(pictures.join(QLatin1Char(' '))));
        QCOMPARE(parallel.keys().size(), sequential.keys().size());
        for (auto it = sequential.cbegin(); it != sequential.cend(); ++it)
            QVERIFY2(parallel.value(it.key()) == it.value(), qPrintable(it.key()));
    }

    void missingMedia_isNamedAndNothingIsWritten()
    {
        const QString list = makeList(m_dir.filePath(QStringLiteral("missing")),
                                      CommandEntryText("Tune", 8, "GONE.MID") + CommandEntryText("Film", 7, "lost.avi"));
        const QString dest = m_dir.filePath(QStringLiteral("missing-out"));
        try {
            Publish(PublishSource::fromFile(list), PublishForm::WebFolder, dest);
            QFAIL("published a list with missing media");
        } catch (const shell::Error& error) {
            QCOMPARE(error.message(), QStringLiteral("The file GONE.MID is missing.\nThe file lost.avi is missing."));
        }
        QVERIFY(!QFileInfo::exists(dest));
    }

    void cancel_leavesNoDestination()
    {
        const QString list = makeList(m_dir.filePath(QStringLiteral("cancel")));
        const QString dest = m_dir.filePath(QStringLiteral("cancel-out"));
        int reports = 0;
        PublishProgress progress{[&](const QString&, int) { ++reports; }, [&] { return reports >= 3; }};
        QVERIFY_THROWS_EXCEPTION(shell::Error, Publish(PublishSource::fromFile(list), PublishForm::Scorm12, dest, progress));
        QCOMPARE(QDir(dest).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
    }

    void workFolders_onlyThoseOfEndedPublicationsAreRemoved()
    {
        // Beside the destination: a publication still running (its folder locked), one killed
        // midway and one killed just after making its folder, before it could lock it.
        const QString parent = m_dir.filePath(QStringLiteral("beside"));
        const QString list = makeList(parent);
        for (const char* name : {"running", "killed/list/data", "justMade"})
            QVERIFY(QDir().mkpath(parent + QStringLiteral("/.publishing-") + QLatin1String(name)));
        Write(parent + QStringLiteral("/.publishing-killed/list/data/list.js"), "x");
        const int running = ::open(QFile::encodeName(parent + QStringLiteral("/.publishing-running")).constData(), O_RDONLY | O_DIRECTORY);
        const auto unlock = qScopeGuard([running] { ::close(running); });
        QCOMPARE(::flock(running, LOCK_EX | LOCK_NB), 0);

        Publish(PublishSource::fromFile(list), PublishForm::WebFolder, parent + QStringLiteral("/WEB"));
        QCOMPARE(QDir(parent).entryList({QStringLiteral(".publishing-*")}, QDir::Dirs | QDir::Hidden),
                 QStringList{QStringLiteral(".publishing-running")});
    }

    void webFolder_refusesAFolderOfOtherFiles()
    {
        const QString list = makeList(m_dir.filePath(QStringLiteral("occupied")));
        try {
            Publish(PublishSource::fromFile(list), PublishForm::WebFolder, m_dir.filePath(QStringLiteral("occupied")));
            QFAIL("published over the Study List");
        } catch (const shell::Error& error) {
            QVERIFY(error.message().contains(QLatin1String("holds no published list")));
        }
        QVERIFY(!QFileInfo::exists(m_dir.filePath(QStringLiteral("occupied/index.html"))));
    }

    void scormPackages_listEveryFile_data()
    {
        QTest::addColumn<int>("form");
        QTest::addColumn<QString>("zipName");
        QTest::addColumn<QString>("meta");
        QTest::newRow("1.2") << int(PublishForm::Scorm12) << "LIST-scorm12.zip" << "1.2";
        QTest::newRow("2004") << int(PublishForm::Scorm2004) << "LIST-scorm2004.zip" << "2004";
    }
    void scormPackages_listEveryFile()
    {
        QFETCH(int, form);
        QFETCH(QString, zipName);
        QFETCH(QString, meta);
        const QString list = makeList(m_dir.filePath(QStringLiteral("scorm")));
        const QString zip = Publish(PublishSource::fromFile(list), PublishForm(form), m_dir.filePath(QStringLiteral("scorm-out")));
        QCOMPARE(QFileInfo(zip).fileName(), zipName);
        QStringList entries = ZipEntries(zip);
        QCOMPARE(entries.first(), QStringLiteral("imsmanifest.xml"));
        entries.removeFirst();
        QVERIFY(entries.contains(QStringLiteral("index.html")));
        QVERIFY(entries.contains(QStringLiteral("media/PIC.PNG")));
        QString version, type;
        QCOMPARE(ManifestFiles(ZipEntry(zip, QStringLiteral("imsmanifest.xml")), version, type), entries);
        QVERIFY(ZipEntry(zip, QStringLiteral("index.html")).contains(QByteArray("content=\"" + meta.toLatin1() + "\"")));
    }

    void singlePage_inlinesEverything()
    {
        const QString list = makeList(m_dir.filePath(QStringLiteral("single")), CommandEntryText("Page", 10, "page.htm"));
        Write(m_dir.filePath(QStringLiteral("single/PAGE.HTM")), "<img src=\"side.png\">");
        Write(m_dir.filePath(QStringLiteral("single/side.png")), SolidPicture(2, 2, Qt::green, "PNG"));
        const QString page = Publish(PublishSource::fromFile(list), PublishForm::SinglePage, m_dir.filePath(QStringLiteral("single-out")));
        QCOMPARE(QFileInfo(page).fileName(), QStringLiteral("LIST.html"));
        const QByteArray html = Read(page);
        QVERIFY(!html.contains("<script src"));
        QVERIFY(!html.contains("href=\"style.css\""));
        QVERIFY(html.contains("\"PIC.BMP\":\"data:image/png;base64,"));
        QVERIFY(html.contains("QuorvelData.page||function(n,v)"));
        QVERIFY(!html.contains(kHostile));
        // A single page has no files beside it: the picture a web page names goes into that page.
        const QString webPage = QRegularExpression(QStringLiteral("\"PAGE.HTM\":\"data:text/html;base64,([^\"]+)"))
                                    .match(QString::fromLatin1(html)).captured(1);
        QVERIFY(QByteArray::fromBase64(webPage.toLatin1()).startsWith("<img src=\"data:image/png;base64,"));
        QCOMPARE(QDir(m_dir.filePath(QStringLiteral("single-out"))).entryList(QDir::Files | QDir::Hidden).size(), 1);
    }

    void singlePage_refusesMoreThan50MbOfMedia()
    {
        const QString list = makeList(m_dir.filePath(QStringLiteral("big")), CommandEntryText("Big", 3, "BIG.WAV"));
        QFile big(m_dir.filePath(QStringLiteral("big/BIG.WAV")));
        QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(kMaxSinglePageMediaBytes + 1));
        big.close();
        try {
            Publish(PublishSource::fromFile(list), PublishForm::SinglePage, m_dir.filePath(QStringLiteral("big-out")));
            QFAIL("a single page took more than 50 MB of media");
        } catch (const shell::Error& error) {
            QVERIFY(error.message().contains(QLatin1String("Publish it as a web folder instead.")));
        }
        QVERIFY(!QFileInfo::exists(m_dir.filePath(QStringLiteral("big-out/LIST.html"))));
    }

    void commandLine_exitCodes()
    {
        const QString list = makeList(m_dir.filePath(QStringLiteral("cli")));
        QString message;
        QCOMPARE(PublishCommandLine({QStringLiteral("--publish"), QStringLiteral("pdf"), list, m_dir.path()}, message), 2);
        QVERIFY(message.startsWith(QLatin1String("Usage:")));
        QCOMPARE(PublishCommandLine({QStringLiteral("--publish"), QStringLiteral("web"), m_dir.filePath(QStringLiteral("NONE.SWJ")),
                                     m_dir.filePath(QStringLiteral("x"))},
                                    message),
                 1);
        QVERIFY(message.contains(QLatin1String("was not found")));

        // The program itself, without a window.
        const QString program = qEnvironmentVariable("QUORVEL_BIN_DIR") + QStringLiteral("/quorvel");
        if (!QFileInfo::exists(program))
            QSKIP("the quorvel program is not built");
        QProcess process;
        process.start(program, {QStringLiteral("--publish"), QStringLiteral("scorm2004"), list, m_dir.filePath(QStringLiteral("cli-out"))});
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitCode(), 0);
        QVERIFY(QFileInfo::exists(m_dir.filePath(QStringLiteral("cli-out/LIST-scorm2004.zip"))));
        process.start(program, {QStringLiteral("--publish"), QStringLiteral("web"), m_dir.filePath(QStringLiteral("cli/NO.SWJ")),
                                m_dir.filePath(QStringLiteral("cli-out2"))});
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitCode(), 1);
        QVERIFY(process.readAllStandardError().contains("was not found"));
    }
};

QTEST_MAIN(TestPublisher)
#include "tst_publisher.moc"
