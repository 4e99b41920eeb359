// Lines of the DATEV EXTF files, read back field by field with an independent reader.

#include "export/ansitextwriter.h"
#include "export/extfformat.h"
#include "export/exportoptionen.h"
#include "extfreader.h"

#include <QBuffer>
#include <QMap>
#include <QtTest>

Q_DECLARE_METATYPE(ExtfBuchung)
Q_DECLARE_METATYPE(ExtfAuftrag)

namespace {

using FieldMap = QMap<int, QString>;  // field number (1-based) -> raw text in the file

ExtfBuchung buchung(qint64 soll, qint64 haben, double brutto, int auftrag = 0)
{
    ExtfBuchung b;
    b.buchNr = 1;
    b.soll = soll;
    b.haben = haben;
    b.brutto = brutto;
    b.ustBetrag = 0;
    b.datum = QDate(2024, 3, 5);
    b.buchungsnummer = QStringLiteral("815");
    b.buchungstext = QStringLiteral("RE 815");
    b.auftrag = auftrag;
    return b;
}

ExtfAuftrag auftrag(int nr, double faktor)
{
    ExtfAuftrag a;
    a.auftrag = nr;
    a.faktor = faktor;
    a.abgeschlossen = true;
    a.shopId = QStringLiteral("SHOP1");
    a.auftragsnummer = QStringLiteral("A-77");
    return a;
}

ExtfKopf kopf()
{
    ExtfKopf k;
    k.erstellt = QDateTime(QDate(2024, 5, 6), QTime(7, 8, 9, 12));
    k.benutzer = QStringLiteral("buchhalter");
    k.beraterNr = QStringLiteral("1234567");
    k.mandantNr = QStringLiteral("42");
    k.von = QDate(2024, 1, 1);
    k.bis = QDate(2024, 12, 31);
    k.startMonat = 3;
    k.adresskontn = 5;
    return k;
}

QString lineFor(const ExtfBuchung& b, const QHash<int, ExtfAuftrag>& orders,
                const ExtfVorgaben& vorgaben = {})
{
    ExtfAuftragsStand stand;
    stand.weiter(b, orders);
    return ExtfFormat::buchungszeile(b, stand.aktuell(), stand.faktor(), vorgaben);
}

}  // namespace

class TstExtfFormat : public QObject {
    Q_OBJECT

private slots:
    void headerLines();
    void userNameWithoutEnvironment();
    void columnLines();
    void bookingLine_data();
    void bookingLine();
    void wholeLineByTheTable();
    void zeroAmountBookingSeesPreviousOrder();
    void missingOrderLeavesNoCurrentRow();
    void textCut_data();
    void textCut();
    void accountLine();
    void labelTemplate_data();
    void labelTemplate();
    void writerEncodesAnsiWithCrLf();
    void writerReportsRefusedBytes();
};

void TstExtfFormat::headerLines()
{
    QCOMPARE(ExtfFormat::kopfzeileBuchungsstapel(kopf()),
             QStringLiteral("\"EXTF\";510;21;\"Buchungsstapel\";7;20240506070809012;;;buchhalter;;"
                            "1234567;42;20240301;4;20240101;20241231;\"Qem-DateV Schnittstelle\";"
                            "\"\";\"1\";\"\";1;\"EUR\";;;;;;;;;"));
    QCOMPARE(ExtfFormat::kopfzeileKontenbeschriftungen(kopf()),
             QStringLiteral("\"EXTF\";510;20;\"Kontenbeschriftungen\";2;20240506070809012;;;"
                            "buchhalter;;1234567;42;20240301;4;;;\"\";\"\";;\"\";;;;;;;;;;;"));
    QCOMPARE(extfreader::fields(ExtfFormat::kopfzeileBuchungsstapel(kopf())).size(), 31);
    QCOMPARE(extfreader::fields(ExtfFormat::kopfzeileKontenbeschriftungen(kopf())).size(), 31);
}

// An unattended run from a scheduled task may see none of the usual variables; the header's
// user field still names the account.
void TstExtfFormat::userNameWithoutEnvironment()
{
    QHash<QByteArray, QByteArray> alt;
    for (const char* name : {"USER", "USERNAME", "LOGNAME"}) {
        alt.insert(name, qgetenv(name));
        qunsetenv(name);
    }
    const QString name = exportBenutzername();
    for (auto it = alt.cbegin(); it != alt.cend(); ++it)
        if (!it.value().isEmpty())
            qputenv(it.key().constData(), it.value());
    QVERIFY(!name.isEmpty());
    qputenv("USER", "buchhalter");
    QCOMPARE(exportBenutzername(), QStringLiteral("buchhalter"));
    if (alt.value("USER").isEmpty())
        qunsetenv("USER");
    else
        qputenv("USER", alt.value("USER"));
}

void TstExtfFormat::columnLines()
{
    const QStringList names = ExtfFormat::spaltenBuchungsstapel().split(QLatin1Char(';'));
    QCOMPARE(names.size(), ExtfFormat::kBuchungsFelder);
    QCOMPARE(names.first(), QStringLiteral("Umsatz (ohne Soll/Haben-Kz)"));
    QCOMPARE(names.at(7), QStringLiteral("Gegenkonto (ohne BU-Schlüssel)"));
    QCOMPARE(names.at(47), QStringLiteral("Zusatzinformation - Art 1"));
    QCOMPARE(names.at(48), QStringLiteral("Zusatzinformation- Inhalt 1"));
    QCOMPARE(names.at(100), QStringLiteral("Erlöskonto (Anzahlungen)"));
    QCOMPARE(names.last(), QStringLiteral("Datum Zuord.Steuerperiode"));
    QCOMPARE(ExtfFormat::spaltenKonten(), extfreader::kSpaltenKonten);
    QCOMPARE(ExtfFormat::spaltenBuchungsstapel(), extfreader::kSpaltenBuchungsstapel);
}

void TstExtfFormat::bookingLine_data()
{
    QTest::addColumn<ExtfBuchung>("b");
    QTest::addColumn<ExtfAuftrag>("order");  // auftrag 0: no order in the database
    QTest::addColumn<FieldMap>("expected");

    QTest::newRow("soll-0-haben-8400") << buchung(0, 8400, 119) << ExtfAuftrag{}
        << FieldMap{{1, "119,00"}, {2, "\"H\""}, {3, "\"EUR\""}, {4, "1,0000"},
                    {7, "8400"}, {8, "0"}, {10, "0503"}, {11, "\"815\""}, {12, "\"\""}};
    QTest::newRow("brutto-minus-50") << buchung(10001, 8400, -50) << ExtfAuftrag{}
        << FieldMap{{1, "50,00"}, {2, "\"H\""}, {7, "10001"}, {8, "8400"}};
    QTest::newRow("debit") << buchung(10001, 8400, 1234.5) << ExtfAuftrag{}
        << FieldMap{{1, "1234,50"}, {2, "\"S\""}, {7, "10001"}, {8, "8400"}};
    QTest::newRow("zero-amounts") << buchung(10001, 8400, 0, 5) << auftrag(5, 1.1)
        << FieldMap{{1, "0,00"}, {2, "\"H\""}, {4, "1,0000"}, {49, "\"\""}, {51, "\"\""}};

    ExtfBuchung beleg = buchung(1200, 8400, 10);
    beleg.buchungsnummer = QStringLiteral(" 4711 ");
    QTest::newRow("belegfeld-4711") << beleg << ExtfAuftrag{} << FieldMap{{11, "\"4711\""}};
    beleg.buchungsnummer = QStringLiteral("RE-2024/0000012345");
    QTest::newRow("belegfeld-cut-12") << beleg << ExtfAuftrag{} << FieldMap{{11, "\"RE2024000001\""}};

    QTest::newRow("faktor-0.0005") << buchung(1200, 8400, 10, 5) << auftrag(5, 0.0005)
        << FieldMap{{4, "1,0000"}, {49, "\"SHOP1\""}, {51, "\"A-77\""}};
    QTest::newRow("faktor-1") << buchung(1200, 8400, 10, 5) << auftrag(5, 1) << FieldMap{{4, "1,0000"}};
    QTest::newRow("faktor-1.1") << buchung(1200, 8400, 10, 5) << auftrag(5, 1.1) << FieldMap{{4, "1,1000"}};
    QTest::newRow("order-not-found") << buchung(1200, 8400, 10, 6) << auftrag(5, 1.1)
        << FieldMap{{4, "1,0000"}, {12, "\"\""}, {49, "\"\""}, {51, "\"\""}};

    ExtfBuchung valuta = buchung(1200, 8400, 10, 5);
    valuta.valutaDatum = QDate(2024, 4, 19);
    QTest::newRow("value-date") << valuta << auftrag(5, 1) << FieldMap{{12, "\"190424\""}};
    ExtfBuchung ohneAuftrag = valuta;
    ohneAuftrag.auftrag = 0;
    QTest::newRow("value-date-without-order") << ohneAuftrag << ExtfAuftrag{} << FieldMap{{12, "\"\""}};

    ExtfAuftrag offen = auftrag(5, 1);
    offen.abgeschlossen = false;
    offen.tage1 = 10;
    offen.tage3 = 14;
    offen.vorgangsdatum = QDate(2024, 2, 20);
    QTest::newRow("due-date") << buchung(1200, 8400, 10, 5) << offen << FieldMap{{12, "\"050324\""}};
    offen.tage1 = 0;
    offen.tage3 = 0;
    QTest::newRow("open-without-days") << buchung(1200, 8400, 10, 5) << offen << FieldMap{{12, "\"\""}};

    ExtfAuftrag eu = auftrag(5, 1);
    eu.steuer = 3;
    eu.egid = QStringLiteral("ATU12345678");
    QTest::newRow("eu-vat-id") << buchung(1200, 8400, 10, 5) << eu << FieldMap{{40, "\"ATU12345678\""}};
    eu.steuer = 2;
    QTest::newRow("no-vat-id-for-steuer-2") << buchung(1200, 8400, 10, 5) << eu << FieldMap{{40, "\"\""}};

    ExtfBuchung kost = buchung(1200, 8400, 10);
    kost.kostenstelle1 = QStringLiteral("12");
    QTest::newRow("cost-centre-of-booking-and-default") << kost << ExtfAuftrag{}
        << FieldMap{{37, "\"12\""}, {38, "\" K2\""}};

    ExtfBuchung quote = buchung(1200, 8400, 10);
    quote.buchungstext = QStringLiteral("Zoll \"Express\"; ab Lager");
    QTest::newRow("text-quotes-doubled") << quote << ExtfAuftrag{}
        << FieldMap{{14, "\"Zoll \"\"Express\"\"; ab Lager\""}, {114, "1"}, {115, ""}, {116, ""}};
}

void TstExtfFormat::bookingLine()
{
    QFETCH(ExtfBuchung, b);
    QFETCH(ExtfAuftrag, order);
    QFETCH(FieldMap, expected);

    QHash<int, ExtfAuftrag> orders;
    if (order.auftrag > 0)
        orders.insert(order.auftrag, order);
    ExtfVorgaben vorgaben;
    vorgaben.kostenstelle1 = QStringLiteral("   ");
    vorgaben.kostenstelle2 = QStringLiteral(" K2");
    const QString line = lineFor(b, orders, vorgaben);

    QVERIFY(line.endsWith(QStringLiteral(";1;;")));
    const QStringList f = extfreader::fields(line);
    QCOMPARE(f.size(), ExtfFormat::kBuchungsFelder);
    for (const QString& raw : f)
        QVERIFY2(extfreader::balanced(raw), qPrintable(raw));
    for (auto it = expected.cbegin(); it != expected.cend(); ++it)
        QCOMPARE(f.at(it.key() - 1), it.value());
    // Fields with nothing of the booking in them: the fixed pattern of the format.
    QCOMPARE(f.at(5), QStringLiteral("\"\""));
    QCOMPARE(f.at(4), QString());
    QCOMPARE(f.at(19), QStringLiteral("\"\""));
    QCOMPARE(f.at(86), QStringLiteral("\"\""));
    QCOMPARE(f.at(87), QString());
}

// The 116 fields of a booking line as the format's table lists them: empty quotes, empty
// fields, the fixed "EUR" and Festschreibung 1; the booking's own values are set by the caller.
QStringList tabellenMuster()
{
    QStringList f(116);
    const auto quotes = [&](int von, int bis) {
        for (int i = von; i <= bis; ++i)
            f[i - 1] = QStringLiteral("\"\"");
    };
    for (const auto& [von, bis] : QList<std::pair<int, int>>{{6, 6}, {9, 9}, {16, 16}, {20, 36}, {42, 42},
                                                            {48, 48}, {50, 50}, {52, 87}, {91, 91}, {95, 96},
                                                            {98, 98}, {102, 103}, {105, 105}, {107, 107},
                                                            {109, 110}, {112, 112}})
        quotes(von, bis);
    f[2] = QStringLiteral("\"EUR\"");
    f[113] = QStringLiteral("1");
    return f;
}

void TstExtfFormat::wholeLineByTheTable()
{
    ExtfBuchung b = buchung(10001, 8400, 1234.5, 5);
    b.kostenstelle1 = QStringLiteral("17");
    ExtfAuftrag a = auftrag(5, 1.25);
    a.abgeschlossen = false;
    a.tage1 = 3;
    a.vorgangsdatum = QDate(2024, 12, 30);
    a.steuer = 3;
    a.egid = QStringLiteral("ATU1");
    QStringList f = tabellenMuster();
    f[0] = "1234,50"; f[1] = "\"S\""; f[3] = "1,2500"; f[6] = "10001"; f[7] = "8400"; f[9] = "0503";
    f[10] = "\"815\""; f[11] = "\"020125\""; f[13] = "\"RE 815\""; f[36] = "\"17\""; f[37] = "\" K2\"";
    f[39] = "\"ATU1\""; f[48] = "\"SHOP1\""; f[50] = "\"A-77\"";
    ExtfVorgaben vorgaben;
    vorgaben.kostenstelle2 = QStringLiteral(" K2");
    QCOMPARE(lineFor(b, {{5, a}}, vorgaben), f.join(QLatin1Char(';')));

    // No order, nothing of the settings: every other field keeps the table's pattern.
    f = tabellenMuster();
    f[0] = "0,00"; f[1] = "\"H\""; f[3] = "1,0000"; f[6] = "8400"; f[7] = "0"; f[9] = "0503";
    f[10] = "\"815\""; f[11] = "\"\""; f[13] = "\"RE 815\""; f[36] = "\"\""; f[37] = "\"\""; f[39] = "\"\"";
    f[48] = "\"\""; f[50] = "\"\"";
    QCOMPARE(lineFor(buchung(0, 8400, 0), {}), f.join(QLatin1Char(';')));
}

void TstExtfFormat::zeroAmountBookingSeesPreviousOrder()
{
    QHash<int, ExtfAuftrag> orders{{5, auftrag(5, 1.1)}};
    ExtfAuftragsStand stand;
    stand.weiter(buchung(1200, 8400, 10, 5), orders);
    QCOMPARE(stand.faktor(), 1.1);

    // No lookup for zero amounts: the table still stands on order 5.
    const ExtfBuchung null = buchung(1200, 8400, 0, 5);
    stand.weiter(null, {});
    QCOMPARE(stand.faktor(), 1.0);
    QVERIFY(stand.aktuell());
    const QStringList f = extfreader::fields(
        ExtfFormat::buchungszeile(null, stand.aktuell(), stand.faktor(), {}));
    QCOMPARE(f.at(3), QStringLiteral("1,0000"));
    QCOMPARE(f.at(48), QStringLiteral("\"SHOP1\""));

    // A different order without a lookup is not current.
    stand.weiter(buchung(1200, 8400, 0, 9), {});
    QVERIFY(!stand.aktuell());
}

void TstExtfFormat::missingOrderLeavesNoCurrentRow()
{
    ExtfAuftragsStand stand;
    stand.weiter(buchung(1200, 8400, 10, 5), {{5, auftrag(5, 1.1)}});
    stand.weiter(buchung(1200, 8400, 10, 6), {});
    QVERIFY(!stand.aktuell());
    stand.weiter(buchung(1200, 8400, 0, 5), {});
    QVERIFY(!stand.aktuell());
}

void TstExtfFormat::textCut_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("expected");
    const QString a59 = QString(59, QLatin1Char('a'));
    QTest::newRow("short") << "Miete" << 60 << "\"Miete\"";
    QTest::newRow("cut-at-60") << QString(70, QLatin1Char('x')) << 60
                               << "\"" + QString(60, QLatin1Char('x')) + "\"";
    QTest::newRow("doubled-quote-fits") << QString(58, QLatin1Char('a')) + "\"b" << 60
                                        << "\"" + QString(58, QLatin1Char('a')) + "\"\"\"";
    QTest::newRow("cut-splits-doubled-quote") << a59 + "\"b" << 60 << "\"" + a59 + "\"";
    QTest::newRow("label-40") << QString(39, QLatin1Char('k')) + "\"" << 40
                              << "\"" + QString(39, QLatin1Char('k')) + "\"";
    QTest::newRow("empty") << "" << 60 << "\"\"";
}

void TstExtfFormat::textCut()
{
    QFETCH(QString, text);
    QFETCH(int, n);
    QFETCH(QString, expected);
    const QString got = ExtfFormat::quotiertGekuerzt(text, n);
    QCOMPARE(got, expected);
    QVERIFY(extfreader::balanced(got));
}

void TstExtfFormat::accountLine()
{
    QCOMPARE(ExtfFormat::kontozeile(10001, QStringLiteral("Müller \"Bau\" KNr:4")),
             QStringLiteral("10001;\"Müller \"\"Bau\"\" KNr:4\";\"de-DE\""));
    QCOMPARE(ExtfFormat::kontozeile(1234567890, QStringLiteral("x")),
             QStringLiteral("34567890;\"x\";\"de-DE\""));
}

void TstExtfFormat::labelTemplate_data()
{
    QTest::addColumn<QString>("vorlage");
    QTest::addColumn<QString>("expected");
    QTest::newRow("items") << "KUNR {NUMMER} von {SUCHBEGRIFF}" << "KUNR 4711 von Meier";
    QTest::newRow("case-insensitive") << "{nummer}" << "4711";
    QTest::newRow("unknown-field") << "{PLZ} {Nummer}" << "PLZ 4711";
    QTest::newRow("value-with-braces-not-rescanned") << "{Name}!{Nummer}" << "{Nummer}!4711";
    QTest::newRow("no-closing-brace") << "A {Nummer" << "A {Nummer";
    QTest::newRow("brace-at-end") << "A {" << "A {";
    QTest::newRow("plain") << "Kunde" << "Kunde";
}

void TstExtfFormat::labelTemplate()
{
    QFETCH(QString, vorlage);
    QFETCH(QString, expected);
    const auto feld = [](const QString& name) -> std::optional<QString> {
        const QString n = name.toUpper();
        if (n == QLatin1String("NUMMER"))
            return QStringLiteral("4711");
        if (n == QLatin1String("SUCHBEGRIFF"))
            return QStringLiteral("Meier");
        if (n == QLatin1String("NAME"))
            return QStringLiteral("{Nummer}");
        return std::nullopt;
    };
    QCOMPARE(ExtfFormat::beschriftungAusVorlage(vorlage, feld), expected);
}

void TstExtfFormat::writerEncodesAnsiWithCrLf()
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    AnsiTextWriter writer(buffer);
    writer.writeLine(QStringLiteral("Erlöskonto € ß"));
    writer.writeLine(QStringLiteral("漢"));
    QCOMPARE(writer.bytesAccepted(), 0);
    writer.flush();
    QCOMPARE(buffer.data(), QByteArray("Erl\xF6skonto \x80 \xDF\r\n?\r\n"));
    QCOMPARE(writer.bytesAccepted(), buffer.data().size());
}

namespace {
// A disk that is full after a number of bytes.
class FullDisk : public QIODevice {
public:
    explicit FullDisk(qint64 capacity) : capacity_(capacity) { open(QIODevice::WriteOnly); }
    QByteArray data;

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* d, qint64 len) override
    {
        const qint64 n = std::min(len, capacity_ - data.size());
        if (n <= 0) {
            setErrorString(QStringLiteral("Auf dem Gerät ist kein Speicherplatz mehr verfügbar"));
            return -1;
        }
        data.append(d, n);
        return n;
    }

private:
    qint64 capacity_;
};
}  // namespace

void TstExtfFormat::writerReportsRefusedBytes()
{
    FullDisk disk(7);
    AnsiTextWriter writer(disk);
    writer.writeLine(QStringLiteral("abc"));
    writer.writeLine(QStringLiteral("defg"));
    QVERIFY_THROWS_EXCEPTION(std::exception, writer.flush());
    QCOMPARE(writer.bytesAccepted(), 7);
    QCOMPARE(writer.bytesQueued(), 11);
    QCOMPARE(disk.data, QByteArray("abc\r\nde"));
}

QTEST_GUILESS_MAIN(TstExtfFormat)
#include "tst_extfformat.moc"
