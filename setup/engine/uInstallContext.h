// What the install actions share with the engine that runs them: the setup
// stream the payloads come from, the install log, the deferred commands, the
// message texts and the flags an action reads or sets.
#pragma once

#include "Closure.h"

#include <string>

class TStream;
class TStrings;

// Looks a message text up by key, with the built-in default; macros expanded.
using TMessageTextFunc = TClosure<std::string(const std::string& key, const std::string& defaultText)>;
// Expands the setup's macros in a text.
using TExpandFunc = TClosure<std::string(const std::string& text)>;

struct TInstallContext {
    TStream* Source = nullptr;   // the inflated setup data, just after the current record
    TStrings* Log = nullptr;     // the install log gathered so far
    // The COMMAND records left for after the install or for the uninstall, line
    // breaks written as "#13#10".
    TStrings* DeferredCommands = nullptr;
    TMessageTextFunc MessageText;
    TExpandFunc Expand;
    std::string InstallPath;     // the install folder, for programs told where the product goes
    std::string Title;           // caption of question and error boxes
    bool Quiet = false;          // no questions, no registration messages
    bool ForceReplace = false;   // repair: existing files are always overwritten
    bool RestartNeeded = false;  // set when a file is left for replacement at restart

    std::string Text(const std::string& key, const std::string& defaultText) const
    {
        return MessageText ? MessageText(key, defaultText) : defaultText;
    }
};
