// A test on a form of its own: the form (a plain TForm, or a described form
// class) is made before each test and freed after it, and shown in front
// with the keyboard focus where the test wants it.
#pragma once
#include <gtest/gtest.h>

#include "Forms.h"
#include "TestSupport.h"

template <class Form = forms::TForm>
class FormFixture : public ::testing::Test {
protected:
    void SetUp() override { frm = new Form(forms::Application); }
    void TearDown() override { forms::Free(frm); }

    // Shows the form as the active window, gives Focus the keyboard focus,
    // and lets the form paint before the test's input goes to it.
    void ShowInFront(forms::TWinControl* Focus = nullptr) {
        frm->Show();
        if (Focus) Focus->SetFocus();
        testsupport::ToFront();
        UpdateWindow(frm->Handle());
        testsupport::SettleInput();
    }

    Form* frm = nullptr;
};
