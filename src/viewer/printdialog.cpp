#include "printdialog.h"
#include "ui_printdialog.h"

#include "printing.h"

#include "document/reportdocument.h"
#include "document/userinteraction.h"

#include <QIntValidator>
#include <QPrinter>

#include <algorithm>

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

constexpr int kMaxCopies = 255; // the report stores copies as a byte

// The box's whole number when it holds one from `low` to `high`, else -1.
int wholeIn(const QLineEdit *box, int low, int high)
{
    bool ok = false;
    const int value = box->text().trimmed().toInt(&ok);
    return ok && value >= low && value <= high ? value : -1;
}

} // namespace

PrintDialog::PrintDialog(ReportDocument &doc, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::PrintDialog>()), m_doc(doc)
{
    ui->setupUi(this);
    connect(ui->Command1, &QPushButton::clicked, this, &PrintDialog::accept);
    connect(ui->bCancel, &QPushButton::clicked, this, &PrintDialog::reject);
    ui->toPage->setText(QString::number(doc.pageCount()));
    ui->fromPage->setText(QStringLiteral("1"));
    ui->copies->setText(QString::number(qMax(1, int(doc.copies))));
    // Only digits can be typed; what is out of range is refused on OK with
    // a message (a silent 1 copy, or a range that prints nothing, would
    // pass for what was asked).
    const int pages = std::max(1, int(doc.pageCount()));
    ui->copies->setValidator(new QIntValidator(1, kMaxCopies, this));
    ui->fromPage->setValidator(new QIntValidator(1, pages, this));
    ui->toPage->setValidator(new QIntValidator(1, pages, this));
    fillPrinterList(ui->Combo1);
    selectComboText(ui->Combo1, currentPrinter().printerName());
}

PrintDialog::~PrintDialog() = default;

int PrintDialog::fromPage() const
{
    return leadingNumber(ui->fromPage->text());
}

int PrintDialog::toPage() const
{
    return leadingNumber(ui->toPage->text());
}

void PrintDialog::accept()
{
    auto refuse = [this](QLineEdit *box, const QString &text) {
        UserInteraction::current()->message(text, UserInteraction::Ok,
                                            UserInteraction::Exclamation);
        box->setFocus();
        box->selectAll();
    };
    const int pages = m_doc.pageCount();
    if (pages < 1) {
        refuse(ui->toPage, tr("The report has no page to print."));
        return;
    }
    const int copies = wholeIn(ui->copies, 1, kMaxCopies);
    if (copies < 0) {
        refuse(ui->copies, tr("Copies: type a whole number from 1 to %1.").arg(kMaxCopies));
        return;
    }
    const int from = wholeIn(ui->fromPage, 1, pages);
    if (from < 0) {
        refuse(ui->fromPage, tr("From page: type a page number from 1 to %1.").arg(pages));
        return;
    }
    const int to = wholeIn(ui->toPage, 1, pages);
    if (to < 0) {
        refuse(ui->toPage, tr("To page: type a page number from 1 to %1.").arg(pages));
        return;
    }
    if (to < from) {
        refuse(ui->toPage,
               tr("To page: page %1 comes before the From page (%2); type a page from %2 to %3.")
                   .arg(to)
                   .arg(from)
                   .arg(pages));
        return;
    }
    const QString printer = ui->Combo1->currentText();
    if (!printer.isEmpty()) {
        m_doc.DocPrinterName = printer;
        selectPrinterByName(printer);
    }
    m_doc.copies = static_cast<unsigned char>(copies);
    QDialog::accept();
}

void PrintDialog::reject()
{
    // Escape and the frame's close button cancel too, not only the button.
    ui->toPage->setText(QStringLiteral("0"));
    QDialog::reject();
}
