#pragma once

// The generated order lines that the run benchmarks lay out, and the list
// report over them (page header with the title and "Page %page% of
// %pages%", six fields with one formula and one format, page footer).

#include "document/textitem.h"
#include "document/reportsection.h"
#include "document/reportdocument.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

// Order rows; ParentID groups them by ten for the master/detail case.
inline bool makeDatabase(const QString &path, int rows)
{
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("w"));
        db.setDatabaseName(path);
        ok = db.open();
        QSqlQuery q(db);
        ok = ok &&
             q.exec(QStringLiteral(
                 "CREATE TABLE Lines (ID INTEGER PRIMARY KEY, ParentID INTEGER, Customer TEXT, "
                 "Product TEXT, Quantity INTEGER, Price REAL, Shipped DATETIME)"));
        ok = ok && q.exec(QStringLiteral("CREATE INDEX LinesByParent ON Lines (ParentID)"));
        ok = ok &&
             q.exec(QStringLiteral("CREATE TABLE Parents (ID INTEGER PRIMARY KEY, Name TEXT)"));
        ok = ok && db.transaction();
        ok = ok && q.prepare(QStringLiteral("INSERT INTO Lines VALUES (?, ?, ?, ?, ?, ?, ?)"));
        for (int i = 1; ok && i <= rows; ++i) {
            q.bindValue(0, i);
            q.bindValue(1, (i - 1) / 10 + 1);
            q.bindValue(2, QStringLiteral("Customer %1").arg(i % 997));
            q.bindValue(3, QStringLiteral("Product number %1").arg(i % 101));
            q.bindValue(4, i % 60 + 1);
            q.bindValue(5, (i % 10000) / 100.0);
            q.bindValue(6, QStringLiteral("2024-%1-%2 10:00:00")
                               .arg(i % 12 + 1, 2, 10, QLatin1Char('0'))
                               .arg(i % 28 + 1, 2, 10, QLatin1Char('0')));
            ok = q.exec();
        }
        ok = ok && q.prepare(QStringLiteral("INSERT INTO Parents VALUES (?, ?)"));
        for (int i = 1; ok && i <= (rows + 9) / 10; ++i) {
            q.bindValue(0, i);
            q.bindValue(1, QStringLiteral("Parent %1").arg(i));
            ok = q.exec();
        }
        ok = ok && db.commit();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("w"));
    return ok;
}

inline void addColumn(ReportSection *sec, const QString &content, float x, float w,
                      const QString &format = {})
{
    TextItem *item = sec->newTextItem();
    item->content = content;
    item->x = x;
    item->y = 0.05f;
    item->w = w;
    item->h = 0.45f;
    item->fontSize = 9;
    item->FormatString = format;
}

inline void setUpPage(ReportDocument &doc, const QString &db)
{
    doc.clearSections();
    doc.docName = QStringLiteral("Order lines");
    doc.connectionStringData = QStringLiteral("Provider=SQLite;Data Source=") + db;
    doc.pageHeight = 29.7f;
    doc.pageWidth = 21;
    doc.setPageHeader(true);
    doc.setPageFooter(true);
    ReportSection *ph = doc.sections.value(QStringLiteral("ph"));
    ph->Height = 1;
    addColumn(ph, QStringLiteral("%title%"), 1.5f, 10);
    addColumn(ph, QStringLiteral("Page %page% of %pages%"), 13.5f, 6);
    ReportSection *pf = doc.sections.value(QStringLiteral("pf"));
    pf->Height = 1;
    addColumn(pf, QStringLiteral("Printed %date%"), 1.5f, 10);
}

inline void addLineColumns(ReportSection *list, const QString &name)
{
    addColumn(list, QStringLiteral("[ID]"), 1.5f, 1.5f);
    addColumn(list, QStringLiteral("[%1].[Customer]").arg(name), 3, 4);
    addColumn(list, QStringLiteral("[Product]"), 7, 4.5f);
    addColumn(list, QStringLiteral("[Quantity]"), 11.5f, 1.5f);
    addColumn(list, QStringLiteral("=[%1].[Price] * [%1].[Quantity]").arg(name), 13, 3,
              QStringLiteral("#,##0.00"));
    addColumn(list, QStringLiteral("[Shipped]"), 16, 3.5f, QStringLiteral("dd.mm.yyyy"));
}

// The list section "Lines" of every order line on a set-up page.
inline void addOrderList(ReportDocument &doc)
{
    ReportSection *list = doc.addDataSection();
    list->sectionName = QStringLiteral("Lines");
    list->Height = 0.5f;
    list->SQL = QStringLiteral(
        "SELECT ID, Customer, Product, Quantity, Price, Shipped FROM Lines ORDER BY ID");
    addLineColumns(list, list->sectionName);
    doc.orderSections();
}
