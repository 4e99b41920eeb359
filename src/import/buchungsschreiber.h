#pragma once
// The booking writer (Buche): appends one booking to the local journal Buchungen, with its
// voucher number, amounts, debit and credit account, VAT account, VAT code and rate, booking
// text, dates and source.
//
// One writer per run. Call sequence per document: neuerBeleg() (a new voucher number follows),
// then buche() for each booking; every booking of the document shares the voucher number. The
// journal database must be open; the caller holds the document's transaction
// (JournalTransaktion). Amounts are rounded to 2 decimals here. Throws std::runtime_error when
// the journal rejects the row.

#include "import/stammdaten.h"

#include <QDate>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>

#include <memory>

namespace fibuimport {

// VAT code and rate (fraction) that the amounts of a booking carry.
struct MwStAngabe {
    int code = 0;
    double satz = 0;
};

struct Buchung {
    int art = 0;              // booking kind (BuchungsArt)
    int personenkonto = 0;
    double brutto = 0;
    double mwst = 0;
    int kostenstelle = 0;
    int splittnummer = 0;
    int vatKonto = 0;
    int konto = 0;
    MwStAngabe steuer;
};

class BuchungsSchreiber {
public:
    BuchungsSchreiber(QSqlDatabase journal, const ImportKontext& kontext);
    ~BuchungsSchreiber();

    // First day of the import period (date of claim corrections).
    void setPeriodenBeginn(const QDate& von) { von_ = von; }
    // oMax_BuchNr := 0.
    void neuerBeleg() { oMaxBuchNr_ = 0; }
    // Writes the booking for the document and address rows; returns its BuchNr.
    qint64 buche(const Buchung& buchung, const QSqlRecord& beleg, const QSqlRecord& adresse);

    // The booking-number state, kept before a document and restored when its bookings were
    // rolled back, so that the next document takes the numbers the failed one did not keep.
    struct Stand {
        int maxBuchNr = 0;
        int oMaxBuchNr = 0;
    };
    Stand stand() const { return {maxBuchNr_, oMaxBuchNr_}; }
    void zuruecksetzen(const Stand& s)
    {
        maxBuchNr_ = s.maxBuchNr;
        oMaxBuchNr_ = s.oMaxBuchNr;
    }

    int maxBuchNr() const { return maxBuchNr_; }
    int oMaxBuchNr() const { return oMaxBuchNr_; }
    // Statements sent to the journal (benchmark figures).
    qint64 anweisungen() const { return anweisungen_; }
    // Time the journal took for them, nanoseconds.
    qint64 journalZeitNs() const { return journalNs_; }

private:
    int belegnummer(const QSqlRecord& beleg);
    QDate buchungsDatum(int art, const QSqlRecord& beleg) const;
    QVariant valutaDatum(int art, const QSqlRecord& beleg) const;

    QSqlDatabase journal_;
    const ImportKontext& kontext_;
    std::unique_ptr<QSqlQuery> insert_;
    bool hatValuta_ = false;
    QDate von_;
    int maxBuchNr_ = 0;
    int oMaxBuchNr_ = 0;
    qint64 anweisungen_ = 0;
    qint64 journalNs_ = 0;
};

}  // namespace fibuimport
