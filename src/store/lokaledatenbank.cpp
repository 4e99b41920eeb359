#include "store/lokaledatenbank.h"

QString LokaleDatenbankDatei(const QString& datenPfad) { return datenPfad + DateVDateiname; }
bool LokaleDatenbankOeffnen(QString*) { return false; }
void LokaleDatenbankSchliessen() {}
QSqlDatabase LokaleDatenbank() { return QSqlDatabase::database(DateVVerbindung, false); }
QString LokalerTabellenname(const QString& name, const QSqlDatabase&) { return name; }
QString LokalesSql(const QString& sql, const QSqlDatabase&) { return sql; }
int NaechsteNummer(const QString&, const QSqlDatabase&) { return 1; }
