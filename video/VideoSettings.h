// The recorder's settings in config.ini: sections, keys and the defaults that
// the options dialog writes when a shot setting is missing.
#pragma once

#include "PathHelper.h"

namespace VideoSettings {

extern const char kPhotoSection[];   // "照相": key "1" is the photo folder
extern const char kVideoSection[];   // "录相": key "1" is the video folder
extern const char kTimerSection[];   // "定时": key "1" is the delay in seconds
extern const char kWindowSection[];  // "窗口": key "show"
extern const char kFolderKey[];      // "1": a shot section's folder
extern const char kDelayKey[];       // "1": the timer section's delay
extern const char kShowKey[];        // "show"

extern const char kDefaultPhotoFolder[];  // "mypic", beside the program
extern const char kDefaultVideoFolder[];  // "mycap", beside the program
extern const char kDefaultDelay[];        // "5"

// Writes the default of every shot setting that is empty, creating the
// default folders; settings that hold a value are kept.
void SeedDefaults(const CPathHelper& paths);

}  // namespace VideoSettings
