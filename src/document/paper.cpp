#include "paper.h"

#include "platform/units.h"
#include "document/reportdocument.h"

#include <QCoreApplication>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("Paper", text);
}

QList<PaperEntry> buildTable()
{
    // Inches where the paper is an inch size, so that it matches the printer's.
    auto in = [](double w, double h) { return QSizeF(w * 25.4, h * 25.4); };
    return {
        {1, tr("US (21,59 x 27,94 cm)"), in(8.5, 11)},
        {2, tr("Small letter US (21,59 x 27,94 cm)"), in(8.5, 11)},
        {3, tr("Tabloïd US (27,94 x 43,18 cm)"), in(11, 17)},
        {4, tr("Ledger US (43,18 x 27,94 cm)"), in(17, 11)},
        {5, tr("Legal US (21,59 x 35,56 cm)"), in(8.5, 14)},
        {6, tr("Statement US (13,97 x 21,59 cm)"), in(5.5, 8.5)},
        {7, tr("Executive US (19,05 x 25,04 cm)"), in(7.25, 10.5)},
        {8, tr("A3 (29,7 x 42 cm)"), {297, 420}},
        {9, tr("A4 (21 x 29,7 cm)"), {210, 297}},
        {10, tr("Small A4 (21 x 29,7 cm)"), {210, 297}},
        {11, tr("A5 (14,8 x 21 cm)"), {148, 210}},
        {12, tr("B4 (25 x 35,3 cm)"), {250, 353}},
        {13, tr("B5 (17,65 x 25 cm)"), {176, 250}},
        {14, tr("Folio US (21,59 x 33,02 cm)"), in(8.5, 13)},
        {15, tr("Quarto US (21,5 x 27,5 cm)"), {215, 275}},
        {16, tr("25,4 x 35,56 cm"), in(10, 14)},
        {17, tr("27,94 x 43,18 cm"), in(11, 17)},
        {18, tr("Note US (21,59 x 27,94 cm)"), in(8.5, 11)},
        {19, tr("Enveloppe US # 9 (9,84 x 22,54 cm)"), in(3.875, 8.875)},
        {20, tr("Enveloppe US\u00A0# 10 (10,48 x 24,13 cm)"), in(4.125, 9.5)},
        {21, tr("Enveloppe US # 11 (11,43 x 26,35 cm)"), in(4.5, 10.375)},
        {22, tr("Enveloppe US # 12 (12,38 x 27,94 cm)"), in(4.875, 11)},
        {23, tr("Enveloppe US # 14 (12,7 x 29,21 cm)"), in(5, 11.5)},
        {24, tr("US C"), in(17, 22)},
        {25, tr("US D"), in(22, 34)},
        {26, tr("US E"), in(34, 44)},
        {27, tr("Enveloppe DL (11 x 22 cm)"), {110, 220}},
        {29, tr("Enveloppe C3 (32,4 x 45,8 cm)"), {324, 458}},
        {30, tr("Enveloppe C4 (22,9 x 32,4 cm)"), {229, 324}},
        {28, tr("Enveloppe C5 (16,2 x 22,9 cm)"), {162, 229}},
        {31, tr("Enveloppe C6 (11,4 x 16,2 cm)"), {114, 162}},
        {32, tr("Enveloppe C65 (11,4 x 22,9 cm)"), {114, 229}},
        {33, tr("Enveloppe B4 (25,0 x 35,3 cm)"), {250, 353}},
        {34, tr("Enveloppe B5 (17,6 x 25 cm)"), {176, 250}},
        {35, tr("Enveloppe B6 (17,6 x 12,5 cm)"), {176, 125}},
        {36, tr("Enveloppe (11 x 23 cm)"), {110, 230}},
        {37, tr("Enveloppe Monarch (9,84 x 19,5 cm)"), in(3.875, 7.5)},
        {38, tr("Enveloppe (9,20 x 16,51 cm)"), in(3.625, 6.5)},
        {39, tr("Fanfold US (37,78 x 27,94 cm)"), in(14.875, 11)},
        {40, tr("Fanfold German (21,59 x 30,48 cm)"), in(8.5, 12)},
        {41, tr("Fanfold German Legal (21,59 x 33,02 cm)"), in(8.5, 13)},
        {kPaperUserDefined, tr("(other)"), {}},
    };
}

} // namespace

const QList<PaperEntry> &paperTable()
{
    static const QList<PaperEntry> table = buildTable();
    return table;
}

QPageSize paperPageSize(int code)
{
    for (const PaperEntry &entry : paperTable()) {
        if (entry.code == code && !entry.millimetres.isEmpty()) {
            // A landscape-shaped sheet (ledger, envelope B6) stays as fed;
            // only its name may come from the standard size turned.
            return QPageSize(entry.millimetres, QPageSize::Millimeter, QString(),
                             QPageSize::FuzzyMatch);
        }
    }
    return QPageSize();
}

QPageSize documentPageSize(const ReportDocument &doc)
{
    if (doc.paperType == kPaperUserDefined) {
        const QSizeF mm(convertUnit(doc.pageWidth, doc.unit(), Unit::Millimetres),
                        convertUnit(doc.pageHeight, doc.unit(), Unit::Millimetres));
        if (mm.width() > 0 && mm.height() > 0)
            return QPageSize(mm, QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
    }
    const QPageSize paper = paperPageSize(doc.paperType == 0 ? kPaperDefault : doc.paperType);
    return paper.isValid() ? paper : QPageSize(QPageSize::A4);
}

float pageHeightO(const ReportDocument &doc)
{
    return doc.pageOrientation == 1 ? doc.pageHeight : doc.pageWidth;
}

float pageWidthO(const ReportDocument &doc)
{
    return doc.pageOrientation == 1 ? doc.pageWidth : doc.pageHeight;
}

QSizeF pageSizeMillimetres(const ReportDocument &doc)
{
    const double w = convertUnit(doc.pageWidth, doc.unit(), Unit::Millimetres);
    const double h = convertUnit(doc.pageHeight, doc.unit(), Unit::Millimetres);
    if (w > 0 && h > 0)
        return QSizeF(w, h);
    // No size stored: the paper's (the paper codes are the printer
    // drivers', not Qt's).
    return documentPageSize(doc).size(QPageSize::Millimeter);
}

QSizeF pageSizeO(const ReportDocument &doc)
{
    const QSizeF mm = pageSizeMillimetres(doc);
    const QSizeF size(convertUnit(mm.width(), Unit::Millimetres, doc.unit()),
                      convertUnit(mm.height(), Unit::Millimetres, doc.unit()));
    return doc.pageOrientation == 1 ? size : size.transposed();
}
