// Install speed: a setup carrying about 200 MB of mixed payload (compressible
// text and incompressible bytes) is installed into a temporary folder, and the
// same payload is inflated with zlib and written to disk. After a warm-up of each,
// raw and install runs take turns, so that a slow phase of the machine hits both;
// the program reports the median of each, their ratio and the spread of the runs.
#include "Exception.h"
#include "SetupWriter.h"
#include "SplitStream.h"
#include "TZlibStreams.h"
#include "uOstrelExecutor.h"

#include <windows.h>
#include <shlobj.h>
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <string>
#include <vector>

namespace {

const int kFiles = 20;
const size_t kFileSize = 10 * 1024 * 1024;
// Timed runs of each kind after the warm-up.
const int kRuns = 5;

std::string Payload(int index)
{
    std::string bytes(kFileSize, '\0');
    std::uint32_t state = 0x9E3779B9u * static_cast<std::uint32_t>(index + 1);
    auto next = [&state] {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    };
    if (index % 2 == 0) {
        static const char* const kWords[] = {"install ", "folder ", "payload ", "setup ", "record ",
                                             "registry ", "shortcut ", "\r\n", "version 9 ", "视频 "};
        size_t at = 0;
        while (at < bytes.size()) {
            const char* word = kWords[next() % 10];
            for (const char* c = word; *c && at < bytes.size(); ++c)
                bytes[at++] = *c;
        }
    } else {
        for (size_t at = 0; at + 4 <= bytes.size(); at += 4) {
            std::uint32_t value = next();
            memcpy(&bytes[at], &value, 4);
        }
    }
    return bytes;
}

double Seconds(LARGE_INTEGER start, LARGE_INTEGER end)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

std::string Deflate(const std::string& bytes)
{
    uLongf size = compressBound(static_cast<uLong>(bytes.size()));
    std::string out(size, '\0');
    compress2(reinterpret_cast<Bytef*>(&out[0]), &size, reinterpret_cast<const Bytef*>(bytes.data()),
              static_cast<uLong>(bytes.size()), Z_DEFAULT_COMPRESSION);
    out.resize(size);
    return out;
}

// Inflates one deflated payload and writes it in large blocks: the floor an install can reach.
void InflateToFile(const std::string& deflated, const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    z_stream stream = {};
    inflateInit(&stream);
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(deflated.data()));
    stream.avail_in = static_cast<uInt>(deflated.size());
    std::vector<char> buffer(256 * 1024);
    int result = Z_OK;
    do {
        stream.next_out = reinterpret_cast<Bytef*>(buffer.data());
        stream.avail_out = static_cast<uInt>(buffer.size());
        result = inflate(&stream, Z_NO_FLUSH);
        DWORD produced = static_cast<DWORD>(buffer.size() - stream.avail_out), written = 0;
        WriteFile(file, buffer.data(), produced, &written, nullptr);
    } while (result == Z_OK);
    inflateEnd(&stream);
    CloseHandle(file);
}

std::string ProgramFolder()
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string self = path;
    return self.substr(0, self.rfind('\\'));
}

void RemoveFolder(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string child = folder + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveFolder(child);
            else
                DeleteFileA(child.c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

// One raw run into a fresh folder: every payload inflated and written.
double TimeRaw(const std::vector<std::string>& deflated, const std::string& folder)
{
    RemoveFolder(folder);
    CreateDirectoryA(folder.c_str(), nullptr);
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    for (size_t i = 0; i < deflated.size(); ++i)
        InflateToFile(deflated[i], folder + "\\file" + std::to_string(i) + ".bin");
    QueryPerformanceCounter(&end);
    return Seconds(start, end);
}

// One install of the setup into a fresh install folder; raises what the install raised.
double TimeInstall(const std::string& setup, const std::string& installFolder)
{
    RemoveFolder(installFolder);
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    TOstrelExecutor engine(nullptr);
    engine.SetQuiet(true);
    engine.OpenSource(setup, false);
    engine.SetInstallPath(engine.Project().InstallPath);
    engine.Install();
    QueryPerformanceCounter(&end);
    return Seconds(start, end);
}

struct TRunStats {
    double Median;
    double Fastest;
    double Slowest;
};

TRunStats StatsOf(std::vector<double> seconds)
{
    std::sort(seconds.begin(), seconds.end());
    size_t middle = seconds.size() / 2;
    double median = seconds.size() % 2 ? seconds[middle] : (seconds[middle - 1] + seconds[middle]) / 2;
    return {median, seconds.front(), seconds.back()};
}

void PrintStats(const char* label, const TRunStats& stats, double mb)
{
    std::printf("  %-22s median %.3f s, %.1f MB/s (runs %.3f-%.3f s, spread %.1f %%)\n", label, stats.Median,
                mb / stats.Median, stats.Fastest, stats.Slowest,
                100.0 * (stats.Slowest - stats.Fastest) / stats.Median);
}

} // namespace

int main()
{
    char tempBuffer[MAX_PATH];
    GetTempPathA(MAX_PATH, tempBuffer);
    std::string work = std::string(tempBuffer) + "ferrin-install-bench-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(work.c_str(), nullptr);
    std::string rawFolder = work + "\\raw";
    std::string installFolder = work + "\\App";
    CreateDirectoryA(rawFolder.c_str(), nullptr);

    TSetupDescription description;
    description.Project = {"PROJECT_ID=FerrinInstallBench", "ProductName=Bench", "Version=1",
                           "InstallPath=" + installFolder, "Uninstall=False", "IsPatch=False",
                           "RunBeforeInstall=0"};
    std::vector<std::string> deflated;
    double total = 0;
    for (int i = 0; i < kFiles; ++i) {
        std::string bytes = Payload(i);
        deflated.push_back(Deflate(bytes));
        total += static_cast<double>(bytes.size());
        TSetupRecord record;
        record.Lines = {"OBJECT_TYPE=FILE", "DESTINATION=<INSTALL>\\file" + std::to_string(i) + ".bin",
                        "REPLACE_OPTION=2", "FILE_AGE=0", "READONLY=False", "VISIBLE=True", "REGISTER=False",
                        "UNINSTALL=True"};
        record.HasPayload = true;
        record.PayloadText = std::move(bytes);
        description.Objects.push_back(std::move(record));
    }
    TBuildOptions options;
    options.Program = ProgramFolder() + "\\setupdata_stub.exe";
    options.Output = work + "\\setup.exe";
    BuildSetup(options, description);
    description.Objects.clear();

    std::vector<double> rawRuns, installRuns;
    int status = 0;
    try {
        // The warm-up fills the caches of both paths; its times are not kept.
        TimeRaw(deflated, rawFolder);
        TimeInstall(options.Output, installFolder);
        for (int run = 0; run < kRuns; ++run) {
            rawRuns.push_back(TimeRaw(deflated, rawFolder));
            installRuns.push_back(TimeInstall(options.Output, installFolder));
        }
    } catch (const Exception& error) {
        std::fprintf(stderr, "install failed: %s\n", error.Message().c_str());
        status = 1;
    }
    if (getenv("BENCH_DETAIL")) {
        // Reading alone: every record skipped, so payloads are inflated and dropped.
        LARGE_INTEGER s2, e2;
        QueryPerformanceCounter(&s2);
        TOstrelExecutor engine(nullptr);
        engine.SetQuiet(true);
        engine.OnProcess = TOstrelExecutor::TProcessEvent::FromFunction(
            [](TObject*, TStrings* record, bool& skip, std::int64_t) { if (record) skip = true; });
        engine.OpenSource(options.Output, false);
        engine.SetInstallPath(engine.Project().InstallPath);
        LARGE_INTEGER opened;
        QueryPerformanceCounter(&opened);
        engine.Install();
        QueryPerformanceCounter(&e2);
        std::printf("  read only:             %.3f s (open %.3f s)\n", Seconds(s2, e2), Seconds(s2, opened));

        // The end steps every install takes: the shell and the top-level windows are told.
        QueryPerformanceCounter(&s2);
        SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(HWND_BROADCAST, WM_WININICHANGE, 0, reinterpret_cast<LPARAM>("Environment"),
                            SMTO_ABORTIFHUNG, 5000, &ignored);
        QueryPerformanceCounter(&e2);
        std::printf("  notifications:         %.3f s\n", Seconds(s2, e2));

        // The container alone: the whole logical range read in the inflate stream's blocks.
        QueryPerformanceCounter(&s2);
        std::int64_t containerBytes = 0;
        {
            TSplitFileStream container(options.Output, fmOpenRead | fmShareDenyNone);
            container.Seek(container.DataStart(), soFromBeginning);
            std::vector<char> block(TDecompressionStream::kSourceBlock);
            std::int32_t got;
            while ((got = container.Read(block.data(), static_cast<std::int32_t>(block.size()))) > 0)
                containerBytes += got;
        }
        QueryPerformanceCounter(&e2);
        std::printf("  container read:        %.3f s (%.0f MB)\n", Seconds(s2, e2), containerBytes / 1048576.0);

        // Container and inflate, the output dropped.
        QueryPerformanceCounter(&s2);
        {
            TSplitFileStream container(options.Output, fmOpenRead | fmShareDenyNone);
            container.Seek(container.DataStart(), soFromBeginning);
            TDecompressionStream inflated(container);
            std::vector<char> block(256 * 1024);
            while (inflated.Read(block.data(), static_cast<std::int32_t>(block.size())) > 0) {
            }
        }
        QueryPerformanceCounter(&e2);
        std::printf("  container and inflate: %.3f s\n", Seconds(s2, e2));

        // zlib alone on the payloads held in memory, the output dropped.
        QueryPerformanceCounter(&s2);
        {
            std::vector<char> block(256 * 1024);
            for (const std::string& one : deflated) {
                z_stream stream = {};
                inflateInit(&stream);
                stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(one.data()));
                stream.avail_in = static_cast<uInt>(one.size());
                int result = Z_OK;
                do {
                    stream.next_out = reinterpret_cast<Bytef*>(block.data());
                    stream.avail_out = static_cast<uInt>(block.size());
                    result = inflate(&stream, Z_NO_FLUSH);
                } while (result == Z_OK);
                inflateEnd(&stream);
            }
        }
        QueryPerformanceCounter(&e2);
        std::printf("  inflate in memory:     %.3f s\n", Seconds(s2, e2));
    }

    const double mb = total / (1024.0 * 1024.0);
    std::printf("install benchmark: %.0f MB of mixed payload in %d files, %d runs of each after a warm-up\n", mb,
                kFiles, kRuns);
    if (status == 0) {
        TRunStats raw = StatsOf(rawRuns), install = StatsOf(installRuns);
        PrintStats("raw inflate and write:", raw, mb);
        PrintStats("install:", install, mb);
        std::printf("  install / raw:         %.1f %% (of the medians' rates)\n", 100.0 * raw.Median / install.Median);
    }
    RemoveFolder(work);
    return status;
}
