#include <gtest/gtest.h>

#include "core/filter_rows.h"
#include "core/format.h"
#include "filters/filter_fixture.h"
#include "filters/summary_report.h"

using namespace kombitron;
using namespace kombitron::test;

namespace {

class SummaryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setNumberFormat({".", ","});
        ResetStateDefaults(state, 2024);
        resetFilterRows(state);
        for (int n : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 49}) setNumberMarked(state, n, true);
        setReintegroMarked(state, 3, true);
    }
    void activate(FilterId id) { setRowActive(state.filterRows[static_cast<int>(id)], true); }
    // The lines of the report from the one that starts with `first`, `count` of them.
    std::string linesFrom(const std::string& first, int count)
    {
        const std::string text = buildFilterSummary(state);
        size_t at = text.find("\r\n" + first);
        if (at == std::string::npos) return "(missing " + first + ")";
        at += 2;
        size_t end = at;
        for (int i = 0; i < count && end != std::string::npos; ++i) end = text.find("\r\n", end) + 2;
        return text.substr(at, end - at);
    }
    AppState state;
};

} // namespace

TEST_F(SummaryTest, NoActiveFilter)
{
    const std::string expected =
        "RESUMEN\r\n\r\n"
        "Programa           : KOMBITRON 10.0\r\n"
        "Tipo de Juego      : PRIMITIVA\r\n"
        "Nombre combinación : Sin guardar.xml\r\n"
        "Nº de Apuestas     : 462\r\n\r\n"
        "COMBINACION BASE\r\n\r\n"
        "NUMEROS\r\n"
        "    10 -- -- --\r\n"
        " 01 -- -- -- --\r\n"
        " 02 -- -- -- --\r\n"
        " 03 -- -- -- --\r\n"
        " 04 -- -- -- --\r\n"
        " 05 -- -- -- --\r\n"
        " 06 -- -- -- --\r\n"
        " 07 -- -- -- --\r\n"
        " 08 -- -- -- --\r\n"
        " 09 -- -- -- 49\r\n"
        "\r\n"
        "REINTEGROS (Al directo)\r\n"
        " --  --  --  03  -- \r\n"
        " --  --  --  --  -- \r\n"
        "\r\n";
    EXPECT_EQ(buildFilterSummary(state), expected);

    // After a calculation the reduced counter is the count; BONOLOTO has no reintegro block.
    state.reducedCount = 12345;
    selectGame(state, GameType::Bonoloto);
    const std::string text = buildFilterSummary(state);
    EXPECT_NE(text.find("Nº de Apuestas     : 12.345\r\n"), std::string::npos);
    EXPECT_EQ(text.find("REINTEGROS"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 17), " 09 -- -- -- 49\r\n");

    state.base.kind = CombinationKind::FromFile;
    state.base.importedFileName = "/datos/apuestas.txt";
    state.reducedCount = 0;
    const std::string imported = buildFilterSummary(state);
    EXPECT_NE(imported.find("Nº de Apuestas     : 0\r\n"), std::string::npos);
    EXPECT_EQ(imported.substr(imported.size() - 49), " 49\r\nBase desde Fichero : /datos/apuestas.txt\r\n\r\n");
}

TEST_F(SummaryTest, PartitionAndFigureSections)
{
    activate(FilterId::ALTOSBAJOS);
    activate(FilterId::PARESIMPARES);
    activate(FilterId::SEGUIDOS);
    state.filters.paresImpares.pares = hits({0, 3, 6});
    state.filters.seguidos.seguidos = hits({1, 2});
    state.filters.seguidos.figures[0] = 1;
    state.filters.seguidos.figures[10] = 1;
    EXPECT_EQ(linesFrom("FILTROS", 6),
              "FILTROS\r\n\r\nFiltro BAJOS Y ALTOS:\r\nNúmeros 01 al 24: \r\nNúmeros 25 al 49: \r\n\r\n");
    EXPECT_EQ(linesFrom("Filtro PARES", 2), "Filtro PARES E IMPARES:\r\nNúmeros jugados (Pares-Impares): 0-6,3-3,6-0\r\n");
    EXPECT_EQ(linesFrom("Filtro SEGUIDOS", 4),
              "Filtro SEGUIDOS:\r\nNúmeros Seguidos: 1,2\r\nFiguras jugadas: 6-0,1-1-1-1-1-1\r\n\r\n");

    activate(FilterId::TERMINACIONES);
    state.filters.terminaciones.terminadosEn[9] = hits({0, 1});
    state.filters.terminaciones.figures[0] = 1;
    state.filters.terminaciones.figures[9] = 1;
    EXPECT_EQ(linesFrom("Terminados en 9", 3),
              "Terminados en 9: 0,1\r\nFiguras jugadas: 5-1,1-1-1-1-1-1\r\nSuma de Terminaciones: 2-53\r\n");
}

TEST_F(SummaryTest, GroupSections)
{
    activate(FilterId::GRUPOS);
    state.filters.grupos.groups[0].members = numberSet({1, 2});   // no hits: not listed
    state.filters.grupos.groups[6].members = numberSet({3, 10, 49});
    state.filters.grupos.groups[6].hits = hits({1, 2});
    state.filters.grupos.groups[6].positions = {1, 0, 1, 0, 0, 0};
    EXPECT_EQ(linesFrom("Filtro GRUPOS DE", 8),
              "Filtro GRUPOS DE NUMEROS:\r\nGrupo 7\r\nNúmeros en el grupo: 3,10,49\r\nAciertos en el grupo: 1,2\r\n"
              "Posiciones en el grupo: 1,3\r\n\r\n\r\n");

    activate(FilterId::GRUPOSRELACIONADOS);
    state.filters.gruposRelacionados.subgroups[6] = numberSet({4, 5});
    state.filters.gruposRelacionados.conditions[8] = hits({2});
    EXPECT_EQ(linesFrom("Filtro GRUPOS RELACIONADOS", 5),
              "Filtro GRUPOS RELACIONADOS:\r\nGRUPO 2\r\nNúmeros en Subgrupo 7: 4 5 \r\nAciertos en algún Subgrupo: 2\r\n\r\n");

    activate(FilterId::SORTEOSANTERIORES);
    state.filters.sorteosAnteriores.groups[2].acertarEN = hits({0});
    state.filters.sorteosAnteriores.groups[2].sorteoDIAS = 3;
    state.filters.sorteosAnteriores.groups[2].aciertosMaximoSORTEOS = 40;
    EXPECT_EQ(linesFrom("Filtro SORTEOS", 6),
              "Filtro SORTEOS ANTERIORES:\r\nGRUPO 3\r\nDesde el sorteo 1 de 2024 hasta el sorteo 1 de 2024\r\n"
              "En los días : Miércoles\r\nEn Mínimo 0 Sorteos y Máximo 40 Sorteos\r\nSe han de acertar : 0\r\n");

    activate(FilterId::GRUPOSENTRELIMITES);
    EXPECT_EQ(linesFrom("Filtro GRUPOS ENTRE", 3), "Filtro GRUPOS ENTRE LIMITES:\r\nLímites de Grupos Acertados: 0 - 210\r\n\r\n");
}

TEST_F(SummaryTest, GridsOfValuesAndPercentages)
{
    activate(FilterId::VALORACIONES);
    state.filters.valoraciones.valuationMin[1][0] = 10;
    state.filters.valoraciones.valuationMax[1][0] = 300;
    state.filters.valoraciones.valuations[0][1] = 100;
    state.filters.valoraciones.valuations[9][1] = 5;
    EXPECT_EQ(linesFrom("Filtro VALORACIONES", 9),
              "Filtro VALORACIONES:\r\nGrupo 2\r\nIntervalo 1(Mín-Máx): 10-300\r\nIntervalo 2(Mín-Máx): 0-0\r\n"
              "Intervalo 3(Mín-Máx): 0-0\r\nIntervalo 4(Mín-Máx): 0-0\r\nValoraciones:\r\n     5   --- --- ---\r\n"
              " 100 --- --- --- ---\r\n");

    activate(FilterId::COEFICIENTERENTABILIDAD);
    state.filters.coeficiente.real[0] = 0;
    state.filters.coeficiente.ranges[0] = 1;
    state.filters.coeficiente.ranges[25] = 1;
    state.filters.coeficiente.ranges[99] = 1;
    EXPECT_EQ(linesFrom("Porcentajes Probabilidad Apostada", 3),
              "Porcentajes Probabilidad Apostada:\r\n       11,89 10,6  10,63 9,92 \r\n 12,6  13,41 12,58 11,9  11,07\r\n");
    EXPECT_EQ(linesFrom("Porcentajes Probabilidad Real", 3),
              "Porcentajes Probabilidad Real:\r\n       12,25 12,25 12,25 12,25\r\n ----- 12,25 12,25 12,25 12,25\r\n");
    EXPECT_EQ(linesFrom("CR seleccionados", 2), "CR seleccionados : 0,0 2,5 9,9\r\n\r\n");
}
