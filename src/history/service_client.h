#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/draw.h"
#include "core/job.h"

namespace kombitron {

inline constexpr const char* kServiceUrlVariable = "KOMBITRON_SERVICE_URL";
inline constexpr const char* kDefaultServiceUrl = "http://127.0.0.1:8049";
inline constexpr const char* kServicePath = "/servicios/v1/xml2/primitivaybonoloto";

// Where the results service is and how long the program waits for it.
struct ServiceOptions {
    std::string baseUrl = kDefaultServiceUrl; // scheme, host and port, no path
    long connectTimeoutMs = 10000;
    long totalTimeoutMs = 120000;             // the whole request, transfer included
    int maxRedirects = 5;
    size_t maxResponseBytes = size_t(64) << 20;
    std::string caFile;                       // extra trusted certificates (PEM); empty: the system's
    StopToken stop;                           // a stop request ends the transfer within a second
};

// Options whose base URL is KOMBITRON_SERVICE_URL, or the local service when it is unset or blank.
ServiceOptions defaultServiceOptions();

// Path and query of the draws request and of the prizes request for a game name.
std::string serviceDrawsTarget(const std::string& game);
std::string servicePrizesTarget(const std::string& game);

// How a request ended. Conversion: a value of the response that does not fit its field.
enum class ServiceStatus { Ok, Transport, Parse, Conversion };

struct HttpResponse {
    ServiceStatus status = ServiceStatus::Ok; // Ok or Transport
    std::string description;                  // transport failure
    long httpCode = 0;
    std::string body;
};

// GET baseUrl + target; Transport with a description on a bad base URL, a network failure, a
// timeout, too many redirects, an oversized body or an HTTP status of 400 or more, and when the
// stop request of `options` ends the transfer.
HttpResponse httpGet(const ServiceOptions& options, const std::string& target);

struct ServiceDrawsResult {
    ServiceStatus status = ServiceStatus::Ok;
    std::string description;                  // parser's reason, transport or conversion failure
    DrawList draws;                           // in response order, all eight values of `numeros`
    bool ok() const { return status == ServiceStatus::Ok; }
};

// Winners and the prize of one winner in one category.
struct PrizeCategory {
    double prize = 0;
    int32_t winners = 0;
};

// Categories of an ESCRUTINIO in the order 6+R, 6, 5+C, 5, 4, 3.
enum PrizeCategoryIndex { kCat6R, kCat6, kCat5C, kCat5, kCat4, kCat3, kPrizeCategoryCount };

// One SORTEO of the prizes branch. The draw number is 16 bits, as in DrawRecord.
struct DrawPrizes {
    int16_t season = 0;
    uint16_t drawNumber = 0;
    uint8_t weekday = 0;                      // 1 L .. 7 D, 0 other text
    std::string date;                         // as written, dd/mm/yyyy
    double takings = 0;                       // recaudacion
    double jackpot = 0;                       // bote
    std::array<PrizeCategory, kPrizeCategoryCount> categories{};
};

struct ServicePrizesResult {
    ServiceStatus status = ServiceStatus::Ok;
    std::string description;
    std::vector<DrawPrizes> draws;            // in document order
    bool ok() const { return status == ServiceStatus::Ok; }
};

// The COMBINACION records of `game` (compared upper-cased) in a response text; Parse with the
// parser's reason when it is not well-formed XML, Conversion when a value does not fit.
ServiceDrawsResult parseServiceDraws(std::string_view xml, const std::string& game);
// The SORTEO records of `game` in a prizes response; blank amounts and counts read as 0.
ServicePrizesResult parseServicePrizes(std::string_view xml, const std::string& game);

// Every draw of `game` from the results service; a failure kind with its description otherwise.
ServiceDrawsResult FetchServiceDraws(const std::string& game, const ServiceOptions& options = defaultServiceOptions());
// Every draw's prizes of `game` from the results service; a failure kind with its description otherwise.
ServicePrizesResult fetchServicePrizes(const std::string& game, const ServiceOptions& options = defaultServiceOptions());

} // namespace kombitron
