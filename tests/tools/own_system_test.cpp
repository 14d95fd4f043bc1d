#include <gtest/gtest.h>

#include "support/test_paths.h"
#include "tools/own_system.h"
#include "tools/tools_support.h"

using namespace kombitron;

namespace {

OwnSystemOriginLoad load(const std::string& path)
{
    Progress progress;
    StopFlag stop;
    return runLoadOwnSystemOrigin({path}, progress, stop);
}

OwnSystemDestination destination(std::initializer_list<int> numbers)
{
    OwnSystemDestination d;
    for (int v : numbers) d.marked[v] = 1;
    return d;
}

const std::string kEightNumbers = "01 03 05 07 09 11\n03 05 07 09 11 13\n05 07 09 11 13 15\n01 03 05 07 13 15\n";

} // namespace

TEST(OwnSystem, LoadCountsTheBetsOfEachNumber)
{
    test::TempDir dir;
    const std::string path = dir.file("origen.txt");
    test::writeFile(path, kEightNumbers);
    const OwnSystemOriginLoad loaded = load(path);
    ASSERT_TRUE(loaded.done()) << loaded.failure;
    const OwnSystemOrigin& origin = loaded.origin;
    EXPECT_EQ(origin.count(), 4);
    EXPECT_EQ(origin.numbers(), (std::vector<uint8_t>{1, 3, 5, 7, 9, 11, 13, 15}));
    EXPECT_EQ(origin.numberBets[5], 4);
    EXPECT_EQ(origin.numberBets[1], 2);
    EXPECT_EQ(origin.numberBets[2], 0);
    EXPECT_EQ(origin.shareLines(), (std::vector<std::string>{"01-50%", "03-75%", "05-100%", "07-100%", "09-75%",
                                                             "11-75%", "13-75%", "15-50%"}));
    EXPECT_EQ(origin.shareTooltip(3), "75 %");

    // Shares with decimals, rounded to two places.
    test::writeFile(path, "01 02 03 04 05 06\n01 02 03 04 05 07\n01 02 03 04 05 08\n");
    const OwnSystemOrigin thirds = load(path).origin;
    EXPECT_EQ(thirds.shareLines()[5], "06-33,33%");
    EXPECT_EQ(thirds.shareTooltip(7), "33,33 %");
    EXPECT_EQ(thirds.shareLines()[0], "01-100%");
}

TEST(OwnSystem, LoadRefusesBetsOutsideTheTable)
{
    // A KMB file takes its numbers as they are: a 50, a 0 or a repeated number must not reach the mapping.
    test::TempDir dir;
    struct Case {
        std::vector<int> bet;
        const char* specific;
    };
    const Case cases[] = {
        {{1, 2, 3, 4, 5, 50, 0}, "Apuestas con números fuera del intervalo 1-49 (Apuesta 2)"},
        {{0, 2, 3, 4, 5, 6, 0}, "Apuestas con números fuera del intervalo 1-49 (Apuesta 2)"},
        {{1, 2, 3, 4, 6, 6, 0}, "Apuestas con números no en orden ascendente (Apuesta 2)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.specific);
        const std::string path = test::writeKmb(dir.file("malo.KMB"), {{1, 2, 3, 4, 5, 6, 0}, c.bet});
        const OwnSystemOriginLoad loaded = load(path);
        EXPECT_TRUE(loaded.failed());
        EXPECT_EQ(loaded.failure, std::string("ERROR AL IMPORTAR EL FICHERO, FICHERO NO IMPORTADO ( ") + c.specific + ")");
    }
    // Bets in descending order are only sorted.
    const std::string path = test::writeKmb(dir.file("bien.kmb"), {{6, 5, 4, 3, 2, 1, 7}});
    const OwnSystemOriginLoad loaded = load(path);
    ASSERT_TRUE(loaded.done()) << loaded.failure;
    EXPECT_EQ(test::rowsOf(*loaded.origin.bets), (std::vector<std::vector<int>>{{1, 2, 3, 4, 5, 6, 0}}));
}

TEST(OwnSystem, MappingInAscendingOrderWithoutTheOrderChoice)
{
    test::TempDir dir;
    const std::string path = dir.file("origen.txt");
    test::writeFile(path, kEightNumbers);
    const OwnSystemOrigin origin = load(path).origin;
    const OwnSystemDestination to = destination({2, 4, 6, 8, 40, 42, 44, 49});
    ASSERT_FALSE(checkOwnSystem(origin, to).has_value());
    OwnSystemMapping mapping;
    ASSERT_FALSE(buildOwnSystemMapping(origin, to, mapping).has_value());
    EXPECT_EQ(mapping.map[1], 2);
    EXPECT_EQ(mapping.map[3], 4);
    EXPECT_EQ(mapping.map[9], 40);
    EXPECT_EQ(mapping.map[15], 49);
    EXPECT_EQ(mapping.map[2], 0);
    EXPECT_EQ(mapping.header, "0204060840424449");
    EXPECT_EQ(test::rowsOf(mapOwnSystem(*origin.bets, mapping.map)),
              (std::vector<std::vector<int>>{{2, 4, 6, 8, 40, 42, 0},
                                             {4, 6, 8, 40, 42, 44, 0},
                                             {6, 8, 40, 42, 44, 49, 0},
                                             {2, 4, 6, 8, 44, 49, 0}}));
}

TEST(OwnSystem, ReversingOrderChoiceGivesSortedBets)
{
    test::TempDir dir;
    const std::string path = test::writeKmb(dir.file("o.KMB"), {{1, 2, 3, 4, 5, 6, 9}, {1, 2, 3, 4, 5, 7, 3}});
    const OwnSystemOrigin origin = load(path).origin;
    OwnSystemDestination to = destination({10, 20, 30, 40, 41, 42, 43});
    setChooseOrder(to, true);
    // 10 <- 7, 20 <- 6, ..., 43 <- 1: the order of the numbers turns round.
    const int origins[] = {7, 6, 5, 4, 3, 2, 1};
    const int destinations[] = {10, 20, 30, 40, 41, 42, 43};
    for (int i = 0; i < 7; ++i) ASSERT_FALSE(chooseOrigin(to, destinations[i], origins[i]).has_value());
    OwnSystemMapping mapping;
    ASSERT_FALSE(buildOwnSystemMapping(origin, to, mapping).has_value());
    // The header follows the origin numbers 1..7.
    EXPECT_EQ(mapping.header, "43424140302010");
    EXPECT_EQ(test::rowsOf(mapOwnSystem(*origin.bets, mapping.map)),
              (std::vector<std::vector<int>>{{20, 30, 40, 41, 42, 43, 0}, {10, 30, 40, 41, 42, 43, 0}}));
}

TEST(OwnSystem, OrderChoiceRefusals)
{
    test::TempDir dir;
    const std::string path = test::writeKmb(dir.file("o.KMB"), {{1, 2, 3, 4, 5, 6, 0}});
    const OwnSystemOrigin origin = load(path).origin;
    OwnSystemDestination to = destination({11, 12, 13, 14, 15, 16});
    setChooseOrder(to, true);
    ASSERT_FALSE(chooseOrigin(to, 11, 3).has_value());
    // The same origin number in a second selector is refused, and that selector goes back to "---".
    to.order[12] = 5;
    const auto refused = chooseOrigin(to, 12, 3);
    ASSERT_TRUE(refused.has_value());
    EXPECT_EQ(refused->text, "ERROR: Ese número del sistema ORIGEN ya esta seleccionado");
    EXPECT_EQ(to.order[12], 0);
    EXPECT_EQ(to.order[11], 3);
    // Choosing it again in its own selector is no repetition.
    EXPECT_FALSE(chooseOrigin(to, 11, 3).has_value());

    // One destination left at "---": the combos error, and no mapping.
    const int others[] = {2, 4, 5, 6};
    for (int d = 12; d <= 15; ++d) ASSERT_FALSE(chooseOrigin(to, d, others[d - 12]).has_value());
    OwnSystemMapping mapping;
    const auto combos = buildOwnSystemMapping(origin, to, mapping);
    ASSERT_TRUE(combos.has_value());
    EXPECT_EQ(combos->text, "ERROR: Algún número DESTINO no tiene asignado número ORIGEN (Rellene los Combos)");
    EXPECT_TRUE(mapping.header.empty());
    // A selector showing a number the origin does not use maps nothing either.
    to.order[16] = 9;
    EXPECT_TRUE(buildOwnSystemMapping(origin, to, mapping).has_value());
    ASSERT_FALSE(chooseOrigin(to, 16, 1).has_value());
    EXPECT_FALSE(buildOwnSystemMapping(origin, to, mapping).has_value());

    // Clearing the choice puts every selector back to "---".
    setChooseOrder(to, false);
    for (int d = 1; d <= 49; ++d) EXPECT_EQ(to.order[d], 0);
}

TEST(OwnSystem, UnmarkedDestinationFreesItsOriginNumber)
{
    OwnSystemDestination to = destination({10, 11});
    setChooseOrder(to, true);
    ASSERT_FALSE(chooseOrigin(to, 10, 3).has_value());
    // Unmarking 10 hides its selector: 3 is free again for the others.
    setDestinationMarked(to, 10, false);
    EXPECT_EQ(to.order[10], 0);
    EXPECT_FALSE(to.marked[10]);
    EXPECT_FALSE(chooseOrigin(to, 11, 3).has_value());
    setDestinationMarked(to, 10, true);
    EXPECT_EQ(to.count(), 2);

    // Random marking keeps the choices of numbers still marked and drops the others.
    OwnSystemDestination all;
    for (int v = 1; v <= 49; ++v) all.marked[v] = 1;
    setChooseOrder(all, true);
    for (int v = 1; v <= 49; ++v) all.order[v] = static_cast<uint8_t>(v);
    markRandomDestination(all, 8, 77);
    EXPECT_EQ(all.count(), 8);
    for (int v = 1; v <= 49; ++v) {
        SCOPED_TRACE(v);
        EXPECT_EQ(all.order[v], all.marked[v] ? v : 0);
    }
}

TEST(OwnSystem, SaveChecksInOrder)
{
    const OwnSystemOrigin empty;
    auto notice = checkOwnSystem(empty, destination({1, 2, 3, 4, 5, 6}));
    ASSERT_TRUE(notice.has_value());
    EXPECT_EQ(notice->text, "ERROR: Hay 0 apuestas importadas");

    test::TempDir dir;
    const OwnSystemOrigin origin = load(test::writeKmb(dir.file("o.KMB"), {{1, 2, 3, 4, 5, 6, 0}})).origin;
    notice = checkOwnSystem(origin, destination({1, 2, 3, 4, 5, 6, 7}));
    ASSERT_TRUE(notice.has_value());
    EXPECT_EQ(notice->text, "ERROR: Cantidad de números seleccionados del sistema DESTINO distinto del sistema ORIGEN");
    EXPECT_FALSE(checkOwnSystem(origin, destination({7, 8, 9, 10, 11, 12})).has_value());

    EXPECT_EQ(ownSystemProposedName("Sin guardar.xml"), "Sin guardar.KMB");
    EXPECT_EQ(ownSystemProposedName("semana.12.xml"), "semana.12.KMB");
    EXPECT_EQ(ownSystemProposedName("base"), "base.KMB");
}
