#pragma once
// Booking texts of the document import and the account table of the booking writer.
//
// buchungstext() builds the text of one booking from the document row, its address row, the
// booking kind and the mode: "Verkauf: Rechnr:4711 Kundennr:10023" with the delivery-address
// prefix in the revenue import, "Einrechnungsnr: ..." in the incoming-invoice import, or the
// user's own template with {Feld} placeholders filled from the document, else the address.

#include "import/importmodus.h"

#include <QSqlRecord>
#include <QString>

namespace fibuimport {

// Booking kinds of the booking writer.
enum BuchungsArt { Verkauf = 0, Bezahlung = 1, Skonto = 2, Storno = 3, Forderung = 4, Ueberzahlung = 5 };

QString automatischerText(ImportModus modus, int buchungsArt, const QSqlRecord& beleg,
                          const QSqlRecord& adresse);
// Name prefix from the document's Lieferanschrift (without the ">"), empty when none.
QString lieferNamensPrefix(const QString& lieferanschrift);
// The own template with its placeholders replaced.
QString vorlageFuellen(const QString& vorlage, const QSqlRecord& beleg, const QSqlRecord& adresse);
QString buchungstext(ImportModus modus, int buchungsArt, const QSqlRecord& beleg, const QSqlRecord& adresse,
                     bool eigenerText, const QString& vorlage);

struct BuchungsKonten {
    int soll = 0;
    int haben = 0;
    bool vatImSoll = false;  // VAT account goes to USTSollKonto, else USTHabenKonto
};
// Debit and credit account by mode and booking kind.
BuchungsKonten buchungsKonten(ImportModus modus, int buchungsArt, int personenkonto, int konto);

}  // namespace fibuimport
