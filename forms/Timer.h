// A timer component: OnTimer runs every Interval milliseconds while enabled.
#pragma once
#include <windows.h>

#include "Classes.h"

namespace forms {

class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* AOwner);
    ~TTimer() override;
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    unsigned Interval() const { return FInterval; }
    // Setting the interval starts the count anew.
    void SetInterval(unsigned Value);
    TNotifyEvent OnTimer;

private:
    void Update();
    static LRESULT CALLBACK TimerWndProc(HWND, UINT, WPARAM, LPARAM);
    static HWND TimerWindow();
    bool FEnabled = true;
    unsigned FInterval = 1000;
    UINT_PTR FId = 0;
};

}  // namespace forms
