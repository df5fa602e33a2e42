// The folder-selection page.
#include "uFolderSelect.h"

#include "SysUtils.h"
#include "TApplication.h"
#include "TStrings.h"
#include "uMain.h"
#include "uOstrelExecutor.h"
#include "KvButton.h"
#include "KvEdit.h"
#include "KvShellDialogs.h"
#include "uPlainControls.h"
#include "uTabRecord.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace {

std::string Megabytes(std::int64_t bytes)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1f MB", static_cast<double>(bytes) / (1024.0 * 1024.0));
    return text;
}

} // namespace

TfmFolderSelect::TfmFolderSelect(TComponent* owner) : TfmTopImageDialog(owner)
{
    LabelMainTitle->SetCaption("选择安装位置");
    LabelSubTitle->SetCaption("请选择 <PRODUCT_NAME> 的安装文件夹。");
    LabelFolder = Place<TPlainLabel>(this, "LabelFolder", 16, kBannerHeight + 14, 460, 18, "安装文件夹:");
    EditFolder = Place<TKvEdit>(this, "EditFolder", 16, kBannerHeight + 36, 376, 22);
    btnBrowse = Place<TKvButton>(this, "btnBrowse", 402, kBannerHeight + 35, 85, 24, "浏览(&R)...");
    btnBrowse->OnClick = TNotifyEvent(this, &TfmFolderSelect::BrowseClick);
    ListDrives = Place<TPlainListBox>(this, "ListDrives", 16, kBannerHeight + 72, 471, 200);
    ListDrives->SetTabStops({40, 110, 170, 230});
    FolderDialog = new TKvSelectFolderDialog(this);
    FolderDialog->SetName("FolderDialog");
}

void TfmFolderSelect::LoadPage(TStream* stream, TStrings* record)
{
    TfmTopImageDialog::LoadPage(stream, record);
    if (record != nullptr)
        LoadBanner(stream, *record);
}

void TfmFolderSelect::FormShow(TObject* sender)
{
    TfmTopImageDialog::FormShow(sender);
    TOstrelExecutor* engine = Main()->OstrelExecutor;
    if (SysUtils::Trim(EditFolder->Caption()).empty())
        EditFolder->SetCaption(engine->ExpandMacros(engine->InstallPath()));
    actPrior->SetEnabled(PriorPage() != nullptr);
    ShowDrives(false);
}

std::vector<TfmFolderSelect::TDriveNeed> TfmFolderSelect::SpaceNeeds(const TStrings& spaceList,
                                                                      const std::string& installFolder)
{
    std::vector<TDriveNeed> needs;
    for (int i = 0; i < spaceList.Count(); ++i) {
        std::vector<std::string> fields = uTabRecord::Split(spaceList[i]);
        if (fields.size() < 3)
            continue;
        std::string drive = fields[1].substr(0, 3);
        if (SysUtils::SameText(drive, "<IN"))
            drive = installFolder.substr(0, 3);
        std::int64_t size = 0;
        if (drive.size() < 3 || !SysUtils::TryStrToInt64(SysUtils::Trim(fields[2]), size))
            continue;
        drive = SysUtils::UpperCase(drive);
        auto found = std::find_if(needs.begin(), needs.end(), [&](const TDriveNeed& n) { return n.Drive == drive; });
        if (found == needs.end())
            needs.push_back({drive, size});
        else
            found->Required += size;
    }
    return needs;
}

bool TfmFolderSelect::ShowDrives(bool complain)
{
    TfmMain* main = Main();
    std::string folder = SysUtils::Trim(EditFolder->Caption());
    std::vector<std::string> rows{main->GetLanguageText("VolumeName", "卷标") + "\t" +
                                  main->GetLanguageText("VolumeSize", "磁盘大小") + "\t" +
                                  main->GetLanguageText("FreeSpace", "可用") + "\t" +
                                  main->GetLanguageText("Required", "必用") + "\t" +
                                  main->GetLanguageText("Remain", "剩余")};
    std::string shortage;
    for (const TDriveNeed& need : SpaceNeeds(main->OstrelExecutor->SpaceList(), folder)) {
        ULARGE_INTEGER freeToCaller{}, total{}, totalFree{};
        if (!GetDiskFreeSpaceExA(need.Drive.c_str(), &freeToCaller, &total, &totalFree))
            continue;
        auto free = static_cast<std::int64_t>(freeToCaller.QuadPart);
        std::int64_t remain = free - need.Required;
        if (remain < 0 && shortage.empty()) {
            std::string text = main->GetLanguageText("NotEnoughSpace", "驱动器 <Drive> 的空间不够：需要 <Required>，可用 <Free>。");
            text = SysUtils::StringReplace(text, "<Drive>", need.Drive);
            text = SysUtils::StringReplace(text, "<Required>", Megabytes(need.Required));
            shortage = SysUtils::StringReplace(text, "<Free>", Megabytes(free));
        }
        rows.push_back(need.Drive + "\t" + Megabytes(static_cast<std::int64_t>(total.QuadPart)) + "\t" +
                       Megabytes(free) + "\t" + Megabytes(need.Required) + "\t" + Megabytes(remain));
    }
    ListDrives->SetItems(rows);
    if (!shortage.empty() && complain)
        Application()->MessageBox(shortage, Caption(), MB_ICONWARNING);
    return shortage.empty();
}

std::string TfmFolderSelect::FolderProblem(const std::string& folder) const
{
    TfmMain* main = Main();
    auto problem = [&](const std::string& key, const std::string& defaultText) {
        return SysUtils::StringReplace(main->GetLanguageText(key, defaultText), "<Folder>", folder);
    };
    if (folder.empty())
        return problem("FolderEmpty", "请输入安装文件夹。");
    if (folder.size() < 4 || folder[1] != ':' || folder[2] != '\\' || !std::isalpha(static_cast<unsigned char>(folder[0])))
        return problem("FolderNotFullPath", "安装文件夹 <Folder> 不是以盘符开头的完整路径，例如 C:\\Program Files\\Product。");
    if (folder.find_first_of("/:*?\"<>|", 2) != std::string::npos)
        return problem("FolderBadCharacters", "安装文件夹 <Folder> 含有文件夹名不能用的字符 / : * ? \" < > |。");
    UINT kind = GetDriveTypeA(folder.substr(0, 3).c_str());
    if (kind == DRIVE_NO_ROOT_DIR || kind == DRIVE_UNKNOWN)
        return problem("DriveNotFound", "安装文件夹 <Folder> 所在的驱动器不存在。");
    return std::string();
}

void TfmFolderSelect::BrowseClick(TObject*)
{
    // The folder typed may not exist yet: start at its nearest existing parent.
    std::string start = SysUtils::ExcludeTrailingBackslash(SysUtils::Trim(EditFolder->Caption()));
    while (!start.empty() && !SysUtils::DirectoryExists(start)) {
        std::string parent = SysUtils::ExcludeTrailingBackslash(SysUtils::ExtractFilePath(start));
        start = parent.size() < start.size() ? parent : std::string();
    }
    FolderDialog->SetTitle(LabelFolder->Caption());
    if (start.empty())
        FolderDialog->SelectedFolder()->Clear();
    else
        FolderDialog->SelectedFolder()->SetPath(start.size() == 2 ? start + "\\" : start);
    if (!FolderDialog->Execute())
        return;
    // A virtual folder has no path to install into: keep the edit as it was.
    std::string chosen = FolderDialog->SelectedFolder()->Path();
    if (chosen.empty())
        return;
    EditFolder->SetCaption(chosen);
    ShowDrives(false);
}

void TfmFolderSelect::Next()
{
    std::string folder = SysUtils::ExcludeTrailingBackslash(SysUtils::Trim(EditFolder->Caption()));
    std::string problem = FolderProblem(folder);
    if (!problem.empty()) {
        Application()->MessageBox(problem, Caption(), MB_ICONWARNING);
        return;
    }
    if (!ShowDrives(true))
        return;
    Main()->OstrelExecutor->SetInstallPath(folder);
    TfmTopImageDialog::Next();
}
