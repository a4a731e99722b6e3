#include "checkcommand.h"

#include "document/talvodocument.h"
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
bool parentHasRecord(const TalvoDocument &doc, const section &sec)
{
    const section *p
        = doc.sections.value(section::keyOf(section::DataSection, sec.sectionParent));
    return p && p->rsd && p->rsd->State() == Recordset::adStateOpen && !p->rsd->Eof();
}

} // namespace

int runCheckCommand(TalvoDocument &doc, QTextStream &out, QTextStream &err)
{
    if (doc.openDataConnection() != 0) {
        err << tr("Impossible to open the connection") << '\n'
            << doc.connectionError() << '\n';
        err.flush();
        return CheckNoConnection;
    }

    std::vector<section *> dataSections;
    for (section *s : doc.sections) {
        if (s->section_Type == section::DataSection)
            dataSections.push_back(s);
    }
    // Parents have lower numbers than their children, so they are open first.
    std::stable_sort(dataSections.begin(), dataSections.end(),
                     [](const section *a, const section *b) {
                         return a->dataSectionNumber < b->dataSectionNumber;
                     });

    if (dataSections.empty())
        out << tr("The report has no data section.") << '\n';

    bool failed = false;
    for (section *sec : dataSections) {
        out << sec->Key() << ' ' << sec->sectionName << '\n';
        const qsizetype errorsBefore = doc.errorLst.size();

        QString sql;
        if (sec->sectionParent != 0 && parentHasRecord(doc, *sec)) {
            sql = doc.BuildSQL(sec);
        } else {
            sql = sec->testSQL();
            if (sec->sectionParent != 0 && !doc.GetFieldsFromSQL(sec->SQL).isEmpty())
                out << "  " << tr("(no parent record: references replaced by 0)") << '\n';
        }
        sec->rsd = std::make_unique<Recordset>();
        const int result = doc.RunSQL(sql, *sec->rsd, 0);

        for (qsizetype i = errorsBefore; i < doc.errorLst.size(); ++i) {
            const talvoError &e = doc.errorLst.at(i);
            out << "  " << (e.function_ == QLatin1String("BuildSQL") ? tr("Note:") : tr("Error:"))
                << ' ' << e.message << '\n';
        }
        if (result == 0) {
            const long count = sec->rsd->RecordCount();
            out << "  " << tr("OK") << ", "
                << (count == 1 ? tr("1 record") : tr("%1 records").arg(count)) << '\n';
            const FieldCollection fields = sec->rsd->Fields();
            for (int i = 0; i < fields.Count(); ++i) {
                const Field f = fields.Item(i);
                out << "    " << f.Name() << '\t' << f.Type() << '\n';
            }
        } else {
            failed = true;
            out << "  " << tr("FAILED") << '\n' << "  " << tr("SQL:") << ' ' << indentedSql(sql) << '\n';
            sec->rsd.reset();
        }
        out << '\n';
    }

    for (section *sec : dataSections)
        sec->rsd.reset();
    out.flush();
    return failed ? CheckSectionFailed : CheckPassed;
}
