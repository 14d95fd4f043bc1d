#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kombitron {

// The key every bet file is enciphered with.
inline constexpr const char* kBetFileKey = "PORTA7319028465";
// Longest text the cipher accepts, in characters.
inline constexpr size_t kMaxCipherText = 200;

// RC4 over `text` under `key` (both UTF-8; each turned into Windows-1252 bytes, the key cut to
// its first 256 bytes) and the enciphered bytes returned as Windows-1252 characters in UTF-8.
// Enciphering and deciphering are the same operation. Returns "0" when the key is empty, the text
// is empty or the text has more than 200 characters.
std::string CipherText(const std::string& text, const std::string& key);

// The same on raw single-byte text and key: returns the enciphered bytes, or "0" as above.
std::string cipherBytes(std::string_view bytes, std::string_view keyBytes);

// The first `length` bytes of the RC4 keystream of a key (raw bytes, first 256 used); empty
// when the key is empty.
std::vector<uint8_t> rc4Keystream(std::string_view keyBytes, size_t length);

// The cipher of bet-file records prepared once for a key: every record restarts RC4 from the
// same key schedule, so every record is combined with the same keystream, computed here once.
class RecordCipher {
public:
    explicit RecordCipher(std::string_view keyBytes = kBetFileKey);

    // Encipher or decipher `size` bytes in place. False, with the bytes untouched, when the key
    // is empty, `size` is 0 or `size` exceeds kMaxCipherText (the cases where CipherText gives "0").
    bool apply(uint8_t* data, size_t size) const
    {
        if (!usable_ || size == 0 || size > kMaxCipherText) return false;
        for (size_t i = 0; i < size; ++i) data[i] ^= keystream_[i];
        return true;
    }
    // Byte i (< kMaxCipherText) of the shared keystream.
    uint8_t keystreamByte(size_t i) const { return keystream_[i]; }

private:
    std::array<uint8_t, kMaxCipherText> keystream_{};
    bool usable_ = false;
};

} // namespace kombitron
