// The COMMAND action: open a file or address through the shell, run a program
// and wait for it, delete a file, register a component, or expand the setup's
// macros inside a file. Programs run during the install are told the install
// folder through a "/LOG:" file and may answer "Cancel" or "Error" in it.
#pragma once

#include "uInstallContext.h"

#include <string>

class TStrings;

namespace uCommandAction {

enum TCommandType { ctOpen = 0, ctExecute = 1, ctDelete = 2, ctRegister = 3, ctExpandMacros = 4 };
enum TExecuteType { etNow = 0, etBeforeInstall = 1, etAfterInstall = 2, etAtUninstall = 3 };

// Whether a program run by the command takes part in the install's "/LOG:" exchange.
enum class TRunPhase { DuringInstall, AfterInstall };

// Carries out the COMMAND record: TYPE, TARGET, PARAMS, URL, HIDDEN. During the
// install a program answering "Cancel=Y" raises ECancelInstall and one answering
// "Error=Y" raises an Exception with its "ErrorString".
void RunCommand(const TStrings& record, TRunPhase phase, TInstallContext& context);

// The COMMAND record as the install meets it: EXECUTE_TYPE etNow runs it at once
// (as RunCommand does during the install), every other type is packed onto the
// context's deferred commands. A skipped record does neither.
void RunOrDefer(const TStrings& record, bool skip, TInstallContext& context);

// Runs a command line and waits for it to end, keeping the calling thread's
// windows alive; raises an Exception when the program cannot be started.
unsigned long RunAndWait(const std::string& commandLine, bool hidden);

// The record's text with each line break written as "#13#10", as deferred
// commands are kept, and back.
std::string PackRecord(const std::string& text);
std::string UnpackRecord(const std::string& packed);

} // namespace uCommandAction
