// TOstrelExecutor::Install end to end: setups built by the builder install files,
// folders, registry values and a shortcut; cancel, failure, repair and the
// install without uninstaller behave as the user expects.
#include "InstallFixture.h"

#include "ComApartment.h"
#include "ComPtr.h"
#include "ECancelInstall.h"
#include "Exception.h"
#include "SysUtils.h"
#include "TStringList.h"
#include "uOstrelUninstall.h"
#include "uSystemFolders.h"
#include "uWideText.h"

#include <objbase.h>
#include <shlobj.h>

namespace {

std::string LinkTarget(const std::string& link)
{
    TComApartment apartment;
    ComPtr<IShellLinkA> shellLink;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                shellLink.ReceiveVoid())))
        return std::string();
    ComPtr<IPersistFile> file = shellLink.As<IPersistFile>(IID_IPersistFile);
    char path[MAX_PATH] = {};
    if (!file || FAILED(file->Load(uWideText::Widen(link).c_str(), STGM_READ)) ||
        FAILED(shellLink->GetPath(path, MAX_PATH, nullptr, 0)))
        return std::string();
    return path;
}

} // namespace

class InstallTest : public InstallFixture {
protected:
    // Folder, three files, two registry records and a shortcut: ten records.
    std::vector<TSetupRecord> TenRecords() const
    {
        return {
            Record({"OBJECT_TYPE=FOLDER", "FOLDER=" + App(), "OPTION=0", "Hidden=False", "ReadOnly=False"}),
            FileRecord(App() + "\\bin\\app.txt", "application"),
            Record({"OBJECT_TYPE=FOLDER", "FOLDER=" + App() + "\\Data\\Deep", "OPTION=2", "Hidden=True",
                    "ReadOnly=False"}),
            FileRecord(App() + "\\Data\\Deep\\data.bin", std::string("\0\1\2\3", 4)),
            Record({"OBJECT_TYPE=REGISTRY", "ROOT=HKEY_CURRENT_USER", "KEY=" + TestKey() + "\\App\\Settings",
                    "VALUES=Name=String:hello#13#10Count=Integer:42#13#10Path=2:%TEMP%\\x"}),
            Record({"OBJECT_TYPE=REGISTRY", "ROOT=HKEY_CURRENT_USER", "KEY=" + TestKey(), "VALUES=Old=1:new;value"}),
            Record({"OBJECT_TYPE=SHORTCUT", "FILE_NAME=" + App() + "\\Links\\App.lnk",
                    "TARGET=" + App() + "\\bin\\app.txt", "PARAMS=/x", "ICON_FILE=", "ICON_INDEX=0"}),
            FileRecord(root_.Path() + "\\existing.txt", "replaced", {"REPLACE_OPTION=1"}),
            FileRecord(App() + "\\readme.txt", "", {"READONLY=True", "VISIBLE=False"}),
            Record({"OBJECT_TYPE=COMMAND", "EXECUTE_TYPE=2", "TYPE=0", "TARGET=" + App() + "\\readme.txt",
                    "PARAMS=", "URL=False", "HIDDEN=False", "ID=7"}),
        };
    }

    void ArrangeExisting()
    {
        WriteWholeFile(root_.Path() + "\\existing.txt", "mine");
        WriteString(HKEY_CURRENT_USER, TestKey(), "Old", "keep;me:1");
    }

    // Nothing of the install is left, and what was there before is as it was.
    void ExpectMachineAsBefore()
    {
        EXPECT_FALSE(FolderExists(App()));
        EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, TestKey() + "\\App"));
        EXPECT_EQ(ReadString(HKEY_CURRENT_USER, TestKey(), "Old"), "keep;me:1");
        EXPECT_EQ(ReadWholeFile(root_.Path() + "\\existing.txt"), "mine");
        EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, UninstallEntry()));
    }
};

TEST_F(InstallTest, InstallsEveryKindAndLeavesALogThatRemovesItAll)
{
    ArrangeExisting();
    TInstallDriver driver(root_.Path());
    driver.Project = ProjectLines(true);
    driver.Objects = TenRecords();
    driver.Install();

    EXPECT_EQ(ReadWholeFile(App() + "\\bin\\app.txt"), "application");
    EXPECT_EQ(ReadWholeFile(App() + "\\Data\\Deep\\data.bin"), std::string("\0\1\2\3", 4));
    EXPECT_TRUE(GetFileAttributesA((App() + "\\Data\\Deep").c_str()) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(ReadWholeFile(App() + "\\readme.txt"), "");
    DWORD readmeAttributes = GetFileAttributesA((App() + "\\readme.txt").c_str());
    EXPECT_TRUE((readmeAttributes & FILE_ATTRIBUTE_READONLY) && (readmeAttributes & FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(ReadWholeFile(root_.Path() + "\\existing.txt"), "mine"); // REPLACE_OPTION 1 keeps it
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, TestKey() + "\\App\\Settings", "Name"), "hello");
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, TestKey() + "\\App\\Settings", "Path"), "%TEMP%\\x");
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, TestKey(), "Old"), "new;value");
    EXPECT_TRUE(SysUtils::SameText(LinkTarget(App() + "\\Links\\App.lnk"), App() + "\\bin\\app.txt"));
    EXPECT_TRUE(FileExists(App() + "\\Uninstall.exe"));
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, UninstallEntry(), "DisplayName"), "Ferrin Test");
    // Quoted, so that Windows never starts a program named by the path's first words.
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, UninstallEntry(), "UninstallString"),
              "\"" + App() + "\\Uninstall.exe\"");
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, UninstallEntry(), "Publisher"), "Ferrin");
    ASSERT_EQ(driver.Engine().DeferredCommands().Count(), 1);
    EXPECT_NE(driver.Engine().DeferredCommands()[0].find("TYPE=0#13#10"), std::string::npos);

    TOstrelUninstall uninstall(nullptr);
    uninstall.SetLogFile(id_);
    uninstall.Uninstall();
    ExpectMachineAsBefore();
}

TEST_F(InstallTest, FailureOrCancelAtAnyRecordLeavesTheMachineAsItWas)
{
    const int count = static_cast<int>(TenRecords().size());
    for (int at = 0; at < count; ++at) {
        for (bool cancel : {false, true}) {
            SCOPED_TRACE((cancel ? "cancel during record " : "failure at record ") + std::to_string(at));
            ArrangeExisting();
            TInstallDriver driver(root_.Path());
            driver.Project = ProjectLines(true);
            driver.Objects = TenRecords();
            if (cancel) {
                driver.CancelAtRecord = at;
                // Cancel during the last record comes too late: the install ends.
                if (at == count - 1)
                    driver.Objects.push_back(FileRecord(App() + "\\after.txt", "x"));
            } else {
                driver.Objects.insert(driver.Objects.begin() + at + 1,
                                      FileRecord("Q:\\NoSuchDrive\\f.txt", "never written"));
            }
            if (cancel)
                EXPECT_THROW(driver.Install(), ECancelInstall);
            else
                EXPECT_THROW(driver.Install(), Exception);
            EXPECT_GT(driver.StartCancelCount(), 0);
            ExpectMachineAsBefore();
            EXPECT_FALSE(driver.Engine().RestartNeeded());
        }
    }
}

TEST_F(InstallTest, CancelDuringTheLastRecordIsTooLate)
{
    TInstallDriver driver(root_.Path());
    driver.Project = ProjectLines(false);
    driver.Objects = {FileRecord(App() + "\\a.txt", "a"), FileRecord(App() + "\\b.txt", "b")};
    driver.CancelAtRecord = 1;
    driver.Install();
    EXPECT_EQ(ReadWholeFile(App() + "\\b.txt"), "b");
}

TEST_F(InstallTest, WithoutUninstallerNoLogIsWrittenAndAnEmptyFolderGoes)
{
    TInstallDriver driver(root_.Path());
    driver.Project = ProjectLines(false);
    driver.Objects = {
        Record({"OBJECT_TYPE=FOLDER", "FOLDER=" + App(), "OPTION=0", "Hidden=False", "ReadOnly=False"}),
        Record({"OBJECT_TYPE=REGISTRY", "ROOT=HKEY_CURRENT_USER", "KEY=" + TestKey(), "VALUES=V=1:x"}),
    };
    driver.Install();
    EXPECT_FALSE(FolderExists(App()));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, UninstallEntry()));
    EXPECT_FALSE(FileExists(uSystemFolders::SpecialFolders().CommonApplicationData + "\\Ostrel Install\\" + id_));
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, TestKey(), "V"), "x");
}

TEST_F(InstallTest, RepairKeepsWhatWasInstalledWhenItFails)
{
    TInstallDriver driver(root_.Path());
    driver.Project = ProjectLines(false);
    driver.Objects = {FileRecord(App() + "\\a.txt", "a"), FileRecord("Q:\\NoSuchDrive\\f.txt", "x")};
    driver.Open().SetRepairMode(true);
    EXPECT_THROW(driver.Install(), Exception);
    EXPECT_EQ(ReadWholeFile(App() + "\\a.txt"), "a");
}

TEST_F(InstallTest, APreviousInstallationStopsAFirstInstall)
{
    WriteString(HKEY_LOCAL_MACHINE, UninstallEntry(), "DisplayVersion", "0.9");
    TInstallDriver driver(root_.Path());
    driver.Project = ProjectLines(true);
    driver.Objects = {FileRecord(App() + "\\a.txt", "a")};
    try {
        driver.Install();
        FAIL() << "installed over a previous installation";
    } catch (const Exception& error) {
        EXPECT_EQ(error.Message(), "软件的一个版本已经安装，请先删除再继续安装");
    }
    EXPECT_FALSE(FolderExists(App()));
    EXPECT_EQ(driver.Engine().OldVersion(), "0.9");
}

TEST_F(InstallTest, TheEarlierInstallFolderIsReadFromQuotedAndUnquotedEntries)
{
    const std::string folder = root_.Path() + "\\Program Files\\Old Product";
    for (const std::string& uninstallString :
         {"\"" + folder + "\\Uninstall.exe\"", folder + "\\Uninstall.exe" /* written before the quotes */}) {
        SCOPED_TRACE(uninstallString);
        WriteString(HKEY_LOCAL_MACHINE, UninstallEntry(), "UninstallString", uninstallString);
        TOstrelExecutor engine(nullptr);
        engine.SetProjectId(id_);
        EXPECT_FALSE(engine.IsFirstInstall());
        EXPECT_EQ(engine.OldInstallPath(), folder);
    }
}

TEST_F(InstallTest, DeselectedRecordsAreSkippedWithTheirPayloadAndWithoutAnnouncement)
{
    TInstallDriver driver(root_.Path());
    driver.Project = ProjectLines(false);
    driver.Objects = {
        FileRecord(App() + "\\by-id.txt", std::string(70000, 'i'), {"ID=5"}),
        FileRecord(App() + "\\by-package.txt", "p", {"PACKAGE_ID=9"}),
        FileRecord(App() + "\\kept.txt", "kept", {"ID=6", "PACKAGE_ID=1"}),
    };
    driver.SkipSet.Add("5");
    driver.SkipSet.Add("9");
    driver.Install();
    EXPECT_FALSE(FileExists(App() + "\\by-id.txt"));
    EXPECT_FALSE(FileExists(App() + "\\by-package.txt"));
    EXPECT_EQ(ReadWholeFile(App() + "\\kept.txt"), "kept");
    EXPECT_EQ(driver.Announced(), std::vector<std::string>{"FILE"});
}

TEST_F(InstallTest, ProgressTextsNameTheTargetUnlessDetailsAreHidden)
{
    TOstrelExecutor engine(nullptr);
    // Each record type's text, the part of the record it names, and the language
    // key that replaces the built-in text.
    struct Case {
        std::vector<std::string> lines;
        std::string shown, hidden, key;
    } cases[] = {
        {{"OBJECT_TYPE=FILE", "DESTINATION=C:\\a.txt"}, "正在解压文件 C:\\a.txt", "正在解压文件", "DecompressingFile"},
        {{"OBJECT_TYPE=FOLDER", "FOLDER=C:\\App"}, "正在创建文件夹 C:\\App", "正在创建文件夹", "CreatingFolder"},
        {{"OBJECT_TYPE=SHORTCUT", "FILE_NAME=C:\\a.lnk", "TARGET=C:\\a.exe"}, "正在创建快捷方式 C:\\a.lnk",
         "正在创建快捷方式", "CreatingShortcut"},
        {{"OBJECT_TYPE=REGISTRY", "ROOT=HKEY_USERS", "KEY=K"}, "正在创建注册表项 HKEY_USERS\\K", "正在创建注册表项",
         "CreatingRegistryKey"},
        {{"OBJECT_TYPE=COMMAND", "TARGET=setup.exe"}, "正在执行操作 setup.exe", "正在执行操作", "Executing"},
        {{"OBJECT_TYPE=MDAC"}, "正在安装微软数据访问组件(MDAC)", "正在安装微软数据访问组件(MDAC)", "InstallingMDAC"},
        {{"OBJECT_TYPE=MSDB", "name=Shop"}, "正在初始化数据库 Shop", "正在初始化数据库", "InitializingMsSQLDB"},
        {{"OBJECT_TYPE=MTS_APP", "Name=Billing"}, "正在创建COM+应用程序 Billing", "正在创建COM+应用程序",
         "CreatingCOMPlusApplication"},
        {{"OBJECT_TYPE=MTS_COMPONENT", "ProgID=Billing.Invoice"}, "正在安装COM+组件 Billing.Invoice", "正在安装COM+组件",
         "InstallingCOMPlusComponent"},
        {{"OBJECT_TYPE=BDEALIAS", "ALIAS_NAME=Shop"}, "", "", ""},
        {{"OBJECT_TYPE=OTHER"}, "", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lines[0]);
        TStringList record;
        for (const std::string& line : c.lines)
            record.Add(line);
        EXPECT_EQ(engine.GetProgressText(record, false), c.shown);
        EXPECT_EQ(engine.GetProgressText(record, true), c.hidden);
        if (c.key.empty())
            continue;
        TStringList translated;
        translated.Add(c.key + "=T:");
        engine.SetLanguage(&translated);
        EXPECT_EQ(engine.GetProgressText(record, true), "T:");
        engine.SetLanguage(nullptr);
    }
    TStringList language;
    language.Add("DecompressingFile=Unpacking <PRODUCT_NAME> ");
    engine.SetProductName("Demo");
    engine.SetLanguage(&language);
    TStringList record;
    record.Add("OBJECT_TYPE=FILE");
    record.Add("DESTINATION=x");
    EXPECT_EQ(engine.GetProgressText(record, false), "Unpacking Demo x");
}

TEST_F(InstallTest, EachRecordIsAnnouncedWithTheContainerPositionItStartsAt)
{
    // Payloads that do not compress move the container on between records.
    std::string noise(300000, '\0');
    std::uint32_t seed = 12345;
    for (char& c : noise) {
        seed = seed * 1103515245u + 12345u;
        c = static_cast<char>(seed >> 24);
    }
    TInstallDriver driver(root_.Path());
    driver.Project = ProjectLines(false);
    for (int i = 0; i < 4; ++i)
        driver.Objects.push_back(FileRecord(App() + "\\" + std::to_string(i) + ".bin", noise.substr(i * 1000)));
    const std::int64_t total = driver.Open().ProgressTotal();
    driver.Install();

    ASSERT_EQ(driver.Positions().size(), 4u);
    EXPECT_GT(driver.Positions()[0], 0);
    for (size_t i = 1; i < driver.Positions().size(); ++i)
        EXPECT_GT(driver.Positions()[i], driver.Positions()[i - 1]);
    EXPECT_LE(driver.Positions().back(), total);
    EXPECT_LT(driver.Positions()[0], total / 2);
}

TEST_F(InstallTest, AfterInstallCommandsRunInOrderButTheDeselectedAndAFailureStopsNoOther)
{
    const std::string order = root_ / "order.txt";
    auto command = [&](const std::string& id, int executeType, const std::string& target, const std::string& params) {
        return Record({"OBJECT_TYPE=COMMAND", "EXECUTE_TYPE=" + std::to_string(executeType), "TYPE=1",
                       "TARGET=" + target, "PARAMS=" + params, "URL=False", "HIDDEN=True", "ID=" + id});
    };
    TInstallDriver driver(root_.Path());
    driver.Project = ProjectLines(false);
    driver.Objects = {
        command("1", 2, "cmd.exe", "/c echo one>>\"" + order + "\""),
        command("2", 2, "cmd.exe", "/c echo two>>\"" + order + "\""),
        command("3", 2, root_ / "missing.exe", ""),
        command("4", 3, "cmd.exe", "/c echo uninstall>>\"" + order + "\""),
        command("5", 2, "cmd.exe", "/c echo five>>\"" + order + "\""),
    };
    driver.Install();
    EXPECT_FALSE(FileExists(order)); // nothing runs before the wizard closes

    TStringList skip;
    skip.Add("2");
    driver.Engine().RunAfterInstallCommands(skip);
    EXPECT_EQ(ReadWholeFile(order), "one\r\nfive\r\n");
}

TEST_F(InstallTest, ARolledBackInstallLeavesNoAfterInstallCommand)
{
    const std::string mark = root_ / "ran.txt";
    TInstallDriver driver(root_.Path());
    driver.Project = ProjectLines(false);
    driver.Objects = {
        Record({"OBJECT_TYPE=COMMAND", "EXECUTE_TYPE=2", "TYPE=1", "TARGET=cmd.exe",
                "PARAMS=/c echo ran>\"" + mark + "\"", "URL=False", "HIDDEN=True", "ID=1"}),
        FileRecord("Q:\\NoSuchDrive\\f.txt", "never written"),
    };
    EXPECT_THROW(driver.Install(), Exception);
    EXPECT_EQ(driver.Engine().DeferredCommands().Count(), 0);
    driver.Engine().RunAfterInstallCommands(TStringList());
    EXPECT_FALSE(FileExists(mark));
}

TEST_F(InstallTest, ReplacedValuesOfEveryTypeComeBackAfterRollbackAndAfterUninstall)
{
    struct TValue {
        const char* name;
        DWORD type;
        std::string bytes;
    } const values[] = {
        {"Multi", REG_MULTI_SZ, std::string("first\0second;x:y\0\0", 18)},
        {"Wide", REG_QWORD, std::string("\x01\x02\x03\x04\x05\x06\x07\x08", 8)},
        {"Plain", REG_SZ, std::string("kept\0", 5)},
    };
    for (bool rollback : {true, false}) {
        SCOPED_TRACE(rollback ? "rollback" : "uninstall");
        for (const TValue& value : values)
            WriteValue(HKEY_CURRENT_USER, TestKey(), value.name, value.type, value.bytes);
        TInstallDriver driver(root_.Path());
        driver.Project = ProjectLines(!rollback);
        driver.Objects = {Record({"OBJECT_TYPE=REGISTRY", "ROOT=HKEY_CURRENT_USER", "KEY=" + TestKey(),
                                  "VALUES=Multi=1:replaced#13#10Wide=3:7#13#10Plain=4:00FF"})};
        if (rollback) {
            driver.Objects.push_back(FileRecord("Q:\\NoSuchDrive\\f.txt", "never written"));
            EXPECT_THROW(driver.Install(), Exception);
        } else {
            driver.Install();
            EXPECT_EQ(ReadString(HKEY_CURRENT_USER, TestKey(), "Multi"), "replaced");
            TOstrelUninstall uninstall(nullptr);
            uninstall.SetLogFile(id_);
            uninstall.Uninstall();
        }
        for (const TValue& value : values) {
            SCOPED_TRACE(value.name);
            std::string bytes;
            EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, TestKey(), value.name, bytes), value.type);
            EXPECT_EQ(bytes, value.bytes);
        }
    }
}

TEST_F(InstallTest, AnInstalledFileOfAnySizeHasItsMacrosExpanded)
{
    // 70 MiB of lines, with macros at the start, across the expander's pieces and at the end.
    const std::string file = root_ / "big.txt";
    SetEnvironmentVariableA("FERRIN_MACRO_TEST", "from the environment");
    std::string line(98, 'x');
    line += "\r\n";
    std::string text;
    const size_t kSize = 70u << 20;
    text.reserve(kSize + 200);
    text = "<PRODUCT_NAME>\r\n";
    while (text.size() < kSize)
        text += line;
    // References that straddle the 256 KiB blocks the file is read in.
    for (size_t at : {size_t(256 * 1024 - 5), size_t(512 * 1024 - 9), size_t(40u << 20)})
        text.replace(at, 22, "Env(FERRIN_MACRO_TEST)");
    text.replace(3 * 256 * 1024 - 6, 14, "<PRODUCT_NAME>");
    text += "end <VERSION>";
    WriteWholeFile(file, text);

    TInstallDriver driver(root_.Path());
    driver.Project = ProjectLines(false);
    driver.Objects = {Record({"OBJECT_TYPE=COMMAND", "EXECUTE_TYPE=0", "TYPE=4", "TARGET=" + file, "PARAMS=",
                              "URL=False", "HIDDEN=True"})};
    driver.Install();
    SetEnvironmentVariableA("FERRIN_MACRO_TEST", nullptr);

    std::string expected = SysUtils::StringReplace(text, "<PRODUCT_NAME>", "Ferrin Test", true);
    expected = SysUtils::StringReplace(expected, "Env(FERRIN_MACRO_TEST)", "from the environment", true);
    expected = SysUtils::StringReplace(expected, "<VERSION>", "1.0", true);
    const std::string expanded = ReadWholeFile(file);
    EXPECT_EQ(expanded.size(), expected.size());
    EXPECT_TRUE(expanded == expected);
    EXPECT_FALSE(FileExists(file + ".~new"));
}
