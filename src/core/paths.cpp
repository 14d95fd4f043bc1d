#include "core/paths.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <mutex>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <filesystem>
#include <unistd.h>

#include "core/errors.h"

namespace kombitron {

std::string applySaveExtension(const std::string& path, const std::string& extension)
{
    // Only the file name counts: in "res.v/out" the dot belongs to a folder.
    const size_t slash = path.find_last_of("/\\");
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const size_t tailStart = std::max(nameStart, path.size() > 6 ? path.size() - 6 : 0);
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

bool sameFolder(const std::string& a, const std::string& b)
{
    std::error_code ec;
    return std::filesystem::equivalent(a, b, ec) && !ec;
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
        const bool usable = writableFolder(folder) && !sameFolder(folder, installedProgramFolder());
        g_applicationFolder = usable ? folder : userDataFolder();
    }
    return g_applicationFolder;
}

const std::string& installedProgramFolder()
{
    static const std::string folder = KOMBITRON_INSTALL_BIN_DIR;
    return folder;
}

bool writeFileAtomically(const std::string& path, const std::string& contents, std::string& failure)
{
    AtomicFileWriter writer;
    return writer.open(path, failure) && writer.write(contents, failure) && writer.commit(failure);
}

std::string resolveSaveTarget(const std::string& path)
{
    std::filesystem::path current = path;
    // Follow links as the kernel would, up to its own limit of nested links.
    for (int depth = 0; depth < 40; ++depth) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) break;
        std::error_code ec;
        const std::filesystem::path link = std::filesystem::read_symlink(current, ec);
        if (ec) break;
        current = link.is_absolute() ? link : current.parent_path() / link;
    }
    return current.string();
}

void ignoreFileSizeSignal()
{
    static std::once_flag once;
    std::call_once(once, [] { std::signal(SIGXFSZ, SIG_IGN); });
}

namespace {

// Paths of the temporary files being written, for removePendingTemporaries(). A fixed table of
// atomics, so that a signal handler can walk it; a save that finds it full still works, it is
// only not cleaned up on a signal.
constexpr int kPendingSlots = 64;
std::atomic<char*> g_pending[kPendingSlots];

int rememberPending(const std::string& path)
{
    char* copy = static_cast<char*>(std::malloc(path.size() + 1));
    if (!copy) return -1;
    std::memcpy(copy, path.c_str(), path.size() + 1);
    for (int i = 0; i < kPendingSlots; ++i) {
        char* expected = nullptr;
        if (g_pending[i].compare_exchange_strong(expected, copy)) return i;
    }
    std::free(copy);
    return -1;
}

void forgetPending(int& slot)
{
    if (slot < 0) return;
    std::free(g_pending[slot].exchange(nullptr));
    slot = -1;
}

mode_t processUmask()
{
    // umask() can only be read by setting it; do that once, before any file is created.
    static const mode_t mask = [] {
        const mode_t m = ::umask(0);
        ::umask(m);
        return m;
    }();
    return mask;
}

// A free name beside `target` made from its own name and `suffix` ("XXXXXX" at the end for
// mkstemp); the name is cut so that the whole fits the file system's limit on a name.
std::string siblingPattern(const std::string& target, const char* suffix)
{
    const size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    const size_t room = NAME_MAX - std::strlen(suffix);
    if (name.size() > room) {
        size_t cut = room;
        while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
        name.resize(cut);
    }
    return folder + name + suffix;
}

std::string systemFailure(int error) { return describeSystemError(error); }

void syncFolderOf(const std::string& file)
{
    const size_t slash = file.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : file.substr(0, slash));
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

void removePendingTemporaries()
{
    // Only async-signal-safe calls: atomic loads and unlink(). The names stay in the table; the
    // writers free them when they end.
    for (auto& slot : g_pending)
        if (const char* path = slot.load()) ::unlink(path);
}

AtomicFileWriter::~AtomicFileWriter() { discard(); }

bool AtomicFileWriter::open(const std::string& target, std::string& failure)
{
    discard();
    ignoreFileSizeSignal();
    processUmask();
    target_ = resolveSaveTarget(target);
    std::string pattern = siblingPattern(target_, ".tmpXXXXXX");
    fd_ = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd_ < 0) {
        failure = systemFailure(errno);
        return false;
    }
    temp_ = pattern;
    slot_ = rememberPending(temp_);
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
            failure = systemFailure(errno);
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

bool AtomicFileWriter::finish(std::string& failure)
{
    if (fd_ < 0 || failed_) {
        failure = "no se pudo escribir el fichero";
        return false;
    }
    // The replaced file keeps its permissions (and, where allowed, its owner); a new file gets
    // the usual ones rather than mkstemp's 0600.
    struct stat old {};
    if (::stat(target_.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
        ::fchmod(fd_, old.st_mode & 07777);
        if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) (void)!::fchown(fd_, old.st_uid, old.st_gid);
    } else {
        ::fchmod(fd_, 0666 & ~processUmask());
    }
    const int synced = ::fsync(fd_);
    const int syncError = errno;
    const int closed = ::close(fd_);
    const int closeError = errno;
    fd_ = -1;
    if (synced != 0 || closed != 0) {
        failure = systemFailure(synced != 0 ? syncError : closeError);
        return false;
    }
    return true;
}

bool AtomicFileWriter::commit(std::string& failure)
{
    if (!finish(failure)) {
        discard();
        return false;
    }
    if (std::rename(temp_.c_str(), target_.c_str()) != 0) {
        failure = systemFailure(errno);
        discard();
        return false;
    }
    forgetTemporary();
    syncFolderOf(target_);
    return true;
}

void AtomicFileWriter::forgetTemporary()
{
    forgetPending(slot_);
    temp_.clear();
}

void AtomicFileWriter::discard()
{
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!temp_.empty()) {
        ::unlink(temp_.c_str());
        forgetTemporary();
    }
}

AtomicFileWriter* AtomicFileSet::add(const std::string& target, std::string& failure)
{
    auto writer = std::make_unique<AtomicFileWriter>();
    if (!writer->open(target, failure)) {
        discard();
        return nullptr;
    }
    members_.push_back(std::move(writer));
    return members_.back().get();
}

namespace {

// A second name for a file about to be replaced, so the old contents can be put back. Empty when
// there is no old file or the file system cannot link.
struct Backup {
    std::string path;
    int slot = -1;

    bool take(const std::string& target)
    {
        struct stat info {};
        if (::stat(target.c_str(), &info) != 0) return false;
        for (int attempt = 0; attempt < 8; ++attempt) {
            std::string pattern = siblingPattern(target, ".bakXXXXXX");
            const int fd = ::mkstemp(pattern.data());
            if (fd < 0) return false;
            ::close(fd);
            ::unlink(pattern.c_str());
            if (::link(target.c_str(), pattern.c_str()) == 0) {
                path = pattern;
                slot = rememberPending(path);
                return true;
            }
            if (errno != EEXIST) return false;
        }
        return false;
    }
    void restore(const std::string& target)
    {
        if (path.empty()) return;
        std::rename(path.c_str(), target.c_str());
        forget();
    }
    void drop()
    {
        if (path.empty()) return;
        ::unlink(path.c_str());
        forget();
    }
    void forget()
    {
        forgetPending(slot);
        path.clear();
    }
};

} // namespace

bool AtomicFileSet::commit(std::string& failure)
{
    for (auto& member : members_)
        if (!member->finish(failure)) {
            discard();
            return false;
        }
    std::vector<Backup> backups(members_.size());
    std::vector<bool> existed(members_.size());
    for (size_t i = 0; i < members_.size(); ++i) {
        struct stat info {};
        existed[i] = ::stat(members_[i]->target().c_str(), &info) == 0;
        if (existed[i]) backups[i].take(members_[i]->target());
    }
    for (size_t i = 0; i < members_.size(); ++i) {
        AtomicFileWriter& member = *members_[i];
        if (std::rename(member.temporary().c_str(), member.target().c_str()) == 0) {
            member.forgetTemporary();
            continue;
        }
        failure = systemFailure(errno);
        // Put back what was already replaced; a file that did not exist before goes away again.
        for (size_t j = 0; j < i; ++j) {
            if (!backups[j].path.empty()) backups[j].restore(members_[j]->target());
            else if (!existed[j]) ::unlink(members_[j]->target().c_str());
        }
        for (auto& backup : backups) backup.drop();
        discard();
        return false;
    }
    for (auto& backup : backups) backup.drop();
    for (auto& member : members_) syncFolderOf(member->target());
    members_.clear();
    return true;
}

void AtomicFileSet::discard()
{
    for (auto& member : members_) member->discard();
    members_.clear();
}

} // namespace kombitron
