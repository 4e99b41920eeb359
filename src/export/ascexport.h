#pragma once
// The plain text export of the journal (ASC_Export): a header line with every field name of
// the journal followed by the separator, then one line per booking in key order (BuchNr) with
// every value as display text followed by the separator. Nothing is quoted or escaped; dates
// "dd.MM.yyyy", numbers with a decimal comma, Booleans "True"/"False", empty fields empty.
// Code page 1252, CR LF. Bookings are not marked.
//
// Call sequence: AscExport run(journal, optionen, feedback); run.schreiben(device, separator).
// The dialog's filter applies ("Filter ist nicht anwendbar!" when it does not fit, then all
// rows). Progress is rows written x 100 / rows; feedback.cancelled() is asked once per row and
// stops the run after the current row (the file keeps the lines written). Errors throw.

#include "export/exportoptionen.h"

#include <QSqlDatabase>
#include <QString>

class Feedback;
class QIODevice;

class AscExport {
public:
    AscExport(const QSqlDatabase& journal, const ExportOptionen& optionen, Feedback& feedback);

    // Returns the number of rows written.
    qint64 schreiben(QIODevice& datei, const QString& trennzeichen);
    // ASC_Export on a file path: creates (overwrites) the file and writes it.
    qint64 ASC_Export(const QString& pfad, const QString& trennzeichen);

    bool abgebrochen() const { return abgebrochen_; }

private:
    QSqlDatabase journal_;
    ExportOptionen opt_;
    Feedback& feedback_;
    bool abgebrochen_ = false;
};
