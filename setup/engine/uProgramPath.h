// The path of the running program, however long it is.
#pragma once

#include <string>

namespace uProgramPath {

// The full path of the running program's file; empty when the system gives none.
std::string RunningProgramPath();

} // namespace uProgramPath
