// The main window's "&Delete a Topic" and "&View a Topic": the chooser on the current Study List's
// store, the buttons re-evaluated afterwards and the focus put back.
#include "shell/appstate.h"
#include "shell/tquorvelform.h"
#include "storage/topicops.h"
#include "storage/topicstore.h"
#include "support/modaldriver.h"
#include "support/scripteddialogs.h"
#include "support/testfiles.h"

#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace shell;

namespace {

// Picks the row in the entry chooser and presses "&Select".
std::unique_ptr<ModalDriver> Choose(int row, QString* caption = nullptr)
{
    return std::make_unique<ModalDriver>([row, caption](QWidget* modal) {
        if (caption)
            *caption = modal->windowTitle();
        modal->findChild<QListWidget*>(QStringLiteral("ListBox1"))->setCurrentRow(row);
        QTest::mouseClick(modal->findChild<QPushButton*>(QStringLiteral("OKBitBtn")), Qt::LeftButton);
    });
}

} // namespace

class TestDeleteTopic : public QObject
{
    Q_OBJECT

private:
    QPushButton* button(const QString& name) { return m_form->findChild<QPushButton*>(name); }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_dialogs = std::make_unique<ScriptedDialogs>();
        m_state = std::make_unique<AppState>();
        m_state->ProgramDirectory = m_dir->path() + QLatin1Char('/');
        m_state->WorkingDirectory = m_dir->path() + QLatin1Char('/');
        m_state->SettingsPath = m_dir->filePath(QStringLiteral("LIST.SWJ"));
        m_state->TopicStorePath = QStringLiteral("list.swr"); // found on disk whatever its letter case
        m_store = m_dir->filePath(QStringLiteral("LIST.SWR"));
        storage::AppendCommandEntry(m_store, QStringLiteral("Alpha"), 3, storage::kTopicKind,
                                    QStringLiteral("A.WAV"));
        storage::AppendCommandEntry(m_store, QStringLiteral("Beta"), 7, storage::kTopicKind,
                                    QStringLiteral("B.AVI"));
        m_form = std::make_unique<TQuorvelForm>(*m_state);
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
        QTRY_VERIFY(button(QStringLiteral("DeleteBtn"))->isVisible());
    }
    void cleanup()
    {
        m_form.reset();
        m_state.reset();
        m_dialogs.reset();
        m_dir.reset();
    }

    void deleteButton_deletesTopics_untilTheStoreIsGone()
    {
        QPushButton* deleteBtn = button(QStringLiteral("DeleteBtn"));
        QVERIFY(deleteBtn->isEnabled());

        m_dialogs->yesNoAnswers.enqueue(true);
        QString caption;
        auto driver = Choose(0, &caption);
        QTest::mouseClick(deleteBtn, Qt::LeftButton);
        QCOMPARE(caption, QStringLiteral("Select an Entry to delete"));
        QCOMPARE(m_dialogs->questions.value(0),
                 QStringLiteral("The \"Alpha\" entry will be deleted.\n\rContinue?"));
        QStringList names;
        storage::ListEntryNames(names, m_store, storage::kTopicKind);
        QCOMPARE(names, QStringList{QStringLiteral("Beta")});
        QVERIFY(deleteBtn->isEnabled());
        QCOMPARE(m_form->focusWidget(), deleteBtn);
        QVERIFY(deleteBtn->isVisible());

        m_dialogs->yesNoAnswers.enqueue(true);
        driver = Choose(0);
        QTest::mouseClick(deleteBtn, Qt::LeftButton);
        QVERIFY(!QFile::exists(m_store));
        QVERIFY(!deleteBtn->isEnabled());
        for (const char* name : {"EditBtn", "ViewBtn", "PreViewBtn", "CompileBtn"})
            QVERIFY(!button(QLatin1String(name))->isEnabled());
        QCOMPARE(m_form->focusWidget(), button(QStringLiteral("AddBtn")));
        QVERIFY(m_dialogs->errors.isEmpty());
    }

    void deleteAnsweredNo_keepsEverything()
    {
        const QByteArray before = ReadAll(m_store);
        m_dialogs->yesNoAnswers.enqueue(false);
        auto driver = Choose(1);
        m_form->deleteTopic();
        QCOMPARE(m_dialogs->questions.value(0),
                 QStringLiteral("The \"Beta\" entry will be deleted.\n\rContinue?"));
        QCOMPARE(ReadAll(m_store), before);
        QVERIFY(button(QStringLiteral("DeleteBtn"))->isEnabled());
    }

    void viewButton_handsTheChosenTopicOn()
    {
        QString caption;
        auto driver = Choose(1, &caption);
        QTest::mouseClick(button(QStringLiteral("ViewBtn")), Qt::LeftButton);
        QCOMPARE(caption, QStringLiteral("Select an Entry to view"));
        // The chosen video Topic goes to the media show, which reports its missing file.
        QCOMPARE(m_state->CurrentTopicTitle, QStringLiteral("Beta"));
        QCOMPARE(m_dialogs->errors, QStringList{QStringLiteral("The file B.AVI is missing")});
        QCOMPARE(m_form->focusWidget(), button(QStringLiteral("ViewBtn")));
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<AppState> m_state;
    std::unique_ptr<TQuorvelForm> m_form;
    QString m_store;
};

QTEST_MAIN(TestDeleteTopic)
#include "tst_deletetopic.moc"
