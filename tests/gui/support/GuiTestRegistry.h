#pragma once
// Test classes of a GUI area register themselves; the shared main runs them all in one
// process (offscreen, with a scratch home and configuration folder).
#include <QObject>
#include <functional>
#include <memory>
#include <vector>

namespace ondrel::guitest {

using TestFactory = std::function<std::unique_ptr<QObject>()>;

std::vector<TestFactory>& RegisteredTests();

struct TestRegistrar {
    explicit TestRegistrar(TestFactory factory) { RegisteredTests().push_back(std::move(factory)); }
};

}  // namespace ondrel::guitest

#define ONDREL_GUI_TEST(TestClass)                                                   \
    static const ::ondrel::guitest::TestRegistrar registrar_##TestClass(              \
        [] { return std::unique_ptr<QObject>(std::make_unique<TestClass>()); })
