// Parsing the project description of mksetup.
#include "SetupDescription.h"
#include "DescriptionFiles.h"
#include "UiBlockDescription.h"

#include "Exception.h"
#include "SysUtils.h"
#include "TStringList.h"

namespace {

bool StartsWith(const std::string& text, const std::string& prefix)
{
    return text.size() >= prefix.size() && SysUtils::SameText(text.substr(0, prefix.size()), prefix);
}

} // namespace

TSetupDescription ParseSetupDescription(const std::string& text, const std::string& baseFolder)
{
    TSetupDescription description;
    description.End.clear();
    bool endGiven = false;
    TStringList lines;
    lines.SetText(text);
    std::vector<std::string>* block = nullptr; // the text block being filled
    TSetupRecord* record = nullptr;            // or the record being filled
    bool userInterface = false;
    std::vector<std::string> uiLines;
    TUiBlockDescription ui;
    TUiPageRecord* page = nullptr; // or the page record being filled
    for (int i = 0; i < lines.Count(); ++i) {
        std::string line = lines[i];
        std::string trimmed = SysUtils::Trim(line);
        if (trimmed.empty() || trimmed[0] == ';')
            continue;
        if (trimmed.front() == '[' && trimmed.back() == ']') {
            std::string section = trimmed.substr(1, trimmed.size() - 2);
            block = nullptr;
            record = nullptr;
            page = nullptr;
            userInterface = false;
            if (SysUtils::SameText(section, "Packages"))
                block = &description.Packages;
            else if (SysUtils::SameText(section, "Spaces"))
                block = &description.Spaces;
            else if (SysUtils::SameText(section, "Project"))
                block = &description.Project;
            else if (SysUtils::SameText(section, "Skipped"))
                block = &description.Skipped;
            else if (SysUtils::SameText(section, "End")) {
                block = &description.End;
                endGiven = true;
            } else if (SysUtils::SameText(section, "UserInterface"))
                userInterface = true;
            else if (SysUtils::SameText(section, "UiSettings"))
                block = &ui.Settings, ui.Given = true;
            else if (SysUtils::SameText(section, "UiLanguage"))
                block = &ui.Language, ui.Given = true;
            else if (SysUtils::SameText(section, "Page")) {
                ui.Given = true;
                ui.Pages.emplace_back();
                page = &ui.Pages.back();
            }
            else if (SysUtils::SameText(section, "BeforeInstall") || SysUtils::SameText(section, "BeforeInstallFile")) {
                description.BeforeInstall.emplace_back();
                record = &description.BeforeInstall.back();
            } else if (SysUtils::SameText(section, "Object")) {
                description.Objects.emplace_back();
                record = &description.Objects.back();
            } else
                throw Exception("line " + std::to_string(i + 1) + ": unknown section [" + section + "]");
            continue;
        }
        if (page) {
            if (StartsWith(trimmed, "@attach="))
                page->Attachments.push_back(ReadDescribedFile(baseFolder, trimmed.substr(8)));
            else if (StartsWith(trimmed, "@attach-text="))
                page->Attachments.push_back(line.substr(line.find('=') + 1));
            else
                page->Lines.push_back(line);
        } else if (userInterface) {
            if (StartsWith(trimmed, "@file="))
                description.UserInterface += ReadDescribedFile(baseFolder, trimmed.substr(6));
            else
                uiLines.push_back(line);
        } else if (record) {
            if (StartsWith(trimmed, "@payload=")) {
                record->HasPayload = true;
                record->PayloadFile = ResolveDescribedPath(baseFolder, trimmed.substr(9));
            } else if (StartsWith(trimmed, "@payload-text=")) {
                record->HasPayload = true;
                record->PayloadText = line.substr(line.find('=') + 1);
            } else {
                record->Lines.push_back(line);
            }
        } else if (block) {
            block->push_back(line);
        } else {
            throw Exception("line " + std::to_string(i + 1) + ": text outside every section");
        }
    }
    for (size_t k = 0; k < uiLines.size(); ++k)
        description.UserInterface += (k ? "\r\n" : "") + uiLines[k];
    if (ui.Given) {
        if (!description.UserInterface.empty())
            throw Exception("[UserInterface] and the [UiSettings], [UiLanguage] and [Page] sections exclude each other");
        description.UserInterface = BuildUiBlock(ui, baseFolder);
    }
    if (!endGiven)
        description.End = {"END"};
    return description;
}

TSetupDescription LoadSetupDescription(const std::string& fileName)
{
    return ParseSetupDescription(ReadDescribedFile("", fileName), SysUtils::ExtractFilePath(fileName));
}
