// The macro expander: folder and product macros, then environment references.
// Both steps run in time linear in their input and output, and neither may
// produce more than a stored text block may hold.
#include "uMacros.h"

#include "SysUtils.h"
#include "uSetupData.h"

#include <map>
#include <set>
#include <utility>

namespace uMacros {
namespace {

const char* const kOpen = "Env(";
const size_t kOpenLength = 4;
// Values that refer to further variables are expanded this deep at most.
const size_t kMaxNesting = 256;

[[noreturn]] void RaiseTooLong()
{
    uSetupData::RaiseDamaged("展开宏之后的文本超过 " + std::to_string(uSetupData::kMaxTextBlock) + " 字节");
}

// The first "Env(" at or after `start` (a character boundary); never matches from
// the trail byte of a double-byte character.
size_t FindOpen(const std::string& text, size_t start)
{
    for (size_t i = start; i + kOpenLength <= text.size(); ++i) {
        if (text.compare(i, kOpenLength, kOpen) == 0)
            return i;
        if (SysUtils::IsLeadByte(static_cast<unsigned char>(text[i])))
            ++i;
    }
    return std::string::npos;
}

// One left-to-right pass over a text; a reference is replaced by its variable's
// value, itself expanded (once per name). A name met again inside its own value
// stays as text, so a value that holds its own reference cannot make the
// expansion endless.
class TEnvironmentExpander {
public:
    explicit TEnvironmentExpander(const TEnvironmentLookup& environment) : environment_(environment) {}

    void Expand(const std::string& text, std::string& out)
    {
        size_t position = 0;
        for (;;) {
            size_t open = FindOpen(text, position);
            size_t close = open == std::string::npos ? open : text.find(')', open + kOpenLength);
            if (close == std::string::npos) // ')' is never a trail byte
                break;
            std::string name = text.substr(open + kOpenLength, close - open - kOpenLength);
            if (active_.count(name) || active_.size() >= kMaxNesting) {
                Append(out, text, position, close + 1 - position);
            } else {
                Append(out, text, position, open - position);
                const std::string& value = Value(name);
                Append(out, value, 0, value.size());
            }
            position = close + 1;
        }
        Append(out, text, position, text.size() - position);
    }

private:
    static void Append(std::string& out, const std::string& from, size_t start, size_t count)
    {
        if (count > uSetupData::kMaxTextBlock - std::min<size_t>(out.size(), uSetupData::kMaxTextBlock))
            RaiseTooLong();
        out.append(from, start, count);
    }

    const std::string& Value(const std::string& name)
    {
        auto known = expanded_.find(name);
        if (known != expanded_.end())
            return known->second;
        active_.insert(name);
        std::string value;
        Expand(environment_(name), value);
        active_.erase(name);
        return expanded_.emplace(name, std::move(value)).first->second;
    }

    const TEnvironmentLookup& environment_;
    std::map<std::string, std::string> expanded_;
    std::set<std::string> active_;
};

// Every occurrence of `from` replaced by `to`; the size is known before anything is built.
std::string ReplaceAll(const std::string& text, const std::string& from, const std::string& to)
{
    size_t count = 0;
    for (size_t found = text.find(from); found != std::string::npos; found = text.find(from, found + from.size()))
        ++count;
    if (count == 0)
        return text;
    const std::uint64_t size = text.size() - count * from.size() + std::uint64_t(count) * to.size();
    if (size > uSetupData::kMaxTextBlock)
        RaiseTooLong();
    std::string result;
    result.reserve(static_cast<size_t>(size));
    size_t position = 0;
    for (size_t found; (found = text.find(from, position)) != std::string::npos; position = found + from.size())
        result.append(text, position, found - position).append(to);
    return result.append(text, position, std::string::npos);
}

} // namespace

std::string ExpandEnvironment(const std::string& text, const TEnvironmentLookup& environment)
{
    std::string result;
    TEnvironmentExpander(environment).Expand(text, result);
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
        result = ReplaceAll(result, macro.first, *macro.second);
    }
    return ExpandEnvironment(result, environment);
}

} // namespace uMacros
