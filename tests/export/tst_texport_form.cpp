// The export dialog: controls with their limits and defaults, the start values from the
// registry, the OBE switch, and an unattended DATEV run through the Export button.

#include "exportfixture.h"
#include "shell/texport_form.h"
#include "store/einstellungen.h"
#include "store/registry.h"
#include "testsupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QtTest>

using namespace exportfixture;

class TstTExportForm : public QObject {
    Q_OBJECT

private slots:
    void init() { Vorgaben(); }
    void controlsAndDefaults();
    void obeDisabledUnlessFiveDigits();
    void unattendedDatevRun();
};

void TstTExportForm::controlsAndDefaults()
{
    testsupport::TempProgramDir dir(false);
    einstellungen().DateV_Path = dir.filePath(QStringLiteral("weg"));
    World w;
    TExport_Form form(nullptr, w.conn, w.journal());
    form.setSeite(1);
    form.show();
    QCOMPARE(form.windowTitle(), QStringLiteral("Datenexport"));
    QCOMPARE(form.seiten->tabText(0), QStringLiteral("ASC II Export"));
    QCOMPARE(form.seiten->tabText(1), QStringLiteral("DateV Export"));
    QCOMPARE(form.seite(), 1);
    QCOMPARE(form.DFV_Kenn->maxLength(), 2);
    QCOMPARE(form.AbrechNr->maxLength(), 6);
    QCOMPARE(form.DatenNr->maxLength(), 3);
    QCOMPARE(form.Ed_Passwort->maxLength(), 4);
    QCOMPARE(form.BeraterNr->maxLength(), 7);
    QCOMPARE(form.BeraterName->maxLength(), 9);
    QCOMPARE(form.SE_StartJahr->minimum(), 1);
    QCOMPARE(form.SE_StartJahr->maximum(), 12);
    QCOMPARE(form.SE_StartJahr->value(), 1);
    QVERIFY(form.CB_OBE->isHidden());
    QVERIFY(!form.CB_KNE->isChecked());
    QVERIFY(form.CB_nBuchungen->isChecked());
    QVERIFY(form.RB_keineKonten->isChecked());
    QVERIFY(form.RB_autoBuchungsText->isChecked());
    QCOMPARE(form.ED_Text->currentText(), QString());
    QCOMPARE(form.ED_Text->count(), 4);
    QCOMPARE(form.Verz->text(), QStringLiteral("..."));
    QVERIFY(form.GR_warten->isHidden());
    QVERIFY(form.OKBtn->isDefault());
    QCOMPARE(form.Edit1->text(), QStringLiteral(";"));
    QCOMPARE(form.von->date(), QDate(QDate::currentDate().year(), 1, 1));
    QCOMPARE(form.bis->date(), QDate(QDate::currentDate().year(), 12, 31));
}

void TstTExportForm::obeDisabledUnlessFiveDigits()
{
    testsupport::TempProgramDir dir(false);
    EinstellungSchreiben(kSektionExport, QStringLiteral("DATEV_OBE"), QStringLiteral("1"));
    einstellungen().Adresskontn = 6;
    World w;
    {
        TExport_Form form(nullptr, w.conn, w.journal());
        form.show();
        QVERIFY(!form.CB_OBE->isChecked());
        QVERIFY(!form.CB_OBE->isEnabled());
        form.reject();
    }
    QCOMPARE(EinstellungLesen(kSektionExport, QStringLiteral("DATEV_OBE")), QStringLiteral("0"));
}

void TstTExportForm::unattendedDatevRun()
{
    testsupport::TempProgramDir dir(false);
    World w;
    Buchung b;
    b.datum = QDate(QDate::currentDate().year(), 2, 3);
    w.buchen(b);
    einstellungen().DateV_Path = w.out();
    TExport_Form form(nullptr, w.conn, w.journal());
    form.setTag(1);
    form.setSeite(1);
    form.show();
    QCOMPARE(form.Verz->text(), w.out());
    form.AbrechNr->setText(QStringLiteral("7"));
    QVERIFY(form.OKBtnClick());
    QCOMPARE(einstellungen().DateV_Abrechnr, QStringLiteral("8"));
    QCOMPARE(w.exportiert(), QList<qint64>{1});
    QVERIFY(QFile::exists(w.out() + QStringLiteral("/EXTF_Buchungsstapel.csv")));
    QVERIFY(form.GR_warten->isHidden());
}

QTEST_MAIN(TstTExportForm)
#include "tst_texport_form.moc"
