// The help engine: topic anchors, the checks that refuse binary and missing help files, the help
// window's scrolling, contents, links and find, and the program's own manual, which must have a
// topic for every help context number the program uses.

#include "platform/f1filter.h"
#include "platform/helpwindow.h"
#include "scripteddialogs.h"
#include "testfiles.h"

#include <QDir>
#include <QDirIterator>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSet>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QtTest>

using namespace platform;

namespace {

// The context numbers the program hands to the help engine, also those passed through helpers
// whose calls the source scan below cannot see: main window buttons and their dialogs, pickers,
// designers and adjusters.
const QList<int> kKnownContexts = {1,   80,  90,  100, 105, 120, 140, 145, 150, 155, 160, 165, 170, 175, 180, 185,
                                   200, 205, 210, 230, 240, 245, 260, 270, 280, 290, 295, 296, 300, 310, 320, 325,
                                   400, 405, 410, 420, 425, 430, 440, 465, 470, 475, 480, 485, 510, 520,
                                   530, 540, 545, 546, 547, 550, 560, 570, 580, 585, 590, 885};

QString SourceDir()
{
    return QStringLiteral(QUORVEL_SOURCE_DIR);
}

QString Manual()
{
    return QString::fromUtf8(ReadAll(SourceDir() + QStringLiteral("/resources/QUORVELA.HLP")));
}

// A help document of `topics` numbered topics, each long enough that they cannot all be seen at once.
QString LongHelp(int topics)
{
    QString html = QStringLiteral("<html><body>");
    for (int i = 1; i <= topics; ++i) {
        html += QStringLiteral("<h2><a name=\"%1\"></a>Topic %1</h2>").arg(i);
        for (int p = 0; p < 8; ++p)
            html += QStringLiteral("<p>Paragraph %1 of topic %2, about nothing much.</p>").arg(p).arg(i);
        if (i == 2)
            html += QStringLiteral("<p><a href=\"#9\">See topic nine</a></p>");
    }
    return html + QStringLiteral("</body></html>");
}

// The text of the first block visible at the top of the browser.
QString TopBlockText(QTextBrowser* browser)
{
    return browser->cursorForPosition(QPoint(4, 4)).block().text();
}

void ShowAndSettle(QWidget& window)
{
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTest::qWait(20);
    QCoreApplication::processEvents();
}

} // namespace

class TestHelp : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void hasHelpAnchor_data();
    void hasHelpAnchor();
    void hasHelpAnchor_unclosedTagsAreCheap();
    void isWinHelpFile_data();
    void isWinHelpFile();
    void helpFileProblem_missingFile();
    void helpFileProblem_winHelpFileIsRefused();
    void helpFileProblem_binaryFileIsRefused();
    void helpFileProblem_oversizedFileIsRefused();
    void helpFileProblem_htmlFileIsAccepted();
    void engine_reportsProblemInErrorBox();
    void window_opensAtTopicAnchor();
    void window_unknownContextOpensAtTop();
    void window_contentsGoesToTopicOne();
    void window_linkThenBackAndForward();
    void window_linkFromTopWithoutTopicCanGoBack();
    void window_findWrapsAndBeepsWhenAbsent();
    void window_plainTextFileIsShownAsText();
    void window_f1InsideHelpOpensNoSecondWindow();
    void manual_hasTopicForEveryContextInTheCode();
    void manual_internalLinksLeadToTopics();
    void manual_browserFindsEveryTopicAnchor();
    void manual_isCopiedBesideTheProgram();
};

void TestHelp::hasHelpAnchor_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<int>("context");
    QTest::addColumn<bool>("found");
    QTest::newRow("double quotes") << "<a name=\"145\"></a>" << 145 << true;
    QTest::newRow("single quotes") << "<a name='145'></a>" << 145 << true;
    QTest::newRow("no quotes") << "<a name=145>x</a>" << 145 << true;
    QTest::newRow("upper case tag") << "<A NAME=\"145\"></A>" << 145 << true;
    QTest::newRow("id on heading") << "<h2 id=\"145\">Add</h2>" << 145 << true;
    QTest::newRow("blanks round =") << "<a name = \"145\" >" << 145 << true;
    QTest::newRow("longer number") << "<a name=\"1450\"></a>" << 145 << false;
    QTest::newRow("shorter number") << "<a name=\"14\"></a>" << 145 << false;
    QTest::newRow("one is not ten") << "<a name=\"10\"></a>" << 1 << false;
    QTest::newRow("link, not anchor") << "<a href=\"#145\">x</a>" << 145 << false;
    QTest::newRow("number in text") << "<p>name=\"145\"</p>" << 145 << false;
}

void TestHelp::hasHelpAnchor()
{
    QFETCH(QString, html);
    QFETCH(int, context);
    QFETCH(bool, found);
    QCOMPARE(HasHelpAnchor(html, context), found);
}

void TestHelp::hasHelpAnchor_unclosedTagsAreCheap()
{
    // Eight megabytes of tags that never close: the search must end (a scan to the end of the
    // file from every "<" would not, within the test's time limit) and find nothing.
    const QString hostile = QStringLiteral("<a name=x ").repeated(800 * 1024);
    QVERIFY(!HasHelpAnchor(hostile, 145));
    QVERIFY(HasHelpAnchor(hostile + QStringLiteral("<a name=\"145\">"), 145));
}

void TestHelp::isWinHelpFile_data()
{
    QTest::addColumn<QByteArray>("head");
    QTest::addColumn<bool>("winHelp");
    QTest::newRow("magic") << QByteArray("\x3F\x5F\x03\x00\x10\x00\x00\x00", 8) << true;
    QTest::newRow("html") << QByteArray("<html>") << false;
    QTest::newRow("short") << QByteArray("\x3F\x5F\x03", 3) << false;
    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow("other magic") << QByteArray("\x3F\x5F\x02\x00", 4) << false;
}

void TestHelp::isWinHelpFile()
{
    QFETCH(QByteArray, head);
    QFETCH(bool, winHelp);
    QCOMPARE(IsWinHelpFile(head), winHelp);
}

void TestHelp::helpFileProblem_missingFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("GONE.HLP"));
    QCOMPARE(HelpFileProblem(path), QStringLiteral("The help file ") + QDir::toNativeSeparators(path) +
                                        QStringLiteral(" was not found."));
    QCOMPARE(HelpFileProblem(dir.path()), QStringLiteral("The help file ") +
                                              QDir::toNativeSeparators(dir.path()) +
                                              QStringLiteral(" was not found."));
}

void TestHelp::helpFileProblem_winHelpFileIsRefused()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("OLD.HLP"));
    QByteArray bytes("\x3F\x5F\x03\x00", 4);
    bytes += QByteArray(2000, '\x01') + "<a name=\"1\">";
    WriteAll(path, bytes);
    QByteArray contents("untouched");
    const QString problem = HelpFileProblem(path, &contents);
    QCOMPARE(problem, QStringLiteral("The help file ") + QDir::toNativeSeparators(path) +
                          QStringLiteral(" is a Windows help file, which cannot be shown here. "
                                         "Help files must be HTML documents."));
    QCOMPARE(contents, QByteArray("untouched"));
}

void TestHelp::helpFileProblem_binaryFileIsRefused()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("PICTURE.HLP"));
    WriteAll(path, QByteArray("BM\x36\x00\x00\x00\x00\x00", 8) + QByteArray(100, '\0'));
    QVERIFY(HelpFileProblem(path).endsWith(
        QStringLiteral(" is not a help document. Help files must be HTML documents.")));
}

void TestHelp::helpFileProblem_oversizedFileIsRefused()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("BIG.HLP"));
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize(kMaxHelpFileSize + 1));
    }
    QVERIFY(HelpFileProblem(path).endsWith(QStringLiteral(" is too large to be shown.")));
}

void TestHelp::helpFileProblem_htmlFileIsAccepted()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("GOOD.HLP"));
    WriteAll(path, "<html><body><a name=\"1\"></a>Hello</body></html>");
    QByteArray contents;
    QCOMPARE(HelpFileProblem(path, &contents), QString());
    QCOMPARE(contents, QByteArray("<html><body><a name=\"1\"></a>Hello</body></html>"));
}

void TestHelp::engine_reportsProblemInErrorBox()
{
    ScriptedDialogs dialogs;
    QTemporaryDir dir;
    HtmlHelpEngine engine;
    const QString path = dir.filePath(QStringLiteral("WIN.HLP"));
    WriteAll(path, QByteArray("\x3F\x5F\x03\x00", 4));
    engine.setHelpFile(path);
    QCOMPARE(engine.helpFile(), path);
    engine.showHelp(140);
    QCOMPARE(dialogs.errors.size(), 1);
    QVERIFY(dialogs.errors.first().contains(QStringLiteral("is a Windows help file")));

    engine.setHelpFile(dir.filePath(QStringLiteral("NONE.HLP")));
    engine.showHelp(1);
    QCOMPARE(dialogs.errors.size(), 2);
    QVERIFY(dialogs.errors.last().endsWith(QStringLiteral("NONE.HLP was not found.")));
}

void TestHelp::window_opensAtTopicAnchor()
{
    ScriptedDialogs dialogs;
    HelpWindow window(QStringLiteral("/tmp/TEST.HLP"), LongHelp(12), 7);
    ShowAndSettle(window);
    QTRY_COMPARE(TopBlockText(window.browser()), QStringLiteral("Topic 7"));
    QVERIFY(window.browser()->verticalScrollBar()->value() > 0);
    QCOMPARE(window.windowTitle(), QStringLiteral("Help - TEST.HLP"));
}

void TestHelp::window_unknownContextOpensAtTop()
{
    ScriptedDialogs dialogs;
    HelpWindow window(QStringLiteral("/tmp/TEST.HLP"), LongHelp(12), 777);
    ShowAndSettle(window);
    QTest::qWait(20);
    QCOMPARE(window.browser()->verticalScrollBar()->value(), 0);
    QCOMPARE(TopBlockText(window.browser()), QStringLiteral("Topic 1"));
}

void TestHelp::window_contentsGoesToTopicOne()
{
    ScriptedDialogs dialogs;
    HelpWindow window(QStringLiteral("/tmp/TEST.HLP"), LongHelp(20), 11);
    ShowAndSettle(window);
    QTRY_COMPARE(TopBlockText(window.browser()), QStringLiteral("Topic 11"));
    window.findChild<QPushButton*>(QStringLiteral("ContentsBtn"))->click();
    QCOMPARE(TopBlockText(window.browser()), QStringLiteral("Topic 1"));
    // Back returns to the topic the window opened at.
    window.findChild<QPushButton*>(QStringLiteral("BackBtn"))->click();
    QTRY_COMPARE(TopBlockText(window.browser()), QStringLiteral("Topic 11"));
}

void TestHelp::window_linkFromTopWithoutTopicCanGoBack()
{
    ScriptedDialogs dialogs;
    HelpWindow window(QStringLiteral("/tmp/TEST.HLP"), LongHelp(20), 0);
    ShowAndSettle(window);
    QTest::qWait(20);
    window.browser()->setSource(QUrl(QStringLiteral("#9")));
    QTRY_COMPARE(TopBlockText(window.browser()), QStringLiteral("Topic 9"));
    auto* back = window.findChild<QPushButton*>(QStringLiteral("BackBtn"));
    QVERIFY(back->isEnabled());
    back->click();
    QTRY_COMPARE(TopBlockText(window.browser()), QStringLiteral("Topic 1"));
}

void TestHelp::window_linkThenBackAndForward()
{
    ScriptedDialogs dialogs;
    HelpWindow window(QStringLiteral("/tmp/TEST.HLP"), LongHelp(12), 2);
    ShowAndSettle(window);
    auto* back = window.findChild<QPushButton*>(QStringLiteral("BackBtn"));
    auto* forward = window.findChild<QPushButton*>(QStringLiteral("ForwardBtn"));
    QVERIFY(!back->isEnabled());
    window.browser()->setSource(QUrl(QStringLiteral("#9")));
    QTRY_COMPARE(TopBlockText(window.browser()), QStringLiteral("Topic 9"));
    QVERIFY(back->isEnabled());
    back->click();
    QTRY_COMPARE(TopBlockText(window.browser()), QStringLiteral("Topic 2"));
    QVERIFY(forward->isEnabled());
    forward->click();
    QTRY_COMPARE(TopBlockText(window.browser()), QStringLiteral("Topic 9"));
}

void TestHelp::window_findWrapsAndBeepsWhenAbsent()
{
    ScriptedDialogs dialogs;
    HelpWindow window(QStringLiteral("/tmp/TEST.HLP"), LongHelp(12), 10);
    ShowAndSettle(window);
    auto* browser = window.browser();
    QTextCursor end = browser->textCursor();
    end.movePosition(QTextCursor::End);
    browser->setTextCursor(end);
    QVERIFY(window.findNext(QStringLiteral("topic 3,")));
    QCOMPARE(browser->textCursor().selectedText(), QStringLiteral("topic 3,"));
    QCOMPARE(dialogs.beeps, 0);
    QVERIFY(!window.findNext(QStringLiteral("volcano")));
    QCOMPARE(dialogs.beeps, 1);
    QCOMPARE(browser->textCursor().selectedText(), QStringLiteral("topic 3,"));
}

void TestHelp::window_plainTextFileIsShownAsText()
{
    ScriptedDialogs dialogs;
    HelpWindow window(QStringLiteral("/tmp/PLAIN.HLP"), QStringLiteral("Press F1 & read <this>."), 5);
    QCOMPARE(window.browser()->toPlainText(), QStringLiteral("Press F1 & read <this>."));
}

void TestHelp::window_f1InsideHelpOpensNoSecondWindow()
{
    ScriptedDialogs dialogs;
    QWidget owner;
    SetHelpContext(&owner, 140);
    HelpWindow window(QStringLiteral("/tmp/TEST.HLP"), LongHelp(2), 1, &owner);
    QCOMPARE(F1Filter::HelpContextOf(window.browser()), 0);
    QCOMPARE(F1Filter::HelpContextOf(&owner), 140);
}

void TestHelp::manual_hasTopicForEveryContextInTheCode()
{
    const QString manual = Manual();
    QVERIFY(manual.size() > 20000);
    QVERIFY(manual.contains(QStringLiteral("<html")));

    QSet<int> contexts(kKnownContexts.cbegin(), kKnownContexts.cend());
    const QList<QRegularExpression> patterns = {
        QRegularExpression(QStringLiteral("SetHelpContext\\([^;]*?,\\s*(\\d+)\\s*\\)")),
        QRegularExpression(QStringLiteral("helpContext\\s*=\\s*(\\d+)")),
        QRegularExpression(QStringLiteral("showHelp\\(\\s*(\\d+)\\s*\\)")),
    };
    int files = 0;
    for (const QString& folder : {QStringLiteral("/src"), QStringLiteral("/apps")}) {
        QDirIterator it(SourceDir() + folder, {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString text = QString::fromUtf8(ReadAll(it.next()));
            ++files;
            for (const QRegularExpression& pattern : patterns) {
                for (auto match = pattern.globalMatch(text); match.hasNext();) {
                    const int number = match.next().captured(1).toInt();
                    if (number > 0)
                        contexts.insert(number);
                }
            }
        }
    }
    QVERIFY(files > 10);
    QStringList missing;
    for (const int context : contexts) {
        if (!HasHelpAnchor(manual, context))
            missing.append(QString::number(context));
    }
    QVERIFY2(missing.isEmpty(),
             qPrintable(QStringLiteral("no topic for ") + missing.join(QStringLiteral(", "))));
}

void TestHelp::manual_internalLinksLeadToTopics()
{
    const QString manual = Manual();
    const QRegularExpression link(QStringLiteral("href=\"#([^\"]+)\""));
    int links = 0;
    for (auto match = link.globalMatch(manual); match.hasNext();) {
        const QString target = match.next().captured(1);
        ++links;
        const bool numbered = target.toInt() > 0;
        QVERIFY2(numbered ? HasHelpAnchor(manual, target.toInt())
                          : manual.contains(QStringLiteral("name=\"") + target + QLatin1Char('"')),
                 qPrintable(target));
    }
    QVERIFY(links > 40);
}

void TestHelp::manual_browserFindsEveryTopicAnchor()
{
    // The regular expression above reads the file; this asks the document the help window shows,
    // which is what scrolling to a topic uses.
    QTextDocument document;
    document.setHtml(Manual());
    QSet<QString> anchors;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QStringList names = it.fragment().charFormat().anchorNames();
            for (const QString& name : names)
                anchors.insert(name);
        }
    }
    for (const int context : kKnownContexts)
        QVERIFY2(anchors.contains(QString::number(context)), qPrintable(QString::number(context)));
}

void TestHelp::manual_isCopiedBesideTheProgram()
{
    const QString bin = qEnvironmentVariable("QUORVEL_BIN_DIR");
    if (bin.isEmpty())
        QSKIP("QUORVEL_BIN_DIR is not set");
    const QString built = QDir(bin).filePath(QStringLiteral("QUORVELA.HLP"));
    QCOMPARE(ReadAll(built), ReadAll(SourceDir() + QStringLiteral("/resources/QUORVELA.HLP")));
    QCOMPARE(HelpFileProblem(built), QString());
}

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
