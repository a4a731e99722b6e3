#include "fprintdialog.h"
#include "ui_fprintdialog.h"

#include "printing.h"

#include "document/talvodocument.h"

#include <QPrinter>

#include <cmath>

int leadingNumber(const QString &text)
{
    const QString t = text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == QLatin1Char('-') || t[i] == QLatin1Char('+'))) {
        negative = t[i] == QLatin1Char('-');
        ++i;
    }
    qint64 value = 0;
    for (; i < t.size() && t[i].isDigit() && t[i].unicode() < 128; ++i) {
        value = value * 10 + (t[i].unicode() - '0');
        if (value > 32767) // a page number is a 16-bit integer
            return 0;
    }
    return int(negative ? -value : value);
}

namespace {

// The copies box as a byte; false when it is no number from 0 to 255.
bool copiesValue(const QString &text, unsigned char &copies)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok)
        return false;
    // Halves go to the even number, as numbers converted to whole ones do
    // everywhere else in the program.
    const double whole = std::nearbyint(value);
    if (!(whole >= 0 && whole <= 255))
        return false;
    copies = static_cast<unsigned char>(whole);
    return true;
}

} // namespace

fPrintDialog::fPrintDialog(TalvoDocument &doc, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::fPrintDialog>()), m_doc(doc)
{
    ui->setupUi(this);
    connect(ui->Command1, &QPushButton::clicked, this, &fPrintDialog::accept);
    connect(ui->bCancel, &QPushButton::clicked, this, &fPrintDialog::reject);
    ui->toPage->setText(QString::number(doc.NbPages()));
    ui->fromPage->setText(QStringLiteral("1"));
    ui->copies->setText(QString::number(qMax(1, int(doc.copies))));
    fillPrinterList(ui->Combo1);
    selectComboText(ui->Combo1, currentPrinter().printerName());
}

fPrintDialog::~fPrintDialog() = default;

int fPrintDialog::fromPage() const
{
    return leadingNumber(ui->fromPage->text());
}

int fPrintDialog::toPage() const
{
    return leadingNumber(ui->toPage->text());
}

void fPrintDialog::accept()
{
    const QString printer = ui->Combo1->currentText();
    if (!printer.isEmpty()) {
        m_doc.DocPrinterName = printer;
        selectPrinterByName(printer);
    }
    m_doc.copies = 1;
    unsigned char copies = 1;
    if (copiesValue(ui->copies->text(), copies))
        m_doc.copies = copies;
    QDialog::accept();
}

void fPrintDialog::reject()
{
    // Escape and the frame's close button cancel too, not only the button.
    ui->toPage->setText(QStringLiteral("0"));
    QDialog::reject();
}
