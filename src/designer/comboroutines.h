#pragma once

#include <QString>
#include <QVariant>

class QComboBox;

// The combo-box helpers every dialog of the designer fills its lists with:
// entries carry a data value (a code) beside their text.
void comboAddItem(QComboBox *list, const QString &text, const QVariant &data);
// Select the first entry whose data (or text) is the one given; nothing
// changes when there is none.
void comboSelectByData(QComboBox *list, const QVariant &data);
void comboSelectByText(QComboBox *list, const QString &text);
// The data of the selected entry; invalid when nothing is selected.
QVariant comboSelectedData(const QComboBox *list);
