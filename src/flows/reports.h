#pragma once

#include <string>

#include "core/state.h"
#include "engine/process_percentages.h"

namespace kombitron {

class Interaction;

// The text reports' files, in the application folder.
inline constexpr const char* kEliminationReportFileName = "KOMBITRON_RESUMEN.txt";
inline constexpr const char* kFilterSummaryFileName = "KOMBITRON_INFORME.txt";
inline constexpr const char* kAnalysisReportFileName = "KOMBITRON_ANALISIS.txt";

// The path of a report file: the application folder and the file name.
std::string ReportPath(const std::string& fileName);

// Write `text` plus one line end to `fileName` in the application folder, replacing an older
// file, and open it in the editor: the shared tail of every text report. A failure shows
// "ERROR AL GENERAR EL FICHERO EN EL BLOC DE NOTAS (" + description + ")" and returns false.
bool WriteAndOpenReport(const std::string& fileName, const std::string& text, Interaction& ui);

// "Ver Resumen de Filtros": the filter summary to KOMBITRON_INFORME.txt, opened in the editor.
bool ShowFilterSummary(const AppState& state, Interaction& ui);
// "Ver Informe Apuestas Eliminadas": the elimination report to KOMBITRON_RESUMEN.txt.
bool ShowEliminationReport(const AppState& state, Interaction& ui);
// The process window's percentages report, to KOMBITRON_ANALISIS.txt.
bool ShowPercentagesReport(const NumberPercentages& panel, Interaction& ui);

} // namespace kombitron
