#include <unistd.h>

#include <iostream>

#include "cli/Runner.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return ondrel::runner::RunMain(args, std::cout, std::cerr, isatty(STDERR_FILENO) == 1);
}
