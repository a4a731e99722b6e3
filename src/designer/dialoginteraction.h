#pragma once

#include "document/userinteraction.h"

// Answers the model's questions with real message boxes and file dialogs.
class DialogInteraction : public UserInteraction
{
public:
    Button message(const QString &text, int buttons, Icon icon, const QString &title) override;
    QString askSaveFileName(const QString &filter) override;
    QString askOpenFileName(const QString &filter) override;
};
