#include "import/personenkontoregel.h"

#include "store/hilfsfunktionen.h"

namespace fibuimport {

qint64 kleinsteKontonummer(ImportModus modus, int laenge)
{
    const QString basis = modus == ImportModus::Eingang ? QStringLiteral("7000000000")
                                                         : QStringLiteral("1000000000");
    return basis.left(laenge).toLongLong();
}

KontoEntscheidung personenkontoWaehlen(ImportModus modus, const PersonenkontoOptionen& optionen, qint64 e,
                                       const QString& nummer,
                                       const std::function<qint64(qint64 minimum)>& hoechstesKonto)
{
    KontoEntscheidung ergebnis;
    if (optionen.sammelkonten) {
        const QString text = modus == ImportModus::Eingang ? optionen.kreKonto : optionen.debKonto;
        ergebnis.konto = static_cast<qint64>(TextZuZahl(text));
    } else if (e > 0) {
        ergebnis.konto = e;
        return ergebnis;
    } else {
        const qint64 m = kleinsteKontonummer(modus, optionen.laenge);
        auto automatisch = [&] {
            const qint64 hoechstes = hoechstesKonto(m);
            return hoechstes > m ? hoechstes + 1 : m + 1;
        };
        qint64 r = 0;
        const qint64 adressNummer = static_cast<qint64>(TextZuZahl(nummer.trimmed()));
        switch (optionen.nummern) {
        case KontenNummern::Adressnummer:
            r = adressNummer < m ? automatisch() : adressNummer;
            break;
        case KontenNummern::MitOffset:
            r = adressNummer + optionen.offset;
            if (r < m)
                r = automatisch();
            break;
        case KontenNummern::Automatisch:
            r = automatisch();
            break;
        }
        ergebnis.konto = r < m ? m : r;
    }
    ergebnis.speichern = ergebnis.konto > 0 && !(e > 0);
    return ergebnis;
}

}  // namespace fibuimport
