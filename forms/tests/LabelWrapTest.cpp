// A label that wraps its text breaks a word longer than its width (a long
// path) over as many lines as it needs, and grows to show them all.
#include <gtest/gtest.h>

#include "DialogSteps.h"
#include "TestSupport.h"

using namespace forms;
using namespace testsupport;

namespace {

// Whether any pixel of a row of the label's client area is not the face.
bool RowDrawn(TLabel* Label, int Y) {
    for (int x = 0; x < Label->Width(); ++x) {
        POINT p = {x, Y};
        ClientToScreen(Label->Handle(), &p);
        if (ScreenPixel(p) != GetSysColor(COLOR_BTNFACE)) return true;
    }
    return false;
}

TEST(WrappedLabels, AWordLongerThanTheLabelIsBrokenOverLinesThatAllShow) {
    auto* form = new TForm(Application);
    form->SetBounds(150, 150, 300, 300);
    auto* label = new TLabel(form);
    label->WordWrap = true;
    label->SetBounds(10, 10, 100, 13);
    label->SetParent(form);
    label->SetCaption("C:\\" + std::string(60, 'W'));
    form->Show();
    ToFront();
    dialogsteps::Settle();
    TEXTMETRICA tm;
    {
        HDC dc = GetDC(label->Handle());
        HGDIOBJ old = SelectObject(dc, label->Font.Handle());
        GetTextMetricsA(dc, &tm);
        SelectObject(dc, old);
        ReleaseDC(label->Handle(), dc);
    }
    EXPECT_GE(label->Height(), 3 * tm.tmHeight) << "the label did not grow to the lines of its broken word";
    EXPECT_EQ(label->Width(), 100) << "a wrapping label keeps its width";
    const int lastLine = label->Height() / tm.tmHeight - 1;
    EXPECT_TRUE(RowDrawn(label, lastLine * tm.tmHeight + tm.tmAscent - 2))
        << "nothing is drawn in the last line (" << lastLine + 1 << " lines)";
    Free(form);
}

}  // namespace
