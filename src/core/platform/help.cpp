#include "core/platform/help.h"

namespace {

HelpSink& currentSink()
{
    static HelpSink sink = [](int) {};
    return sink;
}

} // namespace

void showHelp(int topic)
{
    currentSink()(topic);
}

HelpSink setHelpSink(HelpSink sink)
{
    HelpSink previous = std::move(currentSink());
    currentSink() = sink ? std::move(sink) : HelpSink([](int) {});
    return previous;
}
