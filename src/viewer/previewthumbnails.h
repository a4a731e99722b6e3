#pragma once

#include <QAbstractListModel>
#include <QCache>
#include <QPixmap>

class ReportDocument;

// The pages made so far as small pictures, one row per page. Pictures are
// drawn when a view asks for them (the rows in sight), so a run of
// thousands of pages costs only the rows that are looked at.
class PreviewThumbnailModel : public QAbstractListModel
{
    Q_OBJECT

public:
    explicit PreviewThumbnailModel(QObject *parent = nullptr);

    void setDocument(ReportDocument *doc);
    // Width of a picture in logical pixels; the device pixel ratio it is
    // drawn for.
    void setThumbnailWidth(int width, qreal dpr);
    int thumbnailWidth() const { return m_width; }
    qreal pixelRatio() const { return m_dpr; }
    QSize thumbnailSize() const;

    // Follows the document's page count (rows added, or all rows again when
    // a new run started).
    void syncPages();
    // Page n (from 1) changed: its picture is drawn again when next shown.
    void pageChanged(int n);
    // Every page changed (the page total they show grew): pictures are
    // drawn again as they come into sight.
    void allPagesChanged();

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;

private:
    ReportDocument *m_doc = nullptr;
    int m_rows = 0;
    int m_width = 110;
    qreal m_dpr = 1;
    mutable QCache<int, QPixmap> m_pictures;
};
