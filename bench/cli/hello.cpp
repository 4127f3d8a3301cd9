// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick of a process start: hello, world, through the C++ streams.
#include <iostream>

int main() {
    std::cout << "hello, world\n";
}
