#include "Color.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>

#include "Zelvani.h"
#include "ZvColor.h"

using namespace forms;

namespace {

const TColorForm::TNamedColor kPalette[] = {
    {"Black", 0x000000},        {"Brown", 0x003399},        {"Olive Green", 0x003333},
    {"Dark Green", 0x003300},   {"Dark Teal", 0x663300},    {"Dark Blue", 0x800000},
    {"Indigo", 0x993333},       {"Gray-80%", 0x333333},     {"Dark Red", 0x000080},
    {"Orange", 0x0066FF},       {"Dark Yellow", 0x008080},  {"Green", 0x008000},
    {"Teal", 0x808000},         {"Blue", 0xFF0000},         {"Blue-Gray", 0x996666},
    {"Gray-50%", 0x808080},     {"Red", 0x0000FF},          {"Light Orange", 0x0099FF},
    {"Lime", 0x00CC99},         {"Sea Green", 0x669933},    {"Aqua", 0xCCCC33},
    {"Light Blue", 0xFF6633},   {"Violet", 0x800080},       {"Gray-40%", 0x999999},
    {"Pink", 0xFF00FF},         {"Gold", 0x00CCFF},         {"Yellow", 0x00FFFF},
    {"Bright Green", 0x00FF00}, {"Turquoise", 0xFFFF00},    {"Sky Blue", 0xFFCC00},
    {"Plum", 0x663399},         {"Gray-25%", 0xCFCFCF},     {"Rose", 0xCC99FF},
    {"Tan", 0x99CCFF},          {"Light Yellow", 0x99FFFF}, {"Light Green", 0xCCFFCC},
    {"Light Turquoise", 0xFFFFCC}, {"Pale Blue", 0xFFCC99}, {"Lavender", 0xFF99CC},
    {"White", 0xFFFFFF},
};

// The screen elements and their system colour indexes, as two digits that
// end each item and are never shown.
const char* const kWindowsColors[] = {
    "3D Objects Background15",    "3D Objects Dark Shadow21", "3D Objects Hilight20",
    "3D Objects Light22",         "3D Objects Shadow16",      "3D Objects Text18",
    "Active Title Bar02",         "Active Title Bar 227",     "Active Title Text09",
    "Active Window Border10",     "Application Background12", "Desktop01",
    "Inactive Title Bar03",       "Inactive Title Bar 228",   "Inactive Title Text19",
    "Inactive Window Border11",   "Menu Background04",        "Menu Text07",
    "Scroll Bar00",               "Selected Item Background13", "Selected Item Text14",
    "ToolTip Background24",       "ToolTip Text23",           "Window Background05",
    "Window Text08",
};

// The system colour of a list item.
TColor ItemColor(const std::string& Item) { return clSystemColor | std::stoi(Item.substr(Item.size() - 2)); }

// The systems whose captions run in two colours have the second colours of
// the title bars.
bool GradientCaptions() {
    ShortString code;
    ZvOSVersion(0, code);
    const std::string s = code.str();
    return s == "12" || s == "13" || s == "22";
}

// "Active Title Bar 2" and "Inactive Title Bar 2".
bool IsSecondTitleColor(const std::string& Item) {
    const std::string name = Item.substr(0, Item.size() - 2);
    return name.size() > 2 && name.compare(name.size() - 2, 2, " 2") == 0;
}

int Round(double X) { return static_cast<int>(std::lrint(X)); }

// A new empty picture of the image's size to draw on; the ground is the
// colour that shows through a transparent image.
TCanvas& BlankPicture(TImage* Image, TColor Ground) {
    TBitmap& b = Image->Picture.Bitmap();
    b.SetSize(Image->Width(), Image->Height());
    TCanvas& c = b.Canvas();
    c.Brush.SetColor(Ground);
    c.FillRect(RECT{0, 0, Image->Width(), Image->Height()});
    return c;
}

// Draws a bitmap from the colour library onto the image and frees it.
void ShowBitmap(TImage* Image, TBitmap* Drawn) {
    std::unique_ptr<TBitmap> bitmap(Drawn);
    TBitmap& b = Image->Picture.Bitmap();
    b.SetSize(Image->Width(), Image->Height());
    if (bitmap) b.Canvas().Draw(0, 0, *bitmap);
    Image->Picture.Changed();
}

template <class F>
TMouseEvent Mouse(F* Form, void (F::*Method)(TComponent*, TMouseButton, WPARAM, int, int)) {
    return [Form, Method](TComponent* s, TMouseButton b, WPARAM k, int x, int y) { (Form->*Method)(s, b, k, x, y); };
}

}  // namespace

TfrmColor::TfrmColor(TComponent* AOwner) : TColorForm(AOwner) {
    Describe({.Name = "frmColor", .Caption = "Colors", .ClientWidth = 341, .ClientHeight = 334,
              .BorderStyle = bsDialog, .BorderIcons = biSystemMenu, .Position = poScreenCenter,
              .FontName = "MS Sans Serif", .FontSize = 8, .OnShow = Handler(&TfrmColor::Form_Show)});
    AddStandardPage(288);
    AddPalette(kPalette, 40);
    Add(lblStandardWinColor, {.Name = "lblStandardWinColor", .Parent = tabStandard, .Left = 8, .Top = 154,
                              .Caption = "&Windows color:"});
    Add(cboStandardWinColor, {.Name = "cboStandardWinColor", .Parent = tabStandard, .Left = 8, .Top = 170,
                              .Width = 200, .Height = 22, .Hint = "Lists the screen elements for which you can select",
                              .OnChange = Handler(&TfrmColor::cboStandardWinColor_Click)},
        [this](TComboBox& list) {
            list.ItemHeight = 16;
            list.DropDownCount = 10;
            const bool gradient = GradientCaptions();
            for (const char* item : kWindowsColors)
                if (gradient || !IsSecondTitleColor(item)) list.Add(item);
            list.OnDrawItem = [this](TWinControl* s, TCanvas& c, int i, const RECT& r, UINT st) {
                cboStandardWinColor_DrawItem(s, c, i, r, st);
            };
        });
    lblStandardWinColor->FocusControl = cboStandardWinColor;

    Add(tabCustom, {.Name = "tabCustom", .Parent = pgcMain, .Caption = "Custom"});
    Add(panCustomHSV, {.Name = "panCustomHSV", .Parent = tabCustom, .Left = 8, .Top = 20, .Width = 153, .Height = 153,
                       .BevelOuter = bvLowered});
    Add(picCustomHSV, {.Name = "picCustomHSV", .Parent = panCustomHSV, .Left = 3, .Top = 3, .Width = 147,
                       .Height = 147});
    Add(picCustomPos, {.Name = "picCustomPos", .Parent = panCustomHSV, .Width = 19, .Height = 19},
        [](TImage& i) { i.SetTransparent(true); });
    Add(panCustomValue, {.Name = "panCustomValue", .Parent = tabCustom, .Left = 167, .Top = 20, .Width = 25,
                         .Height = 153, .BevelOuter = bvLowered});
    Add(picCustomValue, {.Name = "picCustomValue", .Parent = panCustomValue, .Left = 3, .Top = 3, .Width = 19,
                         .Height = 147});
    Add(picCustomArea3, {.Name = "picCustomArea3", .Parent = tabCustom, .Left = 194, .Top = 23, .Width = 5,
                         .Height = 147});
    Add(picCustomTri3, {.Name = "picCustomTri3", .Parent = tabCustom, .Left = 194, .Top = 19, .Width = 5, .Height = 9},
        [](TImage& i) { i.SetTransparent(true); });
    Add(lblCustomModel, {.Name = "lblCustomModel", .Parent = tabCustom, .Left = 8, .Top = 182, .Caption = "&Model:"});
    Add(cboCustomModel, {.Name = "cboCustomModel", .Parent = tabCustom, .Left = 48, .Top = 178, .Width = 65,
                         .Height = 22, .OnChange = Handler(&TfrmColor::cboCustomModel_Click)},
        [this](TComboBox& list) {
            list.DropDownCount = 2;
            list.Add("Sat");
            list.Add("Value");
            list.OnDrawItem = [this](TWinControl* s, TCanvas& c, int i, const RECT& r, UINT st) {
                cboCustomModel_DrawItem(s, c, i, r, st);
            };
        });
    lblCustomModel->FocusControl = cboCustomModel;
    AddNumberFields(tabCustom, 206);
    AddSwatchAndButtons(302);
    Add(fraScreenColor, {.Name = "fraScreenColor", .Left = 248, .Top = 150, .Width = 61, .Height = 60,
                         .Caption = " Screen color ", .Visible = false});
    Add(chkHideWindow, {.Name = "chkHideWindow", .Parent = fraScreenColor, .Left = 6, .Top = 18, .Width = 50,
                        .Height = 17, .Caption = "&Hide window"});

    picCustomHSV->OnMouseDown = Mouse(this, &TfrmColor::picCustomHSV_MouseDown);
    picCustomHSV->OnMouseMove = Mouse(this, &TfrmColor::picCustomHSV_MouseMove);
    picCustomHSV->OnMouseUp = Mouse(this, &TfrmColor::picCustomHSV_MouseUp);
    picCustomPos->OnMouseDown = Mouse(this, &TfrmColor::picCustomPos_MouseDown);
    picCustomPos->OnMouseMove = Mouse(this, &TfrmColor::picCustomPos_MouseMove);
    picCustomPos->OnMouseUp = Mouse(this, &TfrmColor::picCustomPos_MouseUp);
    for (TImage* bar : {picCustomValue, picCustomArea3}) {
        bar->OnMouseDown = Mouse(this, &TfrmColor::picCustomValue_MouseDown);
        bar->OnMouseMove = Mouse(this, &TfrmColor::picCustomValue_MouseMove);
        bar->OnMouseUp = Mouse(this, &TfrmColor::picCustomValue_MouseUp);
    }
    picCustomTri3->OnMouseDown = Mouse(this, &TfrmColor::picCustomTri3_MouseDown);
    picCustomTri3->OnMouseMove = Mouse(this, &TfrmColor::picCustomTri3_MouseMove);
    picCustomTri3->OnMouseUp = Mouse(this, &TfrmColor::picCustomTri3_MouseUp);
    EndDescription();
}

// A drag the dialog is closed in the middle of leaves the mouse free.
TfrmColor::~TfrmColor() { ZvClipControl(nullptr); }

void TfrmColor::Form_Show(TComponent*) {
    ApplyLook();
    DrawMarker();
    DrawTriangle();
    NewColor = CurrentColor;
    cboStandardWinColor->SetItemIndex(-1);
    cboCustomModel_Click(nullptr);
    pgcMain->SetActivePage(tabStandard);
    txtStandardColor->SetFocus();
}

// ---- pictures --------------------------------------------------------------

void TfrmColor::DrawWheel() {
    ShowBitmap(picCustomHSV, ZvDrawHSVCircle(SatModel, picCustomHSV->Width(), 255, clBtnFace));
}

// A cross-hair open in the middle, in the window text colour.
void TfrmColor::DrawMarker() {
    TCanvas& c = BlankPicture(picCustomPos, static_cast<TColor>(ColorToRGB(clWindowText) ^ 0xFFFFFF));
    c.Pen.SetColor(clWindowText);
    c.Brush.SetColor(clWindowText);
    c.Rectangle(8, 0, 11, 5);
    c.Rectangle(8, 14, 11, 19);
    c.Rectangle(0, 8, 5, 11);
    c.Rectangle(14, 8, 19, 11);
    picCustomPos->Picture.Changed();
}

// A triangle pointing left at the bar.
void TfrmColor::DrawTriangle() {
    TCanvas& c = BlankPicture(picCustomTri3, static_cast<TColor>(ColorToRGB(clWindowText) ^ 0xFFFFFF));
    c.Pen.SetColor(clWindowText);
    c.Brush.SetColor(clWindowText);
    const POINT corners[] = {{0, 4}, {4, 0}, {4, 8}};
    Polygon(c.Handle(), corners, 3);
    picCustomTri3->Picture.Changed();
}

void TfrmColor::ShowColorPictures() {
    const POINT p = ZvGetHSVPoint(picCustomHSV->Width(), H, SatModel ? V : S);
    picCustomPos->SetBounds(p.x - 6, p.y - 6, picCustomPos->Width(), picCustomPos->Height());
    int r = 0, g = 0, b = 0;
    TColor top, bottom = clBlack;
    if (SatModel) {
        ZvHSVRGB(H, 255, V, r, g, b);
        top = static_cast<TColor>(RGB(r, g, b));
        ZvHSVRGB(H, 0, V, r, g, b);
        bottom = static_cast<TColor>(RGB(r, g, b));
    } else {
        ZvHSVRGB(H, S, 255, r, g, b);
        top = static_cast<TColor>(RGB(r, g, b));
    }
    ShowBitmap(picCustomValue, ZvDrawBrightRect(picCustomValue->Width(), picCustomValue->Height(), top, bottom));
    // The triangle's tip points at the bar's row of the value, 255 at the top.
    const int h = picCustomValue->Height();
    const int v = SatModel ? S : V;
    picCustomTri3->SetBounds(picCustomTri3->Left(), (h - 1) - Round(v / 255.0 * (h - 1)) + 19, picCustomTri3->Width(),
                             picCustomTri3->Height());
}

void TfrmColor::SystemColorsChanged() {
    DrawWheel();
    DrawMarker();
    DrawTriangle();
}

// ---- the Standard page -----------------------------------------------------

void TfrmColor::ForgetSystemColor() { cboStandardWinColor->SetItemIndex(-1); }

void TfrmColor::cboStandardWinColor_Click(TComponent*) {
    const int index = cboStandardWinColor->ItemIndex();
    if (index < 0) return;
    const COLORREF shown = ColorToRGB(ItemColor(cboStandardWinColor->Items()[static_cast<size_t>(index)]));
    R = GetRValue(shown);
    G = GetGValue(shown);
    B = GetBValue(shown);
    UpdateColor(FromRGB);
}

void TfrmColor::cboStandardWinColor_DrawItem(TWinControl*, TCanvas& Canvas, int Index, const RECT& Rect, UINT) {
    if (Index < 0) return;
    const std::string& item = cboStandardWinColor->Items()[static_cast<size_t>(Index)];
    const TColor pen = Canvas.Pen.Color(), brush = Canvas.Brush.Color();
    Canvas.Pen.SetColor(clBlack);
    Canvas.Brush.SetColor(ItemColor(item));
    Canvas.Rectangle(Rect.left + 1, Rect.top + 1, Rect.left + 16, Rect.top + 15);
    Canvas.Pen.SetColor(pen);
    Canvas.Brush.SetColor(brush);
    Canvas.TextOut(Rect.left + 19, Rect.top + 1, item.substr(0, item.size() - 2));
}

// ---- the Custom page -------------------------------------------------------

void TfrmColor::cboCustomModel_Click(TComponent*) {
    SatModel = cboCustomModel->ItemIndex() == 0;
    DrawWheel();
    UpdateColor(FromColor);
}

void TfrmColor::cboCustomModel_DrawItem(TWinControl*, TCanvas& Canvas, int Index, const RECT& Rect, UINT) {
    if (Index >= 0) Canvas.TextOut(Rect.left + 2, Rect.top + 1, cboCustomModel->Items()[static_cast<size_t>(Index)]);
}

// The hue grows counter-clockwise from the right; the distance from the
// centre is the radial value, 255 at the rim and beyond it.
void TfrmColor::WheelAt(int X, int Y) {
    const int c = picCustomHSV->Height() / 2;
    const int dx = X - c, dy = c - Y;
    int hue = Round(std::atan2(static_cast<double>(dy), static_cast<double>(dx)) * 180 / 3.14159265358979323846 + 360);
    if (hue < 0)
        hue += 360;
    else if (hue > 360)
        hue -= 360;
    // Hue 360 is red as 0 is, but the hue field stops at 359.
    H = hue % 360;
    const int r = Round(std::sqrt(static_cast<double>(dx) * dx + static_cast<double>(dy) * dy));
    (SatModel ? V : S) = r >= c ? 255 : MulDiv(r, 255, c);
    UpdateColor(FromHSV);
}

void TfrmColor::picCustomHSV_MouseDown(TComponent*, TMouseButton Button, WPARAM, int X, int Y) {
    if (Button != mbLeft) return;
    cboStandardWinColor->SetItemIndex(-1);
    picCustomHSV->Tag = 1;
    ZvClipControl(picCustomHSV);
    WheelAt(X, Y);
}

void TfrmColor::picCustomHSV_MouseMove(TComponent*, TMouseButton, WPARAM, int X, int Y) {
    if (picCustomHSV->Tag == 1) WheelAt(X, Y);
}

void TfrmColor::picCustomHSV_MouseUp(TComponent*, TMouseButton Button, WPARAM, int X, int Y) {
    if (picCustomHSV->Tag != 1) return;
    if (Button == mbLeft) WheelAt(X, Y);
    picCustomHSV->Tag = 0;
    ZvClipControl(nullptr);
}

// The marker passes its mouse on to the wheel below it.
void TfrmColor::picCustomPos_MouseDown(TComponent* Sender, TMouseButton Button, WPARAM Keys, int X, int Y) {
    picCustomHSV_MouseDown(Sender, Button, Keys, X + picCustomPos->Left() - 3, Y + picCustomPos->Top() - 3);
}

void TfrmColor::picCustomPos_MouseMove(TComponent* Sender, TMouseButton Button, WPARAM Keys, int X, int Y) {
    picCustomHSV_MouseMove(Sender, Button, Keys, X + picCustomPos->Left() - 3, Y + picCustomPos->Top() - 3);
}

void TfrmColor::picCustomPos_MouseUp(TComponent* Sender, TMouseButton Button, WPARAM Keys, int X, int Y) {
    picCustomHSV_MouseUp(Sender, Button, Keys, X + picCustomPos->Left() - 3, Y + picCustomPos->Top() - 3);
}

// 255 at the top row down to 0 at the bottom one; rows dragged past either
// end count as that end.
void TfrmColor::BarAt(TImage* Bar, int Y) {
    const int v = 255 - Round(static_cast<double>(Y) / (Bar->Height() - 1) * 255);
    (SatModel ? S : V) = std::clamp(v, 0, 255);
    UpdateColor(FromHSV);
    cboStandardWinColor->SetItemIndex(-1);
}

void TfrmColor::picCustomValue_MouseDown(TComponent* Sender, TMouseButton Button, WPARAM, int, int Y) {
    if (Button != mbLeft) return;
    auto* bar = static_cast<TImage*>(Sender);
    bar->Tag = 1;
    ZvClipControl(bar);
    BarAt(bar, Y);
}

void TfrmColor::picCustomValue_MouseMove(TComponent* Sender, TMouseButton, WPARAM, int, int Y) {
    auto* bar = static_cast<TImage*>(Sender);
    if (bar->Tag == 1) BarAt(bar, Y);
}

void TfrmColor::picCustomValue_MouseUp(TComponent* Sender, TMouseButton, WPARAM, int, int Y) {
    auto* bar = static_cast<TImage*>(Sender);
    if (bar->Tag != 1) return;
    BarAt(bar, Y);
    bar->Tag = 0;
    ZvClipControl(nullptr);
}

int TfrmColor::StripRow(int TriangleY) const { return TriangleY + picCustomTri3->Top() - picCustomArea3->Top(); }

// The triangle takes the mouse to the strip's row it points at and drags
// the strip from there.
void TfrmColor::picCustomTri3_MouseDown(TComponent*, TMouseButton Button, WPARAM Keys, int X, int Y) {
    if (Button != mbLeft) return;
    const int row = std::clamp(StripRow(Y), 0, picCustomArea3->Height() - 1);
    POINT p = {X + picCustomTri3->Left() - picCustomArea3->Left(), row};
    ClientToScreen(picCustomArea3->Handle(), &p);
    SetCursorPos(p.x, p.y);
    picCustomValue_MouseDown(picCustomArea3, Button, Keys, X, row);
}

void TfrmColor::picCustomTri3_MouseMove(TComponent*, TMouseButton Button, WPARAM Keys, int X, int Y) {
    picCustomValue_MouseMove(picCustomArea3, Button, Keys, X, StripRow(Y));
}

void TfrmColor::picCustomTri3_MouseUp(TComponent*, TMouseButton Button, WPARAM Keys, int X, int Y) {
    picCustomValue_MouseUp(picCustomArea3, Button, Keys, X, StripRow(Y));
}
