// The wizard's user-interface block as a description gives it: the settings, the
// language table and the page records, each with the files that follow it, laid
// out as the setup program reads them.
#pragma once

#include <string>
#include <vector>

struct TUiPageRecord {
    std::vector<std::string> Lines;       // name=value lines of the record
    std::vector<std::string> Attachments; // bytes written after the record, in order
};

struct TUiBlockDescription {
    bool Given = false;                   // any of the sections was present
    std::vector<std::string> Settings;
    std::vector<std::string> Language;
    std::vector<TUiPageRecord> Pages;
};

// The four setting names whose value names a picture file, in the order their
// bytes follow the language table.
const std::vector<std::string>& UiPictureSettings();

// The block's bytes: the settings and language texts with their plain lengths,
// the pictures named by the picture settings (read from files resolved against
// `baseFolder`), then each page record followed by its attachments. A missing
// picture file raises the class library's file error.
std::string BuildUiBlock(const TUiBlockDescription& ui, const std::string& baseFolder);
