// plain_hello: the floor a command-line start is compared with, a C++ program that prints one line.
#include <iostream>

int main() {
    std::cout << "hello\n";
    return 0;
}
