// Registry root names and hexadecimal binary values shared by the REGISTRY
// action and the uninstall replay.
#include "uRegistryText.h"

#include "SysUtils.h"

namespace uRegistryText {
namespace {

struct TRootName {
    const char* Name;
    HKEY Root;
};

// The first entry is also the default.
const TRootName kRoots[] = {
    {"HKEY_CURRENT_USER", HKEY_CURRENT_USER}, {"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
    {"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT}, {"HKEY_USERS", HKEY_USERS},
    {"HKEY_CURRENT_CONFIG", HKEY_CURRENT_CONFIG},
};

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

HKEY RootKeyByName(const std::string& name, std::string* canonical)
{
    const TRootName* found = &kRoots[0];
    for (const TRootName& root : kRoots) {
        if (SysUtils::SameText(name, root.Name)) {
            found = &root;
            break;
        }
    }
    if (canonical)
        *canonical = found->Name;
    return found->Root;
}

bool BytesFromHex(const std::string& digits, std::string& bytes)
{
    if (digits.size() % 2 != 0)
        return false;
    bytes.clear();
    for (size_t i = 0; i < digits.size(); i += 2) {
        int high = HexDigit(digits[i]), low = HexDigit(digits[i + 1]);
        if (high < 0 || low < 0)
            return false;
        bytes += static_cast<char>(high * 16 + low);
    }
    return true;
}

} // namespace uRegistryText
