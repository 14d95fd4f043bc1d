#include "core/paths.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <filesystem>
#include <unistd.h>

namespace kombitron {

std::string applySaveExtension(const std::string& path, const std::string& extension)
{
    const size_t tailStart = path.size() > 6 ? path.size() - 6 : 0;
    const size_t dot = path.rfind('.');
    if (dot != std::string::npos && dot >= tailStart) return path.substr(0, dot) + extension;
    return path + extension;
}

std::string fileNameOf(const std::string& path)
{
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

namespace {
std::string g_requestedFolder; // given by the front end; empty: the program's own folder
std::string g_applicationFolder;

bool writableFolder(const std::string& folder)
{
    std::error_code ec;
    return !folder.empty() && std::filesystem::is_directory(folder, ec) && ::access(folder.c_str(), W_OK | X_OK) == 0;
}

std::string programFolder()
{
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : exe.parent_path().string();
}

// $XDG_DATA_HOME/kombitron, or ~/.local/share/kombitron, created when missing.
std::string userDataFolder()
{
    std::filesystem::path base;
    const char* xdg = std::getenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    if (xdg && xdg[0] == '/') base = xdg;
    else if (home && home[0] != '\0') base = std::filesystem::path(home) / ".local" / "share";
    else base = std::filesystem::temp_directory_path();
    const std::filesystem::path folder = base / "kombitron";
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    return folder.string();
}
} // namespace

void setApplicationFolder(const std::string& folder)
{
    g_requestedFolder = folder;
    g_applicationFolder.clear();
}

const std::string& applicationFolder()
{
    if (g_applicationFolder.empty()) {
        const std::string folder = g_requestedFolder.empty() ? programFolder() : g_requestedFolder;
        g_applicationFolder = writableFolder(folder) ? folder : userDataFolder();
    }
    return g_applicationFolder;
}

bool writeFileAtomically(const std::string& path, const std::string& contents, std::string& failure)
{
    AtomicFileWriter writer;
    return writer.open(path, failure) && writer.write(contents, failure) && writer.commit(failure);
}

AtomicFileWriter::~AtomicFileWriter() { discard(); }

bool AtomicFileWriter::open(const std::string& target, std::string& failure)
{
    discard();
    target_ = target;
    std::string pattern = target + ".tmpXXXXXX";
    fd_ = mkstemp(pattern.data());
    if (fd_ < 0) {
        failure = std::strerror(errno);
        return false;
    }
    temp_ = pattern;
    failed_ = false;
    written_ = 0;
    flushedUpTo_ = 0;
    return true;
}

bool AtomicFileWriter::write(const void* data, size_t size, std::string& failure)
{
    if (fd_ < 0 || failed_) {
        failure = "no se pudo escribir el fichero";
        return false;
    }
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        ssize_t n = ::write(fd_, p, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            failure = std::strerror(errno);
            failed_ = true;
            return false;
        }
        p += n;
        size -= static_cast<size_t>(n);
        written_ += n;
    }
    // Start writing big files out while they are still being produced, so that the sync in
    // commit() finds little left to do.
    constexpr int64_t kFlushStep = int64_t{32} << 20;
    if (written_ - flushedUpTo_ >= kFlushStep) {
        ::sync_file_range(fd_, flushedUpTo_, written_ - flushedUpTo_, SYNC_FILE_RANGE_WRITE);
        flushedUpTo_ = written_;
    }
    return true;
}

bool AtomicFileWriter::commit(std::string& failure)
{
    if (fd_ < 0 || failed_) {
        failure = "no se pudo escribir el fichero";
        discard();
        return false;
    }
    // New files get the usual permissions rather than mkstemp's 0600.
    mode_t mask = umask(0);
    umask(mask);
    fchmod(fd_, 0666 & ~mask);
    if (::fsync(fd_) != 0 || ::close(fd_) != 0) {
        fd_ = -1;
        failure = std::strerror(errno);
        discard();
        return false;
    }
    fd_ = -1;
    if (std::rename(temp_.c_str(), target_.c_str()) != 0) {
        failure = std::strerror(errno);
        discard();
        return false;
    }
    temp_.clear();
    return true;
}

void AtomicFileWriter::discard()
{
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!temp_.empty()) {
        ::unlink(temp_.c_str());
        temp_.clear();
    }
}

} // namespace kombitron
