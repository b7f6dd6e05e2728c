// A program that opens nothing and sleeps for the seconds given: the tests'
// child whose inherited handles are what its parent passed on.

#include <chrono>
#include <cstdlib>
#include <thread>

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 10;
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    return 0;
}
