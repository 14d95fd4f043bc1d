#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "formats/cipher.h"
#include "formats/codepage.h"

using namespace kombitron;

namespace {

std::vector<uint8_t> hexBytes(const std::string& hex)
{
    std::vector<uint8_t> out;
    for (size_t i = 0; i + 1 < hex.size(); i += 2) out.push_back(static_cast<uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    return out;
}

std::string keyOf(const std::string& hex)
{
    const auto bytes = hexBytes(hex);
    return std::string(bytes.begin(), bytes.end());
}

struct Rfc6229Vector {
    const char* key;
    size_t offset;
    const char* stream;
};

// Keystream blocks of RFC 6229 for the 40-bit key 0102030405 and the 128-bit key 0102...10.
const Rfc6229Vector kVectors[] = {
    {"0102030405", 0, "b2396305f03dc027ccc3524a0a1118a8"},
    {"0102030405", 16, "6982944f18fc82d589c403a47a0d0919"},
    {"0102030405", 240, "28cb1132c96ce286421dcaadb8b69eae"},
    {"0102030405", 256, "1cfcf62b03eddb641d77dfcf7f8d8c93"},
    {"0102030405", 496, "42b7d0cdd918a8a33dd51781c81f4041"},
    {"0102030405", 512, "6459844432a7da923cfb3eb4980661f6"},
    {"0102030405", 752, "ec10327bde2beefd18f9277680457e22"},
    {"0102030405", 768, "eb62638d4f0ba1fe9fca20e05bf8ff2b"},
    {"0102030405", 1008, "45129048e6a0ed0b56b490338f078da5"},
    {"0102030405", 1024, "30abbcc7c20b01609f23ee2d5f6bb7df"},
    {"0102030405", 1520, "3294f744d8f9790507e70f62e5bbceea"},
    {"0102030405", 1536, "d8729db41882259bee4f825325f5a130"},
    {"0102030405", 2032, "1eb14a0c13b3bf47fa2a0ba93ad45b8b"},
    {"0102030405", 2048, "cc582f8ba9f265e2b1be9112e975d2d7"},
    {"0102030405", 3056, "f2e30f9bd102ecbf75aaade9bc35c43c"},
    {"0102030405", 3072, "ec0e11c479dc329dc8da7968fe965681"},
    {"0102030405", 4080, "068326a2118416d21f9d04b2cd1ca050"},
    {"0102030405", 4096, "ff25b58995996707e51fbdf08b34d875"},
    {"0102030405060708090a0b0c0d0e0f10", 0, "9ac7cc9a609d1ef7b2932899cde41b97"},
    {"0102030405060708090a0b0c0d0e0f10", 16, "5248c4959014126a6e8a84f11d1a9e1c"},
    {"0102030405060708090a0b0c0d0e0f10", 240, "065902e4b620f6cc36c8589f66432f2b"},
    {"0102030405060708090a0b0c0d0e0f10", 256, "d39d566bc6bce3010768151549f3873f"},
    {"0102030405060708090a0b0c0d0e0f10", 1008, "e7a72574f8782ae26aabcf9ebcd66065"},
    {"0102030405060708090a0b0c0d0e0f10", 1024, "bdf0324e6083dcc6d3cedd3ca8c53c16"},
    {"0102030405060708090a0b0c0d0e0f10", 4080, "ff38265c1642c1abe8d3c2fe5e572bf8"},
    {"0102030405060708090a0b0c0d0e0f10", 4096, "a36a4c301ae8ac13610ccbc12256cacc"},
};

} // namespace

TEST(Cipher, KeystreamMatchesRfc6229)
{
    for (const auto& v : kVectors) {
        SCOPED_TRACE(std::string(v.key) + " @ " + std::to_string(v.offset));
        const auto stream = rc4Keystream(keyOf(v.key), v.offset + 16);
        const std::vector<uint8_t> block(stream.begin() + static_cast<long>(v.offset), stream.end());
        EXPECT_EQ(block, hexBytes(v.stream));
    }
}

TEST(Cipher, TextAndRecordCipherUseTheSameKeystream)
{
    // Enciphering zero bytes shows the keystream: through the text form (characters U+0001..U+0005
    // as the key) and through the per-record form.
    const std::string key = keyOf("0102030405");
    const std::string zeros(32, '\0');
    const std::string viaText = utf8ToCp1252(CipherText(zeros, key));
    const auto expected = hexBytes(std::string(kVectors[0].stream) + kVectors[1].stream);
    EXPECT_EQ(std::vector<uint8_t>(viaText.begin(), viaText.end()), expected);

    const RecordCipher cipher(key);
    std::vector<uint8_t> record(32, 0);
    ASSERT_TRUE(cipher.apply(record.data(), record.size()));
    EXPECT_EQ(record, expected);

    // Well-known short vectors.
    const std::string plain = cipherBytes("Plaintext", "Key");
    EXPECT_EQ(std::vector<uint8_t>(plain.begin(), plain.end()), hexBytes("bbf316e8d940af0ad3"));
    const std::string dawn = cipherBytes("Attack at dawn", "Secret");
    EXPECT_EQ(std::vector<uint8_t>(dawn.begin(), dawn.end()), hexBytes("45a01f645fc35b383552544b9bf5"));
}

TEST(Cipher, RefusedTextsGiveZero)
{
    EXPECT_EQ(CipherText("", kBetFileKey), "0");
    EXPECT_EQ(CipherText("01,02,03,04,05,06+07", ""), "0");
    EXPECT_EQ(CipherText(std::string(201, '1'), kBetFileKey), "0");
    EXPECT_NE(CipherText(std::string(200, '1'), kBetFileKey), "0");
    // 200 characters, some of two UTF-8 bytes: the limit counts characters.
    std::string accented;
    for (int i = 0; i < 100; ++i) accented += "1ñ";
    EXPECT_NE(CipherText(accented, kBetFileKey), "0");

    const RecordCipher cipher;
    uint8_t bytes[201] = {};
    EXPECT_FALSE(cipher.apply(bytes, 0));
    EXPECT_FALSE(cipher.apply(bytes, 201));
    EXPECT_FALSE(RecordCipher("").apply(bytes, 5));
}

TEST(Cipher, RoundTripsWithTheBetFileKey)
{
    const std::vector<std::string> texts = {"01,02,03,04,05,06+07", "13983816", "0102030405060708", "ñandú €",
                                            std::string(200, 'z')};
    for (const auto& text : texts) {
        SCOPED_TRACE(text);
        const std::string enciphered = CipherText(text, kBetFileKey);
        EXPECT_NE(enciphered, text);
        EXPECT_EQ(CipherText(enciphered, kBetFileKey), text);
    }
    // Every byte value survives the trip through text, the unassigned code-page bytes included.
    std::string all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    for (size_t at = 0; at < all.size(); at += 200) {
        const std::string part = all.substr(at, 200);
        EXPECT_EQ(utf8ToCp1252(cp1252ToUtf8(part)), part);
        const std::string once = CipherText(cp1252ToUtf8(part), kBetFileKey);
        EXPECT_EQ(utf8ToCp1252(CipherText(once, kBetFileKey)), part);
    }
    // The key is cut to its first 256 bytes.
    const std::string longKey(300, 'k');
    EXPECT_EQ(cipherBytes("abc", longKey), cipherBytes("abc", longKey.substr(0, 256)));
}
