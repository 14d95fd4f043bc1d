#include "history/draw_history.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <limits>
#include <string_view>
#include <sys/stat.h>
#include <vector>

#include "core/format.h"
#include "core/interaction.h"
#include "core/bet.h"
#include "core/errors.h"
#include "core/paths.h"
#include "core/text.h"

namespace kombitron {

namespace {

constexpr int64_t kProgressEvery = 3000;

// Longest line the loader takes: a draw line holds about 32 useful characters, so a longer one
// is an error rather than a reason to buffer it.
constexpr size_t kMaxHistoryLine = 1024;

// Reads a file in large blocks and hands out its lines; CR LF, LF and a lone CR all end a line.
class LineReader {
public:
    explicit LineReader(FILE* file) : file_(file), buffer_(size_t(1) << 20) {}

    // The next line without its end; false at the end of the file, on a read error or at a line
    // longer than kMaxHistoryLine (tooLong() then says so).
    bool next(std::string_view& line)
    {
        carry_.clear();
        if (tooLong_) return false;
        for (;;) {
            if (pos_ == end_ && !refill()) {
                if (carry_.empty() && !partial_) return false;
                partial_ = false;
                line = carry_;
                return true;
            }
            if (skipLineFeed_) {
                skipLineFeed_ = false;
                if (buffer_[pos_] == '\n' && ++pos_ == end_) continue;
            }
            const char* start = buffer_.data() + pos_;
            const char* stop = buffer_.data() + end_;
            const char* cut = start;
            while (cut != stop && *cut != '\n' && *cut != '\r') ++cut;
            if (carry_.size() + static_cast<size_t>(cut - start) > kMaxHistoryLine) {
                tooLong_ = true;
                return false;
            }
            if (cut == stop) {
                carry_.append(start, cut);
                partial_ = true;
                pos_ = end_;
                continue;
            }
            skipLineFeed_ = *cut == '\r';
            pos_ = static_cast<size_t>(cut - buffer_.data()) + 1;
            partial_ = false;
            if (carry_.empty()) {
                line = std::string_view(start, static_cast<size_t>(cut - start));
            } else {
                carry_.append(start, cut);
                line = carry_;
            }
            return true;
        }
    }

    bool failed() const { return std::ferror(file_) != 0; }
    bool tooLong() const { return tooLong_; }

private:
    bool refill()
    {
        pos_ = 0;
        end_ = std::fread(buffer_.data(), 1, buffer_.size(), file_);
        return end_ > 0;
    }

    FILE* file_;
    std::vector<char> buffer_;
    size_t pos_ = 0, end_ = 0;
    std::string carry_;
    bool partial_ = false;       // carry_ holds the start of an unfinished line
    bool skipLineFeed_ = false;  // the last line ended with CR: a following LF belongs to it
    bool tooLong_ = false;
};

struct FileCloser {
    FILE* file;
    ~FileCloser()
    {
        if (file) std::fclose(file);
    }
};

void splitAt(std::string_view text, char separator, std::vector<std::string_view>& parts)
{
    parts.clear();
    size_t start = 0;
    for (;;) {
        const size_t cut = text.find(separator, start);
        if (cut == std::string_view::npos) {
            parts.push_back(text.substr(start));
            return;
        }
        parts.push_back(text.substr(start, cut - start));
        start = cut + 1;
    }
}

std::string lineLabel(int64_t line) { return "línea " + std::to_string(line) + ": "; }

void resetShown(DrawHistory& history)
{
    history.draws.clear();
    history.firstSeason = history.firstDraw = history.lastSeason = history.lastDraw = "-";
}

HistoryUpdateResult finish(HistoryUpdateStatus status, int64_t written = 0, std::string fileName = {})
{
    HistoryUpdateResult result;
    result.status = status;
    result.written = written;
    result.fileName = std::move(fileName);
    return result;
}

} // namespace

void ClearDrawHistory(DrawHistory& history)
{
    history.fileName.clear();
    resetShown(history);
    history.draws.shrink_to_fit();
}

std::string defaultHistoryFile()
{
    std::string folder = applicationFolder();
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return folder + kDefaultHistoryFileName;
}

HistoryLoadResult LoadDrawHistory(DrawHistory& history, const std::string& path, Interaction& ui, int64_t cap)
{
    history.fileName = path;
    resetShown(history);
    HistoryLoadResult result;

    auto fail = [&](std::string description) {
        resetShown(history);
        ui.error("ERROR AL IMPORTAR EL FICHERO, FICHERO NO IMPORTADO (" + description + ")");
        result.status = HistoryLoadStatus::Failed;
        result.count = 0;
        result.description = std::move(description);
        return result;
    };

    FileCloser closer{std::fopen(path.c_str(), "rb")};
    if (!closer.file) return fail(describeSystemError(errno));

    // The length only suggests a size: the store still grows if the lines are shorter than
    // CR LF lines of 25 characters (LF ends, for instance).
    struct stat info {};
    if (fstat(fileno(closer.file), &info) == 0 && info.st_size > 0) {
        const int64_t estimate = static_cast<int64_t>(info.st_size) / 27 + 2;
        history.draws.reserve(static_cast<size_t>(std::min(estimate, cap)));
    }

    LineReader reader(closer.file);
    std::string_view line;
    std::vector<std::string_view> fields, values;
    int64_t lineNumber = 0;
    int64_t accepted = 0;
    while (reader.next(line)) {
        ++lineNumber;
        if (line.size() < kShortestHistoryLine) continue;
        splitAt(line, ' ', fields);
        splitAt(fields[0], ',', values);
        if (accepted == 0 && fields.size() >= 3) {
            history.firstSeason = std::string(fields[1]);
            history.firstDraw = std::string(fields[2]);
        }

        DrawRecord draw;
        for (size_t v = 0; v < 6; ++v) {
            if (v >= values.size()) return fail(lineLabel(lineNumber) + "faltan números");
            // A number that is not one, or lies outside 1..49, keeps the empty description.
            if (!parseIntegerAs(values[v], kMinNumber, kMaxNumber, draw.numbers[v])) return fail("");
        }
        if (fields.size() < 4) return fail(lineLabel(lineNumber) + "faltan campos");
        if (!parseIntegerAs(fields[1], std::numeric_limits<int16_t>::min(), std::numeric_limits<int16_t>::max(),
                            draw.season, true))
            return fail(lineLabel(lineNumber) + "temporada " + quoteForMessage(fields[1]) + " no válida");
        if (!parseIntegerAs(fields[2], 0, std::numeric_limits<uint16_t>::max(), draw.drawNumber))
            return fail(lineLabel(lineNumber) + "sorteo " + quoteForMessage(fields[2]) + " no válido");
        draw.weekday = static_cast<uint8_t>(fields[3].size() == 1 ? weekdayCode(fields[3][0]) : 0);

        history.draws.push_back(draw);
        history.lastSeason = std::string(fields[1]);
        history.lastDraw = std::string(fields[2]);
        ++accepted;
        if (accepted % kProgressEvery == 0) ui.progress().report(accepted, 0);
        if (accepted >= cap) {
            ui.warning("SOLO SE PUEDEN IMPORTAR " + std::to_string(cap) + " APUESTAS");
            result.status = HistoryLoadStatus::Capped;
            result.count = accepted;
            return result;
        }
    }
    if (reader.tooLong())
        return fail(lineLabel(lineNumber + 1) + "más de " + std::to_string(kMaxHistoryLine) + " caracteres");
    if (reader.failed()) return fail(describeSystemError(errno ? errno : EIO));

    if (accepted == 0) {
        resetShown(history);
        ui.warning("AVISO: Se han importado 0 apuestas.\r\nEl fichero ha de estar en formato: 01,02,03,04,05,06 2007 1 J");
        result.status = HistoryLoadStatus::NothingImported;
        return result;
    }
    result.count = accepted;
    return result;
}

bool checkDrawRecord(const DrawRecord& draw, std::string& failure)
{
    const std::string which = "sorteo " + std::to_string(draw.drawNumber) + " de " + std::to_string(draw.season) + ": ";
    bool seen[kMaxNumber + 1] = {};
    for (uint8_t n : draw.numbers) {
        if (n < kMinNumber || n > kMaxNumber) {
            failure = which + "el número " + std::to_string(n) + " no está entre 1 y 49";
            return false;
        }
        if (seen[n]) {
            failure = which + "el número " + std::to_string(n) + " está repetido";
            return false;
        }
        seen[n] = true;
    }
    if (draw.complementary > kMaxNumber) {
        failure = which + "el complementario " + std::to_string(draw.complementary) + " no está entre 0 y 49";
        return false;
    }
    if (draw.reintegro > kMaxReintegro) {
        failure = which + "el reintegro " + std::to_string(draw.reintegro) + " no está entre 0 y 9";
        return false;
    }
    if (draw.season < kFirstDrawSeason || draw.season > kLastDrawSeason) {
        failure = which + "temporada fuera de rango";
        return false;
    }
    if (draw.drawNumber < 1) {
        failure = which + "número de sorteo fuera de rango";
        return false;
    }
    if (weekdayLetter(draw.weekday) == '?') {
        failure = which + "día de la semana desconocido";
        return false;
    }
    return true;
}

bool formatHistoryLine(const DrawRecord& draw, std::string& line, std::string& failure)
{
    const char letter = weekdayLetter(draw.weekday);
    if (letter == '?') {
        failure = "sorteo " + std::to_string(draw.drawNumber) + " de " + std::to_string(draw.season) +
                  ": día de la semana desconocido";
        return false;
    }
    line.clear();
    for (int i = 0; i < 6; ++i) {
        line += formatTwoDigits(draw.numbers[i]);
        line += ',';
    }
    line += formatTwoDigits(draw.complementary);
    line += ',';
    line += formatTwoDigits(draw.reintegro);
    line += ' ';
    line += std::to_string(draw.season);
    line += ' ';
    line += std::to_string(draw.drawNumber);
    line += ' ';
    line += letter;
    return true;
}

HistoryUpdateResult UpdateDrawHistory(DrawHistory& history, const std::string& game, Interaction& ui,
                                      const HistoryUpdateOptions& options)
{
    ui.progress().caption("Actualizando por favor espere ...");
    const ServiceDrawsResult fetched = FetchServiceDraws(toUpper(game), options.service);
    return applyDrawHistoryUpdate(history, game, fetched, ui, options);
}

HistoryUpdateResult applyDrawHistoryUpdate(DrawHistory& history, const std::string& game,
                                           const ServiceDrawsResult& fetched, Interaction& ui,
                                           const HistoryUpdateOptions& options)
{
    static const std::string kOpenFailure = "ERROR AL ABRIR EL FICHERO DE ACTUALIZACION";
    if (fetched.status == ServiceStatus::Parse) {
        ui.error(kOpenFailure + " - " + fetched.description);
        return finish(HistoryUpdateStatus::ParseFailed);
    }
    if (fetched.status == ServiceStatus::Transport) {
        ui.error(kOpenFailure + " (" + fetched.description + ")");
        return finish(HistoryUpdateStatus::Failed);
    }

    const std::string defaultFile = options.defaultFile.empty() ? defaultHistoryFile() : options.defaultFile;
    bool creating = false;
    if (history.count() < 1) {
        std::error_code ec;
        if (std::filesystem::exists(defaultFile, ec)) {
            LoadDrawHistory(history, defaultFile, ui);
        } else {
            const std::string folder = options.defaultFile.empty()
                                           ? applicationFolder()
                                           : std::filesystem::path(defaultFile).parent_path().string();
            if (!ui.question("No hay ningún fichero de sorteos cargado, se va a proceder a crear uno nuevo llamado '" +
                             fileNameOf(defaultFile) + "'\r\nEn la ruta: '" + folder + "', ¿ Desea continuar ?"))
                return finish(HistoryUpdateStatus::Declined);
            creating = true;
        }
    } else if (!ui.question("Se van actualizar los datos del fichero '" + std::string(trimmed(history.fileName, " \t")) +
                            "' con los del fichero de INTERNET del juego " + toUpper(game) + "\r\n¿ Desea continuar ?")) {
        return finish(HistoryUpdateStatus::Declined);
    }

    if (fetched.status == ServiceStatus::Conversion) {
        ui.error(kOpenFailure + " (" + fetched.description + ")");
        return finish(HistoryUpdateStatus::Failed);
    }
    // The service is not trusted: one bad record and the good history stays as it is.
    for (const DrawRecord& draw : fetched.draws) {
        std::string failure;
        if (!checkDrawRecord(draw, failure)) {
            ui.error(kOpenFailure + " (" + failure + ")");
            return finish(HistoryUpdateStatus::Failed);
        }
    }
    const int64_t n = static_cast<int64_t>(fetched.draws.size());
    if (n == 0) {
        ui.error("ERROR AL TRATAR EL FICHERO DE ACTUALIZACION DESDE INTERNET");
        return finish(HistoryUpdateStatus::NoDraws);
    }

    if (creating) history.fileName = defaultFile;
    const std::string target(trimmed(history.fileName, " \t"));
    std::string contents;
    contents.reserve(static_cast<size_t>(n) * 36 + 2);
    contents += "\r\n";
    std::string line, failure;
    for (const DrawRecord& draw : fetched.draws) {
        if (!formatHistoryLine(draw, line, failure)) {
            ui.error(kOpenFailure + " (" + failure + ")");
            return finish(HistoryUpdateStatus::Failed);
        }
        contents += line;
        contents += "\r\n";
    }
    if (!writeFileAtomically(target, contents, failure)) {
        ui.error(kOpenFailure + " (" + failure + ")");
        return finish(HistoryUpdateStatus::Failed);
    }

    ui.warning("SE HAN ACTUALIZADO " + std::to_string(n) + " COMBINACIONES EN EL FICHERO: " + target);
    LoadDrawHistory(history, target, ui);
    return finish(HistoryUpdateStatus::Updated, n, target);
}

} // namespace kombitron
