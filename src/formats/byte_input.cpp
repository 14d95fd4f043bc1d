#include "formats/byte_input.h"

#include "core/errors.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kombitron {

namespace {
constexpr size_t kChunk = size_t{4} << 20;
}

ByteInput::ByteInput(std::string_view bytes)
    : data_(reinterpret_cast<const uint8_t*>(bytes.data())), end_(bytes.size()),
      size_(static_cast<int64_t>(bytes.size())), atEnd_(true)
{
}

ByteInput::~ByteInput()
{
    if (fd_ >= 0) ::close(fd_);
}

bool ByteInput::open(const std::string& path, std::string& failure)
{
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat info {};
    if (fd_ < 0 || ::fstat(fd_, &info) != 0) {
        failure = describeSystemError(errno);
        return false;
    }
    if (S_ISDIR(info.st_mode)) {
        failure = describeSystemError(EISDIR);
        return false;
    }
    size_ = static_cast<int64_t>(info.st_size);
    buffer_.resize(kChunk);
    data_ = buffer_.data();
    position_ = end_ = 0;
    atEnd_ = false;
    return true;
}

bool ByteInput::ensure(size_t n)
{
    if (available() >= n) return true;
    if (atEnd_ || fd_ < 0) return false;
    // Keep the unread tail at the front of the buffer and fill the rest.
    const size_t tail = available();
    if (position_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + position_, tail);
        consumedBefore_ += static_cast<int64_t>(position_);
        position_ = 0;
        end_ = tail;
    }
    if (buffer_.size() < n) buffer_.resize(n < 2 * buffer_.size() ? 2 * buffer_.size() : n);
    data_ = buffer_.data();
    while (end_ < buffer_.size()) {
        const ssize_t got = ::read(fd_, buffer_.data() + end_, buffer_.size() - end_);
        if (got < 0) {
            if (errno == EINTR) continue;
            failure_ = describeSystemError(errno);
            atEnd_ = true;
            break;
        }
        if (got == 0) {
            atEnd_ = true;
            break;
        }
        end_ += static_cast<size_t>(got);
        if (end_ >= n) break;
    }
    // A file that grew or shrank while open: trust what was read.
    if (atEnd_) size_ = consumedBefore_ + static_cast<int64_t>(end_);
    return available() >= n;
}

} // namespace kombitron
