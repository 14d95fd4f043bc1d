#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "core/filter_rows.h"
#include "core/format.h"
#include "formats/base_file.h"
#include "formats/formats_support.h"
#include "support/recording_interaction.h"
#include "support/test_paths.h"

using namespace kombitron;

namespace {

void setFlags(HitSet& set, std::initializer_list<int> counts)
{
    for (int c : counts) set.flags[static_cast<size_t>(c)] = 1;
}

template <class Flags>
void setMembers(Flags& flags, std::initializer_list<int> numbers)
{
    for (int n : numbers) flags[static_cast<size_t>(n)] = 1;
}

// A configuration with a non-default value in every kind of parameter, within what the file keeps.
AppState everyKindOfParameter()
{
    AppState s;
    ResetStateDefaults(s);
    resetFilterRows(s);
    selectGame(s, GameType::Bonoloto);
    for (int n : {3, 14, 25, 36, 47, 49}) setNumberMarked(s, n, true);
    for (int d : {0, 9}) setReintegroMarked(s, d, true);
    s.base.reintegroMode = ReintegroMode::Sequential;
    s.base.kind = CombinationKind::FromFile;
    s.base.importedFileName = "C:\\Mis apuestas\\R&D <'uno'>.txt";
    s.winning.numbers = {4, 8, 15, 16, 23, 42};
    s.winning.complementary = 7;

    FilterParams& f = s.filters;
    setFlags(f.altosBajos.bajos, {0, 3});
    setFlags(f.altosBajos.altos, {6});
    setFlags(f.decenas.decenas[0], {1, 2});
    setFlags(f.decenas.decenas[4], {0});
    f.decenas.figures[3] = 1;
    f.distancias.minimum[0] = 1;
    f.distancias.maximum[0] = 10;
    f.distancias.maximum[5] = 48;
    setMembers(f.grupos.groups[1].members, {1, 2, 3});
    setFlags(f.grupos.groups[1].hits, {2});
    f.grupos.groups[1].positions = {1, 0, 1, 1, 1, 0};
    setMembers(f.gruposRelacionados.subgroups[1], {5, 6});
    setFlags(f.gruposRelacionados.conditions[2], {1});
    setFlags(f.homologos.homologos, {2});
    setFlags(f.paresImpares.pares, {3});
    setFlags(f.seguidos.seguidos, {2});
    f.seguidos.figures[10] = 1;
    f.sumas.intervals[0] = {21, 150};
    setFlags(f.terminaciones.terminadosEn[7], {0, 1});
    f.terminaciones.sumMin = 10;
    f.terminaciones.sumMax = 40;
    f.terminaciones.figures[0] = 1;
    setMembers(f.posiciones.allowed[0], {1, 2});
    setFlags(f.exteriores.exteriores, {2});
    setFlags(f.superiores.superiores, {4});
    setFlags(f.colindantes.colindantes, {1});
    PreviousDrawsGroup& draws = f.sorteosAnteriores.groups[19];
    draws.sorteoDESDE = {3, 2020};
    draws.sorteoHASTA = {102, 2023};
    draws.sorteoDIAS = 4;
    draws.aciertosMinimoSORTEOS = 1;
    draws.aciertosMaximoSORTEOS = 2;
    setFlags(draws.acertarEN, {3, 4});
    f.sumasPorTrios.first[0] = {6, 60};
    f.sumasPorTrios.last[4] = {100, 140};
    f.valoraciones.valuationMin[9][1] = 5;
    f.valoraciones.valuationMax[9][1] = 9;
    for (int n = 0; n < 49; ++n) f.valoraciones.valuations[n][9] = static_cast<int16_t>(n % 3);
    f.coeficiente.real[0] = 7.5;
    f.coeficiente.real[48] = 0.1;
    setMembers(f.coeficiente.ranges, {0, 50, 100});
    setMembers(f.gruposEntreLimites.groups[209].members, {49});
    setFlags(f.gruposEntreLimites.groups[209].hits, {1});
    f.gruposEntreLimites.minimum = 1;
    f.gruposEntreLimites.maximum = 3;

    s.reduction = {2, 95, 1200, 1, 0, 1, 1};
    for (int p : {0, 3, 18}) setRowActive(s.filterRows[p], true);
    return s;
}

std::string crlf(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

const char* const kEveryKindText = R"(<XML>
<BASE>
<DatosGeneracionFicheroXML fecha='09/03/2024' hora='21:05:00'/>
<Programa nombre='KOMBITRON' version='10.0' IDtipojuego='1' tipojuego='BONOLOTO' />
<Combinacion>
<Base_Numeros numeros='3,14,25,36,47,49'/>
<Base_Reintegros numeros='0,9' tipo='1' tipoDescripcion='Secuenciales' />
</Combinacion>
<CombinacionGanadora valor='4,8,15,16,23,42' />
<Complementario valor='7' />
<BaseASCII valor='C:\Mis apuestas\R&amp;D &lt;&apos;uno&apos;&gt;.txt' />
<Filtros>
<Filtro nombre='ALTOSBAJOS' activado='1'>
<Bajos valores='0,3' />
<Altos valores='6' />
</Filtro>
<Filtro nombre='DECENAS' activado='0'>
<Decena0109 valores='1,2' />
<Decena1019 valores='' />
<Decena2029 valores='' />
<Decena3039 valores='' />
<Decena4049 valores='0' />
<FigurasDecenas valores='0,0,0,1,0,0,0,0,0,0'/>
</Filtro>
<Filtro nombre='DISTANCIAS' activado='0'>
<Distancia12Minima valor='1' />
<Distancia12Maxima valor='10' />
<Distancia23Minima valor='0' />
<Distancia23Maxima valor='0' />
<Distancia34Minima valor='0' />
<Distancia34Maxima valor='0' />
<Distancia45Minima valor='0' />
<Distancia45Maxima valor='0' />
<Distancia56Minima valor='0' />
<Distancia56Maxima valor='0' />
<Distancia16Minima valor='0' />
<Distancia16Maxima valor='48' />
</Filtro>
<Filtro nombre='GRUPOS' activado='1'>
<grupo numero='2'>
<numeros valores='1,2,3' />
<aciertos valores='2' />
<posiciones valores='1,0,1,1,1,0' />
</grupo>
</Filtro>
<Filtro nombre='GRUPOSRELACIONADOS' activado='0'>
<grupo numero='1'>
<subgrupos>
<subgrupo numero='2' numeros='5,6' />
</subgrupos>
<condiciones>
<aciertos bloque='3' valores='1' />
</condiciones>
</grupo>
</Filtro>
<Filtro nombre='HOMOLOGOS' activado='0'>
<HomologosAcertados valores='2' />
</Filtro>
<Filtro nombre='PARESIMPARES' activado='0'>
<ParesActivos valores='3' />
</Filtro>
<Filtro nombre='SEGUIDOS' activado='0'>
<NumerosSeguidos valores='2' />
<FigurasSeguidos valores='0,0,0,0,0,0,0,0,0,0,1'/>
</Filtro>
<Filtro nombre='SUMAS' activado='0'>
<intervalos>
<intervalo numero='1' suma='21-150'/>
<intervalo numero='2' suma='0-0'/>
<intervalo numero='3' suma='0-0'/>
<intervalo numero='4' suma='0-0'/>
<intervalo numero='5' suma='0-0'/>
<intervalo numero='6' suma='0-0'/>
<intervalo numero='7' suma='0-0'/>
<intervalo numero='8' suma='0-0'/>
<intervalo numero='9' suma='0-0'/>
<intervalo numero='10' suma='0-0'/>
</intervalos>
</Filtro>
<Filtro nombre='TERMINACIONES' activado='0'>
<TerminadosEn id='0' valores='' />
<TerminadosEn id='1' valores='' />
<TerminadosEn id='2' valores='' />
<TerminadosEn id='3' valores='' />
<TerminadosEn id='4' valores='' />
<TerminadosEn id='5' valores='' />
<TerminadosEn id='6' valores='' />
<TerminadosEn id='7' valores='0,1' />
<TerminadosEn id='8' valores='' />
<TerminadosEn id='9' valores='' />
<SumaTerminaciones suma='10-40'/>
<FigurasTerminaciones valores='1,0,0,0,0,0,0,0,0,0'/>
</Filtro>
<Filtro nombre='POSICIONES' activado='0'>
<Bola id='1' valores='1,2' />
<Bola id='2' valores='' />
<Bola id='3' valores='' />
<Bola id='4' valores='' />
<Bola id='5' valores='' />
<Bola id='6' valores='' />
</Filtro>
<Filtro nombre='EXTERIORESINTERIORES' activado='0'>
<ExterioresInterioresActivos valores='2' />
</Filtro>
<Filtro nombre='SUPERIORESINFERIORES' activado='0'>
<SuperioresInferioresActivos valores='4' />
</Filtro>
<Filtro nombre='COLINDANTES' activado='0'>
<ColindantesAcertados valores='1' />
</Filtro>
<Filtro nombre='SORTEOSANTERIORES' activado='0'>
<grupo numero='20'>
<sorteoDESDE numero='3' anio='2020'/>
<sorteoHASTA numero='102' anio='2023'/>
<sorteoDIAS valor='4'/>
<aciertosMinimoSORTEOS valor='1' />
<aciertosMaximoSORTEOS valor='2' />
<acertarEN valores='3,4' />
</grupo>
</Filtro>
<Filtro nombre='SUMASPORTRIOS' activado='0'>
<intervalosT1>
<intervalo numero='1' suma='6-60'/>
<intervalo numero='2' suma='0-0'/>
<intervalo numero='3' suma='0-0'/>
<intervalo numero='4' suma='0-0'/>
<intervalo numero='5' suma='0-0'/>
</intervalosT1>
<intervalosT2>
<intervalo numero='1' suma='0-0'/>
<intervalo numero='2' suma='0-0'/>
<intervalo numero='3' suma='0-0'/>
<intervalo numero='4' suma='0-0'/>
<intervalo numero='5' suma='100-140'/>
</intervalosT2>
</Filtro>
<Filtro nombre='VALORACIONES' activado='0'>
<grupo numero='10'>
<intervalos>
<intervalo numero='1' valores='0-0'/>
<intervalo numero='2' valores='5-9'/>
<intervalo numero='3' valores='0-0'/>
<intervalo numero='4' valores='0-0'/>
</intervalos>
<valoraciones valores='0,1,2,0,1,2,0,1,2,0,1,2,0,1,2,0,1,2,0,1,2,0,1,2,0,1,2,0,1,2,0,1,2,0,1,2,0,1,2,0,1,2,0,1,2,0,1,2,0'/>
</grupo>
</Filtro>
<Filtro nombre='COEFICIENTERENTABILIDAD' activado='0'>
<PorcentajesApostados valores='12.6,11.87,14.59,12.66,13.96,12.27,15.73,12.9,13.25,11.89,13.41,13.36,14.56,12.46,13.59,11.15,12.36,12.12,11.84,10.6,12.58,12.59,14.28,12.76,14.1,12.15,12.67,11.87,11.71,10.63,11.9,12.02,12.98,11.65,11.29,12.25,10.81,11.04,11.06,9.92,11.07,11.53,11,11.34,11.93,10.44,12.51,11.71,11.05'/>
<PorcentajesReales valores='7.5,12.25,12.25,12.25,12.25,12.25,12.25,12.25,12.25,12.25,12.25,12.25,12.25,12.25,12.25,12.25,12.25,12.25,12.25,12.25,12.25,12.25,12.25,12.25,12.25,12.25,12.25,12.25,12.25,12.25,12.25,12.25,12.25,12.25,12.25,12.25,12.25,12.25,12.25,12.25,12.25,12.25,12.25,12.25,12.25,12.25,12.25,12.25,0.1'/>
<RangosCR valores='0,50,100' />
</Filtro>
<Filtro nombre='GRUPOSENTRELIMITES' activado='1'>
<grupo numero='210'>
<numeros valores='49' />
<aciertos valores='1' />
</grupo>
<aciertosMinimoGRUPOSENTRELIMITES valor='1' />
<aciertosMaximoGRUPOSENTRELIMITES valor='3' />
</Filtro>
</Filtros>
<Reduccion>
<Tipo descripcion='al 4' valor='2' />
<Porcentaje valor='95' />
<ActivarNumeroApuestas valor='1' />
<NuApuestas valor='1200' />
<ApuestasExactas valor='1' />
<ActivarCiclos valor='0' />
<Aleatorio valor='1' />
</Reduccion>
</BASE>
</XML>
)";

// Read `text` as a base file into a state that starts as a player's fresh Manual combination.
AppState readText(const std::string& text, test::RecordingInteraction& ui, CombinationKind kind = CombinationKind::Manual)
{
    AppState s;
    ResetStateDefaults(s);
    resetFilterRows(s);
    s.base.kind = kind;
    s.savedFlag = false;
    readBaseFileBytes(s, "base.xml", text, true, ui);
    return s;
}

// Every parameter the base file holds (the loaded previous draws are not part of it).
#define EXPECT_SAME_FILTERS(a, b)                                                      \
    do {                                                                                \
        const FilterParams& x = (a);                                                    \
        const FilterParams& y = (b);                                                    \
        EXPECT_TRUE(x.altosBajos == y.altosBajos);                                      \
        EXPECT_TRUE(x.decenas == y.decenas);                                            \
        EXPECT_TRUE(x.distancias == y.distancias);                                      \
        EXPECT_TRUE(x.grupos == y.grupos);                                              \
        EXPECT_TRUE(x.gruposRelacionados == y.gruposRelacionados);                      \
        EXPECT_TRUE(x.homologos == y.homologos);                                        \
        EXPECT_TRUE(x.paresImpares == y.paresImpares);                                  \
        EXPECT_TRUE(x.seguidos == y.seguidos);                                          \
        EXPECT_TRUE(x.sumas == y.sumas);                                                \
        EXPECT_TRUE(x.terminaciones == y.terminaciones);                                \
        EXPECT_TRUE(x.posiciones == y.posiciones);                                      \
        EXPECT_TRUE(x.exteriores == y.exteriores);                                      \
        EXPECT_TRUE(x.superiores == y.superiores);                                      \
        EXPECT_TRUE(x.colindantes == y.colindantes);                                    \
        EXPECT_TRUE(x.sorteosAnteriores.groups == y.sorteosAnteriores.groups);          \
        EXPECT_TRUE(x.sumasPorTrios == y.sumasPorTrios);                                \
        EXPECT_TRUE(x.valoraciones == y.valoraciones);                                  \
        EXPECT_TRUE(x.coeficiente == y.coeficiente);                                    \
        EXPECT_TRUE(x.gruposEntreLimites == y.gruposEntreLimites);                      \
    } while (false)

} // namespace

TEST(BaseFile, TemplateByteForByte)
{
    const AppState s = everyKindOfParameter();
    EXPECT_EQ(buildBaseFileText(s, "09/03/2024", "21:05:00"), crlf(kEveryKindText));

    // With the clock: the date line is the only one that changes.
    const std::string now = buildBaseFileText(s);
    EXPECT_EQ(now.substr(now.find("<Programa")), crlf(kEveryKindText).substr(crlf(kEveryKindText).find("<Programa")));
}

TEST(BaseFile, EveryParameterSurvivesWriteThenRead)
{
    test::TempDir dir;
    AppState written = everyKindOfParameter();
    written.base.kind = CombinationKind::Manual;  // so that the grid is read back too
    // Related sub-groups come back in the first slots of their block.
    std::swap(written.filters.gruposRelacionados.subgroups[0], written.filters.gruposRelacionados.subgroups[1]);
    // Values at the edges of their types.
    written.filters.distancias.minimum[3] = -32768;
    written.filters.distancias.maximum[3] = 32767;
    written.filters.sumas.intervals[9] = {-5, 300};
    written.filters.gruposEntreLimites.maximum = 2147483647;
    written.filters.sorteosAnteriores.groups[0].acertarEN.flags[0] = 1;
    written.filters.sorteosAnteriores.groups[0].sorteoHASTA = {65535, -1};
    written.filters.coeficiente.played[5] = 12.345678901234;
    written.filters.coeficiente.ranges.fill(1);
    written.filters.valoraciones.valuations[0][9] = -7;
    written.reduction = {4, 0, 2147483647, 0, 1, 0, 0};
    const std::string path = dir.file("config.xml");
    std::string failure;
    ASSERT_TRUE(WriteBaseFile(written, path, failure)) << failure;
    EXPECT_TRUE(written.savedFlag);
    EXPECT_EQ(written.baseFileName, "config.xml");

    test::RecordingInteraction ui;
    AppState read;
    ResetStateDefaults(read);
    resetFilterRows(read);
    read.savedFlag = false;
    ReadBaseFile(read, path, ui);
    EXPECT_TRUE(ui.messages.empty()) << ui.lastText();
    EXPECT_SAME_FILTERS(read.filters, written.filters);
    EXPECT_TRUE(read.reduction == written.reduction);
    EXPECT_EQ(read.base.markedNumbers, written.base.markedNumbers);
    EXPECT_EQ(read.base.markedReintegros, written.base.markedReintegros);
    EXPECT_EQ(read.base.reintegroMode, ReintegroMode::Sequential);
    EXPECT_EQ(read.base.gameName, "BONOLOTO");
    EXPECT_EQ(read.initialCount, 1);
    EXPECT_EQ(read.winning.numbers, written.winning.numbers);
    EXPECT_EQ(read.winning.complementary, 7);
    EXPECT_TRUE(read.savedFlag);
    EXPECT_EQ(read.baseFileName, "config.xml");
    for (int p = 0; p < kFilterCount; ++p) EXPECT_EQ(isRowActive(read.filterRows[p]), p == 0 || p == 3 || p == 18) << p;
    EXPECT_EQ(read.filterRows[3].substr(0, 37), "Sí   Grupos de Números     1 de 210");
    // The reduction follows its type, whatever its row said when written.
    EXPECT_EQ(read.filterRows[kReductionRow], buildReductionRow(4, true));
}

TEST(BaseFile, WhatTheFileDoesNotKeep)
{
    // Entries without conditions are not written, and related sub-groups move to the first slots.
    AppState s;
    ResetStateDefaults(s);
    resetFilterRows(s);
    setMembers(s.filters.grupos.groups[4].members, {1, 2});  // no hit set: not written
    setMembers(s.filters.gruposRelacionados.subgroups[6 + 3], {7});
    setMembers(s.filters.gruposRelacionados.subgroups[6 + 5], {8});
    setFlags(s.filters.gruposRelacionados.conditions[6 + 4], {2});
    setFlags(s.filters.gruposRelacionados.conditions[12], {2});  // block 3 has no members: not written
    s.filters.homologos.homologos.flags[0] = 1;                  // only 1..6 are written
    setMembers(s.filters.valoraciones.valuations[3], {0});       // condition 1 has no bounds: not written
    s.filters.valoraciones.valuations[3][0] = 9;
    test::RecordingInteraction ui;
    const AppState r = readText(buildBaseFileText(s, "d", "t"), ui);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(r.filters.grupos.groups[4].members, NumberFlags{});
    EXPECT_EQ(r.filters.gruposRelacionados.subgroups[6][7], 1);
    EXPECT_EQ(r.filters.gruposRelacionados.subgroups[7][8], 1);
    EXPECT_EQ(r.filters.gruposRelacionados.subgroups[9], NumberFlags{});
    EXPECT_TRUE(r.filters.gruposRelacionados.conditions[10].has(2));
    EXPECT_FALSE(r.filters.gruposRelacionados.conditions[12].any());
    EXPECT_FALSE(r.filters.homologos.homologos.any());
    EXPECT_EQ(r.filters.valoraciones.valuations[3][0], 0);
}

TEST(BaseFile, NamesInAnyCase)
{
    const AppState s = everyKindOfParameter();
    const std::string original = buildBaseFileText(s, "d", "t");
    std::string upperText = original, lowerText = original;
    // Element names only: change the case of everything between "<" and the first blank or ">".
    for (std::string* text : {&upperText, &lowerText}) {
        bool inName = false;
        for (char& c : *text) {
            if (c == '<') inName = true;
            else if (c == ' ' || c == '>') inName = false;
            else if (inName) c = static_cast<char>(text == &upperText ? std::toupper(c) : std::tolower(c));
        }
    }
    ASSERT_NE(upperText.find("<FILTRO nombre"), std::string::npos);
    ASSERT_NE(lowerText.find("<porcentajesapostados"), std::string::npos);
    test::RecordingInteraction ui;
    const AppState fromOriginal = readText(original, ui);
    const AppState fromUpper = readText(upperText, ui);
    const AppState fromLower = readText(lowerText, ui);
    // The BaseASCII warning is the only message, once per read.
    EXPECT_EQ(ui.messages.size(), 3u);
    for (const auto& m : ui.messages) EXPECT_EQ(m.kind, MessageKind::Warning);
    EXPECT_SAME_FILTERS(fromUpper.filters, fromOriginal.filters);
    EXPECT_SAME_FILTERS(fromLower.filters, fromOriginal.filters);
    EXPECT_TRUE(fromLower.reduction == fromOriginal.reduction);
    EXPECT_EQ(fromLower.filterRows, fromOriginal.filterRows);
    EXPECT_EQ(fromUpper.base.markedNumbers, fromOriginal.base.markedNumbers);

    // Elements in another order read the same.
    const size_t filters = original.find("<Filtros>");
    const size_t reduction = original.find("<Reduccion>");
    const size_t end = original.find("</BASE>");
    const std::string reordered = original.substr(0, filters) + original.substr(reduction, end - reduction) +
                                  original.substr(filters, reduction - filters) + original.substr(end);
    test::RecordingInteraction quiet;
    const AppState fromReordered = readText(reordered, quiet);
    EXPECT_SAME_FILTERS(fromReordered.filters, fromOriginal.filters);
    EXPECT_TRUE(fromReordered.reduction == fromOriginal.reduction);
}

TEST(BaseFile, MissingSectionsKeepTheResetValues)
{
    test::RecordingInteraction ui;
    AppState s;
    ResetStateDefaults(s);
    resetFilterRows(s);
    s.reduction.type = 3;
    s.filters.paresImpares.pares.flags[2] = 1;
    setRowActive(s.filterRows[kReductionRow], true);
    setRowActive(s.filterRows[6], true);
    setNumberMarked(s, 5, true);
    readBaseFileBytes(s, "vacia.xml", "<XML><BASE><Programa IDtipojuego='0'/></BASE></XML>", true, ui);
    EXPECT_TRUE(ui.messages.empty());
    AppState reset;
    ResetStateDefaults(reset);
    EXPECT_SAME_FILTERS(s.filters, reset.filters);
    EXPECT_TRUE(s.reduction == reset.reduction);
    EXPECT_FALSE(isRowActive(s.filterRows[kReductionRow]));
    EXPECT_FALSE(isRowActive(s.filterRows[6]));
    EXPECT_EQ(markedNumberCount(s), 0);
    EXPECT_EQ(s.initialCount, 0);
    EXPECT_EQ(s.baseFileName, "vacia.xml");
}

TEST(BaseFile, ErrorBoxLines)
{
    const std::string head = "<XML><BASE>";
    const std::string tail = "</BASE></XML>";
    struct Case {
        const char* name;
        std::string body;
        std::vector<std::string> labels;  // in the order of the box, empty: no box
    };
    const std::vector<Case> cases = {
        {"game id 2 is ignored", "<Programa IDtipojuego='2'/>", {}},
        {"game id missing is ignored", "<Programa/>", {}},
        {"game id not a number", "<Programa IDtipojuego='PRIMITIVA'/>", {"TIPOJUEGO"}},
        {"number out of range", "<Combinacion><Base_Numeros numeros='1,50'/></Combinacion>", {"NUMEROS-REINTEGROS"}},
        {"missing tipo", "<Combinacion><Base_Reintegros numeros='1'/></Combinacion>", {"NUMEROS-REINTEGROS"}},
        {"winning not a number", "<CombinacionGanadora valor='1,x,3' />", {"COMBINACION GANADORA"}},
        {"complementary missing", "<Complementario />", {"COMPLEMENTARIO"}},
        {"BaseASCII missing", "<BaseASCII />", {"BASE ASCII"}},
        {"reduction type out of range", "<Reduccion><Tipo valor='9'/><Porcentaje valor='x'/></Reduccion>", {"REDUCCION"}},
        {"9 in a 0..6 flag list", "<Filtros><Filtro nombre='PARESIMPARES' activado='1'><ParesActivos valores='1,9'/></Filtro></Filtros>",
         {"PARES E IMPARES"}},
        {"group 300", "<Filtros><Filtro nombre='GRUPOS' activado='0'><grupo numero='300'><aciertos valores='1'/></grupo></Filtro></Filtros>",
         {"GRUPOS DE NUMEROS"}},
        {"too many related sub-groups",
         "<Filtros><Filtro nombre='GRUPOSRELACIONADOS' activado='0'><grupo numero='60'><subgrupos>"
         "<s numeros='1'/><s numeros='2'/><s numeros='3'/><s numeros='4'/><s numeros='5'/><s numeros='6'/><s numeros='7'/>"
         "</subgrupos></grupo></Filtro></Filtros>",
         {"GRUPOSRELACIONADOS"}},
        {"bad pair", "<Filtros><Filtro nombre='SUMAS' activado='0'><intervalos><intervalo numero='1' suma='100'/></intervalos></Filtro></Filtros>",
         {"SUMAS"}},
        {"too many percentages",
         "<Filtros><Filtro nombre='COEFICIENTERENTABILIDAD' activado='0'><PorcentajesReales valores='" +
             std::string(49 * 2, '1').replace(1, 97, std::string(49, ',') + std::string(48, '1')) + "'/></Filtro></Filtros>",
         {"COEFICIENTERENTABILIDAD"}},
        {"unknown filter and element ignored", "<Filtros><Filtro nombre='OTRO' activado='1'/></Filtros><Otro/>", {}},
        {"two sections in order of failure",
         "<Complementario valor='z'/><Programa IDtipojuego='?'/><Complementario valor='99'/>", {"COMPLEMENTARIO", "TIPOJUEGO"}},
        {"malformed document", "<Programa IDtipojuego='1'/><Combinacion>", {"FICHERO"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::RecordingInteraction ui;
        const AppState s = readText(head + c.body + tail, ui);
        if (c.labels.empty()) {
            EXPECT_TRUE(ui.messages.empty()) << ui.lastText();
            continue;
        }
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].kind, MessageKind::Error);
        const std::string& box = ui.messages[0].text;
        EXPECT_EQ(box.rfind("ERRORES detectados al abrir la BASE:\n\n", 0), 0u) << box;
        size_t at = std::string("ERRORES detectados al abrir la BASE:\n\n").size();
        for (const auto& label : c.labels) {
            EXPECT_EQ(box.compare(at, label.size() + 3, label + " : "), 0) << box;
            at = box.find('\n', at) + 1;
        }
        EXPECT_EQ(at, box.size()) << box;
    }
    test::RecordingInteraction ui;
    readText("<XML><BASE><Programa IDtipojuego='1'/><Combinacion>", ui);
    EXPECT_EQ(ui.lastText(), "ERRORES detectados al abrir la BASE:\n\nFICHERO : ERROR AL ABRIR EL FICHERO\n");

    // A huge file is no base file: refused before it is parsed (100 MB once took 1.2 GB).
    test::RecordingInteraction huge;
    readText("<XML><BASE><Complementario valor='" + std::string(5 << 20, ',') + "'/></BASE></XML>", huge);
    EXPECT_EQ(huge.lastText(), "ERRORES detectados al abrir la BASE:\n\nFICHERO : ERROR AL ABRIR EL FICHERO (pasa de 4 MB, "
                               "no es un fichero BASE)\n");
    // A long value quoted in a description does not fill the box, and a control byte does not cut it.
    test::RecordingInteraction longValue;
    readText("<XML><BASE><Complementario valor='" + std::string(100000, 'z') + "'/><Programa IDtipojuego='&#1;x'/>"
             "</BASE></XML>", longValue);
    ASSERT_EQ(longValue.messages.size(), 1u);
    const std::string& box = longValue.messages[0].text;
    EXPECT_LT(box.size(), 600u) << box;
    EXPECT_NE(box.find("COMPLEMENTARIO : 'zzzz"), std::string::npos) << box;
    EXPECT_NE(box.find("...\nTIPOJUEGO : '?x' no es un número\n"), std::string::npos) << box;
}

TEST(BaseFile, OutOfRangeValuesStayOutOfTheTables)
{
    test::RecordingInteraction ui;
    const AppState s = readText(
        "<XML><BASE><Filtros><Filtro nombre='GRUPOS' activado='1'><grupo numero='0'><numeros valores='1'/></grupo>"
        "<grupo numero='211'/><grupo numero='1'><numeros valores='0,50,7'/><aciertos valores='-1,7,2'/></grupo></Filtro>"
        "<Filtro nombre='TERMINACIONES' activado='0'><TerminadosEn id='10' valores='1'/><SumaTerminaciones suma='5-300'/></Filtro>"
        "<Filtro nombre='POSICIONES' activado='0'><Bola id='7' valores='1'/></Filtro>"
        "<Filtro nombre='DISTANCIAS' activado='0'><Distancia12Minima valor='40000'/></Filtro>"
        "</Filtros></BASE></XML>",
        ui);
    ASSERT_EQ(ui.messages.size(), 1u);
    NumberFlags seven{};
    seven[7] = 1;
    EXPECT_EQ(s.filters.grupos.groups[0].members, seven);
    EXPECT_TRUE(s.filters.grupos.groups[0].hits.has(2));
    EXPECT_EQ(definedEntryCount(s, FilterId::GRUPOS), 1);
    AppState reset;
    ResetStateDefaults(reset);
    EXPECT_TRUE(s.filters.terminaciones == reset.filters.terminaciones);
    EXPECT_TRUE(s.filters.posiciones == reset.filters.posiciones);
    EXPECT_TRUE(s.filters.distancias == reset.filters.distancias);
}

TEST(BaseFile, ImportedCombinationsAndTheBaseAsciiNotice)
{
    const std::string text = "<XML><BASE><Combinacion><Base_Numeros numeros='1,2,3,4,5,6,7'/></Combinacion>"
                             "<BaseASCII valor='C:\\apuestas\\semana.txt'/></BASE></XML>";
    test::RecordingInteraction manual;
    const AppState s = readText(text, manual);
    EXPECT_EQ(markedNumberCount(s), 7);
    EXPECT_EQ(s.initialCount, 7);
    ASSERT_EQ(manual.messages.size(), 1u);
    EXPECT_EQ(manual.messages[0].kind, MessageKind::Warning);
    EXPECT_EQ(manual.messages[0].text,
              "AVISO : La Base fue importada desde el fichero en ASCII: (C:\\apuestas\\semana.txt)\n"
              "Debe importarlo de nuevo con la opción 'Desde Archivo' si quiere que su Combinación parta de dicho "
              "fichero.");

    // With an imported combination open the grid, its reintegros and the notice are left alone.
    test::RecordingInteraction imported;
    AppState open;
    ResetStateDefaults(open);
    resetFilterRows(open);
    open.base.kind = CombinationKind::FromFile;
    setNumberMarked(open, 40, true);
    setReintegroMarked(open, 2, true);
    readBaseFileBytes(open, "b.xml", text, true, imported);
    EXPECT_TRUE(imported.messages.empty());
    EXPECT_EQ(markedNumberCount(open), 1);
    EXPECT_EQ(open.base.markedReintegros[2], 1);
}

TEST(BaseFile, OldWindows1252FilesAndEscapes)
{
    test::RecordingInteraction ui;
    const AppState s = readText("<XML><BASE><BaseASCII valor='C:\\a\xF1o\\x.txt'/></BASE></XML>", ui);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find("C:\\año\\x.txt"), std::string::npos);

    // A path with every character XML treats specially comes back as it was.
    AppState w;
    ResetStateDefaults(w);
    resetFilterRows(w);
    w.base.kind = CombinationKind::FromFile;
    w.base.importedFileName = "/tmp/a&b <c> \"d\" 'e'\tf\ng";
    test::RecordingInteraction back;
    readText(buildBaseFileText(w, "d", "t"), back);
    ASSERT_EQ(back.messages.size(), 1u);
    EXPECT_NE(back.messages[0].text.find("(/tmp/a&b <c> \"d\" 'e'\tf\ng)"), std::string::npos) << back.messages[0].text;
}

TEST(BaseFile, AFileThatCannotBeReadSaysSo)
{
    test::TempDir dir;
    AppState s;
    ResetStateDefaults(s);
    resetFilterRows(s);
    test::RecordingInteraction ui;
    // A missing file: the FICHERO line; the name still becomes the title.
    EXPECT_FALSE(ReadBaseFile(s, dir.file("no-existe.xml"), ui));
    EXPECT_EQ(ui.lastText(), "ERRORES detectados al abrir la BASE:\n\nFICHERO : ERROR AL ABRIR EL FICHERO\n");
    EXPECT_EQ(s.baseFileName, "no-existe.xml");
    // Not XML at all, and XML with a bad section: only the first is an unread file.
    test::writeFile(dir.file("texto.xml"), "esto no es XML <");
    EXPECT_FALSE(ReadBaseFile(s, dir.file("texto.xml"), ui));
    test::writeFile(dir.file("mala.xml"), "<XML><BASE><Programa IDtipojuego='x'/></BASE></XML>");
    EXPECT_TRUE(ReadBaseFile(s, dir.file("mala.xml"), ui));
    EXPECT_NE(ui.lastText().find("TIPOJUEGO"), std::string::npos);
}

TEST(BaseFile, FailedSaveKeepsThePreviousFile)
{
    test::TempDir dir;
    const std::string path = dir.file("base.xml");
    test::writeFile(path, "precious");
    AppState s = everyKindOfParameter();
    s.savedFlag = false;
    s.baseFileName = "antes.xml";
    std::string failure;
    {
        test::FileSizeLimit limit(1024);
        EXPECT_FALSE(WriteBaseFile(s, path, failure));
    }
    EXPECT_FALSE(failure.empty());
    EXPECT_EQ(test::readFile(path), "precious");
    EXPECT_FALSE(s.savedFlag);
    EXPECT_EQ(s.baseFileName, "antes.xml");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}
