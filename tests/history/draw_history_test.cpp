#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "core/paths.h"
#include "history/draw_history.h"
#include "history/service_harness.h"
#include "support/recording_interaction.h"
#include "support/test_paths.h"

using namespace kombitron;
using namespace kombitron::test;

namespace {

const std::string kImportError = "ERROR AL IMPORTAR EL FICHERO, FICHERO NO IMPORTADO";
const std::string kZeroImported =
    "AVISO: Se han importado 0 apuestas.\r\nEl fichero ha de estar en formato: 01,02,03,04,05,06 2007 1 J";

std::vector<int> numbersOf(const DrawRecord& d) { return std::vector<int>(d.numbers, d.numbers + 6); }

std::string Combinations(const std::string& game, const std::string& rows)
{
    return "<RESULTADOS><" + game + "><COMBINACIONES>" + rows + "</COMBINACIONES></" + game + "></RESULTADOS>";
}

std::string Combination(const char* numbers, int season, int draw, const char* day)
{
    return std::string("<COMBINACION numeros=\"") + numbers + "\" anio=\"" + std::to_string(season) + "\" sorteo=\"" +
           std::to_string(draw) + "\" dia=\"" + day + "\"/>";
}

std::vector<std::string> filesIn(const TempDir& dir)
{
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir.path())) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

TEST(DrawHistoryLoad, AcceptedLinesAndTheirFields)
{
    TempDir dir;
    // An empty first line, six- and eight-value lines, LF, CR LF and lone CR ends, short lines
    // skipped, no line end after the last line.
    writeFile(dir.file("h.txt"), "\r\n"
                                 "01,02,03,04,05,06 2007 1 J\r\n"
                                 "short line\n"
                                 "01,02,03,04,05,06,07,08 2007 2 S\n"
                                 "45,03,17,22,09,40,11,05 2008 300 j\r"
                                 "10,20,30,40,41,49 2009 0012 Q");
    DrawHistory history;
    RecordingInteraction ui;
    const HistoryLoadResult r = LoadDrawHistory(history, dir.file("h.txt"), ui);
    EXPECT_EQ(r.status, HistoryLoadStatus::Loaded);
    EXPECT_TRUE(ui.messages.empty());
    ASSERT_EQ(history.count(), 4);
    EXPECT_EQ(r.count, 4);
    EXPECT_EQ(history.fileName, dir.file("h.txt"));
    EXPECT_EQ(numbersOf(history.draws[1]), (std::vector<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(history.draws[1].complementary, 0); // loading never fills these
    EXPECT_EQ(history.draws[1].reintegro, 0);
    EXPECT_EQ(history.draws[1].weekday, 6);
    EXPECT_EQ(numbersOf(history.draws[2]), (std::vector<int>{45, 3, 17, 22, 9, 40})); // order kept
    EXPECT_EQ(history.draws[2].drawNumber, 300);
    EXPECT_EQ(history.draws[2].weekday, 4);  // lower-case letter
    EXPECT_EQ(history.draws[3].weekday, 0);  // letter outside the table
    EXPECT_EQ(history.draws[3].drawNumber, 12);
    EXPECT_EQ(history.firstSeason, "2007");
    EXPECT_EQ(history.firstDraw, "1");
    EXPECT_EQ(history.lastSeason, "2009");
    EXPECT_EQ(history.lastDraw, "0012"); // as written in the file
}

TEST(DrawHistoryLoad, RefusedFiles)
{
    TempDir dir;
    struct Case {
        const char* name;
        const char* contents;
        const char* description; // nullptr: any non-empty description
    };
    const Case cases[] = {
        {"zero", "00,02,03,04,05,06 2007 1 J\r\n", ""},
        {"fifty", "01,02,03,04,05,06 2007 1 J\r\n01,02,03,04,05,50 2007 2 S\r\n", ""},
        {"letter", "01,02,0x,04,05,06 2007 1 J\r\n", ""},
        {"five-values", "01,02,03,04,05 2007 100 J\r\n", "línea 1: faltan números"},
        {"doubled-space", "01,02,03,04,05,06  2007 1 J\r\n", "línea 1: temporada '' no válida"},
        {"no-weekday", "01,02,03,04,05,06,07,08 2007 1\r\n", "línea 1: faltan campos"},
        {"draw-overflow", "01,02,03,04,05,06 2007 70000 J\r\n", "línea 1: sorteo '70000' no válido"},
        {"season-overflow", "01,02,03,04,05,06 99999 1 J\r\n", "línea 1: temporada '99999' no válida"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(dir.file(c.name), c.contents);
        DrawHistory history;
        RecordingInteraction ui;
        const HistoryLoadResult r = LoadDrawHistory(history, dir.file(c.name), ui);
        EXPECT_EQ(r.status, HistoryLoadStatus::Failed);
        EXPECT_EQ(history.count(), 0);
        EXPECT_EQ(history.firstSeason, "-");
        EXPECT_EQ(history.lastDraw, "-");
        EXPECT_EQ(history.fileName, dir.file(c.name)); // the path stays in the box
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].kind, MessageKind::Error);
        EXPECT_EQ(ui.messages[0].text, kImportError + " (" + c.description + ")");
    }

    DrawHistory history;
    RecordingInteraction ui;
    EXPECT_EQ(LoadDrawHistory(history, dir.file("missing.txt"), ui).status, HistoryLoadStatus::Failed);
    EXPECT_EQ(ui.lastText(), kImportError + " (no existe el fichero o la carpeta)");

    // 100 MB of commas once took 2 GB: a line past any draw's length is refused as it is met,
    // and no message quotes a field in full.
    {
        std::string huge = "01,02,03,04,05,06 2007 1 J\r\n";
        huge += std::string(3 << 20, ',') + "\r\n";
        writeFile(dir.file("commas.txt"), huge);
        RecordingInteraction commas;
        EXPECT_EQ(LoadDrawHistory(history, dir.file("commas.txt"), commas).status, HistoryLoadStatus::Failed);
        EXPECT_EQ(commas.lastText(), kImportError + " (línea 2: más de 1024 caracteres)");
        EXPECT_EQ(history.count(), 0);
        writeFile(dir.file("season.txt"), "01,02,03,04,05,06 " + std::string(900, '7') + " 1 J\r\n");
        RecordingInteraction season;
        LoadDrawHistory(history, dir.file("season.txt"), season);
        EXPECT_EQ(season.lastText(),
                  kImportError + " (línea 1: temporada '" + std::string(40, '7') + "...' no válida)");
    }

    for (const char* contents : {"", "\r\n\r\n", "01,02,03,04,05,06 07 1 J\r\n"}) {
        SCOPED_TRACE(contents);
        writeFile(dir.file("short.txt"), contents);
        RecordingInteraction quiet;
        EXPECT_EQ(LoadDrawHistory(history, dir.file("short.txt"), quiet).status, HistoryLoadStatus::NothingImported);
        EXPECT_EQ(history.count(), 0);
        ASSERT_EQ(quiet.messages.size(), 1u);
        EXPECT_EQ(quiet.messages[0].kind, MessageKind::Warning);
        EXPECT_EQ(quiet.messages[0].text, kZeroImported);
    }
}

TEST(DrawHistoryLoad, CapStopsReadingAndKeepsTheDraws)
{
    TempDir dir;
    writeFile(dir.file("h.txt"), "01,02,03,04,05,06 2007 1 J\r\n01,02,03,04,05,07 2007 2 S\r\n"
                                 "01,02,03,04,05,08 2007 3 J\r\n01,02,03,04,05,50 2007 4 S\r\n");
    DrawHistory history;
    RecordingInteraction ui;
    const HistoryLoadResult r = LoadDrawHistory(history, dir.file("h.txt"), ui, 3);
    EXPECT_EQ(r.status, HistoryLoadStatus::Capped);
    EXPECT_EQ(history.count(), 3);
    EXPECT_EQ(history.lastDraw, "3");
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"SOLO SE PUEDEN IMPORTAR 3 APUESTAS"});
}

TEST(DrawHistoryLoad, LongFilesWithAnyLineEndsLoadWhole)
{
    // Lines of every length from 25 to 40 characters with LF ends (shorter than the length
    // estimate assumes) and a size past the reader's block, so lines and CR LF pairs straddle blocks.
    TempDir dir;
    std::string text;
    const int total = 90000;
    for (int i = 0; i < total; ++i) {
        std::string line = "01,02,03,04,05," + std::to_string(10 + i % 40) + " 2000 " + std::to_string(i % 366 + 1) + " L";
        line.append(static_cast<size_t>(i % 12), ' ');
        text += line + (i % 3 == 0 ? "\r\n" : i % 3 == 1 ? "\n" : "\r");
    }
    writeFile(dir.file("long.txt"), text);
    DrawHistory history;
    RecordingInteraction ui;
    EXPECT_EQ(LoadDrawHistory(history, dir.file("long.txt"), ui).count, total);
    EXPECT_TRUE(ui.messages.empty());
    ASSERT_EQ(history.count(), total);
    for (int i : {0, 1, 2, 29999, 30000, 89999}) {
        EXPECT_EQ(history.draws[i].numbers[5], 10 + i % 40);
        EXPECT_EQ(history.draws[i].drawNumber, i % 366 + 1);
    }
}

TEST(DrawHistoryLoad, RealBonolotoHistoryKeepsDrawNumbersPast255)
{
    DrawHistory history;
    RecordingInteraction ui;
    const HistoryLoadResult r = LoadDrawHistory(history, std::string(KOMBITRON_SOURCE_DIR) + "/data/bonoloto.txt", ui);
    ASSERT_EQ(r.status, HistoryLoadStatus::Loaded) << ui.lastText();
    EXPECT_EQ(history.count(), 9361);
    EXPECT_EQ(history.firstSeason, "1988");
    EXPECT_EQ(history.firstDraw, "1");
    EXPECT_EQ(history.lastSeason, "2026");
    EXPECT_EQ(history.lastDraw, "231");
    int highest = 0;
    for (const DrawRecord& d : history.draws) highest = std::max<int>(highest, d.drawNumber);
    EXPECT_GT(highest, 300);

    ClearDrawHistory(history);
    EXPECT_EQ(history.count(), 0);
    EXPECT_EQ(history.fileName, "");
    EXPECT_EQ(history.firstSeason, "-");
}

TEST(DrawHistoryUpdate, LinesAsWritten)
{
    DrawRecord d{{4, 8, 15, 16, 23, 42}, 7, 1, 2010, 1, 4};
    std::string line, failure;
    ASSERT_TRUE(formatHistoryLine(d, line, failure));
    EXPECT_EQ(line, "04,08,15,16,23,42,07,01 2010 1 J");
    d.complementary = d.reintegro = 0;
    d.drawNumber = 366;
    d.weekday = 7;
    ASSERT_TRUE(formatHistoryLine(d, line, failure));
    EXPECT_EQ(line, "04,08,15,16,23,42,00,00 2010 366 D");
    d.weekday = 0;
    EXPECT_FALSE(formatHistoryLine(d, line, failure));
    EXPECT_EQ(failure, "sorteo 366 de 2010: día de la semana desconocido");
}

TEST(DrawHistoryUpdate, CreatingTheDefaultFileAsksFirst)
{
    TempDir dir;
    setApplicationFolder(dir.path().string());
    const ServiceDrawsResult fetched = parseServiceDraws(
        Combinations("BONOLOTO", Combination("4,8,15,16,23,42,7,1", 2021, 300, "L") +
                                     Combination("1,2,3,4,5,6", 2021, 301, "m")),
        "BONOLOTO");
    const std::string expectedQuestion =
        "No hay ningún fichero de sorteos cargado, se va a proceder a crear uno nuevo llamado 'estadisticas_local.txt'"
        "\r\nEn la ruta: '" + dir.path().string() + "', ¿ Desea continuar ?";

    DrawHistory history;
    RecordingInteraction no;
    EXPECT_EQ(applyDrawHistoryUpdate(history, "BONOLOTO", fetched, no).status, HistoryUpdateStatus::Declined);
    EXPECT_EQ(no.questions, std::vector<std::string>{expectedQuestion});
    EXPECT_TRUE(no.messages.empty());
    EXPECT_TRUE(filesIn(dir).empty()); // nothing written

    RecordingInteraction yes;
    yes.answers = {true};
    const HistoryUpdateResult r = applyDrawHistoryUpdate(history, "BONOLOTO", fetched, yes);
    const std::string file = dir.file("estadisticas_local.txt");
    EXPECT_EQ(r.status, HistoryUpdateStatus::Updated);
    EXPECT_EQ(r.written, 2);
    EXPECT_EQ(r.fileName, file);
    EXPECT_EQ(readFile(file), "\r\n04,08,15,16,23,42,07,01 2021 300 L\r\n01,02,03,04,05,06,00,00 2021 301 M\r\n");
    EXPECT_EQ(yes.texts(), std::vector<std::string>{"SE HAN ACTUALIZADO 2 COMBINACIONES EN EL FICHERO: " + file});
    EXPECT_EQ(yes.messages[0].kind, MessageKind::Warning);
    // Reloaded: the draw numbers past 255 survive the round trip.
    ASSERT_EQ(history.count(), 2);
    EXPECT_EQ(history.fileName, file);
    EXPECT_EQ(history.draws[0].drawNumber, 300);
    EXPECT_EQ(history.draws[1].weekday, 2);
    EXPECT_EQ(history.firstDraw, "300");

    // With no draws loaded and the default file present, it is loaded and rewritten without asking.
    ClearDrawHistory(history);
    RecordingInteraction again;
    EXPECT_EQ(applyDrawHistoryUpdate(history, "BONOLOTO", fetched, again).status, HistoryUpdateStatus::Updated);
    EXPECT_TRUE(again.questions.empty());
    EXPECT_EQ(history.count(), 2);
    EXPECT_EQ(filesIn(dir), std::vector<std::string>{"estadisticas_local.txt"});
}

TEST(DrawHistoryUpdate, ReplacingALoadedFile)
{
    TempDir dir;
    const std::string file = dir.file("primitiva.txt");
    const std::string old = "01,02,03,04,05,06,07,08 2010 1 J\r\n09,10,11,12,13,14,15,16 2010 2 S\r\n";
    writeFile(file, old);
    HistoryUpdateOptions options;
    options.defaultFile = dir.file("estadisticas_local.txt");
    const ServiceDrawsResult bonoloto =
        parseServiceDraws(Combinations("BONOLOTO", Combination("5,11,23,31,40,47,9,3", 2024, 290, "x")), "bonoloto");

    DrawHistory history;
    RecordingInteraction ui;
    LoadDrawHistory(history, file, ui);
    history.fileName = "  " + file + " ";
    const std::string question = "Se van actualizar los datos del fichero '" + file +
                                 "' con los del fichero de INTERNET del juego BONOLOTO\r\n¿ Desea continuar ?";

    RecordingInteraction no;
    EXPECT_EQ(applyDrawHistoryUpdate(history, "bonoloto", bonoloto, no, options).status, HistoryUpdateStatus::Declined);
    EXPECT_EQ(no.questions, std::vector<std::string>{question});
    EXPECT_EQ(readFile(file), old);
    EXPECT_EQ(history.count(), 2);

    // A response without the game's draws leaves the file alone.
    const ServiceDrawsResult none = parseServiceDraws(Combinations("PRIMITIVA", Combination("1,2,3,4,5,6", 2024, 1, "L")), "BONOLOTO");
    RecordingInteraction empty;
    empty.answers = {true};
    EXPECT_EQ(applyDrawHistoryUpdate(history, "BONOLOTO", none, empty, options).status, HistoryUpdateStatus::NoDraws);
    EXPECT_EQ(empty.texts(), std::vector<std::string>{"ERROR AL TRATAR EL FICHERO DE ACTUALIZACION DESDE INTERNET"});
    EXPECT_EQ(readFile(file), old);

    // Yes: the PRIMITIVA lines give way to the BONOLOTO ones, nothing merged.
    RecordingInteraction yes;
    yes.answers = {true};
    EXPECT_EQ(applyDrawHistoryUpdate(history, "BONOLOTO", bonoloto, yes, options).status, HistoryUpdateStatus::Updated);
    EXPECT_EQ(readFile(file), "\r\n05,11,23,31,40,47,09,03 2024 290 X\r\n");
    EXPECT_EQ(history.count(), 1);
    EXPECT_EQ(filesIn(dir), std::vector<std::string>{"primitiva.txt"});
}

TEST(DrawHistoryUpdate, FailuresLeaveTheOldFileIntact)
{
    TempDir dir;
    const std::string file = dir.file("h.txt");
    const std::string old = "01,02,03,04,05,06,07,08 2010 1 J\r\n";
    writeFile(file, old);
    DrawHistory history;
    RecordingInteraction loader;
    LoadDrawHistory(history, file, loader);

    // A weekday outside the table halfway through the writing: the half-written copy is dropped.
    std::string rows;
    for (int i = 1; i <= 50; ++i) rows += Combination("1,2,3,4,5,6,7,8", 2020, i, i == 25 ? "Z" : "L");
    const ServiceDrawsResult midway = parseServiceDraws(Combinations("PRIMITIVA", rows), "PRIMITIVA");
    ASSERT_TRUE(midway.ok());
    RecordingInteraction ui;
    ui.defaultAnswer = true;
    EXPECT_EQ(applyDrawHistoryUpdate(history, "PRIMITIVA", midway, ui).status, HistoryUpdateStatus::Failed);
    EXPECT_EQ(ui.lastText(), "ERROR AL ABRIR EL FICHERO DE ACTUALIZACION (sorteo 25 de 2020: día de la semana desconocido)");
    EXPECT_EQ(readFile(file), old);
    EXPECT_EQ(filesIn(dir), std::vector<std::string>{"h.txt"});
    EXPECT_EQ(history.count(), 1);

    // A broken answer is reported with the parser's reason before anything is asked.
    RecordingInteraction parse;
    const ServiceDrawsResult broken = parseServiceDraws("<RESULTADOS><PRIMITIVA>", "PRIMITIVA");
    EXPECT_EQ(applyDrawHistoryUpdate(history, "PRIMITIVA", broken, parse).status, HistoryUpdateStatus::ParseFailed);
    EXPECT_TRUE(parse.questions.empty());
    EXPECT_EQ(parse.lastText(), "ERROR AL ABRIR EL FICHERO DE ACTUALIZACION - " + broken.description);

    // A value that does not convert is reported after the question.
    RecordingInteraction conversion;
    conversion.defaultAnswer = true;
    const ServiceDrawsResult bad =
        parseServiceDraws(Combinations("PRIMITIVA", Combination("1,2,3,4,5,x", 2020, 1, "L")), "PRIMITIVA");
    EXPECT_EQ(applyDrawHistoryUpdate(history, "PRIMITIVA", bad, conversion).status, HistoryUpdateStatus::Failed);
    EXPECT_EQ(conversion.questions.size(), 1u);
    EXPECT_EQ(conversion.lastText(), "ERROR AL ABRIR EL FICHERO DE ACTUALIZACION (valor 'x' de numeros no válido)");
    EXPECT_EQ(readFile(file), old);
}

TEST(DrawHistoryUpdate, BadServiceRecordsReplaceNothing)
{
    // An answer holding "00,99,255" once replaced a whole history with one line, said it had
    // updated it and then failed to reload it. Every record is checked before the file is touched.
    TempDir dir;
    const std::string file = dir.file("h.txt");
    std::string old;
    for (int i = 1; i <= 30; ++i) old += "01,02,03,04,05,06,07,08 2010 " + std::to_string(i) + " J\r\n";
    struct Case {
        const char* numbers;
        int season, draw;
        const char* day;
        const char* description;
    };
    const Case cases[] = {
        {"00,99,255,1,2,3", 2020, 1, "L", "sorteo 1 de 2020: el número 0 no está entre 1 y 49"},
        {"7", 2020, 2, "L", "sorteo 2 de 2020: el número 0 no está entre 1 y 49"},
        {"1,2,3,4,5,50,7,8", 2020, 3, "L", "sorteo 3 de 2020: el número 50 no está entre 1 y 49"},
        {"1,2,3,4,5,5,7,8", 2020, 4, "L", "sorteo 4 de 2020: el número 5 está repetido"},
        {"1,2,3,4,5,6,50,8", 2020, 5, "L", "sorteo 5 de 2020: el complementario 50 no está entre 0 y 49"},
        {"1,2,3,4,5,6,7,10", 2020, 6, "L", "sorteo 6 de 2020: el reintegro 10 no está entre 0 y 9"},
        {"1,2,3,4,5,6,7,8", 0, 7, "L", "sorteo 7 de 0: temporada fuera de rango"},
        {"1,2,3,4,5,6,7,8", 20201, 8, "L", "sorteo 8 de 20201: temporada fuera de rango"},
        {"1,2,3,4,5,6,7,8", 2020, 0, "L", "sorteo 0 de 2020: número de sorteo fuera de rango"},
        {"1,2,3,4,5,6,7,8", 2020, 9, "Q", "sorteo 9 de 2020: día de la semana desconocido"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.description);
        writeFile(file, old);
        DrawHistory history;
        RecordingInteraction loader;
        LoadDrawHistory(history, file, loader);
        ASSERT_EQ(history.count(), 30);
        // the bad record comes last, after good ones
        const std::string rows = Combination("1,2,3,4,5,6,7,8", 2020, 100, "L") +
                                 Combination(c.numbers, c.season, c.draw, c.day);
        const ServiceDrawsResult fetched = parseServiceDraws(Combinations("PRIMITIVA", rows), "PRIMITIVA");
        ASSERT_TRUE(fetched.ok()) << fetched.description;
        RecordingInteraction ui;
        ui.defaultAnswer = true;
        const HistoryUpdateResult r = applyDrawHistoryUpdate(history, "PRIMITIVA", fetched, ui);
        EXPECT_EQ(r.status, HistoryUpdateStatus::Failed);
        EXPECT_EQ(r.written, 0);
        ASSERT_FALSE(ui.messages.empty());
        EXPECT_EQ(ui.messages.back().kind, MessageKind::Error);
        EXPECT_EQ(ui.lastText(), std::string("ERROR AL ABRIR EL FICHERO DE ACTUALIZACION (") + c.description + ")");
        EXPECT_EQ(readFile(file), old);
        EXPECT_EQ(filesIn(dir), std::vector<std::string>{"h.txt"});
        EXPECT_EQ(history.count(), 30);
    }
}

TEST(DrawHistoryUpdate, ThroughTheService)
{
    TempDir data, work;
    writeFile(data.file("bonoloto.csv"), ServiceCsv({"01/11/2024,2024,299,V,3,9,14,27,38,46,21,6",
                                                     "02/11/2024,2024,300,S,1,12,19,30,41,49,5,0"}));
    ResultsServer server({"--data", data.path().string()});
    ASSERT_TRUE(server.started());
    HistoryUpdateOptions options;
    options.service = server.options();
    options.defaultFile = work.file("historial.txt");

    DrawHistory history;
    RecordingInteraction ui;
    ui.defaultAnswer = true;
    const HistoryUpdateResult r = UpdateDrawHistory(history, "BONOLOTO", ui, options);
    ASSERT_EQ(r.status, HistoryUpdateStatus::Updated) << ui.lastText();
    EXPECT_EQ(readFile(options.defaultFile),
              "\r\n03,09,14,27,38,46,21,06 2024 299 V\r\n01,12,19,30,41,49,05,00 2024 300 S\r\n");
    EXPECT_EQ(ui.questions.size(), 1u);
    EXPECT_NE(ui.questions[0].find("llamado 'historial.txt'\r\nEn la ruta: '" + work.path().string() + "'"),
              std::string::npos);
    EXPECT_EQ(history.count(), 2);
    EXPECT_EQ(history.lastDraw, "300");

    // The service gone: the transport failure is shown and the file kept.
    ServiceOptions gone = options.service;
    gone.baseUrl = "http://127.0.0.1:1";
    options.service = gone;
    RecordingInteraction failed;
    failed.defaultAnswer = true;
    EXPECT_EQ(UpdateDrawHistory(history, "BONOLOTO", failed, options).status, HistoryUpdateStatus::Failed);
    EXPECT_EQ(failed.lastText().rfind("ERROR AL ABRIR EL FICHERO DE ACTUALIZACION (", 0), 0u);
    EXPECT_TRUE(failed.questions.empty());
    EXPECT_EQ(history.count(), 2);
}
