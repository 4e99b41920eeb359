#include "export/extfexport.h"

#include "export/ansitextwriter.h"
#include "export/buchungsauswahl.h"
#include "export/exporterror.h"
#include "export/exportmarkierung.h"
#include "export/statuszeilen.h"
#include "export/verzeichnispruefung.h"
#include "export/wawinachschlag.h"
#include "store/feedback.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <vector>

namespace {

constexpr int kBlock = 8000;          // bookings per order lookup
constexpr int kMarkenJeCommit = 10000;  // bookings per flush and mark commit
constexpr int kAuftragsCache = 200000;  // orders kept before the cache starts over

const QString kPunkte = QStringLiteral("...");

// Adds the time since the last call to one of the phase counters.
class Stoppuhr {
public:
    Stoppuhr() { t_.start(); }
    void an(qint64& phase)
    {
        const qint64 jetzt = t_.nsecsElapsed();
        phase += jetzt - stand_;
        stand_ = jetzt;
    }

private:
    QElapsedTimer t_;
    qint64 stand_ = 0;
};

// Opens a file for the run: overwritten, written without Qt's buffer so every write reaches
// the file system at once (the marks follow what the file really holds).
void anlegen(QFile& file)
{
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        throw ExportError(QStringLiteral("Die Datei %1 kann nicht erstellt werden: %2")
                              .arg(file.fileName(), file.errorString()));
}

// After a failure: what the writer still holds goes to the file if the file takes it.
void flushWennMoeglich(AnsiTextWriter& out)
{
    try {
        out.flush();
    } catch (const std::exception&) {
    }
}

}  // namespace

ExtfExport::ExtfExport(const QSqlDatabase& journal, WaWiNachschlag& wawi, const ExportOptionen& optionen,
                       Feedback& feedback)
    : journal_(journal), wawi_(wawi), opt_(optionen), feedback_(feedback),
      status_(std::make_unique<StatusZeilen>(feedback))
{
    if (opt_.erstellt.isNull())
        opt_.erstellt = QDateTime::currentDateTime();
    if (opt_.benutzer.isEmpty())
        opt_.benutzer = exportBenutzername();
}

ExtfExport::~ExtfExport() = default;

ExtfKopf ExtfExport::kopf() const
{
    ExtfKopf k;
    k.erstellt = opt_.erstellt;
    k.benutzer = opt_.benutzer;
    k.beraterNr = opt_.beraterNr;
    k.mandantNr = opt_.mandantNr;
    k.von = opt_.von;
    k.bis = opt_.bis;
    k.startMonat = opt_.startMonat;
    k.adresskontn = opt_.adresskontn;
    return k;
}

bool ExtfExport::DateV_EXTF_Export()
{
    if (!exportVerzeichnisPruefen(opt_, feedback_))
        return false;
    const QString dir = exportVerzeichnisMitTrenner(opt_.verzeichnis);
    status_->fortschritt(0);
    bool ok = true;
    if (opt_.mitKonten)
        ok = kontenDatei(dir + kDateiKonten);
    status_->fortschritt(30);
    ok = buchungsDatei(dir + kDateiBuchungen) && ok;
    status_->fortschritt(100);
    return ok;
}

bool ExtfExport::kontenDatei(const QString& pfad)
{
    status_->setzen(QStringLiteral("Kopfsatz schreiben ..."), kPunkte, kPunkte);
    QFile file(pfad);
    fileName_ = pfad;
    anlegen(file);
    AnsiTextWriter out(file);
    status_->setzen(2, QStringLiteral("Kopfsatz"));
    try {
        out.writeLine(ExtfFormat::kopfzeileKontenbeschriftungen(kopf()));
        status_->setzen(QStringLiteral("Kontenausgabe ..."), kPunkte, kPunkte);
        DateV_EXTF_Konten(out);
        out.flush();
        return true;
    } catch (const std::exception& e) {
        flushWennMoeglich(out);
        exportImmerMelden(feedback_, kExportFehler + QStringLiteral("(Konten)\r") + exportErrorText(e));
        return false;
    }
}

bool ExtfExport::buchungsDatei(const QString& pfad)
{
    status_->setzen(QStringLiteral("Kopfsatz schreiben ..."), kPunkte, kPunkte);
    QFile file(pfad);
    fileName_ = pfad;
    anlegen(file);
    AnsiTextWriter out(file);
    status_->setzen(2, QStringLiteral("Kopfsatz"));
    out.writeLine(ExtfFormat::kopfzeileBuchungsstapel(kopf()));
    status_->setzen(QStringLiteral("Buchungsausgabe ..."), kPunkte, kPunkte);
    const bool ok = DateV_EXTF_Buchungen(file, out);
    status_->fortschritt(70);
    file.close();
    return ok;
}

// ---- label file ----

QList<qint64> ExtfExport::konten(const QString& sql)
{
    QSqlQuery q(journal_);
    q.setForwardOnly(true);
    if (!q.exec(sql))
        throw ExportError(q.lastError().text());
    QList<qint64> out;
    while (q.next())
        out << q.value(0).toLongLong();
    return out;
}

void ExtfExport::DateV_EXTF_Konten(AnsiTextWriter& out)
{
    status_->setzen(2, QStringLiteral("ermittele die Konten Soll"));
    status_->setzen(3, QStringLiteral("Start"));
    const QList<qint64> soll = konten(QStringLiteral("SELECT Soll AS Kontonummer FROM Buchungen WHERE (Soll>9999) GROUP BY SOLL"));
    status_->setzen(3, QStringLiteral("Ende"));
    out.writeLine(ExtfFormat::spaltenKonten());
    QSet<qint64> erledigt;
    erledigt.reserve(soll.size());
    kontenPass(out, soll, erledigt, false);
    status_->setzen(2, QStringLiteral("ermittele die Konten Haben"));
    status_->setzen(3, kPunkte);
    const QList<qint64> haben = konten(QStringLiteral("SELECT Haben AS Kontonummer FROM Buchungen WHERE (Haben>9999) GROUP BY Haben"));
    erledigt.reserve(soll.size() + haben.size());
    kontenPass(out, haben, erledigt, true);
}

void ExtfExport::kontenPass(AnsiTextWriter& out, const QList<qint64>& liste, QSet<qint64>& erledigt,
                            bool zweiterPass)
{
    QList<qint64> neu;
    for (const qint64 konto : liste) {
        if (zweiterPass && erledigt.contains(konto))
            continue;
        erledigt.insert(konto);
        neu << konto;
    }
    if (neu.isEmpty())
        return;
    if (!indexGeprueft_) {
        try {
            if (!wawi_.fibuIndexVorhanden()) {
                status_->setzen(3, QStringLiteral("erstelle neuen Index im Torvik"));
                wawi_.fibuIndexAnlegen();
            }
        } catch (const std::exception& e) {
            exportMelden(opt_, feedback_, kKeinZugriffAdressen + exportErrorText(e), MessageKind::Error);
            throw;
        }
        indexGeprueft_ = true;
    }
    const QHash<qint64, QSqlRecord> adressen = wawi_.adressen(opt_.aktivMandant, neu);
    for (const qint64 konto : neu) {
        const auto it = adressen.constFind(konto);
        if (it == adressen.constEnd()) {
            status_->laufend(QString::number(konto) + QStringLiteral(" wurde nicht gefunden"));
            continue;
        }
        const QString automatisch = it->value(QStringLiteral("SUCHBEGRIFF")).toString() + QStringLiteral(" KNr:")
                                    + it->value(QStringLiteral("Nummer")).toString();
        status_->laufend(automatisch);
        out.writeLine(ExtfFormat::kontozeile(konto, opt_.eigeneBeschriftung ? beschriftung(*it) : automatisch));
    }
}

QString ExtfExport::beschriftung(const QSqlRecord& adresse) const
{
    return ExtfFormat::beschriftungAusVorlage(opt_.vorlage, [&](const QString& name) -> std::optional<QString> {
        const int i = adresse.indexOf(name);
        if (i < 0)
            return std::nullopt;
        const QVariant v = adresse.value(i);
        if (v.metaType().id() == QMetaType::QDate)
            return v.toDate().toString(QStringLiteral("dd.MM.yyyy"));
        return v.isNull() ? QString() : v.toString();
    });
}

// ---- booking file ----

bool ExtfExport::DateV_EXTF_Buchungen(QIODevice& datei, AnsiTextWriter& out)
{
    Buchungsauswahl auswahl(journal_);
    ExportMarkierung marken(journal_);
    qint64 kopfEnde = 0;
    bool ok = false;
    try {
        status_->setzen(2, QStringLiteral("Buchungsliste verarbeiten"));
        status_->setzen(3, kPunkte);
        auswahl.oeffnen(Buchungsauswahl::statement(opt_.nurNeue, opt_.von, opt_.bis));
        if (!opt_.filter.trimmed().isEmpty() && !auswahl.spalten().isEmpty() && !auswahl.filterSetzen(opt_.filter))
            exportMelden(opt_, feedback_, kFilterNichtAnwendbar, MessageKind::Warning);
        out.writeLine(ExtfFormat::spaltenBuchungsstapel());
        kopfEnde = out.bytesQueued();

        QHash<int, ExtfAuftrag> auftraege;
        QSet<int> gesucht;
        ExtfAuftragsStand stand;
        const ExtfVorgaben vorgaben{opt_.kostenstelle1, opt_.kostenstelle2};
        std::vector<ExtfBuchung> block;
        block.reserve(kBlock);
        qint64 seitCommit = 0;
        bool ende = false;
        Stoppuhr uhr;
        while (!ende) {
            block.clear();
            while (block.size() < static_cast<size_t>(kBlock) && !(ende = !auswahl.weiter()))
                block.push_back(auswahl.buchung());
            uhr.an(phasen_.lesen);
            if (gesucht.size() > kAuftragsCache) {
                auftraege.clear();
                gesucht.clear();
            }
            QList<int> fehlen;
            for (const ExtfBuchung& b : block)
                if (ExtfAuftragsStand::mitSuche(b) && !gesucht.contains(b.auftrag)) {
                    gesucht.insert(b.auftrag);
                    fehlen << b.auftrag;
                }
            if (!fehlen.isEmpty())
                auftraege.insert(wawi_.auftraege(fehlen));
            uhr.an(phasen_.auftraege);
            for (const ExtfBuchung& b : block) {
                stand.weiter(b, auftraege);
                status_->laufend(b.buchungstext);
                out.writeLine(ExtfFormat::buchungszeile(b, stand.aktuell(), stand.faktor(), vorgaben));
                marken.vormerken(b.buchNr, out.bytesQueued());
                if (++seitCommit >= kMarkenJeCommit) {
                    uhr.an(phasen_.zeilen);
                    out.flush();
                    marken.festschreiben(out.bytesAccepted());
                    seitCommit = 0;
                    uhr.an(phasen_.marken);
                }
            }
            uhr.an(phasen_.zeilen);
        }
        out.flush();
        marken.festschreiben(out.bytesAccepted());
        uhr.an(phasen_.marken);
        status_->fortschritt(100);
        exportMelden(opt_, feedback_, kExportErfolg);
        ok = true;
    } catch (const std::exception& e) {
        // The lines dealt with go into the file as far as it takes them; mark what it holds and
        // cut off a line the disk took only in part.
        flushWennMoeglich(out);
        try {
            marken.festschreiben(out.bytesAccepted());
        } catch (const std::exception&) {
        }
        const qint64 ganz = std::max(kopfEnde, marken.letztesEnde());
        if (auto* file = qobject_cast<QFileDevice*>(&datei); file && kopfEnde > 0 && out.bytesAccepted() > ganz)
            file->resize(ganz);
        exportMelden(opt_, feedback_, kExportFehler + QStringLiteral("(Buchungen)\r") + exportErrorText(e),
                     MessageKind::Error);
    }
    geschrieben_ = marken.markiert();
    auswahl.schliessen();
    return ok;
}
