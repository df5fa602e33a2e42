// The optional-components page.
#include "uOptionals.h"

#include "SysUtils.h"
#include "TStringList.h"
#include "uMain.h"
#include "uOstrelExecutor.h"
#include "KvCheckTree.h"
#include "uPlainControls.h"
#include "uSetupData.h"
#include "uTabRecord.h"

#include <algorithm>

namespace {

bool Flag(const std::vector<std::string>& fields, size_t index)
{
    bool value = true;
    return index >= fields.size() || !uSetupData::TryParseBool(SysUtils::Trim(fields[index]), value) || value;
}

} // namespace

TfmOptionals::TfmOptionals(TComponent* owner) : TfmTopImageDialog(owner)
{
    LabelMainTitle->SetCaption("选择组件");
    LabelSubTitle->SetCaption("请选择要安装的组件。");
    TreePackages = Place<TKvCheckTree>(this, "TreePackages", 16, kBannerHeight + 12, kPageWidth - 32, 260);
}

void TfmOptionals::FormShow(TObject* sender)
{
    TfmTopImageDialog::FormShow(sender);
    actPrior->SetEnabled(PriorPage() != nullptr);
    if (!built_)
        BuildList();
}

void TfmOptionals::ReadPackages()
{
    const TStringList& list = Main()->OstrelExecutor->PackageList();
    for (int i = 0; i < list.Count(); ++i) {
        std::vector<std::string> fields = uTabRecord::Split(list[i]);
        if (fields.size() < 3 || SysUtils::Trim(fields[0]).empty())
            continue;
        TPackage package;
        package.Id = SysUtils::Trim(fields[0]);
        package.ParentId = SysUtils::Trim(fields[1]);
        package.Name = fields[2];
        package.Default = Flag(fields, 3);
        package.Customizable = Flag(fields, 5);
        package.Visible = Flag(fields, 6);
        packages_.push_back(package);
    }
    // Parents that lead round in a circle would never end the walk up to the
    // top: such a list is damaged.
    for (const TPackage& package : packages_) {
        const TPackage* above = &package;
        for (size_t steps = 0; above != nullptr; ++steps) {
            if (steps > packages_.size())
                uSetupData::RaiseDamaged("软件包 " + package.Id + " 的上级软件包构成循环");
            above = ParentOf(*above);
        }
    }
}

void TfmOptionals::BuildList()
{
    built_ = true;
    ReadPackages();
    for (TPackage& package : packages_) {
        if (!package.Visible)
            continue;
        // Only a parent listed earlier holds a node to hang the package under.
        auto parent = std::find_if(packages_.begin(), packages_.end(), [&](const TPackage& p) {
            return &p != &package && p.Id == package.ParentId && p.Node;
        });
        package.Node = TreePackages->AddChild(parent == packages_.end() ? nullptr : parent->Node, package.Name);
    }
    // Parents first, so that a child's default is not overwritten by its parent's.
    for (const TPackage& package : packages_)
        if (package.Node != nullptr)
            TreePackages->SetChecked(package.Node, package.Default);
    TreePackages->FullExpand();
}

const TfmOptionals::TPackage* TfmOptionals::ParentOf(const TPackage& package) const
{
    auto parent = std::find_if(packages_.begin(), packages_.end(),
                               [&](const TPackage& p) { return p.Id == package.ParentId && &p != &package; });
    return parent == packages_.end() ? nullptr : &*parent;
}

// A package is chosen when its box (or, without one, its default) says so and its
// parent is chosen.
bool TfmOptionals::Chosen(const TPackage& package) const
{
    // A grayed package has chosen parts, so it is chosen too.
    bool own = package.Node != nullptr && package.Customizable
                   ? TreePackages->CheckState(package.Node) != TKvCheckState::csUnchecked
                   : package.Default;
    if (!own)
        return false;
    const TPackage* parent = ParentOf(package);
    return parent == nullptr || Chosen(*parent);
}

void TfmOptionals::Next()
{
    TStringList& skip = Main()->SkipList();
    // Going back and forth must not pile up old choices.
    for (const TPackage& package : packages_) {
        int index;
        while ((index = skip.IndexOf(package.Id)) >= 0)
            skip.Delete(index);
    }
    for (const TPackage& package : packages_)
        if (!Chosen(package))
            skip.Add(package.Id);
    TfmTopImageDialog::Next();
}
