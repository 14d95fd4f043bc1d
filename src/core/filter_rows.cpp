#include "core/filter_rows.h"

#include "core/format.h"

namespace kombitron {

namespace {
const std::string kActive = "Sí";
const std::string kInactive = "No";

void replaceAll(std::string& text, const std::string& from, const std::string& to)
{
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

std::string detailField(const AppState& state, int position)
{
    const int capacity = entryCapacity(static_cast<FilterId>(position));
    if (capacity == 0) return "-       ";
    return padRight(std::to_string(definedEntryCount(state, static_cast<FilterId>(position))) + " de " +
                        std::to_string(capacity),
                    8);
}

std::string rowHead(int position, bool active)
{
    return (active ? "Sí   " : "No   ") + std::string(filterInfo(position).listLabel);
}

std::string withCountField(const std::string& head, const std::string& count)
{
    const size_t used = utf8Length(head);
    const size_t width = used < kFilterRowWidth ? kFilterRowWidth - used : 1;
    return head + padLeft(count, width);
}

// The head (state, label and detail) of a row, without its eliminated-bets column.
std::string headOf(const AppState& state, int position, bool active)
{
    return rowHead(position, active) + detailField(state, position);
}
} // namespace

bool isRowActive(const std::string& row) { return row.compare(0, kActive.size(), kActive) == 0; }

void setRowActive(std::string& row, bool active)
{
    if (active) replaceAll(row, kInactive, kActive);
    else replaceAll(row, kActive, kInactive);
}

void toggleRow(std::string& row) { setRowActive(row, !isRowActive(row)); }

int entryCapacity(FilterId id)
{
    switch (id) {
    case FilterId::GRUPOS: return kGroupCount;
    case FilterId::GRUPOSRELACIONADOS: return kRelatedBlocks;
    case FilterId::SORTEOSANTERIORES: return kPreviousDrawsGroups;
    case FilterId::VALORACIONES: return kValuationConditions;
    case FilterId::GRUPOSENTRELIMITES: return kGroupCount;
    default: return 0;
    }
}

int definedEntryCount(const AppState& state, FilterId id)
{
    const FilterParams& f = state.filters;
    int count = 0;
    switch (id) {
    case FilterId::GRUPOS:
        for (const auto& g : f.grupos.groups) count += g.hits.any() ? 1 : 0;
        break;
    case FilterId::GRUPOSENTRELIMITES:
        for (const auto& g : f.gruposEntreLimites.groups) count += g.hits.any() ? 1 : 0;
        break;
    case FilterId::SORTEOSANTERIORES:
        for (const auto& g : f.sorteosAnteriores.groups) count += g.acertarEN.any() ? 1 : 0;
        break;
    case FilterId::GRUPOSRELACIONADOS:
        for (int b = 0; b < kRelatedBlocks; ++b) {
            bool defined = false;
            for (int j = 0; j < 6 && !defined; ++j)
                for (int v = 1; v <= 49 && !defined; ++v) defined = f.gruposRelacionados.subgroups[b * 6 + j][v] != 0;
            count += defined ? 1 : 0;
        }
        break;
    case FilterId::VALORACIONES:
        for (int c = 0; c < kValuationConditions; ++c) {
            bool defined = false;
            for (int k = 0; k < 4; ++k)
                defined = defined || f.valoraciones.valuationMin[c][k] != 0 || f.valoraciones.valuationMax[c][k] != 0;
            count += defined ? 1 : 0;
        }
        break;
    default: break;
    }
    return count;
}

std::string buildFilterRow(const AppState& state, int position, bool active)
{
    return withCountField(headOf(state, position, active), "-");
}

std::string buildReductionRow(int type, bool active)
{
    return (active ? "Sí   " : "No   ") + std::string(kReductionListLabel) + padRight(reductionType(type).shortName, 4) + "   " +
           std::string(12, ' ') + "-";
}

void resetFilterRows(AppState& state)
{
    for (int p = 0; p < kFilterCount; ++p) state.filterRows[p] = buildFilterRow(state, p, false);
    state.filterRows[kReductionRow] = buildReductionRow(state.reduction.type, false);
}

void rebuildFilterRow(AppState& state, int position)
{
    const bool active = isRowActive(state.filterRows[position]);
    if (position == kReductionRow) {
        state.filterRows[position] = buildReductionRow(state.reduction.type, active);
        return;
    }
    // Keep the eliminated-bets column as it is: only the detail field changes.
    const std::string& row = state.filterRows[position];
    std::string count = "-";
    size_t lastBlank = row.find_last_of(' ');
    if (lastBlank != std::string::npos) count = row.substr(lastBlank + 1);
    state.filterRows[position] = withCountField(headOf(state, position, active), count);
}

void refreshEliminatedColumn(AppState& state)
{
    for (int p = 0; p < kFilterCount; ++p) {
        const bool active = isRowActive(state.filterRows[p]);
        const std::string count =
            active && state.conditioningRan ? formatCount(state.filterEliminationCounts[p]) : std::string("-");
        state.filterRows[p] = withCountField(headOf(state, p, active), count);
    }
}

} // namespace kombitron
