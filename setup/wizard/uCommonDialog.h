// TfmCommonDialog: the base of every wizard page. It gives a page its font,
// translated texts, styling and caption, the Back/Next/Cancel buttons, and the
// links to the prior and the next page; the next page is created lazily from the
// next page record of the user-interface block.
#pragma once

#include "KvButton.h"
#include "TActionList.h"
#include "TCustomAction.h"
#include "TForm.h"

#include <string>

class TPicture;
class TStream;
class TStrings;
class TfmMain;

class TfmCommonDialog : public TForm {
public:
    CLASSLIB_CLASS_NAME(TfmCommonDialog)
    // Builds the designed components; FormCreate runs once the whole page is built
    // (CreatePage below), so that translation sees the page's own class name.
    explicit TfmCommonDialog(TComponent* owner);

    // With a record, the is-last flag := ISLAST equals "TRUE". Pages read their
    // attachments from `stream` here.
    virtual void LoadPage(TStream* stream, TStrings* record);
    virtual void Next();
    virtual void Prior();
    // Runs FormCreate of the most derived page.
    virtual void FormCreate();

    TfmCommonDialog* PriorPage() const { return prior_; }
    void SetPriorPage(TfmCommonDialog* page) { prior_ = page; }
    TfmCommonDialog* NextPage() const { return next_; }
    void SetNextPage(TfmCommonDialog* page) { next_ = page; }
    // Shows the next page where this one stands; an install page starts its install.
    void ShowNextPage();
    bool IsLast() const { return isLast_; }
    TfmMain* Main() const;

    TActionList* ActionList1 = nullptr;
    TAction* actPrior = nullptr;
    TAction* actNext = nullptr;
    TAction* actCancel = nullptr;
    TKvButton* btnBack = nullptr;
    TKvButton* btnNext = nullptr;
    TKvButton* btnCancel = nullptr;

    // The actions' handlers.
    void actPriorExecute(TObject* sender);
    void actNextExecute(TObject* sender);
    void actCancelExecute(TObject* sender);

protected:
    virtual void FormShow(TObject* sender);
    // Loads `picture` from the bytes that follow the record for `key`, the class
    // chosen by the key's file name. False (nothing read) when the key has no value.
    bool LoadRecordPicture(TStream* stream, const TStrings& record, const std::string& key, TPicture& picture);
    // The base's cancel question; Yes closes the wizard.
    virtual void FormClose(TObject* sender, TCloseAction& action);
    // Asks "AreSureToCancel" under the page's caption; true on Yes.
    bool ConfirmCancel();
    // Shows `page` where this page stands and hides this one.
    void MoveTo(TfmCommonDialog* page);
    // A component of this page: owned by it, named, placed.
    template <typename Control>
    Control* Place(TWinControl* parent, const std::string& name, int left, int top, int width, int height,
                   const std::string& caption = std::string())
    {
        auto* control = new Control(this);
        control->SetName(name);
        control->SetParent(parent);
        control->SetBounds(left, top, width, height);
        if (!caption.empty())
            control->SetCaption(caption);
        return control;
    }

    static constexpr int kPageWidth = 503;
    static constexpr int kPageHeight = 385;

private:
    TfmCommonDialog* prior_ = nullptr;
    TfmCommonDialog* next_ = nullptr;
    bool isLast_ = false;
};

// Makes a page owned by the main form and runs its FormCreate.
template <typename Page>
Page* CreatePage(TComponent* owner)
{
    auto* page = new Page(owner);
    page->FormCreate();
    return page;
}
