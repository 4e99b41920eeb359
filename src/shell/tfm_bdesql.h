#pragma once
// "DateV SQL-Editor": the query window on the local database DateV, with the initial
// statement "SELECT * FROM Buchungen", a full navigator and a read-only result. Not modal;
// several may be open. Works over its own TQemConnection attached to the connection "DateV".

#include "shell/tfm_sqlfenster.h"

class TFM_BDESQL : public TFM_SqlFenster {
    Q_OBJECT
public:
    static inline const QString Anfangsanweisung = QStringLiteral("SELECT * FROM Buchungen");

    explicit TFM_BDESQL(QWidget* parent = nullptr);
};
