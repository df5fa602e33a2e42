// The registry class against the real registry of the test prefix, under a
// key of its own below HKEY_CURRENT_USER\Software\FerrinTests.
#include "TRegistry.h"

#include "TStringList.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

class TRegistryTest : public testing::Test {
protected:
    TRegistryTest()
        : base("Software\\FerrinTests\\classlib-" + std::to_string(GetCurrentProcessId()) + "-" +
               std::to_string(GetTickCount()))
    {
    }
    ~TRegistryTest() override
    {
        TRegistry cleanup;
        cleanup.DeleteKey(base);
    }
    std::string base;
};

TEST_F(TRegistryTest, WritesAndReadsEveryValueType)
{
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(base + "\\App", true));
        reg.WriteString("Name", "视频录相");
        reg.WriteExpandString("Path", "%TEMP%\\x");
        reg.WriteInteger("Count", -7);
        const unsigned char blob[] = {0, 1, 2, 0xFF};
        reg.WriteBinaryData("Blob", blob, sizeof blob);
        reg.WriteString("", "default");
        reg.CloseKey();
    }
    // Read back with the platform's own functions first.
    {
        TOwnedRegKey key;
        ASSERT_EQ(ERROR_SUCCESS,
                  RegOpenKeyExA(HKEY_CURRENT_USER, (base + "\\App").c_str(), 0, KEY_READ, key.Receive()));
        char text[64] = {};
        DWORD type = 0, size = sizeof text;
        ASSERT_EQ(ERROR_SUCCESS,
                  RegQueryValueExA(key.Get(), "Name", nullptr, &type, reinterpret_cast<BYTE*>(text), &size));
        EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
        EXPECT_EQ("视频录相", std::string(text));
    }

    TRegistry reg;
    ASSERT_TRUE(reg.OpenKeyReadOnly(base + "\\App"));
    EXPECT_EQ("视频录相", reg.ReadString("Name"));
    EXPECT_EQ("%TEMP%\\x", reg.ReadString("Path"));
    EXPECT_EQ(-7, reg.ReadInteger("Count"));
    EXPECT_EQ("default", reg.ReadString(""));
    EXPECT_EQ(TRegDataType::rdString, reg.GetDataType("Name"));
    EXPECT_EQ(TRegDataType::rdExpandString, reg.GetDataType("Path"));
    EXPECT_EQ(TRegDataType::rdInteger, reg.GetDataType("Count"));
    EXPECT_EQ(TRegDataType::rdBinary, reg.GetDataType("Blob"));
    EXPECT_EQ(4, reg.GetDataSize("Blob"));
    EXPECT_EQ(-1, reg.GetDataSize("Missing"));
    unsigned char back[8] = {};
    EXPECT_EQ(4, reg.ReadBinaryData("Blob", back, sizeof back));
    EXPECT_EQ(0xFF, back[3]);
    EXPECT_THROW(reg.ReadBinaryData("Blob", back, 2), ERegistryException);

    EXPECT_EQ("", reg.ReadString("Missing"));
    EXPECT_THROW(reg.ReadInteger("Missing"), ERegistryException);
    EXPECT_THROW(reg.ReadInteger("Name"), ERegistryException);
    EXPECT_THROW(reg.ReadString("Count"), ERegistryException);
    EXPECT_THROW(reg.WriteString("Other", "x"), ERegistryException); // opened read-only

    TStringList names;
    names.SetSorted(true);
    reg.GetValueNames(names);
    EXPECT_EQ(std::vector<std::string>({"", "Blob", "Count", "Name", "Path"}),
              std::vector<std::string>({names[0], names[1], names[2], names[3], names[4]}));
    EXPECT_EQ(5, names.Count()); // the default value is listed under an empty name
}

TEST_F(TRegistryTest, KeysOpenRelativeOrFromTheRootAndDeleteWithTheirSubkeys)
{
    TRegistry reg;
    EXPECT_FALSE(reg.OpenKey(base + "\\Missing", false));
    EXPECT_FALSE(reg.KeyExists(base + "\\Missing"));
    ASSERT_TRUE(reg.CreateKey(base + "\\Tree\\Leaf\\Deep"));
    ASSERT_TRUE(reg.OpenKey(base, false));
    EXPECT_EQ(base, reg.CurrentPath());
    EXPECT_TRUE(reg.KeyExists("Tree\\Leaf")); // relative to the current key
    EXPECT_TRUE(reg.HasSubKeys());
    ASSERT_TRUE(reg.OpenKey("Tree", false));
    EXPECT_EQ(base + "\\Tree", reg.CurrentPath());
    TStringList keys;
    reg.GetKeyNames(keys);
    EXPECT_EQ(std::vector<std::string>{"Leaf"}, std::vector<std::string>{keys.Strings(0)});
    reg.WriteString("v", "1");
    EXPECT_TRUE(reg.ValueExists("v"));
    EXPECT_TRUE(reg.DeleteValue("v"));
    EXPECT_FALSE(reg.ValueExists("v"));
    EXPECT_FALSE(reg.DeleteValue("v"));

    ASSERT_TRUE(reg.OpenKey("\\" + base, false)); // a leading backslash starts at the root
    EXPECT_TRUE(reg.DeleteKey("Tree"));
    EXPECT_FALSE(reg.KeyExists("Tree"));
    EXPECT_FALSE(reg.DeleteKey("Tree"));
    EXPECT_FALSE(reg.DeleteKey(""));

    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    EXPECT_EQ(nullptr, reg.CurrentKey());
    EXPECT_TRUE(reg.KeyExists("Software"));
}

} // namespace
