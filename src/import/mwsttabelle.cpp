#include "import/mwsttabelle.h"

#include "import/feldwerte.h"

namespace fibuimport {

MwStTabelle::MwStTabelle(QVector<QSqlRecord> zeilen)
    : zeilen_(std::move(zeilen))
{
    for (int i = 0; i < zeilen_.size(); ++i) {
        const int c = code(zeilen_[i]);
        if (!nachCode_.contains(c))
            nachCode_.insert(c, i + 1);
    }
}

int MwStTabelle::code(const QSqlRecord& zeile)
{
    if (zeile.isEmpty())
        return 0;
    return static_cast<int>(alsZahl(zeile.value(0)));
}

int MwStTabelle::zeilenNummer(int c) const
{
    return nachCode_.value(c, 0);
}

const QSqlRecord& MwStTabelle::zeile(int nummer) const
{
    if (nummer < 1 || nummer > zeilen_.size())
        return leer_;
    return zeilen_[nummer - 1];
}

const QSqlRecord* MwStTabelle::zeileVonCode(int c) const
{
    const int n = zeilenNummer(c);
    return n > 0 ? &zeilen_[n - 1] : nullptr;
}

bool MwStTabelle::hatFeld(const QString& name) const
{
    return !zeilen_.isEmpty() && zeilen_.first().indexOf(name) >= 0;
}

}  // namespace fibuimport
