#include "import/buchungsschreiber.h"

#include "import/buchungstext.h"
#include "import/feldwerte.h"
#include "store/hilfsfunktionen.h"
#include "store/lokaledatenbank.h"

#include <QElapsedTimer>
#include <QSqlError>

#include <algorithm>
#include <stdexcept>

namespace fibuimport {

namespace {

QString spaltenListe(bool mitValuta)
{
    QString s = QStringLiteral(
        "Buchungsnummer, Datum, Soll, Haben, Buchungstext, Brutto, Netto, USTBetrag, USTSollKonto, "
        "USTHabenKonto, MwSt, MwStPro, PrgNr, Mandant, Auftrag, Adresse, Kostenstelle1, Splittnummer");
    if (mitValuta)
        s += QStringLiteral(", ValutaDatum");
    return s;
}

QVariant wennNichtNull(int wert)
{
    return wert != 0 ? QVariant(wert) : QVariant(QMetaType(QMetaType::Int));
}

}  // namespace

BuchungsSchreiber::BuchungsSchreiber(QSqlDatabase journal, const ImportKontext& kontext)
    : journal_(std::move(journal)), kontext_(kontext)
{
    const QString tabelle = LokalerTabellenname(TabelleBuchungen, journal_);
    hatValuta_ = journal_.record(tabelle).indexOf(QStringLiteral("ValutaDatum")) >= 0;
    const int spalten = hatValuta_ ? 19 : 18;
    QStringList platzhalter;
    for (int i = 0; i < spalten; ++i)
        platzhalter << QStringLiteral("?");
    insert_ = std::make_unique<QSqlQuery>(journal_);
    if (!insert_->prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                              .arg(tabelle, spaltenListe(hatValuta_), platzhalter.join(QStringLiteral(", ")))))
        throw std::runtime_error(("Journal nicht beschreibbar: " + insert_->lastError().text()).toStdString());
}

BuchungsSchreiber::~BuchungsSchreiber() = default;

int BuchungsSchreiber::belegnummer(const QSqlRecord& beleg)
{
    if (maxBuchNr_ < 1) {
        maxBuchNr_ = NaechsteNummer(QStringLiteral("Buchungsnummer"), journal_);
        ++anweisungen_;
    }
    if (oMaxBuchNr_ > 0)
        maxBuchNr_ = oMaxBuchNr_;
    if (kontext_.vorgangsnrAlsBelegnr) {
        // The voucher field holds numbers only: a document number it cannot take falls back to
        // the counter.
        bool ok = false;
        const int nummer = feldText(beleg, QStringLiteral("Vorgangsnummer")).trimmed().toInt(&ok);
        if (ok)
            return nummer;
    }
    return maxBuchNr_;
}

QDate BuchungsSchreiber::buchungsDatum(int art, const QSqlRecord& beleg) const
{
    QDate datum;
    if (art == Verkauf)
        datum = feldDatum(beleg, QStringLiteral("Vorgangsdatum"));
    else if (art == Forderung)
        datum = von_;
    else if (art == Bezahlung || art == Skonto || art == Storno)
        datum = feldDatum(beleg, QStringLiteral("Buchdatum"));
    if (!datum.isValid())
        datum = feldDatum(beleg, QStringLiteral("Buchdatum"));
    if (!datum.isValid())
        datum = feldDatum(beleg, QStringLiteral("Vorgangsdatum"));
    return datum;
}

QVariant BuchungsSchreiber::valutaDatum(int art, const QSqlRecord& beleg) const
{
    const QVariant leer(QMetaType(QMetaType::QDate));
    if (kontext_.modus != ImportModus::Erloese || art != Verkauf || !hatFeld(beleg, QStringLiteral("ValutaDatum")))
        return leer;
    const QDate valuta = feldDatum(beleg, QStringLiteral("ValutaDatum"));
    if (!valuta.isValid())
        return leer;
    int tage = 0;
    for (const char* name : {"Tage1", "Tage2", "Tage3"})
        tage = std::max(tage, feldGanz(beleg, QLatin1String(name)));
    return valuta.addDays(tage);
}

qint64 BuchungsSchreiber::buche(const Buchung& b, const QSqlRecord& beleg, const QSqlRecord& adresse)
{
    const int nummer = belegnummer(beleg);
    const double vorzeichen = b.art == Ueberzahlung ? -1.0 : 1.0;
    const double brutto = Runden(2, vorzeichen * b.brutto);
    const double mwst = Runden(2, vorzeichen * b.mwst);
    const BuchungsKonten konten = buchungsKonten(kontext_.modus, b.art, b.personenkonto, b.konto);
    const bool mitSteuer = mwst != 0.0;
    const QVariant keinKonto(QMetaType(QMetaType::Int));
    const QVariant vatKonto = mitSteuer ? QVariant(b.vatKonto) : keinKonto;

    QSqlQuery& q = *insert_;
    int i = 0;
    q.bindValue(i++, nummer);
    q.bindValue(i++, buchungsDatum(b.art, beleg));
    q.bindValue(i++, konten.soll);
    q.bindValue(i++, konten.haben);
    q.bindValue(i++, buchungstext(kontext_.modus, b.art, beleg, adresse, kontext_.eigenerText, kontext_.textVorlage));
    q.bindValue(i++, brutto);
    q.bindValue(i++, Runden(2, brutto - mwst));
    q.bindValue(i++, mwst);
    q.bindValue(i++, konten.vatImSoll ? vatKonto : keinKonto);
    q.bindValue(i++, konten.vatImSoll ? keinKonto : vatKonto);
    q.bindValue(i++, mitSteuer ? QVariant(b.steuer.code) : keinKonto);
    q.bindValue(i++, mitSteuer ? QVariant(b.steuer.satz) : QVariant(QMetaType(QMetaType::Double)));
    q.bindValue(i++, kontext_.prgNr);
    q.bindValue(i++, kontext_.mandant);
    q.bindValue(i++, feldGanz(beleg, QStringLiteral("Auftrag")));
    q.bindValue(i++, feldGanz(beleg, QStringLiteral("Adresse1")));
    q.bindValue(i++, wennNichtNull(b.kostenstelle));
    q.bindValue(i++, b.splittnummer > 0 ? QVariant(b.splittnummer) : keinKonto);
    if (hatValuta_)
        q.bindValue(i++, valutaDatum(b.art, beleg));
    ++anweisungen_;
    QElapsedTimer uhr;
    uhr.start();
    const bool ok = q.exec();
    journalNs_ += uhr.nsecsElapsed();
    if (!ok)
        throw std::runtime_error(("Buchung nicht gespeichert: " + q.lastError().text()).toStdString());
    const qint64 buchNr = q.lastInsertId().toLongLong();
    oMaxBuchNr_ = maxBuchNr_;
    ++maxBuchNr_;
    return buchNr;
}

}  // namespace fibuimport
