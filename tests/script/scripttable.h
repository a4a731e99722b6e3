#pragma once

#include "engine/scriptconvert.h"
#include "engine/scriptevaluator.h"

#include <QLocale>
#include <QTest>

// Rows of expression -> CStr text and TypeName, or -> error description.
namespace ScriptTable {

inline void columns()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("error");
}

inline void row(const char *expression, const char *text, const char *type)
{
    QTest::newRow(expression) << QString::fromUtf8(expression) << QString::fromUtf8(text)
                              << QString::fromUtf8(type) << QString();
}

inline void error(const char *expression, const char *description)
{
    QTest::newRow(expression) << QString::fromUtf8(expression) << QString() << QString()
                              << QString::fromUtf8(description);
}

inline void check(const QLocale &locale = QLocale::c())
{
    QFETCH(QString, expression);
    QFETCH(QString, text);
    QFETCH(QString, type);
    QFETCH(QString, error);
    const ScriptResult r = ScriptEvaluator(locale).evaluate(expression);
    if (!error.isEmpty()) {
        QVERIFY2(!r.ok(), qPrintable(cstr(r.value, locale)));
        QCOMPARE(r.error.description, error);
        return;
    }
    QVERIFY2(r.ok(), qPrintable(r.error.description));
    QCOMPARE(cstr(r.value, locale), text);
    QCOMPARE(r.value.typeName(), type);
}

} // namespace ScriptTable
