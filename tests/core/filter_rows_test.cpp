#include <gtest/gtest.h>

#include "core/filter_rows.h"
#include "core/format.h"

using namespace kombitron;

class FilterRowsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setNumberFormat({".", ","});
        ResetStateDefaults(state);
        resetFilterRows(state);
    }
    AppState state;
};

TEST_F(FilterRowsTest, RowsAtStartUp)
{
    EXPECT_EQ(state.filterRows[0], "No   Bajos y Altos         -       " + std::string(11, ' ') + "-");
    EXPECT_EQ(state.filterRows[3], "No   Grupos de Números     0 de 210" + std::string(11, ' ') + "-");
    EXPECT_EQ(state.filterRows[4], "No   Grupos Relacionados   0 de 60 " + std::string(11, ' ') + "-");
    EXPECT_EQ(state.filterRows[14], "No   Sorteos Anteriores    0 de 20 " + std::string(11, ' ') + "-");
    EXPECT_EQ(state.filterRows[16], "No   Valoraciones          0 de 10 " + std::string(11, ' ') + "-");
    EXPECT_EQ(state.filterRows[18], "No   Grupos entre Límites  0 de 210" + std::string(11, ' ') + "-");
    EXPECT_EQ(state.filterRows[19], "No   Reducción             -      " + std::string(12, ' ') + "-");
    for (const auto& row : state.filterRows) {
        EXPECT_EQ(utf8Length(row), kFilterRowWidth) << row;
        EXPECT_FALSE(isRowActive(row));
    }
}

TEST_F(FilterRowsTest, SwitchingAndCounts)
{
    toggleRow(state.filterRows[6]);
    EXPECT_TRUE(isRowActive(state.filterRows[6]));
    EXPECT_EQ(state.filterRows[6].substr(0, 8), "Sí   Pa");
    toggleRow(state.filterRows[6]);
    EXPECT_FALSE(isRowActive(state.filterRows[6]));

    setRowActive(state.filterRows[3], true);
    for (int g = 0; g < 12; ++g) state.filters.grupos.groups[g].hits.flags[2] = 1;
    state.filters.grupos.groups[20].members[5] = 1;  // members without hits do not count
    rebuildFilterRow(state, 3);
    EXPECT_EQ(state.filterRows[3], "Sí   Grupos de Números     12 de 210" + std::string(10, ' ') + "-");

    state.filterEliminationCounts[3] = 1234567;
    state.filterEliminationCounts[0] = 55;  // inactive: stays "-"
    state.conditioningRan = true;
    refreshEliminatedColumn(state);
    EXPECT_EQ(state.filterRows[3], "Sí   Grupos de Números     12 de 210" + std::string(2, ' ') + "1.234.567");
    EXPECT_EQ(state.filterRows[0].back(), '-');
    rebuildFilterRow(state, 3);  // keeps the count column
    EXPECT_EQ(state.filterRows[3].substr(state.filterRows[3].size() - 9), "1.234.567");

    state.reduction.type = 2;
    setRowActive(state.filterRows[19], true);
    rebuildFilterRow(state, 19);
    EXPECT_EQ(state.filterRows[19], "Sí   Reducción             al 4   " + std::string(12, ' ') + "-");
}

TEST_F(FilterRowsTest, DefinedEntriesOfTheCountedFilters)
{
    auto& f = state.filters;
    f.gruposRelacionados.subgroups[6 * 5 + 3][17] = 1;    // block 6
    f.gruposRelacionados.conditions[0].flags[1] = 1;       // a condition alone does not define a block
    f.sorteosAnteriores.groups[19].acertarEN.flags[0] = 1;
    f.valoraciones.valuationMax[9][3] = 4;
    f.gruposEntreLimites.groups[209].hits.flags[6] = 1;
    EXPECT_EQ(definedEntryCount(state, FilterId::GRUPOSRELACIONADOS), 1);
    EXPECT_EQ(definedEntryCount(state, FilterId::SORTEOSANTERIORES), 1);
    EXPECT_EQ(definedEntryCount(state, FilterId::VALORACIONES), 1);
    EXPECT_EQ(definedEntryCount(state, FilterId::GRUPOSENTRELIMITES), 1);
    EXPECT_EQ(definedEntryCount(state, FilterId::SUMAS), 0);
}
