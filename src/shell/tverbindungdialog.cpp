#include "shell/tverbindungdialog.h"

#include "dataaccess/eqemdatabaseerror.h"
#include "dataaccess/tqemconnection.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

TVerbindungDialog::TVerbindungDialog(QWidget* parent, const QString& verbindung, const QString& fehler)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Verbindung zur Warenwirtschaft"));
    setObjectName(QStringLiteral("TVerbindungDialog"));
    auto* layout = new QVBoxLayout(this);
    if (!fehler.isEmpty()) {
        auto* hinweis = new QLabel(QStringLiteral("Die Verbindung konnte nicht hergestellt werden:\n") + fehler, this);
        hinweis->setWordWrap(true);
        layout->addWidget(hinweis);
    }
    auto* form = new QFormLayout;
    art_ = new QComboBox(this);
    art_->addItems({QStringLiteral("SQL Server"), QStringLiteral("MySQL/MariaDB"), QStringLiteral("Access"),
                    QStringLiteral("SQLite")});
    form->addRow(QStringLiteral("Serverart:"), art_);
    host_ = new QLineEdit(this);
    form->addRow(QStringLiteral("Server:"), host_);
    port_ = new QSpinBox(this);
    port_->setRange(0, 65535);
    port_->setSpecialValueText(QStringLiteral("Standard"));
    form->addRow(QStringLiteral("Port:"), port_);
    auto* dbZeile = new QHBoxLayout;
    datenbank_ = new QLineEdit(this);
    datei_ = new QToolButton(this);
    datei_->setText(QStringLiteral("..."));
    datei_->setToolTip(QStringLiteral("Datenbankdatei auswählen"));
    dbZeile->addWidget(datenbank_);
    dbZeile->addWidget(datei_);
    datenbankLabel_ = new QLabel(QStringLiteral("Datenbank:"), this);
    form->addRow(datenbankLabel_, dbZeile);
    benutzer_ = new QLineEdit(this);
    form->addRow(QStringLiteral("Benutzer:"), benutzer_);
    kennwort_ = new QLineEdit(this);
    kennwort_->setEchoMode(QLineEdit::Password);
    form->addRow(QStringLiteral("Kennwort:"), kennwort_);
    layout->addLayout(form);

    auto* knoepfe = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    knoepfe->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    auto* test = knoepfe->addButton(QStringLiteral("Verbindung &testen"), QDialogButtonBox::ActionRole);
    layout->addWidget(knoepfe);

    const Verbindungstext v = Verbindungstext::aus(verbindung);
    art_->setCurrentIndex(int(v.art));
    host_->setText(v.host);
    port_->setValue(v.port);
    datenbank_->setText(v.datenbank);
    benutzer_->setText(v.benutzer);
    kennwort_->setText(v.kennwort);
    artGewechselt();

    connect(art_, &QComboBox::currentIndexChanged, this, &TVerbindungDialog::artGewechselt);
    connect(datei_, &QToolButton::clicked, this, &TVerbindungDialog::dateiWaehlen);
    connect(test, &QPushButton::clicked, this, &TVerbindungDialog::testen);
    connect(knoepfe, &QDialogButtonBox::accepted, this, &TVerbindungDialog::accept);
    connect(knoepfe, &QDialogButtonBox::rejected, this, &TVerbindungDialog::reject);
}

Verbindungstext TVerbindungDialog::felder() const
{
    Verbindungstext v;
    v.art = Verbindungstext::Art(art_->currentIndex());
    v.host = host_->text().trimmed();
    v.port = port_->value();
    v.datenbank = datenbank_->text().trimmed();
    v.benutzer = benutzer_->text().trimmed();
    v.kennwort = kennwort_->text();
    return v;
}

void TVerbindungDialog::artGewechselt()
{
    const bool server = felder().mitServer();
    host_->setEnabled(server);
    port_->setEnabled(server);
    benutzer_->setEnabled(art_->currentIndex() != int(Verbindungstext::Art::SQLite));
    kennwort_->setEnabled(art_->currentIndex() != int(Verbindungstext::Art::SQLite));
    datei_->setVisible(!server);
    datenbankLabel_->setText(server ? QStringLiteral("Datenbank:") : QStringLiteral("Datei:"));
}

void TVerbindungDialog::dateiWaehlen()
{
    const bool access = art_->currentIndex() == int(Verbindungstext::Art::Access);
    const QString datei = QFileDialog::getOpenFileName(
        this, QStringLiteral("Datenbankdatei auswählen"), datenbank_->text(),
        access ? QStringLiteral("Access-Datenbanken (*.mdb *.accdb);;Alle Dateien (*)")
               : QStringLiteral("SQLite-Datenbanken (*.sqlite *.db *.sqlite3);;Alle Dateien (*)"));
    if (!datei.isEmpty())
        datenbank_->setText(datei);
}

void TVerbindungDialog::testen()
{
    const Verbindungstext v = felder();
    const QString grund = v.pruefen();
    if (!grund.isEmpty()) {
        QMessageBox::warning(this, windowTitle(), grund);
        return;
    }
    try {
        TQemConnection probe;
        probe.SetConnectionString(v.text());
        probe.Open();
        probe.Close();
        QMessageBox::information(this, windowTitle(), QStringLiteral("Die Verbindung zur Datenbank wurde hergestellt."));
    } catch (const EQemDatabaseError& e) {
        QMessageBox::warning(this, windowTitle(), QStringLiteral("Die Verbindung ist fehlgeschlagen:\n") + e.message());
    }
}

void TVerbindungDialog::accept()
{
    const QString grund = felder().pruefen();
    if (!grund.isEmpty()) {
        QMessageBox::warning(this, windowTitle(), grund);
        return;
    }
    QDialog::accept();
}
