#include "dataaccess/wawiauswahl.h"

#include "dataaccess/eqemdatabaseerror.h"
#include "dataaccess/qemdriversettings.h"
#include "dataaccess/tqemconnection.h"
#include "dataaccess/tqemdataset.h"
#include "dataaccess/tqemfield.h"
#include "store/einstellungen.h"
#include "store/feedback.h"
#include "store/registry.h"
#include "store/verzeichnisse.h"
#include "store/zahlen.h"

#include <QCoreApplication>
#include <QDir>
#include <QThread>

namespace {

struct Produkt {
    const char* name;
    const char* schluessel;
};

const Produkt produkte[] = {
    {"Qem-Tillo SQL", "Software\\Qem-Software\\Taloxa"},
    {"Qem-Rundel SQL", "Software\\Qem-Software\\Rundel"},
    {"Qem-Pellix SQL", "Software\\Qem-Software\\Qem-Pellix"},
    {"Qem-Stavro SQL", "Software\\Qem-Software\\Qem-Torvik"},
    {"Qem-Halden SQL", "Software\\Qem-Software\\Qem-Torvik"},
    {"Sonstige Qem-WAWI SQL", "Software\\Qem-Software\\Qem-Torvik"},
};
constexpr int produktAnzahl = int(std::size(produkte));

QString fehlerText(const std::exception& e)
{
    if (const auto* db = dynamic_cast<const EQemDatabaseError*>(&e))
        return db->message();
    return QString::fromLocal8Bit(e.what());
}

}  // namespace

WaWiAuswahl::WaWiAuswahl(TQemConnection& verbindung, TQemDataSet& tblMandant, Feedback& feedback)
    : verbindung_(verbindung), tblMandant_(tblMandant), feedback_(feedback)
{
}

QStringList WaWiAuswahl::produktNamen()
{
    QStringList namen;
    for (const Produkt& p : produkte)
        namen.append(QString::fromUtf8(p.name));
    return namen;
}

QString WaWiAuswahl::produktSchluessel(int programm)
{
    const int i = programm >= 0 && programm < produktAnzahl ? programm : produktAnzahl - 1;
    return QString::fromUtf8(produkte[i].schluessel);
}

QString WaWiAuswahl::registrySchluessel(int programm, const QStringList& parameter)
{
    QString schluessel = produktSchluessel(programm);
    if (!parameter.isEmpty() && !parameter.first().trimmed().startsWith(QLatin1Char('-')))
        schluessel += QLatin1Char('\\') + parameter.first();
    return schluessel;
}

QString WaWiAuswahl::anzeigeName(const TQemDataSet& zeile)
{
    for (const char* feld : {"Firma1", "Firma2", "Firma3", "Name"}) {
        const TQemField* f = zeile.FindField(QString::fromLatin1(feld));
        const QString text = f ? f->AsString().trimmed() : QString();
        if (!text.isEmpty())
            return text;
    }
    return QString();
}

QString WaWiAuswahl::LadenSQL_Connect(const QString& s)
{
    QString verbindung = !s.isEmpty()
                             ? s
                             : EinstellungLesenVorgabe(QStringLiteral("Verzeichnis"),
                                                       QStringLiteral("SQLVerbindung"), QString());
    // Strings encoded by the merchandise-management product are not decoded here: they count
    // as no connection string, and the user enters one in the connection dialog.
    if (verbindung.startsWith(QLatin1String("#:")))
        verbindung.clear();
    return verbindung.trimmed();
}

bool WaWiAuswahl::verbinden(const QString& verbindung)
{
    verbindung_.Close();
    verbindung_.SetConnectionString(QString());
    verbindung_.SetConnectionString(verbindung);
    verbindung_.Open();
    return verbindung_.Connected();
}

WaWiAuswahl::Ergebnis WaWiAuswahl::ProgrammChange(int art, int programm)
{
    einstellungen().Qem_Programm = programm;
    schluessel_ = registrySchluessel(programm, parameter_);
    RegistryWechsel wechsel(schluessel_);
    const QString verbindung = LadenSQL_Connect();
    if (verbindung.isEmpty()) {
        feedback_.message(QStringLiteral("Es wurde keine Warenwirtschaft gefunden:\rRegpath: ") + schluessel_,
                          MessageKind::Warning);
        ansicht_.mandantenSichtbar = false;
        return Ergebnis::KeineWarenwirtschaft;
    }
    VerzeichnisAnlegen(einstellungen().TempPfad + QStringLiteral("torv/"));

    bool offen = false;
    try {
        offen = verbinden(verbindung);
    } catch (const std::exception& e) {
        QString neu = verbindung;
        if (editor_ && editor_(neu, fehlerText(e))) {
            try {
                offen = verbinden(neu);
                // Kept for the next start: a machine without the product has no other way to
                // set it.
                if (offen)
                    EinstellungSchreiben(QStringLiteral("Verzeichnis"), QStringLiteral("SQLVerbindung"), neu);
            } catch (const std::exception&) {
                offen = false;
            }
        }
    }
    if (!offen) {
        feedback_.message(QStringLiteral("Keine Verbindung zur Warenwirtschaft!"), MessageKind::Error);
        tag_ = -99;
        return Ergebnis::Beenden;
    }

    try {
        mandantenLaden();
        if (art == 1) {
            MandantChange(-1, einstellungen().Aktiv_Mandant);
        } else {
            MandantChange(-1, TextZuGanzzahl(EinstellungLesen(QStringLiteral("Mandant"),
                                                              QStringLiteral("Aktiv"))));
        }
        ansicht_.mandantIndex = mandantGefunden_ ? tblMandant_.RecNo() - 1 : -1;
    } catch (const std::exception&) {
        // The password of the connection string never appears in a message.
        feedback_.message(QStringLiteral("Mandantendatenbank könnte nicht geöffnet werden!\rDatenverzeichnis: ")
                              + maskPassword(verbindung_.ConnectionString()) + QStringLiteral("\r")
                              + QStringLiteral("Tempverzeichnis:  ")
                              + QDir::toNativeSeparators(einstellungen().TempPfad + QStringLiteral("torv/"))
                              + QStringLiteral("\r") + QStringLiteral("Regpath: ") + schluessel_,
                          MessageKind::Error);
        return Ergebnis::Beenden;
    }
    return Ergebnis::Verbunden;
}

void WaWiAuswahl::mandantenLaden()
{
    ansicht_.mandanten.clear();
    if (tag_ != -99) {
        tblMandant_.Close();
        tblMandant_.Open();
        for (tblMandant_.First(); !tblMandant_.Eof(); tblMandant_.Next())
            ansicht_.mandanten.append(anzeigeName(tblMandant_));
    }
    ansicht_.mandantenSichtbar = true;
}

void WaWiAuswahl::MandantChange(int id, int mandant)
{
    tblMandant_.First();
    mandantGefunden_ = false;
    if (id >= 0) {
        tblMandant_.MoveBy(id - 1);
        if (!tblMandant_.Eof() && tblMandant_.FieldCount() > 0) {
            einstellungen().Aktiv_Mandant = tblMandant_.Fields(0)->AsInteger();
            mandantGefunden_ = true;
        }
    } else {
        for (; !tblMandant_.Eof(); tblMandant_.Next()) {
            if (tblMandant_.Fields(0)->AsInteger() == mandant) {
                einstellungen().Aktiv_Mandant = mandant;
                mandantGefunden_ = true;
                break;
            }
        }
    }
    // An unknown client keeps Aktiv_Mandant; the settings of the row the walk ended on belong
    // to another client and are not loaded for it.
    if (mandantGefunden_)
        Mandant_CFG_Load();
}

bool WaWiAuswahl::Mandant_CFG_Load()
{
    if (!tblMandant_.Active())
        return false;
    constexpr int versuche = 9;
    for (int versuch = 1; versuch <= versuche; ++versuch) {
        try {
            const QString feld = tblMandant_.Fields(0)->FieldName();
            const QVariant schluessel = tblMandant_.Fields(0)->Value();
            tblMandant_.Requery();
            if (!tblMandant_.Locate(feld, schluessel))
                throw EQemDatabaseError(QStringLiteral("Mandant nicht gefunden: ") + schluessel.toString());
            MandantEinstellungenLaden(tblMandant_.FieldByName(QStringLiteral("Zusatz2"))->AsString(), &feedback_);
            return true;
        } catch (const std::exception&) {
            if (versuch < versuche) {
                QCoreApplication::processEvents();
                QThread::msleep(static_cast<unsigned long>(pauseMs_));
            }
        }
    }
    ManIniLesen(&feedback_);
    return false;
}

WaWiAuswahl::Ergebnis WaWiAuswahl::formShow()
{
    const int programm = einstellungen().Qem_Programm;
    ansicht_.programmIndex = programm >= 0 && programm < produktAnzahl ? programm : -1;
    const Ergebnis e = ProgrammChange(1, ansicht_.programmIndex);
    if (e == Ergebnis::Verbunden) {
        const int index = einstellungen().Aktiv_Mandant - 1;
        ansicht_.mandantIndex = index >= 0 && index < ansicht_.mandanten.size() ? index : -1;
    }
    return e;
}

WaWiAuswahl::Ergebnis WaWiAuswahl::programmGewaehlt(int index)
{
    ansicht_.programmIndex = index;
    return ProgrammChange(0, index);
}

void WaWiAuswahl::mandantGewaehlt(int index)
{
    MandantChange(index + 1, 255);
    ansicht_.mandantIndex = index;
}
