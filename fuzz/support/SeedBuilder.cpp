// Writes the fuzz targets' starting corpora with the setup-data builder's own
// writers: setups as the container hands them out (deflated) and as the readers
// see them (inflated), a user-interface block, macro texts and install-log
// field lists.
//   seed_builder <corpus folder>
#include "Exception.h"
#include "SetupWriter.h"
#include "UiBlockDescription.h"
#include "TMemoryStream.h"
#include "TZlibStreams.h"

#include <cstdio>
#include <string>
#include <sys/stat.h>

namespace {

const char* const kSetups[] = {
    "[Packages]\r\n1\t0\t主程序\t1\t0\t0\t1\r\n"
    "[Spaces]\r\n<IN\tx\t120000\r\n"
    "[UserInterface]\r\nM=1\r\n"
    "[Project]\r\nPROJECT_ID=Ferrin2009\r\nCompanyName=Ferrin\r\nProductName=视频录相\r\nVersion=9.0\r\n"
    "InstallPath=<PROGRAM_FILES>\\Ferrin\r\nUninstall=True\r\nIsPatch=0\r\n"
    "[Skipped]\r\nwhatever\r\n"
    "[BeforeInstall]\r\nOBJECT_TYPE=COMMAND\r\nEXECUTE_TYPE=1\r\nTYPE=4\r\nTARGET=<TEMP>\\check\r\nURL=False\r\n"
    "[BeforeInstallFile]\r\nOBJECT_TYPE=FILE\r\nDESTINATION=<TEMP>\\check\r\n@payload-text=check <PRODUCT_NAME>\r\n"
    "[Object]\r\nOBJECT_TYPE=FOLDER\r\nFOLDER=<INSTALL>\\Data\r\nOPTION=0\r\n"
    "[Object]\r\nOBJECT_TYPE=FILE\r\nID=7\r\nDESTINATION=<INSTALL>\\video.exe\r\nNOTE=Env(PATH) <VERSION>\r\n"
    "@payload-text=MZ the program\r\n"
    "[Object]\r\nOBJECT_TYPE=SHORTCUT\r\nFILE_NAME=<PROGRAMS>\\<PRODUCT_NAME>.lnk\r\n",
    "[Project]\r\nUninstall=0\r\nIsPatch=0\r\nRunBeforeInstall=0\r\nProductName=P\r\n"
    "[Object]\r\nOBJECT_TYPE=REGISTRY\r\nROOT=HKEY_LOCAL_MACHINE\r\nKEY=Software\\<COMPANY_NAME>\r\n",
};

// Settings lines, a NUL, then the text (see MacrosFuzz.cpp).
const std::string kMacroTexts[] = {
    std::string("PATH=C:\\Windows\nSELF=x;Env(SELF)\n<COMPANY_NAME>=Ferrin\n") + '\0' + "Env(SELF) <COMPANY_NAME>",
    std::string("A=Env(B)Env(B)\nB=Env(C)\nC=v\n") + '\0' + "<INSTALL>\\Env(A)\\<COMPANY_NAME>\\\x81" "Env(PATH)",
    std::string(1, '\0') + "<DESKTOP><PRODUCT_NAME>Env(PATH) Env(",
};

const char* const kLogLines[] = {
    "ROOT:HKEY_LOCAL_MACHINE;KEY:Software\\Ferrin;NAME:Path;TYPE:1;VALUE:C#58\\x#59y",
    "APP:Ferrin;COM:Ferrin.Object;;:;",
};

void Write(const std::string& path, const std::string& bytes)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        throw Exception("cannot write " + path);
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

std::string Deflated(const std::string& description)
{
    TMemoryStream out;
    {
        TSetupDataWriter writer(out);
        WriteSetupData(writer, ParseSetupDescription(description, ""));
        writer.Finish();
    }
    return std::string(static_cast<const char*>(out.Memory()), static_cast<size_t>(out.Size()));
}

std::string Inflated(const std::string& deflated)
{
    TMemoryStream in;
    in.WriteBuffer(deflated.data(), deflated.size());
    in.SetPosition(0);
    TDecompressionStream inflate(in);
    std::string bytes;
    char piece[4096];
    for (std::int32_t got; (got = inflate.Read(piece, sizeof piece)) > 0;)
        bytes.append(piece, static_cast<size_t>(got));
    return bytes;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: seed_builder <corpus folder>\n");
        return 2;
    }
    const std::string root = argv[1];
    try {
        for (const char* name : {"", "/open", "/blocks", "/macros", "/logfields", "/peimage", "/uiblock"})
            mkdir((root + name).c_str(), 0755);
        int n = 0;
        for (const char* setup : kSetups) {
            std::string deflated = Deflated(setup);
            Write(root + "/open/setup" + std::to_string(n), deflated);
            Write(root + "/blocks/setup" + std::to_string(n), Inflated(deflated));
            ++n;
        }
        n = 0;
        for (const std::string& text : kMacroTexts)
            Write(root + "/macros/text" + std::to_string(n++), text);
        TUiBlockDescription ui;
        ui.Settings = {"XpStyle=True", "ShowBackGround=True", "StartColor=clBlue", "ImageAlign=1"};
        ui.Language = {"TfmWelcome=欢迎", "TfmWelcome.btnNext=下一步", "[FontSize]=9"};
        ui.Pages = {{{"DIALOGID=WELCOME", "BITMAP=welcome.bmp"}, {"BM not really a picture"}},
                    {{"DIALOGID=README", "BANNER_IMAGE=", "README=readme.txt"}, {"read me"}},
                    {{"DIALOGID=LICENCE", "BANNER_IMAGE=top.bmp", "LICENCE=licence.rtf"}, {"BM", "{\\rtf1 yes}"}},
                    {{"DIALOGID=FINISH"}, {}}};
        Write(root + "/uiblock/block0", BuildUiBlock(ui, ""));
        n = 0;
        for (const char* line : kLogLines)
            Write(root + "/logfields/line" + std::to_string(n++), line);
    } catch (const Exception& error) {
        std::fprintf(stderr, "seed_builder: %s\n", error.Message().c_str());
        return 1;
    }
    return 0;
}
