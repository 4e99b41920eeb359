#pragma once
// Choice of the merchandise-management product (product kind Qem_Programm) and of the client
// (Aktiv_Mandant), and the connection to the product's database that follows from them: the
// operations ProgrammChange, MandantChange, Mandant_CFG_Load and LadenSQL_Connect of the main
// window, and the logic of the product and client dialog TFM_WaWiCFG (formShow,
// programmGewaehlt, mandantGewaehlt). Without widgets: messages go to the Feedback, the
// dialog reads ansicht() after every call, and the connection editor is a callback.
//
// Call sequence of the start-up:
//   WaWiAuswahl wawi(QemTorvikConn, Tbl_Mandant, feedback);   // Tbl_Mandant: TQemTable on
//   wawi.setParameter(QCoreApplication::arguments().mid(1));  // "Mandant.db", not opened
//   wawi.setVerbindungsEditor(...);                           // none in unattended mode
//   if (wawi.ProgrammChange(1, einstellungen().Qem_Programm) == WaWiAuswahl::Ergebnis::Beenden)
//       ... terminate the application (window tag -99 or client table unreadable)
// The connection and the client table belong to the caller; this object only uses them.
// While an operation runs, the current registry key is the product key (plus the
// configuration suffix); it is set back on every path.

#include <QString>
#include <QStringList>

#include <functional>

class Feedback;
class TQemConnection;
class TQemDataSet;

struct WaWiAnsicht {
    int programmIndex = -1;      // CB_Programm; -1 = no entry
    QStringList mandanten;       // CB_Mandant, display names in table order
    int mandantIndex = -1;       // -1 = no entry
    bool mandantenSichtbar = true;
};

class WaWiAuswahl {
public:
    enum class Ergebnis {
        Verbunden,             // connected; client list filled, client selected
        KeineWarenwirtschaft,  // the product has no connection string; the program goes on
        Beenden                // no connection or client table unreadable: terminate
    };

    // Shows the connection dialog for a connection string that failed; returns true with the
    // new string when the user confirmed it.
    using VerbindungsEditor = std::function<bool(QString& verbindung, const QString& fehler)>;

    WaWiAuswahl(TQemConnection& verbindung, TQemDataSet& tblMandant, Feedback& feedback);

    // The product list of the dialog and the registry key of a product kind (any number
    // outside the list, also -1, gives the last key).
    static QStringList produktNamen();
    static QString produktSchluessel(int programm);
    // Product key plus "\" + the first command-line parameter when that, trimmed, does not
    // begin with "-" (the parameter is appended untrimmed).
    static QString registrySchluessel(int programm, const QStringList& parameter);
    // The first field that is not empty after trimming of Firma1, Firma2, Firma3, Name.
    static QString anzeigeName(const TQemDataSet& mandantZeile);

    void setParameter(const QStringList& parameter) { parameter_ = parameter; }
    void setVerbindungsEditor(VerbindungsEditor editor) { editor_ = std::move(editor); }
    // Pause between the tries of Mandant_CFG_Load (500 ms; tests shorten it).
    void setWiederholPause(int ms) { pauseMs_ = ms; }

    Ergebnis ProgrammChange(int art, int programm);
    void MandantChange(int id, int mandant);
    // Re-reads the current client row (9 tries), writes its Zusatz2 to man.ini and reads it.
    // False when the row could not be re-read (the man.ini left from before was read).
    bool Mandant_CFG_Load();
    // s when given, else the product's SQLVerbindung (section Verzeichnis, current key);
    // "#:" strings are not decoded and count as empty; trimmed.
    static QString LadenSQL_Connect(const QString& s = QString());

    // Dialog operations of TFM_WaWiCFG.
    Ergebnis formShow();
    Ergebnis programmGewaehlt(int index);
    void mandantGewaehlt(int index);

    const WaWiAnsicht& ansicht() const { return ansicht_; }
    // The window tag: -99 after a failed connection.
    int tag() const { return tag_; }
    // The registry key of the last ProgrammChange (for messages).
    QString letzterSchluessel() const { return schluessel_; }

private:
    bool verbinden(const QString& verbindung);
    void mandantenLaden();

    TQemConnection& verbindung_;
    TQemDataSet& tblMandant_;
    Feedback& feedback_;
    QStringList parameter_;
    VerbindungsEditor editor_;
    int pauseMs_ = 500;
    WaWiAnsicht ansicht_;
    int tag_ = 0;
    QString schluessel_;
    bool mandantGefunden_ = false;
};
