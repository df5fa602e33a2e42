// The snapshots of folder trees and registry key trees.
#include "Snapshot.h"

#include "OwnedHandles.h"
#include "TempFolder.h"

#include <cctype>
#include <cstdint>
#include <vector>

namespace {

std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string Hex(const void* data, size_t size)
{
    static const char kDigits[] = "0123456789abcdef";
    const unsigned char* bytes = static_cast<const unsigned char*>(data);
    std::string text;
    for (size_t i = 0; i < size; ++i) {
        text += kDigits[bytes[i] >> 4];
        text += kDigits[bytes[i] & 15];
    }
    return text;
}

// FNV-1a, enough to tell contents apart in a test.
std::string Hash(const std::string& bytes)
{
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : bytes) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    return Hex(&hash, sizeof(hash));
}

void WalkFolder(const std::string& folder, const std::string& relative, TSnapshot& snapshot)
{
    WIN32_FIND_DATAA found;
    TOwnedFind search(FindFirstFileA((folder + "\\*").c_str(), &found));
    if (!search.IsValid())
        return;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        std::string path = relative.empty() ? name : relative + "\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            snapshot["D " + Lower(path)] = "";
            WalkFolder(folder + "\\" + name, path, snapshot);
        } else {
            std::string bytes = ReadWholeFile(folder + "\\" + name);
            snapshot["F " + Lower(path)] = std::to_string(bytes.size()) + ":" + Hash(bytes);
        }
    } while (FindNextFileA(search.Get(), &found));
}

void WalkKey(HKEY key, const std::string& path, TSnapshot& snapshot)
{
    snapshot["K " + Lower(path)] = "";
    for (DWORD index = 0;; ++index) {
        char name[16384];
        DWORD nameSize = sizeof(name);
        DWORD type = 0, dataSize = 0;
        if (RegEnumValueA(key, index, name, &nameSize, nullptr, &type, nullptr, &dataSize) != ERROR_SUCCESS)
            break;
        std::vector<unsigned char> data(dataSize + 1);
        nameSize = sizeof(name);
        RegEnumValueA(key, index, name, &nameSize, nullptr, &type, data.data(), &dataSize);
        snapshot["V " + Lower(path) + "\\" + Lower(name)] = std::to_string(type) + ":" + Hex(data.data(), dataSize);
    }
    for (DWORD index = 0;; ++index) {
        char name[256];
        DWORD nameSize = sizeof(name);
        if (RegEnumKeyExA(key, index, name, &nameSize, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        TOwnedRegKey child;
        if (RegOpenKeyExA(key, name, 0, KEY_READ, child.Receive()) == ERROR_SUCCESS)
            WalkKey(child.Get(), path + "\\" + name, snapshot);
    }
}

} // namespace

TSnapshot SnapshotFolder(const std::string& folder)
{
    TSnapshot snapshot;
    WalkFolder(folder, "", snapshot);
    return snapshot;
}

TSnapshot SnapshotKey(HKEY root, const std::string& key)
{
    TSnapshot snapshot;
    TOwnedRegKey opened;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, opened.Receive()) != ERROR_SUCCESS) {
        snapshot["K " + Lower(key)] = "absent";
        return snapshot;
    }
    WalkKey(opened.Get(), key, snapshot);
    return snapshot;
}

TSnapshot Joined(TSnapshot a, const TSnapshot& b, const std::string& prefix)
{
    for (const auto& entry : b)
        a[prefix + entry.first] = entry.second;
    return a;
}
