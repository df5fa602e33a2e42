// The project description that mksetup builds setup data from: an INI-like text
// whose sections name the blocks of the setup data in the order they are written.
//
//   [Packages] [Spaces] [Skipped] [End]  lines of the text block as they stand
//   [UserInterface]  lines of the block, or "@file=path" for its bytes
//   [UiSettings] [UiLanguage] [Page]  the wizard's block built from its parts
//                    instead: the settings lines, the language table (key=text),
//                    then one [Page] per page record (DIALOGID=WELCOME, ...) in
//                    page order. The settings Texture, Image, LeftImage and
//                    TopImage name picture files (the wizard reads only their
//                    extension), whose bytes follow the language table.
//                    ShowGradient, ShowTexture and ShowImage switch the main
//                    form's background layers (the gradient from StartColor at
//                    the top to EndColor at the bottom, Texture tiled, Image);
//                    ImageStyle, read when ShowImage is True, places the Image:
//                    0 (or empty) centred, 1 stretched over the whole screen, 2
//                    tiled; any other value stops the wizard with an error. A
//                    page's "@attach=path" (or "@attach-text=bytes") lines add the
//                    files its page reads after the record, in the order given:
//                    WELCOME its BITMAP; README and LICENCE the BANNER_IMAGE, then
//                    the text; FOLDERSELECT and INSTALLPROCESS the BANNER_IMAGE.
//   [Project]        name=value lines; RunBeforeInstall defaults to the number of
//                    [BeforeInstall] sections
//   [BeforeInstall]  one COMMAND record each; [BeforeInstallFile] a FILE record
//                    that follows the command before it
//   [Object]         one object record each
// A record line "@payload=path" (or "@payload-text=bytes") adds the payload that
// follows the record. Paths are relative to the description's folder. Lines that
// start with ';' and blank lines are passed over.
#pragma once

#include <string>
#include <vector>

struct TSetupRecord {
    std::vector<std::string> Lines;
    bool HasPayload = false;
    std::string PayloadFile; // read when the setup is built
    std::string PayloadText; // used when PayloadFile is empty
};

struct TSetupDescription {
    std::vector<std::string> Packages;
    std::vector<std::string> Spaces;
    std::string UserInterface; // the block's bytes
    std::vector<std::string> Project;
    std::vector<std::string> Skipped;
    std::vector<TSetupRecord> BeforeInstall; // commands and their FILE records, in order
    std::vector<TSetupRecord> Objects;
    std::vector<std::string> End{"END"};
};

// Raises an Exception naming the line for an unknown section or a text outside
// every section. `baseFolder` resolves relative paths ("" keeps them).
TSetupDescription ParseSetupDescription(const std::string& text, const std::string& baseFolder);
TSetupDescription LoadSetupDescription(const std::string& fileName);
