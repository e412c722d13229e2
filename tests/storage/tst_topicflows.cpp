// The "&View a Topic" and "&Delete a Topic" flows: the entry chooser over the store's Topics, the
// confirmation, and what reaches the store and the topic runner.
#include "platform/f1filter.h"
#include "shell/tbuttlistform.h"
#include "storage/topicflows.h"
#include "storage/topicops.h"
#include "storage/topicstore.h"
#include "storefixtures.h"
#include "modaldriver.h"
#include "scripteddialogs.h"
#include "testfiles.h"

#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace storage;

namespace {

// Chooses the row in the open entry chooser and presses "&Select"; records what was shown.
struct ChooserAnswer
{
    explicit ChooserAnswer(int chosenRow, bool pressSelect = true) : row(chosenRow), select(pressSelect) {}
    int row = 0;
    bool select = true;
    QString caption;
    int helpContext = 0;
    QStringList shownNames;
};

std::unique_ptr<ModalDriver> Answer(ChooserAnswer& answer)
{
    return std::make_unique<ModalDriver>([&answer](QWidget* modal) {
        answer.caption = modal->windowTitle();
        answer.helpContext = platform::F1Filter::HelpContextOf(modal);
        auto* list = modal->findChild<QListWidget*>(QStringLiteral("ListBox1"));
        QVERIFY(list);
        for (int i = 0; i < list->count(); ++i)
            answer.shownNames << list->item(i)->text();
        list->setCurrentRow(answer.row);
        const QString button = answer.select ? QStringLiteral("OKBitBtn") : QStringLiteral("CancelBitBtn");
        QTest::mouseClick(modal->findChild<QPushButton*>(button), Qt::LeftButton);
    });
}

} // namespace

class TestTopicFlows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_store = m_dir->filePath(QStringLiteral("LIST.SWR"));
        m_dialogs = std::make_unique<ScriptedDialogs>();
    }
    void cleanup()
    {
        m_dialogs.reset();
        m_dir.reset();
    }

    void selectEntryName_withoutEntriesOfTheKind_showsNoWindow()
    {
        WriteAll(m_store, IntroBlock("Welcome"));
        ChooserAnswer answer(0);
        auto driver = Answer(answer);
        QCOMPARE(SelectEntryName(m_store, kTopicKind, QStringLiteral("Pick"), 175, 0), QString());
        QTest::qWait(30);
        QVERIFY(!driver->opened);
        QCOMPARE(SelectEntryName(m_dir->filePath(QStringLiteral("NONE.SWR")), kTopicKind,
                                 QStringLiteral("Pick"), 175, 0),
                 QString());
    }

    void selectEntryName_givesTheChosenName()
    {
        WriteAll(m_store, CommandBlock("A", 3, "A.WAV") + IntroBlock("hi") + CommandBlock("B", 3, "B.WAV"));
        ChooserAnswer answer(1);
        auto driver = Answer(answer);
        QCOMPARE(SelectEntryName(m_store, kTopicKind, QStringLiteral("Pick"), 175, 0), QStringLiteral("B"));
        QCOMPARE(answer.shownNames, (QStringList{QStringLiteral("A"), QStringLiteral("B")}));
        QCOMPARE(answer.caption, QStringLiteral("Pick"));
        QCOMPARE(answer.helpContext, 175);
    }

    void deleteTopic_yes_deletesTheChosenEntry()
    {
        WriteAll(m_store, CommandBlock("Alpha", 3, "A.WAV") + CommandBlock("Beta", 3, "B.WAV"));
        m_dialogs->yesNoAnswers.enqueue(true);
        ChooserAnswer answer(1);
        auto driver = Answer(answer);
        DeleteTopic(m_store, kTopicKind, 185);
        QCOMPARE(answer.caption, QStringLiteral("Select an Entry to delete"));
        QCOMPARE(answer.helpContext, 185);
        QCOMPARE(m_dialogs->questions,
                 QStringList{QStringLiteral("The \"Beta\" entry will be deleted.\n\rContinue?")});
        QCOMPARE(ReadAll(m_store), CommandBlock("Alpha", 3, "A.WAV"));
    }

    void deleteTopic_lastTopic_removesTheStore()
    {
        WriteAll(m_store, CommandBlock("Alpha", 3, "A.WAV"));
        m_dialogs->yesNoAnswers.enqueue(true);
        ChooserAnswer answer(0);
        auto driver = Answer(answer);
        DeleteTopic(m_store, kTopicKind, 185);
        QVERIFY(!QFile::exists(m_store));
    }

    void deleteTopic_no_leavesTheStore()
    {
        const QByteArray before = CommandBlock("Alpha", 3, "A.WAV");
        WriteAll(m_store, before);
        m_dialogs->yesNoAnswers.enqueue(false);
        ChooserAnswer answer(0);
        auto driver = Answer(answer);
        DeleteTopic(m_store, kTopicKind, 185);
        QCOMPARE(m_dialogs->questions.size(), 1);
        QCOMPARE(ReadAll(m_store), before);
    }

    void deleteTopic_chooserClosed_asksNothing()
    {
        const QByteArray before = CommandBlock("Alpha", 3, "A.WAV");
        WriteAll(m_store, before);
        ChooserAnswer answer(0, false);
        auto driver = Answer(answer);
        DeleteTopic(m_store, kTopicKind, 185);
        QVERIFY(m_dialogs->questions.isEmpty());
        QCOMPARE(ReadAll(m_store), before);
    }

    void viewTopic_handsTheExtractedEntryToTheRunner()
    {
        WriteAll(m_store, CommandBlock("Alpha", 3, "A.WAV") + CommandBlock("Beta", 7, "B.AVI"));
        QList<QStringList> ran;
        ChooserAnswer answer(1);
        auto driver = Answer(answer);
        ViewTopic(m_store, kTopicKind, 175, [&ran](const QStringList& entry) { ran.append(entry); });
        QCOMPARE(answer.caption, QStringLiteral("Select an Entry to view"));
        QCOMPARE(answer.helpContext, 175);
        QCOMPARE(ran.size(), 1);
        QCOMPARE(ran[0], (QStringList{QStringLiteral("Beta"), QStringLiteral("source=HYPER"),
                                      QStringLiteral("type=7"), QStringLiteral("command=B.AVI"),
                                      QStringLiteral("]")}));
    }

    void viewTopic_chooserClosed_runsNothing()
    {
        WriteAll(m_store, CommandBlock("Alpha", 3, "A.WAV"));
        int runs = 0;
        ChooserAnswer answer(0, false);
        auto driver = Answer(answer);
        ViewTopic(m_store, kTopicKind, 175, [&runs](const QStringList&) { ++runs; });
        QVERIFY(driver->opened);
        QCOMPARE(runs, 0);
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    QString m_store;
};

QTEST_MAIN(TestTopicFlows)
#include "tst_topicflows.moc"
