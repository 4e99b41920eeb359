#pragma once
// "Wawi SQL-Editor": the query window on the merchandise-management database. Its master is
// the journal view: parameters of the statement (":Auftrag", ":Buchungsnummer", ...) take the
// values of the same-named fields of the current booking, and the result follows when the
// current booking changes. Not modal; several may be open.

#include "shell/tfm_sqlfenster.h"

#include <QPointer>

class TFM_Buchung;

class TFM_SQL : public TFM_SqlFenster {
    Q_OBJECT
public:
    static inline const QString Anfangsanweisung = QStringLiteral(
        "SELECT v.Vorgangsnummer,v.Vorgangsdatum,a.Suchbegriff,v.Betrag,v.Netto,v.Offen,v.gedruckt,storniert "
        "FROM Auftrag v LEFT OUTER JOIN Adressen a ON v.Adresse1=a.Adresse");

    TFM_SQL(TQemConnection& connection, TFM_Buchung* journal, QWidget* parent = nullptr);

protected:
    void bindParameters() override;

private:
    void masterChanged();

    QPointer<TFM_Buchung> journal_;
};
