// The exception that ends an install on the user's cancel; it carries no message.
#pragma once

#include "Exception.h"

class ECancelInstall : public Exception {
public:
    ECancelInstall() : Exception(std::string()) {}
};
