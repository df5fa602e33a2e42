// TfmOptionals: the packages of the product in a check tree; the packages left
// unticked (and those below them) go into the skip set. A package the user may
// not change keeps its default.
#pragma once

#include "uTopImageDialog.h"

#include <string>
#include <vector>

class TKvCheckTree;
class TKvTreeNode;

class TfmOptionals : public TfmTopImageDialog {
public:
    CLASSLIB_CLASS_NAME(TfmOptionals)
    explicit TfmOptionals(TComponent* owner);
    void FormShow(TObject* sender) override;
    void Next() override;

    struct TPackage {
        std::string Id, ParentId, Name;
        bool Default = true, Customizable = true, Visible = true;
        TKvTreeNode* Node = nullptr; // visible packages only
    };
    const std::vector<TPackage>& Packages() const { return packages_; }

    TKvCheckTree* TreePackages = nullptr;

private:
    void BuildList();
    bool Chosen(const TPackage& package) const;
    std::vector<TPackage> packages_;
    bool built_ = false;
};
