#pragma once
// Dataset helpers of the helper library.
//
// AbfrageOeffnen: closes the query, sets its text, opens it; false on any error, no message.
// BearbeitenStarten: a browsing dataset goes into edit state; true unless that fails.
// ZahlFormatSetzen: display and edit format of a numeric field; errors ignored.

#include <QString>

class TQemQuery;
class TQemDataSet;
class TQemField;

bool AbfrageOeffnen(TQemQuery& query, const QString& sql);
bool BearbeitenStarten(TQemDataSet& dataSet);
void ZahlFormatSetzen(TQemField* field, const QString& format);
