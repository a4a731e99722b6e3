// The designer's dialogs: item editors, section and document properties,
// adding a data section, the database browser and the field list. Each
// dialog's change is one step of the undo history.
#include "designerwindow.h"

#include "designer/designdocument.h"
#include "designer/adddatasectiondialog.h"
#include "designer/textitemdialog.h"
#include "designer/pictureitemdialog.h"
#include "designer/fieldspanel.h"
#include "designer/chartitemdialog.h"
#include "designer/sectionpropertiesdialog.h"
#include "designer/sectionsurface.h"
#include "document/chartitem.h"
#include "document/pictureitem.h"
#include "document/textitem.h"
#include "document/reportdocument.h"

#include <QDockWidget>

void DesignerWindow::showFieldList()
{
    if (!doc)
        return;
    if (!m_fieldsDock) {
        m_fieldsDock = new QDockWidget(tr("Fields"), this);
        m_fieldsDock->setObjectName(QStringLiteral("FieldsPanel"));
        m_fields = new FieldsPanel(m_fieldsDock);
        m_fieldsDock->setWidget(m_fields);
        addDockWidget(Qt::RightDockWidgetArea, m_fieldsDock);
    }
    m_fields->setDocument(doc);
    m_fields->refresh();
    m_fieldsDock->show();
    m_fieldsDock->raise();
}

void DesignerWindow::refreshFieldList()
{
    if (m_fieldsDock && m_fieldsDock->isVisible() && doc) {
        m_fields->setDocument(doc);
        m_fields->refresh();
    }
}

void DesignerWindow::editItemOn(SectionSurface *s, ReportItem &item)
{
    ReportSection *sec = s->sectionRef();
    if (!sec || !m_design)
        return;
    stopGrab();
    QString text;
    switch (item.kind()) {
    case ReportItem::TextKind:
        text = tr("Edit item");
        break;
    case ReportItem::PictureKind:
        text = tr("Picture properties");
        break;
    case ReportItem::GraphKind:
        text = tr("Chart properties");
        break;
    }
    // The editor's OK, borders included, is one step.
    m_design->changeSection(*sec, text, [&] {
        bool changed = false;
        switch (item.kind()) {
        case ReportItem::TextKind:
            changed = EditItem(static_cast<TextItem *>(&item), this);
            break;
        case ReportItem::PictureKind: {
            PictureItemDialog dialog(this);
            changed = dialog.editPic(static_cast<PictureItem *>(&item));
            break;
        }
        case ReportItem::GraphKind: {
            ChartItemDialog dialog(this);
            changed = dialog.Edit(static_cast<ChartItem *>(&item));
            break;
        }
        }
        if (!changed)
            return;
        item.modified = true;
        sec->modified_ = true;
        m_design->fitSectionHeight(*sec);
    });
}

void DesignerWindow::editSectionProperties(ReportSection &sec)
{
    recordDocumentChange(tr("Section properties"), [this, &sec] {
        SectionPropertiesDialog dialog(this);
        if (dialog.editPropSection(&sec))
            refreshFieldList();
    });
}

void DesignerWindow::insertDataSection()
{
    recordDocumentChange(tr("Add data section"), [this] {
        AddDataSectionDialog dialog(this);
        if (dialog.addSection(doc))
            refreshFieldList();
    });
}
