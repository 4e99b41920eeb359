#include "store/strukturcheck.h"

#include "store/feedback.h"

QString StrukturMeldung::NichtErstellt(const QString& tabelle)
{
    return QStringLiteral("Datenbank: ") + tabelle + QStringLiteral(" konnte nicht erstellt werden!");
}

QString StrukturMeldung::TabellenFehler(const QString& tabelle)
{
    return QStringLiteral("Es ist ein Fehler bei Datenbank: ") + tabelle + QStringLiteral(" aufgetreten!");
}

class StrukturCheck::Impl {};

StrukturCheck::StrukturCheck(Feedback* feedback) : StrukturCheck(QString(), feedback) {}
StrukturCheck::StrukturCheck(const QString& programmPfad, Feedback* feedback)
    : d_(std::make_unique<Impl>()), feedback_(feedback ? *feedback : silentFeedback()), programmPfad_(programmPfad)
{
}
StrukturCheck::~StrukturCheck() = default;
bool StrukturCheck::Check_Version() { return true; }
bool StrukturCheck::Check() { return true; }
bool StrukturCheck::Konvert() { return true; }
bool StrukturCheck::ErstInsatll() { return true; }
bool StrukturCheck::Struktur_Check(const QString&, const QString&) { return false; }
bool StrukturCheck::StrukturKopieren(const QString&, const QString&) { return false; }
bool StrukturCheck::Tab_DatenCopy(const QString&, const QString&) { return false; }
qint64 StrukturCheck::Tab_RecordCount(const QString&) { return -1; }
bool StrukturCheck::Tab_Umbenennen(const QString&, const QString&) { return false; }
bool StrukturCheck::Tab_Move(const QString&, const QString&) { return false; }
void StrukturCheck::Tab_Delete(const QString&) {}
double StrukturCheck::VersionLesen(const QString&) { return 0; }
