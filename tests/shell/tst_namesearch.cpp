// The name search shared by the list windows, without any window: first, next, cancel.
#include "shell/namesearch.h"

#include <QtTest>

using namespace shell;

class TestNameSearch : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void findFirstNextNext_overThreeNames()
    {
        // The first and the second name hold "a" in upper or lower case, the third does not.
        const QStringList names{QStringLiteral("Volcanoes"), QStringLiteral("LAVA flows"),
                                QStringLiteral("Geysers")};
        FindState state;
        state.lastText = QStringLiteral("A");
        QCOMPARE(SearchNames(names, FindFirst, state), 0);
        QCOMPARE(state.lastFound, 0);
        QCOMPARE(SearchNames(names, FindNextMode, state), 1);
        QCOMPARE(state.lastFound, 1);
        const int none = SearchNames(names, FindNextMode, state);
        QCOMPARE(none, -1);
        QCOMPARE(SelectionAfterSearch(none), 0);
        QCOMPARE(state.lastFound, 1);
        // The next "Find Next" still starts after the second name.
        state.lastText = QStringLiteral("s");
        QCOMPARE(SearchNames(names, FindNextMode, state), 2);
    }

    void findFirst_startsAfresh()
    {
        const QStringList names{QStringLiteral("Alpha"), QStringLiteral("alps"), QStringLiteral("Beta")};
        FindState state{1, QStringLiteral("AL")};
        QCOMPARE(SearchNames(names, FindFirst, state), 0);
    }

    void cancelled_findsNothing_andKeepsState()
    {
        const QStringList names{QStringLiteral("Alpha"), QStringLiteral("Beta")};
        FindState state{0, QStringLiteral("beta")};
        const int hit = SearchNames(names, FindCancelled, state);
        QCOMPARE(hit, -1);
        QCOMPARE(SelectionAfterSearch(hit), 0);
        QCOMPARE(state.lastFound, 0);
        QCOMPARE(state.lastText, QStringLiteral("beta"));
    }

    void emptyText_matchesTheNameAfterTheLastHit()
    {
        const QStringList names{QStringLiteral("One"), QStringLiteral("Two"), QStringLiteral("Three")};
        FindState state{0, QString()};
        QCOMPARE(SearchNames(names, FindNextMode, state), 1);
        QCOMPARE(SearchNames(names, FindFirst, state), 0);
    }

    void substringAnywhere_lettersCaseIgnored_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("hit");
        QTest::newRow("middle of a name") << QStringLiteral("RUP") << 1;
        QTest::newRow("accented letters") << QStringLiteral("ÉTÉ") << 2;
        QTest::newRow("whole name") << QStringLiteral("the earth") << 0;
        QTest::newRow("nowhere") << QStringLiteral("moon") << -1;
    }
    void substringAnywhere_lettersCaseIgnored()
    {
        QFETCH(QString, text);
        QFETCH(int, hit);
        const QStringList names{QStringLiteral("The Earth"), QStringLiteral("Eruptions"),
                                QStringLiteral("Un été")};
        FindState state{-1, text};
        QCOMPARE(SearchNames(names, FindFirst, state), hit);
        QCOMPARE(state.lastFound, hit);
    }

    void lastHitBeyondTheList_findsNothing()
    {
        FindState state{7, QStringLiteral("a")};
        QCOMPARE(SearchNames({QStringLiteral("a")}, FindNextMode, state), -1);
        QCOMPARE(SearchNames({}, FindFirst, state), -1);
    }
};

QTEST_GUILESS_MAIN(TestNameSearch)
#include "tst_namesearch.moc"
