#include "shell/tfm_bdesql.h"

#include "dataaccess/tqemconnection.h"
#include "store/lokaledatenbank.h"

namespace {

std::unique_ptr<TQemConnection> attachedLocal()
{
    auto connection = std::make_unique<TQemConnection>();
    connection->AttachDatabase(DateVVerbindung);
    return connection;
}

}  // namespace

TFM_BDESQL::TFM_BDESQL(QWidget* parent)
    : TFM_SqlFenster(QStringLiteral("DateV SQL-Editor"), Anfangsanweisung, nullptr, attachedLocal(), true, parent)
{
    setObjectName(QStringLiteral("FM_BDESQL"));
}
