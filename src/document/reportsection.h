#pragma once

#include "document/keyedcollection.h"
#include "document/reportitem.h"

#include <QString>
#include <QVariant>

#include <limits>
#include <memory>
#include <optional>

class ReportDocument;
class Field;
class Recordset;
class TextItem;
class PictureItem;
class ChartItem;
class XmlDocument;
class XmlNode;

// One band of a report: report header, page header, a data section, page
// footer or report footer. Its items are keyed "k1", "k2", … by creation.
class ReportSection
{
public:
    // section_Type codes. 5 and 6 are known to SortingKey only (they sort
    // just before and after the data section of the same number).
    enum Type {
        DataSection = 0, PageHeader = 1, PageFooter = 2, ReportHeader = 3, ReportFooter = 4,
        BeforeData = 5, AfterData = 6,
    };
    // mode: how a data section follows its parent.
    enum Mode { AfterEachRecord = 0, OnceAfter = 1 };

    ReportSection();
    ReportSection(const ReportSection &) = delete;
    ReportSection &operator=(const ReportSection &) = delete;
    ~ReportSection();

    // The collection key of this kind: "ph", "pf", "rh", "rf" for kinds 1
    // to 4, "d" followed by dataSectionNumber for every other kind.
    QString Key() const;
    static QString keyOf(int type, int dataSectionNumber);
    // The key sections are ordered by, at least four digits: "0000" for
    // headers and footers, dataSectionNumber × 10 for data sections (−1 for
    // kind 5, +1 for kind 6).
    QString sortingKey() const;

    // "k" followed by the next value of the section's counter; never reused.
    QString newKey();
    // Create an item with its class defaults, key it with newKey, append it.
    TextItem *newTextItem();
    PictureItem *newPicture();
    ChartItem *newChart();

    void SelectAll(bool value);
    // The section's own flag or any item's.
    bool modified() const;
    // The parent document's unit; 0 without a parent.
    int unit() const;
    // Height in twips (32 pixels per centimetre).
    double HeightT() const;

    // Releases the parent reference (and, during a run, the recordset).
    void release();

    // <SECTION> with its items in collection order.
    std::unique_ptr<XmlNode> toXmlNode(XmlDocument &dom) const;
    // Reads the attributes, then creates an item for every ITEM, PICTURE and
    // GRAPH child, in file order, with fresh keys.
    void readXml(const XmlNode &node);

    // The Boolean form of the `visible` text ("true"/"false", or a number,
    // non-zero meaning true); empty when the text has none.
    static std::optional<bool> visibleValue(const QString &visible);

    // ---- Queries (defined in src/data/) ----
    // Opens the section's query (references filled from the parent's
    // current record) into a new rsd; 0 on success, 2 on failure with the
    // reason in the document's error list.
    int openRecordset(long maxRecords);
    // The SQL with every reference replaced by 0.
    QString testSQL() const;
    // The field of rsd named `name` at its current row; an invalid Field
    // when there is none (no open recordset, no such field).
    Field fieldValue(const QString &name) const;
    // Its ADO type number; 0 when there is no such field.
    int fieldType(const QString &name) const;
    // Its value at the current row (invalid for Null); an empty string when
    // it cannot be read.
    QVariant fieldValueOf(const QString &name) const;
    std::unique_ptr<Recordset> rsd; // open while a run walks the section

    // ---- Report run (defined in src/engine/) ----
    // Lays out one occurrence of the section on the run's pages at its
    // current y, starting a new page first when it does not fit.
    void layOutOccurrence() const;

    QString sectionName = QStringLiteral("Data");
    int dataSectionNumber = 0; // 1 for the first data section; 0 for headers and footers
    KeyedCollection<ReportItem> items;
    int section_Type = DataSection;
    float Height = 2;
    QString SQL;
    bool PageBreakBefore = false; // not stored
    bool pageBreakAfter = false;
    int mode = AfterEachRecord;
    int sectionParent = 0; // dataSectionNumber of the parent data section; 0 for none
    bool canGrow = false;   // not stored
    bool canShrink = false; // not stored
    QString visible = QStringLiteral("true");
    bool modified_ = false;   // a change of the section's own properties
    ReportDocument *parent = nullptr;

private:
    template <typename T>
    T *addNew();
    // Creates the records of one occurrence at CurrentY on the document's
    // page being filled; returns the largest growth of its texts.
    float layOutItems() const;

    int m_itemCounter = 0;
};
