#include "store/tabellendefinition.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <algorithm>

namespace {

QString typNormal(const QString& typ)
{
    return typ.simplified().toUpper().replace(QStringLiteral(" ("), QStringLiteral("("));
}

bool ausfuehren(QSqlQuery& q, const QString& sql, QString* fehler)
{
    if (q.exec(sql))
        return true;
    if (fehler)
        *fehler = q.lastError().text();
    return false;
}

// Text after the last " WHERE " of a partial index's statement.
QString bedingungVon(const QString& sql)
{
    static const QRegularExpression where(QStringLiteral("\\bWHERE\\b"), QRegularExpression::CaseInsensitiveOption);
    QRegularExpressionMatchIterator it = where.globalMatch(sql);
    qsizetype pos = -1;
    while (it.hasNext())
        pos = it.next().capturedEnd();
    return pos < 0 ? QString() : sql.mid(pos).simplified();
}

bool indexLesen(const QSqlDatabase& db, IndexDefinition& index, QString* fehler)
{
    QSqlQuery q(db);
    if (!ausfuehren(q, QStringLiteral("PRAGMA index_xinfo(%1)").arg(SqlName(index.name)), fehler))
        return false;
    while (q.next()) {
        if (q.value(5).toInt() != 1)
            continue;  // the row id that every index carries
        index.felder.append(q.value(2).isNull() ? QStringLiteral("<expr>") : q.value(2).toString());
        index.absteigend.append(q.value(3).toInt() != 0);
        index.sortierfolgen.append(q.value(4).toString().toUpper());
    }
    QSqlQuery s(db);
    s.prepare(QStringLiteral("SELECT sql FROM sqlite_master WHERE type='index' AND name=?"));
    s.addBindValue(index.name);
    if (s.exec() && s.next())
        index.sql = s.value(0).toString();
    return true;
}

// Everything of an index but its name, for the comparison.
QString indexSchluessel(const IndexDefinition& i)
{
    QStringList teile;
    for (int k = 0; k < i.felder.size(); ++k) {
        teile.append(i.felder[k] + (i.absteigend.value(k) ? QStringLiteral(" DESC") : QString())
                     + QStringLiteral(" ") + i.sortierfolgen.value(k));
    }
    return teile.join(QLatin1Char(',')) + QLatin1Char('|') + (i.eindeutig ? QLatin1Char('U') : QLatin1Char('-'))
           + QLatin1Char('|') + i.herkunft + QLatin1Char('|') + i.bedingung;
}

QString indexName(const QString& vorlage, const QString& original, const QString& ziel)
{
    return ziel.compare(vorlage, Qt::CaseInsensitive) == 0 ? original : ziel + QLatin1Char('_') + original;
}

QString spaltenListe(const IndexDefinition& i)
{
    QStringList spalten;
    for (int k = 0; k < i.felder.size(); ++k) {
        QString s = SqlName(i.felder[k]);
        if (!i.sortierfolgen.value(k).isEmpty() && i.sortierfolgen.value(k) != QLatin1String("BINARY"))
            s += QStringLiteral(" COLLATE ") + i.sortierfolgen[k];
        if (i.absteigend.value(k))
            s += QStringLiteral(" DESC");
        spalten.append(s);
    }
    return spalten.join(QStringLiteral(", "));
}

}  // namespace

const FeldDefinition* TabellenDefinition::autoinkrementFeld() const
{
    for (const FeldDefinition& f : felder) {
        if (f.autoinkrement)
            return &f;
    }
    return nullptr;
}

int TabellenDefinition::feldIndex(const QString& feldname) const
{
    for (int i = 0; i < felder.size(); ++i) {
        if (felder[i].name.compare(feldname, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QString SqlName(const QString& name)
{
    return QLatin1Char('"') + QString(name).replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
}

std::optional<TabellenDefinition> DefinitionLesen(const QSqlDatabase& db, const QString& tabelle, QString* fehler)
{
    TabellenDefinition def;
    QString tabellenSql;
    {
        QSqlQuery q(db);
        q.prepare(QStringLiteral("SELECT name, sql FROM sqlite_master WHERE type='table' AND name=? COLLATE NOCASE"));
        q.addBindValue(tabelle);
        if (!q.exec() || !q.next()) {
            if (fehler)
                *fehler = QStringLiteral("Tabelle %1 fehlt").arg(tabelle);
            return std::nullopt;
        }
        def.name = q.value(0).toString();
        tabellenSql = q.value(1).toString();
    }
    static const QRegularExpression autoinc(QStringLiteral("\\bAUTOINCREMENT\\b"), QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression ohneRowid(QStringLiteral("\\bWITHOUT\\s+ROWID\\s*$"), QRegularExpression::CaseInsensitiveOption);
    def.ohneRowid = ohneRowid.match(tabellenSql.trimmed()).hasMatch();
    {
        QSqlQuery q(db);
        if (!ausfuehren(q, QStringLiteral("PRAGMA table_info(%1)").arg(SqlName(def.name)), fehler))
            return std::nullopt;
        while (q.next()) {
            FeldDefinition f;
            f.name = q.value(1).toString();
            f.typ = typNormal(q.value(2).toString());
            f.pflicht = q.value(3).toInt() != 0;
            f.vorgabe = q.value(4).isNull() ? QString() : q.value(4).toString();
            f.schluessel = q.value(5).toInt();
            def.felder.append(f);
        }
    }
    const int schluesselFelder = int(std::count_if(def.felder.begin(), def.felder.end(),
                                                   [](const FeldDefinition& f) { return f.schluessel > 0; }));
    if (schluesselFelder == 1 && autoinc.match(tabellenSql).hasMatch()) {
        for (FeldDefinition& f : def.felder) {
            if (f.schluessel > 0 && f.typ == QLatin1String("INTEGER"))
                f.autoinkrement = true;
        }
    }
    QSqlQuery q(db);
    if (!ausfuehren(q, QStringLiteral("PRAGMA index_list(%1)").arg(SqlName(def.name)), fehler))
        return std::nullopt;
    while (q.next()) {
        IndexDefinition i;
        i.name = q.value(1).toString();
        i.eindeutig = q.value(2).toInt() != 0;
        i.herkunft = q.value(3).toString();
        def.indizes.append(i);
        if (q.value(4).toInt() != 0)
            def.indizes.last().bedingung = QStringLiteral("?");
    }
    for (IndexDefinition& i : def.indizes) {
        if (!indexLesen(db, i, fehler))
            return std::nullopt;
        if (!i.bedingung.isEmpty())
            i.bedingung = bedingungVon(i.sql);
    }
    return def;
}

bool StrukturGleich(const TabellenDefinition& a, const TabellenDefinition& b)
{
    if (a.felder.size() != b.felder.size() || a.indizes.size() != b.indizes.size() || a.ohneRowid != b.ohneRowid)
        return false;
    for (int i = 0; i < a.felder.size(); ++i) {
        const FeldDefinition& x = a.felder[i];
        const FeldDefinition& y = b.felder[i];
        if (x.name != y.name || x.typ != y.typ || x.schluessel != y.schluessel || x.autoinkrement != y.autoinkrement)
            return false;
    }
    QStringList ia;
    QStringList ib;
    for (const IndexDefinition& i : a.indizes)
        ia.append(indexSchluessel(i));
    for (const IndexDefinition& i : b.indizes)
        ib.append(indexSchluessel(i));
    ia.sort();
    ib.sort();
    return ia == ib;
}

QString CreateTableSql(const TabellenDefinition& def, const QString& ziel)
{
    QStringList teile;
    QStringList schluessel;
    for (const FeldDefinition& f : def.felder) {
        if (f.schluessel > 0)
            schluessel.append(SqlName(f.name));
    }
    const bool einSchluessel = schluessel.size() == 1;
    for (const FeldDefinition& f : def.felder) {
        QString spalte = SqlName(f.name);
        if (!f.typ.isEmpty())
            spalte += QLatin1Char(' ') + f.typ;
        if (einSchluessel && f.schluessel > 0)
            spalte += f.autoinkrement ? QStringLiteral(" PRIMARY KEY AUTOINCREMENT") : QStringLiteral(" PRIMARY KEY");
        if (f.pflicht)
            spalte += QStringLiteral(" NOT NULL");
        if (!f.vorgabe.isEmpty())
            spalte += QStringLiteral(" DEFAULT ") + f.vorgabe;
        teile.append(spalte);
    }
    if (schluessel.size() > 1) {
        // Key order is the position in the primary key, not the field order.
        QList<const FeldDefinition*> sortiert;
        for (const FeldDefinition& f : def.felder) {
            if (f.schluessel > 0)
                sortiert.append(&f);
        }
        std::sort(sortiert.begin(), sortiert.end(),
                  [](const FeldDefinition* x, const FeldDefinition* y) { return x->schluessel < y->schluessel; });
        QStringList namen;
        for (const FeldDefinition* f : sortiert)
            namen.append(SqlName(f->name));
        teile.append(QStringLiteral("PRIMARY KEY (%1)").arg(namen.join(QStringLiteral(", "))));
    }
    for (const IndexDefinition& i : def.indizes) {
        if (i.herkunft == QLatin1String("u"))
            teile.append(QStringLiteral("UNIQUE (%1)").arg(spaltenListe(i)));
    }
    return QStringLiteral("CREATE TABLE %1 (\n  %2\n)%3")
        .arg(SqlName(ziel), teile.join(QStringLiteral(",\n  ")),
             def.ohneRowid ? QStringLiteral(" WITHOUT ROWID") : QString());
}

QStringList CreateIndexSql(const TabellenDefinition& def, const QString& ziel)
{
    QStringList anweisungen;
    for (const IndexDefinition& i : def.indizes) {
        if (i.herkunft != QLatin1String("c"))
            continue;
        const QString name = indexName(def.name, i.name, ziel);
        if (i.felder.contains(QStringLiteral("<expr>"))) {
            // An index over expressions: its own statement with the new names.
            static const QRegularExpression kopf(
                QStringLiteral("^\\s*CREATE\\s+(UNIQUE\\s+)?INDEX\\s+(IF\\s+NOT\\s+EXISTS\\s+)?\\S+\\s+ON\\s+\\S+?\\s*\\("),
                QRegularExpression::CaseInsensitiveOption);
            QString sql = i.sql;
            sql.replace(kopf, QStringLiteral("CREATE %1INDEX %2 ON %3 (")
                                  .arg(i.eindeutig ? QStringLiteral("UNIQUE ") : QString(), SqlName(name), SqlName(ziel)));
            anweisungen.append(sql);
            continue;
        }
        QString sql = QStringLiteral("CREATE %1INDEX %2 ON %3 (%4)")
                          .arg(i.eindeutig ? QStringLiteral("UNIQUE ") : QString(), SqlName(name), SqlName(ziel),
                               spaltenListe(i));
        if (!i.bedingung.isEmpty())
            sql += QStringLiteral(" WHERE ") + i.bedingung;
        anweisungen.append(sql);
    }
    return anweisungen;
}

QString Affinitaet(const QString& typ)
{
    const QString t = typ.toUpper();
    if (t.contains(QLatin1String("INT")))
        return QStringLiteral("INTEGER");
    if (t.contains(QLatin1String("CHAR")) || t.contains(QLatin1String("CLOB")) || t.contains(QLatin1String("TEXT")))
        return QStringLiteral("TEXT");
    if (t.isEmpty() || t.contains(QLatin1String("BLOB")))
        return QStringLiteral("BLOB");
    if (t.contains(QLatin1String("REAL")) || t.contains(QLatin1String("FLOA")) || t.contains(QLatin1String("DOUB")))
        return QStringLiteral("REAL");
    return QStringLiteral("NUMERIC");
}

QStringList SqlAnweisungen(const QString& text)
{
    QStringList anweisungen;
    QString aktuell;
    QChar zitat;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (!zitat.isNull()) {
            aktuell += c;
            if (c == zitat)
                zitat = QChar();
            continue;
        }
        if (c == QLatin1Char('-') && i + 1 < text.size() && text[i + 1] == QLatin1Char('-')) {
            while (i < text.size() && text[i] != QLatin1Char('\n'))
                ++i;
            aktuell += QLatin1Char('\n');
            continue;
        }
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            zitat = c;
            aktuell += c;
        } else if (c == QLatin1Char(';')) {
            if (!aktuell.trimmed().isEmpty())
                anweisungen.append(aktuell.trimmed());
            aktuell.clear();
        } else {
            aktuell += c;
        }
    }
    if (!aktuell.trimmed().isEmpty())
        anweisungen.append(aktuell.trimmed());
    return anweisungen;
}
