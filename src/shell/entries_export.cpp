#include "shell/areaentries.h"

#include "export/exportlauf.h"
#include "shell/texport_form.h"
#include "store/lokaledatenbank.h"

namespace shell {

// The unattended -AUS: the DATEV page with the values the dialog would show, run at once.
bool unattendedExport(TQemConnection& connection, Feedback& feedback)
{
    const ExportEinstellungen werte = ExportEinstellungen::laden();
    ExportOptionen optionen = werte.inOptionen();
    optionen.unbeaufsichtigt = true;
    ExportLauf lauf(connection, LokaleDatenbank(), feedback);
    return lauf.datev(werte, optionen);
}

void showExportDialog(QWidget* parent, TQemConnection& connection, int page)
{
    TExport_Form form(parent, connection, LokaleDatenbank());
    form.setSeite(page);
    form.exec();
}

}  // namespace shell
