// The FOLDER and FILE actions on real files: log lines, replace options, payloads
// consumed in step, and a file in use left for replacement at restart.
#include "InstallFixture.h"

#include "Exception.h"
#include "OwnedHandles.h"
#include "TMemoryStream.h"
#include "SysUtils.h"
#include "uFileActions.h"
#include "uSetupData.h"

#include <cstdint>
#include <memory>

namespace {

void PutPayload(TMemoryStream& stream, const std::string& bytes)
{
    std::uint32_t length = static_cast<std::uint32_t>(bytes.size()) ^ 0x5A3C9E71u;
    stream.WriteBuffer(&length, 4);
    if (!bytes.empty())
        stream.WriteBuffer(bytes.data(), bytes.size());
}

std::unique_ptr<TStringList> FileRecordLines(const std::string& destination, int replaceOption, std::uint32_t age)
{
    auto record = std::make_unique<TStringList>();
    for (const std::string& line : {std::string("OBJECT_TYPE=FILE"), "DESTINATION=" + destination,
                                    "REPLACE_OPTION=" + std::to_string(replaceOption),
                                    "FILE_AGE=" + std::to_string(static_cast<std::int32_t>(age)),
                                    std::string("READONLY=False"), std::string("VISIBLE=True"),
                                    std::string("REGISTER=False"), std::string("UNINSTALL=True")})
        record->Add(line);
    return record;
}

const std::uint32_t kAge2001 = (21u << 25 | 1u << 21 | 1u << 16); // 2001-01-01 00:00
const std::uint32_t kAge2020 = (40u << 25 | 6u << 21 | 15u << 16 | 12u << 11);

} // namespace

class FileActionsTest : public InstallFixture {
protected:
    TInstallContext Context()
    {
        TInstallContext context;
        context.Source = &source_;
        context.Log = &log_;
        context.Quiet = true;
        return context;
    }
    TMemoryStream source_;
    TStringList log_;
};

TEST_F(FileActionsTest, FindMissingFolderNamesTheOutermostMissingFolder)
{
    CreateDirectoryA((root_ / "Exists").c_str(), nullptr);
    TInstallContext context = Context();
    EXPECT_EQ(uFileActions::FindMissingFolder(root_ / "Exists\\f.dll", context), "");
    EXPECT_EQ(uFileActions::FindMissingFolder(root_ / "A\\B\\f.dll", context), root_ / "A");
    EXPECT_EQ(uFileActions::FindMissingFolder("f.dll", context), "");
    try {
        uFileActions::FindMissingFolder("Q:\\X\\f.dll", context);
        FAIL() << "a missing drive was accepted";
    } catch (const Exception& error) {
        EXPECT_EQ(error.Message(), "文件夹 Q:\\X\\ 不存在");
    }
}

TEST_F(FileActionsTest, NewFileInNewFoldersLogsTheOutermostFolderAndTheFile)
{
    PutPayload(source_, "bytes");
    source_.SetPosition(0);
    TInstallContext context = Context();
    uFileActions::InstallFile(*FileRecordLines(root_ / "A\\B\\f.dll", 0, kAge2020), false, context);
    EXPECT_EQ(ReadWholeFile(root_ / "A\\B\\f.dll"), "bytes");
    ASSERT_EQ(log_.Count(), 2);
    EXPECT_EQ(log_[0], "DIR=" + root_ / "A");
    EXPECT_EQ(log_[1], "FILE=" + root_ / "A\\B\\f.dll");
    EXPECT_EQ(uFileActions::FileDosDate(root_ / "A\\B\\f.dll"), kAge2020);
}

TEST_F(FileActionsTest, ReplaceOptionsDecideOverAnExistingFile)
{
    struct Case {
        int option;
        std::uint32_t age; // of the file to install; the existing one is dated 2020
        bool force;
        bool overwritten;
    } cases[] = {
        {0, kAge2020, false, true},  // equal dates overwrite without asking
        {0, kAge2001, false, false}, // the existing file is newer: kept when quiet
        {1, kAge2020, false, false},
        {2, kAge2001, false, true},
        {7, kAge2001, false, true},
        {1, kAge2001, true, true}, // repair replaces whatever the option
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("option " + std::to_string(c.option) + (c.force ? " forced" : ""));
        std::string path = root_ / "existing.txt";
        WriteWholeFile(path, "old");
        source_.Clear();
        PutPayload(source_, "new");
        PutPayload(source_, "next");
        source_.SetPosition(0);
        TInstallContext context = Context();
        // Date the existing file through the action itself.
        {
            TMemoryStream dating;
            PutPayload(dating, "old");
            dating.SetPosition(0);
            TInstallContext datingContext = Context();
            datingContext.Source = &dating;
            uFileActions::InstallFile(*FileRecordLines(path, 2, kAge2020), false, datingContext);
        }
        log_.Clear();
        context.ForceReplace = c.force;
        uFileActions::InstallFile(*FileRecordLines(path, c.option, c.age), false, context);
        EXPECT_EQ(ReadWholeFile(path), c.overwritten ? "new" : "old");
        EXPECT_EQ(log_.Count(), 0); // existing files are never the install's
        EXPECT_EQ(uSetupData::ReadPayloadLength(source_), 4u); // the stream is in step
    }
}

TEST_F(FileActionsTest, SkippedRecordConsumesExactlyItsPayloadAndEmptyPayloadWritesEmptyFile)
{
    PutPayload(source_, std::string(300000, 'x'));
    PutPayload(source_, "");
    source_.SetPosition(0);
    TInstallContext context = Context();
    uFileActions::InstallFile(*FileRecordLines(root_ / "Skipped\\a.txt", 2, 0), true, context);
    uFileActions::InstallFile(*FileRecordLines(root_ / "empty.txt", 2, 0), false, context);
    EXPECT_FALSE(FolderExists(root_ / "Skipped"));
    EXPECT_TRUE(FileExists(root_ / "empty.txt"));
    EXPECT_EQ(ReadWholeFile(root_ / "empty.txt"), "");
    EXPECT_EQ(source_.Position(), source_.Size());
}

TEST_F(FileActionsTest, FolderRecordLogsAndSetsAttributesOnlyForANewFolder)
{
    TInstallContext context = Context();
    TStringList record;
    record.SetText("OBJECT_TYPE=FOLDER\r\nFOLDER=" + root_ / "N1\\N2" + "\r\nOPTION=2\r\nHidden=True\r\nReadOnly=False\r\n");
    uFileActions::CreateFolder(record, false, context);
    ASSERT_EQ(log_.Count(), 1);
    EXPECT_EQ(log_[0], "DIR=" + root_ / "N1" + "\tUninstallOption=2");
    EXPECT_TRUE(GetFileAttributesA((root_ / "N1\\N2").c_str()) & FILE_ATTRIBUTE_HIDDEN);

    CreateDirectoryA((root_ / "Old").c_str(), nullptr);
    record.SetText("OBJECT_TYPE=FOLDER\r\nFOLDER=" + root_ / "Old" + "\r\nOPTION=0\r\nHidden=True\r\nReadOnly=False\r\n");
    uFileActions::CreateFolder(record, false, context);
    EXPECT_EQ(log_.Count(), 1);
    EXPECT_FALSE(GetFileAttributesA((root_ / "Old").c_str()) & FILE_ATTRIBUTE_HIDDEN);
}

TEST_F(FileActionsTest, AFileInUseIsWrittenAsideAndReplacedAtRestart)
{
    std::string path = root_ / "busy.dll";
    WriteWholeFile(path, "running");
    const DWORD kept = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;
    SetFileAttributesA(path.c_str(), kept);
    TOwnedHandle held(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held.IsValid());
    PutPayload(source_, "update");
    source_.SetPosition(0);
    TInstallContext context = Context();
    uFileActions::InstallFile(*FileRecordLines(path, 2, 0), false, context);
    held.Reset();

    EXPECT_TRUE(context.RestartNeeded);
    EXPECT_EQ(ReadWholeFile(path), "running");
    EXPECT_EQ(GetFileAttributesA(path.c_str()) & kept, kept); // the file in use stays as it was
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_EQ(log_.Count(), 1);
    std::string aside = log_[0].substr(5); // FILE= the copy waiting in the temporary folder
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    EXPECT_EQ(SysUtils::ExtractFilePath(aside), temp);
    EXPECT_EQ(SysUtils::ExtractFileName(aside).size(), 32u);
    EXPECT_EQ(ReadWholeFile(aside), "update");

    TOwnedRegKey key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\Session Manager", 0, KEY_READ,
                            key.Receive()),
              ERROR_SUCCESS);
    std::string pending(64 * 1024, '\0');
    DWORD size = static_cast<DWORD>(pending.size());
    ASSERT_EQ(RegQueryValueExA(key.Get(), "PendingFileRenameOperations", nullptr, nullptr,
                               reinterpret_cast<BYTE*>(&pending[0]), &size),
              ERROR_SUCCESS);
    key.Reset();
    pending.resize(size);
    EXPECT_NE(SysUtils::UpperCase(pending).find(SysUtils::UpperCase(SysUtils::ExtractFileName(aside))),
              std::string::npos);
    DeleteFileA(aside.c_str());
}

TEST_F(FileActionsTest, AWrittenFileEndsWithExactlyItsAttributesAndDate)
{
    struct Case {
        bool readOnly;
        bool visible;
        DWORD before; // attributes of a file already there; 0: none there
    } cases[] = {
        {false, true, 0},
        {true, true, 0},
        {false, false, 0},
        {true, false, 0},
        {false, true, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN},
        {true, false, FILE_ATTRIBUTE_NORMAL},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.readOnly ? "read-only " : "") + (c.visible ? "visible" : "hidden") +
                     (c.before ? " over an existing file" : ""));
        std::string path = root_ / "attributes.txt";
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
        if (c.before) {
            WriteWholeFile(path, "old");
            SetFileAttributesA(path.c_str(), c.before);
        }
        source_.Clear();
        PutPayload(source_, "content");
        source_.SetPosition(0);
        TInstallContext context = Context();
        uFileActions::TFileOptions options;
        options.Destination = path;
        options.ReplaceOption = 2;
        options.FileAge = kAge2020;
        options.ReadOnly = c.readOnly;
        options.Visible = c.visible;
        uFileActions::InstallFile(options, false, context);

        DWORD expected = FILE_ATTRIBUTE_ARCHIVE | (c.readOnly ? FILE_ATTRIBUTE_READONLY : 0) |
                         (c.visible ? 0 : FILE_ATTRIBUTE_HIDDEN);
        EXPECT_EQ(GetFileAttributesA(path.c_str()), expected);
        EXPECT_EQ(ReadWholeFile(path), "content");
        EXPECT_EQ(uFileActions::FileDosDate(path), kAge2020);
    }
}

TEST_F(FileActionsTest, AReadOnlyFileThatCannotBeFinishedIsNotLeftBehind)
{
    // The payload claims more bytes than the setup stream holds.
    std::uint32_t length = 1000u ^ 0x5A3C9E71u;
    source_.WriteBuffer(&length, 4);
    source_.WriteBuffer("short", 5);
    source_.SetPosition(0);
    TInstallContext context = Context();
    uFileActions::TFileOptions options;
    options.Destination = root_ / "half.txt";
    options.ReplaceOption = 2;
    options.ReadOnly = true;
    options.Visible = false;
    EXPECT_THROW(uFileActions::InstallFile(options, false, context), Exception);
    EXPECT_EQ(GetFileAttributesA(options.Destination.c_str()), INVALID_FILE_ATTRIBUTES);
}
