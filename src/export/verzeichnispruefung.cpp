#include "export/verzeichnispruefung.h"

#include "export/exportoptionen.h"
#include "store/feedback.h"
#include "store/verzeichnisse.h"

bool exportVerzeichnisPruefen(const ExportOptionen& optionen, Feedback& feedback)
{
    QString text;
    if (optionen.verzeichnis.isEmpty())
        text = kKeinVerzeichnis;
    else if (!VerzeichnisTest(optionen.verzeichnis))
        text = kVerzeichnisFehlt + optionen.verzeichnis;
    else
        return true;
    exportMelden(optionen, feedback, text, MessageKind::Error);
    return false;
}

QString exportVerzeichnisMitTrenner(const QString& verzeichnis)
{
    if (verzeichnis.endsWith(QLatin1Char('/')) || verzeichnis.endsWith(QLatin1Char('\\')))
        return verzeichnis;
    return verzeichnis + QLatin1Char('/');
}
