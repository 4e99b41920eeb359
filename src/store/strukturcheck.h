#pragma once
// The structure check at every start: brings the local tables in DateVDaten into line with
// the templates in DateVdb, keeping every row and every BuchNr, and fills empty tables from
// startdb.
//
// Templates and initial data are SQL text files, one per table: DateVdb/<Table>.sql holds the
// CREATE TABLE (and CREATE INDEX) statements of the table, startdb/<Table>.sql the same plus
// INSERT statements. version.xxl beside them holds SHOP_DBV=<version>.
//
// Use: StrukturCheck check(feedback); check.Check_Version(); if (check.EndeAngefordert())
// end the program. Messages go to feedback.message() (texts with "\r" line breaks), progress to
// setCaption / setStatus / setProgress, details of failures to addMessage.
//
// Table paths are directory + name: a directory holding <name>.sql addresses that file, any
// other directory the table <name> in its DateV.sqlite.
//
// Each table is converted in one transaction: new table created, rows copied by field name
// with their keys, old table dropped, new one renamed, indexes built, autoincrement counter
// carried over; a table that cannot be converted keeps its old structure and all its rows,
// and a killed process leaves every table as it was before its conversion.

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <memory>

class Feedback;

namespace StrukturMeldung {
inline const QString NeuInstallieren = QStringLiteral(
    "WICHTIG: Bitte installieren Sie das Produkt nochmals!\rDamit die neue Version komplett übernommen werden kann!");
inline const QString DatenbankNeuer = QStringLiteral(
    "Die Datenbank im gewählten Datenverzeichnis ist in\reiner neueren Version als die Version auf diesem "
    "Arbeitsplatz!\r\rInstallieren Sie das Update auch auf diesen Arbeitsplatz!");
inline const QString Konvertieren = QStringLiteral(
    "WICHTIG: Die Datenbanken müssen konvertiert werden!\rBitte veranlassen Sie alle Netzwerkteilnehmer das "
    "Programm zu\rverlassen bzw. nicht zu Starten bis die Konvertierung beendet ist!");
inline const QString KonvertierungFehler = QStringLiteral(
    "WICHTIG es ist ein Fehler bei der Datenkonvertierung aufgetreten!");
QString NichtErstellt(const QString& tabelle);  // "Datenbank: " + T + " konnte nicht erstellt werden!"
QString TabellenFehler(const QString& tabelle); // "Es ist ein Fehler bei Datenbank: " + T + " aufgetreten!"
}  // namespace StrukturMeldung

class StrukturCheck {
public:
    // Paths default to those of einstellungen() (PfadeSetzen must have run).
    explicit StrukturCheck(Feedback* feedback = nullptr);
    StrukturCheck(const QString& programmPfad, Feedback* feedback);
    ~StrukturCheck();
    StrukturCheck(const StrukturCheck&) = delete;
    StrukturCheck& operator=(const StrukturCheck&) = delete;

    // Entry point: true when the database is current or was converted without failure.
    bool Check_Version();
    // true when no conversion is needed (also when the program must end).
    bool Check();
    // Creates or rebuilds the tables; true when no table failed.
    bool Konvert();
    // Fills empty local tables from startdb; true when no table failed.
    bool ErstInsatll();

    // Table operations; arguments are table paths (see above).
    bool Struktur_Check(const QString& vorlage, const QString& ziel);
    bool StrukturKopieren(const QString& vorlage, const QString& ziel);
    // Copies the rows by field name, keys included; false (and nothing copied) when one row
    // cannot be copied.
    bool Tab_DatenCopy(const QString& quelle, const QString& ziel);
    // -1 when the table cannot be opened.
    qint64 Tab_RecordCount(const QString& tabelle);
    bool Tab_Umbenennen(const QString& quelle, const QString& ziel);
    bool Tab_Move(const QString& quelle, const QString& ziel);
    void Tab_Delete(const QString& tabelle);

    // Set by Check and Struktur_Check when the program must end.
    bool EndeAngefordert() const { return endeAngefordert_; }
    // Rebuild all tables without comparing (no DateVDaten/version.xxl).
    bool Datenreorg = false;
    // Tables that failed in the last Konvert or ErstInsatll.
    QStringList FehlerTabellen() const { return fehlerTabellen_; }

    // SHOP_DBV of a version.xxl; 0 when missing or empty.
    static double VersionLesen(const QString& datei);

private:
    class Impl;
    struct Kopie;

    QString vorlagenPfad() const;
    QString datenPfad() const;
    QString startdbPfad() const;
    bool tabelleKonvertieren(const QString& tabelle);
    bool strukturAnlegen(const QString& vorlage, const QString& ziel, bool mitIndizes);
    static QList<QPair<QString, QString>> feldpaare(const Kopie& k);
    bool zeilenKopieren(const Kopie& k, QString* fehler);
    bool inDerDatenbankKopieren(const Kopie& k, const QString& select, const QString& insert, qint64 gesamt,
                                QString* fehler);
    bool zeilenweiseKopieren(const Kopie& k, const QString& select, const QString& insert, int felder,
                             qint64 gesamt, QString* fehler);
    bool typenPruefen(const Kopie& k, QString* fehler);

    std::unique_ptr<Impl> d_;
    Feedback& feedback_;
    QString programmPfad_;
    bool endeAngefordert_ = false;
    QStringList fehlerTabellen_;
};
