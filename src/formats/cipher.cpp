#include "formats/cipher.h"

#include <utility>

#include "formats/codepage.h"

namespace kombitron {

std::vector<uint8_t> rc4Keystream(std::string_view keyBytes, size_t length)
{
    if (keyBytes.empty()) return {};
    const size_t keyLength = keyBytes.size() < 256 ? keyBytes.size() : 256;
    uint8_t s[256];
    for (int i = 0; i < 256; ++i) s[i] = static_cast<uint8_t>(i);
    unsigned j = 0;
    for (unsigned i = 0; i < 256; ++i) {
        j = (j + static_cast<uint8_t>(keyBytes[i % keyLength]) + s[i]) & 0xFF;
        std::swap(s[i], s[j]);
    }
    std::vector<uint8_t> out(length);
    unsigned a = 0;
    j = 0;
    for (size_t k = 0; k < length; ++k) {
        a = (a + 1) & 0xFF;
        j = (j + s[a]) & 0xFF;
        std::swap(s[a], s[j]);
        out[k] = s[(s[a] + s[j]) & 0xFF];
    }
    return out;
}

std::string cipherBytes(std::string_view bytes, std::string_view keyBytes)
{
    if (keyBytes.empty() || bytes.empty() || bytes.size() > kMaxCipherText) return "0";
    const std::vector<uint8_t> stream = rc4Keystream(keyBytes, bytes.size());
    std::string out(bytes);
    for (size_t i = 0; i < out.size(); ++i) out[i] = static_cast<char>(static_cast<uint8_t>(out[i]) ^ stream[i]);
    return out;
}

std::string CipherText(const std::string& text, const std::string& key)
{
    // The single-byte form keeps one byte per character, so the 200-character limit is checked on it.
    const std::string result = cipherBytes(utf8ToCp1252(text), utf8ToCp1252(key));
    return cp1252ToUtf8(result);
}

RecordCipher::RecordCipher(std::string_view keyBytes)
{
    const std::vector<uint8_t> stream = rc4Keystream(keyBytes, kMaxCipherText);
    usable_ = !stream.empty();
    for (size_t i = 0; i < stream.size(); ++i) keystream_[i] = stream[i];
}

} // namespace kombitron
