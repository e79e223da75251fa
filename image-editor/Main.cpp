#include "Main.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>

#include "BarLayout.h"
#include "CaptureExecution.h"
#include "CatalogFunc.h"
#include "Child.h"
#include "Common.h"
#include "CommandStates.h"
#include "Images.h"
#include "MenuItemDrawing.h"
#include "NewHintWindow.h"
#include "RegData.h"
#include "Startup.h"
#include "Zelvani.h"
#include "ZvColor.h"

using namespace forms;

TfrmMain* frmMain = nullptr;
UINT ActivateMsg = 0;
int MaxScreens = 0;
TColor ForeColor = clBlack, BackColor = clWhite;
TToolButton* ToolButtons[12];
TBitmap* CapturedBitmap = nullptr;

namespace {

WNDPROC OldWindowProc = nullptr;

// A colour from three bytes of a record, and back.
TColor ColorAt(const std::string& Record, size_t Index) {
    const auto* p = reinterpret_cast<const unsigned char*>(Record.data()) + Index;
    return static_cast<TColor>(RGB(p[0], p[1], p[2]));
}
void StoreColor(std::string& Record, size_t Index, TColor Color) {
    Record[Index] = static_cast<char>(ZvRed(Color));
    Record[Index + 1] = static_cast<char>(ZvGreen(Color));
    Record[Index + 2] = static_cast<char>(ZvBlue(Color));
}

// The cursor slots of the drawing tools 1 to 12 and of the floating
// selection (13), and the cursor resource of each.
constexpr const char* kCursorResources[] = {"Cross", "Pencil",   "Eraser", "Text",  "Picker", "Fill", "Airbrush",
                                            "Cross", "Cross",    "Cross",  "Cross", "Cross",  "Move"};

// The drawing tools: name, hint and picture of each, by tool number minus 1.
constexpr const char* kTools[][2] = {
    {"tlnSelector", "Selector"}, {"tlnPencil", "Pencil"}, {"tlnEraser", "Eraser"},
    {"tlnText", "Text"},         {"tlnPicker", "Picker"}, {"tlnFill", "Fill"},
    {"tlnAirbrush", "Airbrush"}, {"tlnLine", "Line"},     {"tlnCurve", "Curve"},
    {"tlnRectangle", "Rectangle"}, {"tlnRRectangle", "Rounded Rectangle"}, {"tlnEllipse", "Ellipse"}};

// The colour buttons: name, hint and colour; the last two are commands.
struct PaletteColor {
    const char* Name;
    const char* Hint;
    TColor Color;
};
constexpr TColor kDefaultColors = 16777217, kSwapColors = 16777218;
constexpr PaletteColor kPalette[] = {
    {"tlnColorBlack", "Black", 0},           {"tlnColorWhite", "White", 16777215},
    {"tlnColorGray50", "Gray-50%", 8421504}, {"tlnColorGray25", "Gray-25%", 12632256},
    {"tlnColorDarkRed", "Dark Red", 128},    {"tlnColorRed", "Red", 255},
    {"tlnColorDarkYellow", "Dark Yellow", 32896}, {"tlnColorYellow", "Yellow", 65535},
    {"tlnColorGreen", "Green", 32768},       {"tlnColorBrightGreen", "Bright Green", 65280},
    {"tlnColorTeal", "Teal", 8421376},       {"tlnColorTurquoise", "Turquoise", 16776960},
    {"tlnColorDarkBlue", "Dark Blue", 8388608}, {"tlnColorBlue", "Blue", 16711680},
    {"tlnColorViolet", "Violet", 8388736},   {"tlnColorPink", "Pink", 16711935},
    {"tlnColorDefault", "Default Colors", kDefaultColors}, {"tlnColorChange", "Change Colors", kSwapColors}};

// The picture beside a quick-capture item, -1 for none.
int QuickCaptureImage(int List, int Index) {
    static const int kWhen[] = {-1, Images::TimeDelay, Images::KeyPressed, -1};
    static const int kCapture[] = {-1, -1, -1, Images::MouseCursor};
    static const int kThen[] = {-1, Images::Catalog, -1, Images::Copy, Images::Print, Images::Save};
    if (Index < 0) return -1;
    switch (List) {
    case 1: return Index < 4 ? kWhen[Index] : -1;
    case 2: return Index < 4 ? kCapture[Index] : -1;
    case 3: return Index < 6 ? kThen[Index] : -1;
    default: return -1;
    }
}

// A second instance broadcasts ActivateMsg before it ends: this one comes
// back from the task bar and to the front.
LRESULT CALLBACK MainWindowProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
    if (Msg == WM_HOTKEY) {
        SafeCall([] { frmMain->WMHotKey(); });
        return 0;
    }
    if (Msg == WM_CAPTUREICON) {
        SafeCall([&] { CaptureIconClicked(LParam); });
        return 0;
    }
    if (Msg == WM_DROPFILES) {
        SafeCall([&] { frmMain->WMDropFiles(reinterpret_cast<HDROP>(WParam)); });
        return 0;
    }
    if (Msg == WM_QUERYENDSESSION) {
        bool mayEnd = false;
        SafeCall([&] { mayEnd = frmMain->WMQueryEndSession(); });
        return mayEnd;
    }
    if (Msg == WM_ENDSESSION) {
        SafeCall([&] { frmMain->WMEndSession(WParam != FALSE); });
        return 0;
    }
    if (Msg == ActivateMsg && ActivateMsg != 0) {
        SafeCall([] { BringMainWindowToFront(); });
        return 0;
    }
    return CallWindowProcA(OldWindowProc, Wnd, Msg, WParam, LParam);
}

// An image control showing one picture of a list on the face colour; an
// Index of -1 leaves it empty.
void ShowListImage(TImage* Image, TImageList* List, int Index) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetSize(Image->Width(), Image->Height());
    bitmap->Canvas().Brush.SetColor(clBtnFace);
    bitmap->Canvas().FillRect(RECT{0, 0, Image->Width(), Image->Height()});
    List->Draw(bitmap->Canvas(), 0, 0, Index, true);
    Image->Picture.SetGraphic(std::move(bitmap));
}

// A new bitmap of an image control's size for it to show.
TBitmap& OwnBitmap(TImage* Image) {
    auto* bitmap = dynamic_cast<TBitmap*>(Image->Picture.Graphic());
    if (!bitmap || bitmap->Width() != Image->Width() || bitmap->Height() != Image->Height()) {
        auto made = std::make_unique<TBitmap>();
        made->SetSize(Image->Width(), Image->Height());
        bitmap = made.get();
        Image->Picture.SetGraphic(std::move(made));
    }
    return *bitmap;
}

// The pictures of the colour buttons: a swatch of each colour, then the
// two command pictures.
TImageList* PaletteImages(TComponent* Owner, TImageList* Images) {
    auto* list = new TImageList(Owner);
    list->SetName("imlColors");
    for (const PaletteColor& c : kPalette) {
        auto b = std::make_unique<TBitmap>();
        b->SetSize(16, 16);
        TCanvas& canvas = b->Canvas();
        // A ground that no swatch has, so that Pink stays.
        canvas.Brush.SetColor(0xFE00FF);
        canvas.FillRect(RECT{0, 0, 16, 16});
        if (c.Color == kDefaultColors || c.Color == kSwapColors) {
            Images->Draw(canvas, 0, 0, c.Color == kDefaultColors ? Images::DefaultColors : Images::SwapColors, true);
        } else {
            canvas.Pen.SetColor(0x404040);
            canvas.Brush.SetColor(c.Color);
            canvas.Rectangle(1, 1, 15, 15);
        }
        list->Add(std::move(b));
    }
    return list;
}

// The icons of an armed capture: the capture picture, then the seconds
// 1 to 9 of a delay in white on red.
TImageList* TrayImages(TComponent* Owner, TImageList* Images) {
    auto* list = new TImageList(Owner);
    list->SetName("imlTrayIcons");
    for (int i = 0; i <= 9; ++i) {
        auto b = std::make_unique<TBitmap>();
        b->SetSize(16, 16);
        TCanvas& c = b->Canvas();
        c.Brush.SetColor(0xFF00FF);
        c.FillRect(RECT{0, 0, 16, 16});
        if (i == 0) {
            Images->Draw(c, 0, 0, Images::CaptureNow, true);
        } else {
            c.Pen.SetColor(0x000080);
            c.Brush.SetColor(0x0000FF);
            c.Ellipse(0, 0, 16, 16);
            c.Font.SetName("Arial");
            c.Font.SetHeight(-12);
            c.Font.SetStyle(1);
            c.Font.SetColor(clWhite);
            c.Brush.SetClear(true);
            const std::string digit = std::to_string(i);
            const SIZE size = c.TextExtent(digit);
            c.TextOut((16 - size.cx) / 2, (16 - size.cy) / 2, digit);
        }
        list->Add(std::move(b));
    }
    return list;
}

}  // namespace

TfrmMain::TfrmMain(TComponent* AOwner) : TForm(AOwner) {
    Describe({.Name = "frmMain", .Caption = ProgramTitle, .Left = 40, .Top = 30, .ClientWidth = 760,
              .ClientHeight = 540, .BorderStyle = bsSizeable, .FormStyle = fsMDIForm, .Enabled = false,
              .KeyPreview = true, .ShowHint = true, .MinWidth = 300, .MinHeight = 250,
              .OnCreate = Handler(&TfrmMain::Form_Create), .OnActivate = Handler(&TfrmMain::Form_Activate),
              .OnDestroy = Handler(&TfrmMain::Form_Destroy),
              .OnCloseQuery = [this](TComponent* s, bool& c) { Form_CloseQuery(s, c); },
              .OnKeyPress = [this](TComponent* s, char& k) { Form_KeyPress(s, k); }});
    imlImages = LoadImageList(this, "imlImages", "IMAGES", 16);
    imlChild = LoadImageList(this, "imlChild", "CHILD", 16);
    imlDrawingTools = LoadImageList(this, "imlDrawingTools", "TOOLS", 16);
    imlCommon = LoadImageList(this, "imlCommon", "COMMON", 32);
    imlColors = PaletteImages(this, imlImages);
    imlTrayIcons = TrayImages(this, imlImages);
    BuildMenus();
    BuildMainBar();
    BuildStatusBar();
    BuildDrawingBar();

    tmrMain = new TTimer(this);
    tmrMain->SetName("tmrMain");
    tmrMain->SetInterval(200);
    tmrMain->OnTimer = Handler(&TfrmMain::tmrMain_Timer);
    tmrComboBox = new TTimer(this);
    tmrComboBox->SetName("tmrComboBox");
    tmrComboBox->SetEnabled(false);
    tmrComboBox->SetInterval(50);
    tmrComboBox->OnTimer = Handler(&TfrmMain::tmrComboBox_Timer);
    tmrCapture = new TTimer(this);
    tmrCapture->SetName("tmrCapture");
    tmrCapture->SetEnabled(false);
    tmrCapture->OnTimer = Handler(&TfrmMain::tmrCapture_Timer);
    tmrAirbrush = new TTimer(this);
    tmrAirbrush->SetName("tmrAirbrush");
    tmrAirbrush->SetEnabled(false);
    tmrAirbrush->SetInterval(10);
    tmrAirbrush->OnTimer = Handler(&TfrmMain::tmrAirbrush_Timer);
    EndDescription();
}

TToolButton* TfrmMain::AddButton(TToolBar* Bar, TToolButton*& Member, const char* Name, int Image, const char* Hint,
                                 TToolButtonStyle Style) {
    Member = new TToolButton(this);
    Member->SetName(Name);
    Member->ImageIndex = Image;
    Member->Style = Style;
    // A button of a menu command runs it and shows its status hint too.
    const std::string tip = Hint;
    const size_t bar = tip.find('|');
    if (bar != std::string::npos) {
        const TMenuItem* item = MenuItem(tip.substr(bar + 1));
        Member->Hint = tip.substr(0, bar) + "|" + item->Hint;
        Member->OnClick = item->OnClick;
    } else {
        Member->Hint = tip;
    }
    Bar->Add(Member);
    return Member;
}

void TfrmMain::AddSeparator(TToolBar* Bar, TControl* Control) {
    auto* separator = new TToolButton(this);
    separator->Style = tbsSeparator;
    separator->Control = Control;
    Bar->Add(separator);
}

void TfrmMain::BuildMainBar() {
    Add(clbMain, {.Name = "clbMain", .Height = 26, .Align = alTop}, [](TCoolBar& c) { c.ShowText = false; });
    clbMain->PopupMenu = mnuPToolbar;

    Add(tlbStandard, {.Name = "tlbStandard", .Parent = clbMain, .Width = 440, .Height = 22});
    tlbStandard->Images = imlImages;
    AddButton(tlbStandard, tlnNew, "tlnNew", Images::New, "New|mnuFileNew");
    AddButton(tlbStandard, tlnOpen, "tlnOpen", Images::Open, "Open|mnuFileOpen");
    AddButton(tlbStandard, tlnSave, "tlnSave", Images::Save, "Save|mnuFileSave")->Tag = 1;
    AddSeparator(tlbStandard);
    AddButton(tlbStandard, tlnCut, "tlnCut", Images::Cut, "Cut|mnuEditCut");
    AddButton(tlbStandard, tlnCopy, "tlnCopy", Images::Copy, "Copy|mnuEditCopy");
    AddButton(tlbStandard, tlnPaste, "tlnPaste", Images::Paste, "Paste|mnuEditPaste");
    AddSeparator(tlbStandard);
    AddButton(tlbStandard, tlnUndo, "tlnUndo", Images::Undo, "Undo|mnuEditUndo");
    AddButton(tlbStandard, tlnRedo, "tlnRedo", Images::Redo, "Redo|mnuEditRedo");
    AddSeparator(tlbStandard);
    AddButton(tlbStandard, tlnCrop, "tlnCrop", Images::Crop, "Crop|mnuImageCrop");
    AddButton(tlbStandard, tlnRotate, "tlnRotate", Images::FlipRotate, "Flip / Rotate|mnuImageFlip", tbsDropDown)->Tag = 1;
    tlnRotate->DropdownMenu = mnuPRotate;
    tlnRotate->OnClick = Handler(&TfrmMain::mnuImageFlip_Click);
    AddButton(tlbStandard, tlnResize, "tlnResize", Images::Resize, "Resize|mnuImageResize");
    AddButton(tlbStandard, tlnBrightness, "tlnBrightness", Images::Brightness, "Brightness|mnuImageBrightness");
    AddSeparator(tlbStandard);
    AddButton(tlbStandard, tlnHelp, "tlnHelp", Images::HelpTopics, "Help Topics|mnuHelpTopics");
    for (TToolButton* b : {tlnSave, tlnCut, tlnCopy, tlnPaste, tlnUndo, tlnRedo, tlnCrop, tlnRotate, tlnResize,
                           tlnBrightness})
        b->SetEnabled(false);

    Add(tlbCapture, {.Name = "tlbCapture", .Parent = clbMain, .Width = 140, .Height = 22});
    tlbCapture->Images = imlImages;
    AddButton(tlbCapture, tlnCatalogBrowser, "tlnCatalogBrowser", Images::Catalog, "Catalog Browser|mnuCaptureCatalog");
    AddButton(tlbCapture, tlnTheme, "tlnTheme", Images::Theme, "Theme|mnuCaptureTheme", tbsDropDown);
    tlnTheme->DropdownMenu = mnuPTheme;
    tlnTheme->OnClick = Handler(&TfrmMain::mnuCaptureThemeList_Click);
    AddButton(tlbCapture, tlnScreenCapture, "tlnScreenCapture", Images::ScreenCapture,
              "Screen Capture|mnuCaptureCapture");
    AddButton(tlbCapture, tlnPreviousScreen, "tlnPreviousScreen", Images::PreviousScreen,
              "Previous Screen|mnuCapturePrevious")
        ->SetEnabled(false);
    AddButton(tlbCapture, tlnCaptureNow1, "tlnCaptureNow1", Images::CaptureNow, "Capture Now|mnuCaptureNow");

    Add(tlbQuickCapture, {.Name = "tlbQuickCapture", .Parent = clbMain, .Width = 540, .Height = 22});
    tlbQuickCapture->Images = imlImages;
    struct QuickList {
        TPanel*& Panel;
        TLabel*& Label;
        TComboBox*& Combo;
        TToolButton*& Properties;
        const char* Name;  // after the kind's prefix
        const char* Caption;
        const char* Hint;
        const std::vector<std::string>& Items;
        int Width;
    };
    const QuickList lists[] = {
        {panWhen, lblWhen, cboWhen, tlnWhenProperties, "When", "When:", "When will capture", kWhenItems, 110},
        {panCapture, lblCapture, cboCapture, tlnCaptureProperties, "Capture", "Capture:", "Capture what",
         kCaptureItems, 110},
        {panThen, lblThen, cboThen, tlnThenProperties, "Then", "Then:", "After capturing", kThenItems, 150}};
    int tag = 0;
    for (const QuickList& q : lists) {
        const std::string name = q.Name;
        ++tag;
        Add(q.Panel, {.Name = "pan" + name, .Parent = tlbQuickCapture, .Width = 160, .Height = 22, .BevelOuter = bvNone});
        Add(q.Label, {.Name = "lbl" + name, .Parent = q.Panel, .Left = 2, .Top = 4, .Caption = q.Caption});
        Add(q.Combo,
            {.Name = "cbo" + name, .Parent = q.Panel, .Left = 40, .Top = 0, .Width = q.Width, .Hint = q.Hint, .Tag = tag,
             .TabStop = false, .OnEnter = Handler(&TfrmMain::cboToolbar_Enter)},
            [&](TComboBox& c) {
                c.ItemHeight = 16;
                c.SetItems(q.Items);
                c.OnDrawItem = [this](TWinControl* s, TCanvas& cv, int i, const RECT& r, UINT st) {
                    cboToolbar_DrawItem(s, cv, i, r, st);
                };
            });
        AddSeparator(tlbQuickCapture, q.Panel);
        AddButton(tlbQuickCapture, q.Properties, ("tln" + name + "Properties").c_str(), Images::Properties,
                  "Properties")
            ->Tag = tag;
        q.Properties->OnClick = Handler(&TfrmMain::tlnProperties_Click);
        q.Properties->SetEnabled(false);
    }
    AddSeparator(tlbQuickCapture);
    AddButton(tlbQuickCapture, tlnCaptureNow2, "tlnCaptureNow2", Images::CaptureNow, "Capture Now|mnuCaptureNow");

    clbMain->AddBand({.Text = "0", .Control = tlbStandard, .Width = 444, .Break = true, .Visible = false});
    clbMain->AddBand({.Text = "1", .Control = tlbCapture, .Width = 96, .Visible = false});
    clbMain->AddBand({.Text = "2", .Control = tlbQuickCapture, .Width = 542, .Break = true, .Visible = false});
}

void TfrmMain::BuildDrawingBar() {
    Add(clbDrawings, {.Name = "clbDrawings", .Width = 96, .Align = alRight}, [](TCoolBar& c) {
        c.Vertical = true;
        c.ShowText = false;
    });
    clbDrawings->PopupMenu = mnuPToolbar;
    clbDrawings->OnMouseDown = [this](TComponent* s, TMouseButton b, WPARAM k, int x, int y) {
        clbDrawings_MouseDown(s, b, k, x, y);
    };
    clbDrawings->OnMouseMove = [this](TComponent* s, TMouseButton b, WPARAM k, int x, int y) {
        clbDrawings_MouseMove(s, b, k, x, y);
    };
    clbDrawings->OnMouseUp = [this](TComponent* s, TMouseButton b, WPARAM k, int x, int y) {
        clbDrawings_MouseUp(s, b, k, x, y);
    };

    // The tools, four to a line, and below them the option list of the
    // current tool.
    Add(panDrawingTools, {.Name = "panDrawingTools", .Parent = clbDrawings, .Width = 90, .Height = 170,
                          .BevelOuter = bvNone});
    Add(tlbDrawingTools, {.Name = "tlbDrawingTools", .Parent = panDrawingTools, .Left = 1, .Top = 2, .Width = 90,
                          .Height = 66},
        [](TToolBar& t) { t.Wrapable = true; });
    tlbDrawingTools->Images = imlDrawingTools;
    tlbDrawingTools->ButtonWidth = 22;
    tlbDrawingTools->ButtonHeight = 22;
    for (int i = 0; i < 12; ++i) {
        AddButton(tlbDrawingTools, ToolButtons[i], kTools[i][0], i, kTools[i][1], tbsGroup)->Tag = i + 1;
        ToolButtons[i]->OnClick = Handler(&TfrmMain::tlnDrawingTool_Click);
        ToolButtons[i]->Wrap = i % 4 == 3;
    }
    struct OptionList {
        TListBox*& List;
        const char* Name;
        const char* Hint;
        std::vector<std::string> Items;
        int ItemHeight;
    };
    const OptionList lists[] = {
        {lstDrawingWidth, "lstDrawingWidth", "Drawing Width", {"1", "2", "4", "7", "10"}, 16},
        {lstDrawingType, "lstDrawingType", "Drawing Type", {"1", "2", "3"}, 26},
        {lstDrawingASize, "lstDrawingASize", "Airbrush Size", {"8", "16", "24"}, 26},
        {lstDrawingESize, "lstDrawingESize", "Eraser Size", {"8", "16", "24"}, 26},
        {lstDrawingFont, "lstDrawingFont", "Font Settings", {"Transparent", "Opaque", "Change Font..."}, 26},
        {lstDummy, "lstDummy", "", {}, 26}};
    for (const OptionList& o : lists)
        Add(o.List,
            {.Name = o.Name, .Parent = panDrawingTools, .Left = 1, .Top = 72, .Width = 88, .Height = 84,
             .Hint = o.Hint, .Visible = false, .Enabled = &o.List != &lstDummy, .TabStop = false,
             .OnClick = Handler(&o.List == &lstDrawingFont ? &TfrmMain::lstDrawingFont_Click : &TfrmMain::lstDrawing_Click),
             .OnDblClick = Handler(&o.List == &lstDrawingFont ? &TfrmMain::lstDrawingFont_Click : &TfrmMain::lstDrawing_Click)},
            [&](TListBox& l) {
                l.ItemHeight = o.ItemHeight;
                l.SetItems(o.Items);
                l.OnDrawItem = [this](TWinControl* s, TCanvas& c, int i, const RECT& r, UINT st) {
                    lstDrawing_DrawItem(s, c, i, r, st);
                };
            });

    // The two drawing colours and the palette.
    Add(panColors, {.Name = "panColors", .Parent = clbDrawings, .Width = 90, .Height = 140, .BevelOuter = bvNone});
    Add(picForeColor, {.Name = "picForeColor", .Parent = panColors, .Left = 3, .Top = 3, .Width = 41, .Height = 24,
                       .Hint = "Foreground Color", .Tag = 0});
    Add(picBackColor, {.Name = "picBackColor", .Parent = panColors, .Left = 46, .Top = 3, .Width = 41, .Height = 24,
                       .Hint = "Background Color", .Tag = 1});
    for (TImage* box : {picForeColor, picBackColor})
        box->OnMouseDown = [this](TComponent* s, TMouseButton b, WPARAM k, int x, int y) { picColor_MouseDown(s, b, k, x, y); };
    Add(tlbColors, {.Name = "tlbColors", .Parent = panColors, .Left = 1, .Top = 30, .Width = 90, .Height = 100},
        [](TToolBar& t) { t.Wrapable = true; });
    tlbColors->Images = imlColors;
    tlbColors->ButtonWidth = 22;
    tlbColors->ButtonHeight = 20;
    int index = 0;
    for (const PaletteColor& c : kPalette) {
        auto* button = new TToolButton(this);
        button->SetName(c.Name);
        button->Hint = c.Hint;
        button->Tag = c.Color;
        button->ImageIndex = index;
        button->Wrap = index % 4 == 3;
        button->OnClick = [this](TComponent* Sender) { tlnColor_Click(Sender); };
        tlbColors->Add(button);
        ++index;
    }

    // The magnifier: its zoom and the view that the screens fill.
    Add(panMagnifier, {.Name = "panMagnifier", .Parent = clbDrawings, .Width = 90, .Height = 124, .BevelOuter = bvNone});
    Add(lblMagnifier, {.Name = "lblMagnifier", .Parent = panMagnifier, .Left = 2, .Top = 6, .Caption = "Zoom:"});
    Add(cboMagnifier, {.Name = "cboMagnifier", .Parent = panMagnifier, .Left = 36, .Top = 2, .Width = 54, .Tag = 4,
                       .TabStop = false, .OnEnter = Handler(&TfrmMain::cboToolbar_Enter)},
        [this](TComboBox& c) {
            c.ItemHeight = 16;
            c.SetItems({"100%", "200%", "400%", "600%", "800%"});
            c.OnDrawItem = [this](TWinControl* s, TCanvas& cv, int i, const RECT& r, UINT st) {
                cboToolbar_DrawItem(s, cv, i, r, st);
            };
        });
    Add(picMagnifierBack, {.Name = "picMagnifierBack", .Parent = panMagnifier, .Left = 0, .Top = 29, .Width = 92,
                           .Height = 92});
    Add(panMagnifierFront, {.Name = "panMagnifierFront", .Parent = panMagnifier, .Left = 1, .Top = 30, .Width = 90,
                            .Height = 90, .Visible = false, .BevelOuter = bvNone});
    Add(picMagnifier, {.Name = "picMagnifier", .Parent = panMagnifierFront, .Width = 90, .Height = 90});
    // The view lies inside the frame drawn behind it; made after it, it
    // would lie below it and never show.
    panMagnifierFront->BringToFront();

    clbDrawings->AddBand({.Text = "0", .Control = panDrawingTools, .Width = 176, .Break = true, .MinHeight = 92,
                          .Visible = false, .ChildEdge = true});
    clbDrawings->AddBand({.Text = "1", .Control = panColors, .Width = 147, .MinHeight = 92, .Visible = false,
                          .ChildEdge = true});
    clbDrawings->AddBand({.Text = "2", .Control = panMagnifier, .Width = 135, .MinHeight = 92, .Visible = false,
                          .ChildEdge = true});
}

void TfrmMain::BuildStatusBar() {
    Add(panStatusBar, {.Name = "panStatusBar", .Height = 20, .Align = alBottom, .BevelOuter = bvNone});
    struct Panel {
        TPanel*& Panel;
        TImage** Image;
        TLabel*& Label;
        const char* Number;
        int Left, Width;
        const char* Hint;
    };
    const Panel panels[] = {{panStatusBar1, &picStatusBar1, lblStatusBar1, "1", 0, 280, "Screen Name"},
                            {panStatusBar2, &picStatusBar2, lblStatusBar2, "2", 280, 150, "Selected Area"},
                            {panStatusBar3, &picStatusBar3, lblStatusBar3, "3", 430, 140, "Current Drawing Tool"},
                            {panStatusBar4, nullptr, lblStatusBar4, "4", 0, 292, ""}};
    for (const Panel& p : panels) {
        const std::string n = p.Number;
        Add(p.Panel, {.Name = "panStatusBar" + n, .Parent = panStatusBar, .Left = p.Left, .Top = 0, .Width = p.Width,
                      .Height = 20, .Hint = p.Hint, .Visible = p.Image != nullptr, .BevelOuter = bvLowered});
        if (p.Image)
            Add(*p.Image, {.Name = "picStatusBar" + n, .Parent = p.Panel, .Left = 2, .Top = 2, .Width = 16,
                           .Height = 16, .Hint = p.Hint});
        Add(p.Label, {.Name = "lblStatusBar" + n, .Parent = p.Panel, .Left = p.Image ? 22 : 4, .Top = 3,
                      .Hint = p.Hint, .ShowAccelChar = false});
    }
    picStatusBar1->Tag = -1;
    // A double click on the first panel opens the window list, on the size
    // the Resize dialog.
    for (TControl* part : std::initializer_list<TControl*>{panStatusBar1, picStatusBar1, lblStatusBar1})
        part->OnDblClick = Handler(&TfrmMain::mnuWindowWindows_Click);
    for (TControl* part : std::initializer_list<TControl*>{panStatusBar2, picStatusBar2, lblStatusBar2})
        part->OnDblClick = Handler(&TfrmMain::mnuImageResize_Click);
}

void TfrmMain::Form_Create(TComponent*) {
    DrawingFont = new TFont;
    LoadSettings();
    CollectMenuItems();
    Application->OnHint = Handler(&TfrmMain::Application_Hint);

    ActivateMsg = RegisterWindowMessageA(ProgramTitle);
    OldWindowProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MainWindowProc)));
    SetCaption(ProgramTitle);
    MenuItem("mnuHelpAbout")->Caption = std::string("&About ") + ProgramTitle;

    // Help is there when a program opens help files and the program's own
    // help file is beside it.
    ShortString exe;
    ZvExtensionExecute(ShortString("CHM"), exe);
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string help = path;
    help = help.substr(0, help.find_last_of('\\')) + "\\Mirolux.chm";
    const bool hasHelp = !exe.empty() && GetFileAttributesA(help.c_str()) != INVALID_FILE_ATTRIBUTES;
    MenuItem("mnuHelpTopics")->Enabled = hasHelp;
    tlnHelp->SetEnabled(hasHelp);

    tlbDrawingTools->Tag = DrawingByte(0);
    lstDrawingType->Tag = DrawingByte(8);
    lstDrawingFont->Tag = DrawingByte(12);
    Tag = std::min<int>(DrawingByte(12), 1);
    LastScreenCount = 0;

    // Small screens have no room for the Quick Capture bar or the magnifier.
    if (Screen.Width() < 775) {
        ExcludeOption(0x4);
        MenuItem("mnuViewToolbars3")->Enabled = false;
        MenuItem("mnuPToolbarQuickCapture")->Enabled = false;
    }
    if (Screen.Height() < 575) {
        ExcludeOption(0x20);
        MenuItem("mnuViewToolbars6")->Enabled = false;
        MenuItem("mnuPToolbarMagnifier")->Enabled = false;
    }
    if (ZvTotalColors() < 4) {
        MenuItem("mnuImageBrightness")->Visible = false;
        MenuItem("mnuImageDepth")->Visible = false;
        tlnBrightness->SetVisible(false);
    }

    ApplyLookSettings();
    BuildCatalogIndexPath();
    UpdateStatusBar();
    RestoreWindowPlacement();
    RestoreToolbarLayout();
    ForeColor = ColorAt(Drawings, 2);
    BackColor = ColorAt(Drawings, 5);
    DrawColorBoxes();

    TBitmap& back = OwnBitmap(picMagnifierBack);
    back.Canvas().Pen.SetColor(clBlack);
    back.Canvas().Brush.SetColor(clWhite);
    back.Canvas().Rectangle(0, 0, 92, 92);
    picMagnifierBack->Repaint();
    DragAcceptFiles(Handle(), TRUE);

    MEMORYSTATUSEX memory = {};
    memory.dwLength = sizeof memory;
    GlobalMemoryStatusEx(&memory);
    MaxScreens = MaxScreensFor(memory.ullTotalPhys);
    for (int slot = 1; slot <= 13; ++slot)
        Screen.SetCursor(slot, LoadCursorA(GetModuleHandleA(nullptr), kCursorResources[slot - 1]));

    SetEnabled(true);
    UpdateCommandStates();
    ZvSetForegroundWindow(Handle());
}

void TfrmMain::StoreSettings() {
    if (SettingsStored) return;
    SettingsStored = true;
    SaveWindowPlacement();
    SaveToolbarLayout();
    StoreColor(Drawings, 2, ForeColor);
    StoreColor(Drawings, 5, BackColor);
    SaveSettings();
}

void TfrmMain::Form_Destroy(TComponent*) {
    SetEnabled(false);
    DragAcceptFiles(Handle(), FALSE);
    // A store that fails is told; the window is taken apart all the same.
    SafeCall([this] { StoreSettings(); });
    delete DrawingFont;
    DrawingFont = nullptr;
    ZvClipControl(nullptr);
    if (OldWindowProc) SetWindowLongPtrA(Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OldWindowProc));
    OldWindowProc = nullptr;
}

void TfrmMain::Form_Activate(TComponent*) {
    if (Enabled()) UpdateCommandStates();
}

void TfrmMain::Form_CloseQuery(TComponent*, bool& CanClose) {
    CanClose = !CaptureArmed && CloseAllScreens(ProgramTitle);
}

bool TfrmMain::WMQueryEndSession() {
    // Nobody would see an armed capture refuse the end of the session: it is
    // put down, and the program shows for the question about its screens.
    DisarmCapture();
    return CloseAllScreens(ProgramTitle);
}

void TfrmMain::WMEndSession(bool Ending) {
    if (Ending) StoreSettings();
}

void TfrmMain::Form_KeyPress(TComponent* Sender, char& Key) {
    if (TfrmChild* screen = ActiveScreen()) screen->Form_KeyPress(Sender, Key);
}

void TfrmMain::Application_Hint(TComponent*) {
    const std::string hint = GetLongHint(Application->Hint());
    const bool status = !hint.empty() && hint[0] == '~';
    if (status && !panStatusBar4->Visible()) {
        panStatusBar4->SetWidth(ClientWidth() - panStatusBar4->Left());
        lblStatusBar4->SetWidth(panStatusBar4->Width() - 4);
    }
    if (status) {
        lblStatusBar4->SetCaption(hint.substr(1));
        SetWindowPos(panStatusBar4->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    panStatusBar4->SetVisible(status);
}

// ---- Look and layout --------------------------------------------------------

int TfrmMain::FindBand(bool DrawingBar, int Number) {
    return ::FindBand(DrawingBar ? *clbDrawings : *clbMain, Number);
}

void TfrmMain::ApplyLookSettings() {
    ShortString font;
    ZvGetFontName(font);
    Font.SetName(font.str());
    Application->SetHintWindowClass<TNewHintWindow>();
    const int tips = ZvScreentipsType();
    SetShowHint(tips == 0);
    for (TControl* c : std::initializer_list<TControl*>{clbMain, clbDrawings, panStatusBar}) {
        c->ParentShowHint = false;
        c->SetShowHint(tips < 2);
    }
    for (TComponent* c : Components())
        if (auto* item = dynamic_cast<TMenuItem*>(c)) item->OnDrawItem = &MenuItemDrawing;
    for (auto [label, combo, panel] : {std::tuple{lblWhen, cboWhen, panWhen}, std::tuple{lblCapture, cboCapture, panCapture},
                                       std::tuple{lblThen, cboThen, panThen}}) {
        label->AdjustBounds();
        combo->SetBounds(label->Left() + label->Width() + 3, combo->Top(), combo->Width(), combo->Height());
        panel->SetWidth(combo->Left() + combo->Width() + 4);
    }
    tlbQuickCapture->ControlsResized();
    // The size panel holds the longest text it shows in this font: a
    // picture's size and a dragged rectangle's, of up to five digits a side.
    TCanvas& c = Canvas();
    c.Font.Assign(lblStatusBar2->Font);
    const int sizeWidth =
        std::max(150, lblStatusBar2->Left() + c.TextWidth("88888x88888 (88888x88888)") + 8);
    panStatusBar2->SetWidth(sizeWidth);
    panStatusBar3->SetBounds(panStatusBar2->Left() + sizeWidth, panStatusBar3->Top(), panStatusBar3->Width(),
                             panStatusBar3->Height());
}

void TfrmMain::RestoreWindowPlacement() {
    const auto* p = reinterpret_cast<const unsigned char*>(::Position.data());
    const int width = ReadTwoByte(p + 5), height = ReadTwoByte(p + 7);
    SetBounds(ReadTwoByte(p + 1), ReadTwoByte(p + 3), width ? width : Width(), height ? height : Height());
    Show();
    if (p[0] == 1) ShowWindow(Handle(), SW_SHOWMINIMIZED);
    if (p[0] == 2) ShowWindow(Handle(), SW_SHOWMAXIMIZED);
}

void TfrmMain::RestoreToolbarLayout() {
    RestoreBandLayout(*clbMain, MainBands, ::Position, Options);
    RestoreBandLayout(*clbDrawings, DrawingBands, ::Position, Options);
    UpdateToolbarVisibility();
    cboWhen->SetItemIndex(CodedBytes(WhenSettings)[0]);
    cboCapture->SetItemIndex(CodedBytes(WhatSettings)[0]);
    cboThen->SetItemIndex(CodedBytes(ThenSettings)[0]);
    lstDrawingType->SetItemIndex(DrawingByte(8));
    lstDrawingWidth->SetItemIndex(DrawingByte(9));
    lstDrawingASize->SetItemIndex(DrawingByte(10));
    lstDrawingESize->SetItemIndex(DrawingByte(11));
    lstDrawingFont->SetItemIndex(DrawingByte(12));
    cboMagnifier->SetItemIndex(Zoom);
}

void TfrmMain::SaveWindowPlacement() {
    auto* p = reinterpret_cast<unsigned char*>(::Position.data());
    if (IsIconic(Handle()) || IsZoomed(Handle())) {
        p[0] = 2;
        return;
    }
    p[0] = 0;
    WriteTwoByte(p + 1, Left());
    WriteTwoByte(p + 3, Top());
    WriteTwoByte(p + 5, Width());
    WriteTwoByte(p + 7, Height());
}

void TfrmMain::SaveToolbarLayout() {
    SaveBandLayout(*clbMain, MainBands, ::Position);
    SaveBandLayout(*clbDrawings, DrawingBands, ::Position);
    Zoom = cboMagnifier->ItemIndex();
    const TListBox* lists[] = {lstDrawingType, lstDrawingWidth, lstDrawingASize, lstDrawingESize, lstDrawingFont};
    for (size_t i = 0; i < 5; ++i) Drawings[8 + i] = static_cast<char>(lists[i]->ItemIndex());
}

void TfrmMain::UpdateStatusBar() { panStatusBar->SetVisible(HasOption(OptStatusBar)); }

void TfrmMain::UpdateToolbarVisibility() {
    UpdateBandVisibility(*clbMain, MainBands, Options);
    UpdateBandVisibility(*clbDrawings, DrawingBands, Options);
    tlnCaptureNow1->SetVisible(!HasOption(0x4));
    tlnCaptureNow2->SetVisible(HasOption(0x4));
}

void TfrmMain::KeepDrawingBandsInOneRow() { KeepOneRow(*clbDrawings); }

void TfrmMain::clbDrawings_MouseDown(TComponent*, TMouseButton Button, WPARAM, int, int) {
    if (Button != mbLeft) return;
    clbDrawings->Tag = 1;
    ZvClipControl(clbDrawings);
}

void TfrmMain::clbDrawings_MouseMove(TComponent*, TMouseButton, WPARAM, int, int) {
    if (clbDrawings->Tag == 1) KeepDrawingBandsInOneRow();
}

void TfrmMain::clbDrawings_MouseUp(TComponent*, TMouseButton, WPARAM, int, int) {
    KeepDrawingBandsInOneRow();
    clbDrawings->Tag = 0;
    ZvClipControl(nullptr);
}

// ---- States -----------------------------------------------------------------

TScreenFacts ActiveScreenFacts() {
    TScreenFacts facts;
    TfrmChild* screen = ActiveScreen();
    if (!screen) return facts;
    facts.Active = true;
    facts.Floating = screen->SelImage && screen->panSelect->Visible();
    facts.FloatCoversPicture = SelectionIsWholePicture(screen);
    facts.CanUndo = screen->Undo && screen->Undo->CanUndo();
    facts.CanRedo = screen->Undo && screen->Undo->CanRedo();
    facts.BackColor = screen->ScreenBackColor;
    return facts;
}

void TfrmMain::UpdateCommandStates() {
    const TScreenFacts screen = ActiveScreenFacts();
    const TCommandStates s = CommandStatesFor(ScreenCount(), MaxScreens, screen, CapturedBitmap != nullptr);
    const std::pair<TToolButton*, bool> buttons[] = {
        {tlnNew, s.New},   {tlnOpen, s.Open},     {tlnSave, s.Save},          {tlnCut, s.Cut},
        {tlnCopy, s.Copy}, {tlnUndo, s.Undo},     {tlnRedo, s.Redo},          {tlnCrop, s.Crop},
        {tlnRotate, s.Rotate}, {tlnResize, s.Resize}, {tlnBrightness, s.Brightness},
        {tlnPreviousScreen, s.PreviousScreen}};
    for (auto [button, enabled] : buttons)
        if (button->Enabled() != enabled) button->SetEnabled(enabled);

    for (auto [combo, button] : {std::pair{cboWhen, tlnWhenProperties}, std::pair{cboCapture, tlnCaptureProperties},
                                 std::pair{cboThen, tlnThenProperties}}) {
        if (combo->DroppedDown()) continue;
        const int i = combo->ItemIndex();
        button->SetEnabled(i >= 0 && i < static_cast<int>(combo->Items().size()) &&
                           HasProperties(combo->Items()[static_cast<size_t>(i)]));
    }

    const TOptionList shown = OptionListFor(DrawingByte(0));
    const std::pair<TListBox*, TOptionList> lists[] = {{lstDummy, olNone},           {lstDrawingWidth, olWidth},
                                                       {lstDrawingType, olType},     {lstDrawingASize, olAirbrushSize},
                                                       {lstDrawingESize, olEraserSize}, {lstDrawingFont, olFont}};
    for (auto [list, kind] : lists) list->SetVisible(kind == shown);

    const TColor eraser = EraserColor();
    if (eraser != EraserSampleColor) {
        EraserSampleColor = eraser;
        lstDrawingESize->Repaint();
    }
}

void TfrmMain::tmrMain_Timer(TComponent*) {
    const int tool = DrawingByte(0);
    for (int i = 0; TfrmChild* s = ScreenAt(i); ++i)
        if (s->picMain->Cursor != tool + 1) s->picMain->Cursor = tool + 1;
    // The pressed tool button follows the tool, also when the program changes
    // it (the Picker going back, Paste, Select All) with the status bar off.
    if (tool < 12)
        for (int i = 0; i < 12; ++i)
            if (ToolButtons[i]->Down() != (i == tool)) ToolButtons[i]->SetDown(i == tool);
    TfrmChild* active = ActiveScreen();
    if (panStatusBar->Visible()) {
        if (active) {
            if (picStatusBar1->Tag != active->Tag) {
                ShowListImage(picStatusBar1, imlChild, active->Tag);
                ShowListImage(picStatusBar2, imlImages, Images::PictureSize);
                picStatusBar1->Tag = active->Tag;
            }
            lblStatusBar1->SetCaption(active->Caption());
            std::string size = std::to_string(active->picMain->Width()) + "x" + std::to_string(active->picMain->Height());
            if (active->Busy) size += " (" + std::to_string(active->ShapeW) + "x" + std::to_string(active->ShapeH) + ")";
            lblStatusBar2->SetCaption(size);
        } else if (picStatusBar1->Tag != -1) {
            ShowListImage(picStatusBar1, imlChild, -1);
            ShowListImage(picStatusBar2, imlImages, -1);
            lblStatusBar1->SetCaption("");
            lblStatusBar2->SetCaption("");
            picStatusBar1->Tag = -1;
        }
        if (panStatusBar3->Tag != tool + 1 && tool < 12) {
            ShowListImage(picStatusBar3, imlDrawingTools, tool);
            lblStatusBar3->SetCaption(kTools[tool][1]);
            panStatusBar3->Tag = tool + 1;
        }
    }
    const bool paste = active && IsClipboardFormatAvailable(CF_BITMAP);
    if (tlnPaste->Enabled() != paste) tlnPaste->SetEnabled(paste);
    const int count = ScreenCount();
    if (count != LastScreenCount) {
        LastScreenCount = count;
        UpdateCommandStates();
    }
}

// ---- The quick-capture and magnifier lists ----------------------------------

void TfrmMain::cboToolbar_DrawItem(TWinControl* Sender, TCanvas& Canvas, int Index, const RECT& Rect, UINT State) {
    auto* combo = static_cast<TComboBox*>(Sender);
    // A disabled list shows in the button face colour, its text greyed.
    combo->SetColor(State & ODS_DISABLED ? clBtnFace : clWindow);
    if (State & ODS_DISABLED) Canvas.Font.SetColor(clSystemColor | COLOR_GRAYTEXT);
    if (Index < 0 || Index >= static_cast<int>(combo->Items().size())) return;
    const std::string& text = combo->Items()[static_cast<size_t>(Index)];
    Canvas.Brush.SetClear(true);
    if (combo == cboMagnifier) {
        Canvas.TextOut(Rect.left + 2, Rect.top + 1, text);
        return;
    }
    // "add to catalog browser" and "print out" are there to keep the codes,
    // and show nothing.
    if (combo == cboThen && (Index == 1 || Index == 4)) return;
    imlImages->Draw(Canvas, Rect.left + 1, Rect.top, QuickCaptureImage(combo->Tag, Index), true);
    Canvas.TextOut(Rect.left + 19, Rect.top + 1, text.substr(0, text.size() - 2));
}

void TfrmMain::cboToolbar_Enter(TComponent* Sender) {
    tmrComboBox->Tag = Sender->Tag;
    tmrComboBox->SetEnabled(true);
}

void TfrmMain::tmrComboBox_Timer(TComponent*) {
    const int tag = tmrComboBox->Tag;
    if (tag < 1 || tag > 4) return;
    const TComboBox* watched[] = {cboWhen, cboCapture, cboThen, cboMagnifier};
    if (!watched[tag - 1]->DroppedDown()) {
        tmrComboBox->SetEnabled(false);
        clbMain->SetFocus();
        UpdateCommandStates();
    }
    const std::pair<const TComboBox*, unsigned char*> choices[] = {{cboWhen, CodedBytes(WhenSettings)},
                                                                   {cboCapture, CodedBytes(WhatSettings)},
                                                                   {cboThen, CodedBytes(ThenSettings)}};
    for (auto [combo, bytes] : choices)
        if (combo->ItemIndex() >= 0) bytes[0] = static_cast<unsigned char>(combo->ItemIndex());
}
