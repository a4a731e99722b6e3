#pragma once

class QWidget;

// The about box.
void showAbout(QWidget *parent);
