#include "store/verzeichnisse.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QString mitTrenner(const QString& dir)
{
    return dir.endsWith(QLatin1Char('/')) || dir.endsWith(QLatin1Char('\\')) ? dir : dir + QLatin1Char('/');
}

}  // namespace

void VerzeichnisAnlegen(const QString& dir)
{
    QDir().mkdir(dir);
}

bool VerzeichnisTest(const QString& dir)
{
    const QString datei = mitTrenner(dir) + QStringLiteral("DIRTST.TST");
    QFile file(datei);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const bool geschrieben = file.write("0", 1) == 1;
    file.close();
    return QFile::remove(datei) && geschrieben;
}

void VerzeichnisLoeschen(const QString& dir)
{
    QDir verzeichnis(dir);
    const QFileInfoList eintraege = verzeichnis.entryInfoList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo& eintrag : eintraege) {
        QFile::setPermissions(eintrag.filePath(), eintrag.permissions() | QFileDevice::WriteOwner);
        QFile::remove(eintrag.filePath());
    }
    QDir().rmdir(dir);
}
