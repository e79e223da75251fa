// A small shown form with a button, for the tests that need real windows.
#pragma once
#include <windows.h>

#include <string>

#include "Forms.h"
#include "TestSupport.h"

class TfrmProbe : public forms::TForm {
public:
    forms::TButton* cmdButton = nullptr;

    explicit TfrmProbe(forms::TComponent* AOwner, const std::string& Caption = "Probe") : TForm(AOwner) {
        Describe({.Name = "frmProbe", .Caption = Caption, .Left = 200, .Top = 150, .ClientWidth = 300,
                  .ClientHeight = 200, .BorderStyle = forms::bsSizeable});
        Add(cmdButton, {.Name = "cmdButton", .Left = 40, .Top = 50, .Width = 120, .Height = 40, .Caption = "Button"});
        EndDescription();
    }
};

inline std::string ShowRect(const RECT& R) {
    return "(" + std::to_string(R.left) + ", " + std::to_string(R.top) + ")-(" + std::to_string(R.right) + ", " +
           std::to_string(R.bottom) + ")";
}

inline bool SameRect(const RECT& A, const RECT& B) {
    return A.left == B.left && A.top == B.top && A.right == B.right && A.bottom == B.bottom;
}

inline RECT WindowRect(HWND Wnd) {
    RECT r = {};
    GetWindowRect(Wnd, &r);
    return r;
}
