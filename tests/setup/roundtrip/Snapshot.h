// Snapshots for round-trip tests: a folder tree (names, sizes, content hashes)
// and a registry key tree (keys, value names, types, data), as sorted maps that
// compare equal exactly when the trees are alike.
#pragma once

#include <windows.h>

#include <map>
#include <string>

using TSnapshot = std::map<std::string, std::string>;

// Every folder and file below `folder` ("D <relative path>", "F <relative path>"
// with "size:hash"); names compare without case, as the file system does.
TSnapshot SnapshotFolder(const std::string& folder);
// The key `key` below `root` with every subkey and value ("K <path>",
// "V <path>\<name>" with "type:hex data"); an absent key gives "absent".
TSnapshot SnapshotKey(HKEY root, const std::string& key);
// `a` with the entries of `b` added under `prefix`.
TSnapshot Joined(TSnapshot a, const TSnapshot& b, const std::string& prefix);
