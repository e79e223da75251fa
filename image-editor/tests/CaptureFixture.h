// Tests of captures in the program's own main window: before each, the
// window shown, quick-capture settings that capture at once and an empty
// clipboard; after each, the capture ended and every screen closed, so that
// no test leaves an armed capture or a captured screen to the next.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "CaptureExecution.h"
#include "DialogSteps.h"
#include "ProgramWindows.h"

class CaptureFixture : public ::testing::Test {
protected:
    void SetUp() override {
        frmMain->Show();
        programwindows::UseTestCaptureSettings();
        programwindows::EmptyTheClipboard();
    }
    void TearDown() override {
        testsupport::PumpUntil([] { return !CaptureArmed; }, 4000);
        programwindows::CloseEveryScreen();
    }

    static bool Shown() { return IsWindowVisible(frmMain->Handle()) != FALSE; }
    // Waits until the capture has been taken and the program shows again.
    static bool Captured() { return testsupport::PumpUntil([] { return !CaptureArmed && Shown(); }, 6000); }

    // Runs Step, Delay ms from now, once the window of that caption (a
    // dialog of the capture library) is the active window, brought in front.
    void WhenActive(const std::string& Caption, const std::function<void(HWND)>& Step, unsigned Delay = 300) {
        testsupport::Later(&timers, [Caption, Step] {
            HWND dialog = nullptr;
            testsupport::PumpUntil([&] {
                dialog = GetActiveWindow();
                return dialog && dialogsteps::TextOf(dialog) == Caption;
            });
            if (!dialog || dialogsteps::TextOf(dialog) != Caption) return;
            testsupport::ToFront();
            Step(dialog);
        }, Delay);
    }

    // The test's timers go with it.
    forms::TComponent timers{nullptr};
};
