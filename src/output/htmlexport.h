#pragma once

#include <QChar>
#include <QString>

// Six hexadecimal digits of a Windows RGB value, red first: 255 -> "FF0000".
QString htmlColor(int color);
// Pads text with `pad` at its start or end up to `length` characters.
QString padText(const QString &text, int length, QChar pad, bool atStart);
// A length as CSS wants it: a period whatever the locale, shortest form.
QString cssNumber(double value);
// Text as a quoted CSS string that holds it whatever it contains: quotes,
// backslashes and control characters are escaped by CSS's own rules.
QString cssString(const QString &text);
// Text made safe for HTML content and attribute values.
QString htmlEscaped(const QString &text);

class ReportDocument;
struct PageRecord;

// One record of the document's pages as the HTML export writes it: a text
// as a positioned block, a picture as an embedded PNG, a chart as inline SVG.
QString pageRecordHtml(const ReportDocument &document, const PageRecord &record);
