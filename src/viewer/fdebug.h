#pragma once

class QWidget;
class TalvoDocument;

// The windows of the error list and of the debug list.
namespace fDebug {
void ShowErrors(TalvoDocument &doc, QWidget *parent);
void ShowDebug(TalvoDocument &doc, QWidget *parent);
} // namespace fDebug
