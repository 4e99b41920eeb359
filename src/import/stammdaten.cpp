#include "import/stammdaten.h"

#include <cmath>

namespace fibuimport {

QString schluessel(const QVariant& wert)
{
    if (wert.isNull())
        return {};
    bool ok = false;
    const double d = wert.toString().trimmed().toDouble(&ok);
    if (ok && std::floor(d) == d && std::abs(d) < 9.0e15)
        return QString::number(static_cast<qint64>(d));
    return wert.toString().trimmed();
}

const QSqlRecord* Stammdaten::artikelVon(const QVariant& id) const
{
    auto it = artikel.constFind(schluessel(id));
    return it == artikel.constEnd() ? nullptr : &it.value();
}

const QSqlRecord* Stammdaten::warengruppeVon(const QVariant& nr) const
{
    auto it = warengruppen.constFind(schluessel(nr));
    return it == warengruppen.constEnd() ? nullptr : &it.value();
}

QString Stammdaten::uebersetzungsSchluessel(int konto, const QString& land)
{
    return QString::number(konto) + QLatin1Char('|') + land;
}

int Stammdaten::uebersetzt(int konto, const QString& land) const
{
    return uebersetzung.value(uebersetzungsSchluessel(konto, land), 0);
}

}  // namespace fibuimport
