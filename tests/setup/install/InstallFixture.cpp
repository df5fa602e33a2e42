// The install-test fixture.
#include "InstallFixture.h"

#include "uSystemFolders.h"

#include <shlwapi.h>

#include <sstream>

InstallFixture::InstallFixture()
{
    std::ostringstream id;
    id << "FerrinInstall-" << GetCurrentProcessId() << "-" << GetTickCount() << "-"
       << testing::UnitTest::GetInstance()->current_test_info()->name();
    id_ = id.str();
    for (char& c : id_)
        if (c == '/')
            c = '_';
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, TestKey().c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    RegCloseKey(key);
}

InstallFixture::~InstallFixture()
{
    SHDeleteKeyA(HKEY_CURRENT_USER, TestKey().c_str());
    SHDeleteKeyA(HKEY_LOCAL_MACHINE, UninstallEntry().c_str());
    std::string log = uSystemFolders::SpecialFolders().CommonApplicationData + "\\Ostrel Install\\" + id_;
    DeleteFileA(log.c_str());
    DeleteFileA((log + ".Dat").c_str());
}

std::vector<std::string> InstallFixture::ProjectLines(bool uninstall) const
{
    return {"PROJECT_ID=" + id_,        "ProductName=Ferrin Test", "Version=1.0", "Publisher=Ferrin",
            "InstallPath=" + App() + "\\", std::string("Uninstall=") + (uninstall ? "True" : "False")};
}

std::string InstallFixture::UninstallEntry() const
{
    return "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + id_;
}

bool InstallFixture::KeyExists(HKEY root, const std::string& key)
{
    HKEY opened = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return false;
    RegCloseKey(opened);
    return true;
}

std::string InstallFixture::ReadString(HKEY root, const std::string& key, const std::string& name, bool* found)
{
    char buffer[1024] = {};
    DWORD size = sizeof(buffer) - 1;
    HKEY opened = nullptr;
    bool ok = RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &opened) == ERROR_SUCCESS;
    if (ok) {
        ok = RegQueryValueExA(opened, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size) ==
             ERROR_SUCCESS;
        RegCloseKey(opened);
    }
    if (found)
        *found = ok;
    return ok ? std::string(buffer) : std::string();
}

void InstallFixture::WriteString(HKEY root, const std::string& key, const std::string& name, const std::string& value)
{
    HKEY opened = nullptr;
    RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &opened, nullptr);
    RegSetValueExA(opened, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
    RegCloseKey(opened);
}
