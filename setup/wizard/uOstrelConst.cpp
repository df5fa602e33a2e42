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
};

template <typename Page>
TfmCommonDialog* Make(TComponent* owner)
{
    return ::CreatePage<Page>(owner);
}

const std::vector<TPageEntry>& PageTable()
{
    static const std::vector<TPageEntry> table{
        {"WELCOME", &Make<TfmWelcome>},
        {"README", &Make<TfmReadme>},
        {"LICENCE", &Make<TfmLicence>},
        {"FOLDERSELECT", &Make<TfmFolderSelect>},
        {"OPTIONALS", &Make<TfmOptionals>},
        {"READYTOINSTALL", &Make<TfmReadyToInstall>},
        {"INSTALLPROCESS", &Make<TfmInstallProcess>},
        {"FINISH", &Make<TfmFinish>},
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

} // namespace uOstrelConst
