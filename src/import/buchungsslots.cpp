#include "import/buchungsslots.h"

#include "store/hilfsfunktionen.h"

#include <stdexcept>
#include <string>

namespace fibuimport {

BuchungsSlots::BuchungsSlots()
    : faecher_(25)
{
}

void BuchungsSlots::leeren()
{
    if (faecher_.size() < 20)
        faecher_.resize(25);
    for (BuchungsSlot& s : faecher_)
        s = BuchungsSlot{};
}

BuchungsSlot& BuchungsSlots::vatSlot(int code, int zeile)
{
    if (code < 0 || code >= kVatSlots)
        throw std::out_of_range("Umsatzsteuerschlüssel " + std::to_string(code)
                                + " außerhalb von 0 bis 9");
    BuchungsSlot& s = faecher_[code];
    s.konto = -zeile;
    return s;
}

BuchungsSlot& BuchungsSlots::kontoSlot(int konto)
{
    for (int i = kVatSlots; i < faecher_.size(); ++i) {
        BuchungsSlot& s = faecher_[i];
        if (s.konto == konto || s.leer()) {
            if (s.leer()) {
                s.konto = konto;
                s.kostenstelle = 0;
            }
            return s;
        }
    }
    faecher_.append(BuchungsSlot{});
    BuchungsSlot& s = faecher_.last();
    s.konto = konto;
    return s;
}

void BuchungsSlots::mitFaktor(double faktor)
{
    for (BuchungsSlot& s : faecher_) {
        s.brutto *= faktor;
        s.mwst *= faktor;
    }
}

int BuchungsSlots::verdichten()
{
    int n = 0;
    for (int i = 0; i < faecher_.size(); ++i) {
        if (!faecher_[i].leer())
            faecher_[n++] = faecher_[i];
    }
    for (int i = n; i < faecher_.size(); ++i)
        faecher_[i] = BuchungsSlot{};
    return n;
}

void BuchungsSlots::rundenUndAbgleichen(int stellen, double betrag)
{
    // All faecher are rounded (not only the first 21), so that the bookings of a document always
    // add up to its total, however many accounts it touches.
    double summe = 0;
    int groesster = -1;
    for (int i = 0; i < faecher_.size(); ++i) {
        BuchungsSlot& s = faecher_[i];
        s.mwst = Runden(stellen, s.mwst);
        s.brutto = Runden(stellen, s.brutto);
        summe += s.brutto;
        if (s.brutto > 0 && (groesster < 0 || s.brutto > faecher_[groesster].brutto))
            groesster = i;
    }
    const double soll = Runden(stellen, betrag);
    const double ist = Runden(stellen, summe);
    if (groesster >= 0 && soll != ist) {
        BuchungsSlot& s = faecher_[groesster];
        s.brutto = Runden(stellen, soll - ist + s.brutto);
    }
}

}  // namespace fibuimport
