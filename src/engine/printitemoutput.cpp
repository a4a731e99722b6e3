#include "printitemoutput.h"

#include "document/igraph.h"
#include "document/ipic.h"
#include "document/item.h"
#include "document/section.h"
#include "document/talvodocument.h"

float fitPrintText(TalvoDocument &doc, Item &printItem)
{
    Q_UNUSED(doc);
    while (printItem.content.endsWith(u' '))
        printItem.content.chop(1);
    return printItem.h;
}

void loadPrintPicture(iPic &printItem, section *sec)
{
    Q_UNUSED(printItem);
    Q_UNUSED(sec);
}

void loadPrintChart(iGraph &printItem, section *sec)
{
    Q_UNUSED(printItem);
    Q_UNUSED(sec);
}
