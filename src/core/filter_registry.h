#pragma once

#include <array>

namespace kombitron {

// The nineteen filters; the value is the position in the filter list and the testing order.
enum class FilterId : int {
    ALTOSBAJOS = 0,
    DECENAS,
    DISTANCIAS,
    GRUPOS,
    GRUPOSRELACIONADOS,
    HOMOLOGOS,
    PARESIMPARES,
    SEGUIDOS,
    SUMAS,
    TERMINACIONES,
    POSICIONES,
    EXTERIORESINTERIORES,
    SUPERIORESINFERIORES,
    COLINDANTES,
    SORTEOSANTERIORES,
    SUMASPORTRIOS,
    VALORACIONES,
    COEFICIENTERENTABILIDAD,
    GRUPOSENTRELIMITES,
};

inline constexpr int kFilterCount = 19;
inline constexpr int kReductionRow = 19; // last row of the filter list
inline constexpr int kFilterRowCount = 20;

struct FilterInfo {
    FilterId id;
    const char* name;           // FilterId text, the XML `nombre`
    const char* listLabel;      // 22 characters
    const char* progressCaption;
    const char* reportLabel;    // elimination report
    const char* windowClass;
    const char* windowCaption;
    const char* xmlSection;     // section label of the base-file error box
};

// Registry entry of the filter at position 0..18.
const FilterInfo& filterInfo(int position);
inline const FilterInfo& filterInfo(FilterId id) { return filterInfo(static_cast<int>(id)); }

// Position of a FilterId text (upper case), or -1.
int filterPositionByName(const char* name);

inline constexpr const char* kReductionListLabel = "Reducción             ";

} // namespace kombitron
