// The files a setup description names (payloads, pictures, attachments, a whole
// user-interface block): paths relative to the description's folder, and their bytes.
#pragma once

#include <string>

// `path` as it stands when absolute ("C:..." or "\..."), or when `baseFolder` is
// empty; otherwise inside `baseFolder`.
std::string ResolveDescribedPath(const std::string& baseFolder, const std::string& path);
// The whole file at the resolved path; a missing file raises the class library's file error.
std::string ReadDescribedFile(const std::string& baseFolder, const std::string& path);
