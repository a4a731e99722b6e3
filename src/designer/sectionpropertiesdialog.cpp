#include "sectionpropertiesdialog.h"
#include "ui_sectionpropertiesdialog.h"

#include "comboroutines.h"
#include "sqlpanel.h"

#include "document/reportsection.h"
#include "document/reportdocument.h"
#include "document/userinteraction.h"

#include <algorithm>

SectionPropertiesDialog::SectionPropertiesDialog(QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::SectionPropertiesDialog>())
{
    ui->setupUi(this);
    connect(ui->Command1, &QPushButton::clicked, this, &SectionPropertiesDialog::accept);
    connect(ui->Command2, &QPushButton::clicked, this, &SectionPropertiesDialog::reject);
}

SectionPropertiesDialog::~SectionPropertiesDialog() = default;

SqlPanel *SectionPropertiesDialog::sqlEditor() const
{
    return ui->sql;
}

bool SectionPropertiesDialog::editPropSection(ReportSection *sec)
{
    if (!sec)
        return false;
    maj(sec);
    return exec() == QDialog::Accepted;
}

void SectionPropertiesDialog::maj(ReportSection *sec)
{
    m_section = sec;
    ReportDocument *doc = sec->parent;

    ui->mode->clear();
    comboAddItem(ui->mode, tr("after each record of this section:"), int(ReportSection::AfterEachRecord));
    comboAddItem(ui->mode, tr("one time after section:"), int(ReportSection::OnceAfter));
    ui->mode->setCurrentIndex(-1);
    comboSelectByData(ui->mode, sec->mode);

    // Only data sections can be parents: a header or footer chosen here
    // would leave the section out of every run.
    ui->parentSection->clear();
    if (doc) {
        QList<const ReportSection *> candidates;
        for (const ReportSection *other : doc->sections) {
            if (other != sec && other->section_Type == ReportSection::DataSection)
                candidates.append(other);
        }
        std::stable_sort(candidates.begin(), candidates.end(),
                         [](const ReportSection *a, const ReportSection *b) {
                             return a->dataSectionNumber < b->dataSectionNumber;
                         });
        for (const ReportSection *other : candidates)
            comboAddItem(ui->parentSection, other->sectionName, other->dataSectionNumber);
    }
    ui->parentSection->setCurrentIndex(-1);
    comboSelectByData(ui->parentSection, sec->sectionParent);

    // The first data section is the root of the tree; headers and footers
    // are in no tree.
    ui->sectionAppearPanel->setVisible(sec->section_Type == ReportSection::DataSection &&
                                       sec->dataSectionNumber != 1);

    ui->sectionName->setText(sec->sectionName);
    ui->pageBreakAfter->setChecked(sec->pageBreakAfter);
    ui->visible_->setText(sec->visible);

    ui->sql->setDocument(doc);
    ui->sql->setNoSection(QString::number(sec->dataSectionNumber));
    ui->sql->setSql(sec->SQL);
}

bool SectionPropertiesDialog::confirm()
{
    if (!m_section)
        return false;
    const QString name = ui->sectionName->text();
    auto refuse = [this](const QString &message) {
        UserInteraction::current()->message(message, UserInteraction::Ok,
                                            UserInteraction::Exclamation);
        ui->sectionName->setFocus();
        return false;
    };
    // Such characters would break the [Section].[Field] references; the
    // message has always named only some of them.
    static const QString refused = QStringLiteral("][()\"'<>");
    if (std::any_of(name.begin(), name.end(), [](QChar c) { return refused.contains(c); }))
        return refuse(tr("The section name cannot contain any of these chars '\"><[]"));
    if (name.isEmpty())
        return refuse(tr("Section name cannot be empty"));
    if (const ReportDocument *doc = m_section->parent) {
        for (const ReportSection *other : doc->sections) {
            if (other->dataSectionNumber != m_section->dataSectionNumber &&
                other->sectionName == name)
                return refuse(tr("This section name already exist for another section, please "
                                 "choose another name"));
        }
    }
    majClass();
    return true;
}

void SectionPropertiesDialog::majClass()
{
    if (!m_section)
        return;
    ReportSection &sec = *m_section;
    bool changed = false;
    auto assign = [&changed](auto &field, const auto &value) {
        if (field != value) {
            field = value;
            changed = true;
        }
    };
    assign(sec.SQL, ui->sql->sql());
    assign(sec.sectionName, ui->sectionName->text());
    const QVariant mode = comboSelectedData(ui->mode);
    if (mode.isValid())
        assign(sec.mode, mode.toInt());
    const QVariant parent = comboSelectedData(ui->parentSection);
    if (sec.dataSectionNumber > 1 && parent.isValid())
        assign(sec.sectionParent, parent.toInt());
    assign(sec.pageBreakAfter, ui->pageBreakAfter->isChecked());
    assign(sec.visible, ui->visible_->text());
    if (changed)
        sec.modified_ = true;
}

void SectionPropertiesDialog::accept()
{
    if (confirm())
        QDialog::accept();
}
