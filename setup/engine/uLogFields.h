// The field lists of install-log lines: "name:value" pairs joined by ";", as the
// KEY, KEY_VALUE and MTS_COM lines carry them.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace uLogFields {

using TFields = std::vector<std::pair<std::string, std::string>>;

// Splits at every ";" and each piece at its first ":". With `decodeEscapes` the
// values have "#59" turned back into ";" and "#58" into ":" after the split.
TFields SplitFields(const std::string& text, bool decodeEscapes);

// The value of the first field of that name (ignoring case); empty when absent.
std::string Field(const TFields& fields, const std::string& name);
bool HasField(const TFields& fields, const std::string& name);

} // namespace uLogFields
