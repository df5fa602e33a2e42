// Install speed: a setup carrying mixed payload (compressible text and
// incompressible bytes) is installed into a temporary folder, and the same
// payload is inflated with zlib and written to disk. Two cases: about 200 MB in
// 20 large files, and about 5,000 small files of 1-20 KB, where the cost of
// each record and file counts. After a warm-up of each, raw and install runs
// take turns, so that a slow phase of the machine hits both; the program reports
// the median of each, their ratio and the spread of the runs. BENCH_DETAIL=1
// adds where the time goes.
#include "Exception.h"
#include "OwnedHandles.h"
#include "SetupWriter.h"
#include "SplitStream.h"
#include "TZlibStreams.h"
#include "uChangeNotices.h"
#include "uOstrelExecutor.h"

#include <windows.h>
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct TBenchCase {
    const char* Name;
    int Files;
    size_t MinSize; // file sizes spread evenly from MinSize to MaxSize
    size_t MaxSize;
    int Runs; // timed runs of each kind after the warm-up
};

const TBenchCase kCases[] = {
    {"large files", 20, 10 * 1024 * 1024, 10 * 1024 * 1024, 5},
    {"small files", 5000, 1024, 20 * 1024, 3},
};

// The payload of file `index`: even files hold text, odd ones random bytes.
std::string Payload(int index, size_t size)
{
    std::string bytes(size, '\0');
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

size_t SizeOf(const TBenchCase& benchCase, int index)
{
    if (benchCase.Files < 2)
        return benchCase.MinSize;
    return benchCase.MinSize +
           (benchCase.MaxSize - benchCase.MinSize) * static_cast<size_t>(index) / static_cast<size_t>(benchCase.Files - 1);
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
    TOwnedHandle file(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
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
        WriteFile(file.Get(), buffer.data(), produced, &written, nullptr);
    } while (result == Z_OK);
    inflateEnd(&stream);
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
    TOwnedFind search(FindFirstFileA((folder + "\\*").c_str(), &found));
    if (search.IsValid()) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string child = folder + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveFolder(child);
            else
                DeleteFileA(child.c_str());
        } while (FindNextFileA(search.Get(), &found));
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

// Writes the payloads held in memory, each into a new file: the file-system
// share of a raw run.
double TimeWriteOnly(const std::vector<std::string>& payloads, const std::string& folder)
{
    RemoveFolder(folder);
    CreateDirectoryA(folder.c_str(), nullptr);
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    for (size_t i = 0; i < payloads.size(); ++i) {
        TOwnedHandle file(CreateFileA((folder + "\\file" + std::to_string(i) + ".bin").c_str(), GENERIC_WRITE, 0,
                                      nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        // The raw run's block size: one huge write is much slower under Wine.
        const size_t kBlock = 256 * 1024;
        for (size_t at = 0; at < payloads[i].size(); at += kBlock) {
            DWORD written = 0;
            WriteFile(file.Get(), payloads[i].data() + at,
                      static_cast<DWORD>(std::min(kBlock, payloads[i].size() - at)), &written, nullptr);
        }
    }
    QueryPerformanceCounter(&end);
    return Seconds(start, end);
}

// Where one install's time goes: the same setup read with every record skipped,
// the notices, the container, inflating, and writing alone.
void PrintDetail(const std::string& setup, const std::vector<std::string>& deflated,
                 const std::vector<std::string>& payloads, const std::string& rawFolder)
{
    // Reading alone: every record skipped, so payloads are inflated and dropped.
    LARGE_INTEGER s2, e2;
    QueryPerformanceCounter(&s2);
    LARGE_INTEGER opened;
    {
        TOstrelExecutor engine(nullptr);
        engine.SetQuiet(true);
        engine.OnProcess = TOstrelExecutor::TProcessEvent::FromFunction(
            [](TObject*, TStrings* record, bool& skip, std::int64_t) { if (record) skip = true; });
        engine.OpenSource(setup, false);
        engine.SetInstallPath(engine.Project().InstallPath);
        QueryPerformanceCounter(&opened);
        engine.Install();
        QueryPerformanceCounter(&e2);
    }
    LARGE_INTEGER ended;
    QueryPerformanceCounter(&ended);
    std::printf("  read only:             %.3f s (open %.3f s; then %.3f s until the notices were out)\n",
                Seconds(s2, e2), Seconds(s2, opened), Seconds(e2, ended));

    // The end steps every install takes: the shell and the top-level windows are
    // told (on a thread of their own, while the install goes on).
    QueryPerformanceCounter(&s2);
    uChangeNotices::Send(5000);
    QueryPerformanceCounter(&e2);
    std::printf("  notifications:         %.3f s\n", Seconds(s2, e2));

    // The container alone: the whole logical range read in the inflate stream's blocks.
    QueryPerformanceCounter(&s2);
    std::int64_t containerBytes = 0;
    {
        TSplitFileStream container(setup, fmOpenRead | fmShareDenyNone);
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
        TSplitFileStream container(setup, fmOpenRead | fmShareDenyNone);
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

    // The files alone: create, write from memory, close.
    std::printf("  write only:            %.3f s\n", TimeWriteOnly(payloads, rawFolder));

    // What the single calls on a file cost, once for each file of the case.
    const std::string probe = rawFolder + "\\file0.bin";
    auto timeCalls = [&](const char* label, auto call) {
        QueryPerformanceCounter(&s2);
        for (size_t i = 0; i < payloads.size(); ++i)
            call();
        QueryPerformanceCounter(&e2);
        std::printf("  %-26s %.3f s for %u calls\n", label, Seconds(s2, e2), static_cast<unsigned>(payloads.size()));
    };
    timeCalls("GetFileAttributes:", [&] { GetFileAttributesA(probe.c_str()); });
    // Under Wine a name that is not there is looked for in every spelling: the
    // whole folder is read.
    const std::string absent = rawFolder + "\\absent.bin";
    timeCalls("GetFileAttributes, absent:", [&] { GetFileAttributesA(absent.c_str()); });
    timeCalls("SetFileAttributes:", [&] { SetFileAttributesA(probe.c_str(), FILE_ATTRIBUTE_ARCHIVE); });
    timeCalls("CreateFile and close:", [&] {
        TOwnedHandle(CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    });
    TOwnedHandle open(
        CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    FILETIME time = {0x12345678u, 0x01D00000u};
    timeCalls("SetFileTime:", [&] { SetFileTime(open.Get(), nullptr, nullptr, &time); });
    open.Reset();
}

// Builds the case's setup, times raw and install runs in turn, and reports.
int RunCase(const TBenchCase& benchCase, const std::string& work, bool detail)
{
    std::string rawFolder = work + "\\raw";
    std::string installFolder = work + "\\App";
    CreateDirectoryA(rawFolder.c_str(), nullptr);

    TSetupDescription description;
    description.Project = {"PROJECT_ID=FerrinInstallBench", "ProductName=Bench", "Version=1",
                           "InstallPath=" + installFolder, "Uninstall=False", "IsPatch=False",
                           "RunBeforeInstall=0"};
    std::vector<std::string> deflated;
    // Kept for the detail's write-only run.
    std::vector<std::string> payloads;
    double total = 0;
    for (int i = 0; i < benchCase.Files; ++i) {
        std::string bytes = Payload(i, SizeOf(benchCase, i));
        deflated.push_back(Deflate(bytes));
        total += static_cast<double>(bytes.size());
        TSetupRecord record;
        record.Lines = {"OBJECT_TYPE=FILE", "DESTINATION=<INSTALL>\\file" + std::to_string(i) + ".bin",
                        "REPLACE_OPTION=2", "FILE_AGE=0", "READONLY=False", "VISIBLE=True", "REGISTER=False",
                        "UNINSTALL=True"};
        record.HasPayload = true;
        record.PayloadText = bytes;
        if (detail)
            payloads.push_back(std::move(bytes));
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
        for (int run = 0; run < benchCase.Runs; ++run) {
            rawRuns.push_back(TimeRaw(deflated, rawFolder));
            installRuns.push_back(TimeInstall(options.Output, installFolder));
        }
    } catch (const Exception& error) {
        std::fprintf(stderr, "install failed: %s\n", error.Message().c_str());
        status = 1;
    }

    const double mb = total / (1024.0 * 1024.0);
    std::printf("install benchmark, %s: %.0f MB of mixed payload in %d files, %d runs of each after a warm-up\n",
                benchCase.Name, mb, benchCase.Files, benchCase.Runs);
    if (status == 0) {
        TRunStats raw = StatsOf(rawRuns), install = StatsOf(installRuns);
        PrintStats("raw inflate and write:", raw, mb);
        PrintStats("install:", install, mb);
        std::printf("  install / raw:         %.1f %% (of the medians' rates)\n", 100.0 * raw.Median / install.Median);
    }
    if (detail && status == 0)
        PrintDetail(options.Output, deflated, payloads, rawFolder);
    RemoveFolder(rawFolder);
    RemoveFolder(installFolder);
    DeleteFileA(options.Output.c_str());
    return status;
}

} // namespace

int main()
{
    char tempBuffer[MAX_PATH];
    GetTempPathA(MAX_PATH, tempBuffer);
    std::string work = std::string(tempBuffer) + "ferrin-install-bench-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(work.c_str(), nullptr);
    const bool detail = getenv("BENCH_DETAIL") != nullptr;
    int status = 0;
    // BENCH_CASE=small (or large) runs only the case whose name begins so.
    const char* only = getenv("BENCH_CASE");
    for (const TBenchCase& benchCase : kCases) {
        if (only && std::string(benchCase.Name).compare(0, strlen(only), only) != 0)
            continue;
        status |= RunCase(benchCase, work, detail);
        std::fflush(stdout);
    }
    RemoveFolder(work);
    return status;
}
