#include "history/service_client.h"

#include <cstdlib>
#include <limits>
#include <mutex>

#include <curl/curl.h>
#include <pugixml.hpp>

#include "core/errors.h"
#include "core/format.h"
#include "core/text.h"

namespace kombitron {

namespace {

// Whole-number text within [low, high] once trimmed; an optional sign, then digits only.
bool parseTrimmedInteger(std::string_view text, int64_t low, int64_t high, int64_t& value)
{
    return parseInteger(trimmed(text), low, high, value, true) == IntegerParse::Ok;
}

int weekdayOf(std::string_view text)
{
    text = trimmed(text);
    return text.size() == 1 ? weekdayCode(text[0]) : 0;
}

std::string quoted(std::string_view text) { return quoteForMessage(text); }

bool hasChildren(const pugi::xml_node& node) { return static_cast<bool>(node.first_child()); }

// Every level-2 element named as the game, under every top-level node, that has children.
template <typename Visit>
void forEachGameElement(const pugi::xml_document& doc, const std::string& game, Visit visit)
{
    const std::string wanted = toUpper(game);
    for (pugi::xml_node top : doc.children())
        for (pugi::xml_node node : top.children())
            if (node.type() == pugi::node_element && hasChildren(node) && toUpper(node.name()) == wanted) visit(node);
}

// Children of `parent` named `name` (upper-cased) that have children themselves.
template <typename Visit>
void forEachBranch(const pugi::xml_node& parent, const char* name, Visit visit)
{
    for (pugi::xml_node node : parent.children())
        if (node.type() == pugi::node_element && hasChildren(node) && toUpper(node.name()) == name) visit(node);
}

template <typename Visit>
void forEachElement(const pugi::xml_node& parent, const char* name, Visit visit)
{
    for (pugi::xml_node node : parent.children())
        if (node.type() == pugi::node_element && toUpper(node.name()) == name) visit(node);
}

bool loadDocument(pugi::xml_document& doc, std::string_view xml, std::string& reason)
{
    const pugi::xml_parse_result parsed = doc.load_buffer(xml.data(), xml.size());
    if (parsed) return true;
    reason = describeXmlError(parsed.status, parsed.offset);
    return false;
}

bool readCombination(const pugi::xml_node& node, DrawRecord& record, std::string& failure)
{
    record = DrawRecord{};
    const std::string_view numbers = node.attribute("numeros").value();
    uint8_t values[8] = {};
    size_t start = 0;
    // Pieces past the eighth carry nothing the program keeps: they are ignored.
    for (int p = 0; p < 8 && start <= numbers.size(); ++p) {
        size_t comma = numbers.find(',', start);
        if (comma == std::string_view::npos) comma = numbers.size();
        const std::string_view piece = trimmed(numbers.substr(start, comma - start));
        if (!piece.empty()) {
            int64_t v = 0;
            if (!parseTrimmedInteger(piece, 0, 255, v)) {
                failure = "valor " + quoted(piece) + " de numeros no válido";
                return false;
            }
            values[p] = static_cast<uint8_t>(v);
        }
        start = comma + 1;
    }
    for (int i = 0; i < 6; ++i) record.numbers[i] = values[i];
    record.complementary = values[6];
    record.reintegro = values[7];

    int64_t v = 0;
    const char* season = node.attribute("anio").value();
    if (!parseTrimmedInteger(season, std::numeric_limits<int16_t>::min(), std::numeric_limits<int16_t>::max(), v)) {
        failure = "anio " + quoted(season) + " no válido";
        return false;
    }
    record.season = static_cast<int16_t>(v);
    const char* draw = node.attribute("sorteo").value();
    if (!parseTrimmedInteger(draw, 0, std::numeric_limits<uint16_t>::max(), v)) {
        failure = "sorteo " + quoted(draw) + " no válido";
        return false;
    }
    record.drawNumber = static_cast<uint16_t>(v);
    record.weekday = static_cast<uint8_t>(weekdayOf(node.attribute("dia").value()));
    return true;
}

bool readAmount(const pugi::xml_node& node, const char* attribute, double& value, std::string& failure)
{
    const std::string_view text = trimmed(node.attribute(attribute).value());
    value = 0;
    if (text.empty()) return true;
    if (!parseDecimal(std::string(text), value)) {
        failure = std::string(attribute) + " " + quoted(text) + " no válido";
        return false;
    }
    return true;
}

bool readCount(const pugi::xml_node& node, const char* attribute, int32_t& value, std::string& failure)
{
    const std::string_view text = trimmed(node.attribute(attribute).value());
    value = 0;
    if (text.empty()) return true;
    int64_t v = 0;
    if (!parseTrimmedInteger(text, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max(), v)) {
        failure = std::string(attribute) + " " + quoted(text) + " no válido";
        return false;
    }
    value = static_cast<int32_t>(v);
    return true;
}

bool readPrizes(const pugi::xml_node& node, DrawPrizes& prizes, std::string& failure)
{
    prizes = DrawPrizes{};
    int64_t v = 0;
    const char* season = node.attribute("anio").value();
    if (!parseTrimmedInteger(season, std::numeric_limits<int16_t>::min(), std::numeric_limits<int16_t>::max(), v)) {
        failure = "anio " + quoted(season) + " no válido";
        return false;
    }
    prizes.season = static_cast<int16_t>(v);
    const char* draw = node.attribute("sorteo").value();
    if (!parseTrimmedInteger(draw, 0, std::numeric_limits<uint16_t>::max(), v)) {
        failure = "sorteo " + quoted(draw) + " no válido";
        return false;
    }
    prizes.drawNumber = static_cast<uint16_t>(v);
    prizes.weekday = static_cast<uint8_t>(weekdayOf(node.attribute("dia").value()));
    prizes.date = node.attribute("fecha").value();
    if (!readAmount(node, "recaudacion", prizes.takings, failure) || !readAmount(node, "bote", prizes.jackpot, failure))
        return false;
    static const char* const kCategoryNames[kPrizeCategoryCount] = {"CAT6R", "CAT6", "CAT5C", "CAT5", "CAT4", "CAT3"};
    bool ok = true;
    forEachElement(node, "ESCRUTINIO", [&](const pugi::xml_node& scrutiny) {
        for (int c = 0; c < kPrizeCategoryCount && ok; ++c)
            forEachElement(scrutiny, kCategoryNames[c], [&](const pugi::xml_node& category) {
                if (!ok) return;
                ok = readAmount(category, "premio", prizes.categories[c].prize, failure) &&
                     readCount(category, "acertantes", prizes.categories[c].winners, failure);
            });
    });
    return ok;
}

struct BodySink {
    std::string* body;
    size_t limit;
    bool overflow = false;
};

size_t collectBody(char* data, size_t size, size_t count, void* user)
{
    auto* sink = static_cast<BodySink*>(user);
    const size_t bytes = size * count;
    if (sink->body->size() + bytes > sink->limit) {
        sink->overflow = true;
        return 0; // curl stops with a write error
    }
    sink->body->append(data, bytes);
    return bytes;
}

// The base URL must be "http://host[:port]" or "https://host[:port]"; a trailing "/" is dropped.
bool checkBaseUrl(std::string_view url, std::string& base, std::string& failure)
{
    url = trimmed(url);
    while (!url.empty() && url.back() == '/') url.remove_suffix(1);
    const std::string lower = toLower(url);
    size_t hostStart = 0;
    if (lower.rfind("http://", 0) == 0) hostStart = 7;
    else if (lower.rfind("https://", 0) == 0) hostStart = 8;
    if (hostStart == 0 || url.size() == hostStart ||
        url.find_first_of("/?#", hostStart) != std::string_view::npos) {
        failure = "dirección del servicio " + quoted(url) + " no válida: se espera http://equipo:puerto o https://equipo:puerto";
        return false;
    }
    base = std::string(url);
    return true;
}

// curl calls this about once a second and whenever data moves; non-zero aborts the transfer.
int checkStop(void* token, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    return static_cast<const StopToken*>(token)->stopRequested() ? 1 : 0;
}

} // namespace

ServiceOptions defaultServiceOptions()
{
    ServiceOptions options;
    const char* env = std::getenv(kServiceUrlVariable);
    if (env && !trimmed(env).empty()) options.baseUrl = env;
    return options;
}

std::string serviceDrawsTarget(const std::string& game)
{
    return std::string(kServicePath) + "?temporada=todas&juego=" + game;
}

std::string servicePrizesTarget(const std::string& game)
{
    return serviceDrawsTarget(game) + "&combinaciones=0&juego=" + game;
}

HttpResponse httpGet(const ServiceOptions& options, const std::string& target)
{
    HttpResponse response;
    std::string base;
    if (!checkBaseUrl(options.baseUrl, base, response.description)) {
        response.status = ServiceStatus::Transport;
        return response;
    }
    static std::once_flag curlReady;
    std::call_once(curlReady, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });

    CURL* curl = curl_easy_init();
    if (!curl) {
        response.status = ServiceStatus::Transport;
        response.description = "no se pudo preparar la conexión";
        return response;
    }
    const std::string url = base + target;
    BodySink sink{&response.body, options.maxResponseBytes};
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, static_cast<long>(options.maxRedirects));
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, options.connectTimeoutMs);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, options.totalTimeoutMs);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L);
    if (!options.caFile.empty()) curl_easy_setopt(curl, CURLOPT_CAINFO, options.caFile.c_str());
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, collectBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &sink);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, checkStop);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &options.stop);

    const CURLcode code = curl_easy_perform(curl);
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &response.httpCode);
    curl_easy_cleanup(curl);

    if (code != CURLE_OK) {
        response.status = ServiceStatus::Transport;
        if (code == CURLE_ABORTED_BY_CALLBACK)
            response.description = "petición detenida";
        else if (sink.overflow)
            response.description = "la respuesta supera " + formatCount(static_cast<int64_t>(options.maxResponseBytes)) + " bytes";
        else
            response.description = describeTransferError(code) + " (" + base + ")";
        response.body.clear();
    } else if (response.httpCode >= 400) {
        response.status = ServiceStatus::Transport;
        response.description = "el servicio respondió HTTP " + std::to_string(response.httpCode);
        response.body.clear();
    }
    return response;
}

ServiceDrawsResult parseServiceDraws(std::string_view xml, const std::string& game)
{
    ServiceDrawsResult result;
    pugi::xml_document doc;
    if (!loadDocument(doc, xml, result.description)) {
        result.status = ServiceStatus::Parse;
        return result;
    }
    bool ok = true;
    forEachGameElement(doc, game, [&](const pugi::xml_node& gameNode) {
        forEachBranch(gameNode, "COMBINACIONES", [&](const pugi::xml_node& branch) {
            forEachElement(branch, "COMBINACION", [&](const pugi::xml_node& node) {
                if (!ok) return;
                DrawRecord record;
                ok = readCombination(node, record, result.description);
                if (ok) result.draws.push_back(record);
            });
        });
    });
    if (!ok) {
        result.status = ServiceStatus::Conversion;
        result.draws.clear();
    }
    return result;
}

ServicePrizesResult parseServicePrizes(std::string_view xml, const std::string& game)
{
    ServicePrizesResult result;
    pugi::xml_document doc;
    if (!loadDocument(doc, xml, result.description)) {
        result.status = ServiceStatus::Parse;
        return result;
    }
    bool ok = true;
    forEachGameElement(doc, game, [&](const pugi::xml_node& gameNode) {
        forEachBranch(gameNode, "SORTEOS", [&](const pugi::xml_node& branch) {
            forEachElement(branch, "SORTEO", [&](const pugi::xml_node& node) {
                if (!ok) return;
                DrawPrizes prizes;
                ok = readPrizes(node, prizes, result.description);
                if (ok) result.draws.push_back(std::move(prizes));
            });
        });
    });
    if (!ok) {
        result.status = ServiceStatus::Conversion;
        result.draws.clear();
    }
    return result;
}

ServiceDrawsResult FetchServiceDraws(const std::string& game, const ServiceOptions& options)
{
    HttpResponse response = httpGet(options, serviceDrawsTarget(game));
    if (response.status != ServiceStatus::Ok) {
        ServiceDrawsResult failed;
        failed.status = response.status;
        failed.description = std::move(response.description);
        return failed;
    }
    return parseServiceDraws(response.body, game);
}

ServicePrizesResult fetchServicePrizes(const std::string& game, const ServiceOptions& options)
{
    HttpResponse response = httpGet(options, servicePrizesTarget(game));
    if (response.status != ServiceStatus::Ok) {
        ServicePrizesResult failed;
        failed.status = response.status;
        failed.description = std::move(response.description);
        return failed;
    }
    return parseServicePrizes(response.body, game);
}

} // namespace kombitron
