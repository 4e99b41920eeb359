#include "shell/tfm_buchungwawi.h"

#include "dataaccess/tqemconnection.h"
#include "dataaccess/tqemtable.h"
#include "store/registry.h"

namespace {

// Opens the table closed, as range opening does, and closes it on every way out.
class TvkTabelle {
public:
    TvkTabelle(TQemConnection& connection, const QString& name, const QString& index = {})
    {
        table_.SetConnection(&connection);
        table_.SetTableName(name);
        table_.SetIndexName(index);
        table_.QemOpenByRange = true;
        table_.Open();
    }
    ~TvkTabelle()
    {
        try {
            table_.Close();
        } catch (...) {
        }
    }
    TQemTable* operator->() { return &table_; }

private:
    TQemTable table_;
};

}  // namespace

QString TFM_BuchungWaWi::KassenbuchTabelle(const QString& kassenbuchImp)
{
    QString path = kassenbuchImp.trimmed();
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

bool TFM_BuchungWaWi::BelegZuruecknehmen(int auftrag)
{
    {
        TvkTabelle beleg(connection_, QStringLiteral("Auftrag.DB"));
        if (!beleg->FindKey({auftrag}))
            return false;
        beleg->Edit();
        beleg->FieldByName(QStringLiteral("FibuBuchung1"))->Clear();
        beleg->FieldByName(QStringLiteral("Fibu_Verbindlichkeit"))->SetAsBoolean(false);
        beleg->FieldByName(QStringLiteral("Fibu_Forderung"))->SetAsBoolean(false);
        beleg->Post();
    }
    TvkTabelle zahlungen(connection_, QStringLiteral("Zahlung.DB"), QStringLiteral("Vorgang"));
    zahlungen->SetRange({auftrag}, {auftrag});
    for (zahlungen->First(); !zahlungen->Eof(); zahlungen->Next()) {
        zahlungen->Edit();
        zahlungen->FieldByName(QStringLiteral("Fibu"))->SetAsBoolean(false);
        zahlungen->Post();
    }
    return true;
}

bool TFM_BuchungWaWi::KassenbuchZuruecknehmen(int eintrag)
{
    const QString name = KassenbuchTabelle(EinstellungLesen(QStringLiteral("Verzeichnis"), QStringLiteral("Kassenbuch_Imp")));
    if (name.isEmpty())
        return false;
    TvkTabelle kassenbuch(connection_, name);
    if (!kassenbuch->FindKey({eintrag}))
        return false;
    kassenbuch->Edit();
    kassenbuch->FieldByName(QStringLiteral("Fibu"))->SetAsBoolean(false);
    kassenbuch->Post();
    return true;
}
