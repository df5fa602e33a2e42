// The leading blocks of the inflated setup data, in the order they are stored:
// the package list, the space list, the user-interface block, the project
// block, a block this engine passes over, then the before-install commands,
// each followed by the FILE record of its program when it carries one. No
// system call is made here, so that the engine's open and the native fuzz road
// read the blocks through the same routine.
#pragma once

#include <string>
#include <vector>

class TMemoryStream;
class TStream;
class TStrings;

// The project information block, as the engine holds it.
struct TProjectInfo {
    std::string ProjectId;   // PROJECT_ID
    std::string CompanyName;
    std::string ProductName;
    std::string Version;
    std::string Publisher;
    std::string HelpLink;
    std::string Contact;
    std::string Support;
    std::string Readme;
    std::string Update;
    std::string Comments;
    std::string DisplayIcon;
    std::string InstallPath; // trailing backslashes removed
    bool Uninstall = false;  // write the Uninstall entry, the log and Uninstall.exe
    bool IsPatch = false;    // an update pack that needs a previous installation
    int RunBeforeInstall = 0;
};

// A RunBeforeInstall command record as read, with the FILE record of its program
// when one followed (empty otherwise).
struct TBeforeInstallCommand {
    std::string Command;
    std::string File;
};

namespace uLeadingBlocks {

// What reading the leading blocks asks of the one who reads them.
class TBlockReader {
public:
    virtual ~TBlockReader() = default;
    // The inflated setup data, at the next block.
    virtual TStream& Source() = 0;
    // The next text block, macros expanded as the reader expands them by then.
    virtual std::string ReadTextBlock() = 0;
    // One before-install command with the FILE record of its program (nullptr
    // when it carries none); the program's payload is next in Source() and must
    // be read or passed over before this returns.
    virtual void RunBeforeInstall(const TStrings& command, const TStrings* fileRecord) = 0;
};

// Where the blocks go. Each is stored as soon as it is read, so that the blocks
// after the project block are read with the product's values in place.
struct TLeadingBlocks {
    TStrings& Packages;
    TStrings& Spaces;
    TMemoryStream& UserInterface;
    TProjectInfo& Project;
    // Cleared once the project is read, then each command as it comes, before it runs.
    std::vector<TBeforeInstallCommand>& BeforeInstall;
};

// Reads the leading blocks in their order. Raises an Exception naming the block
// and key when a value of the project block or of a command cannot be read.
void Read(TBlockReader& reader, const TLeadingBlocks& into);

// The project block's lines as the engine holds them; RunBeforeInstall, Uninstall
// and IsPatch are strict.
TProjectInfo ReadProjectBlock(const TStrings& lines);

// A folder as the engine keeps the install folder: without trailing backslashes
// (the project's InstallPath, and the folder chosen later).
std::string WithoutTrailingBackslashes(std::string path);

} // namespace uLeadingBlocks
