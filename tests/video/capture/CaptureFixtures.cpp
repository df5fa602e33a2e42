// Fixtures for the capture-engine tests.
#include "CaptureFixtures.h"

#include <cstring>

#include "MessagePump.h"
#include "TempFolder.h"

namespace {

const char kHostClass[] = "CaptureTestHost";

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

DWORD Dword(const std::string& bytes, size_t at)
{
    DWORD value = 0;
    if (at + 4 <= bytes.size())
        std::memcpy(&value, bytes.data() + at, 4);
    return value;
}

std::string Id(const std::string& bytes, size_t at)
{
    return at + 4 <= bytes.size() ? bytes.substr(at, 4) : std::string();
}

}  // namespace

HostWindow::HostWindow(int width, int height)
{
    static const ATOM registered = [] {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = HostProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
        wc.lpszClassName = kHostClass;
        return RegisterClassA(&wc);
    }();
    (void)registered;
    m_hwnd = CreateWindowExA(0, kHostClass, "capture host", WS_POPUP, 20, 20, width, height, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    // Shown without activation: Wine without a window manager takes two
    // seconds to destroy an activated window.
    ShowWindow(m_hwnd, SW_SHOWNOACTIVATE);
    PumpMessages(20);
}

HostWindow::~HostWindow()
{
    if (m_hwnd)
        DestroyWindow(m_hwnd);
}

ScopedEnvironment::ScopedEnvironment(const char* name, const char* value) : m_name(name)
{
    char old[512];
    const DWORD length = GetEnvironmentVariableA(name, old, sizeof old);
    m_hadValue = length > 0 && length < sizeof old;
    if (m_hadValue)
        m_old.assign(old, length);
    SetEnvironmentVariableA(name, value);
}

ScopedEnvironment::~ScopedEnvironment()
{
    SetEnvironmentVariableA(m_name.c_str(), m_hadValue ? m_old.c_str() : nullptr);
}

HWND FindOwnWindow(const char* className, const char* title)
{
    for (HWND window = FindWindowExA(nullptr, nullptr, className, title); window;
         window = FindWindowExA(nullptr, window, className, title)) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process == GetCurrentProcessId())
            return window;
    }
    return nullptr;
}

HWND FindCaptureWindow(HWND parent)
{
    if (!parent)
        return FindOwnWindow("vcamCaptureWindow", nullptr);
    return FindWindowExA(parent, nullptr, "vcamCaptureWindow", nullptr);
}

CAPTUREPARMS SequenceSetup(HWND captureWindow)
{
    CAPTUREPARMS parms = {};
    SendMessageA(captureWindow, WM_CAP_GET_SEQUENCE_SETUP, sizeof parms, reinterpret_cast<LPARAM>(&parms));
    return parms;
}

LONG DescriptionQueries()
{
    using Query = LONG(WINAPI*)();
    auto query = reinterpret_cast<Query>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("avicap32.dll"), "vcamDescriptionQueries")));
    return query ? query() : -1;
}

void WriteBmpFile(const std::string& path, const BYTE* dib, DWORD size)
{
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(dib);
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;  // "BM"
    file.bfSize = sizeof file + size;
    file.bfOffBits = sizeof file + header->biSize + header->biClrUsed * sizeof(RGBQUAD);
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
    bytes.append(reinterpret_cast<const char*>(dib), size);
    WriteWholeFile(path, bytes);
}

AviSummary ReadAvi(const std::string& path)
{
    AviSummary avi;
    const std::string bytes = ReadWholeFile(path);
    if (bytes.size() < 12 || Id(bytes, 0) != "RIFF" || Id(bytes, 8) != "AVI " || Dword(bytes, 4) + 8 != bytes.size())
        return avi;

    size_t moviStart = 0;
    std::vector<std::pair<std::string, size_t>> chunks;  // id, offset from "movi"
    int streamNumber = -1;
    std::string streamType;
    // Walks the chunks of [from, to); lists are entered.
    auto walk = [&](auto&& self, size_t from, size_t to, const std::string& list) -> bool {
        size_t at = from;
        while (at + 8 <= to) {
            const std::string id = Id(bytes, at);
            const DWORD size = Dword(bytes, at + 4);
            if (at + 8 + size > to)
                return false;
            const size_t data = at + 8;
            if (id == "LIST") {
                const std::string kind = Id(bytes, data);
                if (kind == "movi")
                    moviStart = data;
                if (kind == "strl")
                    ++streamNumber;
                if (!self(self, data + 4, data + size, kind))
                    return false;
            } else if (id == "avih" && size >= 56) {
                avi.microSecPerFrame = Dword(bytes, data);
                avi.flags = Dword(bytes, data + 12);
                avi.totalFrames = Dword(bytes, data + 16);
                avi.streams = Dword(bytes, data + 24);
                avi.width = Dword(bytes, data + 32);
                avi.height = Dword(bytes, data + 36);
            } else if (id == "strh" && size >= 56) {
                streamType = Id(bytes, data);
                if (streamType == "vids") {
                    avi.videoScale = Dword(bytes, data + 20);
                    avi.videoRate = Dword(bytes, data + 24);
                    avi.videoLength = Dword(bytes, data + 32);
                } else if (streamType == "auds") {
                    avi.hasAudio = true;
                    avi.audioLength = Dword(bytes, data + 32);
                }
            } else if (id == "strf" && streamType == "vids" && size >= sizeof(BITMAPINFOHEADER)) {
                std::memcpy(&avi.videoFormat, bytes.data() + data, sizeof avi.videoFormat);
            } else if (list == "movi") {
                chunks.emplace_back(id, at - moviStart);
                if (id == "00db")
                    avi.videoFrames.push_back(bytes.substr(data, size));
                else if (id == "01wb")
                    ++avi.audioChunks;
            } else if (id == "idx1") {
                avi.indexEntries = size / 16;
                bool matches = avi.indexEntries == chunks.size();
                for (DWORD i = 0; matches && i < avi.indexEntries; ++i) {
                    const size_t entry = data + i * 16;
                    matches = Id(bytes, entry) == chunks[i].first && Dword(bytes, entry + 8) == chunks[i].second;
                }
                avi.indexMatchesChunks = matches;
            }
            at = data + size + (size & 1);
        }
        return true;
    };
    (void)streamNumber;
    avi.riffAvi = walk(walk, 12, bytes.size(), "");
    return avi;
}
