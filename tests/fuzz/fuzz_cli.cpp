// Any bytes as a command line of kestrix-calc: the arguments are the pieces
// between NUL bytes, and whatever follows two NULs in a row is standard
// input. Arguments with a '/' are left out, so that no input names a file or
// folder outside the working folder. The tool answers with one of its three
// exit statuses and explains a usage error on the error stream.
#include "app/calc_cli.h"

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::string standardInput;
    if (const size_t end = bytes.find(std::string_view("\0\0", 2)); end != bytes.npos) {
        standardInput = bytes.substr(end + 2);
        bytes = bytes.substr(0, end);
    }
    std::vector<std::string> args;
    for (size_t start = 0; start <= bytes.size();) {
        const size_t end = std::min(bytes.find('\0', start), bytes.size());
        args.emplace_back(bytes.substr(start, end - start));
        if (args.back().find('/') != std::string::npos || args.size() > 24) return 0;
        start = end + 1;
    }

    std::istringstream in(standardInput);
    std::ostringstream out, err;
    const int status = kestrix::RunCalc(args, in, out, err);
    Check(status == kestrix::kExitSuccess || status == kestrix::kExitFailure ||
          status == kestrix::kExitUsage);
    if (status == kestrix::kExitUsage) Check(err.str().rfind("kestrix-calc: ", 0) == 0);
    return 0;
}
