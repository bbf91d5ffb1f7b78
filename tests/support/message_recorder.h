#pragma once

#include "core/platform/messages.h"
#include "support/qt_printing.h"

#include <QStringList>

// Collects every message instead of showing it, for as long as it lives.
class MessageRecorder
{
public:
    MessageRecorder()
        : m_previous(setMessageSink([this](const QString& text) { m_shown.append(text); }))
    {}
    ~MessageRecorder() { setMessageSink(m_previous); }
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    const QStringList& shown() const { return m_shown; }
    void clear() { m_shown.clear(); }

private:
    QStringList m_shown;
    MessageSink m_previous;
};
