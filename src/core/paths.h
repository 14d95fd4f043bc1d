#pragma once

#include <cstddef>
#include <cstdint>

#include <memory>
#include <string>
#include <vector>

namespace kombitron {

// The save-dialog rule, applied to the file name of `path` only (never to a folder name in it):
// when a "." occurs among the last six characters of the file name, everything from its last "."
// is replaced by `extension` (given with its dot); otherwise `extension` is appended.
std::string applySaveExtension(const std::string& path, const std::string& extension);

// The file name of a path: the text after its last "/" or "\".
std::string fileNameOf(const std::string& path);

// Folder where reports are written: the folder given to setApplicationFolder (the front ends
// give the program's folder; the folder of the running executable when none is given) when it
// is writable and is not the folder the programs are installed to, otherwise
// $XDG_DATA_HOME/kombitron or ~/.local/share/kombitron (created when missing).
void setApplicationFolder(const std::string& folder);
const std::string& applicationFolder();

// The folder the installed programs live in (/usr/bin for the package). Never a report folder,
// even for root, who could write there.
const std::string& installedProgramFolder();

// Write `contents` to `path` through a temporary file beside it renamed over the target, so a
// failed write leaves any previous file untouched. False with a description on failure.
bool writeFileAtomically(const std::string& path, const std::string& contents, std::string& failure);

// The file a save to `path` really replaces: `path` itself, or the file a symbolic link (or a
// chain of them, relative ones resolved from the link's folder) points to, existing or not.
std::string resolveSaveTarget(const std::string& path);

// Remove every temporary file of a save still in progress. Safe to call from a signal handler
// (SIGINT, SIGTERM): it only unlinks, allocates nothing and takes no lock. Each pending save
// then fails at its next step; the targets stay as they were.
void removePendingTemporaries();

// Make a write beyond the file-size limit (ulimit -f) fail with its error instead of killing the
// program with SIGXFSZ. Every writer below calls it; front ends may call it early too.
void ignoreFileSizeSignal();

} // namespace kombitron

namespace kombitron {

// Streaming form of writeFileAtomically: bytes go to "<target>.tmpXXXXXX" beside the file the
// target resolves to (a shorter name when that one would be too long); commit() flushes, syncs
// and renames it over the target, which keeps the permissions the replaced file had. A symbolic
// link stays a link: the file it points to is replaced. Destroying an uncommitted writer, or any
// failure, removes the temporary file and leaves the target as it was.
class AtomicFileWriter {
public:
    AtomicFileWriter() = default;
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // Create the temporary file; false with a description when it cannot.
    bool open(const std::string& target, std::string& failure);
    // Append bytes; false with a description on a write error (later writes are ignored).
    bool write(const void* data, size_t size, std::string& failure);
    bool write(const std::string& text, std::string& failure) { return write(text.data(), text.size(), failure); }
    // Make the written bytes the target file.
    bool commit(std::string& failure);
    // Drop the temporary file.
    void discard();

    // The file the writer replaces (the target with its links resolved) and its temporary file.
    const std::string& target() const { return target_; }
    const std::string& temporary() const { return temp_; }

private:
    friend class AtomicFileSet;
    // Flush, sync and close the temporary file, giving it the target's permissions.
    bool finish(std::string& failure);
    void forgetTemporary();

    std::string target_;
    std::string temp_;
    int slot_ = -1;              // entry in the table of pending temporaries
    int fd_ = -1;
    bool failed_ = false;
    int64_t written_ = 0;
    int64_t flushedUpTo_ = 0;
};

// Several files that change together, for instance a bet file and the base file beside it: each
// member is written to its own temporary file, and commit() renames them only when every one is
// complete, in the order they were added (add the file that must change last, the bet file,
// last). If a rename fails, the files already renamed get their old contents back, so a failure
// leaves every previous file as it was and no temporary file behind.
class AtomicFileSet {
public:
    AtomicFileSet() = default;
    AtomicFileSet(const AtomicFileSet&) = delete;
    AtomicFileSet& operator=(const AtomicFileSet&) = delete;

    // A new member writing to `target`, owned by the set; null with a description when its
    // temporary file cannot be created (the set is then discarded).
    AtomicFileWriter* add(const std::string& target, std::string& failure);
    // Make every member's bytes its target; false with a description, everything as before.
    bool commit(std::string& failure);
    // Drop every temporary file.
    void discard();

private:
    std::vector<std::unique_ptr<AtomicFileWriter>> members_;
};

} // namespace kombitron
