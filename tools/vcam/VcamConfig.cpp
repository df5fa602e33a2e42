// Reading the virtual camera's settings from the environment.
#include "VcamConfig.h"

#include <windows.h>

#include <cstdlib>

namespace {

bool ReadVariable(const char* name, std::string& value)
{
    char buffer[512];
    const DWORD length = GetEnvironmentVariableA(name, buffer, sizeof buffer);
    if (length == 0) {
        value.clear();
        return ::GetLastError() != ERROR_ENVVAR_NOT_FOUND;
    }
    if (length >= sizeof buffer)
        return false;  // longer than any sensible setting: ignore it
    value.assign(buffer, length);
    return true;
}

std::string Trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::string();
    const size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

// A time in milliseconds; 0 when unset or out of range.
unsigned Milliseconds(const char* name)
{
    std::string value;
    if (!ReadVariable(name, value) || value.empty())
        return 0;
    const long ms = std::strtol(value.c_str(), nullptr, 10);
    return ms > 0 && ms < 600000 ? static_cast<unsigned>(ms) : 0;
}

// On only when set to "1".
bool Switch(const char* name)
{
    std::string value;
    return ReadVariable(name, value) && Trimmed(value) == "1";
}

}  // namespace

namespace VcamConfig {

std::vector<DriverKind> Drivers()
{
    std::string value;
    if (!ReadVariable("VCAM_DRIVERS", value))
        return {DriverKind::Connects};
    std::vector<DriverKind> drivers;
    if (Trimmed(value) == "none")
        return drivers;
    size_t start = 0;
    while (start <= value.size() && drivers.size() < 10) {
        size_t end = value.find(',', start);
        if (end == std::string::npos)
            end = value.size();
        const std::string item = Trimmed(value.substr(start, end - start));
        if (item == "refuse")
            drivers.push_back(DriverKind::RefusesConnect);
        else if (!item.empty())
            drivers.push_back(DriverKind::Connects);
        start = end + 1;
    }
    return drivers;
}

void FrameSize(int& width, int& height)
{
    width = 320;
    height = 240;
    std::string value;
    if (!ReadVariable("VCAM_FRAME_SIZE", value) || value.empty())
        return;
    const int w = std::atoi(value.c_str());
    const size_t x = value.find_first_of("xX");
    const int h = x == std::string::npos ? 0 : std::atoi(value.c_str() + x + 1);
    if (w > 0 && w <= 4096 && h > 0 && h <= 4096) {
        width = w;
        height = h;
    }
}

unsigned CloseDelayMs()
{
    return Milliseconds("VCAM_CLOSE_DELAY_MS");
}

unsigned GrabDelayMs()
{
    return Milliseconds("VCAM_GRAB_DELAY_MS");
}

bool FrameErrors()
{
    return Switch("VCAM_FRAME_ERRORS");
}

bool IgnoreAbort()
{
    return Switch("VCAM_IGNORE_ABORT");
}

}  // namespace VcamConfig
