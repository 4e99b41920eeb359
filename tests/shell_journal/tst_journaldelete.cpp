#include "../grid/journalfixture.h"
#include "scriptedfeedback.h"

#include "dataaccess/eqemdatabaseerror.h"
#include "shell/tfm_buchunglogic.h"

#include <QtTest>

namespace {

// Records the take-backs; documents and entries listed in `existing` are found.
class FakeWaWi : public TFM_BuchungLogic::WaWi {
public:
    bool BelegZuruecknehmen(int auftrag) override
    {
        if (fail)
            throw EQemDatabaseError(QStringLiteral("Datensatz gesperrt"));
        belege.append(auftrag);
        return existing.contains(auftrag);
    }
    bool KassenbuchZuruecknehmen(int eintrag) override
    {
        if (fail)
            throw EQemDatabaseError(QStringLiteral("Datensatz gesperrt"));
        kassenbuch.append(eintrag);
        return existing.contains(-eintrag);
    }
    QList<int> existing;
    QList<int> belege;
    QList<int> kassenbuch;
    bool fail = false;
};

const QString ja = QStringLiteral("ja");

}  // namespace

class TstJournalDelete : public QObject {
    Q_OBJECT
private slots:
    void deleteRules_data();
    void deleteRules();
    void deleteExported_data();
    void deleteExported();
};

// A journal: invoice 17 with three bookings (rows 0-2), a cash-book booking of entry 5 (row 3),
// an exported booking of document 18 (row 4), a booking of product kind 1 (row 5).
void TstJournalDelete::deleteRules_data()
{
    QTest::addColumn<int>("row");                 // the booking the user deletes
    QTest::addColumn<QList<bool>>("answers");     // Ja/Nein, OK/Abbrechen in order
    QTest::addColumn<QList<int>>("existing");     // sources the merchandise system still has
    QTest::addColumn<bool>("wawiFails");
    QTest::addColumn<bool>("deleted");
    QTest::addColumn<QList<int>>("remaining");    // rows left afterwards
    QTest::addColumn<int>("questions");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QList<int>>("belege");       // documents taken back
    QTest::addColumn<QList<int>>("kassenbuch");   // cash-book entries taken back

    const QString nicht = TFM_BuchungLogic::MeldungNichtGeloescht;
    QTest::newRow("exported-asks-nothing") << 4 << QList<bool>{} << QList<int>{17} << false << true
                                           << QList<int>{0, 1, 2, 3, 5} << 0 << QStringList{} << QList<int>{}
                                           << QList<int>{};
    QTest::newRow("no-leaves-merchandise-alone")
        << 1 << QList<bool>{false} << QList<int>{17} << false << true << QList<int>{0, 2, 3, 4, 5} << 1
        << QStringList{} << QList<int>{} << QList<int>{};
    QTest::newRow("take-back-deletes-transaction")
        << 1 << QList<bool>{true, true} << QList<int>{17} << false << true << QList<int>{3, 4, 5} << 2
        << QStringList{} << QList<int>{17} << QList<int>{};
    QTest::newRow("cancel-deletes-nothing")
        << 1 << QList<bool>{true, false} << QList<int>{17} << false << false << QList<int>{0, 1, 2, 3, 4, 5} << 2
        << QStringList{nicht} << QList<int>{} << QList<int>{};
    QTest::newRow("other-product-kind")
        << 5 << QList<bool>{true, true} << QList<int>{17} << false << false << QList<int>{0, 1, 2, 3, 4, 5} << 2
        << QStringList{TFM_BuchungLogic::MeldungAnderesProgramm, nicht} << QList<int>{} << QList<int>{};
    QTest::newRow("document-gone-only-chosen-booking")
        << 0 << QList<bool>{true, true} << QList<int>{} << false << true << QList<int>{1, 2, 3, 4, 5} << 2
        << QStringList{} << QList<int>{17} << QList<int>{};
    QTest::newRow("cash-book-entry")
        << 3 << QList<bool>{true, true} << QList<int>{-5} << false << true << QList<int>{0, 1, 2, 4, 5} << 2
        << QStringList{} << QList<int>{} << QList<int>{5};
    QTest::newRow("cash-book-entry-gone")
        << 3 << QList<bool>{true, true} << QList<int>{} << false << true << QList<int>{0, 1, 2, 4, 5} << 2
        << QStringList{} << QList<int>{} << QList<int>{5};
    QTest::newRow("failed-take-back-deletes-nothing")
        << 2 << QList<bool>{true, true} << QList<int>{17} << true << false << QList<int>{0, 1, 2, 3, 4, 5} << 2
        << QStringList{nicht + QStringLiteral("\rDatensatz gesperrt")} << QList<int>{} << QList<int>{};
}

void TstJournalDelete::deleteRules()
{
    QFETCH(int, row);
    QFETCH(QList<bool>, answers);
    QFETCH(QList<int>, existing);
    QFETCH(bool, wawiFails);
    QFETCH(bool, deleted);
    QFETCH(QList<int>, remaining);
    QFETCH(int, questions);
    QFETCH(QStringList, messages);
    QFETCH(QList<int>, belege);
    QFETCH(QList<int>, kassenbuch);

    JournalFixture journal;
    QList<qint64> keys;
    keys << journal.add({100, QStringLiteral("Rechnung 100 Erlös 19%"), 119, 10000, 8400, false, 17});
    keys << journal.add({100, QStringLiteral("Rechnung 100 Erlös 7%"), 107, 10000, 8300, false, 17});
    keys << journal.add({100, QStringLiteral("Zahlung 100"), 226, 1200, 10000, false, 17});
    keys << journal.add({5, QStringLiteral("Kasse Porto"), 5, 4910, 1000, false, -5});
    keys << journal.add({90, QStringLiteral("exportiert"), 10, 10000, 8400, true, 18});
    keys << journal.add({91, QStringLiteral("anderes Programm"), 10, 10000, 8400, false, 17, 1});

    ScriptedFeedback feedback(answers);
    FakeWaWi wawi;
    wawi.existing = existing;
    wawi.fail = wawiFails;
    TFM_BuchungLogic logic(journal.db(), feedback);
    logic.setWaWi(&wawi);
    logic.setProgrammArt(3);

    QCOMPARE(logic.Loeschen(keys[row]), deleted);
    QList<qint64> expected;
    for (int r : remaining)
        expected.append(keys[r]);
    QCOMPARE(journal.keys(), expected);
    QCOMPARE(feedback.questions.size(), questions);
    if (questions > 0)
        QCOMPARE(feedback.questions.first(), TFM_BuchungLogic::FrageWaWi);
    if (questions > 1)
        QCOMPARE(feedback.questions.at(1), TFM_BuchungLogic::FrageVorgang);
    QCOMPARE(feedback.messages, messages);
    QCOMPARE(wawi.belege, belege);
    QCOMPARE(wawi.kassenbuch, kassenbuch);
    QVERIFY(!logic.Wartung());
}

void TstJournalDelete::deleteExported_data()
{
    QTest::addColumn<QList<bool>>("exported");
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<QList<int>>("remaining");
    QTest::newRow("first-and-last") << QList<bool>{true, false, false, true} << true << QList<int>{1, 2};
    QTest::newRow("neighbours") << QList<bool>{false, true, true, false, true} << true << QList<int>{0, 3};
    QTest::newRow("all") << QList<bool>{true, true} << true << QList<int>{};
    QTest::newRow("cancel") << QList<bool>{true, false, true} << false << QList<int>{0, 1, 2};
}

void TstJournalDelete::deleteExported()
{
    QFETCH(QList<bool>, exported);
    QFETCH(bool, confirm);
    QFETCH(QList<int>, remaining);
    JournalFixture journal;
    QList<qint64> keys;
    for (int i = 0; i < exported.size(); ++i)
        keys << journal.add({i + 1, QStringLiteral("Buchung"), 10, 10000, 8400, exported[i], 17});
    ScriptedFeedback feedback({confirm});
    FakeWaWi wawi;
    TFM_BuchungLogic logic(journal.db(), feedback);
    logic.setWaWi(&wawi);
    logic.Action_DeleteExport();
    QList<qint64> expected;
    for (int r : remaining)
        expected.append(keys[r]);
    QCOMPARE(journal.keys(), expected);
    // The frame deletes in maintenance mode: only the one confirmation, no take-back.
    QCOMPARE(feedback.questions, QStringList{TFM_BuchungLogic::FrageExportLoeschen});
    QVERIFY(wawi.belege.isEmpty());
    QVERIFY(!logic.Wartung());
}

QTEST_GUILESS_MAIN(TstJournalDelete)
#include "tst_journaldelete.moc"
