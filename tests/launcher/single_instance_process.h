#pragma once

// Real launchers of the tests' build, kept from any display so that they look
// for no booster. A first launcher is held inside its run, after it took its
// name (LauncherHold).

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>

#include "tests/launcher/box_answerer.h"
#include "tests/launcher/launcher_stage.h"
#include "tests/launcher/process_probe.h"
#include "tests/support/deadline.h"
#include "tests/support/launcher_lock.h"
#include "tests/support/process.h"
#include "update/build_settings.h"

namespace launcher_test {

class SingleInstanceProcess : public testing::Test {
  protected:
    testing_support::ProcessOptions Options() const {
        testing_support::ProcessOptions options;
        options.env = {"DISPLAY=", "SDL_VIDEODRIVER=none"};
        // Only a stuck launcher meets it: under wine a failed query to a
        // closed port on localhost alone takes seconds.
        options.timeout = std::chrono::seconds(30);
        return options;
    }

    // A launcher of `stage` that holds `name` once this returns.
    std::unique_ptr<testing_support::BackgroundProcess> StartHeldLauncher(
        const LauncherStage& stage, const std::string& name) {
        auto first =
            std::make_unique<testing_support::BackgroundProcess>(stage.launcher(), Options());
        EXPECT_TRUE(testing_support::WaitUntil(
            testing_support::Deadline(std::chrono::seconds(5)), [&] { return NameHeld(name); },
            std::chrono::milliseconds(1)))
            << "the first launcher did not take " << name << ": " << first->Err();
        return first;
    }
    std::unique_ptr<testing_support::BackgroundProcess> StartHeldLauncher() {
        return StartHeldLauncher(m_stage, m_name);
    }

    // The product launcher beside this build: test builds take a name of
    // their build folder's own, the product the one name of the whole
    // machine. Takes the product launchers' lock for the rest of the test and
    // waits until no launcher run outside the tests (a demo) holds the
    // product's name; false when one still does.
    bool LockTheProductName() {
        const std::string key = vantu::Settings().instanceKey;
        EXPECT_TRUE(key.starts_with("VantuLauncher-")) << key;
        EXPECT_GT(key.size(), std::string("VantuLauncher-").size());
        m_productLock.emplace(testing_support::LauncherNames::Product);
        return testing_support::WaitUntil(
            testing_support::Deadline(std::chrono::seconds(30)),
            [] { return !NameHeld("Global\\VantuLauncher"); }, std::chrono::milliseconds(20));
    }

    testing_support::LauncherLock m_lock;
    // A launcher let go meets a closed port: its box is answered.
    LauncherBoxAnswerer m_boxes;
    std::optional<testing_support::LauncherLock> m_productLock;
    LauncherStage m_stage{false};
    LauncherHold m_hold{m_stage};
    const std::string m_name = InstanceName();
};

}  // namespace launcher_test
