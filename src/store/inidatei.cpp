#include "store/inidatei.h"

IniDatei::IniDatei(const QString& pfad) : pfad_(pfad) {}
bool IniDatei::laden() { return false; }
void IniDatei::setzenText(const QString& text) { zeilen_ = text.split(QLatin1Char('\n')); }
bool IniDatei::speichern() const { return false; }
QStringList IniDatei::sektion(const QString&) const { return {}; }
QString IniDatei::wert(const QString&, const QString&) const { return {}; }
void IniDatei::setzen(const QString&, const QString&, const QString&) {}
QString IniDatei::text() const { return zeilen_.join(QLatin1String("\r\n")); }
int IniDatei::sektionsZeile(const QString&) const { return -1; }
