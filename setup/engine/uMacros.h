// The macro expander: folder and product macros in angle brackets and "Env(" name ")"
// references to environment variables, applied to every text of the setup data.
#pragma once

#include "uSystemFolders.h"

#include <functional>
#include <string>

namespace uMacros {

// The values of the product macros, held by the install engine.
struct TProductMacros {
    std::string InstallPath;  // <INSTALL>
    std::string CompanyName;  // <COMPANY_NAME>
    std::string ProductName;  // <PRODUCT_NAME>
    std::string Version;      // <VERSION>
    std::string OldVersion;   // <OLD_VERSION>, the installed version
};

// The value of an environment variable, empty when unset.
using TEnvironmentLookup = std::function<std::string(const std::string& name)>;

// Expands against this machine's folders, the running program's folder
// (<SETUP_SOURCE>) and the process environment.
std::string ExpandMacros(const std::string& text, const TProductMacros& product);

// Expands every macro (case-sensitive, all occurrences, in the fixed order), then
// the environment references.
std::string ExpandMacros(const std::string& text, const TProductMacros& product,
                         const uSystemFolders::TSpecialFolders& folders, const std::string& setupSource,
                         const TEnvironmentLookup& environment);

// Replaces "Env(" name ")" by the variable's value, itself expanded, in one pass.
// A reference met inside the value of its own name stays as text, so a value that
// holds its own reference cannot make the expansion endless. Like ExpandMacros,
// raises the damaged-data error rather than produce more than a text block holds.
std::string ExpandEnvironment(const std::string& text, const TEnvironmentLookup& environment);

// The process environment through GetEnvironmentVariableA.
std::string EnvironmentValue(const std::string& name);

// The folder of the running program, without trailing backslash.
std::string SetupSourceFolder();

} // namespace uMacros
