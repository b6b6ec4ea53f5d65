// What the tool tells its caller: exit statuses, one-line errors on stderr, JSON documents on stdout.
#pragma once

#include <string_view>

#include <nlohmann/json.hpp>

namespace rw::cli {

enum ExitStatus : int {
    kExitSuccess = 0,
    kExitFileFailed = 1,  // a file could not be opened, read, decoded or written
    kExitUsage = 2,       // bad arguments or invalid input
};

// Writes "routewright-cli: <what>: <why>" as one line to stderr (line breaks inside become spaces) and
// returns status, so a command can end with `return Fail(...)`.
int Fail(int status, std::string_view what, std::string_view why);

// Writes doc to stdout as UTF-8 followed by a newline; kExitFileFailed when stdout cannot take it.
int PrintJson(const nlohmann::ordered_json& doc);

// Ends what a command wrote to stdout with a newline: kExitFileFailed when stdout could not take it.
int EndOutput();

}  // namespace rw::cli
