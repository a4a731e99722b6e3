// Feeds arbitrary patterns and values to Format. The input is split at the
// first newline into a value text and a pattern; the value is tried as text,
// as a number and as a date.
#include "engine/scriptvalue.h"
#include "engine/vbformat.h"

#include <QLocale>
#include <QString>

#include <cmath>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString input = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const qsizetype cut = input.indexOf(QLatin1Char('\n'));
    const QString value = cut < 0 ? QString() : input.left(cut);
    const QString pattern = cut < 0 ? input : input.mid(cut + 1);
    double d = 0;
    bool numeric = false;
    d = value.toDouble(&numeric);
    if (!numeric || !std::isfinite(d))
        d = double(value.size()) * 1234.5678 - 100;
    for (const QLocale &locale : {QLocale::c(), QLocale(QLocale::French, QLocale::France)}) {
        (void)formatValue(ScriptValue(value), pattern, locale);
        (void)formatValue(ScriptValue::fromDouble(d), pattern, locale);
        (void)formatValue(ScriptValue::fromDouble(-d), pattern, locale);
        (void)formatValue(ScriptValue::fromDate(std::fmod(d, 2958465.0)), pattern, locale);
        (void)formatValue(ScriptValue::null(), pattern, locale);
    }
    return 0;
}
