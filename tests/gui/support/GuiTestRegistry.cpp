#include "GuiTestRegistry.h"

namespace ondrel::guitest {

std::vector<TestFactory>& RegisteredTests() {
    static std::vector<TestFactory> tests;
    return tests;
}

}  // namespace ondrel::guitest
