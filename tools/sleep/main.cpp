// A program that opens nothing and sleeps for the seconds given: the tests'
// child whose inherited handles are what its parent passed on.

#include <cctype>
#include <chrono>
#include <cstdlib>
#include <thread>

int main(int argc, char** argv) {
    // A first word that is no number (a command line meant for the program
    // it stands in for) sleeps the default.
    const bool given = argc > 1 && std::isdigit(static_cast<unsigned char>(argv[1][0])) != 0;
    const int seconds = given ? std::atoi(argv[1]) : 10;
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    return 0;
}
