#include "tests/support/home_page_opener.h"

#include <algorithm>
#include <chrono>

namespace testing_support {

std::string HomePageOpener::Opened() const {
    std::string lines = ReadLinesOnceWritten(m_dir / "opened", std::chrono::seconds(3));
    // Windows' shell writes its lines with CR LF.
    std::erase(lines, '\r');
    return lines;
}

}  // namespace testing_support
