#include "shell/areaentries.h"

#include "dataaccess/tqemconnection.h"
#include "import/importlauf.h"
#include "import/importoptionen.h"
#include "shell/tfm_import.h"
#include "shell/tfm_mwstein.h"
#include "shell/tfm_tranlater.h"
#include "store/einstellungen.h"
#include "store/feedback.h"
#include "store/lokaledatenbank.h"

#include <QDate>
#include <QMessageBox>
#include <QString>

namespace shell {

namespace {

void spaeterVerfuegbar(QWidget* parent, const QString& was)
{
    QMessageBox::information(parent, QStringLiteral("Fibu Schnittstelle"),
                             was + QStringLiteral(" ist in dieser Version noch nicht verfügbar."));
}

}  // namespace

// Revenue import of the 30 days before today up to today with the stored options.
bool unattendedImport(TQemConnection& connection, Feedback& feedback)
{
    using namespace fibuimport;
    const ImportModus modus = ImportModus::Erloese;
    const ImportOptionen optionen = ImportOptionen::laden(modus);
    ImportLauf lauf(connection, LokaleDatenbank(), kontextAusEinstellungen(modus, optionen, true), optionen,
                    optionen.personenkontoOptionen(einstellungen().Adresskontn));
    const QDate heute = QDate::currentDate();
    lauf.setZeitraum(heute.addDays(-30), heute);
    const ImportLauf::Ergebnis ergebnis = lauf.ausfuehren(feedback);
    return ergebnis == ImportLauf::Ergebnis::Ausgefuehrt && !lauf.fehler();
}

void showImportDialog(QWidget* parent, TQemConnection& connection, int faktImport)
{
    using fibuimport::ImportModus;
    TFM_Import form(parent, connection, LokaleDatenbank(),
                    faktImport == fibuimport::faktImport(ImportModus::Eingang) ? ImportModus::Eingang
                                                                               : ImportModus::Erloese);
    form.exec();
}

void showCashBookImport(QWidget* parent, TQemConnection&)
{
    spaeterVerfuegbar(parent, QStringLiteral("Der Kassenbuch-Import"));
}

void showMwStEinDialog(QWidget* parent)
{
    TFM_MwStEin dialog(parent, LokaleDatenbank());
    dialog.exec();
}

void showTranslatorDialog(QWidget* parent, TQemConnection& connection)
{
    TFM_Tranlater dialog(parent, connection, LokaleDatenbank());
    dialog.exec();
}

}  // namespace shell
