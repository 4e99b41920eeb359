#pragma once
// Process-wide dialect state of the data access layer, shared by every connection and dataset.
// All access happens on the user-interface thread. The SQL generators read CurrentServerType
// where they have no dataset at hand; each dataset re-establishes it before it builds SQL.
//
// Server types: -1 not determined, 0 SQL Server, 1 Jet, 2 MySQL/MariaDB, 3 SQLite (our own
// provider for the local database, demos and tests).

#include <QString>

enum QemServerType : int {
    stUnknown = -1,
    stMsSql = 0,
    stJet = 1,
    stMySql = 2,
    stSQLite = 3,
};

namespace QemState {
// The dialect last determined by any connection or dataset.
inline int CurrentServerType = -1;
// -1 not yet known; 0 the server reads local date literals; 1 dates are written "yyyymmdd".
inline int ConvertDateLiterals = -1;
// Copy of the last UserID set; used in insert tokens.
inline int CurrentUserID = 0;
// Words for change-log entries and log lines; this system never sets them.
inline QString LogUser;
inline QString LogStation;
inline QString LogStationSuffix;

// Back to the state at program start (tests).
void reset();
}  // namespace QemState
