#include "textitemdialog.h"
#include "ui_textitemdialog.h"

#include "data/fieldreference.h"
#include "designer/comboroutines.h"
#include "designer/bordersdialog.h"
#include "designer/itemvalue.h"
#include "document/textitem.h"
#include "document/reportsection.h"
#include "document/reportdocument.h"
#include "document/xmlformat.h"
#include "output/drawingsurface.h"
#include "output/editmodedrawing.h"

#include <QColorDialog>
#include <QFontDatabase>
#include <QImage>
#include <QMenu>
#include <QPainter>
#include <QRegularExpression>
#include <QTimer>

namespace {

// The pause after the last keystroke before the value is computed again.
constexpr int kValueDelayMs = 300;
// Longer values are cut in the label: it shows a value, not a document.
constexpr qsizetype kValueShown = 300;
// Room between the sample's frame and the item, in pixels.
constexpr double kSampleMargin = 8;

const char *const kFormats[] = {
    "",         "Currency",           "Standard", "%",          "0.00",     "<",
    ">",        "dd mmmm yyyy",       "dd.mm.yy", "dd.mm.yyyy", "d mmm yy", "d mmm yyyy",
    "hh nn ss", "dd.mm.yyyy hh:nn:ss"};

const char *const kPageVariables[] = {"%page%", "%pages%",    "%date%",
                                      "%time%", "%filename%", "%title%"};

// The functions the Insert menu offers, by group, each with argument names
// that say what goes where.
struct FunctionGroup
{
    const char *title;
    QList<const char *> calls;
};

const QList<FunctionGroup> &functionGroups()
{
    static const QList<FunctionGroup> groups = {
        {QT_TRANSLATE_NOOP("TextItemDialog", "Text"),
         {"UCase(text)", "LCase(text)", "Trim(text)", "Left(text, length)", "Right(text, length)",
          "Mid(text, start, length)", "Len(text)", "Replace(text, find, replaceWith)",
          "InStr(text, find)"}},
        {QT_TRANSLATE_NOOP("TextItemDialog", "Numbers"),
         {"FormatNumber(value, decimals)", "FormatCurrency(value)",
          "FormatPercent(value, decimals)", "Round(value, decimals)", "Int(value)", "Abs(value)",
          "CDbl(value)"}},
        {QT_TRANSLATE_NOOP("TextItemDialog", "Dates"),
         {"FormatDateTime(date, format)", "Year(date)", "Month(date)", "Day(date)",
          "MonthName(month)", "WeekdayName(weekday)", "DateAdd(interval, number, date)",
          "DateDiff(interval, date1, date2)", "Date()", "Now()"}},
        {QT_TRANSLATE_NOOP("TextItemDialog", "Logic"),
         {"IIf(condition, ifTrue, ifFalse)", "IsNull(value)", "IsEmpty(value)", "IsNumeric(value)",
          "IsDate(value)"}},
    };
    return groups;
}

int windowsRgb(const QColor &color)
{
    return color.red() | (color.green() << 8) | (color.blue() << 16);
}

// Content keeps CR LF line breaks; the text box shows plain ones.
QString editorText(const QString &content)
{
    QString text = content;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return text;
}

} // namespace

float fontSizeValue(const QString &text)
{
    static const QRegularExpression leading(QStringLiteral(R"(^\s*[-+]?(\d+\.?\d*|\.\d+))"));
    const QRegularExpressionMatch m = leading.match(text);
    if (!m.hasMatch())
        return 0;
    // A huge size would only make every drawing of the item crawl.
    return float(qBound(0.0, m.captured(0).trimmed().toDouble(), 1000.0));
}

TextItemDialog::TextItemDialog(TextItem *item, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::TextItemDialog>()), m_item(item),
      m_work(std::make_unique<TextItem>())
{
    ui->setupUi(this);
    // The working copy keeps the item's section, so that its size converts
    // to twips as the item's does; the section does not list it.
    m_work->copy(*item, item->parent);
    m_work->selected = false;
    fillLists();
    buildInsertMenu();

    m_valueTimer = new QTimer(this);
    m_valueTimer->setSingleShot(true);
    m_valueTimer->setInterval(kValueDelayMs);
    connect(m_valueTimer, &QTimer::timeout, this, &TextItemDialog::updateValue);

    connect(ui->Text1, &QPlainTextEdit::textChanged, this, &TextItemDialog::contentChanged);
    for (QCheckBox *box : {ui->Bold, ui->Italic, ui->Underline, ui->Strikethrough, ui->canGrowV})
        connect(box, &QCheckBox::toggled, this, &TextItemDialog::majT);
    for (QComboBox *list : {ui->fName, ui->fSize, ui->align})
        connect(list, &QComboBox::currentTextChanged, this, &TextItemDialog::majT);
    connect(ui->FormatString_, &QComboBox::currentTextChanged, this, &TextItemDialog::contentChanged);
    connect(ui->visible_, &QLineEdit::textChanged, this, &TextItemDialog::majT);
    connect(ui->ChangeColor, &QPushButton::clicked, this, &TextItemDialog::chooseColor);
    connect(ui->EditBorders, &QPushButton::clicked, this, &TextItemDialog::editBorders);
    connect(ui->buttonBox, &QDialogButtonBox::accepted, this, &TextItemDialog::accept);
    connect(ui->buttonBox, &QDialogButtonBox::rejected, this, &TextItemDialog::reject);
    ui->Sample->installEventFilter(this);

    maj();
    ui->valueLabel->setVisible(item->parent && item->parent->parent);
    m_valueTimer->start();
}

TextItemDialog::~TextItemDialog() = default;

void TextItemDialog::fillLists()
{
    for (const QString &family : QFontDatabase::families()) {
        if (!family.isEmpty())
            ui->fName->addItem(family);
    }
    ui->fName->setCurrentText(QStringLiteral("Arial"));
    for (int size = 6; size <= 40; ++size)
        ui->fSize->addItem(QString::number(size));
    ui->fSize->setCurrentText(QStringLiteral("10"));
    // Item::align reads these texts: they are not translated.
    comboAddItem(ui->align, QStringLiteral("Left"), 0);
    comboAddItem(ui->align, QStringLiteral("Right"), 1);
    comboAddItem(ui->align, QStringLiteral("Center"), 2);
    for (const char *format : kFormats)
        ui->FormatString_->addItem(QString::fromLatin1(format));
}

void TextItemDialog::maj()
{
    m_filling = true;
    ui->Text1->setPlainText(editorText(m_work->content));
    ui->Bold->setChecked(m_work->fontBold);
    ui->Italic->setChecked(m_work->fontItalic);
    ui->Underline->setChecked(m_work->fontUnderline);
    ui->Strikethrough->setChecked(m_work->fontStrikethrough);
    ui->fName->setCurrentText(m_work->fontName);
    ui->fSize->setCurrentText(QString::number(m_work->fontSize));
    comboSelectByData(ui->align, int(m_work->AlignH));
    ui->FormatString_->setCurrentText(m_work->FormatString);
    ui->canGrowV->setChecked(m_work->CanGrowVertical);
    ui->visible_->setText(m_work->visible);
    showColor();
    m_filling = false;
    ui->Sample->update();
}

void TextItemDialog::majT()
{
    if (m_filling)
        return;
    m_work->content = normalizeLineBreaks(ui->Text1->toPlainText());
    m_work->fontBold = ui->Bold->isChecked();
    m_work->fontItalic = ui->Italic->isChecked();
    m_work->fontUnderline = ui->Underline->isChecked();
    m_work->fontStrikethrough = ui->Strikethrough->isChecked();
    m_work->fontName = ui->fName->currentText();
    m_work->fontSize = fontSizeValue(ui->fSize->currentText());
    m_work->align(ui->align->currentText());
    m_work->FormatString = ui->FormatString_->currentText();
    m_work->CanGrowVertical = ui->canGrowV->isChecked();
    m_work->visible = ui->visible_->text();
    ui->Sample->update();
}

void TextItemDialog::setFontColor(int rgb)
{
    m_work->fontColor = rgb;
    showColor();
    ui->Sample->update();
}

void TextItemDialog::showColor()
{
    // The button carries a swatch of the colour the text has now.
    const int side = ui->ChangeColor->fontMetrics().height() - 2;
    QImage face(side, side, QImage::Format_RGB32);
    face.fill(DrawingSurface::color(m_work->fontColor));
    QPainter painter(&face);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(face.rect().adjusted(0, 0, -1, -1));
    painter.end();
    ui->ChangeColor->setIcon(QPixmap::fromImage(face));
}

void TextItemDialog::accept()
{
    majT();
    // The item stays as selected as it was on its surface.
    const bool selected = m_item->selected;
    m_item->copy(*m_work, m_item->parent);
    m_item->selected = selected;
    QDialog::accept();
}

void TextItemDialog::contentChanged()
{
    majT();
    m_valueTimer->start();
}

void TextItemDialog::chooseColor()
{
    const QColor chosen =
        QColorDialog::getColor(DrawingSurface::color(m_work->fontColor), this, tr("Color"));
    if (chosen.isValid())
        setFontColor(windowsRgb(chosen));
}

void TextItemDialog::editBorders()
{
    majT();
    BordersDialog dialog(this);
    if (dialog.EditWithItem(m_work.get()))
        ui->Sample->update();
}

// ---- The sample ----

bool TextItemDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->Sample && event->type() == QEvent::Paint)
        paintSample();
    return QDialog::eventFilter(watched, event);
}

void TextItemDialog::paintSample()
{
    QFrame *frame = ui->Sample;
    QPainter painter(frame);
    const QRectF area = frame->contentsRect();
    painter.fillRect(area, frame->palette().color(QPalette::Window));
    painter.setClipRect(area);
    // The item at its own size, as the designer shows it at 100 %.
    const double pixelsPerTwip = frame->logicalDpiX() / 1440.0;
    const QSizeF box(m_work->wt() * pixelsPerTwip, m_work->ht() * pixelsPerTwip);
    // Centred while it fits; a larger item shows its top-left part.
    QPointF at = area.topLeft() + QPointF(kSampleMargin, kSampleMargin);
    if (box.width() + 2 * kSampleMargin < area.width())
        at.setX(area.center().x() - box.width() / 2);
    if (box.height() + 2 * kSampleMargin < area.height())
        at.setY(area.center().y() - box.height() / 2);
    painter.translate(at);
    drawEditMode(painter, *m_work, box, pixelsPerTwip, QImage());
}

// ---- The Insert menu ----

void TextItemDialog::buildInsertMenu()
{
    m_insertMenu = new QMenu(this);
    m_insertMenu->setObjectName(QStringLiteral("insertMenu"));
    m_fieldMenu = m_insertMenu->addMenu(tr("&Field"));
    m_fieldMenu->setObjectName(QStringLiteral("fieldMenu"));
    // Listing the fields runs every data section's query: done when the
    // menu is opened, not when the dialog is.
    connect(m_insertMenu, &QMenu::aboutToShow, this, &TextItemDialog::fillFieldMenu);

    QMenu *variables = m_insertMenu->addMenu(tr("&Page variable"));
    variables->setObjectName(QStringLiteral("variableMenu"));
    for (const char *name : kPageVariables) {
        const QString variable = QString::fromLatin1(name);
        connect(variables->addAction(variable), &QAction::triggered, this,
                [this, variable] { insertAtCaret(variable); });
    }

    QMenu *functions = m_insertMenu->addMenu(tr("F&unction"));
    functions->setObjectName(QStringLiteral("functionMenu"));
    for (const FunctionGroup &group : functionGroups()) {
        QMenu *sub = functions->addMenu(tr(group.title));
        for (const char *call : group.calls) {
            const QString text = QString::fromLatin1(call);
            connect(sub->addAction(text), &QAction::triggered, this,
                    [this, text] { insertAtCaret(text, true); });
        }
    }
    ui->Insert->setMenu(m_insertMenu);
}

void TextItemDialog::fillFieldMenu()
{
    if (m_fieldsListed)
        return;
    m_fieldsListed = true;
    ReportDocument *doc = m_item->parent ? m_item->parent->parent : nullptr;
    QList<FieldReference> fields;
    if (doc) {
        int last = 0;
        for (const ReportSection *sec : doc->sections) {
            if (sec->section_Type == ReportSection::DataSection)
                last = qMax(last, sec->dataSectionNumber);
        }
        // The queries' failures are the run's business, not entries of its
        // error list made while designing.
        const qsizetype errors = doc->errorLst.size();
        fields = doc->listFields(1, last);
        while (doc->errorLst.size() > errors)
            doc->errorLst.removeLast();
    }
    QMenu *sectionMenu = nullptr;
    QString sectionName;
    for (const FieldReference &field : std::as_const(fields)) {
        if (!sectionMenu || field.table != sectionName) {
            sectionName = field.table;
            sectionMenu = m_fieldMenu->addMenu(sectionName);
        }
        const QString reference = field.fullText();
        connect(sectionMenu->addAction(field.name), &QAction::triggered, this,
                [this, reference] { insertAtCaret(reference); });
    }
    if (fields.isEmpty())
        m_fieldMenu->addAction(tr("No fields: the data sections' queries give none"))
            ->setEnabled(false);
}

QMenu *TextItemDialog::insertMenu()
{
    fillFieldMenu();
    return m_insertMenu;
}

void TextItemDialog::insertAtCaret(const QString &text, bool selectFirstArgument)
{
    QTextCursor cursor = ui->Text1->textCursor();
    // A function in plain text would print as it is written: an empty
    // content becomes a formula.
    QString inserted = text;
    if (selectFirstArgument && ui->Text1->toPlainText().trimmed().isEmpty())
        inserted.prepend(u'=');
    const int start = cursor.selectionStart();
    cursor.insertText(inserted);
    if (selectFirstArgument) {
        const qsizetype open = inserted.indexOf(u'(');
        qsizetype end = inserted.indexOf(u',', open);
        if (end < 0)
            end = inserted.indexOf(u')', open);
        if (open >= 0 && end > open + 1) {
            cursor.setPosition(start + int(open) + 1);
            cursor.setPosition(start + int(end), QTextCursor::KeepAnchor);
        }
    }
    ui->Text1->setTextCursor(cursor);
    ui->Text1->setFocus();
}

// ---- The value on the first record ----

void TextItemDialog::updateValue()
{
    m_valueTimer->stop();
    ReportSection *home = m_item->parent;
    ReportDocument *doc = home ? home->parent : nullptr;
    if (!doc)
        return;
    if (!m_value)
        m_value = std::make_unique<ItemValue>(*doc);
    const ItemValue::Result result = m_value->evaluate(*m_work, home);
    m_valueFailed = result.failed;
    QString shown = result.text;
    shown.replace(QLatin1String("\r\n"), QStringLiteral(" ⏎ "));
    shown.replace(u'\n', QStringLiteral(" ⏎ "));
    if (shown.size() > kValueShown)
        shown = shown.left(kValueShown) + QStringLiteral("…");
    QString label;
    if (result.failed)
        label = tr("Error: %1").arg(shown);
    else if (result.typeContent == 0)
        label = tr("Plain text, printed as: %1").arg(shown);
    else if (shown.isEmpty())
        label = tr("On the first record: (empty)");
    else
        label = tr("On the first record: %1").arg(shown);
    QPalette palette = ui->valueLabel->palette();
    palette.setColor(QPalette::WindowText, result.failed
                                               ? QColor(0xB0, 0x00, 0x20)
                                               : this->palette().color(QPalette::WindowText));
    ui->valueLabel->setPalette(palette);
    ui->valueLabel->setText(label);
}

QString TextItemDialog::valueText() const
{
    return ui->valueLabel->text();
}

bool EditItem(TextItem *item, QWidget *parent)
{
    if (!item)
        return false;
    TextItemDialog dialog(item, parent);
    return dialog.exec() == QDialog::Accepted;
}
