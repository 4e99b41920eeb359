#include "shell/tfm_sql.h"

#include "dataaccess/tqemconnection.h"
#include "dataaccess/tqemquery.h"
#include "shell/tfm_buchung.h"

#include <QSqlRecord>

TFM_SQL::TFM_SQL(TQemConnection& connection, TFM_Buchung* journal, QWidget* parent)
    : TFM_SqlFenster(QStringLiteral("Wawi SQL-Editor"), Anfangsanweisung, &connection, nullptr, false, parent),
      journal_(journal)
{
    setObjectName(QStringLiteral("FM_SQL"));
    if (journal_)
        connect(journal_, &TFM_Buchung::currentBookingChanged, this, &TFM_SQL::masterChanged);
}

void TFM_SQL::bindParameters()
{
    if (!journal_)
        return;
    const QSqlRecord booking = journal_->currentRecord();
    TQemParams& params = query().Parameters();
    for (int i = 0; i < params.Count(); ++i) {
        const int field = booking.indexOf(params[i].Name);
        if (field >= 0)
            params[i].SetValue(booking.value(field));
    }
}

void TFM_SQL::masterChanged()
{
    if (!query().Active() || query().Parameters().IsEmpty())
        return;
    Button1Click();
}
