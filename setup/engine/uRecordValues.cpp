// Typed reads of object-record values.
#include "uRecordValues.h"

#include "Exception.h"
#include "SysUtils.h"
#include "TStrings.h"
#include "uSetupData.h"

namespace uRecordValues {
namespace {

std::string RecordType(const TStrings& record)
{
    std::string type = record.Values("OBJECT_TYPE");
    return type.empty() ? std::string("object") : type;
}

[[noreturn]] void RaiseBadValue(const TStrings& record, const std::string& key, const std::string& kind)
{
    throw Exception("the " + RecordType(record) + " record has no valid " + kind + " value for " + key + " ('" +
                    record.Values(key) + "')");
}

} // namespace

std::string Text(const TStrings& record, const std::string& key) { return record.Values(key); }

bool Bool(const TStrings& record, const std::string& key)
{
    bool value = false;
    if (!uSetupData::TryParseBool(record.Values(key), value))
        RaiseBadValue(record, key, "boolean");
    return value;
}

bool BoolOr(const TStrings& record, const std::string& key, bool fallback)
{
    if (SysUtils::Trim(record.Values(key)).empty())
        return fallback;
    return Bool(record, key);
}

int Int(const TStrings& record, const std::string& key)
{
    int value = 0;
    if (!uSetupData::TryParseInt(record.Values(key), value))
        RaiseBadValue(record, key, "integer");
    return value;
}

} // namespace uRecordValues
