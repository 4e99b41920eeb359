#pragma once
// Text helpers with the exact behaviour the import and export formats rely on.
// Positions are 1-based as in the booking-text templates; counts below 1 give empty texts.

#include <QString>
#include <QStringList>

// Digits "0".."9" of the first 199 characters of the trimmed text, in order.
QString NurZiffern(const QString& text);
// As NurZiffern, keeping "0".."9", "a".."z", "A".."Z".
QString NurBuchstabenZiffern(const QString& text);
// Upper case character by character ("ß" stays), with "ä", "ö", "ü" as "Ä", "Ö", "Ü".
QString GrossMitUmlaut(const QString& text);
// Replaces the first occurrence of `alt`, searching from the start each time, until none is
// left. An empty `alt` leaves the text; a `neu` that contains `alt` is replaced in one pass
// (the repeated search would never end).
QString ErsetzeAlle(const QString& text, const QString& alt, const QString& neu);
// 1-based position of sub at or after start (start below 1 counts as 1); 0 when absent.
int PosAb(int start, const QString& text, const QString& sub);
QString Links(const QString& text, int n);
QString Rechts(const QString& text, int n);
// Characters from position pos (1-based; below 1 counts as 1) to the end.
QString AbPosition(const QString& text, int pos);
QString Leerzeichen(int n);
// Index of the first entry equal to text when both are trimmed and upper-cased; -1 when none.
int ListenPosition(const QStringList& list, const QString& text);
