// The road tests' fixture: the product's files, the machine's snapshot, and the
// uninstall through the relaunched uninstaller's pages.
#pragma once

#include "Snapshot.h"
#include "WizardFixture.h"

#include <algorithm>
#include <string>
#include <vector>

inline const char kSettings[] =
    "[UiSettings]\r\nXpStyle=True\r\nShowBackGround=False\r\nShowGradient=True\r\nShowTexture=False\r\n"
    "ShowImage=False\r\nStartColor=clBlue\r\nEndColor=$00000000\r\nLOGO_STRING=Test Logo\r\n";

inline bool Has(const std::vector<std::string>& texts, const std::string& text)
{
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

class WizardRoadsTest : public WizardFixture {
protected:
    // Writes `bytes` of bytes that do not compress into root\noise.bin; the
    // FILE object that installs them.
    std::string NoiseObject(int bytes)
    {
        std::string noise;
        unsigned seed = 12345;
        for (int i = 0; i < bytes; ++i)
            noise += static_cast<char>((seed = seed * 1103515245u + 12345u) >> 24);
        WriteWholeFile(root_ / "noise.bin", noise);
        return "[Object]\r\nOBJECT_TYPE=FILE\r\nDESTINATION=<INSTALL>\\noise.bin\r\nREPLACE_OPTION=2\r\n"
               "FILE_AGE=0\r\nREADONLY=False\r\nVISIBLE=True\r\nREGISTER=False\r\nUNINSTALL=True\r\n"
               "@payload=noise.bin\r\n";
    }

    // The size of the setup program in front of the setup data.
    static std::int64_t ProgramSize()
    {
        TOwnedHandle program(CreateFileA(BesideTests("setup.exe").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                         OPEN_EXISTING, 0, nullptr));
        return program.IsValid() ? static_cast<std::int64_t>(GetFileSize(program.Get(), nullptr)) : 0;
    }

    // The product's files: a folder, a file, a shortcut.
    std::string Objects() const
    {
        return "[Object]\r\nOBJECT_TYPE=FOLDER\r\nFOLDER=<INSTALL>\r\nOPTION=0\r\nHidden=False\r\nReadOnly=False\r\n"
               "[Object]\r\nOBJECT_TYPE=FILE\r\nID=5\r\nDESTINATION=<INSTALL>\\readme.txt\r\nREPLACE_OPTION=2\r\n"
               "FILE_AGE=0\r\nREADONLY=False\r\nVISIBLE=True\r\nREGISTER=False\r\nUNINSTALL=True\r\n"
               "@payload-text=hello\r\n"
               "[Object]\r\nOBJECT_TYPE=SHORTCUT\r\nFILE_NAME=<INSTALL>\\readme.lnk\r\nTARGET=<INSTALL>\\readme.txt\r\n"
               "PARAMS=\r\nICON_FILE=\r\nICON_INDEX=0\r\n";
    }

    TSnapshot Machine() const
    {
        TSnapshot machine = Joined({}, SnapshotFolder(root_.Path()), "files ");
        return Joined(machine, SnapshotKey(HKEY_LOCAL_MACHINE, UninstallEntry()), "HKLM ");
    }

    void ExpectInstalled()
    {
        EXPECT_TRUE(FileExists(App() + "\\readme.txt"));
        EXPECT_TRUE(FileExists(App() + "\\readme.lnk"));
        EXPECT_TRUE(FileExists(App() + "\\Uninstall.exe"));
        EXPECT_TRUE(FileExists(LogPath()));
        EXPECT_TRUE(FileExists(LogPath() + ".Dat"));
        TOwnedRegKey key;
        EXPECT_EQ(ERROR_SUCCESS,
                  RegOpenKeyExA(HKEY_LOCAL_MACHINE, UninstallEntry().c_str(), 0, KEY_READ, key.Receive()));
    }

    // How the uninstall page is left once the product is gone.
    enum class TLeave { FinishButton, CloseBox };

    // Runs Uninstall.exe (in `workingFolder`, the test's folder when empty), which
    // hands over to a copy of itself; the copy's ready-to-uninstall page removes
    // the product, and the copy ends when its last page is left.
    void UninstallThroughPages(const std::string& workingFolder = std::string(), TLeave leave = TLeave::FinishButton)
    {
        Start(App() + "\\Uninstall.exe", std::string(), workingFolder);
        EXPECT_EQ(0u, WaitForExit());
        HWND ready = WaitForPage("TfmReadyToUninstall");
        ASSERT_NE(nullptr, ready) << "the relaunched uninstaller shows no page";
        EXPECT_EQ("Wizard Test 2.5", Text(ready));
        DWORD copyId = 0;
        GetWindowThreadProcessId(ready, &copyId);
        TOwnedHandle copy(OpenProcess(SYNCHRONIZE, FALSE, copyId));
        ClickText(ready, "卸载");
        HWND uninstall = WaitForPage("TfmUninstall");
        ASSERT_NE(nullptr, uninstall);
        ASSERT_TRUE(WaitUntil([&] { HWND done = Child(uninstall, "完成"); return done && IsWindowEnabled(done); }));
        EXPECT_TRUE(Has(ChildTexts(uninstall), "Wizard Test 2.5 is sucessfully uninstalled"));
        if (leave == TLeave::CloseBox)
            PostMessageA(uninstall, WM_CLOSE, 0, 0);
        else
            ClickText(uninstall, "完成");
        EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(copy.Get(), 60000)) << "the uninstaller's copy still runs";
    }
};

