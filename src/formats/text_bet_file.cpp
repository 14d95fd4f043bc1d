#include <algorithm>
#include <cstring>

#include "core/text.h"
#include "formats/bet_files.h"
#include "formats/byte_input.h"

namespace kombitron {

namespace {

// Longest line the reader takes. A bet line holds at most a few dozen useful characters; a
// longer one is refused rather than buffered, so memory stays flat whatever the file holds.
constexpr size_t kMaxLine = 1024;

// Lines of the input ended by LF, CR LF or a lone CR; a last line without an end counts too.
// Every byte is looked at once, whatever the line ends, so reading stays linear in the file.
class LineReader {
public:
    enum class Next { Line, End, TooLong };

    explicit LineReader(ByteInput& in) : in_(in) {}

    // The next line without its end, valid until the following call.
    Next next(std::string_view& line)
    {
        size_t scanned = 0; // bytes at the window's start known to hold no line end
        for (;;) {
            const uint8_t* d = in_.data();
            const size_t a = in_.available();
            size_t i = scanned;
            while (i < a && d[i] != '\n' && d[i] != '\r') ++i;
            if (i > kMaxLine) return Next::TooLong;
            // A CR at the edge of the window may be the first half of a CR LF: look one byte further.
            if (i < a && (d[i] == '\n' || i + 1 < a || ended_)) {
                line = view(d, i);
                in_.consume(i + ((d[i] == '\r' && i + 1 < a && d[i + 1] == '\n') ? 2 : 1));
                return Next::Line;
            }
            scanned = i;
            if (ended_) {
                if (a == 0) return Next::End;
                line = view(d, a);
                in_.consume(a);
                return Next::Line;
            }
            if (!in_.ensure(a + 1)) ended_ = true;
        }
    }

private:
    static std::string_view view(const uint8_t* d, size_t n) { return {reinterpret_cast<const char*>(d), n}; }

    ByteInput& in_;
    bool ended_ = false;
};

constexpr size_t kMinLine = 12;

enum class LineOutcome { Skipped, Stored, Failed };

// A field of digits as a number, saturated well above any valid value; false when not digits.
bool parseDigits(std::string_view field, int& value)
{
    constexpr int kSaturated = 1000;
    int64_t v = 0;
    switch (parseInteger(field, 0, kSaturated, v)) {
    case IntegerParse::NotNumber: return false;
    case IntegerParse::OutOfRange: value = kSaturated; return true;
    case IntegerParse::Ok: value = static_cast<int>(v); return true;
    }
    return false;
}

class TextBetReader {
public:
    TextBetReader(bool withReintegros, Progress& progress, const StopToken& stop)
        : withReintegros_(withReintegros), progress_(progress), stop_(stop)
    {
    }

    BetFileRead read(ByteInput& in)
    {
        // A UTF-8 byte-order mark is not part of the first line.
        if (in.ensure(3) && std::memcmp(in.data(), "\xEF\xBB\xBF", 3) == 0) in.consume(3);
        int64_t estimate = in.remaining() / 14 + 1;
        if (estimate > kMaxImportBets - 3) estimate = kMaxImportBets;
        read_.bets.resize(estimate);

        LineReader lines(in);
        std::string_view line;
        bool first = true;
        for (;;) {
            const LineReader::Next next = lines.next(line);
            if (next == LineReader::Next::End) break;
            if (next == LineReader::Next::TooLong) {
                other("línea de más de " + std::to_string(kMaxLine) + " caracteres");
                return failed();
            }
            if (first) {
                separator_ = DetectSeparator(line);
                first = false;
            }
            if (isSkipped(line)) continue;
            if (count_ == kMaxImportBets) {
                read_.warnings.push_back("SOLO SE PUEDEN IMPORTAR " + std::to_string(kMaxImportBets) + " APUESTAS");
                break;
            }
            if (count_ == read_.bets.size()) grow();
            uint8_t* bet = read_.bets.bet(count_ + 1);
            const bool stored = separator_ ? parseSeparated(line, bet) : parseFixed(line, bet);
            if (!stored) return failed();
            ++count_;
            if (count_ % kReadYieldInterval == 0) {
                progress_.report(count_, 0);
                if (stop_.stopRequested()) {
                    BetFileRead stopped;
                    stopped.status = BetFileStatus::Stopped;
                    return stopped;
                }
            }
        }
        if (!in.failure().empty()) {
            description_ = in.failure();
            return failed();
        }
        finishList();
        read_.status = BetFileStatus::Ok;
        return std::move(read_);
    }

private:
    bool isSkipped(std::string_view line) const
    {
        if (separator_) return line.size() < kMinLine;
        size_t kept = 0;
        for (char c : line)
            if (!isStripped(c) && ++kept >= kMinLine) return false;
        return true;
    }

    static bool isStripped(char c) { return c == '*' || c == '-' || c == ',' || c == '+' || c == ' '; }

    // The estimate from the file length is only a guess: short lines or LF ends hold more bets.
    void grow()
    {
        const int64_t size = read_.bets.size();
        const int64_t wanted = std::min<int64_t>(std::max<int64_t>(size * 2, 1024), kMaxImportBets);
        BetList bigger(wanted);
        if (count_ > 0) std::memcpy(bigger.data(), read_.bets.data(), static_cast<size_t>(count_) * kBetBytes);
        read_.bets = std::move(bigger);
    }

    void finishList()
    {
        if (count_ * 2 < read_.bets.size()) {
            BetList exact(count_);
            if (count_ > 0) std::memcpy(exact.data(), read_.bets.data(), static_cast<size_t>(count_) * kBetBytes);
            read_.bets = std::move(exact);
        } else {
            read_.bets.truncate(count_);
        }
    }

    std::string betNumber() const { return std::to_string(count_ + 1); }

    bool validation(const char* text)
    {
        specific_ = std::string(text) + betNumber() + ")";
        return false;
    }
    bool other(const std::string& description)
    {
        description_ = description + " (Apuesta " + betNumber() + ")";
        return false;
    }

    bool storeNumbers(const std::string_view* fields, size_t count, uint8_t* bet)
    {
        int previous = 0;
        for (size_t k = 0; k < 6; ++k) {
            if (k >= count) return other("faltan números en la apuesta");
            int v = 0;
            if (!parseDigits(fields[k], v)) return other("valor no numérico " + quoteForMessage(fields[k]));
            if (v < kMinNumber || v > kMaxNumber)
                return validation("Apuestas con números fuera del intervalo 1-49 (Apuesta ");
            if (v <= previous) return validation("Apuestas con números no en orden ascendente (Apuesta ");
            bet[k] = static_cast<uint8_t>(v);
            previous = v;
        }
        return true;
    }

    bool storeReintegro(std::string_view field, bool present, uint8_t* bet)
    {
        if (!withReintegros_) {
            bet[6] = 0;
            return true;
        }
        if (!present)
            return validation("Ha elegido la opción de Cargar Reintegros y el fichero no tiene reintegros en sus "
                              "apuestas (Apuesta ");
        int v = 0;
        if (!parseDigits(field, v)) return other("valor no numérico " + quoteForMessage(field));
        if (v > kMaxReintegro) return validation("Apuestas con reintegros fuera del intervalo 0-9 (Apuesta ");
        bet[6] = static_cast<uint8_t>(v);
        return true;
    }

    // Fields split at the separator with empty ones dropped; a "+" separates the reintegro.
    bool parseSeparated(std::string_view line, uint8_t* bet)
    {
        std::string_view fields[7];
        size_t count = 0;
        size_t start = 0;
        for (size_t i = 0; i <= line.size() && count < 7; ++i) {
            if (i < line.size() && line[i] != separator_ && line[i] != '+') continue;
            if (i > start) fields[count++] = line.substr(start, i - start);
            start = i + 1;
        }
        return storeNumbers(fields, count, bet) && storeReintegro(count >= 7 ? fields[6] : "", count >= 7, bet);
    }

    // Two characters per number after removing the separators; the reintegro follows the twelfth.
    bool parseFixed(std::string_view line, uint8_t* bet)
    {
        char kept[14];
        size_t n = 0;
        for (size_t i = 0; i < line.size() && n < 14; ++i)
            if (!isStripped(line[i])) kept[n++] = line[i];
        std::string_view fields[6];
        for (size_t k = 0; k < 6; ++k) fields[k] = std::string_view(kept + 2 * k, 2);
        if (!storeNumbers(fields, 6, bet)) return false;
        return storeReintegro(std::string_view(kept + 12, n - 12), n > 12, bet);
    }

    BetFileRead failed()
    {
        BetFileRead read;
        read.status = BetFileStatus::Failed;
        read.warnings = std::move(read_.warnings);
        read.failure = importErrorMessage(description_ + " " + specific_);
        return read;
    }

    bool withReintegros_;
    Progress& progress_;
    StopToken stop_;
    char separator_ = 0;
    int64_t count_ = 0;
    std::string description_;
    std::string specific_;
    BetFileRead read_;
};

} // namespace

char DetectSeparator(std::string_view line)
{
    if (line.find(' ') != std::string_view::npos) return ' ';
    if (line.find_first_of(",-") != std::string_view::npos) return ',';
    return 0;
}

std::string StripSeparators(std::string_view line)
{
    std::string out;
    for (char c : line)
        if (c != '*' && c != '-' && c != ',' && c != '+' && c != ' ') out += c;
    return out;
}

BetFileRead ReadBetFileText(const std::string& path, bool withReintegros, Progress& progress, const StopToken& stop)
{
    ByteInput in;
    std::string failure;
    if (!in.open(path, failure)) {
        BetFileRead read;
        read.failure = importErrorMessage(failure + " ");
        return read;
    }
    return TextBetReader(withReintegros, progress, stop).read(in);
}

BetFileRead readBetFileTextBytes(std::string_view bytes, bool withReintegros, Progress& progress,
                                 const StopToken& stop)
{
    ByteInput in(bytes);
    return TextBetReader(withReintegros, progress, stop).read(in);
}

bool isKmbPath(const std::string& path)
{
    const size_t dot = path.rfind('.');
    if (dot == std::string::npos) return false;
    return toUpper(std::string_view(path).substr(dot + 1)) == "KMB";
}

BetFileRead readBetFile(const std::string& path, bool withReintegros, Progress& progress, const StopToken& stop)
{
    return isKmbPath(path) ? ReadBetFileKmb(path, progress, stop)
                           : ReadBetFileText(path, withReintegros, progress, stop);
}

BetFileRead readBetFile(const std::string& path, bool withReintegros, Interaction& ui)
{
    BetFileRead read = readBetFile(path, withReintegros, ui.progress(), ui.stopToken());
    showBetFileMessages(read, ui);
    return read;
}

void showBetFileMessages(const BetFileRead& read, Interaction& ui)
{
    for (const auto& w : read.warnings) ui.warning(w);
    if (read.status == BetFileStatus::Failed) ui.error(read.failure);
}

} // namespace kombitron
