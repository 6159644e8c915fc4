// tallyglass-generate-history: writes a made-up stats file, for trying and measuring the report.
//   tallyglass-generate-history OUT.csv [--matches N] [--days D] [--end SECONDS] [--variant N] [--crlf]
#include "bench/MatchHistoryGenerator.h"

#include <charconv>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>

namespace {

template <typename Number> bool parseNumber(std::string_view text, Number& number) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    return error == std::errc() && end == text.data() + text.size();
}

} // namespace

int main(int argc, char** argv) {
    MatchHistoryShape shape;
    std::string output;
    for (int at = 1; at < argc; ++at) {
        const std::string_view argument = argv[at];
        const bool hasValue = at + 1 < argc;
        bool ok = true;
        if (argument == "--crlf")
            shape.crlf = true;
        else if (argument == "--matches" && hasValue)
            ok = parseNumber(argv[++at], shape.matches);
        else if (argument == "--days" && hasValue)
            ok = parseNumber(argv[++at], shape.days) && shape.days > 0;
        else if (argument == "--end" && hasValue)
            ok = parseNumber(argv[++at], shape.end);
        else if (argument == "--variant" && hasValue)
            ok = parseNumber(argv[++at], shape.variant);
        else if (!argument.starts_with("-") && output.empty())
            output = argument;
        else
            ok = false;
        if (!ok) {
            std::cerr
                << "usage: tallyglass-generate-history OUT.csv [--matches N] [--days D] [--end SECONDS] "
                   "[--variant N] [--crlf]\n";
            return 2;
        }
    }
    if (output.empty()) {
        std::cerr << "tallyglass-generate-history: no output file given\n";
        return 2;
    }
    std::ofstream out(output, std::ios::binary | std::ios::trunc);
    writeMatchHistory(out, shape);
    out.close();
    if (!out) {
        std::cerr << "tallyglass-generate-history: " << output << ": cannot be written\n";
        return 1;
    }
    return 0;
}
