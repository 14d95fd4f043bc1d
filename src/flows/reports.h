#pragma once

#include <string>

#include "core/report_file.h"
#include "core/state.h"
#include "engine/process_percentages.h"

namespace kombitron {

class Interaction;

// The text reports' files, in the application folder.
inline constexpr const char* kEliminationReportFileName = "KOMBITRON_RESUMEN.txt";
inline constexpr const char* kFilterSummaryFileName = "KOMBITRON_INFORME.txt";
inline constexpr const char* kAnalysisReportFileName = "KOMBITRON_ANALISIS.txt";

// "Ver Resumen de Filtros": the filter summary to KOMBITRON_INFORME.txt, opened in the editor.
bool showFilterSummary(const AppState& state, Interaction& ui);
// "Ver Informe Apuestas Eliminadas": the elimination report to KOMBITRON_RESUMEN.txt.
bool showEliminationReport(const AppState& state, Interaction& ui);
// The process window's percentages report, to KOMBITRON_ANALISIS.txt.
bool showPercentagesReport(const NumberPercentages& panel, Interaction& ui);

} // namespace kombitron
