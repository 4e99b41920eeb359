#pragma once
// The document import run: selects the documents of the current client in the period, walks
// them one by one, decides per document which postings are due and posts invoices and credit
// notes into the local journal, marking them in the merchandise-management database.
//
// Call sequence (import dialog, unattended start, tests):
//   ImportLauf lauf(wawiVerbindung, LokaleDatenbank(), kontext, optionen, personenkontoOptionen);
//   lauf.setZeitraum(von, bis);  lauf.setVorFilter(text);
//   lauf.ausfuehren(feedback);   // progress, cancel, message lines through feedback
//   lauf.fehler();               // Error1: at least one document failed
// The documents are read, posted and written back in blocks: each document's bookings in a
// savepoint of the block's local transaction, the transfer flags of the block in one statement,
// and the journal committed only after that statement went through. When it fails, the block is
// rolled back and posted again document by document, each in its own local transaction committed
// after its row was written back. A document that fails leaves neither bookings nor changed
// flags, is reported as "Fehler beim Importieren Auftragsnr:" + number + "\r" + message, and
// the run goes on. During the run the journal is in write-ahead mode (JournalSchreibmodus).
// The settlement postings (payments, discounts, partial payments) have their places in the
// decision table but book nothing yet.

#include "import/belegauswahl.h"
#include "import/buchungsschreiber.h"
#include "import/buchungsslots.h"
#include "import/journaltransaktion.h"
#include "import/importoptionen.h"
#include "import/mwsteintabelle.h"
#include "import/personenkontoregel.h"
#include "import/stammdaten.h"
#include "import/wawileser.h"

#include <QDate>
#include <QHash>
#include <QSqlDatabase>
#include <QSqlRecord>
#include <QStringList>
#include <QVector>

#include <memory>

class Feedback;
class TQemConnection;

namespace fibuimport {

// The run's settings from the process-wide settings (Komma1, Aktiv_Mandant, man.ini, ...).
ImportKontext kontextAusEinstellungen(ImportModus modus, const ImportOptionen& optionen, bool unbeaufsichtigt);

struct ImportZaehler {
    int vorgaenge = 0;        // documents read
    int gebucht = 0;          // documents posted (bookings written)
    int buchungen = 0;        // bookings written
    int fehlerhaft = 0;       // documents that failed
    qint64 wawiAnweisungen = 0;     // statements sent to the merchandise-management server
    qint64 journalAnweisungen = 0;  // statements of the local journal (bookings, numbers, commits)
    qint64 wawiZeitNs = 0;          // time waiting for the server
    qint64 journalZeitNs = 0;       // time of the local journal
    qint64 gesamtZeitNs = 0;        // the whole run
};

class ImportLauf {
public:
    enum class Ergebnis { Ausgefuehrt, KeineGoBD, TabellenFehler, Abgebrochen };

    ImportLauf(TQemConnection& wawi, QSqlDatabase journal, ImportKontext kontext, ImportOptionen optionen,
               PersonenkontoOptionen personenkonten);
    ~ImportLauf();

    void setZeitraum(const QDate& von, const QDate& bis);
    void setVorFilter(const QString& filter) { vorFilter_ = filter; }
    // OHNE_POS.MOD in the program directory (default: looked up in einstellungen().ProgrammPfad).
    void setOhnePosMod(bool wert) { ohnePosMod_ = wert; ohnePosModGesetzt_ = true; }

    Ergebnis ausfuehren(Feedback& feedback);

    bool fehler() const { return error1_; }
    const ImportZaehler& zaehler() const { return zaehler_; }
    // The where-condition the document table was opened with.
    QString bedingung() const { return bedingung_; }

private:
    struct Beleg {
        QSqlRecord zeile;
        int effektiveArt = 0;
    };

    Ergebnis lauf(Feedback& feedback);
    bool gobdPruefen(Feedback& feedback);
    void stammdatenLaden();
    QVector<Beleg> belegeLaden();
    void blockVorbereiten(const QVector<Beleg>& belege, int ab, int bis);
    void belegVerarbeiten(Beleg& beleg, Feedback& feedback);
    bool blockVerarbeiten(QVector<Beleg>& belege, int ab, int bis, Feedback& feedback);
    bool blockZurueckschreiben();
    void blockCommit();
    BelegZustand zustand(const Beleg& beleg) const;
    bool brauchtPositionen(const Beleg& beleg) const;

    // Postings of invoices and credit notes.
    void Auftrag_RechnungBuchen(int flag, Beleg& beleg, Feedback& feedback);
    void Auftrag_Gutschrift(Beleg& beleg, Feedback& feedback) { Auftrag_RechnungBuchen(1, beleg, feedback); }
    // The bookings of the filled slots in one journal transaction, committed after the document
    // row was written back.
    void slotsBuchen(int flag, QSqlRecord& doc, const QSqlRecord& adresse, int personenkonto, int n);
    bool belegVorhanden(int auftrag);
    // Settlement postings: their decision lines are in place; they book nothing yet.
    void Auftrag_RechnungAbschliessen(int flag, Beleg& beleg);
    void Auftrag_RechnungTeilzahlungen(Beleg& beleg);
    void RestTeilzahlungen(Feedback& feedback);

    // Personal accounts.
    int KundenAnlegen(int adresse);
    qint64 GetKundenKonto(int adresse) const;
    void Set_KundenKonto(int adresse, qint64 konto);
    qint64 hoechstesKonto(qint64 minimum);

    void meldung(const QString& text, Feedback& feedback);
    QSqlRecord adresseVon(int adresse) const;

    TQemConnection& wawiVerbindung_;
    WaWiLeser wawi_;
    QSqlDatabase journal_;
    ImportKontext kontext_;
    ImportOptionen optionen_;
    PersonenkontoOptionen personenkonten_;
    QDate von_;
    QDate bis_;
    QString vorFilter_;
    bool ohnePosMod_ = false;
    bool ohnePosModGesetzt_ = false;
    QString bedingung_;

    Stammdaten stamm_;
    MwStEinTabelle mwstEin_;
    QHash<int, AuftragArtFlags> auftragArten_;
    QHash<int, QSqlRecord> adressen_;
    QHash<int, QVector<QSqlRecord>> positionen_;
    QString artikelIdFeld_;
    qint64 vergebenesKonto_ = 0;  // highest personal account given in this run

    BuchungsSlots slots_;
    std::unique_ptr<BuchungsSchreiber> schreiber_;
    bool error1_ = false;
    ImportZaehler zaehler_;
    // Write-back of the transfer flags per block (see blockVerarbeiten).
    struct Rueckschreibung {
        int auftrag = 0;
        qint64 fibuBuchung1 = 0;
        bool forderung = false;
        QVariant alteBuchung;
        QVariant alteForderung;
        QString vorgangsnummer;
        int buchungen = 0;
    };
    bool blockweise_ = false;
    bool meldungenAus_ = false;
    std::unique_ptr<JournalTransaktion> blockTransaktion_;
    QVector<Rueckschreibung> offen_;
    QStringList fehlerZeilen_;
    qint64 transaktionsAnweisungen_ = 0;
    qint64 transaktionsZeitNs_ = 0;
};

}  // namespace fibuimport
