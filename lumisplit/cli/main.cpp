#include "cli/Cli.h"
#include "imaging/Report.h"

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr const char* kUsage =
    "Usage: lumisplit-cli COMMAND [ARGS]\n"
    "\n"
    "Visual cryptography: split a black-and-white BMP picture into shares that\n"
    "show it only when enough of them are stacked.\n"
    "\n"
    "Commands:\n"
    "  split   split a secret picture into share files capa1.bmp ... capaN.bmp\n"
    "  stack   stack share files as printed transparencies would (resultado.bmp)\n"
    "  basis   show or check the basis matrices of an access structure\n"
    "\n"
    "Run 'lumisplit-cli COMMAND --help' for the options of a command.\n"
    "Exit status: 0 success, 1 refused or failed, 2 wrong command line.\n";

// Core failures go to stderr, each on its own line.
class StderrSink final : public lumisplit::ReportSink {
public:
    void Report(std::string_view message) override {
        std::cerr << "lumisplit-cli: " << message << '\n';
    }
};

} // namespace

namespace lumisplit::cli {

int UsageError(std::string_view message) {
    std::cerr << "lumisplit-cli: " << message << "\n"
              << "Try 'lumisplit-cli --help' for more information.\n";
    return kExitUsage;
}

} // namespace lumisplit::cli

int main(int argc, char** argv) {
    using namespace lumisplit::cli;
    std::vector<std::string_view> args(argv + 1, argv + argc);
    if (args.empty())
        return UsageError("no command given");
    const std::string_view command = args.front();
    if (command == "--help" || command == "-h" || command == "help") {
        std::cout << kUsage;
        return kExitOk;
    }
    StderrSink sink;
    lumisplit::ScopedReportSink scope(sink);
    const std::span<const std::string_view> rest(args.data() + 1, args.size() - 1);
    try {
        if (command == "stack")
            return RunStack(rest);
        if (command == "basis")
            return RunBasis(rest);
        if (command == "split")
            return RunSplit(rest);
    } catch (const std::exception& e) {
        std::cerr << "lumisplit-cli: " << e.what() << '\n';
        return kExitFailed;
    }
    return UsageError("unknown command '" + std::string(command) + "'");
}
