// The drawing tools: the strokes on a screen's picture, the choice of the
// tool, the colour boxes and the airbrush's spray.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <random>

#include "Child.h"
#include "Common.h"
#include "Main.h"
#include "RegData.h"
#include "ZvCom.h"
#include "Zelvani.h"

using namespace forms;

namespace {

enum Tools : int {
    Selector = 1, Pencil, Eraser, Text, Picker, Fill, Airbrush, Line, Curve, RectangleTool, RoundRectangleTool, EllipseTool
};

// The heights of the airbrush's spray columns, by size row, at horizontal
// offset dx in entry 12 + dx.
constexpr unsigned char kSpray[3][25] = {
    {0, 0, 0, 0, 0, 0, 0, 0, 3, 7, 7, 9, 9, 9, 7, 7, 3, 0, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 5, 9, 11, 13, 15, 15, 17, 17, 17, 17, 17, 15, 15, 13, 11, 9, 5, 0, 0, 0, 0},
    {5, 11, 15, 17, 19, 21, 21, 23, 23, 23, 25, 25, 25, 25, 25, 23, 23, 23, 21, 21, 19, 17, 15, 11, 5}};

void Bezier(TCanvas& Canvas, POINT P1, POINT C1, POINT C2, POINT P2) {
    const POINT points[4] = {P1, C1, C2, P2};
    PolyBezier(Canvas.Handle(), points, 4);
}

// The picture as it was before the stroke, for the stroke to be drawn anew.
void Restore(TfrmChild* Screen) { BackupPicture(Screen, false); }

// The Text tool's canvas: the drawing font in the foreground colour, on the
// background colour when the font mode is Opaque. Its height of a line.
int SetTextCanvas(TCanvas& Canvas) {
    Canvas.Font.Assign(*DrawingFont);
    Canvas.Font.SetColor(ForeColor);
    Canvas.Brush.SetColor(BackColor);
    Canvas.Brush.SetClear(frmMain->lstDrawingFont->ItemIndex() != 1);
    return Canvas.TextExtent("abc").cy;
}

// The caret is the screen's: its text is the one being typed.
bool HasCaret(TfrmChild* Screen) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetCurrentThreadId(), &info) && info.hwndCaret &&
           info.hwndCaret == Screen->picMain->Handle();
}

// The text as typed so far, drawn afresh on the picture as it was before
// the click, and the caret after its last character. The first character
// makes the text's one undo step and marks the screen modified.
void DrawTypedText(TfrmChild* Screen) {
    TBitmap& before = Screen->picBackup->Picture.Bitmap();
    const bool drawn = std::any_of(Screen->TextLines.begin(), Screen->TextLines.end(),
                                   [](const std::string& Line) { return !Line.empty(); });
    if (drawn && !Screen->TextDrawn) {
        Screen->Undo->Add(before);
        Screen->TextDrawn = true;
    }
    Screen->Picture().Assign(before);
    TCanvas& c = Screen->Picture().Canvas();
    const int height = SetTextCanvas(c);
    const POINT at = Screen->TextOrigin;
    for (size_t i = 0; i < Screen->TextLines.size(); ++i)
        c.TextOut(at.x, at.y + static_cast<int>(i) * height, Screen->TextLines[i]);
    if (drawn) SetModified(Screen, true);
    Screen->picMain->Repaint();
    SetCaretPos(at.x + c.TextExtent(Screen->TextLines.back()).cx,
                at.y + static_cast<int>(Screen->TextLines.size() - 1) * height);
}

}  // namespace

bool TfrmChild::TypeText(char Key) {
    if (TextLines.empty() || !HasCaret(this)) return false;
    std::string& line = TextLines.back();
    if (Key == '\b') {
        if (!line.empty())
            line.pop_back();
        else if (TextLines.size() > 1)
            TextLines.pop_back();
    } else if (Key == '\r') {
        TextLines.emplace_back();
    } else if (static_cast<unsigned char>(Key) >= ' ') {
        line += Key;
    } else {
        return false;
    }
    Reported([&] { DrawTypedText(this); });
    return true;
}

void EndText(TfrmChild* Screen) {
    if (HasCaret(Screen)) DestroyCaret();
    Screen->TextLines.clear();
}

void TfrmChild::picMain_MouseDown(TComponent* Sender, TMouseButton Button, WPARAM, int X, int Y) {
    ToFront();
    LastMouse = {X, Y};
    if (Button != mbLeft) return;
    Reported([&] {
        Tool = GetDrawingSetting(this, 0);
        frmMain->panMagnifierFront->Hide();
        if (Tool != Curve) CurveStep = 0;
        if (Tool == Selector && SelImage && panSelect->Visible()) {
            // A new selection stamps the floating one first, so that the
            // backup, which Esc puts back, holds it where it was dropped.
            HideFrame(this);
            Busy = false;
            EndSelection(this);
        }
        if (CurveStep == 0) BackupPicture(this, true);
        DraggingSel = SelLifted = false;
        TCanvas& c = Picture().Canvas();
        c.MoveTo(X, Y);
        c.Pen.SetColor(ForeColor);
        c.Pen.SetStyle(PS_SOLID);
        c.Pen.SetWidth(GetDrawingSetting(this, 2));
        c.Brush.SetColor(BackColor);
        c.Brush.SetClear(false);
        SetROP2(c.Handle(), R2_COPYPEN);
        switch (Tool) {
        case Selector:
            if (Sender) ZvClipControl(picMain);
            AntsCanvas = &c;
            AntsPhase = 0;
            AntsRect = AntsPrevRect = {X, Y, X, Y};
            AntsState = 0;
            ShapeW = ShapeH = 1;
            Busy = true;
            break;
        case Eraser:
            c.Pen.SetColor(ScreenBackColor);
            c.Pen.SetWidth(GetDrawingSetting(this, 3));
            [[fallthrough]];
        case Pencil:
        case Line:
            c.SetPixel(X, Y, c.Pen.Color());
            break;
        case Text: {
            // The caret is the picture's, in its pixels: the picture's own
            // paints hide it while they draw, so that it never leaves a
            // mark in what they show.
            const int height = SetTextCanvas(c);
            TextOrigin = {X, Y - height / 2};
            TextLines = {""};
            TextDrawn = false;
            CreateCaret(picMain->Handle(), nullptr, 1, height);
            SetCaretPos(TextOrigin.x, TextOrigin.y);
            ShowCaret(picMain->Handle());
            break;
        }
        case Picker: {
            const TColor picked = c.Pixel(X, Y);
            (Drawings[1] == 0 ? ForeColor : BackColor) = picked;
            frmMain->DrawColorBoxes();
            frmMain->tlnDrawingTool_Click(ToolButtons[std::clamp(frmMain->tlbDrawingTools->Tag, 0, 11)]);
            CancelTool(this, true);
            break;
        }
        case Fill:
            Undo->Add(Picture());
            c.Brush.SetColor(ForeColor);
            ExtFloodFill(c.Handle(), X, Y, ColorToRGB(c.Pixel(X, Y)), FLOODFILLSURFACE);
            Tool = 0;
            Busy = false;
            SetModified(this, true);
            break;
        case Airbrush: frmMain->tmrAirbrush->SetEnabled(true); break;
        case Curve:
            if (CurveStep == 0) {
                CurveP1 = {X, Y};
                c.SetPixel(X, Y, ForeColor);
            } else {
                Restore(this);
                if (CurveStep == 1) CurveC1 = {X, Y};
                Bezier(c, CurveP1, CurveC1, CurveStep == 1 ? CurveC1 : POINT{X, Y}, CurveP4);
            }
            break;
        case RectangleTool:
        case RoundRectangleTool:
        case EllipseTool: {
            const int fill = GetDrawingSetting(this, 1);
            if (fill == 0) c.Brush.SetClear(true);
            if (fill == 2) c.Pen.SetColor(BackColor);
            c.Pen.SetWidth(1);
            Busy = true;
            ShapeW = ShapeH = 1;
            break;
        }
        default: break;
        }
        picMain->Invalidate();
    });
    frmMain->UpdateCommandStates();
}

void TfrmChild::picMain_MouseMove(TComponent*, TMouseButton, WPARAM, int X, int Y) {
    LastMouse = {X, Y};
    if (Tool == 0) {
        if (frmMain->ActiveMDIChild() == this) ShowMagnifierView(this, X, Y);
        return;
    }
    Reported([&] {
        TCanvas& c = Picture().Canvas();
        const POINT s = c.PenPos();
        switch (Tool) {
        case Selector:
            AntsRect = {std::min<LONG>(s.x, X), std::min<LONG>(s.y, Y), 0, 0};
            ShapeW = std::abs(X - s.x) + 1;
            ShapeH = std::abs(Y - s.y) + 1;
            AntsRect.right = AntsRect.left + ShapeW;
            AntsRect.bottom = AntsRect.top + ShapeH;
            tmrSelect->SetEnabled(true);
            break;
        case Pencil:
        case Eraser: c.LineTo(X, Y); break;
        case Line:
            Restore(this);
            // A click without a move leaves its one pixel.
            c.SetPixel(s.x, s.y, c.Pen.Color());
            c.LineTo(X, Y);
            c.MoveTo(s.x, s.y);
            break;
        case Curve:
            Restore(this);
            if (CurveStep == 0) {
                CurveP4 = {X, Y};
                Bezier(c, CurveP1, CurveP1, CurveP4, CurveP4);
            } else if (CurveStep == 1) {
                CurveC1 = {X, Y};
                Bezier(c, CurveP1, CurveC1, CurveC1, CurveP4);
            } else {
                Bezier(c, CurveP1, CurveC1, POINT{X, Y}, CurveP4);
            }
            break;
        case RectangleTool:
        case RoundRectangleTool:
        case EllipseTool: {
            const int l = std::min<int>(s.x, X), t = std::min<int>(s.y, Y), r = std::max<int>(s.x, X),
                      b = std::max<int>(s.y, Y);
            ShapeW = r - l + 1;
            ShapeH = b - t + 1;
            Restore(this);
            if (Tool == RectangleTool) c.Rectangle(l, t, r + 1, b + 1);
            if (Tool == RoundRectangleTool) c.RoundRect(l, t, r + 1, b + 1, 16, 16);
            if (Tool == EllipseTool) c.Ellipse(l, t, r + 1, b + 1);
            // The shapes move the pen: the start point stays where it was.
            c.MoveTo(s.x, s.y);
            break;
        }
        default: break;
        }
        picMain->Invalidate();
    });
}

void TfrmChild::picMain_MouseUp(TComponent* Sender, TMouseButton Button, WPARAM Keys, int X, int Y) {
    LastMouse = {X, Y};
    if (Tool == 0) return;
    Reported([&] {
        picMain_MouseMove(Sender, Button, Keys, X, Y);
        switch (Tool) {
        case Selector:
            if (AntsRect.right - AntsRect.left > 3 && AntsRect.bottom - AntsRect.top > 3)
                MakeSelectionFloat(this);
            else
                HideFrame(this);
            if (Sender) ZvClipControl(nullptr);
            break;
        case Pencil:
        case Eraser:
        case Airbrush:
        case Line:
        case RectangleTool:
        case RoundRectangleTool:
        case EllipseTool: Undo->Add(picBackup->Picture.Bitmap()); break;
        case Curve:
            if (++CurveStep == 3) {
                CurveStep = 0;
                Undo->Add(picBackup->Picture.Bitmap());
            }
            break;
        default: break;
        }
        frmMain->tmrAirbrush->SetEnabled(false);
        // A Text click draws nothing yet: its first character marks the
        // screen.
        if (Tool != Selector && Tool != Text && CurveStep == 0) SetModified(this, true);
        if (!(Tool == Selector && SelImage && panSelect->Visible())) Busy = false;
        Tool = 0;
        frmMain->UpdateCommandStates();
    });
}

void TfrmMain::tlnDrawingTool_Click(TComponent* Sender) {
    if (Sender->Tag == DrawingByte(0) + 1) return;
    EndToolActions(true, true);
    tlbDrawingTools->Tag = DrawingByte(0);
    Drawings[0] = static_cast<char>(Sender->Tag - 1);
    lstDrawingType->Repaint();
    picStatusBar3->Picture.SetGraphic(nullptr);
    tmrMain_Timer(nullptr);
    UpdateCommandStates();
}

void TfrmMain::lstDrawingFont_Click(TComponent*) {
    // "Change Font..." is a command, not a mode: it chooses the Text tool's
    // font and the foreground colour, and the list goes back to the mode
    // chosen before it.
    if (lstDrawingFont->ItemIndex() == 2) {
        SetFormBusy(this, false);
        try {
            ShortString name(DrawingFont->Name());
            int size = DrawingFont->Size();
            TFontStyles style = DrawingFont->Style();
            TColor color = ForeColor;
            if (ZvShowFont(ShortString("Drawing"), ShortString(), name, size, style, color)) {
                DrawingFont->SetName(name.str());
                DrawingFont->SetSize(size);
                DrawingFont->SetStyle(style);
                ForeColor = color;
                DrawColorBoxes();
            }
        } catch (const std::exception&) {
            ZvDisplayMessage();
        }
        SetFormBusy(this, true);
        lstDrawingFont->SetItemIndex(Tag);
    }
    Tag = lstDrawingFont->ItemIndex();
    clbMain->SetFocus();
}

// A click on the active box chooses its colour; on the other box, makes
// that one active.
void TfrmMain::picColor_MouseDown(TComponent* Sender, TMouseButton Button, WPARAM, int, int) {
    if (Button != mbLeft) return;
    if (Sender->Tag == Drawings[1]) {
        SetFormBusy(this, false);
        // Strokes and selections stay; the magnifier's view goes.
        EndToolActions(false, false);
        const bool back = Drawings[1] == 1;
        ZvShowColor(ShortString(back ? "BackColor" : "ForeColor"), back ? BackColor : ForeColor);
        SetFormBusy(this, true);
    } else {
        Drawings[1] = static_cast<char>(Sender->Tag);
    }
    DrawColorBoxes();
}

void TfrmMain::tmrAirbrush_Timer(TComponent*) {
    TfrmChild* screen = ActiveScreen();
    if (!screen) return;
    std::minstd_rand random(static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count()));
    auto below = [&random](int k) { return k <= 0 ? 0 : static_cast<int>(random() % static_cast<unsigned>(k)); };
    const int row = std::clamp(lstDrawingASize->ItemIndex(), 0, 2);
    static constexpr int kSizes[] = {8, 16, 24};
    const int n = kSizes[row] + 1;
    TCanvas& c = screen->Picture().Canvas();
    for (int i = 0; i < n; ++i) {
        const int dx = below(n) - n / 2;
        const int h = kSpray[row][12 + dx];
        const int dy = below(h) - h / 2;
        c.SetPixel(screen->LastMouse.x + dx, screen->LastMouse.y + dy, ForeColor);
    }
    screen->picMain->Invalidate();
}
