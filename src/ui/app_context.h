#pragma once

// What the desktop program holds once per process: the one AppState every window reads and
// writes, on the UI thread only (a job works on a lent copy that comes back with its result, see
// JobRunner::startOnState), the outside web addresses, and the start-up settings.

#include <string>

class QApplication;
class QLocale;

namespace kombitron {
struct AppState;
struct NumberFormat;
}

namespace kombitron::ui {

AppState& appState();

// Outside web addresses the program opens in the browser.
namespace web {
inline constexpr const char* kValidationHost = "https://www.loteriasyapuestas.es";
inline constexpr const char* kValidationPathPrimitiva = "/primitiva/archivos";
inline constexpr const char* kValidationPathBonoloto = "/bonoloto/boletos/archivos";
inline constexpr const char* kBannerPage = "https://www.loteriasyapuestas.es/es/la-primitiva";
inline constexpr const char* kHelpSite = "https://kombitron.example.org/ayuda/";
} // namespace web

// Validation page of a game ("PRIMITIVA" or any other name for BONOLOTO).
std::string validationPage(const std::string& gameName);

// True for the C and POSIX locales, which a system reports when no locale was chosen.
bool isUnchosenLocale(const QLocale& locale);
// The grouping and decimal characters shown for a locale: its own, or the Spanish "." and ","
// when no locale was chosen.
NumberFormat numberFormatFor(const QLocale& locale);

// Start-up of the program: Spanish translations, icon theme, the C numeric locale for the core,
// the user's grouping and decimal characters (the Spanish ones under a C or POSIX locale), and
// the folder for reports.
void configureApplication(QApplication& app);

} // namespace kombitron::ui
