#include "store/rtfzutext.h"

QString RTFzuText(const QString& text, int lines)
{
    (void)lines;
    return text;
}
