#include "shell/kommandozeile.h"

namespace {

bool istOption(const QString& parameter)
{
    return parameter.trimmed().startsWith(QLatin1Char('-'));
}

}  // namespace

Kommandozeile Kommandozeile::auswerten(const QStringList& parameter)
{
    Kommandozeile ergebnis;
    if (parameter.isEmpty())
        return ergebnis;
    if (!istOption(parameter.first()))
        ergebnis.konfiguration_ = parameter.first();
    if (parameter.size() == 1 && !ergebnis.konfiguration_.isEmpty())
        return ergebnis;

    // The option is the first parameter, or the second when the first names the configuration.
    ergebnis.option_ = ergebnis.konfiguration_.isEmpty() ? parameter.at(0) : parameter.at(1);
    const QString option = ergebnis.option_.trimmed().toUpper();
    if (option == QLatin1String("-IN"))
        ergebnis.lauf_ = Lauf::Import;
    else if (option == QLatin1String("-AUS"))
        ergebnis.lauf_ = Lauf::Export;
    else if (option == QLatin1String("-INAUS"))
        ergebnis.lauf_ = Lauf::ImportExport;
    else
        ergebnis.lauf_ = Lauf::Unbekannt;
    return ergebnis;
}
