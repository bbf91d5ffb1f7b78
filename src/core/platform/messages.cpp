#include "core/platform/messages.h"

#include <QTextStream>

namespace {

void toStandardError(const QString& text)
{
    QTextStream(stderr) << applicationTitle << ": " << text << Qt::endl;
}

MessageSink& currentSink()
{
    static MessageSink sink = toStandardError;
    return sink;
}

} // namespace

void showMessage(const QString& text)
{
    currentSink()(text);
}

MessageSink setMessageSink(MessageSink sink)
{
    MessageSink previous = std::move(currentSink());
    currentSink() = sink ? std::move(sink) : MessageSink(toStandardError);
    return previous;
}

void showError(const UserError& error)
{
    showMessage(QString::fromUtf8(error.what()));
    if (!error.followUp().empty())
        showMessage(QString::fromStdString(error.followUp()));
}
