// Drafts: the page editor keeps its text in .history/ while open and drops it on a clean close;
// a draft left behind is brought back as its Topic, as a new Topic, or discarded.
#include "authoring/tdraftform.h"
#include "authoring/thypentryform.h"
#include "authoring/topicentry.h"
#include "platform/rtf/rtfreader.h"
#include "platform/rtf/rtfwriter.h"
#include "shell/appstate.h"
#include "storage/topicops.h"
#include "storage/topicstore.h"
#include "support/modaldriver.h"
#include "support/scripteddialogs.h"

#include <QPushButton>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTextEdit>
#include <QtTest>

using namespace authoring;

class TestDrafts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_state.WorkingDirectory = m_dir->path() + QLatin1Char('/');
        m_state.TopicStorePath = QStringLiteral("LIST.SWR");
        m_store = m_dir->filePath(QStringLiteral("LIST.SWR"));
    }

    void pageEditor_keepsDraftWhileOpenOnly()
    {
        QStringList shown;
        ModalDriver driver([&](QWidget* editor) {
            auto* text = editor->findChild<QTextEdit*>(QStringLiteral("RichEdit1"));
            QEvent leave(QEvent::WindowDeactivate);
            QApplication::sendEvent(editor, &leave); // nothing typed yet: no draft
            shown << QString::number(shell::ListDrafts(m_dir->path()).size());
            text->insertPlainText(QStringLiteral("Lava flows"));
            QApplication::sendEvent(editor, &leave);
            for (const shell::Draft& draft : shell::ListDrafts(m_dir->path()))
                shown << draft.kind + QLatin1Char('/') + draft.owner + QLatin1Char('/') + DraftPlainText(draft).trimmed();
            static_cast<QDialog*>(editor)->reject();
        });
        storage::TopicDisplayRecord record;
        QStringList page;
        EditPage(record, page, 1, nullptr, {}, &m_state, QStringLiteral("Rivers"));
        QCOMPARE(shown, QStringList({"0", "page/Rivers/Lava flows"}));
        QVERIFY(shell::ListDrafts(m_dir->path()).isEmpty());
    }

    void bringBack_data()
    {
        QTest::addColumn<int>("choice");
        QTest::addColumn<QStringList>("topics");
        QTest::addColumn<QString>("riversText");
        QTest::newRow("as its Topic") << int(DraftChoice::AsItsTopic) << QStringList{"Rivers"} << "Recovered text";
        QTest::newRow("as a new Topic") << int(DraftChoice::AsNewTopic)
                                        << QStringList{"Rivers", "Rivers (recovered)"} << "Old text";
        QTest::newRow("discard") << int(DraftChoice::Discard) << QStringList{"Rivers"} << "Old text";
    }

    void bringBack()
    {
        QFETCH(int, choice);
        QFETCH(QStringList, topics);
        QFETCH(QString, riversText);
        QTextDocument old;
        old.setPlainText(QStringLiteral("Old text"));
        storage::TopicDisplayRecord record;
        record.TextLeft = 77;
        storage::AppendPageEntry(m_store, QStringLiteral("Rivers"), kTypeGraphicText, storage::kTopicKind,
                                 platform::rtf::RtfLines(old), record);
        QTextDocument draft;
        draft.setPlainText(QStringLiteral("Recovered text"));
        QVERIFY(shell::WriteDraft(m_dir->path(), QStringLiteral("page"), QStringLiteral("Rivers"),
                                  platform::rtf::RtfLines(draft).join(QLatin1Char('\n'))));

        ScriptedDialogs dialogs;
        ModalDriver driver([choice](QWidget* form) {
            const char* button = choice == int(DraftChoice::AsItsTopic)   ? "AsTopicBtn"
                                 : choice == int(DraftChoice::AsNewTopic) ? "NewTopicBtn"
                                                                          : "DiscardBtn";
            QTest::mouseClick(form->findChild<QPushButton*>(QLatin1String(button)), Qt::LeftButton);
        });
        OfferDrafts(m_state);
        QVERIFY(driver.opened && !driver.stuck);

        QStringList names;
        storage::ListEntryNames(names, m_store, storage::kTopicKind);
        QCOMPARE(names, topics);
        QStringList entry;
        QVERIFY(storage::ExtractEntry(m_store, QStringLiteral("Rivers"), storage::kTopicKind, entry));
        QCOMPARE(EntryTypeCode(entry), int(kTypeGraphicText));
        storage::TopicDisplayRecord kept;
        QStringList lines;
        storage::ParsePageEntry(entry, kept, lines);
        QCOMPARE(kept.TextLeft, 77);
        QTextDocument now;
        platform::rtf::LoadRtfLines(lines, &now);
        QCOMPARE(now.toPlainText().trimmed(), riversText);
        QVERIFY(shell::ListDrafts(m_dir->path()).isEmpty());
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    shell::AppState m_state;
    QString m_store;
};

QTEST_MAIN(TestDrafts)
#include "tst_drafts.moc"
