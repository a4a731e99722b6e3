#include "documentpropertiesdialog.h"
#include "ui_documentpropertiesdialog.h"

#include "comboroutines.h"
#include "connectionbuilder.h"
#include "snaphelper.h"

#include "platform/units.h"
#include "data/dataaccess.h"
#include "document/reportitem.h"
#include "document/reportsection.h"
#include "document/reportdocument.h"
#include "document/userinteraction.h"
#include "document/paper.h"
#include "output/pdfexport.h"
#include "platform/connection.h"
#include "viewer/printing.h"

#include <QGuiApplication>
#include <QLocale>
#include <QPageLayout>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {

// What the user typed; unreadable text (and what is no finite number) is 0.
double readNumber(const QLineEdit *box)
{
    const double value = parseNumber(box->text());
    return std::isfinite(value) ? value : 0.0;
}

// A length in another unit; 0 when it is too large to be one.
double convertLength(double value, int from, int to)
{
    try {
        return convertUnit(value, from, to);
    } catch (const std::overflow_error &) {
        return 0.0;
    }
}

QLocale numberLocale()
{
    QLocale locale = QLocale::system();
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale;
}

// A number as the user types it back (parseNumber reads it), unrounded.
QString plainNumber(double value)
{
    return numberLocale().toString(value, 'g', QLocale::FloatingPointShortest);
}

// Long texts show their start, which says more than their end.
void setBox(QLineEdit *box, const QString &text)
{
    box->setText(text);
    box->setCursorPosition(0);
}

// A paper size to a hundredth, written as short as the paper names write it
// ("29.7", not "29.70").
QString hundredths(double value)
{
    return plainNumber(std::round(value * 100) / 100);
}

// The installed printer a name stands for, as printing would choose it: the
// one of that name (in any case), else the current printer, else the
// system's default. Empty when no printer is installed.
QString effectivePrinter(const QString &name, const QStringList &installed)
{
    for (const QString &printer : installed) {
        if (printer.compare(name, Qt::CaseInsensitive) == 0)
            return printer;
    }
    const QString current = currentPrinter().printerName();
    if (installed.contains(current))
        return current;
    const QString fallback = QPrinterInfo::defaultPrinterName();
    return installed.contains(fallback) ? fallback : installed.value(0);
}

// The printer's own entry for a sheet: the size of that name, else one of
// the same dimensions (as the print system matches them); invalid when the
// printer lists none.
QPageSize printerPaper(const QPrinterInfo &info, const QPageSize &sheet)
{
    if (!sheet.isValid())
        return QPageSize();
    const QList<QPageSize> sizes = info.supportedPageSizes();
    if (sheet.id() != QPageSize::Custom) {
        for (const QPageSize &size : sizes) {
            if (size.id() == sheet.id())
                return size;
        }
    }
    for (const QPageSize &size : sizes) {
        if (size.isEquivalentTo(sheet))
            return size;
    }
    return QPageSize();
}

// Whether a sheet of the report's own size (millimetres, portrait) lies
// within the printer's smallest and largest sheets.
bool fitsPrinter(const QPrinterInfo &info, const QSizeF &mm)
{
    const QSizeF low = info.minimumPhysicalPageSize().size(QPageSize::Millimeter);
    const QSizeF high = info.maximumPhysicalPageSize().size(QPageSize::Millimeter);
    auto within = [](double v, double a, double b) {
        return (a <= 0 || v >= a) && (b <= 0 || v <= b);
    };
    return within(mm.width(), low.width(), high.width()) &&
           within(mm.height(), low.height(), high.height());
}

// Largest lengths the dialog takes, in centimetres: a sheet as long as the
// PDF format allows, and a grid coarser than anyone places items on.
constexpr double kMaxPaperCm = 500;
constexpr double kMaxGridCm = 10;
constexpr int kMaxCopies = 255; // the report file keeps copies in a byte

// What a length box can hold while it is typed: digits with one decimal
// separator of the machine's format; no sign, no exponent.
QValidator *lengthValidator(QObject *parent)
{
    const QString point = QRegularExpression::escape(QLocale::system().decimalPoint());
    return new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("\\d{0,7}(%1\\d*)?").arg(point)), parent);
}

} // namespace

void convertReportUnit(ReportDocument &doc, int unit)
{
    const int from = doc.unit();
    if (unit == from)
        return;
    auto convert = [from, unit](float &length) { length = float(convertUnit(length, from, unit)); };
    convert(doc.gridSize);
    for (ReportSection *s : doc.sections) {
        convert(s->Height);
        for (ReportItem *item : s->items) {
            convert(item->x);
            convert(item->y);
            convert(item->w);
            convert(item->h);
        }
    }
    doc.setUnit(unit); // page and margins
}

DocumentPropertiesDialog::DocumentPropertiesDialog(QWidget *parent) : QDialog(parent), ui(std::make_unique<Ui::DocumentPropertiesDialog>())
{
    ui->setupUi(this);
    for (QLineEdit *box :
         {ui->pageW, ui->pageH, ui->ml, ui->mr, ui->mt, ui->mb, ui->gridSize, ui->copies})
        box->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("0.00000000000")) + 12);
    ui->paperNote->hide();
    for (QLineEdit *box : {ui->pageW, ui->pageH, ui->ml, ui->mr, ui->mt, ui->mb, ui->gridSize})
        box->setValidator(lengthValidator(box));
    ui->copies->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("\\d{0,3}")), ui->copies));
    ui->printerName->lineEdit()->setPlaceholderText(tr("The default printer"));
    ui->language->setPlaceholderText(tr("%1 (the system's)").arg(systemLanguageTag()));
    ui->language->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("\\s*[A-Za-z]{0,8}(-[A-Za-z0-9]{0,8})*\\s*")),
        ui->language));

    connect(ui->bOK, &QPushButton::clicked, this, &DocumentPropertiesDialog::accept);
    connect(ui->bCancel, &QPushButton::clicked, this, &DocumentPropertiesDialog::reject);
    connect(ui->bTestDC, &QPushButton::clicked, this,
            [this] { testConnection(ui->dataConnString); });
    connect(ui->bTestTxTConn, &QPushButton::clicked, this,
            [this] { testConnection(ui->textConnString); });
    connect(ui->bBuildDC, &QToolButton::clicked, this,
            [this] { buildConnection(ui->dataConnString); });
    connect(ui->bBuildTxTConn, &QToolButton::clicked, this,
            [this] { buildConnection(ui->textConnString); });
    connect(ui->unit, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_filling)
            unit_Click();
    });
    connect(ui->paperDoc, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_filling)
            paperDoc_Click();
    });
    connect(ui->printerName, &QComboBox::currentTextChanged, this, [this] {
        if (!m_filling)
            majSizePaper();
    });
    for (QLineEdit *box : {ui->pageW, ui->pageH}) {
        connect(box, &QLineEdit::editingFinished, this, [this] {
            if (!m_filling)
                majSizePaper();
        });
    }
}

DocumentPropertiesDialog::~DocumentPropertiesDialog() = default;

bool DocumentPropertiesDialog::editDocProp(ReportDocument *doc)
{
    if (!doc)
        return false;
    maj(doc);
    return exec() == QDialog::Accepted;
}

void DocumentPropertiesDialog::maj(ReportDocument *doc)
{
    m_doc = doc;
    m_filling = true;
    setBox(ui->docName, doc->docName);
    setBox(ui->fileName, doc->fileName);
    setBox(ui->dataConnString, doc->connectionStringData);
    setBox(ui->textConnString, doc->connectionStringTexts);
    setBox(ui->language, doc->language);
    setBox(ui->copies, QString::number(doc->copies));
    setBox(ui->ml, plainNumber(SnapHelper::typedValue(doc->leftMargin)));
    setBox(ui->mr, plainNumber(SnapHelper::typedValue(doc->rightMargin)));
    setBox(ui->mt, plainNumber(SnapHelper::typedValue(doc->topMargin)));
    setBox(ui->mb, plainNumber(SnapHelper::typedValue(doc->bottomMargin)));
    setBox(ui->pageW, plainNumber(SnapHelper::typedValue(doc->pageWidth)));
    setBox(ui->pageH, plainNumber(SnapHelper::typedValue(doc->pageHeight)));
    setBox(ui->gridSize, plainNumber(SnapHelper::typedValue(doc->gridSize)));

    ui->orientation->clear();
    for (int code : {1, 2})
        comboAddItem(ui->orientation, orientationName(code), code);
    ui->orientation->setCurrentIndex(-1);
    comboSelectByData(ui->orientation, int(doc->pageOrientation));

    fillPrinterList(ui->printerName);
    selectComboText(ui->printerName, doc->DocPrinterName);
    // The report's own printer stays named even when it is not installed
    // here: OK must not lose it.
    ui->printerName->setEditText(doc->DocPrinterName);

    fillPaperList(ui->paperDoc);
    ui->paperDoc->setCurrentIndex(-1);
    // A report that never chose a paper prints on A4.
    comboSelectByData(ui->paperDoc, doc->paperType == 0 ? kPaperDefault : doc->paperType);

    ui->unit->clear();
    for (int code : {Unit::Centimetres, Unit::Inches, Unit::Millimetres})
        comboAddItem(ui->unit, unitName(code), code);
    m_unit = doc->unit();
    ui->unit->setCurrentIndex(-1);
    comboSelectByData(ui->unit, m_unit);

    m_filling = false;
    paperDoc_Click();
}

void DocumentPropertiesDialog::paperDoc_Click()
{
    const bool own = ui->paperDoc->currentText().startsWith(QLatin1Char('('));
    ui->pageW->setEnabled(own);
    ui->pageH->setEnabled(own);
    majSizePaper();
}

void DocumentPropertiesDialog::majSizePaper()
{
    const QVariant selected = comboSelectedData(ui->paperDoc);
    const int code = selected.isValid() ? selected.toInt() : kPaperDefault;
    const bool own = ui->pageH->isEnabled();

    // The size asked for, in millimetres; a size of the report's own is
    // taken in whole twips, as the printer would take it.
    QSizeF wanted;
    if (own) {
        auto twips = [this](const QLineEdit *box) {
            return std::round(convertLength(readNumber(box), m_unit, Unit::Twips));
        };
        wanted = QSizeF(convertUnit(twips(ui->pageW), Unit::Twips, Unit::Millimetres),
                        convertUnit(twips(ui->pageH), Unit::Twips, Unit::Millimetres));
    } else {
        wanted = paperPageSize(code).size(QPageSize::Millimeter);
    }

    QSizeF shown = wanted;
    bool accepted = true;
    QString note;
    const QStringList installed = installedPrinterNames();
    const QString printer = effectivePrinter(ui->printerName->currentText().trimmed(), installed);
    const QPrinterInfo info = QPrinterInfo::printerInfo(printer);
    if (printer.isEmpty()) {
        note = tr("No printer is installed: every paper can be used for the preview and for "
                  "PDF and PNG files.");
    } else if (info.supportedPageSizes().isEmpty()) {
        note = tr("The printer \"%1\" names no paper sizes: every paper can be used.").arg(printer);
    } else if (own) {
        accepted = info.supportsCustomPageSizes() && wanted.width() > 0 && wanted.height() > 0 &&
                   fitsPrinter(info, wanted);
    } else {
        const QPageSize taken = printerPaper(info, paperPageSize(code));
        accepted = taken.isValid();
        if (accepted)
            shown = taken.size(QPageSize::Millimeter);
    }
    if (!accepted)
        note = tr("The printer driver doesn't accept or recognize this paper");

    ui->bOK->setEnabled(accepted);
    ui->paperNote->setText(note);
    ui->paperNote->setVisible(!note.isEmpty());
    ui->paperNote->setStyleSheet(accepted ? QString() : QStringLiteral("color: #b00000;"));
    // The boxes show the paper as it will be used, portrait.
    if (shown.width() > 0 && shown.height() > 0) {
        setBox(ui->pageW, hundredths(convertUnit(shown.width(), Unit::Millimetres, m_unit)));
        setBox(ui->pageH, hundredths(convertUnit(shown.height(), Unit::Millimetres, m_unit)));
    }
}

bool DocumentPropertiesDialog::paperAccepted() const
{
    return ui->bOK->isEnabled();
}

void DocumentPropertiesDialog::unit_Click()
{
    const QVariant selected = comboSelectedData(ui->unit);
    if (!selected.isValid()) {
        comboSelectByData(ui->unit, m_doc ? m_doc->unit() : int(Unit::Centimetres));
        return;
    }
    const int newUnit = selected.toInt();
    for (QLineEdit *box : {ui->mr, ui->ml, ui->mt, ui->mb, ui->pageH, ui->pageW, ui->gridSize})
        setBox(box, plainNumber(convertLength(readNumber(box), m_unit, newUnit)));
    m_unit = newUnit;
}

void DocumentPropertiesDialog::testConnection(const QLineEdit *box)
{
    std::unique_ptr<Connection> connection;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const bool opened =
        openConnection(connection, box->text(), false, m_doc ? m_doc->dataBaseDir() : QString());
    QGuiApplication::restoreOverrideCursor();
    if (!opened)
        return; // openConnection has said why
    connection->close();
    UserInteraction::current()->message(tr("Test OK !"), UserInteraction::Ok,
                                        UserInteraction::Information);
}

void DocumentPropertiesDialog::buildConnection(QLineEdit *box)
{
    const QString built =
        ConnectionBuilder::edit(this, box->text(), m_doc ? m_doc->dataBaseDir() : QString());
    if (!built.isNull())
        setBox(box, built);
}

QLineEdit *DocumentPropertiesDialog::invalidBox(QString *reason) const
{
    auto name = [](const QLineEdit *box) {
        for (const QLabel *label : box->window()->findChildren<QLabel *>()) {
            if (label->buddy() == box)
                return label->text().remove(QLatin1Char('&')).remove(QLatin1Char(':')).trimmed();
        }
        return QString();
    };
    const QString unit = unitName(m_unit);
    auto number = [](const QLineEdit *box, double &value) {
        bool ok = false;
        value = QLocale::system().toDouble(box->text().trimmed(), &ok);
        return ok && std::isfinite(value);
    };
    auto fail = [&](QLineEdit *box, const QString &why) {
        *reason = why;
        return box;
    };

    const QString language = ui->language->text().trimmed();
    if (!language.isEmpty() && !isLanguageTag(language))
        return fail(ui->language, tr("%1: type a language tag such as \"de-CH\", or nothing for "
                                     "the system's language.")
                                      .arg(name(ui->language)));

    double copies = 0;
    if (!number(ui->copies, copies) || copies < 1 || copies > kMaxCopies ||
        copies != std::floor(copies))
        return fail(
            ui->copies,
            tr("%1: type a whole number from 1 to %2.").arg(name(ui->copies)).arg(kMaxCopies));

    const double maxPaper = convertUnit(kMaxPaperCm, Unit::Centimetres, m_unit);
    double width = 0, height = 0;
    for (QLineEdit *box : {ui->pageW, ui->pageH}) {
        double value = 0;
        if (!number(box, value) || value <= 0 || value > maxPaper)
            return fail(box, tr("Paper %1: type a length greater than 0 and at most %2 %3.")
                                 .arg(name(box).toLower(), plainNumber(maxPaper), unit));
        (box == ui->pageW ? width : height) = value;
    }
    // The margins are measured on the page as it is turned.
    if (comboSelectedData(ui->orientation).toInt() == 2)
        std::swap(width, height);

    const struct
    {
        QLineEdit *first, *second;
        double extent;
        QString what;
    } pairs[] = {{ui->ml, ui->mr, width, tr("wide")}, {ui->mt, ui->mb, height, tr("high")}};
    for (const auto &pair : pairs) {
        double a = 0, b = 0;
        for (QLineEdit *box : {pair.first, pair.second}) {
            double value = 0;
            if (!number(box, value) || value < 0)
                return fail(box, tr("%1 margin: type a length of 0 or more.").arg(name(box)));
        }
        number(pair.first, a);
        number(pair.second, b);
        if (a + b >= pair.extent)
            return fail(pair.first, tr("%1 and %2 margins: together they must be less than the "
                                       "page, which is %3 %4 %5.")
                                        .arg(name(pair.first), name(pair.second).toLower(),
                                             plainNumber(pair.extent), unit, pair.what));
    }

    const double maxGrid = convertUnit(kMaxGridCm, Unit::Centimetres, m_unit);
    double grid = 0;
    if (!number(ui->gridSize, grid) || grid < 0 || grid > maxGrid)
        return fail(ui->gridSize, tr("Grid size: type a length from 0 (no grid) to %1 %2.")
                                      .arg(plainNumber(maxGrid), unit));
    return nullptr;
}

void DocumentPropertiesDialog::accept()
{
    if (!ui->bOK->isEnabled() || !m_doc)
        return;
    QString reason;
    if (QLineEdit *box = invalidBox(&reason)) {
        UserInteraction::current()->message(reason, UserInteraction::Ok,
                                            UserInteraction::Exclamation, windowTitle());
        box->setFocus();
        box->selectAll();
        return;
    }
    majClass();
    QDialog::accept();
}

void DocumentPropertiesDialog::majClass()
{
    if (!m_doc)
        return;
    ReportDocument &doc = *m_doc;
    auto number = [](const QLineEdit *box) {
        const double value = readNumber(box);
        return std::isfinite(float(value)) ? float(value) : 0.0f;
    };

    // The unit first: the whole report is converted, then takes the boxes,
    // which are in that unit already.
    const QVariant unit = comboSelectedData(ui->unit);
    if (unit.isValid())
        convertReportUnit(doc, unit.toInt());
    const QVariant paper = comboSelectedData(ui->paperDoc);
    if (paper.isValid()) // a driver's code that the list lacks stays
        doc.paperType = paper.toInt();
    doc.bottomMargin = number(ui->mb);
    doc.connectionStringData = ui->dataConnString->text();
    doc.connectionStringTexts = ui->textConnString->text();
    const double copies = std::nearbyint(readNumber(ui->copies));
    doc.copies = static_cast<unsigned char>(std::clamp(copies, 0.0, 255.0));
    doc.docName = ui->docName->text();
    doc.language = ui->language->text().trimmed();
    doc.leftMargin = number(ui->ml);
    const QVariant orientation = comboSelectedData(ui->orientation);
    if (orientation.isValid())
        doc.pageOrientation = static_cast<unsigned char>(orientation.toInt());
    doc.pageHeight = number(ui->pageH);
    doc.pageWidth = number(ui->pageW);
    doc.rightMargin = number(ui->mr);
    doc.topMargin = number(ui->mt);
    doc.DocPrinterName = ui->printerName->currentText().trimmed();
    doc.gridSize = number(ui->gridSize);
}
