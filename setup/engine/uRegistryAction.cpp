// The REGISTRY action and its log lines.
#include "uRegistryAction.h"

#include "Exception.h"
#include "OwnedHandles.h"
#include "SysUtils.h"
#include "TStrings.h"
#include "uLogTags.h"
#include "uRecordValues.h"
#include "uRegistryText.h"

#include <windows.h>

namespace uRegistryAction {
namespace {

bool KeyExists(HKEY root, const std::string& key)
{
    TOwnedRegKey opened;
    return RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, opened.Receive()) == ERROR_SUCCESS;
}

// The shortest leading part of `key` that does not exist yet; empty when the key exists.
std::string OutermostMissingKey(HKEY root, const std::string& key)
{
    size_t start = 0;
    for (;;) {
        size_t cut = key.find('\\', start);
        std::string part = key.substr(0, cut);
        if (!part.empty() && !KeyExists(root, part))
            return part;
        if (cut == std::string::npos)
            return std::string();
        start = cut + 1;
    }
}

int TypeByText(const std::string& text)
{
    std::string type = SysUtils::Trim(text);
    int number = 0;
    if (SysUtils::TryStrToInt(type, number) && number >= vtString && number <= vtBinary)
        return number;
    if (SysUtils::SameText(type, "String"))
        return vtString;
    if (SysUtils::SameText(type, "ExpandString"))
        return vtExpandString;
    if (SysUtils::SameText(type, "Integer"))
        return vtInteger;
    if (SysUtils::SameText(type, "Binary"))
        return vtBinary;
    return 0;
}

std::string BinaryFromHex(const std::string& text, const std::string& name)
{
    std::string digits;
    for (char c : text)
        if (c != ' ')
            digits += c;
    if (digits.size() % 2 != 0)
        throw Exception("the binary registry value " + name + " has an odd number of hexadecimal digits");
    std::string bytes;
    if (!uRegistryText::BytesFromHex(digits, bytes))
        throw Exception("the binary registry value " + name + " holds a character that is not hexadecimal");
    return bytes;
}

// The value as it is now, in the log's terms; false when there is none. A type
// the log has no number for is 0, with the registry's own in `rawType` and the
// bytes as hexadecimal digits.
bool ReadOldValue(HKEY key, const std::string& name, int& type, std::string& text, DWORD& rawType)
{
    DWORD size = 0;
    rawType = REG_NONE;
    if (RegQueryValueExA(key, name.c_str(), nullptr, &rawType, nullptr, &size) != ERROR_SUCCESS)
        return false;
    std::string data(size, '\0');
    if (size > 0 &&
        RegQueryValueExA(key, name.c_str(), nullptr, &rawType, reinterpret_cast<BYTE*>(&data[0]), &size) !=
            ERROR_SUCCESS)
        return false;
    data.resize(size);
    switch (rawType) {
    case REG_SZ:
    case REG_EXPAND_SZ:
        type = rawType == REG_SZ ? vtString : vtExpandString;
        text = std::string(data.c_str()); // without the terminator
        return true;
    case REG_DWORD: {
        DWORD number = 0;
        if (data.size() >= sizeof(number))
            memcpy(&number, data.data(), sizeof(number));
        type = vtInteger;
        text = SysUtils::IntToStr(static_cast<std::int32_t>(number));
        return true;
    }
    default: {
        static const char kHex[] = "0123456789ABCDEF";
        type = rawType == REG_BINARY ? vtBinary : 0;
        text.clear();
        for (unsigned char c : data) {
            text += kHex[c >> 4];
            text += kHex[c & 15];
        }
        return true;
    }
    }
}

void WriteValue(HKEY key, const TRegistryValue& value, const std::string& keyPath)
{
    LONG result = ERROR_SUCCESS;
    switch (value.Type) {
    case vtString:
    case vtExpandString:
        result = RegSetValueExA(key, value.Name.c_str(), 0, value.Type == vtString ? REG_SZ : REG_EXPAND_SZ,
                                reinterpret_cast<const BYTE*>(value.Data.c_str()),
                                static_cast<DWORD>(value.Data.size() + 1));
        break;
    case vtInteger: {
        int number = 0;
        if (!SysUtils::TryStrToInt(value.Data, number))
            throw Exception("the registry value " + value.Name + " under " + keyPath + " is not an integer ('" +
                            value.Data + "')");
        DWORD data = static_cast<DWORD>(number);
        result = RegSetValueExA(key, value.Name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                                sizeof(data));
        break;
    }
    case vtBinary: {
        std::string bytes = BinaryFromHex(value.Data, value.Name);
        result = RegSetValueExA(key, value.Name.c_str(), 0, REG_BINARY,
                                reinterpret_cast<const BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()));
        break;
    }
    default:
        throw Exception("the registry value " + value.Name + " under " + keyPath + " has an unknown type");
    }
    if (result != ERROR_SUCCESS)
        throw Exception("cannot write the registry value " + value.Name + " under " + keyPath + " (error " +
                        SysUtils::IntToStr(result) + ")");
}

} // namespace

std::string EscapeLogField(const std::string& text)
{
    return SysUtils::StringReplace(SysUtils::StringReplace(text, ";", "#59"), ":", "#58");
}

std::vector<TRegistryValue> ParseValues(const std::string& values)
{
    std::vector<TRegistryValue> parsed;
    std::string text = SysUtils::StringReplace(values, "#13#10", "\n");
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!SysUtils::Trim(line).empty()) {
            size_t equals = line.find('=');
            size_t colon = equals == std::string::npos ? std::string::npos : line.find(':', equals + 1);
            if (colon == std::string::npos)
                throw Exception("the registry value line '" + line + "' is not of the form name=TYPE:value");
            TRegistryValue value;
            value.Name = line.substr(0, equals);
            value.Type = TypeByText(line.substr(equals + 1, colon - equals - 1));
            value.Data = line.substr(colon + 1);
            if (value.Type == 0)
                throw Exception("the registry value line '" + line + "' names an unknown type");
            parsed.push_back(value);
        }
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return parsed;
}

void WriteValues(const std::string& rootName, const std::string& key, const std::vector<TRegistryValue>& values,
                 TInstallContext& context)
{
    std::string root;
    HKEY rootKey = uRegistryText::RootKeyByName(SysUtils::Trim(rootName), &root);
    std::string path = key;
    while (!path.empty() && path.front() == '\\')
        path.erase(0, 1);
    path = SysUtils::ExcludeTrailingBackslash(path);

    std::string missing = OutermostMissingKey(rootKey, path);
    TOwnedRegKey opened;
    if (RegCreateKeyExA(rootKey, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr,
                        opened.Receive(), nullptr) != ERROR_SUCCESS)
        throw Exception(SysUtils::StringReplace(context.Text("CreateRegistryError", "注册表项 <KEY> 创建失败"), "<KEY>",
                                                root + "\\" + path));
    if (!missing.empty())
        context.Log->Add(uLogTags::Line(uLogTags::Key, "ROOT:" + root + ";KEY:" + missing));

    for (const TRegistryValue& value : values) {
        int oldType = value.Type;
        std::string oldText;
        DWORD rawType = REG_NONE;
        bool existed = ReadOldValue(opened.Get(), value.Name, oldType, oldText, rawType);
        std::string fields = "ROOT:" + EscapeLogField(root) + ";KEY:" + EscapeLogField(path) + ";NAME:" +
                             EscapeLogField(value.Name) + ";VALUE_TYPE:" +
                             SysUtils::IntToStr(existed ? oldType : value.Type);
        if (existed && oldType == 0)
            fields += std::string(";") + uLogTags::RawValueType + ":" + SysUtils::IntToStr(rawType);
        if (existed)
            fields += ";OLDVALUE:" + EscapeLogField(oldText);
        WriteValue(opened.Get(), value, root + "\\" + path);
        context.Log->Add(uLogTags::Line(uLogTags::KeyValue, fields));
    }
}

void WriteRegistry(const TStrings& record, bool skip, TInstallContext& context)
{
    if (skip)
        return;
    WriteValues(uRecordValues::Text(record, "ROOT"), uRecordValues::Text(record, "KEY"),
                ParseValues(uRecordValues::Text(record, "VALUES")), context);
}

} // namespace uRegistryAction
