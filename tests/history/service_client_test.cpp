#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <netinet/in.h>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "history/service_client.h"
#include "history/service_harness.h"
#include "support/test_paths.h"

using namespace kombitron;
using namespace kombitron::test;

namespace {

std::string Response(const std::string& gameBody, const std::string& game = "PRIMITIVA")
{
    return "<?xml version=\"1.0\"?><RESULTADOS><" + game + ">" + gameBody + "</" + game + "></RESULTADOS>";
}

std::string RealDataFolder() { return std::string(KOMBITRON_SOURCE_DIR) + "/data"; }

} // namespace

TEST(ServiceClient, RequestTargets)
{
    EXPECT_EQ(serviceDrawsTarget("BONOLOTO"), "/servicios/v1/xml2/primitivaybonoloto?temporada=todas&juego=BONOLOTO");
    EXPECT_EQ(servicePrizesTarget("PRIMITIVA"),
              "/servicios/v1/xml2/primitivaybonoloto?temporada=todas&juego=PRIMITIVA&combinaciones=0&juego=PRIMITIVA");
}

TEST(ServiceClient, BaseUrlFromEnvironment)
{
    unsetenv(kServiceUrlVariable);
    EXPECT_EQ(defaultServiceOptions().baseUrl, "http://127.0.0.1:8049");
    setenv(kServiceUrlVariable, "  ", 1);
    EXPECT_EQ(defaultServiceOptions().baseUrl, "http://127.0.0.1:8049");
    setenv(kServiceUrlVariable, "https://resultados.example:8443", 1);
    EXPECT_EQ(defaultServiceOptions().baseUrl, "https://resultados.example:8443");
    unsetenv(kServiceUrlVariable);

    // A base with a path, another scheme or no host is refused before any connection.
    for (const char* bad : {"http://127.0.0.1:8049/servicios", "ftp://127.0.0.1", "127.0.0.1:8049", "http://"}) {
        SCOPED_TRACE(bad);
        ServiceOptions options;
        options.baseUrl = bad;
        const ServiceDrawsResult r = FetchServiceDraws("PRIMITIVA", options);
        EXPECT_EQ(r.status, ServiceStatus::Transport);
        EXPECT_NE(r.description.find("no válida"), std::string::npos) << r.description;
    }
}

TEST(ServiceClient, ReadsCombinationsAsTheProgramDoes)
{
    const std::string xml =
        "<?xml version=\"1.0\"?><resultados>"
        "<BONOLOTO><COMBINACIONES><COMBINACION numeros=\"9,9,9,9,9,9\" anio=\"2000\" sorteo=\"1\" dia=\"L\"/></COMBINACIONES></BONOLOTO>"
        "<Primitiva></Primitiva>"
        "<primitiva>"
        "  <combinaciones>"
        "    <combinacion numeros=\"4,8,15,16,23,42,7,1\" anio=\"2010\" sorteo=\"1\" dia=\"j\"/>"
        "    <COMBINACION numeros=\" 5 ,11,23,31,40,47\" anio=\"2010\" sorteo=\"300\" dia=\"S\"/>"
        "    <COMBINACION numeros=\"1,2,3,4,5,6,,9,99,98\" anio=\"2011\" sorteo=\"2\" dia=\"Q\"/>"
        "    <COMBINACION NUMEROS=\"1,2,3,4,5,6\" anio=\"2011\" sorteo=\"3\" dia=\"\"/>"
        "    <OTRA numeros=\"1,2,3,4,5,6\" anio=\"2011\" sorteo=\"4\" dia=\"L\"/>"
        "  </combinaciones>"
        "  <COMBINACIONES/>"
        "</primitiva>"
        "</resultados>";
    const ServiceDrawsResult r = parseServiceDraws(xml, "primitiva");
    ASSERT_TRUE(r.ok()) << r.description;
    ASSERT_EQ(r.draws.size(), 4u);

    const DrawRecord& a = r.draws[0];
    EXPECT_EQ(std::vector<int>(a.numbers, a.numbers + 6), (std::vector<int>{4, 8, 15, 16, 23, 42}));
    EXPECT_EQ(a.complementary, 7);
    EXPECT_EQ(a.reintegro, 1);
    EXPECT_EQ(a.season, 2010);
    EXPECT_EQ(a.drawNumber, 1);
    EXPECT_EQ(a.weekday, 4);

    EXPECT_EQ(r.draws[1].numbers[0], 5);       // pieces are trimmed
    EXPECT_EQ(r.draws[1].complementary, 0);    // six values: the last two stay 0
    EXPECT_EQ(r.draws[1].drawNumber, 300);     // beyond one byte
    EXPECT_EQ(r.draws[1].weekday, 6);

    EXPECT_EQ(r.draws[2].complementary, 0);    // blank piece
    EXPECT_EQ(r.draws[2].reintegro, 9);        // pieces past the eighth are ignored
    EXPECT_EQ(r.draws[2].weekday, 0);          // letter outside the table

    EXPECT_EQ(r.draws[3].numbers[0], 0);       // attribute names are exact: NUMEROS is not read
    EXPECT_EQ(r.draws[3].weekday, 0);
}

TEST(ServiceClient, FailuresOfAResponse)
{
    // The parser's reasons reach the player in Spanish, with the place where parsing stopped.
    const ServiceDrawsResult broken = parseServiceDraws("<RESULTADOS><PRIMITIVA>", "PRIMITIVA");
    EXPECT_EQ(broken.status, ServiceStatus::Parse);
    EXPECT_EQ(broken.description, "etiqueta de cierre que no corresponde (posición 22)");
    const ServiceDrawsResult empty = parseServiceDraws("", "PRIMITIVA");
    EXPECT_EQ(empty.status, ServiceStatus::Parse);
    EXPECT_EQ(empty.description, "el documento XML no tiene ningún elemento");
    // A huge value is quoted by its start only, and a NUL byte does not cut the message.
    const std::string longValue(100000, '9');
    const ServiceDrawsResult huge = parseServiceDraws(
        "<R><PRIMITIVA><COMBINACIONES><COMBINACION numeros=\"1,2\" anio=\"" + longValue +
            "\" sorteo=\"1\" dia=\"L\"/></COMBINACIONES></PRIMITIVA></R>",
        "PRIMITIVA");
    EXPECT_EQ(huge.description, "anio '" + std::string(40, '9') + "...' no válido");
    const ServiceDrawsResult nul = parseServiceDraws(
        "<R><PRIMITIVA><COMBINACIONES><COMBINACION numeros=\"1,x&#1;y\"/></COMBINACIONES></PRIMITIVA></R>",
        "PRIMITIVA");
    EXPECT_EQ(nul.status, ServiceStatus::Conversion);

    struct Case {
        const char* attributes;
        const char* description;
    };
    const Case cases[] = {
        {R"(numeros="1,2,3,4,5,x" anio="2010" sorteo="1" dia="L")", "valor 'x' de numeros no válido"},
        {R"(numeros="1,2,3,4,5,256" anio="2010" sorteo="1" dia="L")", "valor '256' de numeros no válido"},
        {R"(numeros="1,2,3,4,5,6" anio="" sorteo="1" dia="L")", "anio '' no válido"},
        {R"(numeros="1,2,3,4,5,6" anio="40000" sorteo="1" dia="L")", "anio '40000' no válido"},
        {R"(numeros="1,2,3,4,5,6" anio="2010" sorteo="70000" dia="L")", "sorteo '70000' no válido"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.attributes);
        const std::string xml = Response(std::string("<COMBINACIONES><COMBINACION numeros=\"1,2,3,4,5,6\" anio=\"2010\" "
                                                     "sorteo=\"1\" dia=\"L\"/><COMBINACION ") + c.attributes +
                                         "/></COMBINACIONES>");
        const ServiceDrawsResult r = parseServiceDraws(xml, "PRIMITIVA");
        EXPECT_EQ(r.status, ServiceStatus::Conversion);
        EXPECT_EQ(r.description, c.description);
        EXPECT_TRUE(r.draws.empty());
    }
}

TEST(ServiceClient, ReadsThePrizesBranch)
{
    const std::string xml = Response(
        "<COMBINACIONES><COMBINACION numeros=\"1,2,3,4,5,6\" anio=\"2010\" sorteo=\"1\" dia=\"L\"/></COMBINACIONES>"
        "<SORTEOS>"
        "<SORTEO anio=\"2024\" sorteo=\"301\" dia=\"x\" fecha=\"02/11/2024\" recaudacion=\"1234567.50\" bote=\"\">"
        "<ESCRUTINIO><CAT6R premio=\"5000000\" acertantes=\"0\"/><CAT6 premio=\"1000000.25\" acertantes=\"1\"/>"
        "<CAT5C premio=\"\" acertantes=\"\"/><CAT5 premio=\"2500,5\" acertantes=\"12\"/>"
        "<CAT4 premio=\"30\" acertantes=\"900\"/><CAT3 premio=\"8\" acertantes=\"15000\"/></ESCRUTINIO></SORTEO>"
        "<SORTEO anio=\"2024\" sorteo=\"302\" dia=\"J\" fecha=\"03/11/2024\"/>"
        "</SORTEOS>",
        "BONOLOTO");
    const ServicePrizesResult r = parseServicePrizes(xml, "BONOLOTO");
    ASSERT_TRUE(r.ok()) << r.description;
    ASSERT_EQ(r.draws.size(), 2u);
    const DrawPrizes& p = r.draws[0];
    EXPECT_EQ(p.season, 2024);
    EXPECT_EQ(p.drawNumber, 301);
    EXPECT_EQ(p.weekday, 3);
    EXPECT_EQ(p.date, "02/11/2024");
    EXPECT_DOUBLE_EQ(p.takings, 1234567.5);
    EXPECT_DOUBLE_EQ(p.jackpot, 0);
    EXPECT_DOUBLE_EQ(p.categories[kCat6R].prize, 5000000);
    EXPECT_DOUBLE_EQ(p.categories[kCat6].prize, 1000000.25);
    EXPECT_EQ(p.categories[kCat6].winners, 1);
    EXPECT_DOUBLE_EQ(p.categories[kCat5C].prize, 0);
    EXPECT_DOUBLE_EQ(p.categories[kCat5].prize, 2500.5);
    EXPECT_EQ(p.categories[kCat3].winners, 15000);
    EXPECT_EQ(r.draws[1].categories[kCat4].winners, 0); // no ESCRUTINIO at all

    const ServicePrizesResult bad = parseServicePrizes(
        Response("<SORTEOS><SORTEO anio=\"2024\" sorteo=\"1\"><ESCRUTINIO><CAT4 premio=\"mucho\"/></ESCRUTINIO></SORTEO></SORTEOS>"),
        "PRIMITIVA");
    EXPECT_EQ(bad.status, ServiceStatus::Conversion);
    EXPECT_EQ(bad.description, "premio 'mucho' no válido");
}

TEST(ResultsService, ServesTheRealHistoriesOfBothGames)
{
    ResultsServer server({"--data", RealDataFolder()});
    ASSERT_TRUE(server.started());

    const ServiceDrawsResult primitiva = FetchServiceDraws("PRIMITIVA", server.options());
    ASSERT_TRUE(primitiva.ok()) << primitiva.description;
    ASSERT_EQ(primitiva.draws.size(), 4176u);
    const DrawRecord& first = primitiva.draws.front();
    EXPECT_EQ(first.season, 1985);
    EXPECT_EQ(first.drawNumber, 1);
    EXPECT_EQ(first.weekday, 4); // 1985-10-17 was a Thursday
    EXPECT_EQ(primitiva.draws.back().season, 2026);

    const ServiceDrawsResult bonoloto = FetchServiceDraws("BONOLOTO", server.options());
    ASSERT_TRUE(bonoloto.ok()) << bonoloto.description;
    ASSERT_EQ(bonoloto.draws.size(), 9361u);
    int highest = 0;
    for (const DrawRecord& d : bonoloto.draws) highest = std::max<int>(highest, d.drawNumber);
    EXPECT_GT(highest, 255);
    EXPECT_LE(highest, 366);
    EXPECT_EQ(bonoloto.draws.back().season, 2026);
    EXPECT_EQ(bonoloto.draws.back().drawNumber, 231);

    // The prizes branch of the real data carries no amounts: every one reads as 0.
    const ServicePrizesResult prizes = fetchServicePrizes("PRIMITIVA", server.options());
    ASSERT_TRUE(prizes.ok()) << prizes.description;
    ASSERT_EQ(prizes.draws.size(), 4176u);
    EXPECT_EQ(prizes.draws.front().date, "17/10/1985");
    EXPECT_DOUBLE_EQ(prizes.draws.front().categories[kCat3].prize, 0);
}

TEST(ResultsService, PrizesFileEmptyGameAndPreparedAnswers)
{
    TempDir dir;
    writeFile(dir.file("bonoloto.csv"), ServiceCsv({"01/03/2021,2021,300,L,1,2,3,4,5,6,7,8",
                                                    "02/03/2021,2021,301,M,11,12,13,14,15,16,17,0"}));
    writeFile(dir.file("bonoloto-premios.csv"),
              "anio,sorteo,recaudacion,bote,premio6R,acertantes6R,premio6,acertantes6,premio5C,acertantes5C,"
              "premio5,acertantes5,premio4,acertantes4,premio3,acertantes3\n"
              "2021,300,2500000.50,100000,,,750000,1,40000.75,2,1200,30,35.5,1500,4,25000\n");
    writeFile(dir.file("primitiva.xml"), "<RESULTADOS><PRIMITIVA><COMBINACIONES>"); // a broken answer
    ResultsServer server({"--data", dir.path().string()});
    ASSERT_TRUE(server.started());

    const ServicePrizesResult prizes = fetchServicePrizes("BONOLOTO", server.options());
    ASSERT_TRUE(prizes.ok()) << prizes.description;
    ASSERT_EQ(prizes.draws.size(), 2u);
    const DrawPrizes& p = prizes.draws[0];
    EXPECT_EQ(p.drawNumber, 300);
    EXPECT_EQ(p.date, "01/03/2021");
    EXPECT_DOUBLE_EQ(p.takings, 2500000.5);
    EXPECT_DOUBLE_EQ(p.jackpot, 100000);
    EXPECT_DOUBLE_EQ(p.categories[kCat6R].prize, 0);
    EXPECT_DOUBLE_EQ(p.categories[kCat5C].prize, 40000.75);
    EXPECT_EQ(p.categories[kCat5C].winners, 2);
    EXPECT_DOUBLE_EQ(p.categories[kCat4].prize, 35.5);
    EXPECT_EQ(p.categories[kCat3].winners, 25000);
    EXPECT_DOUBLE_EQ(prizes.draws[1].categories[kCat6].prize, 0); // no line: blank, never invented

    const ServiceDrawsResult draws = FetchServiceDraws("BONOLOTO", server.options());
    ASSERT_TRUE(draws.ok());
    ASSERT_EQ(draws.draws.size(), 2u);
    EXPECT_EQ(draws.draws[0].reintegro, 8);

    // The draws answer carries the prizes branch too, one SORTEO per COMBINACION in the same order,
    // so the back-test reads draws and prizes from one answer.
    const HttpResponse both = httpGet(server.options(), serviceDrawsTarget("BONOLOTO"));
    ASSERT_EQ(both.status, ServiceStatus::Ok) << both.description;
    const ServicePrizesResult paired = parseServicePrizes(both.body, "BONOLOTO");
    ASSERT_TRUE(paired.ok()) << paired.description;
    ASSERT_EQ(paired.draws.size(), draws.draws.size());
    for (size_t i = 0; i < paired.draws.size(); ++i) {
        EXPECT_EQ(paired.draws[i].season, draws.draws[i].season);
        EXPECT_EQ(paired.draws[i].drawNumber, draws.draws[i].drawNumber);
    }
    EXPECT_DOUBLE_EQ(paired.draws[0].categories[kCat5C].prize, 40000.75);
    const HttpResponse season = httpGet(server.options(), "/servicios/v1/xml2/primitivaybonoloto?temporada=2021&juego=BONOLOTO");
    EXPECT_EQ(parseServicePrizes(season.body, "BONOLOTO").draws.size(), 2u);
    EXPECT_EQ(parseServiceDraws(season.body, "BONOLOTO").draws.size(), 2u);
    // and the prizes request stays as it was: no draws branch
    EXPECT_TRUE(parseServiceDraws(httpGet(server.options(), servicePrizesTarget("BONOLOTO")).body, "BONOLOTO")
                    .draws.empty());

    const ServiceDrawsResult broken = FetchServiceDraws("PRIMITIVA", server.options());
    EXPECT_EQ(broken.status, ServiceStatus::Parse);
    EXPECT_FALSE(broken.description.empty());

    // No draws file for one game: that game answers without draws.
    TempDir half;
    writeFile(half.file("primitiva.csv"), ServiceCsv({"01/03/2021,2021,1,L,1,2,3,4,5,6,7,8"}));
    ResultsServer bare({"--data", half.path().string()});
    ASSERT_TRUE(bare.started());
    const ServiceDrawsResult none = FetchServiceDraws("BONOLOTO", bare.options());
    ASSERT_TRUE(none.ok()) << none.description;
    EXPECT_TRUE(none.draws.empty());
}

TEST(ResultsService, RefusesUnknownPathsAndBadQueries)
{
    TempDir dir;
    writeFile(dir.file("primitiva.csv"), ServiceCsv({"01/03/2021,2021,1,L,1,2,3,4,5,6,7,8"}));
    ResultsServer server({"--data", dir.path().string()});
    ASSERT_TRUE(server.started());
    struct Case {
        const char* target;
        long code;
    };
    const Case cases[] = {
        {"/servicios/v1/xml2/otra?temporada=todas&juego=PRIMITIVA", 404},
        {"/servicios/v1/xml2/primitivaybonoloto?temporada=todas&juego=EUROMILLONES", 400},
        {"/servicios/v1/xml2/primitivaybonoloto?juego=PRIMITIVA", 400},
        {"/servicios/v1/xml2/primitivaybonoloto?temporada=ayer&juego=PRIMITIVA", 400},
        {"/servicios/v1/xml2/primitivaybonoloto?temporada=0000&juego=PRIMITIVA", 400},
        {"/servicios/v1/xml2/primitivaybonoloto?temporada=1899&juego=PRIMITIVA", 400},
        {"/servicios/v1/xml2/primitivaybonoloto?temporada=-202&juego=PRIMITIVA", 400},
        {"/servicios/v1/xml2/primitivaybonoloto?temporada=20210&juego=PRIMITIVA", 400},
        {"/servicios/v1/xml2/primitivaybonoloto?temporada=todas&juego=PRIMITIVA&combinaciones=2", 400},
        {"/servicios/v1/xml2/primitivaybonoloto?temporada=todas&juego=PRIMITIVA&combinaciones=0&juego=BONOLOTO", 400},
        {"/servicios/v1/xml2/primitivaybonoloto?temporada=todas&juego=PRIMITIVA&extra=1", 400},
        {"/servicios/v1/xml2/primitivaybonoloto?temporada=2020&juego=primitiva", 200},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.target);
        const HttpResponse r = httpGet(server.options(), c.target);
        EXPECT_EQ(r.httpCode, c.code);
        if (c.code != 200) {
            EXPECT_EQ(r.status, ServiceStatus::Transport);
            EXPECT_EQ(r.description, "el servicio respondió HTTP " + std::to_string(c.code));
        }
    }

    // Oversized answers are cut off, not held.
    ServiceOptions small = server.options();
    small.maxResponseBytes = 20;
    const HttpResponse cut = httpGet(small, serviceDrawsTarget("PRIMITIVA"));
    EXPECT_EQ(cut.status, ServiceStatus::Transport);
    EXPECT_EQ(cut.description, "la respuesta supera 20 bytes");
    EXPECT_TRUE(cut.body.empty());
}

TEST(ResultsService, RejectsMalformedDataAndArguments)
{
    TempDir dir;
    writeFile(dir.file("primitiva.csv"), ServiceCsv({"01/03/2021,2021,1,L,1,2,3,4,5,50,7,8"}));
    std::string output;
    EXPECT_EQ(ResultsServer::runToEnd({"--port", "0", "--data", dir.path().string()}, output), 1);
    EXPECT_NE(output.find("primitiva.csv:2: valor '50' fuera de rango"), std::string::npos) << output;
    EXPECT_EQ(ResultsServer::runToEnd({"--port", "99999"}, output), 2);
    // a data folder that is missing or holds no game file is a startup error
    TempDir empty;
    EXPECT_EQ(ResultsServer::runToEnd({"--port", "0", "--data", empty.path().string()}, output), 1);
    EXPECT_NE(output.find("no tiene ningún fichero de juego"), std::string::npos) << output;
    EXPECT_EQ(ResultsServer::runToEnd({"--port", "0", "--data", empty.file("nada")}, output), 1);
    EXPECT_NE(output.find("no existe la carpeta de datos"), std::string::npos) << output;
    EXPECT_EQ(ResultsServer::runToEnd({"--cert", "only-a-certificate.pem"}, output), 2);
    // Without --data the service reads the installed data folder, wherever it is started from.
    if (!std::filesystem::exists(KOMBITRON_DATA_DIR)) {
        EXPECT_EQ(ResultsServer::runToEnd({"--port", "0"}, output), 1);
        EXPECT_NE(output.find("no existe la carpeta de datos '" KOMBITRON_DATA_DIR "'"), std::string::npos) << output;
    }
}

namespace {

// A raw loopback connection to the service, for requests no well-behaved client would send.
class RawClient {
public:
    explicit RawClient(int port)
    {
        fd_ = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<uint16_t>(port));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
            close(fd_);
            fd_ = -1;
        }
    }
    ~RawClient()
    {
        if (fd_ >= 0) close(fd_);
    }
    bool send(const std::string& bytes) const
    {
        return fd_ >= 0 && ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(bytes.size());
    }
    // What the server sends within `seconds`, until it closes or the time is up.
    std::string receive(double seconds) const
    {
        std::string out;
        const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
        while (fd_ >= 0) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
            if (left.count() <= 0) break;
            pollfd p{fd_, POLLIN, 0};
            if (poll(&p, 1, static_cast<int>(left.count())) <= 0) break;
            char buffer[4096];
            const ssize_t n = recv(fd_, buffer, sizeof buffer, 0);
            if (n <= 0) {
                closed_ = true;
                break;
            }
            out.append(buffer, static_cast<size_t>(n));
        }
        return out;
    }
    // One whole response (head and a Content-Length body) within `seconds`; empty when none.
    std::string receiveOne(double seconds) const
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
        while (fd_ >= 0 && !closed_) {
            const size_t head = pending_.find("\r\n\r\n");
            if (head != std::string::npos) {
                const size_t at = pending_.find("Content-Length: ");
                const size_t length = at < head ? std::stoul(pending_.substr(at + 16)) : 0;
                if (pending_.size() >= head + 4 + length) {
                    std::string one = pending_.substr(0, head + 4 + length);
                    pending_.erase(0, one.size());
                    return one;
                }
            }
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
            if (left.count() <= 0) break;
            pollfd p{fd_, POLLIN, 0};
            if (poll(&p, 1, static_cast<int>(left.count())) <= 0) break;
            char buffer[4096];
            const ssize_t n = recv(fd_, buffer, sizeof buffer, 0);
            if (n <= 0) closed_ = true;
            else pending_.append(buffer, static_cast<size_t>(n));
        }
        return {};
    }
    bool closedByServer() const { return closed_; }

private:
    int fd_ = -1;
    mutable bool closed_ = false;
    mutable std::string pending_;
};

} // namespace

TEST(ResultsService, SlowAndGreedyClientsDoNotStarveIt)
{
    TempDir dir;
    writeFile(dir.file("primitiva.csv"), ServiceCsv({"01/03/2021,2021,1,L,1,2,3,4,5,6,7,8"}));
    ResultsServer server({"--data", dir.path().string()});
    ASSERT_TRUE(server.started());
    const std::string target = serviceDrawsTarget("PRIMITIVA");

    // Sixteen half-open connections that keep dribbling their request once held the whole pool.
    std::vector<std::unique_ptr<RawClient>> slow;
    for (int i = 0; i < 16; ++i) {
        slow.push_back(std::make_unique<RawClient>(server.port()));
        ASSERT_TRUE(slow.back()->send("G"));
    }
    ServiceOptions quick = server.options();
    quick.totalTimeoutMs = 1500;
    for (int round = 0; round < 3; ++round) {
        for (auto& client : slow) client->send("E");
        const HttpResponse r = httpGet(quick, target);
        EXPECT_EQ(r.status, ServiceStatus::Ok) << r.description;
    }

    // A client that goes quiet is dropped after a short silence.
    RawClient quiet(server.port());
    ASSERT_TRUE(quiet.send("GET " + target + " HTTP/1.1\r\n"));
    quiet.receive(6.0);
    EXPECT_TRUE(quiet.closedByServer());

    // A GET takes no body: a huge announced one is refused at once, not buffered.
    RawClient greedy(server.port());
    ASSERT_TRUE(greedy.send("GET " + target + " HTTP/1.1\r\nHost: x\r\nContent-Length: 1000000000\r\n\r\n" +
                            std::string(65536, 'x')));
    EXPECT_EQ(greedy.receiveOne(1.5).rfind("HTTP/1.1 413", 0), 0u);
    RawClient small(server.port());
    ASSERT_TRUE(small.send("GET " + target + " HTTP/1.1\r\nHost: x\r\nContent-Length: 0\r\n\r\n"));
    EXPECT_EQ(small.receiveOne(1.0).rfind("HTTP/1.1 200", 0), 0u);

    // Headers are few and short.
    std::string many = "GET " + target + " HTTP/1.1\r\nHost: x\r\n";
    for (int i = 0; i < 100; ++i) many += "X-Relleno-" + std::to_string(i) + ": " + std::string(50, 'a') + "\r\n";
    RawClient headers(server.port());
    ASSERT_TRUE(headers.send(many + "\r\n"));
    EXPECT_EQ(headers.receiveOne(1.5).rfind("HTTP/1.1 431", 0), 0u);

    // Keep-alive ends after a bounded number of requests on one connection.
    RawClient keeper(server.port());
    int answered = 0;
    for (int i = 0; i < 30; ++i) {
        if (!keeper.send("GET " + target + " HTTP/1.1\r\nHost: x\r\n\r\n")) break;
        if (keeper.receiveOne(1.5).rfind("HTTP/1.1 200", 0) != 0) break;
        ++answered;
    }
    EXPECT_EQ(answered, 20);
}

TEST(ResultsService, MisbehavingServersFailQuickly)
{
    RudeServer silent(RudeServer::Manner::Silent);
    ASSERT_GT(silent.port(), 0);
    const auto start = std::chrono::steady_clock::now();
    const ServiceDrawsResult timedOut = FetchServiceDraws("PRIMITIVA", silent.options());
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_EQ(timedOut.status, ServiceStatus::Transport);
    EXPECT_EQ(timedOut.description, "el servicio no respondió a tiempo (" + silent.options().baseUrl + ")");
    EXPECT_LT(seconds, 2.0);

    // A stop request ends a request to a silent server long before its timeout.
    ServiceOptions patient = silent.options();
    patient.totalTimeoutMs = 60000;
    StopFlag stop;
    patient.stop = stop;
    std::thread stopper([&stop] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        stop.request();
    });
    const auto askedAt = std::chrono::steady_clock::now();
    const ServiceDrawsResult stopped = FetchServiceDraws("PRIMITIVA", patient);
    stopper.join();
    EXPECT_EQ(stopped.status, ServiceStatus::Transport);
    EXPECT_EQ(stopped.description, "petición detenida");
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - askedAt).count(), 3.0);

    RudeServer closing(RudeServer::Manner::Closing);
    const ServiceDrawsResult closed = FetchServiceDraws("PRIMITIVA", closing.options());
    EXPECT_EQ(closed.status, ServiceStatus::Transport);
    EXPECT_FALSE(closed.description.empty());

    // Redirects are followed a bounded number of times.
    RudeServer looping(RudeServer::Manner::Redirecting);
    const ServiceDrawsResult loop = FetchServiceDraws("PRIMITIVA", looping.options());
    EXPECT_EQ(loop.status, ServiceStatus::Transport);
    EXPECT_EQ(loop.description, "demasiadas redirecciones (" + looping.options().baseUrl + ")");

    // Nobody listening at all.
    ServiceOptions nowhere = closing.options();
    nowhere.baseUrl = "http://127.0.0.1:1";
    const ServiceDrawsResult refused = FetchServiceDraws("PRIMITIVA", nowhere);
    EXPECT_EQ(refused.status, ServiceStatus::Transport);
    EXPECT_EQ(refused.description, "no se pudo conectar con el servicio (http://127.0.0.1:1)");
}

TEST(ResultsService, HttpsWithAVerifiedCertificate)
{
    TempDir dir;
    const std::string cert = dir.file("cert.pem"), key = dir.file("key.pem");
    const std::string make = "openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -days 1 "
                             "-subj /CN=127.0.0.1 -addext subjectAltName=IP:127.0.0.1 -keyout '" + key + "' -out '" +
                             cert + "' >/dev/null 2>&1";
    ASSERT_EQ(std::system(make.c_str()), 0);
    writeFile(dir.file("primitiva.csv"), ServiceCsv({"17/10/1985,1985,1,J,1,2,3,4,5,6,7,8"}));
    ResultsServer server({"--data", dir.path().string(), "--cert", cert, "--key", key});
    ASSERT_TRUE(server.started());

    ServiceOptions trusted = server.options(true);
    trusted.caFile = cert;
    const ServiceDrawsResult r = FetchServiceDraws("PRIMITIVA", trusted);
    ASSERT_TRUE(r.ok()) << r.description;
    ASSERT_EQ(r.draws.size(), 1u);
    EXPECT_EQ(r.draws[0].reintegro, 8);

    // The certificate is checked: one nobody vouches for is refused.
    const ServiceDrawsResult untrusted = FetchServiceDraws("PRIMITIVA", server.options(true));
    EXPECT_EQ(untrusted.status, ServiceStatus::Transport);
    EXPECT_FALSE(untrusted.description.empty());
}
