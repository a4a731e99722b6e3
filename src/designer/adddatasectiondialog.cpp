#include "adddatasectiondialog.h"
#include "ui_adddatasectiondialog.h"

#include "comboroutines.h"

#include "document/reportsection.h"
#include "document/reportdocument.h"

#include <algorithm>

AddDataSectionDialog::AddDataSectionDialog(QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::AddDataSectionDialog>())
{
    ui->setupUi(this);
    connect(ui->bOK, &QPushButton::clicked, this, &AddDataSectionDialog::accept);
    connect(ui->bCancel, &QPushButton::clicked, this, &AddDataSectionDialog::reject);
}

AddDataSectionDialog::~AddDataSectionDialog() = default;

bool AddDataSectionDialog::addSection(ReportDocument *doc)
{
    if (!doc)
        return false;
    maj(doc);
    return exec() == QDialog::Accepted;
}

void AddDataSectionDialog::maj(ReportDocument *doc)
{
    m_doc = doc;
    m_added = nullptr;
    ui->where->clear();
    ui->where->addItems({tr("After"), tr("Before")});
    ui->where->setCurrentIndex(0);

    QList<const ReportSection *> data;
    for (const ReportSection *sec : doc->sections) {
        if (sec->section_Type == ReportSection::DataSection)
            data.append(sec);
    }
    std::stable_sort(data.begin(), data.end(), [](const ReportSection *a, const ReportSection *b) {
        return a->dataSectionNumber < b->dataSectionNumber;
    });
    ui->sections->clear();
    for (const ReportSection *sec : data)
        comboAddItem(ui->sections, sec->sectionName, sec->dataSectionNumber);
    ui->sections->setCurrentIndex(data.isEmpty() ? -1 : 0);
    ui->bOK->setEnabled(!data.isEmpty());
}

int AddDataSectionDialog::position() const
{
    const QVariant chosen = comboSelectedData(ui->sections);
    if (!chosen.isValid())
        return 0;
    return chosen.toInt() + (ui->where->currentIndex() == 0 ? 1 : 0);
}

void AddDataSectionDialog::accept()
{
    const int where = position();
    if (!m_doc || where <= 0)
        return;
    m_added = m_doc->addDataSection(where);
    QDialog::accept();
}
