#include "import/mwsteintabelle.h"

#include "import/feldwerte.h"
#include "store/hilfsfunktionen.h"

#include <stdexcept>

namespace fibuimport {

MwStEinTabelle::MwStEinTabelle(QVector<QSqlRecord> zeilen)
    : zeilen_(std::move(zeilen))
{
}

double MwStEinTabelle::satzAusBetraegen(double mwst, double brutto)
{
    const double netto = brutto - mwst;
    if (netto == 0.0)
        throw std::domain_error("Division durch Null: Bruttobetrag gleich Steuerbetrag");
    return Runden(2, (brutto / netto - 1.0) * 100.0);
}

int MwStEinTabelle::suche(double satz) const
{
    auto gerundet = [&](int i) { return Runden(2, feldZahl(zeilen_[i], QStringLiteral("MWST"))); };
    if (aktuell_ >= 0 && aktuell_ < zeilen_.size() && gerundet(aktuell_) == satz)
        return aktuell_;
    for (int i = 0; i < zeilen_.size(); ++i)
        if (gerundet(i) == satz)
            return i;
    for (int abstand = 1; abstand <= 4; ++abstand) {
        for (int i = 0; i < zeilen_.size(); ++i) {
            const double m = feldZahl(zeilen_[i], QStringLiteral("MWST"));
            if (m > satz - abstand && m < satz + abstand)
                return i;
        }
    }
    return zeilen_.size() - 1;
}

int MwStEinTabelle::kontoErmitteln(double mwst, double brutto, ImportModus modus)
{
    aktuell_ = suche(satzAusBetraegen(mwst, brutto));
    return vatKonto(aktuell(), modus);
}

const QSqlRecord* MwStEinTabelle::zeileVonCode(int code)
{
    for (int i = 0; i < zeilen_.size(); ++i) {
        if (feldGanz(zeilen_[i], QStringLiteral("MWSTSATZ")) == code) {
            aktuell_ = i;
            return &zeilen_[i];
        }
    }
    return nullptr;
}

const QSqlRecord& MwStEinTabelle::aktuell() const
{
    return aktuell_ >= 0 && aktuell_ < zeilen_.size() ? zeilen_[aktuell_] : leer_;
}

int MwStEinTabelle::vatKonto(const QSqlRecord& zeile, ImportModus modus)
{
    return feldGanz(zeile, modus == ImportModus::Eingang ? QStringLiteral("MWSTKONTOE")
                                                          : QStringLiteral("MWSTKONTOV"));
}

}  // namespace fibuimport
