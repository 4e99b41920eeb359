#pragma once
// Readers over the lines of one INI section ("Key=Value" lines, keys without regard to case,
// first match wins). A key that is absent or empty leaves the value unchanged.

#include <QString>
#include <QStringList>

// The trimmed value of the key; null when the list has no such key.
QString ListenWert(const QStringList& list, const QString& key);

void ListenText(const QStringList& list, const QString& key, QString& value);
// Strict integer conversion. Returns false, leaving value unchanged, when the text is not an
// integer (the caller reports it; the start goes on).
bool ListenGanzzahl(const QStringList& list, const QString& key, int& value);
void ListenZahl(const QStringList& list, const QString& key, double& value);
// "0" gives false, any other non-empty text true.
void ListenSchalter(const QStringList& list, const QString& key, bool& value);
