#pragma once
// Realistic German demo data for the merchandise-management database: two clients with
// customers and suppliers, articles, product groups, VAT codes, countries, payment methods,
// documents of every kind the import distinguishes in every state it decides on, partial
// payments and cash-book entries. Document dates are relative to today, so that an unattended
// import of the last 30 days finds them.
//
// Call sequence: WawiSchema::create(db, options); DemoDaten::fill(db, options);
// The options must be the ones the schema was created with (optional fields are left out).
//
// Clients (Mandant): 1 "Müller Bürotechnik GmbH" (Firma1; man.ini: Frei1Multi=1,
// Versand_MWST=1, E_FreiUmrech1=0, E_ZBericht_FIBU=0), 2 with Firma1 to Firma3 empty and
// Name "Schmidt & Partner Handels KG" (man.ini: Versand_MWST=2, E_ZBericht_FIBU=1, no other keys).
// VAT codes 0 to 9 (MwSt_Satz): 1 = 19 % with 16 % from 1 July to 31 December 2020, 2 = 7 % with
// 5 % in that interval, 9 = 19 % / 7 % / 19 % restaurant rate, 8 with NMwST 0, 0 and 5 to 7
// without VAT; SKR03 accounts (8400, 8300, 8125, 8120, 8337, 3400, 3300, 3425, 3551).
// Payment methods (Zahlart): 1 Bar 1000, 0/2/3 Rechnung/Überweisung/Lastschrift 1200, 4 EC 1360.
// Countries (Land): Österreich and Niederlande have Aktiv set.
//
// Documents: each has a stable Vorgangsnummer; the table returned by belege() lists them with
// the state they are in and what a run over the last 30 days is expected to do with them
// (the demo tool prints it).

#include "dataaccess/wawischema.h"

#include <QDate>
#include <QList>
#include <QSqlDatabase>
#include <QString>

struct DemoBeleg {
    int mandant = 0;
    QString vorgangsnummer;
    int art = 0;
    QString zustand;  // German description of the state and the expected postings
};

class DemoDaten {
public:
    // Writes all demo rows in one transaction. False with the reason in *error.
    static bool fill(QSqlDatabase& db, const WawiSchemaOptions& options = {},
                     QString* error = nullptr, const QDate& heute = QDate::currentDate());

    // The documents fill() writes, in Auftrag order.
    static QList<DemoBeleg> belege();
};
