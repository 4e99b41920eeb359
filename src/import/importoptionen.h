#pragma once
// The options of the import dialog as stored under Einstellungen\TVK_Import0 (revenue import)
// or Einstellungen\TVK_Import2 (incoming-invoice import). Radio groups keep the stored text, so
// that a text matching no button leaves every button of the group unchecked, as loaded.
//
// laden() when the dialog is shown, speichern() when it closes; values empty after trimming read
// as their defaults.

#include "import/importmodus.h"
#include "import/personenkontoregel.h"

#include <QString>

namespace fibuimport {

struct ImportOptionen {
    QString gesamtJahr = QStringLiteral("0");      // GESAMTJAHR: "0" whole year, "1" free period
    QString personenkonten = QStringLiteral("0");  // PERSONENKONTEN: "0" per address, "1" collective
    QString debKonto = QStringLiteral("10000");    // DEB_KONTO
    QString kreKonto = QStringLiteral("70000");    // KRE_KONTO
    QString kontennummern = QStringLiteral("0");   // KONTENNUMMERN: "0", "1", "2"
    int offset = 0;                                // OFFSET
    bool forderungen = true;                       // FODERUNGEN
    bool bezahlungen = true;                       // BEZAHLUNGEN
    bool nurKonto = false;                         // NUR_KONTO
    QString bezKonto;                              // BEZ_KONTO
    QString vorBelgnr = QStringLiteral("0");       // VOR_BELGNR: "0" document number, "1" automatic

    static QString abschnitt(ImportModus modus);   // "TVK_Import0" / "TVK_Import2"
    static ImportOptionen laden(ImportModus modus);
    void speichern(ImportModus modus) const;

    // The personal-account options of the run with the account length `laenge`.
    PersonenkontoOptionen personenkontoOptionen(int laenge) const;
    bool vorgangsnrAlsBelegnr() const { return vorBelgnr == QLatin1String("0"); }
};

}  // namespace fibuimport
