// The REGISTRY action: keys and values written under one of the registry roots,
// logged so that the uninstall deletes the keys it created and puts back the
// values it replaced.
#pragma once

#include "uInstallContext.h"

#include <string>
#include <vector>

class TStrings;

namespace uRegistryAction {

// Value types as the install log numbers them.
enum TValueType { vtString = 1, vtExpandString = 2, vtInteger = 3, vtBinary = 4 };

struct TRegistryValue {
    std::string Name; // empty: the key's default value
    int Type = vtString;
    std::string Data; // text; decimal for integers; hexadecimal digits for binary data
};

// Parses the VALUES key: lines "name=TYPE:value" joined by "#13#10". TYPE is the
// number of the log's value types or its name (String, ExpandString, Integer,
// Binary, ignoring case). Raises an Exception for a line it cannot read.
std::vector<TRegistryValue> ParseValues(const std::string& values);

// Creates the key when needed and writes the values, logging a KEY line for the
// outermost key it created and a KEY_VALUE line for every value with the value it
// replaced. Raises "CreateRegistryError" when the key cannot be made.
void WriteValues(const std::string& rootName, const std::string& key, const std::vector<TRegistryValue>& values,
                 TInstallContext& context);

// The REGISTRY record: ROOT, KEY, VALUES.
void WriteRegistry(const TStrings& record, bool skip, TInstallContext& context);

// A field value of a KEY_VALUE line: ";" as "#59", ":" as "#58".
std::string EscapeLogField(const std::string& text);

} // namespace uRegistryAction
