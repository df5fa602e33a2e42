// A stand-in for the component-services catalog: an automation object with the
// catalog's collections, registered for this process under "MTSAdmin.Catalog.1".
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct TCatalogApplication {
    std::string Name;
    std::string Key; // the application's identifier, as the catalog keys it
    std::vector<std::string> Components; // ProgIDs
};

// What the double holds and what was asked of it.
struct TCatalogState {
    std::vector<TCatalogApplication> Applications;
    int SaveCount = 0; // SaveChanges calls that stored something or nothing
};

// Registers the double's class for this process and its ProgID in the registry
// for as long as it lives; COM must be initialised on the calling thread. Use it
// only where CatalogRegistered() is false: it removes the ProgID when it goes.
class TCatalogDouble {
public:
    TCatalogDouble();
    ~TCatalogDouble();
    TCatalogDouble(const TCatalogDouble&) = delete;
    TCatalogDouble& operator=(const TCatalogDouble&) = delete;

    TCatalogState& State();

private:
    DWORD cookie_ = 0;
};

// True when this machine names a catalog class under the catalog's ProgID.
bool CatalogRegistered();
