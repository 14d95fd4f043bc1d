#include "core/interaction.h"

namespace kombitron {

std::vector<FileFilter> parseFileFilters(std::string_view list)
{
    std::vector<std::string> parts;
    size_t start = 0;
    while (start < list.size()) {
        size_t bar = list.find('|', start);
        if (bar == std::string_view::npos) bar = list.size();
        parts.emplace_back(list.substr(start, bar - start));
        start = bar + 1;
    }
    std::vector<FileFilter> filters;
    for (size_t i = 0; i + 1 < parts.size(); i += 2) filters.push_back({parts[i], parts[i + 1]});
    return filters;
}

} // namespace kombitron
