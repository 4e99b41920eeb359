#pragma once
// The lines of the DATEV ASCII files "EXTF" version 510: the booking batch
// (EXTF_Buchungsstapel.csv) and the account labels (EXTF_Sachkontobeschriftungen.csv).
//
// Pure functions of the records and options: each returns one line without its CR LF;
// AnsiTextWriter puts them into the file in code page 1252. Call sequence of a booking file:
// kopfzeileBuchungsstapel, spaltenBuchungsstapel, then buchungszeile per booking (with the
// order data that ExtfAuftragsStand resolves). A label file: kopfzeileKontenbeschriftungen,
// spaltenKonten, kontozeile per account.
// Amounts in euro as stored in the journal; dates are calendar dates without time.

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QString>

#include <functional>
#include <optional>

// What the header lines carry besides constants.
struct ExtfKopf {
    QDateTime erstellt;      // creation time, local time, to the millisecond
    QString benutzer;        // login name of the user
    QString beraterNr;       // adviser number as typed
    QString mandantNr;       // client number at the adviser as typed
    QDate von;
    QDate bis;
    int startMonat = 1;      // first month of the fiscal year, 1..12
    int adresskontn = 5;     // length of personal account numbers
};

// The fields of one order (Auftrag.DB) that a booking line uses.
struct ExtfAuftrag {
    int auftrag = 0;
    double faktor = 0;
    bool abgeschlossen = false;
    int tage1 = 0;
    int tage3 = 0;
    QDate vorgangsdatum;
    int steuer = 0;
    int adresse1 = 0;
    QString shopId;
    QString auftragsnummer;
    QString egid;  // trimmed EGID of the address Adresse1 when Steuer is 3 and it exists
};

// The journal fields of one booking that a booking line uses.
struct ExtfBuchung {
    qint64 buchNr = 0;
    double brutto = 0;
    double ustBetrag = 0;
    qint64 soll = 0;
    qint64 haben = 0;
    QDate datum;
    QString buchungsnummer;  // text of the field
    QString buchungstext;
    QString kostenstelle1;   // text of the field as stored; empty when none
    QString kostenstelle2;
    int auftrag = 0;         // order key; 0 or less: none
    QDate valutaDatum;       // null when the journal lacks the field or it is empty
};

// Default cost centres of the settings, used when a booking has none.
struct ExtfVorgaben {
    QString kostenstelle1;
    QString kostenstelle2;
};

// Where the order table stands from booking to booking. A booking with an amount and an
// order is looked up (found or not); one with zero amounts is not, and still sees the order
// that the previous lookup found. The last order found is kept as a copy, so the caller may
// drop its batch of orders at any time.
class ExtfAuftragsStand {
public:
    // True when the booking's order is looked up by its key.
    static bool mitSuche(const ExtfBuchung& buchung);
    // Moves to the booking; orders holds (at least) the orders found for the booking's key.
    void weiter(const ExtfBuchung& buchung, const QHash<int, ExtfAuftrag>& orders);
    // The exchange factor of the last booking (1 when not looked up or not found).
    double faktor() const { return faktor_; }
    // The order when it is current for the last booking, else nullptr.
    const ExtfAuftrag* aktuell() const { return aktuell_ ? &*stand_ : nullptr; }

private:
    std::optional<ExtfAuftrag> stand_;
    bool aktuell_ = false;
    double faktor_ = 1;
};

namespace ExtfFormat {

inline constexpr int kBuchungsFelder = 116;

QString kopfzeileBuchungsstapel(const ExtfKopf& kopf);
QString kopfzeileKontenbeschriftungen(const ExtfKopf& kopf);
QString spaltenBuchungsstapel();
QString spaltenKonten();

// aktuellerAuftrag and faktor as ExtfAuftragsStand gives them.
QString buchungszeile(const ExtfBuchung& buchung, const ExtfAuftrag* aktuellerAuftrag,
                      double faktor, const ExtfVorgaben& vorgaben);
QString kontozeile(qint64 konto, const QString& beschriftung);

// Text with every double quote doubled, cut to at most n characters and enclosed in quotes.
// A cut between the two halves of a doubled quote drops the dangling half.
QString quotiertGekuerzt(const QString& text, int n);

// The label template with its {FELD} placeholders filled. feldText gives the text of the
// named field of the address row (case-insensitive), or nothing when the row has no such field.
QString beschriftungAusVorlage(const QString& vorlage,
                               const std::function<std::optional<QString>(const QString&)>& feldText);

}  // namespace ExtfFormat
