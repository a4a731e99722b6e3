#include "pictureitemdialog.h"
#include "ui_pictureitemdialog.h"

#include "data/fieldreference.h"
#include "designer/bordersdialog.h"
#include "document/pictureitem.h"
#include "document/reportsection.h"
#include "document/reportdocument.h"
#include "document/userinteraction.h"
#include "output/editmodedrawing.h"

#include <QPainter>
#include <QPixmap>

namespace {

// The current entry of a field list; a stored field that the data sections
// do not deliver now (no connection, a changed query) is kept as an entry of
// its own, so that OK never loses it.
void fillFieldList(QComboBox *list, const QStringList &fields, const QString &current)
{
    list->clear();
    list->addItems(fields);
    if (!current.isEmpty() && !fields.contains(current))
        list->insertItem(0, current);
    list->setCurrentIndex(current.isEmpty() ? (list->count() ? 0 : -1) : list->findText(current));
}

} // namespace

PictureItemDialog::PictureItemDialog(QWidget *parent) : QDialog(parent), ui(std::make_unique<Ui::PictureItemDialog>())
{
    ui->setupUi(this);
    connect(ui->bOK, &QPushButton::clicked, this, &PictureItemDialog::accept);
    connect(ui->bCancel, &QPushButton::clicked, this, &PictureItemDialog::reject);
    connect(ui->bBrowse, &QPushButton::clicked, this, &PictureItemDialog::browse);
    connect(ui->bBorders, &QPushButton::clicked, this, &PictureItemDialog::editBorders);
    for (QRadioButton *option : {ui->optFile, ui->optField, ui->optFieldFile})
        connect(option, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                controlChanged();
        });
    connect(ui->fileName, &QLineEdit::textChanged, this, &PictureItemDialog::controlChanged);
    connect(ui->fieldName, &QComboBox::currentTextChanged, this, &PictureItemDialog::controlChanged);
    connect(ui->fieldName2, &QComboBox::currentTextChanged, this, &PictureItemDialog::controlChanged);
    connect(ui->AspectRatio, &QCheckBox::toggled, this, &PictureItemDialog::controlChanged);
}

PictureItemDialog::~PictureItemDialog() = default;

bool PictureItemDialog::editPic(PictureItem *picture)
{
    if (!picture)
        return false;
    load(picture);
    return exec() == QDialog::Accepted;
}

void PictureItemDialog::load(PictureItem *picture)
{
    m_item = picture;
    m_work = std::make_unique<PictureItem>();
    m_work->copy(*picture, picture->parent);

    QStringList fields;
    ReportDocument *doc = picture->parent ? picture->parent->parent : nullptr;
    if (doc) {
        for (const FieldReference &f : doc->listFields(1, doc->countDataSections()))
            fields.append(f.fullText());
    }
    const QSignalBlocker block1(ui->fieldName);
    const QSignalBlocker block2(ui->fieldName2);
    fillFieldList(ui->fieldName, fields,
                  picture->pType == PictureItem::FromBinaryField ? picture->fileName : QString());
    fillFieldList(ui->fieldName2, fields,
                  picture->pType == PictureItem::FromPathField ? picture->fileName : QString());
    maj();
}

void PictureItemDialog::maj()
{
    const PictureItem &p = *m_work;
    {
        const QSignalBlocker b1(ui->optFile), b2(ui->optField), b3(ui->optFieldFile),
            b4(ui->fileName), b5(ui->AspectRatio), b6(ui->altText);
        ui->optFile->setChecked(p.pType != PictureItem::FromBinaryField && p.pType != PictureItem::FromPathField);
        ui->optField->setChecked(p.pType == PictureItem::FromBinaryField);
        ui->optFieldFile->setChecked(p.pType == PictureItem::FromPathField);
        ui->fileName->setText(p.pType == PictureItem::FromFile ? p.fileName : QString());
        ui->AspectRatio->setChecked(!p.stretch);
        ui->altText->setText(p.altText);
    }
    majEn();
    majSample();
}

int PictureItemDialog::sourceKind() const
{
    if (ui->optField->isChecked())
        return PictureItem::FromBinaryField;
    if (ui->optFieldFile->isChecked())
        return PictureItem::FromPathField;
    return PictureItem::FromFile;
}

void PictureItemDialog::majEn()
{
    const int kind = sourceKind();
    ui->fileName->setEnabled(kind == PictureItem::FromFile);
    ui->bBrowse->setEnabled(kind == PictureItem::FromFile);
    ui->fieldName->setEnabled(kind == PictureItem::FromBinaryField);
    ui->fieldName2->setEnabled(kind == PictureItem::FromPathField);
}

void PictureItemDialog::majClass(PictureItem &target) const
{
    const int kind = sourceKind();
    const QString name = kind == PictureItem::FromFile          ? ui->fileName->text()
                         : kind == PictureItem::FromBinaryField ? ui->fieldName->currentText()
                                                         : ui->fieldName2->currentText();
    if (kind != target.pType || name != target.fileName) {
        target.pic = QImage();
        target.svg.clear();
    }
    target.pType = kind;
    target.fileName = name;
    target.stretch = !ui->AspectRatio->isChecked();
    target.altText = ui->altText->text().trimmed();
}

void PictureItemDialog::controlChanged()
{
    if (!m_work)
        return;
    majEn();
    majClass(*m_work);
    majSample();
}

void PictureItemDialog::majSample()
{
    const QSize area = ui->Sample->contentsRect().size() - QSize(8, 8);
    if (!m_work || area.isEmpty())
        return;
    // The item's own proportions, as large as the sample allows: "keep
    // aspect ratio" then shows what it does to this box.
    const double wt = m_work->wt();
    const double ht = m_work->ht();
    QSizeF box(area);
    if (wt > 0 && ht > 0)
        box = QSizeF(wt, ht).scaled(QSizeF(area), Qt::KeepAspectRatio);
    const double pixelsPerTwip = wt > 0 ? box.width() / wt : logicalDpiX() / 1440.0;
    const qreal ratio = ui->Sample->devicePixelRatioF();
    QPixmap pixmap((box * ratio).toSize());
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::white);
    QPainter painter(&pixmap);
    drawEditMode(painter, *m_work, box, pixelsPerTwip, QImage());
    painter.end();
    ui->Sample->setPixmap(pixmap);
}

void PictureItemDialog::browse()
{
    const QString name = UserInteraction::current()->askOpenFileName(
        tr("Pictures (*.png *.jpg *.jpeg *.bmp *.gif *.svg);;All files (*)"));
    if (!name.isEmpty())
        ui->fileName->setText(name);
}

void PictureItemDialog::editBorders()
{
    BordersDialog dialog(this);
    if (dialog.Edit(&m_work->borders))
        majSample();
}

void PictureItemDialog::accept()
{
    if (m_item && m_work) {
        majClass(*m_work);
        const bool selected = m_item->selected;
        m_item->copy(*m_work, m_item->parent);
        m_item->selected = selected;
        // The surface shows the item's loaded picture: load the new one.
        m_item->pic = QImage();
        m_item->svg.clear();
        m_item->loadPicture(nullptr);
    }
    QDialog::accept();
}
