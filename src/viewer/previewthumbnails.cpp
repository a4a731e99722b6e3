#include "previewthumbnails.h"

#include "previewrender.h"

#include "document/reportdocument.h"

#include <QPainter>

PreviewThumbnailModel::PreviewThumbnailModel(QObject *parent) : QAbstractListModel(parent)
{
    m_pictures.setMaxCost(200);
}

void PreviewThumbnailModel::setDocument(ReportDocument *doc)
{
    beginResetModel();
    m_doc = doc;
    m_rows = 0;
    m_pictures.clear();
    endResetModel();
    syncPages();
}

void PreviewThumbnailModel::setThumbnailWidth(int width, qreal dpr)
{
    if (width == m_width && dpr == m_dpr)
        return;
    m_width = width;
    m_dpr = dpr;
    m_pictures.clear();
    if (m_rows > 0)
        emit dataChanged(index(0), index(m_rows - 1), {Qt::DecorationRole});
}

QSize PreviewThumbnailModel::thumbnailSize() const
{
    const QSizeF inches = m_doc ? pageSizeInches(*m_doc) : QSizeF(8.27, 11.69);
    if (inches.width() <= 0)
        return QSize(m_width, m_width);
    return QSize(m_width, qRound(m_width * inches.height() / inches.width()));
}

void PreviewThumbnailModel::syncPages()
{
    const int pages = m_doc ? m_doc->pageCount() : 0;
    if (pages == m_rows)
        return;
    if (pages < m_rows) {
        // A new run: every page is new.
        beginResetModel();
        m_rows = pages;
        m_pictures.clear();
        endResetModel();
        return;
    }
    beginInsertRows(QModelIndex(), m_rows, pages - 1);
    m_rows = pages;
    endInsertRows();
}

void PreviewThumbnailModel::pageChanged(int n)
{
    if (n < 1 || n > m_rows)
        return;
    m_pictures.remove(n);
    emit dataChanged(index(n - 1), index(n - 1), {Qt::DecorationRole});
}

void PreviewThumbnailModel::allPagesChanged()
{
    m_pictures.clear();
    if (m_rows > 0)
        emit dataChanged(index(0), index(m_rows - 1), {Qt::DecorationRole});
}

int PreviewThumbnailModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

QVariant PreviewThumbnailModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !m_doc || index.row() >= m_rows)
        return QVariant();
    const int page = index.row() + 1;
    switch (role) {
    case Qt::DisplayRole:
        return QString::number(page);
    case Qt::ToolTipRole:
        return tr("Page %1").arg(page);
    case Qt::TextAlignmentRole:
        return int(Qt::AlignHCenter | Qt::AlignTop);
    case Qt::DecorationRole: {
        if (const QPixmap *known = m_pictures.object(page))
            return *known;
        const QSizeF inches = pageSizeInches(*m_doc);
        if (inches.width() <= 0 || page > m_doc->pageCount())
            return QVariant();
        QImage image = renderPreviewPage(*m_doc, page, m_width / inches.width(), m_dpr);
        {
            // A hairline round the sheet, so a white page stands out.
            QPainter painter(&image);
            painter.setPen(QColor(0, 0, 0, 90));
            const QSizeF logical = QSizeF(image.size()) / m_dpr;
            painter.drawRect(QRectF(0, 0, logical.width() - 1, logical.height() - 1));
        }
        auto *picture = new QPixmap(QPixmap::fromImage(std::move(image)));
        m_pictures.insert(page, picture, 1);
        return *picture;
    }
    default:
        return QVariant();
    }
}
