// A fresh folder under the Windows temporary folder, removed with its contents
// when the fixture goes away.
#pragma once
#include <string>

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    // Path of a name inside the folder ("a\\b.txt" allowed).
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

// Whole-file helpers for fixtures and checks.
std::string ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);
// Removes a folder and everything below it; quiet when it is absent.
void RemoveTree(const std::string& path);
