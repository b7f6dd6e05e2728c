// The demo booster: stands in for the real game booster so that the launcher
// has something to check, upgrade and start. It writes its current folder and
// command line to the file named by VANTU_BOOSTER_RECORD (one item a line,
// appended, so that several starts can be counted), then ends.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
    if (const char* record = std::getenv("VANTU_BOOSTER_RECORD")) {
        std::error_code ec;
        std::string cwd = std::filesystem::current_path(ec).string();
        std::ofstream out(record, std::ios::app);
        out << "cwd " << cwd << "\n";
        for (int i = 1; i < argc; ++i) {
            out << "arg " << argv[i] << "\n";
        }
        out << "end\n";
    }
    return 0;
}
