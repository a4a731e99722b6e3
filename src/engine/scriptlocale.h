#pragma once

#include <QLocale>
#include <QString>

// What the evaluator and Format take from a locale: separators, names and the
// date, time and currency patterns, in Format's own pattern language. The C
// locale reads like an English (United States) system, as VBScript's neutral
// behaviour does.
class ScriptLocale
{
public:
    enum DateOrder { MonthDayYear, DayMonthYear, YearMonthDay };

    // For QLocale() (the application's default, normally the system locale).
    // Cached: cheap enough to call for every evaluation.
    static const ScriptLocale &current();
    static const ScriptLocale &forLocale(const QLocale &locale);

    QLocale locale;
    bool isC = false;
    QChar decimal = QLatin1Char('.');
    QChar group = QLatin1Char(',');
    QChar dateSeparator = QLatin1Char('/');
    QChar timeSeparator = QLatin1Char(':');
    QString am = QStringLiteral("AM");
    QString pm = QStringLiteral("PM");
    QString monthNames[12];
    QString monthAbbreviations[12];
    QString dayNames[7]; // 0 is Sunday
    QString dayAbbreviations[7];
    QString shortDate;  // e.g. "m/d/yyyy"
    QString longDate;   // e.g. "dddd, mmmm d, yyyy"
    QString longTime;   // e.g. "h:nn:ss AM/PM"
    QString shortTime;  // always 24-hour "hh:nn", as VBScript's vbShortTime
    DateOrder dateOrder = MonthDayYear;
    // Currency: "%1" stands for the formatted amount without sign.
    QString currencyPositive = QStringLiteral("$%1");
    QString currencyNegative = QStringLiteral("($%1)");
    int currencyDigits = 2;

private:
    explicit ScriptLocale(const QLocale &locale);
};
