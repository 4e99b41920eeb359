#pragma once
// Reading and writing the merchandise-management database for the import with our own bound
// statements over the run's connection: whole small tables, rows of many keys at once (the
// positions, articles and addresses of a block of documents), and the few UPDATEs of the
// transfer flags and personal accounts. Every statement is announced to the connection
// (NoteStatement) and counted.
//
// Throws EQemDatabaseError with the server's message.

#include <QSqlRecord>
#include <QString>
#include <QVariantList>
#include <QVector>

class TQemConnection;

namespace fibuimport {

class WaWiLeser {
public:
    explicit WaWiLeser(TQemConnection& verbindung);

    QVector<QSqlRecord> zeilen(const QString& sql, const QVariantList& werte = {});
    // Rows of `tabelle` whose `feld` is one of `schluessel`, in `ordnung` (SQL ORDER BY text).
    QVector<QSqlRecord> zeilenMit(const QString& tabelle, const QString& feld, const QVariantList& schluessel,
                                  const QString& ordnung = QString());
    // Rows affected.
    int ausfuehren(const QString& sql, const QVariantList& werte);
    // The field names of a table (no statement on most drivers).
    QSqlRecord felder(const QString& tabelle);

    // Counts and times a statement sent by other means (the numbering query).
    template <typename F>
    auto gezaehlt(F&& senden)
    {
        Stoppuhr uhr(*this);
        return senden();
    }

    int serverType() const;
    qint64 anweisungen() const { return anweisungen_; }
    // Time spent waiting for the server (statements and fetching their rows), nanoseconds.
    qint64 serverZeitNs() const { return serverNs_; }

private:
    struct Stoppuhr {
        explicit Stoppuhr(WaWiLeser& l);
        ~Stoppuhr();
        WaWiLeser& leser;
        qint64 start;
    };

    TQemConnection& verbindung_;
    qint64 anweisungen_ = 0;
    qint64 serverNs_ = 0;
};

}  // namespace fibuimport
