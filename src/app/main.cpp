// SPDX-License-Identifier: GPL-3.0-or-later
// Program start; the wiring is in program.cpp, where the tests reach it too.
#include "app/program.h"

int main(int argc, char** argv) {
    return runnelex::runProgram(argc, argv);
}
