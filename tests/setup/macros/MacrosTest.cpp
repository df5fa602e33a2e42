// The macro expander: every folder and product macro, the order in which they are
// replaced, and environment references including ones that refer to themselves.
#include "uMacros.h"

#include "Exception.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <map>
#include <string>

using namespace uMacros;
using uSystemFolders::TSpecialFolders;

namespace {

TSpecialFolders SampleFolders()
{
    TSpecialFolders f;
    f.Desktop = "C:\\u\\Desktop";
    f.System = "C:\\WIN\\system32";
    f.Programs = "C:\\u\\Programs";
    f.CommonDesktop = "C:\\all\\Desktop";
    f.CommonPrograms = "C:\\all\\Programs";
    f.CommonStartMenu = "C:\\all\\Start Menu";
    f.CommonStartup = "C:\\all\\Startup";
    f.CommonFiles = "C:\\PF\\Common Files";
    f.Fonts = "C:\\WIN\\Fonts";
    f.ProgramFiles = "C:\\PF";
    f.ApplicationData = "C:\\u\\AppData";
    f.Favorites = "C:\\u\\Favorites";
    f.SentTo = "C:\\u\\SendTo";
    f.StartMenu = "C:\\u\\Start Menu";
    f.Startup = "C:\\u\\Startup";
    f.Templates = "C:\\u\\Templates";
    f.Windows = "C:\\WIN";
    f.Temp = "C:\\u\\Temp";
    f.ComputerName = "BOX";
    return f;
}

TProductMacros SampleProduct()
{
    TProductMacros p;
    p.InstallPath = "D:\\Ferrin";
    p.CompanyName = "费林公司";
    p.ProductName = "Ferrin 2009";
    p.Version = "1.2";
    p.OldVersion = "1.1";
    return p;
}

const std::string kSource = "E:\\cd";

std::map<std::string, std::string> environment = {
    {"HOME_A", "C:\\home"},
    {"CHAIN", "Env(HOME_A)\\chain"},
    {"SELF", "x;Env(SELF)"},
    {"PING", "Env(PONG)p"},
    {"PONG", "Env(PING)q"},
    {"MACRO", "<INSTALL>"},
};

std::string Lookup(const std::string& name)
{
    auto it = environment.find(name);
    return it == environment.end() ? std::string() : it->second;
}

std::string Expand(const std::string& text, const TProductMacros& product = SampleProduct())
{
    return ExpandMacros(text, product, SampleFolders(), kSource, Lookup);
}

} // namespace

TEST(Macros, EachMacroNamesItsValue)
{
    const std::pair<const char*, const char*> cases[] = {
        {"<DESKTOP>", "C:\\u\\Desktop"},
        {"<SYSTEM>", "C:\\WIN\\system32"},
        {"<INSTALL>", "D:\\Ferrin"},
        {"<PROGRAMS>", "C:\\u\\Programs"},
        {"<COMMON_DESKTOP>", "C:\\all\\Desktop"},
        {"<COMMON_PROGRAMS>", "C:\\all\\Programs"},
        {"<COMMON_START_MENU>", "C:\\all\\Start Menu"},
        {"<COMMON_STARTUP>", "C:\\all\\Startup"},
        {"<COMMON_FILES>", "C:\\PF\\Common Files"},
        {"<FONTS>", "C:\\WIN\\Fonts"},
        {"<PROGRAM_FILES>", "C:\\PF"},
        {"<APPLICATION_DATA>", "C:\\u\\AppData"},
        {"<FAVORITES>", "C:\\u\\Favorites"},
        {"<SENT_TO>", "C:\\u\\SendTo"},
        {"<START_MENU>", "C:\\u\\Start Menu"},
        {"<STARTUP>", "C:\\u\\Startup"},
        {"<TEMPLATES>", "C:\\u\\Templates"},
        {"<WINDOWS>", "C:\\WIN"},
        {"<TEMP>", "C:\\u\\Temp"},
        {"<COMPANY_NAME>", "费林公司"},
        {"<PRODUCT_NAME>", "Ferrin 2009"},
        {"<VERSION>", "1.2"},
        {"<OLD_VERSION>", "1.1"},
        {"<SETUP_SOURCE>", "E:\\cd"},
        {"<COMPUTER_NAME>", "BOX"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(std::string("[") + c.second + "]", Expand(std::string("[") + c.first + "]")) << c.first;
}

TEST(Macros, TextsExpand)
{
    const std::pair<const char*, const char*> cases[] = {
        {"", ""},
        {"no macros here", "no macros here"},
        {"<INSTALL>\\bin;<INSTALL>\\lib", "D:\\Ferrin\\bin;D:\\Ferrin\\lib"},
        {"欢迎安装<PRODUCT_NAME> <VERSION>", "欢迎安装Ferrin 2009 1.2"},
        // Unknown, misspelt or lower-case macros stay as they are.
        {"<PRODUCTNAME> <install> <INSTALL", "<PRODUCTNAME> <install> <INSTALL"},
        {"<<INSTALL>>", "<D:\\Ferrin>"},
        {"Env(HOME_A)\\x", "C:\\home\\x"},
        {"Env(HOME_A);Env(HOME_A)", "C:\\home;C:\\home"},
        {"[Env(UNSET_NAME)]", "[]"},
        {"Env(CHAIN)", "C:\\home\\chain"},
        // An opening without its ")" is left alone.
        {"Env(HOME_A", "Env(HOME_A"},
        {"a)Env(HOME_A", "a)Env(HOME_A"},
        // Environment values are not macro-expanded: references come after macros.
        {"Env(MACRO)", "<INSTALL>"},
        {"Env(<VERSION>)", ""},
        // "\x81E" is one double-byte character: its trail byte does not start a reference.
        {"\x81""Env(HOME_A) Env(HOME_A)", "\x81""Env(HOME_A) C:\\home"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.second, Expand(c.first)) << c.first;
}

TEST(Macros, ReplacementFollowsTheFixedOrder)
{
    TProductMacros product = SampleProduct();
    // <INSTALL> comes before <PROGRAM_FILES>, so an install path written with it expands.
    product.InstallPath = "<PROGRAM_FILES>\\Ferrin";
    // <PRODUCT_NAME> comes after <DESKTOP>: a product name holding it keeps it.
    product.ProductName = "<DESKTOP>";
    EXPECT_EQ("C:\\PF\\Ferrin", Expand("<INSTALL>", product));
    EXPECT_EQ("<DESKTOP>", Expand("<PRODUCT_NAME>", product));
}

TEST(Macros, SelfReferringValuesEnd)
{
    // Each cycle is expanded once; the reference its value brings back stays as text.
    EXPECT_EQ("x;Env(SELF)", Expand("Env(SELF)"));
    EXPECT_EQ("x;Env(SELF)|x;Env(SELF)", Expand("Env(SELF)|Env(SELF)"));
    EXPECT_EQ("Env(PING)qp", Expand("Env(PING)"));
    EXPECT_EQ("x;Env(SELF) C:\\home", Expand("Env(SELF) Env(HOME_A)"));
}

TEST(Macros, ManyReferencesExpandInOnePass)
{
    // Each reference costs its own length: a quadratic expansion would not end within the test's time.
    std::string text;
    for (int i = 0; i < 200000; ++i)
        text += "Env(HOME_A)|";
    std::string expected;
    for (int i = 0; i < 200000; ++i)
        expected += "C:\\home|";
    EXPECT_EQ(expected, Expand(text));
}

TEST(Macros, ExpansionBeyondATextBlockIsDamage)
{
    const std::string damaged = "安装数据已损坏";
    // Product macros: 65 copies of a 1 MiB company name.
    TProductMacros product = SampleProduct();
    product.CompanyName.assign(1 << 20, 'c');
    std::string many;
    for (int i = 0; i < 65; ++i)
        many += "<COMPANY_NAME>";
    try {
        Expand(many, product);
        ADD_FAILURE() << "65 MiB of company names were produced";
    } catch (const Exception& error) {
        EXPECT_EQ(0u, error.Message().find(damaged)) << error.Message();
    }
    // Environment values that double at every level: 2^40 bytes from forty names.
    auto doubling = [](const std::string& name) -> std::string {
        int level = std::atoi(name.c_str() + 1);
        return level >= 40 ? "xy" : "Env(L" + std::to_string(level + 1) + ")Env(L" + std::to_string(level + 1) + ")";
    };
    try {
        ExpandEnvironment("Env(L0)", doubling);
        ADD_FAILURE() << "the doubling values were expanded";
    } catch (const Exception& error) {
        EXPECT_EQ(0u, error.Message().find(damaged)) << error.Message();
    }
    // Exactly a text block's worth is fine.
    EXPECT_EQ(size_t(64) << 20, Expand(many.substr(0, 64 * 14), product).size());
}

TEST(Macros, RealMachineValues)
{
    ASSERT_TRUE(SetEnvironmentVariableA("FERRIN_MACRO_TEST", "测试值"));
    char program[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    std::string folder(program);
    folder.erase(folder.rfind('\\'));
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);

    TProductMacros product = SampleProduct();
    EXPECT_EQ(folder + "|" + windows + "|测试值",
              ExpandMacros("<SETUP_SOURCE>|<WINDOWS>|Env(FERRIN_MACRO_TEST)", product));
    SetEnvironmentVariableA("FERRIN_MACRO_TEST", nullptr);
    EXPECT_EQ("[]", ExpandMacros("[Env(FERRIN_MACRO_TEST)]", product));
}
