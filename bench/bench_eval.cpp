// Evaluating report formulas the way a run does: field values substituted
// into the text for every record, a fresh evaluator per call. Prints
// evaluations per second for three typical formulas and the memory in use
// before and after; asserts nothing.
//   bench_eval [evaluations]
#include "engine/scriptevaluator.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QStringList>

#include <cstdio>

namespace {

// "VmRSS" (now) or "VmHWM" (peak) from /proc, in kB.
long memoryKb(const char *field)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray key = QByteArray(field) + ':';
    for (const QByteArray &line : f.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').first().toLong();
    }
    return -1;
}

// Texts as the substitution leaves them, with values that change per record.
QStringList variants(const QString &pattern, int count)
{
    QStringList out;
    for (int i = 0; i < count; ++i) {
        const double price = 1.25 + i % 97;
        const int qty = 1 + i % 13;
        const double discount = (i % 20) / 100.0;
        QString s = pattern;
        s.replace(QLatin1String("[Price]"), QString::number(price));
        s.replace(QLatin1String("[Qty]"), QString::number(qty));
        s.replace(QLatin1String("[Discount]"), QString::number(discount));
        s.replace(QLatin1String("[Name]"), QStringLiteral("Customer %1").arg(i));
        out.append(s);
    }
    return out;
}

void run(const char *label, const QString &pattern, int evaluations)
{
    const QStringList texts = variants(pattern, 4096);
    const long before = memoryKb("VmRSS");
    QElapsedTimer timer;
    timer.start();
    int failures = 0;
    for (int i = 0; i < evaluations; ++i) {
        const ScriptResult r = ScriptEvaluator().evaluate(texts.at(i & 4095));
        if (!r.ok())
            ++failures;
    }
    const double seconds = timer.nsecsElapsed() / 1e9;
    const long after = memoryKb("VmRSS");
    std::printf("%-28s %10.0f evaluations/s  (%d in %.3f s, %d errors)  RSS %ld kB -> %ld kB\n", label,
                evaluations / seconds, evaluations, seconds, failures, before, after);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int n = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 1000000;
    std::printf("peak RSS at start: %ld kB\n", memoryKb("VmHWM"));
    run("arithmetic", QStringLiteral("[Price]*[Qty]*(1-[Discount])"), n);
    run("FormatNumber", QStringLiteral("FormatNumber([Price]*[Qty], 2)"), n);
    run("IIf with concatenation", QStringLiteral("IIf([Qty] > 5, \"[Name]\" & \" (bulk)\", \"[Name]\")"), n);
    std::printf("peak RSS at end: %ld kB\n", memoryKb("VmHWM"));
    return 0;
}
