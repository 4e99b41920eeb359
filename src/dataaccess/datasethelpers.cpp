#include "dataaccess/datasethelpers.h"

#include "dataaccess/tqemfield.h"
#include "dataaccess/tqemquery.h"

bool AbfrageOeffnen(TQemQuery& query, const QString& sql)
{
    try {
        query.Close();
        query.SetSQL(sql);
        query.Open();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool BearbeitenStarten(TQemDataSet& dataSet)
{
    try {
        if (dataSet.State() == dsBrowse)
            dataSet.Edit();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

void ZahlFormatSetzen(TQemField* field, const QString& format)
{
    if (!field || !field->IsNumeric())
        return;
    field->DisplayFormat = format;
    field->EditFormat = format;
}
