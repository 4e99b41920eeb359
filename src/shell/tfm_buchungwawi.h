#pragma once
// The merchandise side of the journal's take-back over the main window's connection
// (TBL_TVK): clears the transfer marks of a document and its payments, or of a cash-book entry,
// through TQemTable with range opening, so the next import posts them again.
//
// Document: Auftrag.DB by its key; FibuBuchung1 empty, Fibu_Verbindlichkeit and
// Fibu_Forderung false, post; then Zahlung.DB over index Vorgang in the range of the document,
// Fibu false on every payment. Cash book: the table named by the registry value Kassenbuch_Imp
// (section Verzeichnis) that the last cash-book import used, row by its key, Fibu false.
// Errors of the tables (EQemDatabaseError) reach the caller.

#include "shell/tfm_buchunglogic.h"

class TQemConnection;

class TFM_BuchungWaWi : public TFM_BuchungLogic::WaWi {
public:
    explicit TFM_BuchungWaWi(TQemConnection& connection) : connection_(connection) {}

    bool BelegZuruecknehmen(int auftrag) override;
    bool KassenbuchZuruecknehmen(int eintrag) override;

    // The table name of the registry value Kassenbuch_Imp ("<dir>\<file>"): its file part.
    static QString KassenbuchTabelle(const QString& kassenbuchImp);

private:
    TQemConnection& connection_;
};
