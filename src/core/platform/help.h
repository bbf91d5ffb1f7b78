#pragma once

#include <functional>

// Every request for help goes through showHelp with the topic number: 1 for
// the main and register windows, 5 for the card dialog, 6 for the entry
// dialog. The program installs its help viewer; tests install a recorder.
using HelpSink = std::function<void(int topic)>;

void showHelp(int topic);

// Routes every later request to `sink` and returns the one it replaces.
HelpSink setHelpSink(HelpSink sink);
