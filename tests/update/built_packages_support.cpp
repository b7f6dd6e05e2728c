#include "tests/update/built_packages_support.h"

#include <gtest/gtest.h>

namespace built_packages {

namespace fs = std::filesystem;

fs::path Package(const std::string& name) {
    return fs::path(VANTU_TEST_PACKAGES) / name;
}

std::string HostileName(const std::string& kind) {
    return testing_support::ReadFile(Package(kind + ".name"));
}

Extraction::Extraction() : m_destination(m_temp / "dest") {
    fs::create_directories(m_destination);
}

int Extraction::Run(const std::string& package) {
    SevenZip::SevenZipExtractor extractor;
    return Run(extractor, package);
}

int Extraction::Run(SevenZip::SevenZipExtractor& extractor, const std::string& package) {
    extractor.SetArchivePath(testing_support::WidePath(Package(package)));
    // The trace goes to standard output; keep the test's output readable.
    ::testing::internal::CaptureStdout();
    auto folder = testing_support::WidePath(m_destination);
    folder += L'/';
    int result = extractor.ExtractAll(folder);
    std::fflush(stdout);
    ::testing::internal::GetCapturedStdout();
    return result;
}

}  // namespace built_packages
