// Fixtures of the replay tests: a scratch registry key, a recorder of the
// uninstaller's reports, and an answerer for the message boxes the replay shows.
#pragma once

#include "uOstrelUninstall.h"

#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A unique name for keys, products and files of one test.
std::string UniqueName(const std::string& prefix);

// A key below HKEY_CURRENT_USER\Software\FerrinTests, removed with its subkeys.
class TScratchKey {
public:
    TScratchKey();
    ~TScratchKey();
    TScratchKey(const TScratchKey&) = delete;
    TScratchKey& operator=(const TScratchKey&) = delete;

    // The path below HKEY_CURRENT_USER.
    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& subkey) const { return path_ + "\\" + subkey; }

private:
    std::string path_;
};

// Registry helpers on raw Win32 calls, so that the checks do not lean on the code under test.
bool KeyExists(HKEY root, const std::string& key);
void CreateKey(HKEY root, const std::string& key);
void DeleteKeyTree(HKEY root, const std::string& key);
void SetString(HKEY root, const std::string& key, const std::string& name, const std::string& value,
               DWORD type = REG_SZ);
void SetDword(HKEY root, const std::string& key, const std::string& name, DWORD value);
bool ValueExists(HKEY root, const std::string& key, const std::string& name);
// The value's type and bytes (strings without their terminator).
DWORD ValueType(HKEY root, const std::string& key, const std::string& name);
std::string StringValue(HKEY root, const std::string& key, const std::string& name);
DWORD DwordValue(HKEY root, const std::string& key, const std::string& name);

// The product's Uninstall entry below HKEY_LOCAL_MACHINE, removed when it goes.
class TUninstallEntry {
public:
    explicit TUninstallEntry(bool create = true);
    ~TUninstallEntry();
    TUninstallEntry(const TUninstallEntry&) = delete;
    TUninstallEntry& operator=(const TUninstallEntry&) = delete;

    const std::string& ProjectId() const { return projectId_; }
    std::string Key() const;

private:
    std::string projectId_;
};

// The reports of one replay, in order.
struct TReportRecorder {
    struct TReport {
        std::string Target;
        int Position;
    };
    std::vector<TReport> Reports;
    std::vector<int> StartCounts;

    void Attach(TOstrelUninstall& uninstall);
    std::vector<std::string> Targets() const;
    // Index of the first report equal to `target`, -1 when there is none.
    int IndexOf(const std::string& target) const;
};

// Watches this process for message boxes, records their text and answers OK.
class TMessageBoxAnswerer {
public:
    TMessageBoxAnswerer();
    ~TMessageBoxAnswerer();
    TMessageBoxAnswerer(const TMessageBoxAnswerer&) = delete;
    TMessageBoxAnswerer& operator=(const TMessageBoxAnswerer&) = delete;

    std::vector<std::string> Texts() const;

private:
    void Watch();

    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    std::vector<std::string> texts_;
    std::thread thread_;
};

// Entries of the pending restart-time operations that name `path` as their source.
bool DeletionPendingAtRestart(const std::string& path);
// Removes the requests for `path` again, so that the prefix keeps no trace of the test.
void ForgetPendingOperations(const std::string& path);
