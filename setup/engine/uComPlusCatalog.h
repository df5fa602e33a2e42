// Undo of component-services installs: applications and components removed
// through the catalog's automation object "MTSAdmin.Catalog.1".
#pragma once

#include <string>

namespace uComPlusCatalog {

// The automation name of the catalog object.
extern const char* const CatalogProgId;

// Removes every application of that name from the "Packages" collection and saves
// the catalog once. Raises an Exception naming the catalog when it is absent or a
// catalog call fails.
void RemoveApplication(const std::string& name);

// In every application named `appName` removes the first component whose "ProgID"
// is `progId`, saving the catalog after each removal. Errors as above.
void RemoveComponent(const std::string& appName, const std::string& progId);

} // namespace uComPlusCatalog
