#include "cli/command_line.h"

#include <cstdio>
#include <cstdlib>

#include "core/text.h"

namespace kombitron::cli {

namespace {

// CLI11's help texts, in Spanish.
void spanishFormatter(CLI::App& app)
{
    auto formatter = std::make_shared<CLI::Formatter>();
    formatter->label("Usage", "Uso");
    formatter->label("OPTIONS", "OPCIONES");
    formatter->label("Options", "Opciones");
    formatter->label("Positionals", "Argumentos");
    formatter->label("SUBCOMMAND", "ORDEN");
    formatter->label("SUBCOMMANDS", "ÓRDENES");
    formatter->label("Subcommands", "Órdenes");
    formatter->label("REQUIRED", "OBLIGATORIO");
    formatter->label("TEXT", "TEXTO");
    formatter->label("INT", "ENTERO");
    formatter->label("FLOAT", "NÚMERO");
    formatter->label("Needs", "Necesita");
    formatter->label("Excludes", "Excluye");
    formatter->column_width(34);
    app.formatter(formatter);
}

// The Spanish names CLI11's option groups get in the help.
void spanishGroups(CLI::App& app)
{
    app.option_defaults()->group("Opciones");
    app.set_help_flag("-h,--help", "Muestra esta ayuda y termina");
}

std::string commandPath(const CLI::App* app)
{
    std::string path;
    for (; app != nullptr; app = app->get_parent())
        path = app->get_name() + (path.empty() ? "" : " " + path);
    return path;
}

// The deepest command the arguments reached, for the usage shown after an error.
const CLI::App* reached(const CLI::App& root)
{
    const CLI::App* app = &root;
    for (;;) {
        const auto chosen = app->get_subcommands();
        if (chosen.empty()) return app;
        app = chosen.front();
    }
}

} // namespace

CommandLine::CommandLine() : root_("kombitron-cli: los cálculos de KOMBITRON sin ventanas", "kombitron-cli")
{
    spanishFormatter(root_);
    spanishGroups(root_);
    root_.set_version_flag("--version", std::string("KOMBITRON ") + KOMBITRON_VERSION, "Muestra la versión y termina");
    root_.require_subcommand(1);
    root_.footer("Cada orden tiene su ayuda: kombitron-cli ORDEN --help");
}

CLI::App& CommandLine::add(const std::string& name, const std::string& description, std::function<int()> run)
{
    return add(root_, name, description, std::move(run));
}

CLI::App& CommandLine::add(CLI::App& parent, const std::string& name, const std::string& description,
                           std::function<int()> run)
{
    CLI::App* command = parent.add_subcommand(name, description);
    command->group("Órdenes");
    command->footer("");
    spanishGroups(*command);
    return prepare(*command, std::move(run));
}

CLI::App& CommandLine::prepare(CLI::App& command, std::function<int()> run)
{
    if (run) {
        command.callback([this, run = std::move(run)] { chosen_ = run; });
    } else {
        // A command made of commands ("history"): one of them must follow.
        command.require_subcommand(1);
    }
    return command;
}

int CommandLine::run(int argc, char** argv)
{
    try {
        root_.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        const CLI::App* command = reached(root_);
        const CLI::App* parent = command->get_parent();
        std::fputs(command->help(parent ? commandPath(parent) : "").c_str(), stdout);
        return kExitDone;
    } catch (const CLI::CallForAllHelp&) {
        std::fputs(root_.help("", CLI::AppFormatMode::All).c_str(), stdout);
        return kExitDone;
    } catch (const CLI::CallForVersion& version) {
        std::printf("%s\n", version.what());
        return kExitDone;
    } catch (const CLI::ParseError& error) {
        const CLI::App* command = reached(root_);
        std::string description = SpanishUsageError(error);
        // A word that names no command is left over, and then a command is missing.
        const std::vector<std::string> left = command->remaining();
        if (error.get_name() == "RequiredError" && !left.empty()) description = "orden desconocida: " + left.front();
        std::fprintf(stderr, "kombitron-cli: %s\n", description.c_str());
        if (const auto formatter = std::dynamic_pointer_cast<CLI::Formatter>(command->get_formatter()))
            std::fputs(formatter->make_usage(command, commandPath(command)).c_str(), stderr);
        std::fprintf(stderr, "Más información: %s --help\n", commandPath(command).c_str());
        return kExitUsage;
    }
    if (!chosen_) return kExitUsage;
    return chosen_();
}

namespace {

// The text before and after the first `separator` of `text`; false when it is not there.
bool splitAt(const std::string& text, const std::string& separator, std::string& before, std::string& after)
{
    const size_t at = text.find(separator);
    if (at == std::string::npos) return false;
    before = text.substr(0, at);
    after = text.substr(at + separator.size());
    return true;
}

bool endsWith(const std::string& text, const std::string& tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

} // namespace

std::string SpanishUsageError(const CLI::Error& error)
{
    const std::string name = error.get_name();
    const std::string text = error.what();
    std::string a, b;
    if (name == "RequiredError") {
        if (text.find("ubcommand") != std::string::npos) return "falta la orden";
        if (endsWith(text, " is required")) return "falta " + text.substr(0, text.size() - 12);
        if (splitAt(text, " requires ", a, b)) return a + " necesita " + b;
    }
    // A command's leftovers carry the command's name as the error's name: known by the text.
    if (splitAt(text, " not expected: ", a, b)) return "argumentos de más o desconocidos: " + b;
    if (name == "ConversionError") {
        if (splitAt(text, "Could not convert: ", a, b) && splitAt(b, " = ", a, b)) return "valor no válido para " + a + ": " + b;
        if (splitAt(text, " is not an allowed value for ", a, b)) {
            const std::string value = a.rfind("The value ", 0) == 0 ? a.substr(10) : a;
            return "valor no válido para " + b + ": " + value;
        }
    }
    if (name == "ArgumentMismatch" && splitAt(text, ": ", a, b)) return "falta el valor de " + a;
    if (name == "RequiresError" && splitAt(text, " requires ", a, b)) return a + " necesita " + b;
    if (name == "ExcludesError" && splitAt(text, " excludes ", a, b)) return a + " no puede ir con " + b;
    // Our own validators already speak Spanish ("--level: «7» no es ninguno de ...").
    if (name == "ValidationError") return text;
    return "error de uso (" + text + ")";
}

bool parseNumberList(const std::string& text, int low, int high, std::vector<int>& values)
{
    values.clear();
    size_t start = 0;
    while (start <= text.size()) {
        size_t comma = text.find(',', start);
        if (comma == std::string::npos) comma = text.size();
        const std::string item = text.substr(start, comma - start);
        if (item.empty()) return false;
        const size_t dash = item.find('-');
        auto toInt = [](const std::string& s, int& v) {
            if (s.empty() || s.size() > 3 || s.find_first_not_of("0123456789") != std::string::npos) return false;
            v = std::atoi(s.c_str());
            return true;
        };
        int a = 0, b = 0;
        if (dash == std::string::npos) {
            if (!toInt(item, a)) return false;
            b = a;
        } else if (!toInt(item.substr(0, dash), a) || !toInt(item.substr(dash + 1), b) || a > b) {
            return false;
        }
        if (a < low || b > high) return false;
        for (int v = a; v <= b; ++v) values.push_back(v);
        start = comma + 1;
        if (comma == text.size()) break;
    }
    return !values.empty();
}

CLI::Validator NumberListIn(int low, int high)
{
    const std::string range = std::to_string(low) + " y " + std::to_string(high);
    return CLI::Validator(
        [low, high, range](std::string& text) {
            std::vector<int> values;
            if (parseNumberList(text, low, high, values)) return std::string();
            return "«" + text + "» no es una lista de números y rangos entre " + range + " (por ejemplo 1-10,15,20)";
        },
        "", "lista");
}

CLI::Validator OneOf(std::vector<std::string> words)
{
    std::string list;
    for (const auto& w : words) list += (list.empty() ? "" : "|") + w;
    return CLI::Validator(
        [words, list](std::string& text) {
            for (const auto& w : words)
                if (text == w) return std::string();
            return "«" + text + "» no es ninguno de " + list;
        },
        "", "palabras");
}

CLI::Validator WholeIn(int low, int high)
{
    const std::string range = std::to_string(low) + ".." + std::to_string(high);
    return CLI::Validator(
        [low, high, range](std::string& text) {
            int64_t v = 0;
            if (parseInteger(text, low, high, v) == IntegerParse::Ok) return std::string();
            return "«" + text + "» no es un número entre " + std::to_string(low) + " y " + std::to_string(high);
        },
        "", "entero");
}

CLI::Validator PositiveNumber()
{
    return CLI::Validator(
        [](std::string& text) {
            char* end = nullptr;
            const double v = std::strtod(text.c_str(), &end);
            if (!text.empty() && end && *end == '\0' && v > 0) return std::string();
            return "«" + text + "» no es un número mayor que 0";
        },
        "", "positivo");
}

CLI::Validator DigitsUpTo(int length)
{
    return CLI::Validator(
        [length](std::string& text) {
            if (!text.empty() && static_cast<int>(text.size()) <= length &&
                text.find_first_not_of("0123456789") == std::string::npos)
                return std::string();
            return "«" + text + "» no son de 1 a " + std::to_string(length) + " cifras";
        },
        "", "cifras");
}

} // namespace kombitron::cli
