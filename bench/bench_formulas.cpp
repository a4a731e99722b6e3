// Evaluating item formulas through the run's own path: fresh variables for
// every "record" (updateVar), substitution (ReplaceVars inside Evaluate) and
// the script evaluator. Prints evaluations per second and peak memory;
// asserts nothing.
//   bench_formulas [iterations]
#include "document/reportdocument.h"
#include "engine/scriptconvert.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>

#include "benchsupport.h"

#include <cstdio>

namespace {

void measure(ReportDocument &doc, const char *name, const QString &formula, long iterations)
{
    long checksum = 0;
    QElapsedTimer timer;
    timer.start();
    for (long i = 0; i < iterations; ++i) {
        doc.updateVar(QStringLiteral("Price"), double(i % 1000) / 10.0);
        doc.updateVar(QStringLiteral("Qty"), int(i % 50));
        doc.updateVar(QStringLiteral("Discount"), double(i % 7) / 100.0);
        doc.updateVar(QStringLiteral("Name"), (i & 1) ? QStringLiteral("Smith") : QString());
        const ScriptValue v = doc.evaluate(formula);
        checksum += v.type();
    }
    const double seconds = timer.nsecsElapsed() / 1e9;
    std::printf("%-12s %9ld evaluations in %6.2f s: %10.0f /s  (errors %lld, check %ld, peak %ld KiB)\n",
                name, iterations, seconds, iterations / seconds, qlonglong(doc.errorLst.size()),
                checksum, peakKiB());
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const long iterations = argc > 1 ? std::atol(argv[1]) : 1000000;
    ReportDocument doc;
    measure(doc, "arithmetic", QStringLiteral("=[Price]*[Qty]*(1-[Discount])"), iterations);
    measure(doc, "FormatNumber", QStringLiteral("=FormatNumber([Price]*[Qty], 2)"), iterations);
    measure(doc, "IIf concat",
            QStringLiteral("=IIf(\"[Name]\" = \"\", \"no name\", \"Mr \" & \"[Name]\" & \" x\" & [Qty])"),
            iterations);
    measure(doc, "condition", QStringLiteral("true"), iterations);
    return 0;
}
