// The window's Qt Test classes, registered by their own files and run one after the other by one main.
#pragma once

#include <QObject>

#include <functional>
#include <memory>
#include <vector>

namespace rw::ui::test {

struct RegisteredTest {
    const char* name;
    std::function<std::unique_ptr<QObject>()> make;
};

std::vector<RegisteredTest>& RegisteredTests();

// Adds a test class; used through RW_UI_TEST(Class) in the namespace that declares Class.
bool RegisterTest(const char* name, std::function<std::unique_ptr<QObject>()> make);

}  // namespace rw::ui::test

#define RW_UI_TEST(Class)                                                            \
    namespace {                                                                      \
    const bool registered##Class = ::rw::ui::test::RegisterTest(                     \
        #Class, [] { return std::unique_ptr<QObject>(std::make_unique<Class>()); }); \
    }
