// The system's list of files to rename or delete at the next restart, as the
// tests read it back.
#pragma once

#include <string>
#include <vector>

// The entries of PendingFileRenameOperations in order: pairs of source and
// target (an empty target means deletion), then the empty entries that end the
// list. Empty when the value is absent.
std::vector<std::wstring> PendingFileRenames();
