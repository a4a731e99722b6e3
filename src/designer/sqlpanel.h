#pragma once

#include <QWidget>

class ReportDocument;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

// The editor of a query: the SQL text with highlighting and completion,
// the "{" list of the fields of the data sections before this one, and the
// buttons that browse the database, test the query and build a simple one.
// Used by the section properties and the chart dialog.
class SqlPanel : public QWidget
{
    Q_OBJECT

public:
    explicit SqlPanel(QWidget *parent = nullptr);
    ~SqlPanel() override;

    // The document whose connection and sections the tools use.
    void setDocument(ReportDocument *document);
    ReportDocument *document() const { return m_document; }

    QString sql() const;
    void setSql(const QString &text);
    // The number of the data section being edited, as text ("1" default).
    QString noSection() const;
    void setNoSection(const QString &number);

    // Tests the query with every reference replaced by 0; true when it ran
    // and gave fields. Unless silent the outcome is shown.
    bool TEST(bool silent);
    void openMenuFields();
    void selectField();
    // Shows up to runRowLimit rows of the query (references replaced by 0)
    // below the text, or the data source's reason when it fails.
    void runQuery();
    static constexpr int runRowLimit = 100;

    // The text box (tests type into it).
    QPlainTextEdit *editor() const;

signals:
    void sqlChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void placeFieldList();
    // Grows the window so that the results show a dozen rows below the text.
    void makeRoomForResults();
    void createSimpleSql();
    void browseDatabase();

    struct Private;
    Private *d;
    ReportDocument *m_document = nullptr;
};
