#include "comboroutines.h"

#include <QComboBox>

void comboAddItem(QComboBox *list, const QString &text, const QVariant &data)
{
    list->addItem(text, data);
}

void comboSelectByData(QComboBox *list, const QVariant &data)
{
    const int index = list->findData(data);
    if (index >= 0)
        list->setCurrentIndex(index);
}

void comboSelectByText(QComboBox *list, const QString &text)
{
    const int index = list->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0)
        list->setCurrentIndex(index);
}

QVariant comboSelectedData(const QComboBox *list)
{
    return list->currentIndex() >= 0 ? list->currentData() : QVariant();
}
