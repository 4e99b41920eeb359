#pragma once
// Numbering rules of personal accounts (debtor accounts in the revenue import, creditor accounts
// in the incoming-invoice import): the collective account, the address number, the address
// number plus offset, or the next free number above the minimum for the account length.
//
// Pure: the caller supplies the address's current account and number and, for automatic
// numbering, the highest account already given (from the address table and from this run).

#include "import/importmodus.h"

#include <QString>
#include <functional>

namespace fibuimport {

enum class KontenNummern { Adressnummer = 0, Automatisch = 1, MitOffset = 2 };

struct PersonenkontoOptionen {
    bool sammelkonten = false;  // PERSONENKONTEN "1"
    QString debKonto = QStringLiteral("10000");
    QString kreKonto = QStringLiteral("70000");
    KontenNummern nummern = KontenNummern::Adressnummer;
    int offset = 0;
    int laenge = 5;             // Adresskontn, 5 to 9
};

// Smallest personal account for the length: 10000 (revenue) or 70000 (incoming) for 5 digits.
qint64 kleinsteKontonummer(ImportModus modus, int laenge);

struct KontoEntscheidung {
    qint64 konto = 0;
    bool speichern = false;  // store in the address's FibuKontonummer
};

// e: the address's FibuKontonummer (-1 when the address does not exist); nummer: its Nummer;
// hoechstesKonto(m): the highest account above m given so far (0 when none).
KontoEntscheidung personenkontoWaehlen(ImportModus modus, const PersonenkontoOptionen& optionen, qint64 e,
                                       const QString& nummer,
                                       const std::function<qint64(qint64 minimum)>& hoechstesKonto);

}  // namespace fibuimport
