#pragma once

#include <cstdint>
#include <string>

#include "core/interaction.h"
#include "scrutiny/prize_calculator.h"
#include "scrutiny/scrutiny.h"

namespace kombitron {

inline constexpr const char* kKmbWithoutReintegrosWarning = "AVISO: Se ha asignado al fichero cargado el REINTEGRO 0.";
inline constexpr const char* kNoBetsImportedWarning =
    "AVISO: Se han importado 0 apuestas.\nEl fichero ha de estar en formato: 010203040506 o 01,02,03,04,05,06 o "
    "01 02 03 04 05 06";

// A bet file opened by a scrutiny window.
struct ScrutinyFileLoad {
    bool chosen = false;       // a path was chosen in the dialog (or given)
    std::string path;          // full path, the file box's tooltip
    std::string fileName;      // the file box: the name without its folder
    SharedBets bets = std::make_shared<BetList>(); // what was read; empty when nothing was
    int64_t count() const { return bets ? bets->size() : 0; }
};

// The dialog of the scrutiny windows' bet files: "Abrir Fichero", text, KMB (preselected), all.
FileDialogRequest betFileDialog();

// "Combinación nueva" of the scrutiny window: read `path` as the window does (KMB by its
// extension, else text with or without reintegros), then the warnings in order: the reader's
// own, "REINTEGRO 0" for a KMB file read without "Cargar Reintegros" (every bet then gets
// reintegro 0), and the zero-bets warning when nothing was read.
ScrutinyFileLoad loadScrutinyFile(const std::string& path, bool loadReintegros, Interaction& ui);
// The same after the open dialog; a cancelled dialog gives chosen = false and changes nothing.
ScrutinyFileLoad openScrutinyFile(bool loadReintegros, Interaction& ui);

// RunScrutiny on the interaction's progress and stop flag, showing its refusal (the repeated
// complementary) or failure.
ScrutinyResult runScrutinyFlow(const ScrutinyInputs& inputs, Interaction& ui);

// WritePrizedTicketsReport: the scrutiny, then KOMBITRON_PREMIOS.txt written and opened. The
// scrutiny's result is returned for the window to show, refused or not.
ScrutinyResult WritePrizedTicketsReport(const ScrutinyInputs& inputs, Interaction& ui);

// "Consultar por Fecha de Sorteo": the consultation with its error shown.
PrizeConsultation consultPrizesFlow(const std::string& game, const DrawDateBoxes& date, const PrizesFetch& fetch,
                                    Interaction& ui);

// "Ver informe resumen de los premios": refuse a missing year or draw number, else write
// KOMBITRON_TEMP.txt and open it. True when the report was opened.
bool showPrizeSummaryReport(const PrizeSummaryInputs& inputs, Interaction& ui);

} // namespace kombitron
