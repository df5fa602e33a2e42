// config.ini beside the test program for a test's scope.
#include "ScopedConfig.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <exception>

#include "TempFolder.h"

std::string ScopedConfig::ProgramFolder()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    const std::string program = path;
    return program.substr(0, program.rfind('\\'));
}

std::string ScopedConfig::Path()
{
    return ProgramFolder() + "\\config.ini";
}

ScopedConfig::ScopedConfig()
{
    m_hadFile = FileExists(Path());
    if (m_hadFile)
        m_saved = ReadWholeFile(Path());
    Remove();
}

ScopedConfig::~ScopedConfig()
{
    Remove();
    if (!m_hadFile)
        return;
    try {
        WriteWholeFile(Path(), m_saved);
    } catch (const std::exception& failure) {
        ADD_FAILURE() << "config.ini was not put back: " << failure.what();
    }
}

void ScopedConfig::Set(const char* section, const char* key, const char* value)
{
    WritePrivateProfileStringA(section, key, value, Path().c_str());
}

std::string ScopedConfig::Get(const char* section, const char* key) const
{
    char value[300] = {};
    GetPrivateProfileStringA(section, key, "", value, sizeof value, Path().c_str());
    return value;
}

void ScopedConfig::Remove()
{
    DeleteFileA(Path().c_str());
}
