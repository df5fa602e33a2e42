// The recorder's settings: names and defaults.
#include "VideoSettings.h"

namespace VideoSettings {

const char kPhotoSection[] = "照相";
const char kVideoSection[] = "录相";
const char kTimerSection[] = "定时";
const char kWindowSection[] = "窗口";
const char kFolderKey[] = "1";
const char kDelayKey[] = "1";
const char kShowKey[] = "show";

const char kDefaultPhotoFolder[] = "mypic";
const char kDefaultVideoFolder[] = "mycap";
const char kDefaultDelay[] = "5";

namespace {

void SeedFolder(const CPathHelper& paths, LPCSTR section, LPCSTR name)
{
    if (!paths.ReadSetting(section, kFolderKey).IsEmpty())
        return;
    const CString folder = paths.GetProgramFolder() + "\\" + name;
    CreateDirectoryA(folder, nullptr);
    paths.WriteSetting(section, kFolderKey, folder);
}

}  // namespace

void SeedDefaults(const CPathHelper& paths)
{
    SeedFolder(paths, kPhotoSection, kDefaultPhotoFolder);
    SeedFolder(paths, kVideoSection, kDefaultVideoFolder);
    if (paths.ReadSetting(kTimerSection, kDelayKey).IsEmpty())
        paths.WriteSetting(kTimerSection, kDelayKey, kDefaultDelay);
}

}  // namespace VideoSettings
