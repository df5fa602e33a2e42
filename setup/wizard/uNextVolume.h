// TfmNextVolume: asks for the file of the next setup volume (its number, the file
// name, a browse button), shown modally while the engine waits for it.
#pragma once

#include "TForm.h"

#include <string>

class TKvButton;
class TKvEdit;
class TPlainLabel;

class TfmNextVolume : public TForm {
public:
    CLASSLIB_CLASS_NAME(TfmNextVolume)
    explicit TfmNextVolume(TComponent* owner);
    // Translation and the wizard font, once the form is built.
    void FormCreate();

    // The volume as the user counts it (index + 1) and the file looked for.
    void SetVolume(int number, const std::string& fileName);
    std::string FileName() const;

    TPlainLabel* LabelVolume = nullptr;
    TKvEdit* EditFile = nullptr;
    TKvButton* btnBrowse = nullptr;
    TKvButton* btnOK = nullptr;
    TKvButton* btnCancel = nullptr;

private:
    void BrowseClick(TObject* sender);
    std::string volumeText_;
};
