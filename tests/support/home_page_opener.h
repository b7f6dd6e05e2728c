#pragma once

// What the shell's open of a web address reached, for the life of the object:
// on Linux an "xdg-open" first on PATH, on Windows the shell's http and https
// handlers (put back afterwards), each noting the addresses it gets.

#include <memory>
#include <string>

#include "tests/support/temp_dir.h"

namespace testing_support {

class HomePageOpener {
  public:
    HomePageOpener();
    ~HomePageOpener();
    HomePageOpener(const HomePageOpener&) = delete;
    HomePageOpener& operator=(const HomePageOpener&) = delete;

    // What it was given, one address a line; waits a little for it.
    std::string Opened() const;

  private:
    // Where the addresses are noted ("opened" in the folder).
    TempDir m_dir;
    // The system's part, undone when the object goes.
    struct Redirect;
    std::unique_ptr<Redirect> m_redirect;
};

}  // namespace testing_support
