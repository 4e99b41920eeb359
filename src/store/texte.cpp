#include "store/texte.h"

namespace {

template <typename Keep>
QString behalten(const QString& text, Keep keep)
{
    const QString t = text.trimmed().left(199);
    QString ergebnis;
    ergebnis.reserve(t.size());
    for (const QChar c : t) {
        if (c.unicode() < 128 && keep(char(c.unicode())))
            ergebnis.append(c);
    }
    return ergebnis;
}

}  // namespace

QString NurZiffern(const QString& text)
{
    return behalten(text, [](char c) { return c >= '0' && c <= '9'; });
}

QString NurBuchstabenZiffern(const QString& text)
{
    return behalten(text, [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    });
}

QString GrossMitUmlaut(const QString& text)
{
    QString ergebnis = text;
    for (QChar& c : ergebnis)
        c = c.toUpper();
    ergebnis.replace(QChar(0xE4), QChar(0xC4));
    ergebnis.replace(QChar(0xF6), QChar(0xD6));
    ergebnis.replace(QChar(0xFC), QChar(0xDC));
    return ergebnis;
}

QString ErsetzeAlle(const QString& text, const QString& alt, const QString& neu)
{
    if (alt.isEmpty())
        return text;
    QString ergebnis = text;
    if (neu.contains(alt))
        return ergebnis.replace(alt, neu);
    // A new occurrence can only arise around the last replacement, so the search from the
    // start may begin just before it.
    qsizetype ab = 0;
    while (true) {
        const qsizetype pos = ergebnis.indexOf(alt, ab);
        if (pos < 0)
            return ergebnis;
        ergebnis.replace(pos, alt.size(), neu);
        ab = qMax<qsizetype>(0, pos - alt.size() + 1);
    }
}

int PosAb(int start, const QString& text, const QString& sub)
{
    if (sub.isEmpty())
        return 0;
    const qsizetype pos = text.indexOf(sub, qMax(start, 1) - 1);
    return pos < 0 ? 0 : int(pos + 1);
}

QString Links(const QString& text, int n)
{
    return n <= 0 ? QString() : text.left(n);
}

QString Rechts(const QString& text, int n)
{
    return n <= 0 ? QString() : text.right(n);
}

QString AbPosition(const QString& text, int pos)
{
    return text.mid(qMax(pos, 1) - 1);
}

QString Leerzeichen(int n)
{
    return n <= 0 ? QString() : QString(n, QLatin1Char(' '));
}

int ListenPosition(const QStringList& list, const QString& text)
{
    const QString gesucht = text.trimmed().toUpper();
    for (int i = 0; i < list.size(); ++i) {
        if (list[i].trimmed().toUpper() == gesucht)
            return i;
    }
    return -1;
}
