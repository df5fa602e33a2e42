// The shared behaviour of string lists: text, name=value lines, delimited text,
// loading and saving.
#include "TStrings.h"

#include "Exception.h"
#include "SysUtils.h"
#include "TStream.h"
#include "TUpdateLock.h"

#include <algorithm>
#include <vector>

int TStrings::Add(const std::string& value)
{
    int index = Count();
    Insert(index, value);
    return index;
}

int TStrings::AddObject(const std::string& value, TObject* object)
{
    int index = Add(value);
    SetObjects(index, object);
    return index;
}

void TStrings::InsertObject(int index, const std::string& value, TObject* object)
{
    Insert(index, value);
    SetObjects(index, object);
}

void TStrings::AddStrings(const TStrings& strings)
{
    TUpdateLock<TStrings> update(*this);
    for (int i = 0; i < strings.Count(); ++i)
        AddObject(strings.Strings(i), strings.Objects(i));
}

void TStrings::Exchange(int index1, int index2)
{
    std::string text = Strings(index1);
    TObject* object = Objects(index1);
    SetStrings(index1, Strings(index2));
    SetObjects(index1, Objects(index2));
    SetStrings(index2, text);
    SetObjects(index2, object);
}

void TStrings::Move(int fromIndex, int toIndex)
{
    if (fromIndex == toIndex)
        return;
    std::string text = Strings(fromIndex);
    TObject* object = Objects(fromIndex);
    Delete(fromIndex);
    InsertObject(toIndex, text, object);
}

int TStrings::CompareStrings(const std::string& a, const std::string& b) const
{
    if (caseSensitive_) {
        int result = a.compare(b);
        return result < 0 ? -1 : (result > 0 ? 1 : 0);
    }
    return SysUtils::CompareText(a, b);
}

int TStrings::IndexOf(const std::string& value) const
{
    for (int i = 0; i < Count(); ++i)
        if (CompareStrings(Strings(i), value) == 0)
            return i;
    return -1;
}

int TStrings::IndexOfObject(const TObject* object) const
{
    for (int i = 0; i < Count(); ++i)
        if (Objects(i) == object)
            return i;
    return -1;
}

int TStrings::IndexOfName(const std::string& name) const
{
    for (int i = 0; i < Count(); ++i) {
        std::string line = Strings(i);
        size_t separator = line.find(nameValueSeparator_);
        if (separator != std::string::npos && CompareStrings(line.substr(0, separator), name) == 0)
            return i;
    }
    return -1;
}

std::string TStrings::Names(int index) const
{
    std::string line = Strings(index);
    size_t separator = line.find(nameValueSeparator_);
    return separator == std::string::npos ? std::string() : line.substr(0, separator);
}

std::string TStrings::ValueFromIndex(int index) const
{
    std::string line = Strings(index);
    size_t separator = line.find(nameValueSeparator_);
    return separator == std::string::npos ? std::string() : line.substr(separator + 1);
}

std::string TStrings::Values(const std::string& name) const
{
    int index = IndexOfName(name);
    return index < 0 ? std::string() : ValueFromIndex(index);
}

void TStrings::SetValues(const std::string& name, const std::string& value)
{
    int index = IndexOfName(name);
    if (value.empty()) {
        if (index >= 0)
            Delete(index);
        return;
    }
    std::string line = name + nameValueSeparator_ + value;
    if (index < 0)
        Add(line);
    else
        SetStrings(index, line);
}

void TStrings::SetValueFromIndex(int index, const std::string& value)
{
    if (value.empty()) {
        Delete(index);
        return;
    }
    SetStrings(index, Names(index) + nameValueSeparator_ + value);
}

std::string TStrings::Text() const
{
    std::string text;
    for (int i = 0; i < Count(); ++i) {
        text += Strings(i);
        text += "\r\n";
    }
    return text;
}

void TStrings::SetText(const std::string& text)
{
    // CR and LF never occur as the trail byte of a GBK character, so a byte scan is safe.
    TUpdateLock<TStrings> update(*this);
    Clear();
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            Add(text.substr(start));
            break;
        }
        Add(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n')
            ++start;
    }
}

std::string TStrings::JoinDelimited(char delimiter, char quoteChar) const
{
    std::string result;
    for (int i = 0; i < Count(); ++i) {
        std::string item = Strings(i);
        bool quote = item.empty() && Count() == 1;
        for (size_t k = 0; k < item.size() && !quote; ++k) {
            unsigned char c = static_cast<unsigned char>(item[k]);
            if (SysUtils::IsLeadByte(c) && k + 1 < item.size()) {
                ++k;
                continue;
            }
            quote = c <= ' ' || item[k] == delimiter || item[k] == quoteChar;
        }
        if (quote) {
            std::string quoted(1, quoteChar);
            for (char c : item) {
                quoted += c;
                if (c == quoteChar)
                    quoted += c;
            }
            quoted += quoteChar;
            item = quoted;
        }
        if (i > 0)
            result += delimiter;
        result += item;
    }
    return result;
}

void TStrings::SplitDelimited(const std::string& text, char delimiter, char quoteChar)
{
    TUpdateLock<TStrings> update(*this);
    Clear();
    size_t i = 0;
    auto skipBlanks = [&] {
        while (i < text.size() && static_cast<unsigned char>(text[i]) <= ' ' && text[i] != delimiter)
            ++i;
    };
    skipBlanks();
    while (i < text.size()) {
        std::string item;
        if (text[i] == quoteChar) {
            ++i;
            while (i < text.size()) {
                if (text[i] == quoteChar) {
                    if (i + 1 < text.size() && text[i + 1] == quoteChar) {
                        item += quoteChar;
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                item += text[i++];
            }
        } else {
            while (i < text.size() && text[i] != delimiter && static_cast<unsigned char>(text[i]) > ' ') {
                // Copy a double-byte character whole so that its trail byte is never a delimiter.
                if (SysUtils::IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size())
                    item += text[i++];
                item += text[i++];
            }
        }
        Add(item);
        skipBlanks();
        if (i < text.size() && text[i] == delimiter) {
            ++i;
            skipBlanks();
            if (i >= text.size())
                Add(std::string()); // a final delimiter ends an empty item
        }
    }
}

std::string TStrings::DelimitedText() const { return JoinDelimited(delimiter_, quoteChar_); }
void TStrings::SetDelimitedText(const std::string& text) { SplitDelimited(text, delimiter_, quoteChar_); }
std::string TStrings::CommaText() const { return JoinDelimited(',', '"'); }
void TStrings::SetCommaText(const std::string& text) { SplitDelimited(text, ',', '"'); }

void TStrings::LoadFromStream(TStream& stream)
{
    std::int64_t left = stream.Size() - stream.Position();
    std::string text;
    char buffer[64 * 1024];
    while (left > 0) {
        std::int32_t got = stream.Read(buffer, static_cast<std::int32_t>(std::min<std::int64_t>(left, sizeof buffer)));
        if (got <= 0)
            break;
        text.append(buffer, static_cast<size_t>(got));
        left -= got;
    }
    SetText(text);
}

void TStrings::SaveToStream(TStream& stream) const
{
    std::string text = Text();
    stream.WriteBuffer(text.data(), text.size());
}

void TStrings::BeginUpdate()
{
    if (updateCount_ == 0)
        SetUpdateState(true);
    ++updateCount_;
}

void TStrings::EndUpdate()
{
    if (updateCount_ > 0 && --updateCount_ == 0)
        SetUpdateState(false);
}

void TStrings::Assign(TPersistent* source)
{
    if (auto* strings = dynamic_cast<TStrings*>(source)) {
        if (strings == this)
            return;
        TUpdateLock<TStrings> update(*this);
        Clear();
        nameValueSeparator_ = strings->nameValueSeparator_;
        delimiter_ = strings->delimiter_;
        quoteChar_ = strings->quoteChar_;
        AddStrings(*strings);
        return;
    }
    TPersistent::Assign(source);
}

bool TStrings::Equals(const TStrings& other) const
{
    if (Count() != other.Count())
        return false;
    for (int i = 0; i < Count(); ++i)
        if (Strings(i) != other.Strings(i))
            return false;
    return true;
}
