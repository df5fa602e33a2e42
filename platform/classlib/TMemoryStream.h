// Streams held in memory: TMemoryStream over a growable buffer and
// TStringStream over a std::string.
#pragma once

#include "TStream.h"

#include <string>
#include <vector>

class TMemoryStream : public TStream {
public:
    CLASSLIB_CLASS_NAME(TMemoryStream)
    TMemoryStream() = default;

    std::int32_t Read(void* buffer, std::int32_t count) override;
    std::int32_t Write(const void* buffer, std::int32_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    std::int64_t Size() override { return static_cast<std::int64_t>(data_.size()); }
    // Grows with zero bytes or cuts; the position is kept within the new size.
    void SetSize(std::int64_t size) override;

    char* Memory() { return data_.data(); }
    const char* Memory() const { return data_.data(); }
    void Clear();

    // Replaces the contents with the whole of `source` (from its beginning).
    void LoadFromStream(TStream& source);
    void LoadFromFile(const std::string& fileName);
    // Writes the whole contents, whatever the position.
    void SaveToStream(TStream& dest);
    void SaveToFile(const std::string& fileName);

private:
    std::vector<char> data_;
    std::int64_t position_ = 0;
};

class TStringStream : public TStream {
public:
    CLASSLIB_CLASS_NAME(TStringStream)
    explicit TStringStream(std::string data = std::string()) : data_(std::move(data)) {}

    const std::string& DataString() const { return data_; }

    std::int32_t Read(void* buffer, std::int32_t count) override;
    std::int32_t Write(const void* buffer, std::int32_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    std::int64_t Size() override { return static_cast<std::int64_t>(data_.size()); }
    void SetSize(std::int64_t size) override;

private:
    std::string data_;
    std::int64_t position_ = 0;
};
