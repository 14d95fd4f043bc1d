#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kombitron {

// Sequential bytes of a file read in large chunks, or of a block in memory, with a window that
// can be asked to hold a number of bytes at once. Used by the bet-file readers.
class ByteInput {
public:
    ByteInput() = default;
    ~ByteInput();
    ByteInput(const ByteInput&) = delete;
    ByteInput& operator=(const ByteInput&) = delete;

    // Read from memory that outlives this object.
    explicit ByteInput(std::string_view bytes);
    // Open a file for reading; false with a description when it cannot be opened.
    bool open(const std::string& path, std::string& failure);

    // Bytes available from the current position without reading more.
    const uint8_t* data() const { return data_ + position_; }
    size_t available() const { return end_ - position_; }
    // Move the current position forward (n <= available()).
    void consume(size_t n) { position_ += n; }
    // Make at least `n` bytes available; false when the input ends (or fails) first.
    bool ensure(size_t n);
    // Total length of the input in bytes, and how much of it lies after the current position.
    int64_t size() const { return size_; }
    int64_t remaining() const { return size_ - consumed(); }
    // A read error met by ensure(); empty when none.
    const std::string& failure() const { return failure_; }

private:
    int64_t consumed() const { return consumedBefore_ + static_cast<int64_t>(position_); }

    const uint8_t* data_ = nullptr;
    size_t position_ = 0;
    size_t end_ = 0;
    int64_t size_ = 0;
    int64_t consumedBefore_ = 0;  // bytes dropped from the buffer before data_[0]
    std::vector<uint8_t> buffer_;
    int fd_ = -1;
    bool atEnd_ = false;
    std::string failure_;
};

} // namespace kombitron
