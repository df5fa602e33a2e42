// The SHORTCUT action: a shell link made through the shell's link object and
// logged so that the uninstall removes it with the folders made for it.
#pragma once

#include "uInstallContext.h"

class TStrings;

namespace uShortcutAction {

// The SHORTCUT record: FILE_NAME (the link file), TARGET, PARAMS, ICON_FILE, ICON_INDEX.
void CreateShortcut(const TStrings& record, bool skip, TInstallContext& context);

} // namespace uShortcutAction
