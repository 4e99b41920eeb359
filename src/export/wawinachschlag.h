#pragma once
// Lookups of the DATEV export in the merchandise-management database, in batches: the orders
// of the bookings (Auftrag.DB by its key, with the EGID of the address Adresse1 for EU orders,
// Steuer 3) and the addresses of personal accounts (Adressen.DB over the index Fibu:
// Mandant, FibuKontonummer; the first row per account in the index order).
//
// Call sequence: auftraege(keys) per block of bookings (any number of keys; sent as IN-lists of
// at most 1,000); for the label file fibuIndexVorhanden() / fibuIndexAnlegen(), then
// adressen(mandant, konten). Statements are our own: values are bound. Errors throw
// EQemDatabaseError or ExportError with the server's message. The connection is not owned.

#include "export/extfformat.h"

#include <QHash>
#include <QList>
#include <QSqlRecord>

class TQemConnection;

class WaWiNachschlag {
public:
    explicit WaWiNachschlag(TQemConnection& connection);

    QHash<int, ExtfAuftrag> auftraege(const QList<int>& keys);

    bool fibuIndexVorhanden();
    // Adds the index Fibu on Mandant;FibuKontonummer through the table's AddIndex.
    void fibuIndexAnlegen();

    // Per account the first address of the client with that FibuKontonummer.
    QHash<qint64, QSqlRecord> adressen(int mandant, const QList<qint64>& konten);

private:
    TQemConnection& conn_;
};
