// Captions in the dialogs' font (Tahoma) as the screen shows them: the "&"
// underline lies under the letter after it in every kind of control, so the
// glyphs are drawn where the text is measured.
#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "FormFixture.h"

using namespace forms;
using namespace testsupport;

namespace {

// Which pixels of a picture are the dark ink of text or lines.
struct InkMask {
    int Width = 0, Height = 0;
    std::vector<bool> Ink;
    bool At(int X, int Y) const { return X >= 0 && Y >= 0 && X < Width && Y < Height && Ink[Y * Width + X]; }
};

// Reads a 32-bit top-down DIB section's pixels into an ink mask.
InkMask MaskOf(const void* Bits, int Width, int Height) {
    InkMask m{Width, Height, std::vector<bool>(size_t(Width) * Height)};
    for (int y = 0; y < Height; ++y) {
        const auto* row = static_cast<const BYTE*>(Bits) + size_t(y) * Width * 4;
        for (int x = 0; x < Width; ++x) {
            const BYTE* p = row + x * 4;
            m.Ink[size_t(y) * Width + x] = p[0] + p[1] + p[2] < 3 * 96;
        }
    }
    return m;
}

// Runs Paint on a memory DC over a 32-bit picture and gives its ink.
template <class F>
InkMask InkOfPicture(int Width, int Height, F Paint) {
    BITMAPINFO bi = {};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), Width, -Height, 1, 32, BI_RGB};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bmp);
    Paint(dc);
    GdiFlush();
    InkMask m = MaskOf(bits, Width, Height);
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
    return m;
}

// The ink that the screen shows over a window.
InkMask ScreenInk(HWND Wnd) {
    RECT r;
    GetWindowRect(Wnd, &r);
    return InkOfPicture(r.right - r.left, r.bottom - r.top, [&](HDC dc) {
        HDC screen = GetDC(nullptr);
        BitBlt(dc, 0, 0, r.right - r.left, r.bottom - r.top, screen, r.left, r.top, SRCCOPY);
        ReleaseDC(nullptr, screen);
    });
}

// A text as the control's font draws it, without prefix handling, on the
// button face.
InkMask TextInk(TControl* Control, const std::string& Text) {
    return InkOfPicture(400, 40, [&](HDC dc) {
        RECT all = {0, 0, 400, 40};
        FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
        SelectObject(dc, Control->Font.Handle());
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkMode(dc, TRANSPARENT);
        DrawTextA(dc, Text.c_str(), -1, &all, DT_NOPREFIX | DT_SINGLELINE);
    });
}

bool ColumnInked(const InkMask& M, int X) {
    for (int y = 0; y < M.Height; ++y)
        if (M.At(X, y)) return true;
    return false;
}

struct Span {
    int First = -1, Last = -1;
    bool Empty() const { return First < 0; }
    void Add(int X) {
        if (First < 0 || X < First) First = X;
        Last = std::max(Last, X);
    }
};

std::ostream& operator<<(std::ostream& Out, const Span& S) {
    return Out << "columns " << S.First << ".." << S.Last;
}

// Checks on the screen that the underline of Control's caption (one "&")
// lies under the ink of the letter after the "&".
void ExpectUnderlineUnderItsLetter(const std::string& Kind, TControl* Control) {
    const std::string Caption = Control->Caption();
    SCOPED_TRACE("caption \"" + Caption + "\" of a " + Kind);
    const size_t amp = Caption.find('&');
    const std::string plain = Caption.substr(0, amp) + Caption.substr(amp + 1);
    const std::string before = Caption.substr(0, amp);

    // The letter's columns, from the caption drawn up to the letter and up
    // to the letter before it.
    const InkMask text = TextInk(Control, plain);
    const InkMask upToLetter = TextInk(Control, before + Caption[amp + 1]);
    const InkMask upToBefore = TextInk(Control, before);
    Span letter, inked, rows;
    for (int x = 0; x < text.Width; ++x) {
        if (ColumnInked(upToLetter, x) && !ColumnInked(upToBefore, x)) letter.Add(x);
        if (ColumnInked(text, x)) inked.Add(x);
    }
    for (int y = 0; y < text.Height; ++y)
        for (int x = 0; x < text.Width; ++x)
            if (text.At(x, y)) rows.Add(y);
    ASSERT_FALSE(letter.Empty()) << "the letter after \"&\" draws no ink";

    // Where the caption's glyphs lie on the screen: the place where every
    // inked pixel of the drawn text is inked on the screen too.
    const InkMask screen = ScreenInk(Control->Handle());
    int atX = -1, atY = -1;
    for (int dy = -rows.First; atX < 0 && dy + rows.Last < screen.Height; ++dy)
        for (int dx = -inked.First; atX < 0 && dx + inked.Last < screen.Width; ++dx) {
            bool all = true;
            for (int y = rows.First; all && y <= rows.Last; ++y)
                for (int x = inked.First; all && x <= inked.Last; ++x)
                    if (text.At(x, y) && !screen.At(x + dx, y + dy)) all = false;
            if (all) atX = dx, atY = dy;
        }
    ASSERT_GE(atX, 0) << "the caption's glyphs are not on the screen";

    // The underline: ink on the screen that the caption's glyphs lack, in the
    // rows from the glyphs' baseline region to just beneath them.
    Span underline;
    for (int y = rows.First; y <= rows.Last + 3; ++y)
        for (int x = inked.First - 1; x <= inked.Last + 12; ++x)
            if (screen.At(x + atX, y + atY) && !text.At(x, y)) underline.Add(x);
    ASSERT_FALSE(underline.Empty()) << "no underline is drawn";
    EXPECT_GE(underline.First, letter.First - 1) << "the underline (" << underline
                                                  << ") starts before the letter (" << letter << ")";
    EXPECT_LE(underline.Last, letter.Last + 1) << "the underline (" << underline << ") runs past the letter ("
                                               << letter << ")";
}

using CaptionGlyphs = FormFixture<>;

TEST_F(CaptionGlyphs, TheUnderlineOfAnAmpersandLetterLiesUnderThatLetterInEveryKindOfControl) {
    frm->SetBounds(100, 100, 420, 260);
    frm->Font.SetName("Tahoma");
    std::vector<std::pair<std::string, TControl*>> controls;
    int top = 8;
    for (const char* caption : {"Left clic&k", "&Right"}) {
        auto place = [&](const char* Kind, TControl* Control, int Left, int Height) {
            Control->SetBounds(Left, top, 90, Height);
            Control->SetParent(frm);
            Control->SetCaption(caption);
            controls.emplace_back(Kind, Control);
        };
        place("radio button", new TRadioButton(frm), 8, 17);
        place("check box", new TCheckBox(frm), 104, 17);
        place("push button", new TButton(frm), 200, 25);
        place("label", new TLabel(frm), 300, 13);
        top += 40;
    }
    // The focus lies elsewhere, so that no focus frame is drawn round a caption.
    auto* away = new TButton(frm);
    away->SetBounds(8, 180, 75, 25);
    away->SetParent(frm);
    ShowInFront(away);
    for (const auto& [kind, control] : controls) ExpectUnderlineUnderItsLetter(kind, control);
}

}  // namespace
