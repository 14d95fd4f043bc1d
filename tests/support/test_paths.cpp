#include "support/test_paths.h"

#include <fstream>
#include <sstream>
#include <stdlib.h>

namespace kombitron::test {

TempDir::TempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "kombitron-test-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
}

TempDir::~TempDir()
{
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeFile(const std::string& path, const std::string& contents)
{
    std::ofstream out(path, std::ios::binary);
    out << contents;
}

} // namespace kombitron::test
