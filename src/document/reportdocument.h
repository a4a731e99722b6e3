#pragma once

#include "document/keyedcollection.h"
#include "document/reportsection.h"
#include "document/errorentry.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>

class Connection;
class Recordset;
class FieldReference;
struct CatalogEntry;
class DrawingSurface;
class XmlDocument;
class XmlNode;
class ReportRun;
struct PageRecord;
class ScriptValue;

// The whole report: page setup, connection strings, the keyed sections and
// the last run of the report engine (run()). The application holds one for
// its whole life; "new" and "open" reuse it through init and loadXml.
//
// The model never calls a widget: questions and messages go through
// UserInteraction::current().
//
// Engine operations (queries, evaluation, pagination, output) are members
// too; they are declared in the marked blocks below and defined in the
// engine's own source files.
class ReportDocument : public QObject
{
    Q_OBJECT

public:
    explicit ReportDocument(QObject *parent = nullptr);
    ~ReportDocument() override;

    // ---- Persistent properties (lengths in the document unit) ----
    QString docName;        // the report title, %title%
    QString fileName;       // path of the report file; empty when never saved; not stored
    QString DocPrinterName; // empty: the default printer
    int paperType = 9;      // the printer driver's paper code; 9 is A4
    float pageHeight = 0;
    float pageWidth = 0;
    float leftMargin = 1.5f;
    float rightMargin = 1.5f;
    float topMargin = 1.5f;
    float bottomMargin = 2;
    unsigned char pageOrientation = 1; // 1 portrait, 2 landscape
    unsigned char copies = 1;
    QString connectionStringData;
    QString connectionStringTexts; // recomputed by init, not stored
    float gridSize = 0.2f;         // designer grid step; 0 means no grid
    QString language;              // BCP 47 ("de-CH") for PDF readers; empty: the system's

    // The document unit (5 inches, 6 millimetres, 7 centimetres). Setting it
    // converts the page size and the four margins; grid, section heights and
    // item rectangles keep their numbers.
    int unit() const { return m_unit; }
    void setUnit(int newUnit);

    // ---- Structure ----
    KeyedCollection<ReportSection> sections; // "ph", "pf", "rh", "rf", "d1", "d2", …
    int nbDataSections = 0;            // as last counted by countDataSections
    bool modified_ = false;            // a header or footer was switched
    bool dbg = false;                  // collect the debug list
    bool hideRun = false;              // the current run has no visible preview

    // ---- Error and debug lists ----
    QList<ErrorEntry> errorLst; // emptied by init
    QStringList debugLst;
    // Appends the entry (filled by the caller) to errorLst.
    void addError(const ErrorEntry &e);
    bool isErrors() const { return !errorLst.isEmpty(); }
    // The entry added last; nullptr while the list is empty.
    const ErrorEntry *lastError() const { return errorLst.isEmpty() ? nullptr : &errorLst.last(); }
    // Appends the line in debug mode only, so callers need not test dbg.
    void addDebugList(const QString &line);

    // ---- The last run (pages, variables, progress; defined in src/engine/) ----
    // Created empty on first use; each run empties it first.
    ReportRun &run();
    const ReportRun &run() const;
    // Asks the run's check (its page and time limits) whether a query being
    // read should be broken off.
    bool queryInterrupted();

    // ---- Model operations ----
    // Back to a new document's settings, with no sections and no changes.
    void init();
    // Creates data section number `where` (from 1; the sections from that
    // number on move up by one, and so do the references of their children)
    // or, with where < 0, the next number. Stored under its Key; returns it.
    ReportSection *addDataSection(int where = -1);
    void clearSections();
    int nbSections() const { return sections.count(); }
    int countDataSections();

    // Whether the header or footer of that kind is present; setting adds or
    // removes it and marks the document modified.
    bool pageHeader() const { return hasKind(ReportSection::PageHeader); }
    bool pageFooter() const { return hasKind(ReportSection::PageFooter); }
    bool reportHeader() const { return hasKind(ReportSection::ReportHeader); }
    bool reportFooter() const { return hasKind(ReportSection::ReportFooter); }
    void setPageHeader(bool on) { switchKind(ReportSection::PageHeader, on); }
    void setPageFooter(bool on) { switchKind(ReportSection::PageFooter, on); }
    void setReportHeader(bool on) { switchKind(ReportSection::ReportHeader, on); }
    void setReportFooter(bool on) { switchKind(ReportSection::ReportFooter, on); }

    // Sorts sections by SortingKey (stable): headers and footers first, in
    // their order, then the data sections by number.
    void orderSections();
    // The first section named exactly `name`, else defaultSection.
    ReportSection *findSection(const QString &name, ReportSection *defaultSection) const;
    // The collection key of the first section named exactly `name`, or "".
    QString getKeySection(const QString &name) const;

    // True after any change of the document, a section or an item.
    bool modified() const;
    void clearModified();

    // Writes the document to fileName, asking for a name first when it has
    // none. False when nothing was written (cancelled, or the write failed:
    // the message names the file and the reason, the old file is intact and
    // the document stays modified).
    bool save();
    // Asks for a file name to save under; false when cancelled.
    bool askFileName();
    // Before "new", "open" and closing: true when the caller must stop
    // (Cancel, or Yes but the save did not happen).
    bool checkIfToSave_MustStopIsAnswer();
    // Releases what the document holds: lists, pages, sections, connection.
    void release();
    // Raises GoEnd.
    void askEnd();

    // ---- Report file ----
    // Writes the file (replacing it only when complete); errorString() says
    // why it failed.
    bool saveXml(const QString &fileName);
    QString errorString() const { return m_errorString; }
    // Reads a report file; on success the document is rebuilt from it, on
    // failure the user is told why (reason, line and text of the line) and
    // the document is left as it was. fileName is not touched.
    bool loadXml(const QString &fileName);
    // The same for a report held in memory; `sourceName` names it in messages.
    bool loadXmlData(const QByteArray &data, const QString &sourceName = QString());
    // The MIRTDOCUMENT element with its sections.
    std::unique_ptr<XmlNode> toXmlNode(XmlDocument &dom) const;
    // Reads the root's attributes and its SECTION children.
    void readXml(const XmlNode &root);

    // ---- Data connection and queries (defined in src/data/) ----
    // The report's connection, created empty on first use; read-only.
    Connection &connection();
    // 0 when the connection is open afterwards, 1 when it cannot be opened
    // (connectionError() then says why). An open connection is kept only
    // while it still serves connectionStringData and the report's folder.
    int openDataConnection();
    bool isDataConnectionOpen() const;
    // Why the last openDataConnection failed; empty after a success.
    QString connectionError() const { return m_connectionError; }
    // The folder a relative Data Source is looked up in first: the report
    // file's; empty for an unsaved report.
    QString dataBaseDir() const;
    // Clears `list`, then adds the table names and then the view names of
    // the report's data source, opened on a separate connection; empty when
    // it cannot be opened. `entries` receives the same names with their kind.
    void fillListTables(QStringList &list, QList<CatalogEntry> *entries = nullptr) const;
    // The fields the data sections fromLevel..toLevel deliver, in section and
    // column order, each named [Section name].[Field name]. Sections whose
    // query fails add none (their error is in the error list).
    QList<FieldReference> listFields(int fromLevel, int toLevel);

    // Checks and opens `sql` (trimmed in place) into the closed recordset
    // `rs` on the report's connection; maxRecords > 0 limits the rows.
    // 0 on success, 2 on failure with the reason added to the error list.
    int runSql(QString &sql, Recordset &rs, long maxRecords);
    // The references of an SQL text, in order, duplicates kept.
    QStringList fieldsFromSql(const QString &sql) const;
    // Replaces every {reference} of `sql` (in place, and returned) by the
    // current value of the field it names, read from the section it names
    // or else from defaultSection.
    QString replaceRefsInSql(QString &sql, ReportSection *defaultSection);
    // The section's trimmed SQL with its references filled from its parent.
    QString buildSql(ReportSection *sec);
    // The SQL with every reference replaced by 0: runnable without records.
    QString testSQL(const QString &sql) const;

    // ---- Formula variables (shared with the evaluation code) ----
    void updateVar(const QString &name, const QVariant &value);
    bool hasFieldInFormulas(const ReportSection *sec) const;
    // Refreshes vars from the current record of sec when it has formulas.
    void updateVars(ReportSection *sec);

    // ---- Formula evaluation (defined in src/engine/) ----
    // A condition or formula: the truth-value literals ("true", "=no", …)
    // directly, anything else by the script evaluator after "[me]" (when
    // Me_Value is valid) and the bracketed names were replaced. A failure
    // adds an error entry and gives the empty string.
    ScriptValue evaluate(const QString &formula, const QVariant &Me_Value = QVariant());
    // Every bracketed name replaced by the value of that variable.
    QString replaceVars(const QString &text);
    // The page variables: %page%, %pages%, %time%, %date%, %filename%, %title%.
    QString replacePercentVars(const QString &text) const;
    // The current value of the field f names: in the section named by its
    // table part, else in itemSection. An empty string when neither has it,
    // an invalid QVariant for Null. Nothing goes to the error list.
    QVariant fieldValue(const FieldReference &f, const ReportSection *itemSection) const;
    // A text with field references among its words ("Name: [T].[Name]"):
    // each reference a field is found for (fieldValue, then a field seen
    // earlier in the run for a bare "[Name]") replaced by its value's text.
    // Any other bracket stays as written; a reference to a section whose
    // query lacks the field is also an entry (addMissingFieldError, once
    // per `errorKey`).
    QString replaceFieldsInText(const QString &text, const ReportSection *itemSection,
                                const QString &errorKey);
    // Its ADO type number; 0 when neither section has the field.
    int fieldType(const FieldReference &f, const ReportSection *itemSection) const;
    // The section whose open query shows that f's field is not there: the
    // section f names when there is one, else itemSection. nullptr when the
    // field is found, or when no query is open to tell (a header, a section
    // not reached yet).
    const ReportSection *sectionLackingField(const FieldReference &f, const ReportSection *itemSection) const;
    // Adds the entry "the section has no such field" for `info` (the item's
    // text or the formula), once per `key` until clearMissingFields: a
    // report of many records must not make an entry per record.
    void addMissingFieldError(const QString &key, const ReportSection &sec, const QString &field,
                              const QString &info);
    // Forgets the entries made, so that the next run reports them again.
    void clearMissingFields();

    // ---- Report run (defined in src/engine/) ----
    // Lays out all pages into Pages on dest. The caller has opened the
    // connection; without one nothing is produced and no event is raised.
    void initPrint();
    // Starts the next page, with its page header (and on page 1 the report
    // header).
    void startNextPage();
    // Whether a section reaching down to y would run into the page footer.
    bool isOutOfPage(float y) const;
    // The page footer's height, or 2 when there is none.
    float pageFooterRoom() const;
    // The page's vertical extent in its orientation. An unset (or invalid)
    // page size is the size of the paper code.
    float pageLength() const;
    // The lowest point a section may reach on a page: above the bottom
    // margin and the page footer's room.
    float pageBodyLimit() const;
    // Puts one laid-out occurrence of a section on the pages: its records
    // (from index firstItem of the page being filled) were created for a
    // section starting at `top` and reaching `extent` down. What does not fit above the page footer goes
    // to the next page (after the footer of the page being left); an
    // occurrence taller than a whole page is split between text lines.
    // CurrentY ends below it.
    void placeOccurrence(int firstItem, float top, float extent);
    void deletePages();
    qint16 pageCount() const;
    // The data sections that follow data section n after each of its records
    // (childrenAfterEachRecord) or once after its last one (childrenAfterLastRecord),
    // in the order of the sections collection.
    QList<ReportSection *> childrenAfterEachRecord(int n) const;
    QList<ReportSection *> childrenAfterLastRecord(int n) const;

    // ---- Page output ----
    // Writes page `page` (lowered to the last page) as one HTML file; page 0
    // writes nothing. False when the file cannot be written (errorString()).
    bool exportHtmlPage(const QString &fileName, int &page);
    // Every page into one HTML file, each page a block that prints on its
    // own sheet.
    bool exportHtmlAllPages(const QString &fileName);
    // Draws page n (from 1) on dest; %page% then reads n.
    void printPage(int n);

signals:
    void pageFinished(int page);
    void finishedWorking();
    void startWorking();
    void updateScrollBar();
    void goEnd();

private:
    bool hasKind(int type) const;
    void switchKind(int type, bool on);
    std::unique_ptr<ReportSection> createDataSection(int where);
    // Rebuilds `sections` so that every entry is stored under its own Key.
    void rekeySections();
    QString freeDataSectionName(int preferred) const;
    bool loadParsed(XmlDocument &dom, bool parsed, const QString &sourceName);

    int m_unit = 7;
    QString m_errorString;
    // The last run; shared, so that the document needs no engine type to
    // hold it.
    mutable std::shared_ptr<ReportRun> m_run;

    // ---- Report run (src/engine/) ----
    void printDataSection(int n, DrawingSurface *dest);
    void printChildsOfASection(int n, DrawingSurface *dest);
    void printChildsAfterASection(int n, DrawingSurface *dest);
    QList<ReportSection *> childSections(int n, int mode) const;
    // False, with an error entry, when the page leaves no room for a data
    // row between its margins, page header and page footer.
    bool checkPageRoom();
    // Moves the staged records onto the page being filled.
    void moveToPage(std::vector<PageRecord> &staged);

    // ---- Data connection (src/data/) ----
    std::unique_ptr<Connection> m_connection;
    QString m_connectionError;
};
