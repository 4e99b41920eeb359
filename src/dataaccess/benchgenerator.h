#pragma once
// Fills a merchandise-management database with many documents for benchmarks: the demo master
// data and documents (DemoDaten), then `belege` further documents of client 1 with
// `positionen` positions each, their addresses, articles and partial payments.
//
// Call sequence: BenchGenerator::generate(db, options, &error, progress);
// It creates the schema itself (dropping existing tables). Everything is written in one
// transaction with batched multi-row INSERTs. The data are reproducible (fixed seed): kinds
// 4 (80 %), 7 (8 %), 16 (10 %), 20 (2 %), all printed; dates spread over the last 365 days;
// a third paid directly and closed, a fifth with one or two partial payments in Zahlung.

#include "dataaccess/wawischema.h"

#include <QSqlDatabase>
#include <QString>

#include <functional>

struct BenchOptions {
    int belege = 1000;
    int positionen = 5;
    WawiSchemaOptions schema;
};

struct BenchErgebnis {
    qint64 auftraege = 0;
    qint64 positionen = 0;
    qint64 zahlungen = 0;
    qint64 adressen = 0;
    qint64 artikel = 0;
};

class BenchGenerator {
public:
    // progress(documents written, documents total) after every batch.
    static bool generate(QSqlDatabase& db, const BenchOptions& options, QString* error = nullptr,
                         BenchErgebnis* ergebnis = nullptr,
                         const std::function<void(qint64, qint64)>& progress = {});
};
