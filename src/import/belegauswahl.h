#pragma once
// Which documents a run selects and what it does with each of them: the where-condition on
// Auftrag.DB, the effective document kind through Auftrag_Art.DB, and the decision table that
// maps a document's flags, kind and dates to the postings due.
//
// Pure functions over plain values; the run (ImportLauf) evaluates the decision lines one after
// the other, re-reading the document's flags after every posting.

#include "import/importmodus.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QVector>

namespace fibuimport {

struct BedingungsOptionen {
    bool forderungen = true;   // CB_Forderungen
    bool bezahlungen = true;   // CB_Bezahlungen
    QDate von;
    QDate bis;
    int serverType = 0;        // SERVER_TYPE of the document table
    bool ohnePosMod = false;   // OHNE_POS.MOD in the program directory
    bool eZBerichtFibu = false;
};
// The where-condition of the document table, e.g.
// ((Vorgangsdatum BETWEEN '20180101' AND '20180131') OR (Buchdatum BETWEEN ...)) AND ((Art<>11) OR ...)
QString belegBedingung(const BedingungsOptionen& o);
// A date as the server's date literal text: yyyy-MM-dd for MySQL/MariaDB (2) and SQLite (3),
// else yyyyMMdd.
QString datumsLiteral(const QDate& datum, int serverType);

// Flags L_Gutschrift, L_Eingangsrechnung, L_Rechnung of a user-defined kind.
struct AuftragArtFlags {
    bool gutschrift = false;
    bool eingangsrechnung = false;
    bool rechnung = false;
};
int effektiveArt(int art, const AuftragArtFlags* flags);
bool artGehoertZumModus(int effektiveArt, ImportModus modus);
bool istRechnungsArt(int effektiveArt);
bool istGutschriftsArt(int effektiveArt);

enum class BelegAktion {
    Keine,            // line 0 of the normal table: nothing further
    RechnungBuchen,   // Auftrag_RechnungBuchen, flag 0
    Gutschrift,       // Auftrag_Gutschrift
    Abschliessen0,    // Auftrag_RechnungAbschliessen, flag 0
    Abschliessen1,    // Auftrag_RechnungAbschliessen, flag 1
    Teilzahlungen,    // Auftrag_RechnungTeilzahlungen
};

// The state of a document as the decision lines read it.
struct BelegZustand {
    int effektiveArt = 0;
    bool storniert = false;
    bool gedruckt = false;
    bool abgeschlossen = false;
    bool fibuForderung = false;
    bool fibuVerbindlichkeit = false;
    double bezahlt = 0;
    double bezahlungDirekt = 0;
    QDateTime vorgangsdatum;
    QDateTime buchdatum;
};

struct Zeitraum {
    QDate von;
    QDate bis;
    // Not before von and not after bis, as date and time (a time on the last day is after bis).
    bool enthaelt(const QDateTime& zeitpunkt) const;
};

// Number of decision lines for the document (0 when it is skipped entirely).
int entscheidungsZeilen(const BelegZustand& z);
// The action of line `zeile` when its condition holds; std::nullopt-like BelegAktion::Keine with
// `trifft` false otherwise. Line 0 of a printed document that holds ends the document.
struct Entscheidung {
    bool trifft = false;
    BelegAktion aktion = BelegAktion::Keine;
};
Entscheidung entscheidungsZeile(int zeile, const BelegZustand& z, const Zeitraum& zeitraum, bool forderungen,
                                bool bezahlungen);

}  // namespace fibuimport
