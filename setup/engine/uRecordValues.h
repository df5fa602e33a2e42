// Typed reads of an object record's name=value lines. Booleans and integers are
// strict: an absent or malformed value raises an Exception naming the key.
#pragma once

#include <string>

class TStrings;

namespace uRecordValues {

std::string Text(const TStrings& record, const std::string& key);
// "True"/"False" ignoring case, or a decimal number (non-zero is true); integers
// are decimal too, read as the project block reads them.
bool Bool(const TStrings& record, const std::string& key);
int Int(const TStrings& record, const std::string& key);
// A boolean that may be absent (then `fallback`); malformed still raises.
bool BoolOr(const TStrings& record, const std::string& key, bool fallback);

} // namespace uRecordValues
