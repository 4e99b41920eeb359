#include "dataaccess/wawischema.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>

namespace {

using T = WawiFeldTyp;

WawiFeld f(const char* name, WawiFeldTyp typ, int size = 0)
{
    return WawiFeld{QString::fromLatin1(name), typ, size, false};
}

WawiFeld opt(const char* name, WawiFeldTyp typ, int size = 0)
{
    return WawiFeld{QString::fromLatin1(name), typ, size, true};
}

WawiIndex ix(const char* name, const char* felder)
{
    return WawiIndex{QString::fromLatin1(name), QString::fromLatin1(felder).split(QLatin1Char(';'))};
}

WawiTabelle mandant()
{
    return {QStringLiteral("Mandant"),
            {f("Mandant", T::Integer), f("Firma1", T::String, 60), f("Firma2", T::String, 60),
             f("Firma3", T::String, 60), f("Name", T::String, 60), f("Strasse", T::String, 60),
             f("PLZ", T::String, 10), f("Ort", T::String, 40), f("Zusatz2", T::Memo)},
            {}};
}

WawiTabelle auftrag()
{
    return {QStringLiteral("Auftrag"),
            {f("Auftrag", T::AutoInc),
             f("Mandant", T::Integer),
             f("Art", T::Integer),
             f("Adresse1", T::Integer),
             f("Vorgangsnummer", T::String, 20),
             f("Auftragsnummer", T::String, 20),
             f("ShopID", T::String, 30),
             f("Vorgangsdatum", T::Date),
             f("Buchdatum", T::Date),
             opt("USTDatum", T::Date),
             opt("ValutaDatum", T::Date),
             f("Steuer", T::SmallInt),
             f("L_Land", T::String, 40),
             f("GRabatt", T::Float),
             opt("VersandMwSt", T::SmallInt),
             f("Porto", T::Float),
             f("Eilzuschlag", T::Float),
             f("Verpackung", T::Float),
             f("Versicherung", T::Float),
             opt("Mindermengenzuschlag", T::Float),
             f("Betrag", T::Float),
             f("Bezahlt", T::Float),
             f("BezahlungDirekt", T::Float),
             f("Offen", T::Float),
             opt("Skonto", T::Float),
             opt("Minderung", T::Float),
             f("Zahlungsart", T::Integer),
             f("Konto", T::Integer),
             f("Tage1", T::Integer),
             f("Tage2", T::Integer),
             f("Tage3", T::Integer),
             f("Faktor", T::Float),
             f("Storniert", T::Boolean),
             f("Gedruckt", T::Boolean),
             f("Abgeschlossen", T::Boolean),
             f("ZBericht", T::SmallInt),
             f("Fibu_Forderung", T::Boolean),
             f("Fibu_Verbindlichkeit", T::Boolean),
             f("FibuBuchung1", T::Integer),
             f("FibuBuchung2", T::Integer),
             f("Lieferanschrift", T::Memo)},
            {ix("was", "Mandant;Art")}};
}

WawiTabelle auftragArt()
{
    return {QStringLiteral("Auftrag_Art"),
            {f("Art", T::Integer), f("Bezeichnung", T::String, 40), f("L_Gutschrift", T::Boolean),
             f("L_Eingangsrechnung", T::Boolean), f("L_Rechnung", T::Boolean)},
            {}};
}

WawiTabelle positionen()
{
    return {QStringLiteral("Positionen"),
            {f("Position", T::AutoInc), f("Auftrag", T::Integer), f("PosNr", T::Integer),
             f("Art", T::SmallInt), f("Artikel", T::Integer), f("Bezeichnung", T::String, 80),
             f("SONDERUST", T::SmallInt), f("Preis", T::Float), f("Anzahl", T::Float),
             f("Preiseinheit", T::Float), f("Rabatt", T::Float), f("Rabatt2", T::Float),
             f("Rabatt3", T::Float), opt("RabattG", T::Float), opt("Aufschlag", T::Float),
             f("Frei1", T::String, 20), f("Frei2", T::String, 20), f("Frei3", T::String, 20),
             f("EK", T::Float), opt("RabattEK", T::Float)},
            {ix("Ix_Auftrag", "Auftrag")}};
}

WawiTabelle artikel()
{
    return {QStringLiteral("Artikel"),
            {f("Artikel", T::AutoInc), f("Artikelnummer", T::String, 30),
             f("Bezeichnung", T::String, 80), f("Art", T::SmallInt), f("Warengruppe", T::Integer),
             f("Umsatzsteuer", T::SmallInt), f("Verkaufskonto", T::Integer),
             f("EGFibuKonto", T::Integer), f("Verkaufsonderkonto", T::Integer),
             f("Einkaufskonto", T::Integer), f("VK", T::Float), f("EK", T::Float)},
            {}};
}

WawiTabelle warengruppe()
{
    return {QStringLiteral("Warengruppe"),
            {f("Warengruppe", T::Integer), f("Bezeichnung", T::String, 40), f("Konto1", T::Integer),
             f("Konto2", T::Integer), f("Konto3", T::Integer), f("Konto4", T::Integer)},
            {}};
}

WawiTabelle mwst()
{
    return {QStringLiteral("MWST"),
            {f("MwSt_Satz", T::Integer),   f("Bezeichnung", T::String, 40),
             f("Datum", T::Date),          f("MwST", T::Float),
             f("NMwST", T::Float),         opt("NEU_Datum", T::Date),
             f("NEU_MWST", T::Float),      f("Steuerkonto", T::Integer),
             f("NSteuerkonto", T::Integer), f("EL_Konto", T::Integer),
             f("NEL_Konto", T::Integer),   f("NEU_EL_Konto", T::Integer),
             opt("EGVerkauf", T::Integer), f("NEGVerkauf", T::Integer),
             f("NEU_EG_Verkauf", T::Integer), f("Not_EGVerkauf", T::Integer),
             f("NNot_EGVerkauf", T::Integer), f("NEU_NOTEGVerkauf", T::Integer),
             f("N_Bau", T::Integer),       f("NEU_BAUKONTO", T::Integer),
             f("Kostenkonto", T::Integer), f("NKostenkonto", T::Integer),
             f("NEU_Kostenkonto", T::Integer), opt("EGEinkauf", T::Integer),
             f("NEGEinkauf", T::Integer),  f("NEU_EGEinkauf", T::Integer),
             f("Not_EGEinkauf", T::Integer), f("NNot_EGEinkauf", T::Integer),
             f("NEU_NOTEGEinkauf", T::Integer)},
            {}};
}

WawiTabelle adressen()
{
    return {QStringLiteral("Adressen"),
            {f("Adresse", T::AutoInc), f("Mandant", T::Integer), f("Art", T::SmallInt),
             f("Nummer", T::String, 20), f("SUCHBEGRIFF", T::String, 40), f("Firma", T::String, 60),
             f("Name", T::String, 60), f("Strasse", T::String, 60), f("PLZ", T::String, 10),
             f("Ort", T::String, 40), f("Land", T::String, 40), f("EGID", T::String, 20),
             f("FibuKontonummer", T::Integer)},
            {}};
}

WawiTabelle land()
{
    return {QStringLiteral("Land"),
            {f("Land", T::Integer), f("LandName", T::String, 40), f("Kurz", T::String, 3),
             f("EU", T::Boolean), f("Aktiv", T::Boolean)},
            {ix("IX_LName", "LandName")}};
}

WawiTabelle zahlart()
{
    return {QStringLiteral("Zahlart"),
            {f("Zahlungsart", T::Integer), f("Bezeichnung", T::String, 40), f("Konto", T::Integer),
             f("Konto1", T::Integer)},
            {}};
}

WawiTabelle zahlung()
{
    return {QStringLiteral("Zahlung"),
            {f("Zahlung", T::AutoInc), f("Auftrag", T::Integer), f("Datum", T::Date),
             f("Betrag", T::Float), f("Konto", T::Integer), f("Fibu", T::Boolean),
             f("Storno", T::Boolean), f("Bemerkung", T::String, 60)},
            {ix("Vorgang", "Auftrag")}};
}

WawiTabelle kassenbuch()
{
    // Zeitraum mirrors the product's index: the first key part (the cash register) stays empty.
    return {QStringLiteral("Kassenbuch"),
            {f("Eintrag", T::AutoInc), f("Kasse", T::String, 10), f("Mandant", T::Integer),
             f("Datum", T::Date), f("Belegnummer", T::String, 20), f("Einnahme", T::Float),
             f("Ausgabe", T::Float), f("Steuer", T::Float), f("MwSt", T::SmallInt),
             f("Gegenkonto", T::Integer), f("Beschreibung", T::String, 80), opt("Faktor", T::Float),
             f("Fibu", T::Boolean)},
            {ix("Zeitraum", "Kasse;Mandant;Datum")}};
}

WawiTabelle monate()
{
    return {QStringLiteral("Monate"),
            {f("Monat", T::AutoInc), f("Mandant", T::Integer), f("Jahr", T::Integer),
             f("Periode", T::Integer), f("Abgeschlossen", T::Boolean)},
            {}};
}

QString sqlType(const WawiFeld& feld, WawiDialect dialect, bool firstField)
{
    const bool my = dialect == WawiDialect::MariaDB;
    switch (feld.typ) {
    case T::AutoInc:
        return my ? QStringLiteral("INT NOT NULL AUTO_INCREMENT")
                  : QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT");
    case T::Integer:
        if (firstField)
            return my ? QStringLiteral("INT NOT NULL") : QStringLiteral("INTEGER PRIMARY KEY");
        return my ? QStringLiteral("INT") : QStringLiteral("INTEGER");
    case T::SmallInt: return my ? QStringLiteral("SMALLINT") : QStringLiteral("INTEGER");
    case T::Boolean: return my ? QStringLiteral("TINYINT") : QStringLiteral("BOOLEAN");
    case T::Float: return my ? QStringLiteral("DOUBLE") : QStringLiteral("DOUBLE");
    case T::Date: return QStringLiteral("DATE");
    case T::DateTime: return QStringLiteral("DATETIME");
    case T::String: return QStringLiteral("VARCHAR(%1)").arg(feld.size);
    case T::Memo: return my ? QStringLiteral("LONGTEXT") : QStringLiteral("TEXT");
    }
    return QStringLiteral("TEXT");
}

QString quoted(const QString& name, WawiDialect dialect)
{
    return dialect == WawiDialect::MariaDB ? QLatin1Char('`') + name + QLatin1Char('`')
                                           : QLatin1Char('"') + name + QLatin1Char('"');
}

}  // namespace

const WawiFeld* WawiTabelle::feld(const QString& feldName) const
{
    for (const WawiFeld& fd : felder)
        if (fd.name.compare(feldName, Qt::CaseInsensitive) == 0)
            return &fd;
    return nullptr;
}

const QList<WawiTabelle>& WawiSchema::tabellen()
{
    static const QList<WawiTabelle> all{mandant(), auftrag(), auftragArt(), positionen(),
                                        artikel(), warengruppe(), mwst(), adressen(),
                                        land(), zahlart(), zahlung(), kassenbuch(), monate()};
    return all;
}

const WawiTabelle* WawiSchema::tabelle(const QString& name)
{
    QString base = name.trimmed();
    if (base.endsWith(QLatin1String(".db"), Qt::CaseInsensitive))
        base.chop(3);
    for (const WawiTabelle& t : tabellen())
        if (t.name.compare(base, Qt::CaseInsensitive) == 0)
            return &t;
    return nullptr;
}

QString WawiSchema::indexName(const WawiTabelle& tabelle, const WawiIndex& index,
                              WawiDialect dialect)
{
    return dialect == WawiDialect::SQLite ? tabelle.name + QLatin1Char('_') + index.name
                                          : index.name;
}

QList<WawiFeld> WawiSchema::felder(const WawiTabelle& tabelle, const WawiSchemaOptions& options)
{
    QList<WawiFeld> result;
    for (const WawiFeld& fd : tabelle.felder)
        if (options.withOptionalFields || !fd.optional)
            result.append(fd);
    return result;
}

QStringList WawiSchema::createStatements(const WawiTabelle& tabelle, WawiDialect dialect,
                                         const WawiSchemaOptions& options)
{
    const QList<WawiFeld> all = felder(tabelle, options);
    QStringList columns;
    QStringList memos;
    for (qsizetype i = 0; i < all.size(); ++i) {
        const QString column = quoted(all[i].name, dialect) + QLatin1Char(' ')
                               + sqlType(all[i], dialect, i == 0);
        if (dialect == WawiDialect::MariaDB && all[i].typ == T::Memo)
            memos.append(column);
        else
            columns.append(column);
    }
    if (dialect == WawiDialect::MariaDB) {
        // Memo columns last, the insert token in front of them, as the data-access layer does.
        columns.append(quoted(QStringLiteral("Qem_dummy"), dialect) + QStringLiteral(" TEXT"));
        columns.append(memos);
        columns.append(QStringLiteral("PRIMARY KEY (%1)").arg(quoted(all.first().name, dialect)));
    }
    QString create = QStringLiteral("CREATE TABLE %1 (%2)")
                         .arg(quoted(tabelle.name, dialect), columns.join(QStringLiteral(", ")));
    if (dialect == WawiDialect::MariaDB)
        create += QStringLiteral(" ENGINE=InnoDB DEFAULT CHARSET=utf8mb4");

    QStringList statements{create};
    for (const WawiIndex& index : tabelle.indexe) {
        QStringList keyColumns;
        for (const QString& name : index.felder)
            keyColumns.append(quoted(name, dialect));
        statements.append(QStringLiteral("CREATE INDEX %1 ON %2 (%3)")
                              .arg(quoted(indexName(tabelle, index, dialect), dialect),
                                   quoted(tabelle.name, dialect),
                                   keyColumns.join(QStringLiteral(", "))));
    }
    return statements;
}

WawiDialect WawiSchema::dialectOf(const QSqlDatabase& db)
{
    const QString driver = db.driverName();
    return driver.startsWith(QLatin1String("QMYSQL")) || driver.startsWith(QLatin1String("QMARIADB"))
               ? WawiDialect::MariaDB
               : WawiDialect::SQLite;
}

bool WawiSchema::create(QSqlDatabase& db, const WawiSchemaOptions& options, QString* error)
{
    const WawiDialect dialect = dialectOf(db);
    QSqlQuery query(db);
    for (const WawiTabelle& t : tabellen()) {
        if (!options.nurTabellen.isEmpty()
            && !options.nurTabellen.contains(t.name, Qt::CaseInsensitive))
            continue;
        QStringList statements{QStringLiteral("DROP TABLE IF EXISTS %1").arg(quoted(t.name, dialect))};
        statements.append(createStatements(t, dialect, options));
        for (const QString& sql : statements) {
            if (!query.exec(sql)) {
                if (error)
                    *error = sql + QStringLiteral(": ") + query.lastError().text();
                return false;
            }
        }
    }
    return true;
}

QString WawiSchema::sqliteConnectionString(const QString& absolutePath)
{
    return QStringLiteral("Provider=SQLite;Data Source=") + absolutePath;
}
