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
    // Builds the tree at the first showing; a package list whose parents run in
    // a circle raises the damaged-data error.
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
    // The package list into packages_; a circle of parents raises.
    void ReadPackages();
    void BuildList();
    // The package above, or nullptr at the top.
    const TPackage* ParentOf(const TPackage& package) const;
    bool Chosen(const TPackage& package) const;
    std::vector<TPackage> packages_;
    bool built_ = false;
};
