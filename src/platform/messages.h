#pragma once

#include "platform/user_error.h"

#include <QString>

#include <functional>

// Every message the program shows goes through showMessage: a plain box with
// one OK button, titled with the application title. The windows install the
// real box at start-up; tests and the scenario runner install a recorder.
inline const QString applicationTitle = QStringLiteral("Quillfen Pursewise");

using MessageSink = std::function<void(const QString& text)>;

void showMessage(const QString& text);

// Routes every later message to `sink` and returns the one it replaces. Until
// a sink is installed, messages go to standard error.
MessageSink setMessageSink(MessageSink sink);

// Runs a window handler; a UserError it raises ends the handler at that step
// and is shown as a message. What the handler did before stays done.
template <typename Handler>
void guarded(Handler&& handler)
{
    try {
        handler();
    } catch (const UserError& error) {
        showMessage(QString::fromUtf8(error.what()));
        if (!error.followUp().empty())
            showMessage(QString::fromStdString(error.followUp()));
    }
}
