#include "program/evalcommand.h"

#include "engine/scriptconvert.h"
#include "engine/scriptevaluator.h"

#include <QLocale>

int runEvalCommand(const QString &expression, QTextStream &out, QTextStream &err)
{
    const ScriptResult result = ScriptEvaluator(QLocale::c()).evaluate(expression);
    if (!result.ok()) {
        err << result.error.description << Qt::endl;
        return 3;
    }
    out << cstr(result.value, QLocale::c()) << Qt::endl;
    return 0;
}
