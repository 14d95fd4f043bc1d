#pragma once

// What the system tools share: the notices their checks give, the shared bet lists, the texts
// and the reading and writing of bet files in the one shape of long work.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/bet.h"
#include "core/interaction.h"
#include "core/job.h"

namespace kombitron {

// What a tool's check says instead of going on: the icon and the program's text.
struct ToolNotice {
    MessageKind kind = MessageKind::Error;
    std::string text;
};


// Filter lists and title of the tools' open and save dialogs.
inline constexpr const char* kToolOpenFilters =
    "Ficheros de Apuestas (*.TXT)|*.TXT|Ficheros en formato KOMBITRON (*.KMB)|*.KMB|todos los archivos (*.*)|*.*|";
inline constexpr const char* kToolSaveFilters = "Fichero de KOMBITRON (*.KMB)|*.KMB|todos los archivos (*.*)|*.*|";
inline constexpr const char* kToolOpenTitle = "Abrir Fichero";
inline constexpr const char* kToolSaveTitle = "Guardar Combinación";
inline constexpr const char* kWaitingSaveCaption = "Guardando por favor espere ...";

// The notice of a read that found no bet.
inline constexpr const char* kZeroBetsWarning =
    "AVISO: Se han importado 0 apuestas.\nEl fichero ha de estar en formato: 010203040506 o 01,02,03,04,05,06 o "
    "01 02 03 04 05 06";

// n followed by " Números" (the count labels of the number grids).
std::string numbersCaption(int n);

// Two-digit forms of the numbers concatenated: {1, 12} -> "0112" (the header record of a KMB file).
std::string twoDigitHeader(const std::vector<uint8_t>& numbers);

// The requested number of bets typed in a count box: its digits as a number, 0 when the text is
// blank or holds anything but digits (both refused as "not above 0"); very long texts saturate
// at kMaxRequestedBets instead of overflowing.
inline constexpr int64_t kMaxRequestedBets = 999999999999;
int64_t parseBetCount(const std::string& text);

// Sort the six numbers of every bet ascending and check each bet holds six different numbers
// 1..49, as a KMB file does not promise. Returns the import error naming the first bet that does
// not, or an empty text when every bet is sound.
std::string sortAndCheckBets(BetList& bets);

// How many bets of a system hold each number; index = number.
using NumberCounts = std::array<int64_t, kMaxNumber + 1>;

// A system read by a tool, in one pass: every bet sorted and checked as sortAndCheckBets does,
// the bets holding each number counted into `counts`, and the reintegros cleared (the tools
// write bets with reintegro 0). Returns the import error of the first unsound bet (`counts` is
// then meaningless), or an empty text.
std::string prepareToolSystem(BetList& bets, NumberCounts& counts);

// Reading a bet file as a job: the KMB reader when `kmb`, else the text reader with or without
// reintegros.
struct BetFileLoadInputs {
    std::string path;
    bool kmb = false;
    bool withReintegros = false;
};

struct BetFileLoad : JobOutcome {
    BetList bets;                       // Done: every bet of the file, in file order
    std::vector<std::string> warnings;  // limit notices met while reading, shown before anything else
};

// Failed: `failure` is the whole message to show ("ERROR AL IMPORTAR EL FICHERO, FICHERO NO
// IMPORTADO (...)"), also when memory runs out.
BetFileLoad runLoadBetFile(const BetFileLoadInputs& inputs, Progress& progress, const StopToken& stop);

// Writing a KMB file as a job, beside the target and renamed over it when complete.
struct BetFileSaveInputs {
    std::string path;    // with its extension already applied
    std::string header;  // "0" when there is no base combination
    SharedBets bets;
};

struct BetFileSave : JobOutcome {
    std::string path;    // Done: the file written
    int64_t count = 0;   // Done: the bets written
};

// Failed: `failure` is the whole message, "ERROR AL GUARDAR EL FICHERO (" + description + ")".
// Stopped or failed, any previous file at the path is left untouched.
BetFileSave runSaveBetFile(const BetFileSaveInputs& inputs, Progress& progress, const StopToken& stop);

// The failure message of a save whose description is known.
std::string saveErrorMessage(const std::string& description);

} // namespace kombitron
