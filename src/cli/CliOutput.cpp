// One-line error reports and JSON output.
#include "cli/CliOutput.h"

#include <iostream>
#include <string>

namespace rw::cli {

int Fail(int status, std::string_view what, std::string_view why) {
    std::string line = "routewright-cli: ";
    line.append(what).append(": ").append(why);
    for (char& c : line) {
        if (c == '\n' || c == '\r') {
            c = ' ';
        }
    }
    std::cerr << line << '\n';
    return status;
}

int PrintJson(const nlohmann::ordered_json& doc) {
    std::cout << doc.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
    return EndOutput();
}

int EndOutput() {
    std::cout << '\n';
    std::cout.flush();
    if (!std::cout) {
        return Fail(kExitFileFailed, "standard output", "write failed");
    }
    return kExitSuccess;
}

}  // namespace rw::cli
