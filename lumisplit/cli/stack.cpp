// lumisplit-cli stack: lay share files on top of each other as printed
// transparencies would, and write the result as a 1-bit picture.

#include "shares/Stack.h"

#include "cli/Cli.h"
#include "imaging/BmpImage.h"

#include <iostream>
#include <string>
#include <vector>

namespace lumisplit::cli {

namespace {

constexpr std::size_t kMaxLayers = 9;

constexpr const char* kUsage =
    "Usage: lumisplit-cli stack LAYER.bmp [LAYER.bmp ...] [-o OUT.bmp]\n"
    "\n"
    "Stacks one to nine BMP pictures as printed transparencies would: a pixel of\n"
    "the result is black wherever any layer is black (value 0 at any depth).\n"
    "The result is a 1-bit picture the size of the first layer; every other\n"
    "layer must be at least that large. A single layer gives its black-and-white\n"
    "reading.\n"
    "\n"
    "Options:\n"
    "  -o, --output OUT.bmp  where to write the result (default: resultado.bmp)\n"
    "  -h, --help            show this help\n";

} // namespace

int RunStack(std::span<const std::string_view> args) {
    std::string output = "resultado.bmp";
    std::vector<std::string> paths;
    bool options = true; // until "--"
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (options && (arg == "-h" || arg == "--help")) {
            std::cout << kUsage;
            return kExitOk;
        }
        if (options && (arg == "-o" || arg == "--output")) {
            if (i + 1 == args.size())
                return UsageError("stack: " + std::string(arg) + " needs a file name");
            output = args[++i];
        } else if (options && arg == "--") {
            options = false;
        } else if (options && arg.size() > 1 && arg.front() == '-') {
            return UsageError("stack: unknown option '" + std::string(arg) + "'");
        } else {
            paths.emplace_back(arg);
        }
    }
    if (paths.empty())
        return UsageError("stack: no layer given");
    if (paths.size() > kMaxLayers)
        return UsageError("stack: at most " + std::to_string(kMaxLayers) +
                          " layers can be stacked, " + std::to_string(paths.size()) + " given");

    std::vector<CBmpImage> layers;
    layers.reserve(paths.size());
    std::vector<const CBmpImage*> pointers;
    for (const std::string& path : paths) {
        CBmpImage& layer = layers.emplace_back(path);
        if (!layer.Read())
            return kExitFailed; // Read() has said why; nothing is written
        pointers.push_back(&layer);
    }
    std::optional<CBmpImage> result = StackLayers(pointers, output);
    if (!result || !result->Write())
        return kExitFailed;
    std::cout << "Wrote " << output << " (" << result->Width() << " x " << result->Height() << ", "
              << paths.size() << (paths.size() == 1 ? " layer" : " layers") << ")\n";
    return kExitOk;
}

} // namespace lumisplit::cli
