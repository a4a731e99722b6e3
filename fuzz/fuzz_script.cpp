// Feeds arbitrary text to the expression evaluator, in the C and a German
// locale. Every input must give a value or an error with a description; none
// may crash, hang or take unbounded memory.
#include "engine/scriptconvert.h"
#include "engine/scriptevaluator.h"

#include <QLocale>
#include <QString>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    for (const QLocale &locale : {QLocale::c(), QLocale(QLocale::German, QLocale::Germany)}) {
        const ScriptResult r = ScriptEvaluator(locale).evaluate(text);
        if (!r.ok() && r.error.description.isEmpty())
            std::abort();
        if (r.ok())
            (void)cstr(r.value, locale);
    }
    return 0;
}
