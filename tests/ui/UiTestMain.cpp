// Runs every registered window test class; the exit status counts the failed ones. A first argument naming
// a class runs that class alone (the remaining arguments go to Qt Test).
#include <QApplication>
#include <QtTest>

#include <cstring>
#include <vector>

#include "UiTestRegistry.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const char* only = nullptr;
    std::vector<char*> args(argv, argv + argc);
    if (args.size() > 1 && args[1][0] != '-') {
        only = args[1];
        args.erase(args.begin() + 1);
    }
    int failed = 0;
    for (const auto& test : rw::ui::test::RegisteredTests()) {
        if (only != nullptr && std::strcmp(only, test.name) != 0) {
            continue;
        }
        const auto object = test.make();
        failed += QTest::qExec(object.get(), static_cast<int>(args.size()), args.data()) != 0 ? 1 : 0;
    }
    return failed;
}
