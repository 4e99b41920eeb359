#include "export/exportlauf.h"

#include "export/ascexport.h"
#include "export/exporterror.h"
#include "export/extfexport.h"
#include "export/wawinachschlag.h"
#include "store/einstellungen.h"
#include "store/feedback.h"

ExportLauf::ExportLauf(TQemConnection& wawi, const QSqlDatabase& journal, Feedback& feedback)
    : wawi_(wawi), journal_(journal), feedback_(feedback)
{
}

bool ExportLauf::datev(const ExportEinstellungen& werte, const ExportOptionen& optionen)
{
    werte.texteUebernehmen();
    bool ok = false;
    try {
        if (optionen.obe) {
            ok = DateV_Export(optionen);
        } else if (optionen.kne) {
            ok = DateV_KNE_Export(optionen);
        } else {
            WaWiNachschlag nachschlag(wawi_);
            ExtfExport run(journal_, nachschlag, optionen, feedback_);
            ok = run.DateV_EXTF_Export();
        }
    } catch (const std::exception& e) {
        feedback_.message(exportErrorText(e), MessageKind::Error);
        feedback_.addMessage(exportErrorText(e));
    }
    einstellungen().DateV_Abrechnr = naechsteAbrechnungsnummer(werte.abrechNr);
    return ok;
}

bool ExportLauf::ascii(const ExportOptionen& optionen, const QString& pfad, const QString& trennzeichen)
{
    try {
        AscExport run(journal_, optionen, feedback_);
        run.ASC_Export(pfad, trennzeichen);
        return !run.abgebrochen();
    } catch (const std::exception& e) {
        feedback_.message(exportErrorText(e), MessageKind::Error);
        feedback_.addMessage(exportErrorText(e));
        return false;
    }
}

bool ExportLauf::DateV_Export(const ExportOptionen& optionen)
{
    exportMelden(optionen, feedback_, kObeNichtVerfuegbar, MessageKind::Warning);
    return false;
}

bool ExportLauf::DateV_KNE_Export(const ExportOptionen& optionen)
{
    exportMelden(optionen, feedback_, kKneNichtVerfuegbar, MessageKind::Warning);
    return false;
}
