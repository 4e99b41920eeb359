#include "store/listenleser.h"

#include "store/zahlen.h"

QString ListenWert(const QStringList& list, const QString& key)
{
    const QString gesucht = key.trimmed();
    for (const QString& zeile : list) {
        const qsizetype gleich = zeile.indexOf(QLatin1Char('='));
        if (gleich < 0)
            continue;
        if (zeile.left(gleich).trimmed().compare(gesucht, Qt::CaseInsensitive) == 0)
            return zeile.mid(gleich + 1).trimmed();
    }
    return QString();
}

void ListenText(const QStringList& list, const QString& key, QString& value)
{
    const QString wert = ListenWert(list, key);
    if (!wert.isEmpty())
        value = wert;
}

bool ListenGanzzahl(const QStringList& list, const QString& key, int& value)
{
    const QString wert = ListenWert(list, key);
    if (wert.isEmpty())
        return true;
    bool ok = false;
    const int zahl = wert.toInt(&ok, 10);
    if (ok)
        value = zahl;
    return ok;
}

void ListenZahl(const QStringList& list, const QString& key, double& value)
{
    const QString wert = ListenWert(list, key);
    if (!wert.isEmpty())
        value = TextZuZahl(wert);
}

void ListenSchalter(const QStringList& list, const QString& key, bool& value)
{
    const QString wert = ListenWert(list, key);
    if (!wert.isEmpty())
        value = wert != QLatin1String("0");
}
