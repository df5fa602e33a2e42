// Splitting TAB records.
#include "uTabRecord.h"

namespace uTabRecord {

std::vector<std::string> Split(const std::string& line)
{
    std::vector<std::string> fields;
    size_t start = 0;
    for (size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
        fields.push_back(line.substr(start, tab - start));
    fields.push_back(line.substr(start));
    return fields;
}

} // namespace uTabRecord
