#pragma once

#include <cstddef>
#include <cstdint>

#include <string>

namespace kombitron {

// The save-dialog rule: when a "." occurs among the last six characters of `path`, everything
// from the last "." is replaced by `extension` (given with its dot); otherwise it is appended.
std::string applySaveExtension(const std::string& path, const std::string& extension);

// The file name of a path: the text after its last "/" or "\".
std::string fileNameOf(const std::string& path);

// Folder where reports are written: the folder given to setApplicationFolder (the front ends
// give the program's folder; the folder of the running executable when none is given) when it
// is writable, otherwise $XDG_DATA_HOME/kombitron or ~/.local/share/kombitron (created when missing).
void setApplicationFolder(const std::string& folder);
const std::string& applicationFolder();

// Write `contents` to `path` through a temporary file beside it renamed over the target, so a
// failed write leaves any previous file untouched. False with a description on failure.
bool writeFileAtomically(const std::string& path, const std::string& contents, std::string& failure);

} // namespace kombitron

namespace kombitron {

// Streaming form of writeFileAtomically: bytes go to "<target>.tmpXXXXXX" in the same folder;
// commit() flushes, syncs and renames it over the target. Destroying an uncommitted writer
// removes the temporary file and leaves the target as it was.
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

private:
    std::string target_;
    std::string temp_;
    int fd_ = -1;
    bool failed_ = false;
    int64_t written_ = 0;
    int64_t flushedUpTo_ = 0;
};

} // namespace kombitron
