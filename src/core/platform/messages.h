#pragma once

#include "core/platform/save_transaction.h"
#include "core/platform/user_error.h"

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

// Shows the error's text, then its follow-up if it has one.
void showError(const UserError& error);

// Runs a window handler, the whole of one user action; a UserError it raises
// ends the handler at that step and is shown as a message. What the handler
// did before stays done. Its saves reach the disk together when it ends
// (DataFile::Transaction), so a crash in between never leaves some files of
// the action new and others old.
template <typename Handler>
void guarded(Handler&& handler)
{
    DataFile::Transaction action;
    try {
        handler();
    } catch (const UserError& error) {
        showError(error);
    }
    try {
        action.commit();
    } catch (const UserError& error) {
        showError(error);
    }
}
