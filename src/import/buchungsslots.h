#pragma once
// The booking slots of one document (Imp_Konto, Imp_Kosten, Imp_MwSt, iBrutto, iMwSt).
//
// Slots 0 to 9 are VAT slots indexed by VAT code: they collect amounts for which no account was
// found and remember, as a negative konto, the MWST.DB row number of that code. Slots from 10
// upward are account slots, one per distinct account. Call sequence per document: leeren(),
// then vatSlot()/kontoSlot() and add amounts, mitRabatt(), verdichten(), rundenUndAbgleichen().
// Amounts are in the document currency; the arrays only grow (at least 25 entries).

#include <QVector>

namespace fibuimport {

struct BuchungsSlot {
    int konto = 0;          // 0 empty, -r VAT slot on MWST.DB row r, else the account
    int kostenstelle = 0;
    double mwstProzent = 0; // 19 for 19 %
    double brutto = 0;
    double mwst = 0;        // VAT contained in brutto

    bool leer() const { return konto == 0; }
    bool istVatSlot() const { return konto < 0; }
    int mwstZeile() const { return -konto; }
};

class BuchungsSlots {
public:
    static constexpr int kVatSlots = 10;

    BuchungsSlots();

    void leeren();
    // The VAT slot of a VAT code, remembering MWST.DB row number `zeile`; throws
    // std::out_of_range for a code outside 0 to 9.
    BuchungsSlot& vatSlot(int code, int zeile);
    // The first account slot holding this account or empty (appending one when none is left).
    BuchungsSlot& kontoSlot(int konto);
    // Document discount: gross and VAT of every slot times the factor.
    void mitFaktor(double faktor);
    // Gathers the non-empty slots at the front; returns their number.
    int verdichten();
    // Rounds VAT and gross to `stellen` decimals and moves the difference between the rounded
    // document total and the rounded sum onto the largest positive slot.
    void rundenUndAbgleichen(int stellen, double betrag);

    int groesse() const { return faecher_.size(); }
    BuchungsSlot& operator[](int i) { return faecher_[i]; }
    const BuchungsSlot& operator[](int i) const { return faecher_[i]; }

private:
    QVector<BuchungsSlot> faecher_;
};

}  // namespace fibuimport
