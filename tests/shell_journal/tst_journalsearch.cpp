#include "../grid/journalfixture.h"
#include "scriptedfeedback.h"

#include "grid/sqlpagemodel.h"
#include "shell/tfm_buchung.h"
#include "shell/tfm_buchunglogic.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

class TstJournalSearch : public QObject {
    Q_OBJECT
private slots:
    void statementText_data();
    void statementText();
    void searchView_data();
    void searchView();
    void emptyTextSwitchesSearchOff();
    void editSwitchOffAtStart();
};

void TstJournalSearch::statementText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("sql");
    const QString head = QStringLiteral("SELECT * FROM BUCHUNGEN WHERE (UPPER(Buchungstext) LIKE '%");
    QTest::newRow("text") << " Rechnr " << head + "RECHNR%')";
    QTest::newRow("umlaut") << "müller" << head + "MÜLLER%')";
    QTest::newRow("number")
        << "4711"
        << head + "4711%') OR (Buchungsnummer Like '%4711%') OR (Soll=4711) OR (Haben=4711) OR (Brutto=4711)";
    QTest::newRow("decimal-comma")
        << "12,50"
        << head + "12,50%') OR (Buchungsnummer Like '%12.5%') OR (Soll=12.5) OR (Haben=12.5) OR (Brutto=12.5)";
    QTest::newRow("rounded-to-cents")
        << "7,456" << head + "7,456%') OR (Buchungsnummer Like '%7.46%') OR (Soll=7.46) OR (Haben=7.46) OR (Brutto=7.46)";
    QTest::newRow("quote-doubled") << "O'Brien" << head + "O''BRIEN%')";
    QTest::newRow("quote-cannot-close-literal") << "x') OR (1=1" << head + "X'') OR (1=1%')";
    QTest::newRow("blank") << "   " << "";
}

void TstJournalSearch::statementText()
{
    QFETCH(QString, text);
    QFETCH(QString, sql);
    QCOMPARE(TFM_BuchungLogic::SuchStatement(text), sql);
}

void TstJournalSearch::searchView_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("found");  // Buchungsnummer of the bookings listed
    QTest::newRow("text-lower") << "rechnr" << QList<int>{1, 2};
    QTest::newRow("text-upper") << "RECHNR" << QList<int>{1, 2};
    QTest::newRow("number-fields") << "4711" << QList<int>{4711, 5, 6, 7};
    QTest::newRow("gross-with-comma") << "12,50" << QList<int>{8};
    QTest::newRow("quote") << "O'Brien" << QList<int>{9};
    QTest::newRow("umlaut-any-case") << "müller" << QList<int>{10};
    QTest::newRow("sharp-s") << "hauptstraße" << QList<int>{11};
    QTest::newRow("nothing") << "gibtsnicht" << QList<int>{};
}

void TstJournalSearch::searchView()
{
    QFETCH(QString, text);
    QFETCH(QList<int>, found);
    JournalFixture journal;
    journal.add({1, QStringLiteral("Rechnr 100 Kunde"), 10});
    journal.add({2, QStringLiteral("Gutschrift zu RechNr 100"), 10});
    journal.add({3, QStringLiteral("Zahlung"), 10});
    journal.add({4711, QStringLiteral("Beleg"), 10});
    journal.add({5, QStringLiteral("Soll-Konto"), 10, 4711, 8400});
    journal.add({6, QStringLiteral("Haben-Konto"), 10, 1200, 4711});
    journal.add({7, QStringLiteral("Brutto"), 4711});
    journal.add({8, QStringLiteral("Kleinbetrag"), 12.5});
    journal.add({9, QStringLiteral("Rechnung O'Brien"), 10});
    journal.add({10, QStringLiteral("Rechnung Müller GmbH"), 10});
    journal.add({11, QStringLiteral("Lieferung Hauptstraße 5"), 10});

    TFM_Buchung view(journal.db());
    ScriptedFeedback feedback;
    view.setFeedback(&feedback);
    QVERIFY(view.Action_Open());
    const int journalRows = view.currentModel()->rowCount();
    view.searchField()->setText(text);
    view.SP_SucheClick();
    QVERIFY(view.searchShown());
    QVERIFY(view.findChild<QPushButton*>(QStringLiteral("SpeedButton2"))->isVisibleTo(&view));
    QVERIFY(!view.findChild<QPushButton*>(QStringLiteral("SP_Listenedit"))->isVisibleTo(&view));
    SqlPageModel* result = view.currentModel();
    QList<int> numbers;
    for (int row = 0; row < result->rowCount(); ++row)
        numbers.append(result->value(row, QStringLiteral("Buchungsnummer")).toInt());
    std::sort(found.begin(), found.end());
    std::sort(numbers.begin(), numbers.end());
    QCOMPARE(numbers, found);
    QVERIFY(feedback.messages.isEmpty());

    view.SpeedButton2Click();
    QVERIFY(!view.searchShown());
    QVERIFY(view.searchField()->text().isEmpty());
    QCOMPARE(view.currentModel()->rowCount(), journalRows);
}

void TstJournalSearch::emptyTextSwitchesSearchOff()
{
    JournalFixture journal;
    journal.add({1, QStringLiteral("Rechnr"), 10});
    journal.add({2, QStringLiteral("anders"), 10});
    TFM_Buchung view(journal.db());
    QVERIFY(view.Action_Open());
    view.searchField()->setText(QStringLiteral("Rechnr"));
    view.SP_SucheClick();
    QCOMPARE(view.currentModel()->rowCount(), 1);
    view.searchField()->setText(QStringLiteral("  "));
    view.SP_SucheClick();
    QVERIFY(!view.searchShown());
    QCOMPARE(view.currentModel()->rowCount(), 2);
}

void TstJournalSearch::editSwitchOffAtStart()
{
    JournalFixture journal;
    journal.add({1, QStringLiteral("a"), 10});
    TFM_Buchung view(journal.db());
    QVERIFY(view.Action_Open());
    QVERIFY(!view.listEditable());
    const QModelIndex cell = view.currentModel()->index(0, 4);
    QVERIFY(!(view.currentModel()->flags(cell) & Qt::ItemIsEditable));
    view.SP_ListeneditClick();
    QVERIFY(view.listEditable());
    QVERIFY(view.currentModel()->flags(cell) & Qt::ItemIsEditable);
    QVERIFY(view.findChild<QPushButton*>(QStringLiteral("SP_Listenedit"))->isFlat());
}

QTEST_MAIN(TstJournalSearch)
#include "tst_journalsearch.moc"
