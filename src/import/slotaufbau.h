#pragma once
// Slot building of one document (GetAuftragVerkauf): walks the positions, finds each position's
// revenue or expense account (article, product group, country translation, VAT-code fallback)
// and its VAT, gathers gross and VAT per account into the booking slots, applies the document
// discount, adds the additional costs, compacts the slots and reconciles them with Betrag.
//
// Pure: everything comes in as rows (document, its address, its positions in index order) and
// the run's Stammdaten; the result is the filled slots and the number of filled slots. Lines
// that would be message boxes ("Artikel nicht gefunden: ID:" ...) are appended to `meldungen`.
// Throws std::exception for data that cannot be booked (a VAT code outside 0 to 9, a VAT code
// that is not in MWST.DB for amounts without account).

#include "import/buchungsslots.h"
#include "import/stammdaten.h"

#include <QSqlRecord>
#include <QStringList>
#include <QVector>

namespace fibuimport {

int GetAuftragVerkauf(BuchungsSlots& faecher, const ImportKontext& kontext, const Stammdaten& stamm,
                      const QSqlRecord& beleg, const QSqlRecord& adresse,
                      const QVector<QSqlRecord>& positionen, QStringList& meldungen);

// The parts of slot building that stand on their own:

// Position kinds that are booked (0, 2, 6, 11, 12, 15).
bool positionWirdGebucht(int art);
// Quantity multiplier M from the free fields and the client's man.ini switches.
double mengenFaktor(const QSqlRecord& position, const ImportKontext& kontext);
// Line amount of a position, rounded to `stellen` decimals.
double zeilenBetrag(const QSqlRecord& position, double mengenfaktor, int stellen);

struct SteuerAnteil {
    double brutto = 0;
    double mwst = 0;
};
// Gross and VAT of a line amount by tax kind, f = 1 + rate.
SteuerAnteil steuerAnteil(int steuer, double betrag, double f);

// The country whose translation applies to the document: the address's Land or the document's
// L_Land; empty when the document has no country or the country is not active.
QString aktivesLand(const QSqlRecord& beleg, const QSqlRecord& adresse, const Stammdaten& stamm);

}  // namespace fibuimport
