#include "store/rtfzutext.h"

#include "store/zeichensatz.h"

#include <QSet>
#include <QStringList>
#include <optional>
#include <vector>

namespace {

// Groups whose content is no document text.
bool istZielOhneText(const QString& wort)
{
    static const QSet<QString> ziele = {
        QStringLiteral("fonttbl"),    QStringLiteral("colortbl"),   QStringLiteral("stylesheet"),
        QStringLiteral("info"),       QStringLiteral("pict"),       QStringLiteral("object"),
        QStringLiteral("header"),     QStringLiteral("headerl"),    QStringLiteral("headerr"),
        QStringLiteral("headerf"),    QStringLiteral("footer"),     QStringLiteral("footerl"),
        QStringLiteral("footerr"),    QStringLiteral("footerf"),    QStringLiteral("listtable"),
        QStringLiteral("listoverridetable"), QStringLiteral("rsidtbl"), QStringLiteral("generator"),
        QStringLiteral("themedata"),  QStringLiteral("colorschememapping"), QStringLiteral("latentstyles"),
        QStringLiteral("datastore"),  QStringLiteral("xmlnstbl"),   QStringLiteral("fldinst"),
        QStringLiteral("filetbl"),    QStringLiteral("revtbl"),     QStringLiteral("pgdsctbl"),
    };
    return ziele.contains(wort);
}

std::optional<QString> zeichenVonWort(const QString& wort)
{
    if (wort == QLatin1String("par") || wort == QLatin1String("line") || wort == QLatin1String("row")
        || wort == QLatin1String("sect") || wort == QLatin1String("page"))
        return QStringLiteral("\n");
    if (wort == QLatin1String("tab") || wort == QLatin1String("cell"))
        return QStringLiteral("\t");
    if (wort == QLatin1String("lquote") || wort == QLatin1String("rquote"))
        return QString(wort == QLatin1String("lquote") ? QChar(0x2018) : QChar(0x2019));
    if (wort == QLatin1String("ldblquote") || wort == QLatin1String("rdblquote"))
        return QString(wort == QLatin1String("ldblquote") ? QChar(0x201C) : QChar(0x201D));
    if (wort == QLatin1String("bullet"))
        return QString(QChar(0x2022));
    if (wort == QLatin1String("endash"))
        return QString(QChar(0x2013));
    if (wort == QLatin1String("emdash"))
        return QString(QChar(0x2014));
    return std::nullopt;
}

class RtfLeser {
public:
    explicit RtfLeser(const QString& rtf) : rtf_(rtf) {}

    // The plain text with "\n" line ends; nullopt when the braces do not balance.
    std::optional<QString> lesen()
    {
        std::vector<Zustand> stapel;
        Zustand z;
        while (pos_ < rtf_.size()) {
            const QChar c = rtf_[pos_++];
            if (c == QLatin1Char('{')) {
                stapel.push_back(z);
            } else if (c == QLatin1Char('}')) {
                if (stapel.empty())
                    return std::nullopt;
                z = stapel.back();
                stapel.pop_back();
                if (stapel.empty())
                    return text_;
            } else if (c == QLatin1Char('\\')) {
                steuerung(z);
            } else if (c != QLatin1Char('\r') && c != QLatin1Char('\n')) {
                zeichen(z, QString(c));
            }
        }
        return std::nullopt;
    }

private:
    struct Zustand {
        bool ueberspringen = false;
        int uc = 1;
    };

    void zeichen(const Zustand& z, const QString& s)
    {
        if (ersatzZeichen_ > 0) {
            --ersatzZeichen_;
            return;
        }
        if (!z.ueberspringen)
            text_ += s;
    }

    void steuerung(Zustand& z)
    {
        if (pos_ >= rtf_.size())
            return;
        const QChar c = rtf_[pos_];
        if (!c.isLetter() || c.unicode() > 127) {
            ++pos_;
            symbol(z, c);
            return;
        }
        QString wort;
        while (pos_ < rtf_.size() && rtf_[pos_].unicode() < 128 && rtf_[pos_].isLetter())
            wort += rtf_[pos_++];
        QString zahl;
        if (pos_ < rtf_.size() && rtf_[pos_] == QLatin1Char('-'))
            zahl += rtf_[pos_++];
        while (pos_ < rtf_.size() && rtf_[pos_].isDigit() && rtf_[pos_].unicode() < 128)
            zahl += rtf_[pos_++];
        if (pos_ < rtf_.size() && rtf_[pos_] == QLatin1Char(' '))
            ++pos_;
        const bool mitZahl = !zahl.isEmpty() && zahl != QLatin1String("-");
        const int parameter = mitZahl ? zahl.toInt() : 0;
        wortAnwenden(z, wort, mitZahl, parameter);
    }

    void wortAnwenden(Zustand& z, const QString& wort, bool mitZahl, int parameter)
    {
        if (istZielOhneText(wort)) {
            z.ueberspringen = true;
        } else if (wort == QLatin1String("uc")) {
            z.uc = mitZahl ? qMax(0, parameter) : 1;
        } else if (wort == QLatin1String("u") && mitZahl) {
            const char16_t code = char16_t(parameter < 0 ? parameter + 65536 : parameter);
            if (!z.ueberspringen)
                text_ += QChar(code);
            ersatzZeichen_ = z.uc;
        } else if (wort == QLatin1String("bin") && mitZahl) {
            pos_ = qMin<qsizetype>(rtf_.size(), pos_ + qMax(0, parameter));
        } else if (auto s = zeichenVonWort(wort)) {
            ersatzZeichen_ = 0;
            zeichen(z, *s);
        }
    }

    void symbol(Zustand& z, QChar c)
    {
        if (c == QLatin1Char('\'')) {
            bool ok = false;
            const int byte = rtf_.mid(pos_, 2).toInt(&ok, 16);
            pos_ += 2;
            if (ok)
                zeichen(z, AnsiZuText(QByteArray(1, char(byte))));
        } else if (c == QLatin1Char('*')) {
            z.ueberspringen = true;
        } else if (c == QLatin1Char('~')) {
            zeichen(z, QStringLiteral(" "));
        } else if (c == QLatin1Char('_')) {
            zeichen(z, QStringLiteral("-"));
        } else if (c == QLatin1Char('\n') || c == QLatin1Char('\r')) {
            zeichen(z, QStringLiteral("\n"));
        } else if (c == QLatin1Char('\\') || c == QLatin1Char('{') || c == QLatin1Char('}')) {
            zeichen(z, QString(c));
        }
    }

    const QString& rtf_;
    qsizetype pos_ = 0;
    int ersatzZeichen_ = 0;
    QString text_;
};

}  // namespace

QString RTFzuText(const QString& text, int lines)
{
    if (!text.left(5).toUpper().startsWith(QLatin1String("{\\RTF")))
        return text;
    const std::optional<QString> klartext = RtfLeser(text).lesen();
    if (!klartext)
        return QString();
    QStringList zeilen = klartext->split(QLatin1Char('\n'));
    // The paragraph mark that ends the document opens no further line.
    if (zeilen.size() > 1 && zeilen.last().isEmpty())
        zeilen.removeLast();
    if (lines > 0) {
        const QString einzug = QString(qMin(lines, 72), QLatin1Char(' '));
        for (QString& zeile : zeilen)
            zeile.prepend(einzug);
    } else if (lines < 0) {
        zeilen = zeilen.mid(0, -lines);
    }
    return zeilen.join(QLatin1String("\r\n"));
}
