// Earlier versions: what each store rewrite and settings save keeps in .history/, the limit of
// twenty, restoring (which keeps the current file too) and the dialog that lists and restores.
#include "publish/distribution.h"
#include "shell/appstate.h"
#include "shell/history.h"
#include "storage/settings.h"
#include "storage/thistoryform.h"
#include "storage/topicops.h"
#include "storage/topicorder.h"
#include "storage/topicstore.h"
#include "modaldriver.h"
#include "scripteddialogs.h"
#include "testfiles.h"

#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

using namespace storage;

class TestHistory : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_store = m_dir->filePath(QStringLiteral("LIST.SWR"));
    }

    void rewrites_keepReplacedStoreWithTheirChange()
    {
        AppendCommandEntry(m_store, QStringLiteral("Rivers"), 3, kTopicKind, QStringLiteral("A.WAV"));
        const QByteArray one = ReadAll(m_store);
        AppendCommandEntry(m_store, QStringLiteral("Hills"), 3, kTopicKind, QStringLiteral("B.WAV"));
        const QByteArray two = ReadAll(m_store);
        MoveEntry(m_store, QStringLiteral("Hills"), QStringLiteral("Rivers"), kTopicKind);
        const QByteArray three = ReadAll(m_store);
        ReplaceCommandEntry(m_store, QStringLiteral("Hills"), QStringLiteral("Hills"), kTopicKind,
                            QStringLiteral("C.WAV"), 3);
        DeleteEntry(m_store, QStringLiteral("Rivers"), kTopicKind);
        DeleteEntry(m_store, QStringLiteral("Hills"), kTopicKind); // the store goes with its last Topic
        QVERIFY(!QFileInfo::exists(m_store));

        const QList<shell::FileVersion> versions = shell::ListVersions(m_dir->path(), {"LIST.SWR"});
        QStringList changes;
        for (const shell::FileVersion& v : versions)
            changes << v.change;
        QCOMPARE(changes, QStringList({"Topic \"Hills\" deleted", "Topic \"Rivers\" deleted",
                                       "Topic \"Hills\" edited", "Topic \"Hills\" moved",
                                       "Topic \"Hills\" added"}));
        QCOMPARE(ReadAll(versions[4].path), one);
        QCOMPARE(ReadAll(versions[3].path), two);
        QCOMPARE(ReadAll(versions[2].path), three);
    }

    void manySaves_keepTheNewestTwenty()
    {
        shell::AppState state;
        state.WorkingDirectory = m_dir->path();
        state.SettingsPath = QStringLiteral("LIST.SWJ");
        for (int i = 0; i < shell::kMaxVersions + 5; ++i) {
            state.Settings.Program.Title = QString::number(i);
            SaveSettings(state);
        }
        const QList<shell::FileVersion> versions = shell::ListVersions(m_dir->path(), {"LIST.SWJ"});
        QCOMPARE(versions.size(), shell::kMaxVersions);
        SettingsRecord newest;
        QVERIFY(DecodeSettings(ReadAll(versions.first().path), newest));
        QCOMPARE(newest.Program.Title, QString::number(shell::kMaxVersions + 3));
        QCOMPARE(versions.first().change, QStringLiteral("Presentation changed"));
        // Only versions and their notes: nothing else collects in the folder.
        QCOMPARE(QDir(shell::HistoryFolderOf(m_store)).entryList(QDir::Files | QDir::Hidden).size(),
                 2 * shell::kMaxVersions);
    }

    void dialog_restoresChosenAndKeepsCurrent()
    {
        ScriptedDialogs dialogs;
        shell::AppState state;
        state.WorkingDirectory = m_dir->path();
        state.SettingsPath = QStringLiteral("LIST.SWJ");
        state.TopicStorePath = QStringLiteral("LIST.SWR");
        AppendCommandEntry(m_store, QStringLiteral("Rivers"), 3, kTopicKind, QStringLiteral("A.WAV"));
        AppendCommandEntry(m_store, QStringLiteral("Hills"), 3, kTopicKind, QStringLiteral("B.WAV"));
        const QByteArray twoTopics = ReadAll(m_store);
        DeleteEntry(m_store, QStringLiteral("Rivers"), kTopicKind);
        const QByteArray current = ReadAll(m_store);

        QStringList rows;
        ModalDriver driver([&rows](QWidget* modal) {
            auto* list = modal->findChild<QTreeWidget*>(QStringLiteral("VersionList"));
            for (int i = 0; i < list->topLevelItemCount(); ++i)
                rows << list->topLevelItem(i)->text(2) + QLatin1Char('/') + list->topLevelItem(i)->text(3);
            list->setCurrentItem(list->topLevelItem(0));
            QTest::mouseClick(modal->findChild<QPushButton*>(QStringLiteral("RestoreBtn")), Qt::LeftButton);
        });
        EarlierVersions(state, nullptr);
        QVERIFY(driver.opened && !driver.stuck);
        QCOMPARE(rows, QStringList({"Topic \"Rivers\" deleted/2", "Topic \"Hills\" added/1"}));
        QCOMPARE(ReadAll(m_store), twoTopics);
        const QList<shell::FileVersion> after = shell::ListVersions(m_dir->path(), {"LIST.SWR"});
        QVERIFY(after.first().change.startsWith(QStringLiteral("Version of ")));
        QCOMPARE(ReadAll(after.first().path), current);
    }

    void distribution_neverTakesTheHistory()
    {
        QStringList names;
        publish::AddDistributionName(names, QStringLiteral(".history/LIST.SWR~20261209-035512-123"));
        publish::AddDistributionName(names, QStringLiteral("sub\\.HISTORY\\page.draft"));
        publish::AddDistributionName(names, QStringLiteral("SKY.BMP"));
        QCOMPARE(names, QStringList{QStringLiteral("SKY.BMP")});
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_store;
};

QTEST_MAIN(TestHistory)
#include "tst_history.moc"
