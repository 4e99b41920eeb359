#pragma once
// The directory check of the DATEV writers: the target directory must be given and pass the
// write test (VerzeichnisTest). The two failure messages are shown unless the run is
// unattended; a failed check means that nothing is written.

#include <QString>

class Feedback;
struct ExportOptionen;

inline const QString kKeinVerzeichnis = QStringLiteral("Kein Verzeichnis angegeben!");
inline const QString kVerzeichnisFehlt = QStringLiteral("Das Verzeichnis existiert nicht! : ");

bool exportVerzeichnisPruefen(const ExportOptionen& optionen, Feedback& feedback);
// The directory with a path delimiter at the end.
QString exportVerzeichnisMitTrenner(const QString& verzeichnis);
