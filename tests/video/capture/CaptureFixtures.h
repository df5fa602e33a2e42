// Fixtures for the capture-engine tests: a host window for the preview, scoped
// environment settings for the virtual camera, and readers for the capture
// window and AVI files.
#pragma once

#include <windows.h>

#include <vfw.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

// A visible top-level window on the test thread that hosts the preview.
class HostWindow {
public:
    HostWindow(int width = 400, int height = 300);
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;
    HWND Handle() const { return m_hwnd; }

private:
    HWND m_hwnd = nullptr;
};

// Choose the virtual camera's drivers before a test program's first Create
// fills the process-wide driver table; one driver set per test program.
class DriverSetup : public testing::Test {
protected:
    explicit DriverSetup(const char* drivers) { SetEnvironmentVariableA("VCAM_DRIVERS", drivers); }
};
// Driver 0 refuses to connect, drivers 1 and 2 connect: the table is {1, 2}.
class ThreeDriversFirstRefusing : public DriverSetup {
protected:
    ThreeDriversFirstRefusing() : DriverSetup("refuse,ok,ok") {}
};
class NoDrivers : public DriverSetup {
protected:
    NoDrivers() : DriverSetup("none") {}
};

// Sets an environment variable of this process for a scope (the virtual
// camera reads its settings when it needs them).
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const char* value);
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    std::string m_name, m_old;
    bool m_hadValue;
};

// The virtual camera's capture window that is a child of `parent`, or the
// first top-level one of this process when `parent` is null (tests run side
// by side on one desktop).
HWND FindCaptureWindow(HWND parent);
// A top-level window of this process with that class and title, or null.
HWND FindOwnWindow(const char* className, const char* title);
CAPTUREPARMS SequenceSetup(HWND captureWindow);
LONG DescriptionQueries();

// A packed DIB written as a .bmp file.
void WriteBmpFile(const std::string& path, const BYTE* dib, DWORD size);

// What a test needs to know of an AVI file, read from its RIFF chunks.
struct AviSummary {
    bool riffAvi = false;
    DWORD microSecPerFrame = 0, totalFrames = 0, streams = 0, flags = 0, width = 0, height = 0;
    DWORD videoScale = 0, videoRate = 0, videoLength = 0;
    BITMAPINFOHEADER videoFormat = {};
    bool hasAudio = false;
    DWORD audioLength = 0;
    std::vector<std::string> videoFrames;  // the "00db" chunks in file order
    DWORD audioChunks = 0;
    DWORD indexEntries = 0;
    bool indexMatchesChunks = false;  // every index entry points at its chunk
};
// Parses the file; damage gives a summary with riffAvi false.
AviSummary ReadAvi(const std::string& path);
