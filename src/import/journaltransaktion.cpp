#include "import/journaltransaktion.h"

#include <QSqlError>

#include <stdexcept>

namespace fibuimport {

JournalTransaktion::JournalTransaktion(QSqlDatabase db)
    : db_(std::move(db))
{
    if (!db_.transaction())
        throw std::runtime_error(("Journal: Transaktion nicht begonnen: " + db_.lastError().text()).toStdString());
    offen_ = true;
}

JournalTransaktion::~JournalTransaktion()
{
    if (offen_)
        db_.rollback();
}

void JournalTransaktion::commit()
{
    if (!db_.commit())
        throw std::runtime_error(("Journal: Buchungen nicht gespeichert: " + db_.lastError().text()).toStdString());
    offen_ = false;
}

}  // namespace fibuimport
