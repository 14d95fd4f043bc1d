#pragma once

#include <filesystem>
#include <string>

namespace kombitron::test {

// A fresh empty folder for one test, removed when the object goes away.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

// Whole contents of a file ("" when missing).
std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& contents);

} // namespace kombitron::test
