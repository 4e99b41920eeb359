#include "shell/areaentries.h"

#include "dataaccess/tqemconnection.h"
#if __has_include("dataaccess/tqemtable.h")
#include "dataaccess/tqemtable.h"
using MandantTabelle = TQemTable;
#else
// Until the table class is built, the client table is read by a query of the same rows.
#include "dataaccess/tqemquery.h"
using MandantTabelle = TQemQuery;
#endif
#include "dataaccess/wawiauswahl.h"
#include "shell/kommandozeile.h"
#include "shell/tfm_wawicfg.h"
#include "shell/tverbindungdialog.h"
#include "store/einstellungen.h"
#include "store/feedback.h"

#include <QApplication>
#include <QCoreApplication>

namespace {

// Tbl_Mandant: the client table of the main window, living as long as the connection.
MandantTabelle& tblMandant(TQemConnection& verbindung)
{
    auto* tabelle = verbindung.findChild<MandantTabelle*>(QStringLiteral("Tbl_Mandant"), Qt::FindDirectChildrenOnly);
    if (!tabelle) {
        tabelle = new MandantTabelle(&verbindung);
        tabelle->SetName(QStringLiteral("Tbl_Mandant"));
        tabelle->SetConnection(&verbindung);
#if __has_include("dataaccess/tqemtable.h")
        tabelle->SetTableName(QStringLiteral("Mandant.db"));
#else
        tabelle->SetSQL(QStringLiteral("SELECT * FROM Mandant"));
#endif
    }
    return *tabelle;
}

bool mitFenstern()
{
    return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
}

}  // namespace

namespace shell {

bool startWaWi(TQemConnection& connection, Feedback& feedback)
{
    const QStringList parameter = QCoreApplication::arguments().mid(1);
    WaWiAuswahl wawi(connection, tblMandant(connection), feedback);
    wawi.setParameter(parameter);
    // Unattended nothing may wait for a user: a failed connection ends the start.
    if (mitFenstern() && !Kommandozeile::auswerten(parameter).unbeaufsichtigt()) {
        wawi.setVerbindungsEditor([](QString& v, const QString& fehler) {
            TVerbindungDialog d(QApplication::activeWindow(), v, fehler);
            if (d.exec() != QDialog::Accepted)
                return false;
            v = d.verbindung();
            return true;
        });
    }
    return wawi.ProgrammChange(1, einstellungen().Qem_Programm) != WaWiAuswahl::Ergebnis::Beenden;
}

void showWaWiDialog(QWidget* parent, TQemConnection& connection)
{
    TFM_WaWiCFG dialog(parent, connection, tblMandant(connection));
    dialog.exec();
}

}  // namespace shell
