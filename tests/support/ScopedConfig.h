// config.ini beside the test program, where the recorder keeps its settings,
// for the test's scope: the file found there is put aside and put back afterwards.
#pragma once

#include <string>

class ScopedConfig {
public:
    ScopedConfig();
    ~ScopedConfig();
    ScopedConfig(const ScopedConfig&) = delete;
    ScopedConfig& operator=(const ScopedConfig&) = delete;

    // The folder of the test program, and the file's path in it.
    static std::string ProgramFolder();
    static std::string Path();

    // One value; a null value removes the key.
    void Set(const char* section, const char* key, const char* value);
    std::string Get(const char* section, const char* key) const;
    // Removes the file, as on a machine where the program never ran.
    void Remove();

private:
    std::string m_saved;
    bool m_hadFile = false;
};
