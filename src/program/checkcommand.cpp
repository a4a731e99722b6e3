#include "checkcommand.h"

#include "document/chartitem.h"
#include "document/reportdocument.h"
#include "engine/reportrun.h"
#include "platform/recordset.h"

#include <QCoreApplication>
#include <QTextStream>

#include <algorithm>
#include <vector>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("checkcommand", text);
}

// Continuation lines of a multi-line query, indented under its first line.
QString indentedSql(QString sql)
{
    sql.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    sql.replace(u'\r', u'\n');
    return sql.replace(u'\n', QStringLiteral("\n       "));
}

// A child can only take its parent's values while the parent stands on a
// record; otherwise it is checked with every reference replaced by 0.
bool parentHasRecord(const ReportDocument &doc, const ReportSection &sec)
{
    const ReportSection *p = doc.sections.value(ReportSection::keyOf(ReportSection::DataSection, sec.sectionParent));
    return p && p->rsd && p->rsd->state() == Recordset::adStateOpen && !p->rsd->eof();
}

// Runs one query into `rs` and prints what came of it under `indent`: the
// error-list entries it added, then OK with the record count and fields,
// or FAILED with the query. False when it failed.
bool printQueryCheck(ReportDocument &doc, QString sql, Recordset &rs, qsizetype errorsBefore,
                     const QString &indent, QTextStream &out)
{
    const int result = doc.runSql(sql, rs, 0);
    for (qsizetype i = errorsBefore; i < doc.errorLst.size(); ++i) {
        const ErrorEntry &e = doc.errorLst.at(i);
        out << indent << (e.function_ == QLatin1String("BuildSQL") ? tr("Note:") : tr("Error:"))
            << ' ' << e.message << '\n';
    }
    if (result != 0) {
        out << indent << tr("FAILED") << '\n'
            << indent << tr("SQL:") << ' ' << indentedSql(sql) << '\n';
        return false;
    }
    const long count = rs.recordCount();
    out << indent << tr("OK") << ", " << (count == 1 ? tr("1 record") : tr("%1 records").arg(count))
        << '\n';
    const FieldCollection fields = rs.fields();
    for (int i = 0; i < fields.count(); ++i) {
        const Field f = fields.item(i);
        out << indent << "  " << f.name() << '\t' << f.type() << '\n';
    }
    return true;
}

// The queries of the charts of `sec`, with references taken from its
// current record (or replaced by 0 when it stands on none).
bool checkCharts(ReportDocument &doc, ReportSection &sec, QTextStream &out)
{
    bool ok = true;
    const bool onRecord = sec.rsd && sec.rsd->state() == Recordset::adStateOpen && !sec.rsd->eof();
    for (ReportItem *item : sec.items) {
        if (item->kind() != ReportItem::GraphKind)
            continue;
        const auto *chart = static_cast<ChartItem *>(item);
        out << "  " << tr("chart %1").arg(chart->Key) << '\n';
        if (chart->SQL.trimmed().isEmpty()) {
            out << "    " << tr("no query") << '\n';
            continue;
        }
        const qsizetype errorsBefore = doc.errorLst.size();
        QString sql = chart->SQL;
        if (onRecord) {
            doc.replaceRefsInSql(sql, &sec);
        } else {
            sql = doc.testSQL(sql);
            if (!doc.fieldsFromSql(chart->SQL).isEmpty())
                out << "    " << tr("(no record: references replaced by 0)") << '\n';
        }
        Recordset rs;
        ok = printQueryCheck(doc, sql, rs, errorsBefore, QStringLiteral("    "), out) && ok;
    }
    return ok;
}

} // namespace

int runCheckCommand(ReportDocument &doc, QTextStream &out, QTextStream &err)
{
    if (doc.openDataConnection() != 0) {
        err << tr("Impossible to open the connection") << '\n' << doc.connectionError() << '\n';
        err.flush();
        return CheckNoConnection;
    }

    std::vector<ReportSection *> dataSections;
    for (ReportSection *s : doc.sections) {
        if (s->section_Type == ReportSection::DataSection)
            dataSections.push_back(s);
    }
    // Parents have lower numbers than their children, so they are open first.
    std::stable_sort(dataSections.begin(), dataSections.end(),
                     [](const ReportSection *a, const ReportSection *b) {
                         return a->dataSectionNumber < b->dataSectionNumber;
                     });

    if (dataSections.empty())
        out << tr("The report has no data section.") << '\n';

    bool failed = false;
    for (ReportSection *sec : dataSections) {
        // A limit of the command line ends the check (its query was broken off).
        if (doc.run().stopRequested)
            break;
        out << sec->Key() << ' ' << sec->sectionName << '\n';
        const qsizetype errorsBefore = doc.errorLst.size();

        QString sql;
        if (sec->sectionParent != 0 && parentHasRecord(doc, *sec)) {
            sql = doc.buildSql(sec);
        } else {
            sql = sec->testSQL();
            if (sec->sectionParent != 0 && !doc.fieldsFromSql(sec->SQL).isEmpty())
                out << "  " << tr("(no parent record: references replaced by 0)") << '\n';
        }
        sec->rsd = std::make_unique<Recordset>();
        if (!printQueryCheck(doc, sql, *sec->rsd, errorsBefore, QStringLiteral("  "), out)) {
            failed = true;
            sec->rsd.reset();
        }
        if (!checkCharts(doc, *sec, out))
            failed = true;
        out << '\n';
    }

    // Charts on the bands around the data have no record to refer to.
    for (ReportSection *sec : doc.sections) {
        if (sec->section_Type == ReportSection::DataSection || doc.run().stopRequested)
            continue;
        bool hasChart = false;
        for (const ReportItem *item : sec->items)
            hasChart = hasChart || item->kind() == ReportItem::GraphKind;
        if (!hasChart)
            continue;
        out << sec->Key() << ' ' << sec->sectionName << '\n';
        if (!checkCharts(doc, *sec, out))
            failed = true;
        out << '\n';
    }

    for (ReportSection *sec : dataSections)
        sec->rsd.reset();
    out.flush();
    return failed ? CheckSectionFailed : CheckPassed;
}
