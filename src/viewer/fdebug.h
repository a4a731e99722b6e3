#pragma once

class QWidget;
class ReportDocument;

// The errors and debug window: a read-only snapshot of one of the
// document's lists, shown modally. The text can be selected and copied; it
// does not follow entries added later (a run may still be going on), so the
// user closes and reopens it to refresh.
namespace fDebug {
// "Errors list": every entry of the document's error list.
void ShowErrors(ReportDocument &doc, QWidget *parent);
// "Debug list": the debug lines collected in debug mode.
void ShowDebug(ReportDocument &doc, QWidget *parent);
} // namespace fDebug
