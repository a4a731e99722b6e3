#pragma once

#include <QString>
#include <QStringView>
#include <QVariant>

#include <functional>

class VariableTable;

// Text operations of formula evaluation: the bracket tokens of a formula, the
// substitution of variable values, the values' text forms, the literal
// conditions that need no evaluator and the page variables.

// The longest text a substitution may produce, and the most characters it
// may scan on the way. Values that contain further bracket names could
// otherwise make a formula grow without end.
constexpr qsizetype maxSubstitutedLength = qsizetype(4) * 1024 * 1024;
constexpr qsizetype maxSubstitutionWork = qsizetype(64) * 1024 * 1024;

// The number of "[" characters in `text`.
int countBrackets(QStringView text);

// The n-th bracket token of `text` (n from 1): "[" starts a token, the first
// "]" after the n-th "[" ends it and is part of it. When the n-th "[" is not
// closed before the next one, the last token started, blanks trimmed.
QString nthBracketToken(QStringView text, int n);

// Replaces the bracket tokens of `text`, in the order of their "[", by the
// value of the variable each names ("0" when there is none). Every
// occurrence of a token is replaced, comparing without regard to case, and
// tokens are taken from the unchanged text. A value goes in as what it is
// (appendFormulaValue): a literal of its type where it stands in the
// expression, its text inside a double-quoted string. Returns false, with
// `result` as far as it got, when the text would grow past
// maxSubstitutedLength or the work past maxSubstitutionWork.
//
// A qualified reference "[Section].[Field]" is one reference to the field:
// `qualified`, when given, may supply the value from that section's current
// record (returning true); otherwise the variable of the field's name is used.
// `missing`, when given, hears of every qualified reference that neither
// finds, so that the caller can tell whether the field really is absent.
using QualifiedLookup = std::function<bool(QStringView table, QStringView name, QVariant &value)>;
using MissingReference = std::function<void(QStringView table, QStringView name)>;
bool replaceBracketVars(const QString &text, const VariableTable &vars, QString &result,
                        const QualifiedLookup &qualified = nullptr,
                        const MissingReference &missing = nullptr);
QString replaceBracketVars(const QString &text, const VariableTable &vars);

// The value of `key`, or `defaultValue` when there is no such variable.
QVariant collectionItem(const VariableTable &vars, QStringView key, const QVariant &defaultValue);

// The text a value prints as: empty for a null (or no value), otherwise its
// text as CStr gives it in the current locale.
QString nullToEmpty(const QVariant &value);

// The text a value takes inside a formula, the same in every locale so that
// "=[Price]*[Qty]" evaluates alike everywhere: numbers with a period and no
// grouping, "True"/"False", dates as yyyy-mm-dd[ hh:mm:ss], times as
// hh:mm:ss, nothing for a null or a binary value.
QString formulaText(const QVariant &value);

// Where a substituted value stands in a formula.
enum class FormulaSlot
{
    Expression, // among operators and calls: a literal of the value's type
    InString,   // inside "…": its text, double quotes doubled
    InHashes,   // written between "#" and "#" by the formula's author: its text
};
// Appends the value as it goes into `slot`. As an expression a null is
// Null, text a string literal, a date or time a #yyyy-mm-dd hh:mm:ss#
// literal, a Boolean True or False, a negative number bracketed (so that
// -2^2 cannot come of [x]^2); a binary value is the empty string.
void appendFormulaValue(QString &out, const QVariant &value, FormulaSlot slot);

// A field value as formulas are to see it: text in a column whose ADO type
// is a date (SQLite keeps dates as text, and the database layer leaves any
// text it cannot read as it is) becomes the date it spells when the
// evaluator reads it as one; anything else is left as it is.
QVariant formulaFieldValue(const QVariant &value, int adoType);

// Replaces every "[me]" (in any case) by `meText`. Inside a double-quoted
// string it goes in with its quotes doubled; elsewhere a number goes in bare
// (written with a period) and any other text, the empty one too, as a string
// literal, so that =[me]>100, =[me]="X" and =[me]<>"" all test the printed
// value.
QString replaceMeVar(const QString &formula, const QString &meText);

// The conditions and formulas that are plain truth values ("true", "=yes",
// "n", …, in any case). Returns true and sets `value` when `expression` is
// one of them.
bool booleanLiteral(QStringView expression, bool &value);

// Replaces, in this order and case-sensitively, "%page%", "%pages%",
// "%time%", "%date%", "%filename%" and "%title%". Time and date are the
// current ones in the locale's long time and short date formats.
QString replacePercentVars(const QString &text, int page, int pages, const QString &fileName,
                           const QString &title);
