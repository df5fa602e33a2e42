// The install-test fixture.
#include "InstallFixture.h"

#include "OwnedHandles.h"
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
    TOwnedRegKey key;
    RegCreateKeyExA(HKEY_CURRENT_USER, TestKey().c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.Receive(),
                    nullptr);
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
    TOwnedRegKey opened;
    return RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, opened.Receive()) == ERROR_SUCCESS;
}

std::string InstallFixture::ReadString(HKEY root, const std::string& key, const std::string& name, bool* found)
{
    char buffer[1024] = {};
    DWORD size = sizeof(buffer) - 1;
    TOwnedRegKey opened;
    bool ok = RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, opened.Receive()) == ERROR_SUCCESS &&
              RegQueryValueExA(opened.Get(), name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(buffer),
                               &size) == ERROR_SUCCESS;
    if (found)
        *found = ok;
    return ok ? std::string(buffer) : std::string();
}

void InstallFixture::WriteString(HKEY root, const std::string& key, const std::string& name, const std::string& value)
{
    WriteValue(root, key, name, REG_SZ, std::string(value.c_str(), value.size() + 1));
}

DWORD InstallFixture::ReadValue(HKEY root, const std::string& key, const std::string& name, std::string& data)
{
    TOwnedRegKey opened;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, opened.Receive()) != ERROR_SUCCESS)
        return REG_NONE;
    DWORD type = REG_NONE, size = 0;
    RegQueryValueExA(opened.Get(), name.c_str(), nullptr, &type, nullptr, &size);
    data.assign(size, '\0');
    if (RegQueryValueExA(opened.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&data[0]), &size) !=
        ERROR_SUCCESS)
        type = REG_NONE;
    return type;
}

void InstallFixture::WriteValue(HKEY root, const std::string& key, const std::string& name, DWORD type,
                                const std::string& data)
{
    TOwnedRegKey opened;
    RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, opened.Receive(), nullptr);
    RegSetValueExA(opened.Get(), name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                   static_cast<DWORD>(data.size()));
}
