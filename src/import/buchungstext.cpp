#include "import/buchungstext.h"

#include "import/feldwerte.h"

#include <QRegularExpression>

namespace fibuimport {

namespace {

QString erloesBasis(const QSqlRecord& beleg)
{
    switch (feldGanz(beleg, QStringLiteral("Art"))) {
    case 13:
        return QStringLiteral("Wertgutschrift:");
    case 7:
        return QStringLiteral("Gutschrift:");
    default:
        return QStringLiteral("Rechnr:");
    }
}

QString artWort(int buchungsArt)
{
    switch (buchungsArt) {
    case Verkauf:
        return QStringLiteral("Verkauf: ");
    case Bezahlung:
        return QStringLiteral("Bezahlung: ");
    case Skonto:
        return QStringLiteral("Skonto: ");
    case Forderung:
        return QStringLiteral("Forderung: ");
    case Ueberzahlung:
        return QStringLiteral("Überzahlung: ");
    default:
        return {};
    }
}

}  // namespace

QString lieferNamensPrefix(const QString& lieferanschrift)
{
    const QString text = lieferanschrift.trimmed();
    if (text.isEmpty())
        return {};
    QStringList zeilen = text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    if (zeilen.size() == 1)
        return zeilen.first().left(15);
    const QString erste = zeilen.first().toUpper();
    if (erste.left(4) == QLatin1String("HERR") || erste == QLatin1String("FRAU") || erste == QLatin1String("FIRMA"))
        zeilen.removeFirst();
    return (zeilen.first().left(15) + zeilen.last().left(15)).left(20);
}

QString automatischerText(ImportModus modus, int buchungsArt, const QSqlRecord& beleg,
                          const QSqlRecord& adresse)
{
    const QString nummer = feldText(beleg, QStringLiteral("Vorgangsnummer"));
    const QString adressNummer = feldText(adresse, QStringLiteral("Nummer"));
    if (modus == ImportModus::Eingang) {
        const QString basis = feldGanz(beleg, QStringLiteral("Art")) == 20
                                  ? QStringLiteral("Lieferantengutschriftsnr: ")
                                  : QStringLiteral("Einrechnungsnr: ");
        return basis + nummer + QStringLiteral(" Liefernr:") + adressNummer;
    }
    QString text;
    if (buchungsArt >= Verkauf && buchungsArt <= Ueberzahlung)
        text = artWort(buchungsArt) + erloesBasis(beleg);
    text += nummer + QStringLiteral(" Kundennr:") + adressNummer;
    const QString name = lieferNamensPrefix(feldText(beleg, QStringLiteral("Lieferanschrift")));
    if (!name.isEmpty())
        text = name + QLatin1Char('>') + text;
    return text;
}

QString vorlageFuellen(const QString& vorlage, const QSqlRecord& beleg, const QSqlRecord& adresse)
{
    QString text = vorlage;
    int p = text.indexOf(QLatin1Char('{'));
    while (p >= 0 && p < text.size() - 1) {
        const int q = text.indexOf(QLatin1Char('}'), p + 1);
        if (q < 0)
            break;
        const QString name = text.mid(p + 1, q - p - 1);
        QString wert = name;
        if (hatFeld(beleg, name))
            wert = alsAnzeigeText(feld(beleg, name));
        else if (hatFeld(adresse, name))
            wert = alsAnzeigeText(feld(adresse, name));
        text.replace(p, q - p + 1, wert);
        p = text.indexOf(QLatin1Char('{'), p + wert.size());
    }
    return text;
}

QString buchungstext(ImportModus modus, int buchungsArt, const QSqlRecord& beleg, const QSqlRecord& adresse,
                     bool eigenerText, const QString& vorlage)
{
    if (eigenerText)
        return vorlageFuellen(vorlage, beleg, adresse);
    return automatischerText(modus, buchungsArt, beleg, adresse);
}

BuchungsKonten buchungsKonten(ImportModus modus, int buchungsArt, int personenkonto, int konto)
{
    const bool erloese = modus == ImportModus::Erloese;
    if (buchungsArt == Ueberzahlung)
        return erloese ? BuchungsKonten{konto, personenkonto, false} : BuchungsKonten{personenkonto, konto, true};
    if (buchungsArt == Skonto)
        return erloese ? BuchungsKonten{personenkonto, konto, true} : BuchungsKonten{konto, personenkonto, false};
    return erloese ? BuchungsKonten{personenkonto, konto, false} : BuchungsKonten{konto, personenkonto, true};
}

}  // namespace fibuimport
