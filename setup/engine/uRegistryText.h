// Registry roots and binary values as REGISTRY records and install log lines
// write them, read back the same way by the install and the uninstall.
#pragma once

#include <windows.h>

#include <string>

namespace uRegistryText {

// The root called `name` (ignoring case, not trimmed) and, when asked, its name
// as logs write it. Any other name is HKEY_CURRENT_USER, the registry object's
// own default.
HKEY RootKeyByName(const std::string& name, std::string* canonical = nullptr);

// The bytes spelt by pairs of hexadecimal digits (either case); false, with
// `bytes` undefined, when the count is odd or a character is not a digit.
bool BytesFromHex(const std::string& digits, std::string& bytes);

} // namespace uRegistryText
