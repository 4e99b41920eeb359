// The VAT account dialog and the account translator over the local tables: captions and
// columns, edits through the grid and the edit fields stored when the dialog closes, rows
// inserted and deleted with the navigator, a rejected row reported and kept, and the active
// countries of the merchandise database offered in the translator.

#include "importwelt.h"
#include "wegklicker.h"

#include "shell/datensatznavigator.h"
#include "shell/tfm_mwstein.h"
#include "shell/tfm_tranlater.h"
#include "shell/zahlendelegate.h"

#include <QComboBox>
#include <QDataWidgetMapper>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlRecord>
#include <QSqlTableModel>
#include <QTableView>
#include <QtTest>

namespace {

int spalte(const QSqlTableModel* model, const char* feld)
{
    return model->fieldIndex(QLatin1String(feld));
}

int zeileVon(const QSqlTableModel* model, const char* feld, const QVariant& wert)
{
    for (int r = 0; r < model->rowCount(); ++r) {
        if (model->index(r, spalte(model, feld)).data() == wert)
            return r;
    }
    return -1;
}

}  // namespace

class TstTfmStammdialoge : public QObject {
    Q_OBJECT
private slots:
    void mwstEinColumns();
    void mwstEinEditsStored();
    void mwstEinDuplicateCodeKept();
    void numberCellValues_data();
    void numberCellValues();
    void translatorShowsActiveCountries();
    void translatorRowsStored();
};

void TstTfmStammdialoge::mwstEinColumns()
{
    ImportWelt welt;
    TFM_MwStEin dialog(nullptr, welt.journal());
    dialog.show();
    QCOMPARE(dialog.windowTitle(), QStringLiteral("MwSt-Einstellung"));
    QCOMPARE(dialog.spaltenTitel(),
             (QStringList{"MWST-Satz", "MWST in %", "Erlöskonto", "Skonto Erlöse", "Skonto Erlöse EU",
                          "Skonto Erlöse nicht EU", "Skonto Erlöse Bau", "Aufwendungskonto", "Skonto-Aufwendungen",
                          "Skonto-Aufwendungen EU", "Skonto-Aufwendungen Nicht EU", "Skonto-Aufwendungen Bau",
                          "UEBERZAHLV", "UEBERZAHLVFREI", "UEBERZAHLE", "UEBERZAHLEFREI"}));
    QCOMPARE(dialog.Table1->rowCount(),
             ImportWelt::wert(welt.journal(), QStringLiteral("SELECT COUNT(*) FROM MWSTEIN")).toInt());
    QVERIFY(dialog.Table1->rowCount() > 0);
    QCOMPARE(dialog.BitBtn1->text(), QStringLiteral("&Schließen"));
}

// A cell typed into the grid and still in its editor, a new row from the navigator and a
// deleted row: all in MWSTEIN after "Schließen".
void TstTfmStammdialoge::mwstEinEditsStored()
{
    ImportWelt welt;
    const QSqlDatabase db = welt.journal();
    {
        TFM_MwStEin dialog(nullptr, db);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QSqlTableModel* m = dialog.Table1;
        dialog.DBNavigator1->bestaetigen = false;

        const int eins = zeileVon(m, "MWSTSATZ", 1);
        QVERIFY(eins >= 0);
        const QModelIndex konto = m->index(eins, spalte(m, "MWSTKONTOV"));
        dialog.DBGrid1->setCurrentIndex(konto);
        dialog.DBGrid1->edit(konto);
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(editor);
        editor->selectAll();
        QTest::keyClicks(editor, QStringLiteral("1777x"));  // the letter is refused

        QVERIFY(dialog.DBNavigator1->einfuegen());
        const int neu = dialog.DBNavigator1->aktuelleZeile();
        QVERIFY(m->setData(m->index(neu, spalte(m, "MWSTSATZ")), 42));
        QVERIFY(m->setData(m->index(neu, spalte(m, "MWST")), ZahlenDelegate::wertAusText("10,7", true)));
        QVERIFY(m->setData(m->index(neu, spalte(m, "MWSTKONTOV")), 1780));

        dialog.DBNavigator1->gehe(zeileVon(m, "MWSTSATZ", 2));
        QVERIFY(dialog.DBNavigator1->loeschen());
        dialog.BitBtn1->click();
        QVERIFY(dialog.isHidden());
    }
    auto wert = [&](const char* sql) { return ImportWelt::wert(db, QLatin1String(sql)); };
    QCOMPARE(wert("SELECT MWSTKONTOV FROM MWSTEIN WHERE MWSTSATZ = 1").toInt(), 1777);
    QCOMPARE(wert("SELECT MWST FROM MWSTEIN WHERE MWSTSATZ = 42").toDouble(), 10.7);
    QCOMPARE(wert("SELECT MWSTKONTOV FROM MWSTEIN WHERE MWSTSATZ = 42").toInt(), 1780);
    QCOMPARE(wert("SELECT COUNT(*) FROM MWSTEIN WHERE MWSTSATZ = 2").toInt(), 0);
}

// A second row for an existing VAT code is refused by the table: the dialog says so, stays
// open, and the typed row is still there to be corrected.
void TstTfmStammdialoge::mwstEinDuplicateCodeKept()
{
    ImportWelt welt;
    Wegklicker klicker;
    TFM_MwStEin dialog(nullptr, welt.journal());
    dialog.show();
    QSqlTableModel* m = dialog.Table1;
    QVERIFY(dialog.DBNavigator1->einfuegen());
    const int neu = dialog.DBNavigator1->aktuelleZeile();
    QVERIFY(m->setData(m->index(neu, spalte(m, "MWSTSATZ")), 1));
    dialog.BitBtn1->click();
    QVERIFY(dialog.isVisible());
    QCOMPARE(klicker.meldungen.size(), 1);
    QVERIFY(klicker.meldungen.first().startsWith(QStringLiteral("Der Datensatz konnte nicht gespeichert werden.")));
    QVERIFY(m->isDirty());
    QVERIFY(m->setData(m->index(neu, spalte(m, "MWSTSATZ")), 43));
    dialog.BitBtn1->click();
    QVERIFY(dialog.isHidden());
    QCOMPARE(ImportWelt::wert(welt.journal(), QStringLiteral("SELECT COUNT(*) FROM MWSTEIN WHERE MWSTSATZ = 43")).toInt(), 1);
}

void TstTfmStammdialoge::numberCellValues_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("dezimal");
    QTest::addColumn<QVariant>("wert");
    QTest::newRow("account") << "8400" << false << QVariant(qlonglong(8400));
    QTest::newRow("German decimal") << "19,5" << true << QVariant(19.5);
    QTest::newRow("plain decimal") << "7.25" << true << QVariant(7.25);
    QTest::newRow("empty account is NULL") << " " << false << QVariant();
    QTest::newRow("empty rate is NULL") << "" << true << QVariant();
}

void TstTfmStammdialoge::numberCellValues()
{
    QFETCH(QString, text);
    QFETCH(bool, dezimal);
    QFETCH(QVariant, wert);
    QCOMPARE(ZahlenDelegate::wertAusText(text, dezimal), wert);
}

void TstTfmStammdialoge::translatorShowsActiveCountries()
{
    ImportWelt welt;
    QVERIFY(welt.bereit);
    TFM_Tranlater dialog(nullptr, welt.verbindung, welt.journal());
    dialog.show();
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Kontenübersetzter - EU Lieferschwellen"));
    QCOMPARE(dialog.BitBtn1->text(), QStringLiteral("&OK"));
    QCOMPARE(dialog.BitBtn1->toolTip(), QStringLiteral("Auswahl übernehmen (F12)"));
    QStringList laender;
    for (int i = 0; i < dialog.CB_Land->count(); ++i)
        laender << dialog.CB_Land->itemText(i);
    QCOMPARE(laender, (QStringList{"Niederlande", "Österreich"}));
    QStringList sichtbar;
    for (int c = 0; c < dialog.Tbl_KoTrans->columnCount(); ++c) {
        if (!dialog.DBGrid1->isColumnHidden(c))
            sichtbar << dialog.Tbl_KoTrans->record().fieldName(c);
    }
    QCOMPARE(sichtbar, (QStringList{"D_Konto", "Land", "A_Konto"}));
}

// Rows typed into the edit fields: a new one, and a stored one whose country is no longer
// active keeps it; Enter moves on to the next field; "OK" stores them.
void TstTfmStammdialoge::translatorRowsStored()
{
    ImportWelt welt;
    QVERIFY(welt.bereit);
    const QSqlDatabase db = welt.journal();
    QSqlQuery(db).exec(QStringLiteral("INSERT INTO KoTrans (D_Konto, Land, A_Konto, Bemerkung) "
                                      "VALUES (8300, 'Belgien', 8310, 'alt')"));
    {
        TFM_Tranlater dialog(nullptr, welt.verbindung, db);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QCOMPARE(dialog.ED_DKonto->text(), QStringLiteral("8300"));
        QCOMPARE(dialog.CB_Land->currentText(), QStringLiteral("Belgien"));
        dialog.ED_Bemerkung->setText(QStringLiteral("Lieferschwelle 2024"));

        QVERIFY(dialog.DBNavigator1->einfuegen());
        QCOMPARE(dialog.ED_DKonto->text(), QString());
        QCOMPARE(dialog.CB_Land->currentIndex(), -1);
        dialog.ED_DKonto->setFocus();
        QTest::keyClicks(dialog.ED_DKonto, QStringLiteral("84a00"));
        QTest::keyClick(dialog.ED_DKonto, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), dialog.CB_Land);
        QVERIFY(dialog.isVisible());
        dialog.CB_Land->setCurrentIndex(dialog.CB_Land->findText(QStringLiteral("Österreich")));
        dialog.ED_AKonto->setText(QStringLiteral("8315"));
        dialog.BitBtn1->click();
        QVERIFY(dialog.isHidden());
    }
    QSqlQuery q(db);
    QVERIFY(q.exec(QStringLiteral("SELECT D_Konto, Land, A_Konto, Bemerkung, typeof(D_Konto) FROM KoTrans ORDER BY D_Konto")));
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toInt(), 8300);
    QCOMPARE(q.value(1).toString(), QStringLiteral("Belgien"));
    QCOMPARE(q.value(3).toString(), QStringLiteral("Lieferschwelle 2024"));
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toInt(), 8400);
    QCOMPARE(q.value(1).toString(), QStringLiteral("Österreich"));
    QCOMPARE(q.value(2).toInt(), 8315);
    QCOMPARE(q.value(4).toString(), QStringLiteral("integer"));
    QVERIFY(!q.next());
}

QTEST_MAIN(TstTfmStammdialoge)
#include "tst_tfm_stammdialoge.moc"
