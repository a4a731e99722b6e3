#include "fdebug.h"

#include "engine/errorlisttext.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QScreen>
#include <QVBoxLayout>

namespace {

void showList(const QString &caption, const QString &text, QWidget *parent)
{
    QDialog window(parent);
    window.setObjectName(QStringLiteral("fDebug"));
    window.setWindowTitle(caption);
    window.setModal(true);

    auto *text1 = new QPlainTextEdit(&window);
    text1->setObjectName(QStringLiteral("Text1"));
    text1->setReadOnly(true);
    // Read-only edits select with the mouse only; the keyboard must be able
    // to select (Ctrl+A, shift+arrows) and copy too.
    text1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    text1->setLineWrapMode(QPlainTextEdit::NoWrap);
    text1->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    // The lists break lines with CR LF; the edit shows a stray CR otherwise.
    text1->setPlainText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, &window);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &window, &QDialog::reject);

    auto *layout = new QVBoxLayout(&window);
    layout->addWidget(text1);
    layout->addWidget(buttons);
    window.resize(window.fontMetrics().averageCharWidth() * 100,
                  window.fontMetrics().height() * 24);
    text1->setFocus();
    window.exec();
}

} // namespace

namespace fDebug {

void ShowErrors(ReportDocument &doc, QWidget *parent)
{
    showList(errorListCaption(), errorListText(doc), parent);
}

void ShowDebug(ReportDocument &doc, QWidget *parent)
{
    showList(debugListCaption(), debugListText(doc), parent);
}

} // namespace fDebug
