// TfmOptionals: the packages of the product, one check box each; the packages
// left unticked (and those below them) go into the skip set.
#pragma once

#include "uTopImageDialog.h"

#include <string>
#include <vector>

class TKvCheckBox;

class TfmOptionals : public TfmTopImageDialog {
public:
    CLASSLIB_CLASS_NAME(TfmOptionals)
    explicit TfmOptionals(TComponent* owner);
    void FormShow(TObject* sender) override;
    void Next() override;

    struct TPackage {
        std::string Id, ParentId, Name;
        bool Default = true, Customizable = true, Visible = true;
        TKvCheckBox* Box = nullptr;
    };
    const std::vector<TPackage>& Packages() const { return packages_; }

private:
    void BuildList();
    bool Chosen(const TPackage& package) const;
    std::vector<TPackage> packages_;
    bool built_ = false;
};
