#include "import/importlauf.h"

#include "dataaccess/filterexpression.h"
#include "dataaccess/tqemconnection.h"
#include "dataaccess/tqemquery.h"
#include "import/feldwerte.h"
#include "import/buchungstext.h"
#include "import/journalschreibmodus.h"
#include "import/journaltransaktion.h"
#include "import/slotaufbau.h"
#include "import/steuerregeln.h"
#include "store/einstellungen.h"
#include "store/feedback.h"
#include "store/lokaledatenbank.h"
#include "store/sicherungspunkt.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSet>

#include <optional>
#include <QSqlError>
#include <QSqlQuery>

#include <stdexcept>

namespace fibuimport {

namespace {

constexpr int kBlockGroesse = 200;

QString fehlerText(const std::exception& e)
{
    if (auto* db = dynamic_cast<const EQemDatabaseError*>(&e))
        return db->message();
    if (auto* f = dynamic_cast<const FilterError*>(&e))
        return f->message();
    return QString::fromUtf8(e.what());
}

QVector<QSqlRecord> lokaleZeilen(const QSqlDatabase& db, const QString& tabelle, const QString& ordnung)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    const QString sql = QStringLiteral("SELECT * FROM %1 ORDER BY %2").arg(LokalerTabellenname(tabelle, db), ordnung);
    if (!q.exec(sql))
        throw EQemDatabaseError(q.lastError().text());
    QVector<QSqlRecord> zeilen;
    while (q.next())
        zeilen.append(q.record());
    return zeilen;
}

}  // namespace

ImportKontext kontextAusEinstellungen(ImportModus modus, const ImportOptionen& optionen, bool unbeaufsichtigt)
{
    const Einstellungen& e = einstellungen();
    ImportKontext k;
    k.modus = modus;
    k.komma1 = e.Komma1;
    k.mandant = e.Aktiv_Mandant;
    k.prgNr = e.Qem_Programm;
    k.freiMulti[0] = e.Frei1Multi;
    k.freiMulti[1] = e.Frei2Multi;
    k.freiMulti[2] = e.Frei3Multi;
    const double umrech[3] = {e.E_FreiUmrech1, e.E_FreiUmrech2, e.E_FreiUmrech3};
    for (int i = 0; i < 3; ++i)
        k.freiUmrech[i] = umrech[i] > 0 ? umrech[i] : 1.0;
    k.versandMwSt = e.Versand_MWST;
    k.eZBerichtFibu = e.E_ZBericht_FIBU;
    k.eigenerText = e.ImportText_ON;
    k.textVorlage = e.ImportText;
    k.vorgangsnrAlsBelegnr = optionen.vorgangsnrAlsBelegnr();
    k.unbeaufsichtigt = unbeaufsichtigt;
    return k;
}

ImportLauf::ImportLauf(TQemConnection& wawi, QSqlDatabase journal, ImportKontext kontext,
                       ImportOptionen optionen, PersonenkontoOptionen personenkonten)
    : wawiVerbindung_(wawi),
      wawi_(wawi),
      journal_(std::move(journal)),
      kontext_(std::move(kontext)),
      optionen_(std::move(optionen)),
      personenkonten_(std::move(personenkonten))
{
}

ImportLauf::~ImportLauf() = default;

void ImportLauf::setZeitraum(const QDate& von, const QDate& bis)
{
    von_ = von;
    bis_ = bis;
}

bool ImportLauf::gobdPruefen(Feedback& feedback)
{
    try {
        wawi_.zeilen(QStringLiteral("SELECT * FROM Monate WHERE 1=0"));
        return true;
    } catch (const std::exception&) {
        feedback.message(QStringLiteral("Die Warenwirtschaft entspricht nicht der GoBD-Pflicht!"),
                         MessageKind::Warning);
        return false;
    }
}

void ImportLauf::stammdatenLaden()
{
    stamm_ = Stammdaten{};
    stamm_.mwst = MwStTabelle(wawi_.zeilen(QStringLiteral("SELECT * FROM MWST ORDER BY 1")));
    for (const QSqlRecord& g : wawi_.zeilen(QStringLiteral("SELECT * FROM Warengruppe")))
        stamm_.warengruppen.insert(schluessel(g.value(0)), g);
    for (const QSqlRecord& l : wawi_.zeilen(QStringLiteral("SELECT * FROM Land")))
        stamm_.landAktiv.insert(feldText(l, QStringLiteral("LandName")), feldSchalter(l, QStringLiteral("Aktiv")));
    auftragArten_.clear();
    for (const QSqlRecord& a : wawi_.zeilen(QStringLiteral("SELECT * FROM Auftrag_Art"))) {
        auftragArten_.insert(feldGanz(a, QStringLiteral("Art")),
                             AuftragArtFlags{feldSchalter(a, QStringLiteral("L_Gutschrift")),
                                             feldSchalter(a, QStringLiteral("L_Eingangsrechnung")),
                                             feldSchalter(a, QStringLiteral("L_Rechnung"))});
    }
    artikelIdFeld_ = wawi_.felder(QStringLiteral("Artikel")).fieldName(0);
    if (artikelIdFeld_.isEmpty())
        artikelIdFeld_ = QStringLiteral("Artikel");

    // The country translation in index order (D_Konto, Land): the first row of a pair wins.
    for (const QSqlRecord& t : lokaleZeilen(journal_, TabelleKoTrans, QStringLiteral("D_Konto, Land"))) {
        const QString k = Stammdaten::uebersetzungsSchluessel(feldGanz(t, QStringLiteral("D_Konto")),
                                                             feldText(t, QStringLiteral("Land")));
        if (!stamm_.uebersetzung.contains(k))
            stamm_.uebersetzung.insert(k, feldGanz(t, QStringLiteral("A_Konto")));
    }
    mwstEin_ = MwStEinTabelle(lokaleZeilen(journal_, TabelleMwStEin, QStringLiteral("MWSTSATZ")));
}

QVector<ImportLauf::Beleg> ImportLauf::belegeLaden()
{
    BedingungsOptionen b;
    b.forderungen = optionen_.forderungen;
    b.bezahlungen = optionen_.bezahlungen;
    b.von = von_;
    b.bis = bis_;
    b.serverType = wawi_.serverType();
    b.ohnePosMod = ohnePosModGesetzt_
                       ? ohnePosMod_
                       : QFileInfo::exists(einstellungen().ProgrammPfad + QStringLiteral("OHNE_POS.MOD"));
    b.eZBerichtFibu = kontext_.eZBerichtFibu;
    bedingung_ = belegBedingung(b);

    // Index "was" (Mandant, Art), range (client, 0) to (client, 10000).
    const QString sql = QStringLiteral("SELECT * FROM Auftrag WHERE (Mandant = ?) AND (Art >= 0) AND (Art <= 10000)"
                                       " AND ")
                        + bedingung_ + QStringLiteral(" ORDER BY Mandant, Art, Auftrag");
    const QVector<QSqlRecord> zeilen = wawi_.zeilen(sql, {kontext_.mandant});

    FilterExpression filter = FilterExpression::parse(vorFilter_.trimmed());
    if (!filter.isEmpty() && !zeilen.isEmpty()) {
        QStringList spalten;
        for (int i = 0; i < zeilen.first().count(); ++i)
            spalten << zeilen.first().fieldName(i);
        filter.bind(spalten);
    }
    QVector<Beleg> belege;
    belege.reserve(zeilen.size());
    for (const QSqlRecord& z : zeilen) {
        if (!filter.isEmpty() && !filter.matches([&](int spalte) { return z.value(spalte); }))
            continue;
        belege.append(Beleg{z, 0});
    }
    return belege;
}

BelegZustand ImportLauf::zustand(const Beleg& beleg) const
{
    const QSqlRecord& z = beleg.zeile;
    BelegZustand s;
    s.effektiveArt = beleg.effektiveArt;
    s.storniert = feldSchalter(z, QStringLiteral("Storniert"));
    s.gedruckt = feldSchalter(z, QStringLiteral("Gedruckt"));
    s.abgeschlossen = feldSchalter(z, QStringLiteral("Abgeschlossen"));
    s.fibuForderung = feldSchalter(z, QStringLiteral("Fibu_Forderung"));
    s.fibuVerbindlichkeit = feldSchalter(z, QStringLiteral("Fibu_Verbindlichkeit"));
    s.bezahlt = feldZahl(z, QStringLiteral("Bezahlt"));
    s.bezahlungDirekt = feldZahl(z, QStringLiteral("BezahlungDirekt"));
    s.vorgangsdatum = feldDatumZeit(z, QStringLiteral("Vorgangsdatum"));
    s.buchdatum = feldDatumZeit(z, QStringLiteral("Buchdatum"));
    return s;
}

bool ImportLauf::brauchtPositionen(const Beleg& beleg) const
{
    const BelegZustand s = zustand(beleg);
    const Zeitraum zeitraum{von_, bis_};
    for (int zeile = 0; zeile < entscheidungsZeilen(s); ++zeile) {
        const Entscheidung e = entscheidungsZeile(zeile, s, zeitraum, optionen_.forderungen, optionen_.bezahlungen);
        if (e.trifft && (e.aktion == BelegAktion::RechnungBuchen || e.aktion == BelegAktion::Gutschrift))
            return true;
    }
    return false;
}

// Reads the positions, articles and addresses of a block of documents with a few statements,
// instead of positioning three tables per document.
void ImportLauf::blockVorbereiten(const QVector<Beleg>& belege, int ab, int bis)
{
    positionen_.clear();
    QVariantList auftraege;
    QSet<int> neueAdressen;
    for (int i = ab; i < bis; ++i) {
        const Beleg& b = belege[i];
        if (!artGehoertZumModus(b.effektiveArt, kontext_.modus) || !brauchtPositionen(b))
            continue;
        auftraege << feldGanz(b.zeile, QStringLiteral("Auftrag"));
        const int adresse = feldGanz(b.zeile, QStringLiteral("Adresse1"));
        if (!adressen_.contains(adresse))
            neueAdressen.insert(adresse);
    }
    if (auftraege.isEmpty())
        return;
    if (!neueAdressen.isEmpty()) {
        QVariantList schl;
        for (int a : neueAdressen)
            schl << a;
        for (const QSqlRecord& r : wawi_.zeilenMit(QStringLiteral("Adressen"), QStringLiteral("Adresse"), schl))
            adressen_.insert(feldGanz(r, QStringLiteral("Adresse")), r);
    }
    QSet<QString> fehlendeArtikel;
    QVariantList artikelSchl;
    const auto zeilen = wawi_.zeilenMit(QStringLiteral("Positionen"), QStringLiteral("Auftrag"), auftraege,
                                        QStringLiteral("Auftrag, Position"));
    for (const QSqlRecord& p : zeilen) {
        positionen_[feldGanz(p, QStringLiteral("Auftrag"))].append(p);
        const QVariant id = feld(p, QStringLiteral("Artikel"));
        const QString s = schluessel(id);
        if (!s.isEmpty() && !stamm_.artikel.contains(s) && !fehlendeArtikel.contains(s)) {
            fehlendeArtikel.insert(s);
            artikelSchl << id;
        }
    }
    if (!artikelSchl.isEmpty()) {
        for (const QSqlRecord& a : wawi_.zeilenMit(QStringLiteral("Artikel"), artikelIdFeld_, artikelSchl))
            stamm_.artikel.insert(schluessel(a.value(0)), a);
    }
}

QSqlRecord ImportLauf::adresseVon(int adresse) const
{
    return adressen_.value(adresse);
}

ImportLauf::Ergebnis ImportLauf::ausfuehren(Feedback& feedback)
{
    QElapsedTimer uhr;
    uhr.start();
    Ergebnis e;
    {
        JournalSchreibmodus modus(journal_);
        e = lauf(feedback);
        if (schreiber_) {
            zaehler_.journalAnweisungen = schreiber_->anweisungen() + transaktionsAnweisungen_;
            zaehler_.journalZeitNs = schreiber_->journalZeitNs() + transaktionsZeitNs_;
            // Its prepared statement must be gone before the journal mode goes back.
            schreiber_.reset();
        }
    }
    zaehler_.wawiAnweisungen = wawi_.anweisungen();
    zaehler_.wawiZeitNs = wawi_.serverZeitNs();
    zaehler_.gesamtZeitNs = uhr.nsecsElapsed();
    return e;
}

ImportLauf::Ergebnis ImportLauf::lauf(Feedback& feedback)
{
    einstellungen().Adresskontn = personenkonten_.laenge;
    if (!gobdPruefen(feedback))
        return Ergebnis::KeineGoBD;

    QVector<Beleg> belege;
    try {
        stammdatenLaden();
        belege = belegeLaden();
        schreiber_ = std::make_unique<BuchungsSchreiber>(journal_, kontext_);
        schreiber_->setPeriodenBeginn(von_);
    } catch (const std::exception&) {
        // Tables that cannot be opened end the run without a message.
        return Ergebnis::TabellenFehler;
    }
    for (Beleg& b : belege) {
        const int art = feldGanz(b.zeile, QStringLiteral("Art"));
        auto it = auftragArten_.constFind(art);
        b.effektiveArt = effektiveArt(art, it == auftragArten_.constEnd() ? nullptr : &it.value());
    }

    feedback.addMessage(QStringLiteral("Daten-Import:"));
    feedback.addMessage(QStringLiteral("=============="));
    feedback.setCaption(QStringLiteral("Datenimport Vorgänge..."));
    feedback.setProgress(0, 100);

    const int anzahl = belege.size();
    bool abgebrochen = false;
    for (int ab = 0; ab < anzahl && !abgebrochen; ab += kBlockGroesse) {
        const int bis = std::min(anzahl, ab + kBlockGroesse);
        try {
            blockVorbereiten(belege, ab, bis);
        } catch (const std::exception& e) {
            feedback.addMessage(QStringLiteral("Fehler beim Lesen der Vorgänge: ") + fehlerText(e));
            error1_ = true;
            break;
        }
        abgebrochen = blockVerarbeiten(belege, ab, bis, feedback);
    }

    if (optionen_.bezahlungen && !abgebrochen) {
        feedback.setCaption(QStringLiteral("Datenimport Zahlungen..."));
        feedback.setProgress(0, 100);
        feedback.setStatus(QString());
        RestTeilzahlungen(feedback);
    }
    return abgebrochen ? Ergebnis::Abgebrochen : Ergebnis::Ausgefuehrt;
}

// The documents of a block are posted each in a savepoint of one journal transaction; their
// transfer flags go to the server in one statement at the end of the block, and only then is the
// journal committed. When that statement fails (a row that refuses the change), the block is
// rolled back and posted again document by document, so that only the failing document is left
// out and reported.
bool ImportLauf::blockVerarbeiten(QVector<Beleg>& belege, int ab, int bis, Feedback& feedback)
{
    const ImportZaehler zaehlerVorher = zaehler_;
    const BuchungsSchreiber::Stand schreiberVorher = schreiber_->stand();
    const bool error1Vorher = error1_;
    QVector<QSqlRecord> zeilenVorher;
    zeilenVorher.reserve(bis - ab);
    for (int i = ab; i < bis; ++i)
        zeilenVorher.append(belege[i].zeile);

    blockweise_ = true;
    bool abgebrochen = false;
    int ende = ab;
    while (ende < bis && !abgebrochen) {
        QCoreApplication::processEvents();
        ++zaehler_.vorgaenge;
        belegVerarbeiten(belege[ende++], feedback);
        const int anzahl = belege.size();
        feedback.setProgress(anzahl < 1 ? 100 : qint64(zaehler_.vorgaenge) * 100 / anzahl, 100);
        feedback.setStatus(QString::number(zaehler_.vorgaenge) + QStringLiteral(" Vorgänge von ")
                           + QString::number(anzahl) + QStringLiteral(" verarbeitet"));
        abgebrochen = feedback.cancelled();
    }
    blockweise_ = false;

    if (!blockZurueckschreiben()) {
        const int gelesen = zaehler_.vorgaenge;
        zaehler_ = zaehlerVorher;
        zaehler_.vorgaenge = gelesen;
        schreiber_->zuruecksetzen(schreiberVorher);
        error1_ = error1Vorher;
        fehlerZeilen_.clear();
        meldungenAus_ = true;  // already shown in the first pass
        for (int i = ab; i < ende; ++i) {
            belege[i].zeile = zeilenVorher[i - ab];
            belegVerarbeiten(belege[i], feedback);
        }
        meldungenAus_ = false;
    }
    for (const QString& zeile : std::as_const(fehlerZeilen_))
        feedback.addMessage(zeile);
    fehlerZeilen_.clear();
    return abgebrochen;
}

bool ImportLauf::blockZurueckschreiben()
{
    if (offen_.isEmpty()) {
        if (blockTransaktion_)
            blockCommit();
        return true;
    }
    QString fall1;
    QString fall2;
    QStringList schluessel;
    QVariantList werte1;
    QVariantList werte2;
    QVariantList auftraege;
    for (const Rueckschreibung& r : std::as_const(offen_)) {
        fall1 += QStringLiteral(" WHEN ? THEN ?");
        fall2 += QStringLiteral(" WHEN ? THEN ?");
        werte1 << r.auftrag << r.fibuBuchung1;
        werte2 << r.auftrag << (r.forderung ? 1 : 0);
        schluessel << QStringLiteral("?");
        auftraege << r.auftrag;
    }
    const QString sql = QStringLiteral("UPDATE Auftrag SET FibuBuchung1 = CASE Auftrag") + fall1
                        + QStringLiteral(" END, Fibu_Forderung = CASE Auftrag") + fall2
                        + QStringLiteral(" END WHERE Auftrag IN (") + schluessel.join(QLatin1Char(','))
                        + QStringLiteral(")");
    try {
        wawi_.ausfuehren(sql, werte1 + werte2 + auftraege);
    } catch (const std::exception&) {
        blockTransaktion_.reset();
        offen_.clear();
        return false;
    }
    blockCommit();
    return true;
}

void ImportLauf::blockCommit()
{
    try {
        QElapsedTimer uhr;
        uhr.start();
        blockTransaktion_->commit();
        transaktionsZeitNs_ += uhr.nsecsElapsed();
        ++transaktionsAnweisungen_;
    } catch (const std::exception& e) {
        // The journal did not take the bookings: the documents must not stay marked as posted.
        for (const Rueckschreibung& r : std::as_const(offen_)) {
            try {
                wawi_.ausfuehren(QStringLiteral("UPDATE Auftrag SET FibuBuchung1 = ?, Fibu_Forderung = ? WHERE Auftrag = ?"),
                                 {r.alteBuchung, r.alteForderung, r.auftrag});
            } catch (const std::exception&) {
            }
            fehlerZeilen_ << QStringLiteral("Fehler beim Importieren Auftragsnr:") + r.vorgangsnummer
                                 + QStringLiteral("\r") + fehlerText(e);
            error1_ = true;
            ++zaehler_.fehlerhaft;
            --zaehler_.gebucht;
            zaehler_.buchungen -= r.buchungen;
        }
    }
    blockTransaktion_.reset();
    offen_.clear();
}

void ImportLauf::belegVerarbeiten(Beleg& beleg, Feedback& feedback)
{
    if (!artGehoertZumModus(beleg.effektiveArt, kontext_.modus))
        return;
    try {
        const Zeitraum zeitraum{von_, bis_};
        BelegZustand s = zustand(beleg);
        const int zeilen = entscheidungsZeilen(s);
        for (int zeile = 0; zeile < zeilen; ++zeile) {
            const Entscheidung e =
                entscheidungsZeile(zeile, s, zeitraum, optionen_.forderungen, optionen_.bezahlungen);
            if (!e.trifft)
                continue;
            switch (e.aktion) {
            case BelegAktion::Keine:
                return;
            case BelegAktion::RechnungBuchen:
                Auftrag_RechnungBuchen(0, beleg, feedback);
                break;
            case BelegAktion::Gutschrift:
                Auftrag_Gutschrift(beleg, feedback);
                break;
            case BelegAktion::Abschliessen0:
                Auftrag_RechnungAbschliessen(0, beleg);
                break;
            case BelegAktion::Abschliessen1:
                Auftrag_RechnungAbschliessen(1, beleg);
                break;
            case BelegAktion::Teilzahlungen:
                Auftrag_RechnungTeilzahlungen(beleg);
                break;
            }
            // The next line sees the flags as this posting step left them.
            s = zustand(beleg);
        }
    } catch (const std::exception& e) {
        const QString zeile = QStringLiteral("Fehler beim Importieren Auftragsnr:")
                              + feldText(beleg.zeile, QStringLiteral("Vorgangsnummer")) + QStringLiteral("\r")
                              + fehlerText(e);
        // Within a block the line waits for the block's write-back, which may post it again.
        if (blockweise_)
            fehlerZeilen_ << zeile;
        else
            feedback.addMessage(zeile);
        error1_ = true;
        ++zaehler_.fehlerhaft;
    }
}

void ImportLauf::meldung(const QString& text, Feedback& feedback)
{
    if (meldungenAus_)
        return;
    if (kontext_.unbeaufsichtigt)
        feedback.addMessage(text);
    else
        feedback.message(text, MessageKind::Warning);
}

void ImportLauf::Auftrag_RechnungBuchen(int flag, Beleg& beleg, Feedback& feedback)
{
    QSqlRecord& doc = beleg.zeile;
    const int auftrag = feldGanz(doc, QStringLiteral("Auftrag"));
    const int adresse1 = feldGanz(doc, QStringLiteral("Adresse1"));
    schreiber_->neuerBeleg();
    const int personenkonto = KundenAnlegen(adresse1);
    const QSqlRecord adresse = adresseVon(adresse1);

    QStringList meldungen;
    const int n = GetAuftragVerkauf(slots_, kontext_, stamm_, doc, adresse, positionen_.value(auftrag), meldungen);
    for (const QString& m : meldungen)
        meldung(m, feedback);
    if (n == 0)
        return;

    // A document that fails part-way gives its voucher numbers back with its bookings.
    const BuchungsSchreiber::Stand stand = schreiber_->stand();
    try {
        slotsBuchen(flag, doc, adresse, personenkonto, n);
    } catch (...) {
        schreiber_->zuruecksetzen(stand);
        throw;
    }
}

void ImportLauf::slotsBuchen(int flag, QSqlRecord& doc, const QSqlRecord& adresse, int personenkonto, int n)
{
    const int auftrag = feldGanz(doc, QStringLiteral("Auftrag"));
    const bool storniert = feldSchalter(doc, QStringLiteral("Storniert"));
    const bool erloese = kontext_.modus == ImportModus::Erloese;
    const QDate vorgang = feldDatum(doc, QStringLiteral("Vorgangsdatum"));
    const int art = storniert ? Storno : Verkauf;
    const bool negieren = (flag == 0) == storniert;  // invoice reversal and credit note

    QElapsedTimer uhr;
    uhr.start();
    std::optional<JournalTransaktion> transaktion;
    std::optional<Sicherungspunkt> sicherung;
    if (blockweise_) {
        if (!blockTransaktion_) {
            blockTransaktion_ = std::make_unique<JournalTransaktion>(journal_);
            ++transaktionsAnweisungen_;
        }
        sicherung.emplace(journal_, QStringLiteral("beleg"));
        if (!sicherung->aktiv())
            throw std::runtime_error(("Journal: " + sicherung->fehler()).toStdString());
    } else {
        transaktion.emplace(journal_);
    }
    transaktionsZeitNs_ += uhr.nsecsElapsed();
    ++transaktionsAnweisungen_;
    qint64 letzteBuchNr = 0;
    int geschrieben = 0;
    for (int i = 0; i < n; ++i) {
        const BuchungsSlot& slot = slots_[i];
        if (slot.brutto == 0.0 || slot.konto == 0)
            continue;
        Buchung b;
        b.art = art;
        b.personenkonto = personenkonto;
        b.brutto = negieren ? -slot.brutto : slot.brutto;
        b.mwst = negieren ? -slot.mwst : slot.mwst;
        b.kostenstelle = slot.kostenstelle;
        b.splittnummer = n - 1;
        if (slot.istVatSlot()) {
            const QSqlRecord& zeile = stamm_.mwst.zeile(slot.mwstZeile());
            const int code = MwStTabelle::code(zeile);
            const QSqlRecord* ein = mwstEin_.zeileVonCode(code);
            b.vatKonto = ein ? MwStEinTabelle::vatKonto(*ein, kontext_.modus) : 0;
            b.konto = feldGanz(zeile, erloese ? QStringLiteral("NEL_Konto") : QStringLiteral("NKostenkonto"));
            if (b.konto < 1)
                throw std::runtime_error(QStringLiteral("Kein %1 für Steuersatz %2 in MWST.DB")
                                             .arg(erloese ? QStringLiteral("Erlöskonto") : QStringLiteral("Kostenkonto"))
                                             .arg(code)
                                             .toStdString());
            b.steuer = MwStAngabe{code, satzNachDatum(zeile, vorgang, vorgang)};
        } else {
            b.vatKonto = mwstEin_.kontoErmitteln(slot.mwst, slot.brutto, kontext_.modus);
            const int code = feldGanz(mwstEin_.aktuell(), QStringLiteral("MWSTSATZ"));
            const QSqlRecord* zeile = stamm_.mwst.zeileVonCode(code);
            b.steuer = MwStAngabe{code, zeile ? satzNachDatum(*zeile, vorgang, vorgang)
                                              : feldZahl(mwstEin_.aktuell(), QStringLiteral("MWST")) / 100.0};
            b.konto = slot.konto;
        }
        letzteBuchNr = schreiber_->buche(b, doc, adresse);
        ++geschrieben;
    }
    if (geschrieben == 0)
        return;

    const bool forderung = !storniert;
    const qint64 fibuBuchung1 = (flag == 0 && storniert) ? 0 : letzteBuchNr;
    const QVariant alteForderung = feld(doc, QStringLiteral("Fibu_Forderung"));
    const QVariant alteBuchung = feld(doc, QStringLiteral("FibuBuchung1"));
    if (sicherung) {
        if (!sicherung->commit())
            throw std::runtime_error(("Journal: " + sicherung->fehler()).toStdString());
        ++transaktionsAnweisungen_;
        offen_.append(Rueckschreibung{auftrag, fibuBuchung1, forderung, alteBuchung, alteForderung,
                                      feldText(doc, QStringLiteral("Vorgangsnummer")), geschrieben});
        doc.setValue(QStringLiteral("FibuBuchung1"), fibuBuchung1);
        doc.setValue(QStringLiteral("Fibu_Forderung"), forderung);
        ++zaehler_.gebucht;
        zaehler_.buchungen += geschrieben;
        return;
    }
    const QString update = QStringLiteral("UPDATE Auftrag SET FibuBuchung1 = ?, Fibu_Forderung = ? WHERE Auftrag = ?");
    if (wawi_.ausfuehren(update, {fibuBuchung1, forderung ? 1 : 0, auftrag}) < 1 && !belegVorhanden(auftrag))
        throw std::runtime_error("Der Vorgang konnte nicht gespeichert werden.");
    try {
        uhr.restart();
        transaktion->commit();
        transaktionsZeitNs_ += uhr.nsecsElapsed();
    } catch (...) {
        // The journal did not take the bookings: the document must not stay marked as posted.
        wawi_.ausfuehren(update, {alteBuchung, alteForderung, auftrag});
        throw;
    }
    doc.setValue(QStringLiteral("FibuBuchung1"), fibuBuchung1);
    doc.setValue(QStringLiteral("Fibu_Forderung"), forderung);
    ++zaehler_.gebucht;
    zaehler_.buchungen += geschrieben;
}

// MySQL and MariaDB count only the rows an UPDATE changed: 0 also for a row that already held
// the values; only a missing row is a failure.
bool ImportLauf::belegVorhanden(int auftrag)
{
    return !wawi_.zeilen(QStringLiteral("SELECT Auftrag FROM Auftrag WHERE Auftrag = ?"), {auftrag}).isEmpty();
}

void ImportLauf::Auftrag_RechnungAbschliessen(int flag, Beleg& beleg)
{
    // Settlement of the document (direct payment, discount, overpayment, claim correction):
    // not booked by this version of the import; the document keeps Fibu_Verbindlichkeit.
    (void)flag;
    (void)beleg;
}

void ImportLauf::Auftrag_RechnungTeilzahlungen(Beleg& beleg)
{
    // Partial payments of the document: not booked by this version of the import.
    (void)beleg;
}

void ImportLauf::RestTeilzahlungen(Feedback& feedback)
{
    // Partial payments of the period: not booked by this version of the import.
    (void)feedback;
}

qint64 ImportLauf::GetKundenKonto(int adresse) const
{
    auto it = adressen_.constFind(adresse);
    if (it == adressen_.constEnd())
        return -1;
    return static_cast<qint64>(feldZahl(it.value(), QStringLiteral("FibuKontonummer")));
}

void ImportLauf::Set_KundenKonto(int adresse, qint64 konto)
{
    if (wawi_.ausfuehren(QStringLiteral("UPDATE Adressen SET FibuKontonummer = ? WHERE Adresse = ?"),
                         {konto, adresse})
            < 1
        && wawi_.zeilen(QStringLiteral("SELECT Adresse FROM Adressen WHERE Adresse = ?"), {adresse}).isEmpty())
        throw std::runtime_error("Das Personenkonto der Adresse konnte nicht gespeichert werden.");
    auto it = adressen_.find(adresse);
    if (it != adressen_.end())
        it.value().setValue(QStringLiteral("FibuKontonummer"), konto);
}

qint64 ImportLauf::hoechstesKonto(qint64 minimum)
{
    const QString art = kontext_.modus == ImportModus::Eingang ? QStringLiteral("1") : QStringLiteral("0");
    TQemQuery q;
    q.SetConnection(&wawiVerbindung_);
    q.SetSQL(QStringLiteral("SELECT Nummer,Mandant,Art,FibuKontonummer FROM Adressen\r\n")
             + QStringLiteral("WHERE MANDANT=") + QString::number(kontext_.mandant) + QStringLiteral(" AND ART=") + art
             + QStringLiteral(" AND FibuKontonummer>") + QString::number(minimum) + QStringLiteral("\r\n")
             + QStringLiteral("ORDER BY FibuKontonummer DESC"));
    q.SetMaxRecords(1);
    const qint64 hoechstes = wawi_.gezaehlt([&q] {
        q.Open();
        const qint64 h = q.IsEmpty() ? 0 : static_cast<qint64>(q.FieldByName(QStringLiteral("FibuKontonummer"))->AsFloat());
        q.Close();
        return h;
    });
    return std::max(hoechstes, vergebenesKonto_ > minimum ? vergebenesKonto_ : 0);
}

int ImportLauf::KundenAnlegen(int adresse)
{
    const qint64 e = GetKundenKonto(adresse);
    const QSqlRecord zeile = adresseVon(adresse);
    const KontoEntscheidung k = personenkontoWaehlen(
        kontext_.modus, personenkonten_, e, feldText(zeile, QStringLiteral("Nummer")),
        [this](qint64 m) { return hoechstesKonto(m); });
    if (k.speichern && e != -1) {
        Set_KundenKonto(adresse, k.konto);
        vergebenesKonto_ = std::max(vergebenesKonto_, k.konto);
    }
    return static_cast<int>(k.konto);
}

}  // namespace fibuimport
