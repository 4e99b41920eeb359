#pragma once
// Plain text of a rich-text memo (the product's memo fields may hold RTF).
//
// A text whose first 5 characters, upper-cased, are not "{\RTF" is returned unchanged.
// Otherwise the RTF is rendered to plain text by our own small reader (paragraphs, line
// breaks, tabs, \'hh characters of the document code page, \uN characters; font, colour,
// style, picture and other destination groups are skipped); lines are separated by "\r\n".
// lines > 0: every line gets that many leading blanks (at most 72); lines < 0: only the first
// -lines lines are kept. A text that is not well-formed RTF yields an empty text.

#include <QString>

QString RTFzuText(const QString& text, int lines);
