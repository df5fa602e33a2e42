// Undo of database-engine aliases: the alias is deleted through an engine session
// and the engine's configuration file is saved.
#pragma once

#include <string>

namespace uDatabaseAlias {

// The engine's library, loaded by name when an alias is to be deleted.
extern const char* const EngineLibrary;

// Deletes the alias in the persistent configuration and saves it. Raises an
// Exception naming the engine when it is not installed or refuses the deletion.
void DeleteAlias(const std::string& alias);

} // namespace uDatabaseAlias
