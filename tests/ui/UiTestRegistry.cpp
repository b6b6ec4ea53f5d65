// The list of registered window test classes.
#include "UiTestRegistry.h"

#include <utility>

namespace rw::ui::test {

std::vector<RegisteredTest>& RegisteredTests() {
    static std::vector<RegisteredTest> tests;
    return tests;
}

bool RegisterTest(const char* name, std::function<std::unique_ptr<QObject>()> make) {
    RegisteredTests().push_back(RegisteredTest{name, std::move(make)});
    return true;
}

}  // namespace rw::ui::test
