// Splitting of install-log field lists.
#include "uLogFields.h"

#include "SysUtils.h"

namespace uLogFields {

TFields SplitFields(const std::string& text, bool decodeEscapes)
{
    TFields fields;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(';', start);
        if (end == std::string::npos)
            end = text.size();
        std::string piece = text.substr(start, end - start);
        if (!piece.empty()) {
            size_t colon = piece.find(':');
            std::string name = colon == std::string::npos ? piece : piece.substr(0, colon);
            std::string value = colon == std::string::npos ? std::string() : piece.substr(colon + 1);
            if (decodeEscapes) {
                value = SysUtils::StringReplace(value, "#59", ";");
                value = SysUtils::StringReplace(value, "#58", ":");
            }
            fields.emplace_back(std::move(name), std::move(value));
        }
        start = end + 1;
    }
    return fields;
}

std::string Field(const TFields& fields, const std::string& name)
{
    for (const auto& field : fields)
        if (SysUtils::SameText(field.first, name))
            return field.second;
    return std::string();
}

bool HasField(const TFields& fields, const std::string& name)
{
    for (const auto& field : fields)
        if (SysUtils::SameText(field.first, name))
            return true;
    return false;
}

} // namespace uLogFields
