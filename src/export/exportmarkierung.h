#pragma once
// The export mark: Export set to True on every booking a writer has dealt with, in batches.
//
// A writer notes each booking with the byte offset at which its line ends in the file
// (vormerken), and from time to time flushes the file and calls festschreiben(bytes that the
// file really holds): the bookings whose lines lie completely in the file are marked in one
// transaction. So a mark is never ahead of the file: after a full disk, the marked bookings are
// exactly those whose lines were written. Offsets only grow.
// The journal connection is not owned.

#include <QList>
#include <QSqlDatabase>

class ExportMarkierung {
public:
    explicit ExportMarkierung(const QSqlDatabase& journal);

    void vormerken(qint64 buchNr, qint64 zeilenEnde);
    // Throws ExportError when the journal refuses the marks (none of the batch is then set).
    void festschreiben(qint64 bytesInDatei);
    // Bookings noted and not yet marked.
    int offen() const { return static_cast<int>(offen_.size() - erster_); }
    qint64 markiert() const { return markiert_; }
    // Where the line of the last marked booking ends (0 before the first mark).
    qint64 letztesEnde() const { return letztesEnde_; }

private:
    struct Vormerkung {
        qint64 buchNr;
        qint64 ende;
    };
    void markieren(const QList<qint64>& alle);

    QSqlDatabase db_;
    QList<Vormerkung> offen_;
    qsizetype erster_ = 0;
    qint64 markiert_ = 0;
    qint64 letztesEnde_ = 0;
};
