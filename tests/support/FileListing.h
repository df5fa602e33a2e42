// The files of a folder that match a pattern, as a test counts and reads what
// the program wrote there.
#pragma once

#include <string>
#include <vector>

// The full paths of the entries of `folder` matching `pattern` ("*.bmp"), in
// the order of their names; for "*" that includes "." and "..".
std::vector<std::string> FilesIn(const std::string& folder, const char* pattern);
