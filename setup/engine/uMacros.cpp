// The macro expander: folder and product macros, then environment references.
#include "uMacros.h"

#include "SysUtils.h"
#include "uProgramPath.h"

#include <windows.h>

#include <cstring>
#include <set>
#include <utility>
#include <vector>

namespace uMacros {
namespace {

const char* const kOpen = "Env(";
const size_t kOpenLength = 4;

// Case-sensitive search that never matches from the trail byte of a double-byte character.
size_t FindFrom(const std::string& text, const std::string& what, size_t start)
{
    for (size_t i = 0; i + what.size() <= text.size(); ++i) {
        if (i >= start && text.compare(i, what.size(), what) == 0)
            return i;
        if (SysUtils::IsLeadByte(static_cast<unsigned char>(text[i])))
            ++i;
    }
    return std::string::npos;
}

// Replaces every occurrence found by FindFrom.
std::string ReplaceAll(const std::string& text, const std::string& from, const std::string& to)
{
    std::string result;
    size_t position = 0;
    for (size_t found; (found = FindFrom(text, from, position)) != std::string::npos; position = found + from.size())
        result.append(text, position, found - position).append(to);
    return result.append(text, position, std::string::npos);
}

// The first reference at or after `start`: the name between "Env(" and the first ")"
// after it. False when no "Env(" is followed by ")".
bool FindReference(const std::string& text, size_t start, size_t& open, std::string& name)
{
    open = FindFrom(text, kOpen, start);
    if (open == std::string::npos)
        return false;
    size_t close = text.find(')', open + kOpenLength); // ')' is never a trail byte
    if (close == std::string::npos)
        return false;
    name = text.substr(open + kOpenLength, close - open - kOpenLength);
    return true;
}

// The names that a text refers to, in order.
std::vector<std::string> ReferencesIn(const std::string& text)
{
    std::vector<std::string> names;
    size_t start = 0, open = 0;
    std::string name;
    while (FindReference(text, start, open, name)) {
        names.push_back(name);
        start = open + kOpenLength + name.size() + 1;
    }
    return names;
}

// True when the value of `name` leads, through the values it refers to, back to `name`.
bool RefersBackToItself(const std::string& name, const TEnvironmentLookup& environment)
{
    std::set<std::string> seen;
    std::vector<std::string> pending = ReferencesIn(environment(name));
    while (!pending.empty()) {
        std::string next = std::move(pending.back());
        pending.pop_back();
        if (next == name)
            return true;
        if (!seen.insert(next).second)
            continue;
        for (std::string& further : ReferencesIn(environment(next)))
            pending.push_back(std::move(further));
    }
    return false;
}

} // namespace

std::string ExpandEnvironment(const std::string& text, const TEnvironmentLookup& environment)
{
    // Bounds the work even for an environment built to defeat the cycle check.
    const int kMaxExpansions = 4096;
    std::string result = text;
    std::set<std::string> expanded;
    size_t start = 0, open = 0;
    std::string name;
    for (int steps = 0; steps < kMaxExpansions && FindReference(result, start, open, name); ++steps) {
        if (!expanded.insert(name).second && RefersBackToItself(name, environment)) {
            // Brought back by a value of its own cycle: keep this reference as text.
            start = open + kOpenLength;
            continue;
        }
        result = ReplaceAll(result, kOpen + name + ")", environment(name));
        start = 0;
    }
    return result;
}

std::string ExpandMacros(const std::string& text, const TProductMacros& product,
                         const uSystemFolders::TSpecialFolders& folders, const std::string& setupSource,
                         const TEnvironmentLookup& environment)
{
    const std::pair<const char*, const std::string*> macros[] = {
        {"<DESKTOP>", &folders.Desktop},
        {"<SYSTEM>", &folders.System},
        {"<INSTALL>", &product.InstallPath},
        {"<PROGRAMS>", &folders.Programs},
        {"<COMMON_DESKTOP>", &folders.CommonDesktop},
        {"<COMMON_PROGRAMS>", &folders.CommonPrograms},
        {"<COMMON_START_MENU>", &folders.CommonStartMenu},
        {"<COMMON_STARTUP>", &folders.CommonStartup},
        {"<COMMON_FILES>", &folders.CommonFiles},
        {"<FONTS>", &folders.Fonts},
        {"<PROGRAM_FILES>", &folders.ProgramFiles},
        {"<APPLICATION_DATA>", &folders.ApplicationData},
        {"<FAVORITES>", &folders.Favorites},
        {"<SENT_TO>", &folders.SentTo},
        {"<START_MENU>", &folders.StartMenu},
        {"<STARTUP>", &folders.Startup},
        {"<TEMPLATES>", &folders.Templates},
        {"<WINDOWS>", &folders.Windows},
        {"<TEMP>", &folders.Temp},
        {"<COMPANY_NAME>", &product.CompanyName},
        {"<PRODUCT_NAME>", &product.ProductName},
        {"<VERSION>", &product.Version},
        {"<OLD_VERSION>", &product.OldVersion},
        {"<SETUP_SOURCE>", &setupSource},
        {"<COMPUTER_NAME>", &folders.ComputerName},
    };
    std::string result = text;
    for (const auto& macro : macros) {
        if (result.find('<') == std::string::npos)
            break; // nothing left that a macro could match
        result = SysUtils::StringReplace(result, macro.first, *macro.second);
    }
    return ExpandEnvironment(result, environment);
}

std::string ExpandMacros(const std::string& text, const TProductMacros& product)
{
    return ExpandMacros(text, product, uSystemFolders::SpecialFolders(), SetupSourceFolder(), EnvironmentValue);
}

std::string EnvironmentValue(const std::string& name)
{
    // Read from the environment block: Wine's GetEnvironmentVariableA cuts double-byte
    // values to their character count.
    if (name.empty())
        return std::string();
    struct TBlock {
        char* text = GetEnvironmentStringsA();
        ~TBlock()
        {
            if (text)
                FreeEnvironmentStringsA(text);
        }
    } block;
    if (!block.text)
        return std::string();
    for (const char* entry = block.text; *entry; entry += std::strlen(entry) + 1) {
        // Names may begin with "=" (the per-drive folders), so the separator is searched from the second byte.
        const char* equals = std::strchr(entry + 1, '=');
        if (equals && SysUtils::SameText(std::string(entry, equals), name))
            return equals + 1;
    }
    return std::string();
}

std::string SetupSourceFolder()
{
    return SysUtils::ExcludeTrailingBackslash(SysUtils::ExtractFilePath(uProgramPath::RunningProgramPath()));
}

} // namespace uMacros
