#pragma once

#include "engine/chartdata.h"

#include <QDialog>
#include <QWidget>

#include <memory>

class ChartItem;
class ReportDocument;

namespace Ui {
class ChartItemDialog;
}

// "Chart": the type, query and options of a chart item, with a preview of
// the chart drawn from the query's records. The dialog works on a copy of
// the item; OK writes the copy back.
class ChartItemDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ChartItemDialog(QWidget *parent = nullptr);
    ~ChartItemDialog() override;

    // Edits `chart` modally; true when OK wrote the changes back.
    bool Edit(ChartItem *chart);

    // Makes the working copy of `chart` and fills the controls from it;
    // Edit does this before showing the dialog.
    void load(ChartItem *chart);
    const ChartItem *workingCopy() const { return m_work.get(); }

    // The "Preview" button: reminds the user that references have no record
    // here, then runs the query on the document's connection and draws the
    // chart, or shows why the query failed.
    void preview();

    // Writes the controls into the item and closes.
    void accept() override;

private:
    void maj();
    void majC();
    ReportDocument *document() const;

    std::unique_ptr<Ui::ChartItemDialog> ui;
    ChartItem *m_item = nullptr;
    std::unique_ptr<ChartItem> m_work;
};

// The chart dialog's preview area: a chart drawn by the report run's own
// chart renderer at the area's size, or a message when there is none.
class ChartPreview : public QWidget
{
    Q_OBJECT

public:
    explicit ChartPreview(QWidget *parent = nullptr);
    ~ChartPreview() override;

    // Draws the chart of `item`'s type and options over `data`.
    void showChart(const ChartItem &item, const ChartData &data);
    // Shows `text` instead of a chart; an empty text leaves the area blank.
    void showMessage(const QString &text);

    bool hasChart() const { return !m_picture.isEmpty(); }
    QString message() const { return m_message; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void render();

    std::unique_ptr<ChartItem> m_item;
    ChartData m_data;
    QByteArray m_picture; // SVG
    QString m_message;
};
