#include "cli/terminal.h"

#include <cstdio>
#include <cstdlib>

namespace kombitron::cli {

void TerminalInteraction::message(MessageKind kind, const std::string& text)
{
    if (kind != MessageKind::Information) refused = true;
    std::fprintf(stderr, "%s\n", text.c_str());
}

bool TerminalInteraction::question(const std::string& text)
{
    std::fprintf(stderr, "%s [%s]\n", text.c_str(), answerYes_ ? "Sí" : "No");
    return answerYes_;
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

Args::Args(int argc, char** argv, int first)
{
    for (int i = first; i < argc; ++i) args_.emplace_back(argv[i]);
}

bool Args::has(const std::string& flag) const
{
    for (const auto& a : args_)
        if (a == flag) return true;
    return false;
}

bool Args::value(const std::string& flag, std::string& out) const
{
    for (size_t i = 0; i + 1 < args_.size(); ++i)
        if (args_[i] == flag) {
            out = args_[i + 1];
            return true;
        }
    return false;
}

std::vector<std::string> Args::positional(const std::vector<std::string>& valued) const
{
    std::vector<std::string> words;
    for (size_t i = 0; i < args_.size(); ++i) {
        const std::string& a = args_[i];
        if (a.rfind("--", 0) == 0) {
            for (const auto& v : valued)
                if (a == v) { ++i; break; }
            continue;
        }
        words.push_back(a);
    }
    return words;
}

} // namespace kombitron::cli
