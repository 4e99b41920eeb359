#include "store/einstellungen.h"

#include "store/feedback.h"
#include "store/inidatei.h"
#include "store/listenleser.h"
#include "store/verzeichnisse.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace {

const QString AllgemeinSektion = QStringLiteral("Allgemeine_Einstellung");
const QString MandantSektion = QStringLiteral("MANDANT");

QString alsVerzeichnis(QString pfad)
{
    pfad = QDir::fromNativeSeparators(pfad);
    if (!pfad.endsWith(QLatin1Char('/')))
        pfad += QLatin1Char('/');
    return pfad;
}

QString iniPfad()
{
    return einstellungen().ProgrammPfad + QStringLiteral("QemDatev.ini");
}

// Reads one integer key; a text that is not an integer keeps the value and is reported.
bool ganzzahlLesen(const QStringList& werte, const QString& key, int& value, Feedback* feedback,
                   const QString& datei)
{
    if (ListenGanzzahl(werte, key, value))
        return true;
    if (feedback) {
        feedback->addMessage(QStringLiteral("%1: Der Wert \"%2\" von %3 ist keine ganze Zahl; es gilt weiter %4.")
                                 .arg(datei, ListenWert(werte, key), key)
                                 .arg(value));
    }
    return false;
}

QString schalter(bool wert)
{
    return wert ? QStringLiteral("1") : QStringLiteral("0");
}

void mindestensEins(double& faktor)
{
    if (!(faktor > 0))
        faktor = 1;
}

}  // namespace

Einstellungen& einstellungen()
{
    static Einstellungen instanz;
    return instanz;
}

QString TempPfadAus(const QString& systemTemp)
{
    QString basis = systemTemp;
    if (basis.trimmed().isEmpty()) {
#ifdef Q_OS_WIN
        basis = QStringLiteral("C:/QemTEMP/");
#else
        basis = QStringLiteral("/tmp/QemTEMP/");
#endif
        VerzeichnisAnlegen(basis);
    }
    return alsVerzeichnis(basis) + QStringLiteral("QemDateV/");
}

void PfadeSetzen()
{
    Einstellungen& e = einstellungen();
    QString programm = qEnvironmentVariable("QEM_PROGRAM_DIR");
    if (programm.isEmpty())
        programm = QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath();
    e.ProgrammPfad = alsVerzeichnis(QDir(programm).absolutePath());
    e.DatenPfad = e.ProgrammPfad + QStringLiteral("DateVDaten/");
    e.VorlagenPfad = e.ProgrammPfad + QStringLiteral("DateVdb/");
    e.StartdbPfad = e.ProgrammPfad + QStringLiteral("startdb/");
    e.TempPfad = TempPfadAus(QDir::tempPath());
    VerzeichnisAnlegen(e.TempPfad);
    Vorgaben();
}

void Vorgaben()
{
    Einstellungen& e = einstellungen();
    const Einstellungen vorgabe;
    e.Komma1 = vorgabe.Komma1;
    e.Qem_Programm = vorgabe.Qem_Programm;
    e.Aktiv_Mandant = vorgabe.Aktiv_Mandant;
    e.DateV_Path = vorgabe.DateV_Path;
    e.DateV_DFV = vorgabe.DateV_DFV;
    e.DateV_Datennr = vorgabe.DateV_Datennr;
    e.DateV_Abrechnr = vorgabe.DateV_Abrechnr;
    e.DateV_Stnr = vorgabe.DateV_Stnr;
    e.DateV_MandantNr = vorgabe.DateV_MandantNr;
    e.DateV_Berater = vorgabe.DateV_Berater;
    e.DateV_Filter = vorgabe.DateV_Filter;
    e.DateV_nurNeue = vorgabe.DateV_nurNeue;
    e.DateV_mitKonten = vorgabe.DateV_mitKonten;
    e.DateV_Kostenstelle1 = vorgabe.DateV_Kostenstelle1;
    e.DateV_Kostenstelle2 = vorgabe.DateV_Kostenstelle2;
    e.ImportText = vorgabe.ImportText;
    e.ImportText_ON = vorgabe.ImportText_ON;
    e.ExportText = vorgabe.ExportText;
    e.ExportText_ON = vorgabe.ExportText_ON;
    e.Adresskontn = vorgabe.Adresskontn;
}

bool EinstellungenLaden(Feedback* feedback)
{
    IniDatei ini(iniPfad());
    if (!ini.laden())
        return true;
    const QStringList w = ini.sektion(AllgemeinSektion);
    const QString datei = QStringLiteral("QemDatev.ini");
    Einstellungen& e = einstellungen();
    bool ok = true;
    ok &= ganzzahlLesen(w, QStringLiteral("Komma1"), e.Komma1, feedback, datei);
    ok &= ganzzahlLesen(w, QStringLiteral("Qem_Programm"), e.Qem_Programm, feedback, datei);
    ok &= ganzzahlLesen(w, QStringLiteral("Aktiv_Mandant"), e.Aktiv_Mandant, feedback, datei);
    ListenText(w, QStringLiteral("DateV_Path"), e.DateV_Path);
    ListenText(w, QStringLiteral("DateV_DFV"), e.DateV_DFV);
    ListenText(w, QStringLiteral("DateV_Datennr"), e.DateV_Datennr);
    ListenText(w, QStringLiteral("DateV_Abrechnr"), e.DateV_Abrechnr);
    ListenText(w, QStringLiteral("DateV_Stnr"), e.DateV_Stnr);
    ListenText(w, QStringLiteral("DateV_MandantNr"), e.DateV_MandantNr);
    ListenText(w, QStringLiteral("DateV_Berater"), e.DateV_Berater);
    ListenText(w, QStringLiteral("DateV_Filter"), e.DateV_Filter);
    ListenSchalter(w, QStringLiteral("DateV_nurNeue"), e.DateV_nurNeue);
    ListenSchalter(w, QStringLiteral("DateV_mitKonten"), e.DateV_mitKonten);
    ListenText(w, QStringLiteral("DateV_Kostenstelle1"), e.DateV_Kostenstelle1);
    ListenText(w, QStringLiteral("DateV_Kostenstelle2"), e.DateV_Kostenstelle2);
    ListenText(w, QStringLiteral("ImportText"), e.ImportText);
    ListenSchalter(w, QStringLiteral("ImportText_ON"), e.ImportText_ON);
    ListenText(w, QStringLiteral("ExportText"), e.ExportText);
    ListenSchalter(w, QStringLiteral("ExportText_ON"), e.ExportText_ON);
    ok &= ganzzahlLesen(w, QStringLiteral("Adresskontn"), e.Adresskontn, feedback, datei);
    return ok;
}

bool EinstellungenSpeichern()
{
    IniDatei ini(iniPfad());
    ini.laden();
    const Einstellungen& e = einstellungen();
    const QString& s = AllgemeinSektion;
    ini.setzen(s, QStringLiteral("Komma1"), QString::number(e.Komma1));
    ini.setzen(s, QStringLiteral("Qem_Programm"), QString::number(e.Qem_Programm));
    ini.setzen(s, QStringLiteral("Aktiv_Mandant"), QString::number(e.Aktiv_Mandant));
    ini.setzen(s, QStringLiteral("DateV_Path"), e.DateV_Path);
    ini.setzen(s, QStringLiteral("DateV_DFV"), e.DateV_DFV);
    ini.setzen(s, QStringLiteral("DateV_Datennr"), e.DateV_Datennr);
    ini.setzen(s, QStringLiteral("DateV_Abrechnr"), e.DateV_Abrechnr);
    ini.setzen(s, QStringLiteral("DateV_Stnr"), e.DateV_Stnr);
    ini.setzen(s, QStringLiteral("DateV_MandantNr"), e.DateV_MandantNr);
    ini.setzen(s, QStringLiteral("DateV_Berater"), e.DateV_Berater);
    ini.setzen(s, QStringLiteral("DateV_Filter"), e.DateV_Filter);
    ini.setzen(s, QStringLiteral("DateV_nurNeue"), schalter(e.DateV_nurNeue));
    ini.setzen(s, QStringLiteral("DateV_mitKonten"), schalter(e.DateV_mitKonten));
    ini.setzen(s, QStringLiteral("DateV_Kostenstelle1"), e.DateV_Kostenstelle1);
    ini.setzen(s, QStringLiteral("DateV_Kostenstelle2"), e.DateV_Kostenstelle2);
    ini.setzen(s, QStringLiteral("ImportText"), e.ImportText);
    ini.setzen(s, QStringLiteral("ImportText_ON"), schalter(e.ImportText_ON));
    ini.setzen(s, QStringLiteral("ExportText"), e.ExportText);
    ini.setzen(s, QStringLiteral("ExportText_ON"), schalter(e.ExportText_ON));
    ini.setzen(s, QStringLiteral("Adresskontn"), QString::number(e.Adresskontn));
    return ini.speichern();
}

QString ManIniPfad()
{
    return einstellungen().TempPfad + QStringLiteral("man.ini");
}

bool ManIniSchreiben(const QString& zusatz2)
{
    QSaveFile file(ManIniPfad());
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = zusatz2.toUtf8();
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

void ManIniLesen(Feedback* feedback)
{
    IniDatei ini(ManIniPfad());
    ini.laden();
    const QStringList w = ini.sektion(MandantSektion);
    Einstellungen& e = einstellungen();
    ListenSchalter(w, QStringLiteral("Frei1Multi"), e.Frei1Multi);
    ListenSchalter(w, QStringLiteral("Frei2Multi"), e.Frei2Multi);
    ListenSchalter(w, QStringLiteral("Frei3Multi"), e.Frei3Multi);
    ganzzahlLesen(w, QStringLiteral("Versand_MWST"), e.Versand_MWST, feedback, QStringLiteral("man.ini"));
    ListenZahl(w, QStringLiteral("E_FreiUmrech1"), e.E_FreiUmrech1);
    ListenZahl(w, QStringLiteral("E_FreiUmrech2"), e.E_FreiUmrech2);
    ListenZahl(w, QStringLiteral("E_FreiUmrech3"), e.E_FreiUmrech3);
    mindestensEins(e.E_FreiUmrech1);
    mindestensEins(e.E_FreiUmrech2);
    mindestensEins(e.E_FreiUmrech3);
    ListenSchalter(w, QStringLiteral("Euroumstell"), e.Euroumstell);
    ListenSchalter(w, QStringLiteral("E_ZBericht_FIBU"), e.E_ZBericht_FIBU);
}

bool MandantEinstellungenLaden(const QString& zusatz2, Feedback* feedback)
{
    const bool geschrieben = ManIniSchreiben(zusatz2);
    ManIniLesen(feedback);
    return geschrieben;
}
