// A fixture for install tests: a temporary folder, a unique product identifier,
// a registry key of its own under HKEY_CURRENT_USER, and the clean-up of what an
// install may leave in the test prefix (the Uninstall entry and the log).
#pragma once

#include "InstallDriver.h"
#include "TempFolder.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

class InstallFixture : public testing::Test {
protected:
    InstallFixture();
    ~InstallFixture() override;

    // The install folder of the project lines below.
    std::string App() const { return root_.Path() + "\\App"; }
    std::vector<std::string> ProjectLines(bool uninstall) const;
    // The test's own key below HKEY_CURRENT_USER (it exists before every install).
    std::string TestKey() const { return "Software\\FerrinTests\\" + id_; }
    std::string UninstallEntry() const;

    static bool KeyExists(HKEY root, const std::string& key);
    static std::string ReadString(HKEY root, const std::string& key, const std::string& name, bool* found = nullptr);
    static void WriteString(HKEY root, const std::string& key, const std::string& name, const std::string& value);
    // The value's type and its bytes as stored; REG_NONE when it cannot be read.
    static DWORD ReadValue(HKEY root, const std::string& key, const std::string& name, std::string& data);
    static void WriteValue(HKEY root, const std::string& key, const std::string& name, DWORD type,
                           const std::string& data);

    TempFolder root_;
    std::string id_;
};
