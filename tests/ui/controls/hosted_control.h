#pragma once

// One control hosted alone at the top of the managed test window (200 x 120
// on the offscreen display), with the window's notifications recorded.

#include <gtest/gtest.h>

#include "tests/ui/manager/managed_window.h"
#include "ui/layout/vertical_layout.h"

namespace controls_testing {

using namespace VantuUI;

class HostedControlTest : public manager_testing::ManagedWindowTest {
  protected:
    void SetUp() override {
        ManagedWindowTest::SetUp();
        column = new CVerticalLayoutUI;
        manager.AttachRoot(column);
        Pump();
    }
    // Puts `control` under the earlier ones, `height` pixels high, and
    // paints the window.
    template <class Control>
    Control* Host(Control* control, int height) {
        control->SetFixedHeight(height);
        column->Append(control);
        Repaint();
        Pump();
        return control;
    }

    // Lays out and paints the whole window now.
    void Repaint() {
        manager.Invalidate();
        UpdateWindow(window);
    }

    CVerticalLayoutUI* column = nullptr;
};

}  // namespace controls_testing
