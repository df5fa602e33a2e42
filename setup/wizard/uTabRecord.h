// The TAB-separated records of the setup data's package and space lists.
#pragma once

#include <string>
#include <vector>

namespace uTabRecord {

// The fields of one line, split at every TAB (an empty line gives one empty field).
std::vector<std::string> Split(const std::string& line);

} // namespace uTabRecord
