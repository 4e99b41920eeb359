#include "store/strukturcheck.h"

#include "store/einstellungen.h"
#include "store/feedback.h"
#include "store/listenleser.h"
#include "store/lokaledatenbank.h"
#include "store/sicherungspunkt.h"
#include "store/tabellendefinition.h"
#include "store/zahlen.h"
#include "store/zeichensatz.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <map>
#include <optional>

QString StrukturMeldung::NichtErstellt(const QString& tabelle)
{
    return QStringLiteral("Datenbank: ") + tabelle + QStringLiteral(" konnte nicht erstellt werden!");
}

QString StrukturMeldung::TabellenFehler(const QString& tabelle)
{
    return QStringLiteral("Es ist ein Fehler bei Datenbank: ") + tabelle + QStringLiteral(" aufgetreten!");
}

namespace {

const QString Versionsdatei = QStringLiteral("version.xxl");
const QString NeuPraefix = QStringLiteral("NEW_");
// Rows per copy step: the wait window gets a progress step after each.
constexpr int KopierSchritt = 100000;

struct Tabellenpfad {
    QString verzeichnis;  // with trailing '/'
    QString name;
};

Tabellenpfad zerlegen(const QString& pfad)
{
    const QString p = QDir::fromNativeSeparators(pfad);
    const qsizetype trenner = p.lastIndexOf(QLatin1Char('/'));
    return {p.left(trenner + 1), p.mid(trenner + 1)};
}

// The SQL text file of a table in a directory (file name without regard to case).
QString sqlDatei(const QString& verzeichnis, const QString& name)
{
    const QStringList dateien = QDir(verzeichnis).entryList({QStringLiteral("*.sql")}, QDir::Files);
    for (const QString& datei : dateien) {
        if (QFileInfo(datei).completeBaseName().compare(name, Qt::CaseInsensitive) == 0)
            return verzeichnis + datei;
    }
    return QString();
}

QStringList tabellenListe(const QString& verzeichnis)
{
    QStringList namen;
    const QStringList dateien =
        QDir(verzeichnis).entryList({QStringLiteral("*.sql")}, QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QString& datei : dateien)
        namen.append(QFileInfo(datei).completeBaseName());
    return namen;
}

bool ausfuehren(const QSqlDatabase& db, const QString& sql, QString* fehler)
{
    QSqlQuery q(db);
    if (q.exec(sql))
        return true;
    if (fehler)
        *fehler = q.lastError().text() + QStringLiteral(" [") + sql.simplified().left(200) + QLatin1Char(']');
    return false;
}

std::optional<qint64> zahlAbfragen(const QSqlDatabase& db, const QString& sql, QString* fehler = nullptr)
{
    QSqlQuery q(db);
    if (!q.exec(sql) || !q.next()) {
        if (fehler)
            *fehler = q.lastError().text();
        return std::nullopt;
    }
    return q.value(0).toLongLong();
}

// Autoincrement counter of a table; 0 when it has none.
qint64 zaehlerstand(const QSqlDatabase& db, const QString& tabelle)
{
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type='table' AND name='sqlite_sequence'")) || !q.next())
        return 0;
    q.prepare(QStringLiteral("SELECT seq FROM sqlite_sequence WHERE lower(name)=lower(?)"));
    q.addBindValue(tabelle);
    if (q.exec() && q.next())
        return q.value(0).toLongLong();
    return 0;
}

// Raises the counter of a table to at least `stand`, so that no key of the source is given
// out again, also when its last rows had been deleted.
bool zaehlerAnheben(const QSqlDatabase& db, const QString& tabelle, qint64 stand, QString* fehler)
{
    if (stand <= zaehlerstand(db, tabelle))
        return true;
    QSqlQuery q(db);
    q.prepare(QStringLiteral("UPDATE sqlite_sequence SET seq=? WHERE lower(name)=lower(?)"));
    q.addBindValue(stand);
    q.addBindValue(tabelle);
    if (q.exec() && q.numRowsAffected() > 0)
        return true;
    q.prepare(QStringLiteral("INSERT INTO sqlite_sequence (name, seq) VALUES (?, ?)"));
    q.addBindValue(tabelle);
    q.addBindValue(stand);
    if (q.exec())
        return true;
    if (fehler)
        *fehler = q.lastError().text();
    return false;
}

}  // namespace

// A table opened for the check: the connection it lives in and its stored name.
struct Tabellenort {
    QSqlDatabase db;
    QString verbindung;
    QString tabelle;
    bool vorlage = false;  // read from an SQL text file
};

class StrukturCheck::Impl {
public:
    ~Impl() { schliessen(); }

    std::optional<Tabellenort> oeffnen(const QString& pfad, QString* fehler)
    {
        const Tabellenpfad p = zerlegen(pfad);
        const QString datei = sqlDatei(p.verzeichnis, p.name);
        if (!datei.isEmpty())
            return textTabelle(datei, p.name, fehler);
        return datenbankTabelle(p, fehler);
    }

    void schliessen()
    {
        for (auto& [schluessel, verbindung] : verbindungen_) {
            (void)schluessel;
            QSqlDatabase::database(verbindung, false).close();
            QSqlDatabase::removeDatabase(verbindung);
        }
        verbindungen_.clear();
    }

private:
    QSqlDatabase neueVerbindung(const QString& schluessel, const QString& datei)
    {
        const QString name = QStringLiteral("DateV_Check_%1_%2")
                                 .arg(reinterpret_cast<quintptr>(this), 0, 16)
                                 .arg(++zaehler_);
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(datei);
        verbindungen_[schluessel] = name;
        return db;
    }

    std::optional<Tabellenort> textTabelle(const QString& datei, const QString& name, QString* fehler)
    {
        const QString schluessel = QStringLiteral("sql:") + datei;
        if (!verbindungen_.count(schluessel)) {
            QFile file(datei);
            if (!file.open(QIODevice::ReadOnly)) {
                if (fehler)
                    *fehler = QStringLiteral("%1 lässt sich nicht lesen").arg(datei);
                return std::nullopt;
            }
            QSqlDatabase db = neueVerbindung(schluessel, QStringLiteral(":memory:"));
            if (!db.open()) {
                if (fehler)
                    *fehler = db.lastError().text();
                return std::nullopt;
            }
            const QStringList anweisungen = SqlAnweisungen(Utf8OderAnsiZuText(file.readAll()));
            for (const QString& sql : anweisungen) {
                QString grund;
                if (!ausfuehren(db, sql, &grund)) {
                    if (fehler)
                        *fehler = datei + QStringLiteral(": ") + grund;
                    db.close();
                    return std::nullopt;
                }
            }
        }
        QSqlDatabase db = QSqlDatabase::database(verbindungen_[schluessel], false);
        if (!db.isOpen()) {
            if (fehler)
                *fehler = datei + QStringLiteral(": nicht lesbar");
            return std::nullopt;
        }
        return Tabellenort{db, verbindungen_[schluessel], name, true};
    }

    std::optional<Tabellenort> datenbankTabelle(const Tabellenpfad& p, QString* fehler)
    {
        const QString datei = LokaleDatenbankDatei(p.verzeichnis);
        const QString schluessel = QStringLiteral("db:") + QFileInfo(datei).absoluteFilePath();
        if (!verbindungen_.count(schluessel)) {
            QDir().mkpath(p.verzeichnis);
            QSqlDatabase db = neueVerbindung(schluessel, datei);
            if (!db.open()) {
                if (fehler)
                    *fehler = db.lastError().text();
                return std::nullopt;
            }
            QSqlQuery q(db);
            q.exec(QStringLiteral("PRAGMA busy_timeout = 5000"));
            q.exec(QStringLiteral("PRAGMA cache_size = -65536"));
            q.exec(QStringLiteral("PRAGMA temp_store = MEMORY"));
            // The old table's pages are given free, not overwritten: otherwise every page of a
            // large journal would pass through the rollback journal once more.
            q.exec(QStringLiteral("PRAGMA secure_delete = OFF"));
        }
        QSqlDatabase db = QSqlDatabase::database(verbindungen_[schluessel], false);
        return Tabellenort{db, verbindungen_[schluessel], LokalerTabellenname(p.name, db), false};
    }

    std::map<QString, QString> verbindungen_;
    int zaehler_ = 0;
};

StrukturCheck::StrukturCheck(Feedback* feedback) : StrukturCheck(QString(), feedback) {}

StrukturCheck::StrukturCheck(const QString& programmPfad, Feedback* feedback)
    : d_(std::make_unique<Impl>()), feedback_(feedback ? *feedback : silentFeedback()),
      programmPfad_(programmPfad.isEmpty() ? einstellungen().ProgrammPfad : programmPfad)
{
    programmPfad_ = QDir::fromNativeSeparators(programmPfad_);
    if (!programmPfad_.endsWith(QLatin1Char('/')))
        programmPfad_ += QLatin1Char('/');
}

StrukturCheck::~StrukturCheck() = default;

QString StrukturCheck::vorlagenPfad() const
{
    return programmPfad_ + QStringLiteral("DateVdb/");
}

QString StrukturCheck::datenPfad() const
{
    return programmPfad_ + QStringLiteral("DateVDaten/");
}

QString StrukturCheck::startdbPfad() const
{
    return programmPfad_ + QStringLiteral("startdb/");
}

double StrukturCheck::VersionLesen(const QString& datei)
{
    QFile file(datei);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    QString text = Utf8OderAnsiZuText(file.readAll());
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return TextZuZahl(ListenWert(text.split(QLatin1Char('\n')), QStringLiteral("SHOP_DBV")));
}

bool StrukturCheck::Check_Version()
{
    Datenreorg = false;
    if (Check())
        return true;
    const bool ok = Konvert();
    if (!ok)
        feedback_.message(StrukturMeldung::KonvertierungFehler, MessageKind::Error);
    else
        ErstInsatll();
    return ok;
}

bool StrukturCheck::Check()
{
    const QString vorlageVersion = vorlagenPfad() + Versionsdatei;
    const QString datenVersion = datenPfad() + Versionsdatei;
    Datenreorg = !QFile::exists(datenVersion);
    if (!QFile::exists(vorlageVersion)) {
        feedback_.message(StrukturMeldung::NeuInstallieren, MessageKind::Error);
        endeAngefordert_ = true;
        return true;
    }
    if (Datenreorg)
        return false;
    const double vorlage = VersionLesen(vorlageVersion);
    const double daten = VersionLesen(datenVersion);
    if (daten < vorlage)
        return false;
    if (daten > vorlage) {
        feedback_.message(StrukturMeldung::DatenbankNeuer, MessageKind::Error);
        endeAngefordert_ = true;
    }
    return true;
}

bool StrukturCheck::tabelleKonvertieren(const QString& t)
{
    const QString vorlage = vorlagenPfad() + t;
    const QString alt = datenPfad() + t;
    const QString neu = datenPfad() + NeuPraefix + t;
    QString fehler;
    const std::optional<Tabellenort> ziel = d_->oeffnen(alt, &fehler);
    const std::optional<Tabellenort> quelle = d_->oeffnen(vorlage, &fehler);
    if (!ziel || !quelle) {
        feedback_.addMessage(fehler);
        feedback_.message(StrukturMeldung::NichtErstellt(t), MessageKind::Error);
        return false;
    }
    // The old table stays whole until its successor is complete: all steps in one unit.
    Sicherungspunkt einheit(ziel->db, QStringLiteral("konvert"));
    Tab_Delete(neu);
    if (!einheit.aktiv() || !strukturAnlegen(vorlage, neu, false)) {
        feedback_.message(StrukturMeldung::NichtErstellt(t), MessageKind::Error);
        return false;
    }
    const bool altVorhanden = DefinitionLesen(ziel->db, ziel->tabelle).has_value();
    bool ok = !altVorhanden || Tab_DatenCopy(alt, neu);
    ok = ok && Tab_Move(neu, alt);
    if (ok) {
        const std::optional<TabellenDefinition> def = DefinitionLesen(quelle->db, quelle->tabelle, &fehler);
        ok = def.has_value();
        for (const QString& sql : ok ? CreateIndexSql(*def, t) : QStringList()) {
            ok = ausfuehren(ziel->db, sql, &fehler);
            if (!ok)
                break;
        }
        if (!ok)
            feedback_.addMessage(t + QStringLiteral(": ") + fehler);
    }
    if (ok && !einheit.commit()) {
        feedback_.addMessage(t + QStringLiteral(": ") + einheit.fehler());
        ok = false;
    }
    if (!ok)
        feedback_.message(StrukturMeldung::TabellenFehler(t), MessageKind::Error);
    return ok;
}

bool StrukturCheck::Konvert()
{
    fehlerTabellen_.clear();
    QDir().mkpath(datenPfad());
    const QStringList tabellen = tabellenListe(vorlagenPfad());
    feedback_.message(StrukturMeldung::Konvertieren, MessageKind::Warning);
    bool ok = true;
    for (int i = 0; i < tabellen.size() && QFile::exists(vorlagenPfad() + Versionsdatei); ++i) {
        const QString& t = tabellen[i];
        feedback_.setCaption(t);
        if (!Datenreorg && Struktur_Check(vorlagenPfad() + t, datenPfad() + t))
            continue;
        if (!tabelleKonvertieren(t)) {
            fehlerTabellen_.append(t);
            ok = false;
        }
    }
    if (ok) {
        QFile::remove(datenPfad() + Versionsdatei);
        if (!QFile::copy(vorlagenPfad() + Versionsdatei, datenPfad() + Versionsdatei)) {
            feedback_.addMessage(QStringLiteral("%1 konnte nicht nach %2 kopiert werden.")
                                     .arg(vorlagenPfad() + Versionsdatei, datenPfad()));
            ok = false;
        }
    }
    d_->schliessen();
    feedback_.setCaption(QStringLiteral("bitte warten ...."));
    return ok;
}

bool StrukturCheck::ErstInsatll()
{
    fehlerTabellen_.clear();
    bool ok = true;
    const QStringList tabellen = tabellenListe(startdbPfad());
    for (const QString& t : tabellen) {
        feedback_.setCaption(t);
        const qint64 anzahl = Tab_RecordCount(datenPfad() + t);
        if (anzahl == 0 && Tab_DatenCopy(startdbPfad() + t, datenPfad() + t))
            continue;
        if (anzahl != 0 && anzahl != -1)
            continue;
        feedback_.message(StrukturMeldung::TabellenFehler(t), MessageKind::Error);
        fehlerTabellen_.append(t);
        ok = false;
    }
    d_->schliessen();
    feedback_.setCaption(QStringLiteral("bitte warten ...."));
    return ok;
}

bool StrukturCheck::Struktur_Check(const QString& vorlage, const QString& ziel)
{
    feedback_.setStatus(QStringLiteral("Struktur prüfen"));
    feedback_.setProgress(0, 100);
    QString fehler;
    std::optional<TabellenDefinition> v;
    if (const auto ort = d_->oeffnen(vorlage, &fehler))
        v = DefinitionLesen(ort->db, ort->tabelle, &fehler);
    if (!v) {
        // An unreadable template: the installation is incomplete. The template directory is
        // left in place, so that the cause can still be seen.
        feedback_.addMessage(fehler);
        feedback_.message(StrukturMeldung::NeuInstallieren, MessageKind::Error);
        endeAngefordert_ = true;
        return false;
    }
    std::optional<TabellenDefinition> z;
    if (const auto ort = d_->oeffnen(ziel, &fehler))
        z = DefinitionLesen(ort->db, ort->tabelle, &fehler);
    const bool gleich = z && StrukturGleich(*v, *z);
    feedback_.setStatus(QStringLiteral("fertig"));
    feedback_.setProgress(100, 100);
    return gleich;
}

bool StrukturCheck::StrukturKopieren(const QString& vorlage, const QString& ziel)
{
    return strukturAnlegen(vorlage, ziel, true);
}

bool StrukturCheck::strukturAnlegen(const QString& vorlage, const QString& ziel, bool mitIndizes)
{
    feedback_.setStatus(QStringLiteral("struktur Anlegen"));
    feedback_.setProgress(0, 100);
    QString fehler;
    const std::optional<Tabellenort> v = d_->oeffnen(vorlage, &fehler);
    const std::optional<Tabellenort> z = v ? d_->oeffnen(ziel, &fehler) : std::nullopt;
    std::optional<TabellenDefinition> def = v ? DefinitionLesen(v->db, v->tabelle, &fehler) : std::nullopt;
    bool ok = def && z && !z->vorlage;
    if (ok) {
        const QString name = zerlegen(ziel).name;
        QStringList anweisungen{CreateTableSql(*def, name)};
        if (mitIndizes)
            anweisungen += CreateIndexSql(*def, name);
        Sicherungspunkt einheit(z->db, QStringLiteral("struktur"));
        for (const QString& sql : anweisungen) {
            ok = ok && ausfuehren(z->db, sql, &fehler);
        }
        ok = ok && einheit.commit();
    }
    if (!ok)
        feedback_.addMessage(zerlegen(ziel).name + QStringLiteral(": ") + fehler);
    feedback_.setStatus(QStringLiteral("fertig"));
    feedback_.setProgress(100, 100);
    return ok;
}

struct StrukturCheck::Kopie {
    const Tabellenort& quelle;
    const Tabellenort& ziel;
    const TabellenDefinition& quellDef;
    const TabellenDefinition& zielDef;
};

bool StrukturCheck::Tab_DatenCopy(const QString& quelle, const QString& ziel)
{
    feedback_.setStatus(QStringLiteral("Tabelle kopieren"));
    feedback_.setProgress(0, 100);
    QString fehler;
    const std::optional<Tabellenort> q = d_->oeffnen(quelle, &fehler);
    const std::optional<Tabellenort> z = q ? d_->oeffnen(ziel, &fehler) : std::nullopt;
    std::optional<TabellenDefinition> qd = q ? DefinitionLesen(q->db, q->tabelle, &fehler) : std::nullopt;
    std::optional<TabellenDefinition> zd = qd && z ? DefinitionLesen(z->db, z->tabelle, &fehler) : std::nullopt;
    bool ok = zd && !z->vorlage;
    if (ok) {
        Kopie kopie{*q, *z, *qd, *zd};
        Sicherungspunkt einheit(z->db, QStringLiteral("datencopy"));
        ok = einheit.aktiv() && zeilenKopieren(kopie, &fehler) && typenPruefen(kopie, &fehler)
             && (!zd->autoinkrementFeld()
                 || zaehlerAnheben(z->db, z->tabelle, zaehlerstand(q->db, q->tabelle), &fehler));
        if (ok && !einheit.commit()) {
            fehler = einheit.fehler();
            ok = false;
        }
    }
    if (!ok)
        feedback_.addMessage(zerlegen(ziel).name + QStringLiteral(": ") + fehler);
    feedback_.setStatus(QStringLiteral("fertig"));
    feedback_.setProgress(100, 100);
    return ok;
}

// Source expression and target field for every target field the source has by name. A blank
// text bound for a number field becomes empty, as the text assignment of a field does.
QList<QPair<QString, QString>> StrukturCheck::feldpaare(const Kopie& k)
{
    QList<QPair<QString, QString>> paare;
    for (const FeldDefinition& f : k.zielDef.felder) {
        const int i = k.quellDef.feldIndex(f.name);
        if (i < 0)
            continue;
        const FeldDefinition& qf = k.quellDef.felder[i];
        QString ausdruck = SqlName(qf.name);
        const QString affinitaet = Affinitaet(f.typ);
        if (qf.typ != f.typ && (affinitaet == QLatin1String("INTEGER") || affinitaet == QLatin1String("REAL")))
            ausdruck = QStringLiteral("CASE WHEN typeof(%1)='text' AND trim(%1)='' THEN NULL ELSE %1 END").arg(ausdruck);
        paare.append({ausdruck, f.name});
    }
    return paare;
}

bool StrukturCheck::zeilenKopieren(const Kopie& k, QString* fehler)
{
    const QList<QPair<QString, QString>> paare = feldpaare(k);
    if (paare.isEmpty())
        return true;
    QStringList ausdruecke;
    QStringList zielFelder;
    for (const auto& [ausdruck, feld] : paare) {
        ausdruecke.append(ausdruck);
        zielFelder.append(SqlName(feld));
    }
    const QString select = QStringLiteral("SELECT %1 FROM %2").arg(ausdruecke.join(QStringLiteral(", ")), SqlName(k.quelle.tabelle));
    const QString insert = QStringLiteral("INSERT INTO %1 (%2) ").arg(SqlName(k.ziel.tabelle), zielFelder.join(QStringLiteral(", ")));
    const qint64 gesamt = zahlAbfragen(k.quelle.db, QStringLiteral("SELECT COUNT(*) FROM ") + SqlName(k.quelle.tabelle), fehler).value_or(-1);
    if (gesamt < 0)
        return false;
    feedback_.setStatus(QStringLiteral("Datenbankinhalt kopieren ...."));
    if (k.quelle.verbindung == k.ziel.verbindung)
        return inDerDatenbankKopieren(k, select, insert, gesamt, fehler);
    return zeilenweiseKopieren(k, select, insert, int(paare.size()), gesamt, fehler);
}

bool StrukturCheck::inDerDatenbankKopieren(const Kopie& k, const QString& select, const QString& insert,
                                           qint64 gesamt, QString* fehler)
{
    if (k.quellDef.ohneRowid)
        return ausfuehren(k.ziel.db, insert + select, fehler);
    // Steps of KopierSchritt rows in key order, so that the wait window can show progress.
    QList<qint64> grenzen;
    {
        QSqlQuery q(k.quelle.db);
        q.setForwardOnly(true);
        if (!q.exec(QStringLiteral("SELECT rid FROM (SELECT rowid AS rid, row_number() OVER (ORDER BY rowid) AS nr FROM %1)"
                                   " WHERE nr % %2 = 0")
                        .arg(SqlName(k.quelle.tabelle))
                        .arg(KopierSchritt))) {
            if (fehler)
                *fehler = q.lastError().text();
            return false;
        }
        while (q.next())
            grenzen.append(q.value(0).toLongLong());
    }
    qint64 kopiert = 0;
    for (int i = 0; i <= grenzen.size(); ++i) {
        QStringList bedingung;
        if (i > 0)
            bedingung.append(QStringLiteral("rowid > %1").arg(grenzen[i - 1]));
        if (i < grenzen.size())
            bedingung.append(QStringLiteral("rowid <= %1").arg(grenzen[i]));
        const QString where = bedingung.isEmpty() ? QString() : QStringLiteral(" WHERE ") + bedingung.join(QStringLiteral(" AND "));
        if (!ausfuehren(k.ziel.db, insert + select + where + QStringLiteral(" ORDER BY rowid"), fehler))
            return false;
        kopiert = qMin<qint64>(gesamt, kopiert + KopierSchritt);
        feedback_.setStatus(QStringLiteral("%1 von %2").arg(kopiert).arg(gesamt));
        feedback_.setProgress(gesamt > 0 ? kopiert * 100 / gesamt : 100, 100);
    }
    return true;
}

bool StrukturCheck::zeilenweiseKopieren(const Kopie& k, const QString& select, const QString& insert, int felder,
                                        qint64 gesamt, QString* fehler)
{
    QSqlQuery lesen(k.quelle.db);
    lesen.setForwardOnly(true);
    if (!lesen.exec(select + (k.quellDef.ohneRowid ? QString() : QStringLiteral(" ORDER BY rowid")))) {
        if (fehler)
            *fehler = lesen.lastError().text();
        return false;
    }
    QStringList platzhalter;
    for (int i = 0; i < felder; ++i)
        platzhalter.append(QStringLiteral("?"));
    QSqlQuery schreiben(k.ziel.db);
    if (!schreiben.prepare(insert + QStringLiteral("VALUES (%1)").arg(platzhalter.join(QLatin1Char(','))))) {
        if (fehler)
            *fehler = schreiben.lastError().text();
        return false;
    }
    qint64 n = 0;
    while (lesen.next()) {
        for (int i = 0; i < felder; ++i)
            schreiben.bindValue(i, lesen.value(i));
        if (!schreiben.exec()) {
            if (fehler)
                *fehler = QStringLiteral("Zeile %1: %2").arg(n + 1).arg(schreiben.lastError().text());
            return false;
        }
        if (++n % 1000 == 0 || n == gesamt) {
            feedback_.setStatus(QStringLiteral("%1 von %2").arg(n).arg(gesamt));
            feedback_.setProgress(gesamt > 0 ? n * 100 / gesamt : 100, 100);
        }
    }
    return true;
}

// A number field whose type changed must not receive text that is no number: such rows would
// not be bookings any more. The table is then left as it was and the field is named.
bool StrukturCheck::typenPruefen(const Kopie& k, QString* fehler)
{
    for (const FeldDefinition& f : k.zielDef.felder) {
        const int i = k.quellDef.feldIndex(f.name);
        const QString affinitaet = Affinitaet(f.typ);
        if (i < 0 || k.quellDef.felder[i].typ == f.typ
            || (affinitaet != QLatin1String("INTEGER") && affinitaet != QLatin1String("REAL")))
            continue;
        const qint64 falsch = zahlAbfragen(k.ziel.db, QStringLiteral("SELECT COUNT(*) FROM %1 WHERE typeof(%2)='text'")
                                                          .arg(SqlName(k.ziel.tabelle), SqlName(f.name)))
                                  .value_or(-1);
        if (falsch != 0) {
            if (fehler)
                *fehler = QStringLiteral("Feld %1: %2 Zeilen haben Werte, die keine Zahl sind").arg(f.name).arg(falsch);
            return false;
        }
    }
    return true;
}

qint64 StrukturCheck::Tab_RecordCount(const QString& tabelle)
{
    QString fehler;
    const std::optional<Tabellenort> t = d_->oeffnen(tabelle, &fehler);
    if (!t || !DefinitionLesen(t->db, t->tabelle, &fehler)) {
        feedback_.addMessage(zerlegen(tabelle).name + QStringLiteral(": ") + fehler);
        return -1;
    }
    return zahlAbfragen(t->db, QStringLiteral("SELECT COUNT(*) FROM ") + SqlName(t->tabelle)).value_or(-1);
}

bool StrukturCheck::Tab_Umbenennen(const QString& quelle, const QString& ziel)
{
    feedback_.setStatus(QStringLiteral("Tabelle umbenennen"));
    QString fehler;
    const std::optional<Tabellenort> q = d_->oeffnen(quelle, &fehler);
    const std::optional<Tabellenort> z = q ? d_->oeffnen(ziel, &fehler) : std::nullopt;
    const QString neuerName = zerlegen(ziel).name;
    std::optional<TabellenDefinition> def = q && z ? DefinitionLesen(q->db, q->tabelle, &fehler) : std::nullopt;
    bool ok = def && z->verbindung == q->verbindung && !q->vorlage;
    if (def && ok) {
        Sicherungspunkt einheit(q->db, QStringLiteral("umbenennen"));
        ok = ausfuehren(q->db, QStringLiteral("ALTER TABLE %1 RENAME TO %2").arg(SqlName(q->tabelle), SqlName(neuerName)), &fehler);
        // Index names carry the table's name ("NEW_Buchungen_IX_Datum"): rebuilt under the new one.
        const QString praefix = q->tabelle + QLatin1Char('_');
        TabellenDefinition umbenannt = *def;
        umbenannt.name = neuerName;
        umbenannt.indizes.clear();
        for (const IndexDefinition& i : def->indizes) {
            if (i.herkunft != QLatin1String("c") || !i.name.startsWith(praefix, Qt::CaseInsensitive))
                continue;
            ok = ok && ausfuehren(q->db, QStringLiteral("DROP INDEX ") + SqlName(i.name), &fehler);
            umbenannt.indizes.append(i);
            umbenannt.indizes.last().name = i.name.mid(praefix.size());
        }
        for (const QString& sql : CreateIndexSql(umbenannt, neuerName))
            ok = ok && ausfuehren(q->db, sql, &fehler);
        ok = ok && einheit.commit();
    } else if (def) {
        fehler = QStringLiteral("Umbenennen nur innerhalb einer Datenbank");
    }
    if (!ok)
        feedback_.addMessage(neuerName + QStringLiteral(": ") + fehler);
    feedback_.setStatus(QStringLiteral("fertig"));
    return ok;
}

bool StrukturCheck::Tab_Move(const QString& quelle, const QString& ziel)
{
    Tab_Delete(ziel);
    return Tab_Umbenennen(quelle, ziel);
}

void StrukturCheck::Tab_Delete(const QString& tabelle)
{
    const std::optional<Tabellenort> t = d_->oeffnen(tabelle, nullptr);
    if (t && !t->vorlage)
        ausfuehren(t->db, QStringLiteral("DROP TABLE IF EXISTS ") + SqlName(t->tabelle), nullptr);
}
