#include "flows/scrutiny_report.h"

#include "core/report_file.h"

namespace kombitron {

bool writeScrutinyReport(const std::string& fileName, const std::string& text, Interaction& ui)
{
    // The shared writer ends the text with one line end; the scrutiny texts already end with
    // theirs, so the file holds exactly what the window shows.
    const bool endsWithLine = text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0;
    return writeAndOpenReport(fileName, endsWithLine ? text.substr(0, text.size() - 2) : text, ui);
}

} // namespace kombitron
