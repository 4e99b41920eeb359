#pragma once
// The one process-wide settings object: the paths set by PfadeSetzen, the general settings of
// QemDatev.ini (section Allgemeine_Einstellung) and the per-client settings of man.ini
// (section MANDANT). Members carry the names of the INI keys. Engines read and change them
// directly through einstellungen().
//
// Start: PfadeSetzen() (sets paths, calls Vorgaben), structure check, EinstellungenLaden();
// client selection: MandantEinstellungenLaden(Zusatz2 text); close: EinstellungenSpeichern().
// Paths use '/' and end in '/'.

#include <QString>

class Feedback;

struct Einstellungen {
    // Paths (PfadeSetzen).
    QString ProgrammPfad;   // QEM_PROGRAM_DIR, else the directory of the executable
    QString DatenPfad;      // ProgrammPfad + "DateVDaten/"
    QString VorlagenPfad;   // ProgrammPfad + "DateVdb/"
    QString StartdbPfad;    // ProgrammPfad + "startdb/"
    QString TempPfad;       // system temporary directory + "QemDateV/"
    // First command-line parameter naming a registry configuration below the product key
    // (empty when none); set by the shell.
    QString RegistryKonfiguration;

    // QemDatev.ini, in the order written.
    int Komma1 = 2;
    int Qem_Programm = 3;
    int Aktiv_Mandant = 0;
    QString DateV_Path = QStringLiteral("A:");
    QString DateV_DFV;
    QString DateV_Datennr;
    QString DateV_Abrechnr;
    QString DateV_Stnr;
    QString DateV_MandantNr;
    QString DateV_Berater;
    QString DateV_Filter;
    bool DateV_nurNeue = true;
    bool DateV_mitKonten = true;
    QString DateV_Kostenstelle1;
    QString DateV_Kostenstelle2;
    QString ImportText;
    bool ImportText_ON = false;
    QString ExportText;
    bool ExportText_ON = false;
    int Adresskontn = 5;

    // man.ini of the selected client; false or 0 until a client is selected.
    bool Frei1Multi = false;
    bool Frei2Multi = false;
    bool Frei3Multi = false;
    int Versand_MWST = 0;
    double E_FreiUmrech1 = 0;
    double E_FreiUmrech2 = 0;
    double E_FreiUmrech3 = 0;
    bool Euroumstell = false;
    bool E_ZBericht_FIBU = false;
};

Einstellungen& einstellungen();

// Temporary directory from the system's temporary path: path + "QemDateV/"; for an empty
// path the fallback "C:/QemTEMP/" (elsewhere than Windows "/tmp/QemTEMP/") is used.
QString TempPfadAus(const QString& systemTemp);

void PfadeSetzen();
void Vorgaben();
// Reads QemDatev.ini over the current values. A missing file leaves the defaults (true).
// An integer key holding text keeps its value; each such key gives one line on
// feedback.addMessage, and the result is false. Never stops the start.
bool EinstellungenLaden(Feedback* feedback = nullptr);
// Writes all twenty keys into QemDatev.ini; false when the file cannot be written.
bool EinstellungenSpeichern();

QString ManIniPfad();   // TempPfad + "man.ini"
// Writes the client's Zusatz2 text to man.ini; false when it cannot be written.
bool ManIniSchreiben(const QString& zusatz2);
// Reads section MANDANT of man.ini into the per-client settings (absent or empty keys keep
// their values; conversion factors not greater than 0 become 1).
void ManIniLesen(Feedback* feedback = nullptr);
// ManIniSchreiben, then ManIniLesen (the file left from before when the write failed).
// Returns the result of the write.
bool MandantEinstellungenLaden(const QString& zusatz2, Feedback* feedback = nullptr);
