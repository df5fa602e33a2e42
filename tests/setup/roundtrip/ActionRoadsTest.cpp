// The install roads beside the common ones: programs that answer through their
// "/LOG:" file, the REGISTRY action's value types and their errors, and records
// whose platform service is missing on this machine. Each failure rolls back.
#include "InstallFixture.h"

#include "ECancelInstall.h"
#include "Exception.h"
#include "uDatabaseAlias.h"

#include <shlwapi.h>

namespace {

std::string Dword(DWORD value) { return std::string(reinterpret_cast<const char*>(&value), sizeof(value)); }

} // namespace

class ActionRoadsTest : public InstallFixture {
protected:
    std::string Note() const { return notes_.Path() + "\\install-commands.txt"; }

    // A file and a registry value that a rollback must take away again.
    std::vector<TSetupRecord> Before() const
    {
        return {FileRecord(App() + "\\bin\\app.txt", "application"),
                Record({"OBJECT_TYPE=REGISTRY", "ROOT=HKEY_CURRENT_USER", "KEY=" + TestKey(), "VALUES=Old=1:new"})};
    }

    void ExpectRolledBack()
    {
        EXPECT_FALSE(FolderExists(App()));
        EXPECT_EQ(ReadString(HKEY_CURRENT_USER, TestKey(), "Old"), "keep;me:1");
        EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, UninstallEntry()));
    }

    TempFolder notes_;
};

TEST_F(ActionRoadsTest, AProgramRunDuringInstallAnswersThroughItsLogFile)
{
    struct Case {
        std::string answer;
        bool cancelled;
        std::string error; // empty: the install ends well
    } cases[] = {
        {"cancel", true, ""},
        {"error:the database did not answer: code 17; try again", false,
         "the database did not answer: code 17; try again"},
        {"ok", false, ""}, // last: it leaves the product installed
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        WriteString(HKEY_CURRENT_USER, TestKey(), "Old", "keep;me:1");
        DeleteFileA(Note().c_str());
        TInstallDriver driver(root_.Path());
        driver.Project = ProjectLines(true);
        driver.Objects = Before();
        driver.Objects.push_back(Record({"OBJECT_TYPE=COMMAND", "EXECUTE_TYPE=0", "TYPE=1",
                                         "TARGET=" + BesideTestProgram("command_probe.exe"),
                                         "PARAMS=\"" + c.answer + "\" \"" + Note() + "\" \"" + App() +
                                             "\\bin\\app.txt\"",
                                         "URL=False", "HIDDEN=True"}));
        driver.Objects.push_back(FileRecord(App() + "\\after.txt", "after"));
        if (c.cancelled) {
            EXPECT_THROW(driver.Install(), ECancelInstall);
        } else if (!c.error.empty()) {
            try {
                driver.Install();
                ADD_FAILURE() << "the program's error did not stop the install";
            } catch (const ECancelInstall&) {
                ADD_FAILURE() << "an error was taken for a cancel";
            } catch (const Exception& error) {
                EXPECT_EQ(error.Message(), c.error);
            }
        } else {
            driver.Install();
        }
        // The program ran once, told the install folder, while the earlier file was there.
        EXPECT_EQ(ReadWholeFile(Note()), c.answer + "|" + App() + "|present\r\n");
        if (c.cancelled || !c.error.empty()) {
            EXPECT_GT(driver.StartCancelCount(), 0);
            ExpectRolledBack();
        } else {
            EXPECT_EQ(ReadWholeFile(App() + "\\after.txt"), "after");
            EXPECT_EQ(ReadString(HKEY_CURRENT_USER, TestKey(), "Old"), "new");
        }
    }
}

TEST_F(ActionRoadsTest, RegistryValuesAreWrittenWithTheirTypesAndBadOnesRollBack)
{
    struct Case {
        std::string line;
        DWORD type;        // REG_NONE: the record fails and the install rolls back
        std::string data;
    } cases[] = {
        {"V=String:a;b:c", REG_SZ, std::string("a;b:c\0", 6)},
        {"V=1:", REG_SZ, std::string("\0", 1)},
        {"V=ExpandString:%TEMP%\\x", REG_EXPAND_SZ, std::string("%TEMP%\\x\0", 9)},
        {"V=2:%WINDIR%", REG_EXPAND_SZ, std::string("%WINDIR%\0", 9)},
        {"V=Integer:42", REG_DWORD, Dword(42)},
        {"V=3:-1", REG_DWORD, Dword(0xFFFFFFFFu)},
        {"V=Binary:00 ff 7A", REG_BINARY, std::string("\x00\xff\x7a", 3)},
        {"V=4:", REG_BINARY, ""},
        {"V=Integer:forty", REG_NONE, ""},
        {"V=Binary:abc", REG_NONE, ""},
        {"V=Binary:zz", REG_NONE, ""},
        {"V=Colour:red", REG_NONE, ""},
        {"V=no type", REG_NONE, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        WriteString(HKEY_CURRENT_USER, TestKey(), "Old", "keep;me:1");
        TInstallDriver driver(root_.Path());
        driver.Project = ProjectLines(false);
        driver.Objects = Before();
        driver.Objects.push_back(Record({"OBJECT_TYPE=REGISTRY", "ROOT=HKEY_CURRENT_USER",
                                         "KEY=" + TestKey() + "\\Typed", "VALUES=" + c.line}));
        std::string data;
        if (c.type == REG_NONE) {
            EXPECT_THROW(driver.Install(), Exception);
            ExpectRolledBack();
            EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, TestKey() + "\\Typed"));
            continue;
        }
        driver.Install();
        EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, TestKey() + "\\Typed", "V", data), c.type);
        EXPECT_EQ(data, c.data);
        RemoveTree(App());
        SHDeleteKeyA(HKEY_CURRENT_USER, (TestKey() + "\\Typed").c_str());
    }
}

TEST_F(ActionRoadsTest, ARecordWhoseServiceIsMissingNamesItAndRollsBack)
{
    struct Case {
        std::vector<std::string> lines;
        std::vector<std::string> named; // what the message must name
    } cases[] = {
        {{"OBJECT_TYPE=MSDB", "name=Orders", "type=0", "DataFile=", "LogFile=", "DataName=", "LogName=",
          "SelectDBPath=False", "script=False"},
         {"SQLOLEDB", "Orders"}},
        {{"OBJECT_TYPE=MTS_APP", "Name=Billing", "Description=", "Activation=0", "SecurityEnabled=False",
          "RunForever=False", "ShutdownAfter=3", "Authentication=0"},
         {"MTSAdmin.Catalog.1", "Billing"}},
        {{"OBJECT_TYPE=MTS_COMPONENT", "APPLICATION=Billing", "ProgID=Billing.Invoice", "Description=",
          "SecurityEnabled=False", "Transaction=0"},
         {"MTSAdmin.Catalog.1", "Billing.Invoice", "Billing"}},
        {{"OBJECT_TYPE=BDEALIAS", "ALIAS_NAME=ShopData", "DRIVE_NAME=STANDARD", "PARAMS=PATH=C:\\Data",
          "UNINSTALL=True"},
         {uDatabaseAlias::EngineLibrary, "ShopData"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lines[0]);
        WriteString(HKEY_CURRENT_USER, TestKey(), "Old", "keep;me:1");
        TInstallDriver driver(root_.Path());
        driver.Project = ProjectLines(true);
        driver.Objects = Before();
        driver.Objects.push_back(Record(c.lines));
        driver.Objects.push_back(FileRecord(App() + "\\after.txt", "after"));
        try {
            driver.Install();
            ADD_FAILURE() << "installed without the service";
        } catch (const Exception& error) {
            for (const std::string& name : c.named)
                EXPECT_NE(error.Message().find(name), std::string::npos) << error.Message();
        }
        EXPECT_GT(driver.StartCancelCount(), 0);
        ExpectRolledBack();
    }
}

TEST_F(ActionRoadsTest, NoPayloadFollowsADatabaseRecordWithAScript)
{
    TInstallDriver driver(root_.Path());
    driver.Project = ProjectLines(false);
    driver.Objects = {Record({"OBJECT_TYPE=MSDB", "name=Orders", "type=0", "SelectDBPath=False", "script=True",
                              "ID=3"}),
                      FileRecord(App() + "\\after.txt", "after")};
    driver.SkipSet.Add("3");
    driver.Install();
    EXPECT_EQ(ReadWholeFile(App() + "\\after.txt"), "after");
    EXPECT_EQ(driver.Announced(), std::vector<std::string>{"FILE"});
}
