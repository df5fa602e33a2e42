// The page table.
#include "uOstrelConst.h"

#include "uFinish.h"
#include "uFolderSelect.h"
#include "uInstallProcess.h"
#include "uLicence.h"
#include "uOptionals.h"
#include "uReadme.h"
#include "uReadyToInstall.h"
#include "uWelcome.h"

#include <utility>

namespace uOstrelConst {

namespace {

struct TPageEntry {
    const char* DialogId;
    TfmCommonDialog* (*Create)(TComponent* owner);
    std::vector<std::string> Attachments;
};

template <typename Page>
TfmCommonDialog* Make(TComponent* owner)
{
    return ::CreatePage<Page>(owner);
}

const std::vector<TPageEntry>& PageTable()
{
    static const std::vector<TPageEntry> table{
        {"WELCOME", &Make<TfmWelcome>, {"BITMAP"}},
        {"README", &Make<TfmReadme>, {"BANNER_IMAGE", "README"}},
        {"LICENCE", &Make<TfmLicence>, {"BANNER_IMAGE", "LICENCE"}},
        {"FOLDERSELECT", &Make<TfmFolderSelect>, {"BANNER_IMAGE"}},
        {"OPTIONALS", &Make<TfmOptionals>, {}},
        {"READYTOINSTALL", &Make<TfmReadyToInstall>, {}},
        {"INSTALLPROCESS", &Make<TfmInstallProcess>, {"BANNER_IMAGE"}},
        {"FINISH", &Make<TfmFinish>, {}},
    };
    return table;
}

} // namespace

TfmCommonDialog* CreatePage(const std::string& dialogId, TComponent* owner)
{
    for (const TPageEntry& entry : PageTable())
        if (dialogId == entry.DialogId)
            return entry.Create(owner);
    return nullptr;
}

const std::vector<std::string>& AttachmentKeys(const std::string& dialogId)
{
    static const std::vector<std::string> none;
    for (const TPageEntry& entry : PageTable())
        if (dialogId == entry.DialogId)
            return entry.Attachments;
    return none;
}

} // namespace uOstrelConst
