#pragma once

// The packages the build made with the real archivers
// (tests/update/packages/make-test-packages), read by the same tests on
// every system, and an extraction of one into a fresh folder.

#include <filesystem>
#include <string>

#include "tests/support/temp_dir.h"
#include "update/archive/seven_zip_archive.h"

namespace built_packages {

std::filesystem::path Package(const std::string& name);

// The bad item name a hostile package (<kind>.7z, <kind>.zip) carries.
std::string HostileName(const std::string& kind);

class Extraction {
  public:
    Extraction();

    // Unpacks the built package into destination(); the extractor's result.
    int Run(const std::string& package);
    int Run(SevenZip::SevenZipExtractor& extractor, const std::string& package);

    const std::filesystem::path& temp() const { return m_temp.path(); }
    const std::filesystem::path& destination() const { return m_destination; }

  private:
    testing_support::TempDir m_temp;
    std::filesystem::path m_destination;
};

}  // namespace built_packages
