// Runs the CLI as a child process (a shell's exec, or CreateProcessW on Windows) in a scratch game folder.
#include "CliTest.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#else
#include <sys/wait.h>
#endif

#include <cstdlib>
#include <memory>
#include <stdexcept>

#include "city/CityData.h"
#include "city/WriteCityFile.h"

namespace rw::cli::test {

namespace {

#ifdef _WIN32
std::wstring Wide(const std::string& utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end())).wstring();
}

// One argument quoted for the child's C runtime. No argument here holds a quote, so only the backslashes
// before the closing quote are doubled.
std::wstring Quoted(std::wstring arg) {
    for (std::size_t end = arg.size(); end > 0 && arg[end - 1] == L'\\'; --end) {
        arg += L'\\';
    }
    return L"\"" + arg + L"\" ";
}

HANDLE OpenInherited(const std::wstring& path, DWORD access, DWORD creation) {
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    return CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, creation,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

// The exit status of argv run with no input and its output in outPath and errPath; -1 when it did not run.
int Spawn(Args& argv, const std::string& outPath, const std::string& errPath) {
    std::wstring command;
    for (const auto& a : argv) {
        command += Quoted(Wide(a));
    }
    // There is no /dev/full: a file opened for reading only refuses every write the same way.
    const HANDLE handles[] = {OpenInherited(L"NUL", GENERIC_READ, OPEN_EXISTING),
                              outPath.ends_with("/dev/full")
                                  ? OpenInherited(Wide(errPath + ".full"), GENERIC_READ, OPEN_ALWAYS)
                                  : OpenInherited(Wide(outPath), GENERIC_WRITE, CREATE_ALWAYS),
                              OpenInherited(Wide(errPath), GENERIC_WRITE, CREATE_ALWAYS)};
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = handles[0];
    startup.hStdOutput = handles[1];
    startup.hStdError = handles[2];
    PROCESS_INFORMATION process{};
    DWORD code = static_cast<DWORD>(-1);
    if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                       &process) != 0) {
        WaitForSingleObject(process.hProcess, INFINITE);
        GetExitCodeProcess(process.hProcess, &code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    for (const HANDLE h : handles) {
        CloseHandle(h);
    }
    return static_cast<int>(code);
}
#else
// One word for the shell: within single quotes only a single quote needs closing, escaping and reopening.
std::string Quoted(const std::string& arg) {
    std::string quoted = "'";
    for (const char c : arg) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "' ";
}

// The shell only opens the files and starts the tool in its place.
int Spawn(Args& argv, const std::string& outPath, const std::string& errPath) {
    std::string command = "exec ";
    for (const auto& a : argv) {
        command += Quoted(a);
    }
    const int status =
        std::system((command + "</dev/null >" + Quoted(outPath) + "2>" + Quoted(errPath)).c_str());
    return status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
#endif

}  // namespace

ToolResult CliTest::RunTool(const Args& args, const std::string& stdoutPath) const {
    const std::string outPath = stdoutPath.empty() ? At("@.stdout") : stdoutPath, errPath = At("@.stderr");
    Args argv{RW_CLI_PATH};
    for (const auto& a : args) {
        argv.push_back(At(a));
    }
    const int status = Spawn(argv, outPath, errPath);
    return {status, stdoutPath.empty() ? ReadFileBytes(outPath) : std::string(), ReadFileBytes(errPath)};
}

CliTest::CliTest() : city((dir / "cities" / "L city.urb").string()), out(At("@out")) {
    fs::create_directories(dir / "cities");
    fs::create_directories(dir / "scenarios" / "movie");
    using city::TileIndex;
    auto c = std::make_unique<city::CityData>();
    c->name = "Test City";
    c->altitude.fill(3);
    for (int i = 10; i <= 30; ++i) {
        c->buildings[TileIndex(i, 10)] = 81;
        c->buildings[TileIndex(30, i)] = i == 10 ? 81 : 29;
    }
    for (int x = 60; x <= 62; ++x) {
        c->buildings[TileIndex(x, 60)] = 81;
    }
    c->buildings[TileIndex(12, 50)] = 73;
    c->buildings[TileIndex(14, 50)] = 92;
    c->bits[TileIndex(18, 50)] = 4;
    c->buildings[TileIndex(20, 50)] = 81;
    c->altitude[TileIndex(20, 50)] = (3 << 10) | 3;
    c->zones[TileIndex(22, 50)] = 0x12;
    c->buildings[TileIndex(50, 12)] = 5;
    c->graphs[0 * 52 + 3] = 500;
    c->graphs[5 * 52 + 51] = 777;
    if (!city::WriteCityFile(*c, city)) {
        throw std::runtime_error("cannot write " + city);
    }
}

std::string CliTest::At(const std::string& text) const {
    std::string result;
    for (char c : text) {
        result += c == '@' ? (dir / "").string() : std::string(1, c);
    }
    return result;
}

std::string CliTest::Race(const std::string& file, const Args& checkpoints, const Args& options) const {
    const std::string path = (dir / "scenarios" / "movie" / file).string();
    Args args{"race", city, "-o", path};
    args.insert(args.end(), options.begin(), options.end());
    for (const auto& c : checkpoints) {
        args.insert(args.end(), {"--checkpoint", c});
    }
    const auto r = RunTool(args);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out + r.err, "");
    return path;
}

Json CliTest::RunJson(const Args& args) const {
    const auto r = RunTool(args);
    EXPECT_EQ(r.status, 0) << testing::PrintToString(args) << r.err;
    EXPECT_TRUE(!r.out.empty() && r.out.back() == '\n') << r.out;
    return Json::parse(r.out, nullptr, false);
}

void ExpectMembers(const Json& actual, const Json& expected, const std::string& context) {
    for (const auto& [key, value] : expected.items()) {
        EXPECT_EQ(actual.value(key, Json()), value) << context << " member " << key;
    }
}

}  // namespace rw::cli::test
