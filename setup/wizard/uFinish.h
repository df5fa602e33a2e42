// TfmFinish: the last page. It lists the project's after-install actions as
// check boxes or radio buttons, adds a restart item when a restart is needed,
// and on Next puts the unticked items into the skip set and closes the wizard.
// It also shows the outcomes where nothing was installed (cancel, errors).
#pragma once

#include "uLeftImageDialog.h"

#include <string>
#include <vector>

class TKvCustomGlyphButton;
class TPlainLabel;
class TPanel;

class TfmFinish : public TfmLeftImageDialog {
public:
    CLASSLIB_CLASS_NAME(TfmFinish)
    explicit TfmFinish(TComponent* owner);
    void FormCreate() override;
    void LoadPage(TStream* stream, TStrings* record) override;
    void Next() override;

    // An outcome page: a record holding only ISLAST=TRUE, the two texts, and the
    // Exit button.
    static TfmFinish* CreateOutcome(TfmMain* main, const std::string& finishText, const std::string& infoText);
    void SetTexts(const std::string& finishText, const std::string& infoText);

    void BuildActions();
    // Check boxes and radio buttons.
    const std::vector<TKvCustomGlyphButton*>& Items() const { return items_; }

    TPanel* Panel1 = nullptr;
    TPlainLabel* LabelFinish = nullptr;
    TPlainLabel* LabelText = nullptr;

protected:
    void FormShow(TObject* sender) override;
    void FormClose(TObject* sender, TCloseAction& action) override;

private:
    bool finished_ = false; // Next ran: the wizard is closing
    std::vector<TKvCustomGlyphButton*> items_; // owned by the page as components
    std::string optionals_;
};
