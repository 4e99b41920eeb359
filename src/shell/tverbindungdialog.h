#pragma once
// "Verbindung zur Warenwirtschaft": the connection dialog that replaces the platform's
// connection-string editor. The user picks the server kind (SQL Server, MySQL/MariaDB,
// Access, SQLite), fills server, port, database or file, user and password, may test the
// connection, and confirms. The caller retries the connection with verbindung() and stores it
// as the product's SQLVerbindung.
//
//   TVerbindungDialog d(parent, storedString, errorOfTheLastTry);
//   if (d.exec() == QDialog::Accepted) use(d.verbindung());

#include "dataaccess/verbindungstext.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QToolButton;

class TVerbindungDialog : public QDialog {
    Q_OBJECT
public:
    TVerbindungDialog(QWidget* parent, const QString& verbindung, const QString& fehler = {});

    QString verbindung() const { return felder().text(); }
    Verbindungstext felder() const;

    void accept() override;

private:
    void artGewechselt();
    void dateiWaehlen();
    void testen();

    QComboBox* art_ = nullptr;
    QLineEdit* host_ = nullptr;
    QSpinBox* port_ = nullptr;
    QLineEdit* datenbank_ = nullptr;
    QToolButton* datei_ = nullptr;
    QLabel* datenbankLabel_ = nullptr;
    QLineEdit* benutzer_ = nullptr;
    QLineEdit* kennwort_ = nullptr;
};
