#include <algorithm>
#include <cstring>
#include <vector>

#include "core/paths.h"
#include "formats/bet_files.h"
#include "formats/byte_input.h"
#include "formats/cipher.h"
#include "formats/codepage.h"

namespace kombitron {

namespace {

// Records deciphered together in one parallel batch, a whole number of yield intervals.
constexpr size_t kReadBatch = static_cast<size_t>(kReadYieldInterval) * 16;
constexpr int64_t kWriteBatch = kWriteYieldInterval * 32;
// Shortest bet record that can parse: the length and "1,2,3,4,5,6".
constexpr int64_t kShortestBetRecord = 2 + 11;
constexpr size_t kBetRecordText = 20;  // "01,02,03,04,05,06+07"

// Deciphered text of a record: a record the cipher refuses (empty or over 200 bytes) reads as "0".
size_t decipherRecord(const RecordCipher& cipher, const uint8_t* record, size_t length, uint8_t* text)
{
    if (length == 0 || length > kMaxCipherText) {
        text[0] = '0';
        return 1;
    }
    std::memcpy(text, record, length);
    cipher.apply(text, length);
    return length;
}

// A field as a byte value: digits, optionally surrounded by spaces, at most 255.
bool parseByteField(const uint8_t* text, size_t length, uint8_t& value)
{
    size_t b = 0, e = length;
    while (b < e && text[b] == ' ') ++b;
    while (e > b && text[e - 1] == ' ') --e;
    if (b == e) return false;
    unsigned v = 0;
    for (size_t i = b; i < e; ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        v = v * 10 + (text[i] - '0');
        if (v > 255) return false;
    }
    value = static_cast<uint8_t>(v);
    return true;
}

// What a bet record holds besides its numbers, one byte per record of a batch.
enum RecordStatus : uint8_t {
    kHasPlus = 1,          // the record holds a "+"
    kNumbersBad = 2,       // fewer than six fields, or one of them is not a number
    kReintegroUsable = 4,  // a seventh field that is a number
    kNumberOutOfRange = 8, // a number outside 1..49
    kReintegroOutOfRange = 16, // the seventh field is a number above 9
};

// Range flags of a parsed bet: bytes above the game's values must be refused, never cut down.
uint8_t rangeStatus(const uint8_t* numbers, uint8_t seventh, uint8_t status)
{
    if (!(status & kNumbersBad))
        for (int j = 0; j < 6; ++j)
            if (numbers[j] < kMinNumber || numbers[j] > kMaxNumber) status |= kNumberOutOfRange;
    if ((status & kReintegroUsable) && seventh > kMaxReintegro) status |= kReintegroOutOfRange;
    return status;
}

// A record the cipher cannot have produced from the program's texts (none, or too long).
bool recordLengthValid(size_t length) { return length > 0 && length <= kMaxCipherText; }

// The header holds the marked numbers as digit pairs, or "0".
bool headerValid(const uint8_t* text, size_t length)
{
    if (length == 0) return false;
    for (size_t i = 0; i < length; ++i)
        if (text[i] < '0' || text[i] > '9') return false;
    return true;
}

// Split a deciphered bet record at its commas ("+" counts as a comma) into the six numbers and
// the seventh field; only the first seven fields matter.
uint8_t parseBetRecord(const uint8_t* text, size_t length, uint8_t* numbers, uint8_t& seventh)
{
    // The form every writer of the program produces, "01,02,03,04,05,06+07", read directly.
    if (length == kBetRecordText && text[17] == '+') {
        bool plain = true;
        for (int j = 0; j < 7; ++j) {
            const unsigned hi = text[j * 3] - '0', lo = text[j * 3 + 1] - '0';
            plain = plain && hi < 10 && lo < 10 && (j >= 5 || text[j * 3 + 2] == ',');
            const uint8_t v = static_cast<uint8_t>(hi * 10 + lo);
            if (j < 6) numbers[j] = v;
            else seventh = v;
        }
        if (plain) return kHasPlus | kReintegroUsable;
    }
    uint8_t status = 0;
    size_t start = 0;
    int field = 0;
    for (size_t i = 0; i <= length; ++i) {
        const bool end = i == length;
        if (!end && text[i] != ',' && text[i] != '+') continue;
        if (!end && text[i] == '+') status |= kHasPlus;
        if (field < 7) {
            uint8_t v = 0;
            const bool ok = parseByteField(text + start, i - start, v);
            if (field < 6) {
                numbers[field] = v;
                if (!ok) status |= kNumbersBad;
            } else if (ok) {
                seventh = v;
                status |= kReintegroUsable;
            }
        }
        ++field;
        start = i + 1;
    }
    if (field < 6) status |= kNumbersBad;
    return status;
}

// The count record as a number; values beyond the limit are kept as "more than the limit".
bool parseCount(const uint8_t* text, size_t length, int64_t& count)
{
    size_t b = 0, e = length;
    while (b < e && text[b] == ' ') ++b;
    while (e > b && text[e - 1] == ' ') --e;
    if (b == e) return false;
    int64_t v = 0;
    for (size_t i = b; i < e; ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        v = std::min<int64_t>(v * 10 + (text[i] - '0'), kMaxImportBets + 1);
    }
    count = v;
    return true;
}

BetFileRead failedRead(const std::string& description, std::vector<std::string> warnings = {})
{
    BetFileRead read;
    read.status = BetFileStatus::Failed;
    read.failure = importErrorMessage(description);
    read.warnings = std::move(warnings);
    return read;
}

// Take the next record from the input; false at the end of the input.
bool nextRecord(ByteInput& in, std::vector<uint8_t>& record)
{
    if (!in.ensure(2)) return false;
    const size_t length = in.data()[0] | (static_cast<size_t>(in.data()[1]) << 8);
    if (!in.ensure(2 + length)) return false;
    record.assign(in.data() + 2, in.data() + 2 + length);
    in.consume(2 + length);
    return true;
}

std::string endOfFileDescription(const ByteInput& in)
{
    return in.failure().empty() ? "fin de fichero inesperado" : in.failure();
}

BetFileRead readKmb(ByteInput& in, Progress& progress, const StopToken& stop)
{
    const RecordCipher cipher;
    std::vector<uint8_t> record;
    uint8_t text[kMaxCipherText];

    // Garbage must not read as a valid empty file: the header and the count must decode to the
    // digits the writer puts there.
    if (!nextRecord(in, record)) return failedRead(endOfFileDescription(in));
    BetFileRead read;
    const size_t headerLength = decipherRecord(cipher, record.data(), record.size(), text);
    if (!recordLengthValid(record.size()) || !headerValid(text, headerLength))
        return failedRead("la cabecera no es la de un fichero de apuestas");
    read.header = cp1252ToUtf8(std::string_view(reinterpret_cast<const char*>(text), headerLength));

    if (!nextRecord(in, record)) return failedRead(endOfFileDescription(in));
    int64_t count = 0;
    const size_t countLength = decipherRecord(cipher, record.data(), record.size(), text);
    if (!recordLengthValid(record.size()) || !parseCount(text, countLength, count))
        return failedRead("el registro del número de apuestas no es un número");
    if (count > kMaxImportBets) {
        read.warnings.push_back("SOLO SE PUEDEN IMPORTAR " + std::to_string(kMaxImportBets) + " APUESTAS");
        count = kMaxImportBets;
    }
    // Every bet record takes some bytes: a count the file cannot hold fails before any list is sized.
    if (count > in.remaining() / kShortestBetRecord)
        return failedRead("el fichero no contiene las " + std::to_string(count) + " apuestas anunciadas",
                          std::move(read.warnings));

    read.bets.resize(count);
    std::vector<size_t> offsets;
    std::vector<size_t> lengths;
    const size_t batchSize = static_cast<size_t>(std::min<int64_t>(count, static_cast<int64_t>(kReadBatch)));
    std::vector<uint8_t> status(batchSize);
    std::vector<uint8_t> seventh(batchSize);
    offsets.reserve(batchSize);
    lengths.reserve(batchSize);
    bool carriesReintegros = false;
    int64_t done = 0;
    while (done < count) {
        // Gather the records wholly inside the window, then decipher and split them in parallel.
        offsets.clear();
        lengths.clear();
        const uint8_t* window = in.data();
        const size_t available = in.available();
        size_t at = 0;
        size_t needed = 2;
        const size_t want = std::min(static_cast<size_t>(count - done), batchSize);
        while (offsets.size() < want) {
            if (available - at < 2) { needed = 2; break; }
            const size_t length = window[at] | (static_cast<size_t>(window[at + 1]) << 8);
            if (available - at < 2 + length) { needed = 2 + length; break; }
            offsets.push_back(at + 2);
            lengths.push_back(length);
            at += 2 + length;
        }
        if (offsets.empty()) {
            if (!in.ensure(needed))
                return failedRead("el fichero no contiene las " + std::to_string(count) + " apuestas anunciadas" +
                                      (in.failure().empty() ? "" : " (" + in.failure() + ")"),
                                  std::move(read.warnings));
            continue;
        }
        const int64_t batch = static_cast<int64_t>(offsets.size());
        uint8_t* first = read.bets.bet(done + 1);
#pragma omp parallel for schedule(static) if (batch > 4096)
        for (int64_t k = 0; k < batch; ++k) {
            uint8_t plain[kMaxCipherText];
            const size_t n = decipherRecord(cipher, window + offsets[k], lengths[k], plain);
            uint8_t* bet = first + k * kBetBytes;
            uint8_t r = 0;
            const uint8_t parsed = parseBetRecord(plain, n, bet, r);
            status[k] = rangeStatus(bet, r, parsed);
            seventh[k] = r;
            // Correct as long as the file carries reintegros from this record on; fixed below otherwise.
            bet[6] = (status[k] & kHasPlus) ? r : 0;
        }
        // Whether the file carries reintegros is decided in file order: from the first "+" on.
        for (int64_t k = 0; k < batch; ++k) {
            const uint8_t st = status[k];
            carriesReintegros = carriesReintegros || (st & kHasPlus);
            // The bet's number is spelt out only for the message: fourteen million of them cost more
            // than the checks.
            const auto betNumber = [&] { return std::to_string(done + k + 1); };
            if ((st & kNumbersBad) || (carriesReintegros && !(st & kReintegroUsable)))
                return failedRead("el registro de la apuesta " + betNumber() + " no es válido", std::move(read.warnings));
            if (st & kNumberOutOfRange)
                return failedRead(" Apuestas con números fuera del intervalo 1-49 (Apuesta " + betNumber() + ")",
                                  std::move(read.warnings));
            if (carriesReintegros && (st & kReintegroOutOfRange))
                return failedRead(" Apuestas con reintegros fuera del intervalo 0-9 (Apuesta " + betNumber() + ")",
                                  std::move(read.warnings));
            if (carriesReintegros && !(st & kHasPlus)) first[k * kBetBytes + 6] = seventh[k];
        }
        in.consume(at);
        done += batch;
        progress.report(done, count);
        if (stop.stopRequested()) {
            read.bets.clear();
            read.status = BetFileStatus::Stopped;
            return read;
        }
    }
    read.status = BetFileStatus::Ok;
    return read;
}

constexpr size_t kBetRecordBytes = 2 + kBetRecordText;

// Bet records on disk. The keystream is the same for every record and the record form fixes where
// each character goes, so the enciphered separators are constant and every two-digit field is one
// lookup in a table of its enciphered digit pairs.
class BetRecordEncoder {
public:
    explicit BetRecordEncoder(const RecordCipher& cipher)
    {
        uint8_t text[kBetRecordText];
        for (int j = 0; j < 7; ++j) {
            for (int v = 0; v < 256; ++v) {
                pairs_[j][v][0] = static_cast<uint8_t>(('0' + v / 10 % 10) ^ cipher.keystreamByte(j * 3));
                pairs_[j][v][1] = static_cast<uint8_t>(('0' + v % 10) ^ cipher.keystreamByte(j * 3 + 1));
            }
            if (j < 6) text[j * 3 + 2] = j < 5 ? ',' : '+';
        }
        cipher.apply(text, kBetRecordText);
        record_[0] = static_cast<uint8_t>(kBetRecordText);
        record_[1] = 0;
        for (size_t i = 0; i < kBetRecordText; ++i) record_[2 + i] = text[i];
    }

    // Lay out bets first..first+n-1 as records, kBetRecordBytes each.
    void encode(const BetList& bets, int64_t first, int64_t n, uint8_t* out) const
    {
        const uint8_t* bet = bets.bet(first);
        for (int64_t k = 0; k < n; ++k, out += kBetRecordBytes, bet += kBetBytes) {
            std::memcpy(out, record_, kBetRecordBytes);
            for (int j = 0; j < 7; ++j) std::memcpy(out + 2 + j * 3, pairs_[j][bet[j]], 2);
        }
    }

private:
    uint8_t pairs_[7][256][2];
    uint8_t record_[kBetRecordBytes];
};

// One record on disk: the 16-bit little-endian length and the enciphered bytes.
void appendRecord(std::string& out, const std::string& enciphered)
{
    out += static_cast<char>(enciphered.size() & 0xFF);
    out += static_cast<char>((enciphered.size() >> 8) & 0xFF);
    out += enciphered;
}

} // namespace

std::string importErrorMessage(const std::string& description)
{
    return "ERROR AL IMPORTAR EL FICHERO, FICHERO NO IMPORTADO (" + description + ")";
}

std::string importValidationMessage(const std::string& specific) { return importErrorMessage(" " + specific); }

BetFileRead ReadBetFileKmb(const std::string& path, Progress& progress, const StopToken& stop)
{
    ByteInput in;
    std::string failure;
    if (!in.open(path, failure)) return failedRead(failure);
    return readKmb(in, progress, stop);
}

BetFileRead readBetFileKmbBytes(std::string_view bytes, Progress& progress, const StopToken& stop)
{
    ByteInput in(bytes);
    return readKmb(in, progress, stop);
}

BetFileWrite writeBetFileTo(AtomicFileWriter& writer, const std::string& header, const BetList& bets, int64_t count,
                            Progress& progress, const StopToken& stop)
{
    BetFileWrite result;
    auto fail = [&](const std::string& description) {
        result.status = BetFileStatus::Failed;
        result.description = description;
        result.failure = "ERROR AL GUARDAR EL FICHERO (" + description + ")";
        return result;
    };
    count = std::clamp<int64_t>(count, 0, bets.size());
    const std::string key = utf8ToCp1252(kBetFileKey);
    const RecordCipher cipher(key);
    const BetRecordEncoder encoder(cipher);
    std::string failure;

    std::string head;
    appendRecord(head, cipherBytes(utf8ToCp1252(header.empty() ? "0" : header), key));
    appendRecord(head, cipherBytes(std::to_string(count), key));
    if (!writer.write(head, failure)) return fail(failure);

    // Every bet record has the same 22 bytes on disk. Enciphering a batch costs a small part of
    // writing it, so the two follow each other: a second thread enciphering beside the write
    // would only spin while the write goes on, taking a core from the write on a busy machine.
    std::vector<uint8_t> buffer(static_cast<size_t>(std::min(count, kWriteBatch)) * kBetRecordBytes);
    for (int64_t first = 1; first <= count; first += kWriteBatch) {
        const int64_t n = std::min(kWriteBatch, count - first + 1);
        encoder.encode(bets, first, n, buffer.data());
        if (!writer.write(buffer.data(), static_cast<size_t>(n) * kBetRecordBytes, failure)) return fail(failure);
        progress.report(first + n - 1, count);
        if (stop.stopRequested()) {
            result.status = BetFileStatus::Stopped;
            return result;
        }
    }
    result.status = BetFileStatus::Ok;
    return result;
}

BetFileWrite WriteBetFile(const std::string& path, const std::string& header, const BetList& bets, int64_t count,
                          Progress& progress, const StopToken& stop)
{
    AtomicFileWriter writer;
    std::string failure;
    BetFileWrite result;
    if (writer.open(path, failure)) {
        result = writeBetFileTo(writer, header, bets, count, progress, stop);
        if (!result.ok() || writer.commit(failure)) return result;
    }
    result.status = BetFileStatus::Failed;
    result.description = failure;
    result.failure = "ERROR AL GUARDAR EL FICHERO (" + failure + ")";
    return result;
}

} // namespace kombitron
