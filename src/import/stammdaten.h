#pragma once
// What the posting of a document looks up besides the document itself, read from the
// merchandise-management and local databases by the run and kept for its length: articles
// (loaded for the documents as they come), product groups, VAT codes, countries, the country
// translation of KoTrans.db, and the per-run settings of the client (man.ini) and the program.

#include "import/importmodus.h"
#include "import/mwsttabelle.h"

#include <QHash>
#include <QSqlRecord>
#include <QString>
#include <QVariant>

namespace fibuimport {

// A key value as text, so that 12, 12.0 and "12" find the same row.
QString schluessel(const QVariant& wert);

struct ImportKontext {
    ImportModus modus = ImportModus::Erloese;
    int komma1 = 2;              // decimals of document amounts (Komma1)
    int mandant = 0;             // Aktiv_Mandant
    int prgNr = 0;               // Qem_Programm
    // man.ini of the client
    bool freiMulti[3] = {false, false, false};
    double freiUmrech[3] = {1, 1, 1};
    int versandMwSt = 0;         // Versand_MWST
    bool eZBerichtFibu = false;  // E_ZBericht_FIBU
    // booking texts
    bool eigenerText = false;    // ImportText_ON
    QString textVorlage;         // ImportText
    bool vorgangsnrAlsBelegnr = true;  // VOR_BELGNR "0"
    // unattended start: what would be a message box goes to the error list
    bool unbeaufsichtigt = false;
};

struct Stammdaten {
    QHash<QString, QSqlRecord> artikel;       // by first field
    QHash<QString, QSqlRecord> warengruppen;  // by group number
    MwStTabelle mwst;
    QHash<QString, bool> landAktiv;           // LandName -> Aktiv
    QHash<QString, int> uebersetzung;         // D_Konto + '|' + Land -> A_Konto (first row)

    const QSqlRecord* artikelVon(const QVariant& id) const;
    const QSqlRecord* warengruppeVon(const QVariant& nr) const;
    // Country translation for an active country; 0 when no row translates the account.
    int uebersetzt(int konto, const QString& land) const;
    static QString uebersetzungsSchluessel(int konto, const QString& land);
};

}  // namespace fibuimport
