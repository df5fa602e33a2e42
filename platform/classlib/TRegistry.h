// The registry of the class library: a root key, one open current key below it,
// and typed reads and writes of its values. Failures to read or write a value
// raise ERegistryException; opening, creating and deleting keys answer true/false.
#pragma once

#include "Exception.h"
#include "OwnedHandles.h"
#include "TObject.h"

#include <cstdint>
#include <string>

CLASSLIB_EXCEPTION(ERegistryException, Exception);

class TStrings;

enum class TRegDataType { rdUnknown, rdString, rdExpandString, rdInteger, rdBinary };

class TRegistry : public TObject {
public:
    CLASSLIB_CLASS_NAME(TRegistry)
    // Root HKEY_CURRENT_USER, access KEY_ALL_ACCESS.
    TRegistry();
    // Opens keys with the given access mask (KEY_READ, KEY_ALL_ACCESS, ...).
    explicit TRegistry(std::uint32_t access);
    ~TRegistry() override;

    HKEY RootKey() const { return rootKey_; }
    // Closes the current key first.
    void SetRootKey(HKEY rootKey);
    HKEY CurrentKey() const { return currentKey_.Get(); }
    const std::string& CurrentPath() const { return currentPath_; }
    std::uint32_t Access() const { return access_; }
    void SetAccess(std::uint32_t access) { access_ = access; }
    // When false, CloseKey flushes the key to disk.
    bool LazyWrite() const { return lazyWrite_; }
    void SetLazyWrite(bool value) { lazyWrite_ = value; }

    // A key starting with '\' is taken from the root; otherwise from the current
    // key (or the root when none is open). The opened key becomes current.
    bool OpenKey(const std::string& key, bool canCreate);
    bool OpenKeyReadOnly(const std::string& key);
    void CloseKey();
    bool CreateKey(const std::string& key);
    // Deletes the key with all its subkeys.
    bool DeleteKey(const std::string& key);
    bool KeyExists(const std::string& key);
    bool DeleteValue(const std::string& name);
    bool ValueExists(const std::string& name) const;
    bool HasSubKeys() const;

    TRegDataType GetDataType(const std::string& name) const;
    // Size of the value's data in bytes, or -1 when it is absent.
    int GetDataSize(const std::string& name) const;
    void GetValueNames(TStrings& names) const;
    void GetKeyNames(TStrings& names) const;

    // A string or expandable string (unexpanded); "" when the value is absent.
    // Another type raises ERegistryException.
    std::string ReadString(const std::string& name) const;
    void WriteString(const std::string& name, const std::string& value);
    void WriteExpandString(const std::string& name, const std::string& value);
    // Raises ERegistryException when the value is absent or not a DWORD.
    int ReadInteger(const std::string& name) const;
    void WriteInteger(const std::string& name, int value);
    bool ReadBool(const std::string& name) const { return ReadInteger(name) != 0; }
    void WriteBool(const std::string& name, bool value) { WriteInteger(name, value ? 1 : 0); }
    // Copies at most `size` bytes; returns the bytes copied. Raises when the value
    // is absent, not binary, or larger than `size`.
    int ReadBinaryData(const std::string& name, void* buffer, int size) const;
    void WriteBinaryData(const std::string& name, const void* buffer, int size);

private:
    HKEY BaseKeyFor(const std::string& key) const;
    // The current key, or the root when none is open: where values are read and written.
    HKEY ValueKey() const { return currentKey_.IsValid() ? currentKey_.Get() : rootKey_; }
    void ChangeKey(TOwnedRegKey key, const std::string& path);

    HKEY rootKey_;
    TOwnedRegKey currentKey_;
    std::string currentPath_;
    std::uint32_t access_;
    bool lazyWrite_ = true;
};
