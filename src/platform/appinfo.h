#pragma once

#include <QCoreApplication>
#include <QString>

// The application title that window captions and message boxes use.
inline QString appTitle()
{
    return QStringLiteral("Talvo Mirt");
}

// The filter of the report file dialogs.
inline QString documentFilter()
{
    return QCoreApplication::translate("Mirt", "Talvo Document (*.xml)");
}
