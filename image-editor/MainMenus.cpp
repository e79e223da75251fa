// The main window's menu bar and pop-up menus, and the handlers of the View
// and Window menus and of the pop-ups.
#include <windows.h>

#include <string>
#include <vector>

#include "BarLayout.h"
#include "CaptureExecution.h"
#include "Child.h"
#include "Common.h"
#include "Images.h"
#include "Main.h"
#include "Options.h"
#include "RegData.h"
#include "Startup.h"

using namespace forms;

TMenuItem* CaptureThemeItems[21];
TMenuItem* PopupThemeItems[21];

namespace {

using Click = void (TfrmMain::*)(TComponent*);

// One item of a menu table: Depth 0 is an entry of the menu itself (a menu
// of the bar), 1 an item of the entry above it, 2 an item of a submenu.
struct MenuEntry {
    int Depth;
    std::string Name;
    std::string Caption;
    TShortCut ShortCut = 0;
    int Image = -1;
    std::string Hint;
    int Tag = 0;
    Click OnClick = nullptr;
    bool Visible = true;
};

constexpr TShortCut Ctrl(WORD Key) { return static_cast<TShortCut>(scCtrl | Key); }
constexpr TShortCut Alt(WORD Key) { return static_cast<TShortCut>(scAlt | Key); }

// The separator and the twenty theme items, named Prefix + 1 .. 20; the first ten take Ctrl+1 .. Ctrl+0, the next ten Alt.
void AddThemeItems(std::vector<MenuEntry>& Menu, int Depth, const std::string& Separator, const std::string& Prefix,
                   bool ShortCuts) {
    Menu.push_back({Depth, Separator, "-"});
    for (int i = 1; i <= 20; ++i) {
        const WORD digit = static_cast<WORD>('0' + i % 10);
        const TShortCut key = !ShortCuts ? 0 : i <= 10 ? Ctrl(digit) : Alt(digit);
        Menu.push_back({Depth, Prefix + std::to_string(i), "Theme " + std::to_string(i), key, -1, "", i,
                        &TfrmMain::mnuCaptureThemeItem_Click});
    }
}

// The items that toggle the six bars, the same in the View menu and in the
// bars' pop-up menu.
void AddBarItems(std::vector<MenuEntry>& Menu, int Depth, const std::vector<std::string>& Names) {
    static const char* const kBars[] = {"Standard", "Capture", "Quick Capture", "Drawing Tools", "Colors", "Magnifier"};
    for (int i = 0; i < 6; ++i)
        Menu.push_back({Depth, Names[static_cast<size_t>(i)], kBars[i], 0, -1,
                        std::string("~Shows or hides the ") + kBars[i] + " bar.", i + 1,
                        &TfrmMain::mnuViewToolbars_Click});
}

// The flip and rotate commands, in the Image menu and on the Rotate button.
void AddFlipItems(std::vector<MenuEntry>& Menu, int Depth, const std::string& Prefix) {
    struct Flip {
        const char* Name;
        const char* Caption;
        TShortCut Key;
        int Image;
        const char* Hint;
    };
    static const Flip kFlips[] = {
        {"Rotate", "R&otate...", Ctrl('R'), Images::FlipRotate, "~Flips or rotates the screen or a selection."},
        {"Mirror", "&Mirror", 0, Images::Mirror, "~Flips the selected area or your entire screen horizontally."},
        {"Invert", "&Invert", 0, Images::Invert, "~Flips the selected area or your entire screen vertically."},
        {"Transpose", "&Transpose", 0, Images::Transpose,
         "~Rotates the selected area or your entire screen 180 degrees to the right."},
        {"RotateLeft", "Rotate &Left", 0, Images::RotateLeft,
         "~Rotates the selected area or your entire screen 90 degrees to the left."},
        {"RotateRight", "Rotate &Right", 0, Images::RotateRight,
         "~Rotates the selected area or your entire screen 90 degrees to the right."},
    };
    int tag = 0;
    for (const Flip& f : kFlips)
        Menu.push_back({Depth, Prefix + f.Name, f.Caption, Prefix == "mnuPRotate" ? TShortCut(0) : f.Key, f.Image,
                        f.Hint, ++tag, &TfrmMain::mnuImageFlip_Click});
}

std::vector<MenuEntry> MainMenuTable() {
    using namespace Images;
    std::vector<MenuEntry> m = {
        {0, "mnuFile", "&File", 0, -1, "", 0, &TfrmMain::mnuFile_Click},
        {1, "mnuFileNew", "&New...", Ctrl('N'), New, "~Creates a new screen.", 0, &TfrmMain::mnuFileNew_Click},
        {1, "mnuFileOpen", "&Open...", Ctrl('O'), Open, "~Opens an existing screen.", 0, &TfrmMain::mnuFileOpen_Click},
        {1, "mnuFileClose", "&Close", 0, Close, "~Closes the active screen.", 0, &TfrmMain::mnuFileClose_Click},
        {1, "mnuFileSep1", "-"},
        {1, "mnuFileSave", "&Save", Ctrl('S'), Save,
         "~Saves the active screen with its current filename, location and file format.", 1,
         &TfrmMain::mnuFileSave_Click},
        {1, "mnuFileSaveAs", "Save &As...", 0, -1,
         "~Saves the active screen with a different filename, location and file format.", 2,
         &TfrmMain::mnuFileSave_Click},
        {1, "mnuFileSep2", "-"},
        {1, "mnuFileSetAsWallpaper", "Set as &Wallpaper...", 0, Wallpaper,
         "~Saves the active screen as your desktop wallpaper.", 0, &TfrmMain::mnuFileSetAsWallpaper_Click},
        {1, "mnuFileReload", "&Reload from disk", 0, Reload, "~Reloads the active screen from disk.", 0,
         &TfrmMain::mnuFileReload_Click},
        {1, "mnuFileSep3", "-", 0, -1, "", 0, nullptr, false},
        {1, "mnuFilePageSetup", "Page Set&up...", 0, -1, "", 0, nullptr, false},
        {1, "mnuFilePrintPreview", "Print Pre&view", 0, PrintPreview, "", 0, nullptr, false},
        {1, "mnuFilePrint", "&Print...", Ctrl('P'), Print, "", 0, nullptr, false},
        {1, "mnuFileSep4", "-"},
        {1, "mnuFileExit", "E&xit", 0, Exit, "~Exits Zelvani Mirolux.", 0, &TfrmMain::mnuFileExit_Click},

        {0, "mnuEdit", "&Edit", 0, -1, "", 0, &TfrmMain::mnuEdit_Click},
        {1, "mnuEditUndo", "&Undo", Ctrl('Z'), Undo, "~Undoes the last action.", 0, &TfrmMain::mnuEditUndo_Click},
        {1, "mnuEditRedo", "&Redo", Ctrl('Y'), Redo, "~Redoes the previously undone action.", 0, &TfrmMain::mnuEditRedo_Click},
        {1, "mnuEditSep1", "-"},
        {1, "mnuEditCut", "Cu&t", Ctrl('X'), Cut, "~Cuts the selection and puts it on the Clipboard.", 0,
         &TfrmMain::mnuEditCut_Click},
        {1, "mnuEditCopy", "&Copy", Ctrl('C'), Copy, "~Copies the selection and puts it on the Clipboard.", 0,
         &TfrmMain::mnuEditCopy_Click},
        {1, "mnuEditPaste", "&Paste", Ctrl('V'), Paste, "~Inserts the Clipboard's picture as a selection.", 0,
         &TfrmMain::mnuEditPaste_Click},
        {1, "mnuEditPasteAsNew", "Paste as &New", 0, PasteAsNew, "~Inserts the Clipboard's picture as a new screen.", 0,
         &TfrmMain::mnuEditPasteAsNew_Click},
        {1, "mnuEditClear", "C&lear", VK_DELETE, Clear, "~Erases the selection.", 0, &TfrmMain::mnuEditClear_Click},
        {1, "mnuEditSep2", "-"},
        {1, "mnuEditSelectAll", "&Select All", Ctrl('A'), SelectAll, "~Selects the entire screen.", 0,
         &TfrmMain::mnuEditSelectAll_Click},

        {0, "mnuView", "&View", 0, -1, "", 0, &TfrmMain::mnuView_Click},
        {1, "mnuViewToolbars", "&Toolbars", 0, -1, "~Shows or hides the bars."},
    };
    AddBarItems(m, 2, {"mnuViewToolbars1", "mnuViewToolbars2", "mnuViewToolbars3", "mnuViewToolbars4",
                       "mnuViewToolbars5", "mnuViewToolbars6"});
    m.push_back({1, "mnuViewStatusBar", "&Status Bar", 0, -1, "~Shows or hides the status bar.", 0,
                 &TfrmMain::mnuViewStatusBar_Click});
    m.push_back({1, "mnuViewMagnification", "&Magnification Level", 0, -1, "~Sets the zoom of the magnifier."});
    static const char* const kZooms[] = {"&100%", "&200%", "&400%", "&600%", "&800%"};
    for (int i = 0; i < 5; ++i)
        m.push_back({2, "mnuViewMagnifier" + std::to_string(i + 1), kZooms[i], 0, -1,
                     std::string("~Magnifies the picture under the mouse ") + (kZooms[i] + 1) + ".", i + 1,
                     &TfrmMain::mnuViewMagnifier_Click});
    m.push_back({1, "mnuViewSep1", "-"});
    m.push_back({1, "mnuViewOptions", "&Options...", 0, OptionsDialog, "~Changes the options of Zelvani Mirolux.", 0,
                 &TfrmMain::mnuViewOptions_Click});

    m.push_back({0, "mnuCapture", "&Capture", 0, -1, "", 0, &TfrmMain::mnuCapture_Click});
    m.push_back({1, "mnuCaptureCatalog", "Catalog &Browser...", VK_F5, Catalog, "~Displays the Catalog Browser."});
    m.push_back({1, "mnuCaptureTheme", "&Theme", 0, Theme, "~Displays your capture themes."});
    m.push_back({2, "mnuCaptureThemeList", "&Theme List...", VK_F6, -1, "~Adds, removes or configs your capture themes.",
                 0, &TfrmMain::mnuCaptureThemeList_Click});
    AddThemeItems(m, 2, "mnuCaptureSep1", "mnuCaptureTheme", true);
    m.push_back({1, "mnuCaptureSep2", "-"});
    m.push_back({1, "mnuCaptureWizard", "Capture &Wizard...", VK_F7, Wizard, "~Displays the Capture Wizard.", 0,
                 &TfrmMain::mnuCaptureWizard_Click});
    m.push_back({1, "mnuCaptureCapture", "&Screen Capture...", VK_F8, ScreenCapture, "~Captures your screen.", 0,
                 &TfrmMain::mnuCaptureCapture_Click});
    m.push_back({1, "mnuCapturePrevious", "&Previous Screen...", VK_F9, PreviousScreen,
                 "~Displays the previously capturd screen.", 0, &TfrmMain::mnuCapturePrevious_Click});
    m.push_back({1, "mnuCaptureNow", "&Capture Now", VK_F10, CaptureNow,
                 "~Captures your screen using the current settings.", 0, &TfrmMain::mnuCaptureNow_Click});

    m.push_back({0, "mnuImage", "&Image", 0, -1, "", 0, &TfrmMain::mnuImage_Click});
    m.push_back({1, "mnuImageCrop", "&Crop", Ctrl('Q'), Crop, "~Crops the screen to a smaller size.", 0,
                 &TfrmMain::mnuImageCrop_Click});
    m.push_back({1, "mnuImageFlip", "&Flip / Rotate", 0, FlipRotate, "~Flips or rotates the screen or a selection."});
    AddFlipItems(m, 2, "mnuImageFlip");
    m.push_back({1, "mnuImageResize", "&Resize...", Ctrl('W'), Resize, "~Resets the size of the screen.", 0,
                 &TfrmMain::mnuImageResize_Click});
    m.push_back({1, "mnuImageBrightness", "&Brightness...", 0, Brightness,
                 "~Adjusts brightness of the screen or a selection.", 0, &TfrmMain::mnuImageBrightness_Click});
    m.push_back({1, "mnuImageDepth", "Color &Depth", 0, Depth,
                 "~Changes the color depth of the screen or a selection."});
    m.push_back({2, "mnuImageDepthDepth", "Color &Depth...", 0, -1,
                 "~Changes the color depth of the screen or a selection.", 1, &TfrmMain::mnuImageDepth_Click});
    static const char* const kDepths[][3] = {
        {"mnuImageDepth1", "&1 Bit", "1-bit"}, {"mnuImageDepth4", "&4 Bit", "4-bit"},
        {"mnuImageDepth8", "&8 Bit", "8-bit"}, {"mnuImageDepth16", "1&6 Bit", "16-bit"}};
    for (int i = 0; i < 4; ++i)
        m.push_back({2, kDepths[i][0], kDepths[i][1], 0, -1,
                     std::string("~Changes the color depth of the screen or a selection to ") + kDepths[i][2] + ".",
                     i + 2, &TfrmMain::mnuImageDepth_Click});
    m.push_back({1, "mnuImageSep1", "-"});
    m.push_back({1, "mnuImageGrayscale", "&Grayscale", Ctrl('G'), Grayscale,
                 "~Converts the screen picture to black and white.", 0, &TfrmMain::mnuImageGrayscale_Click});
    m.push_back({1, "mnuImageInvertColor", "&Invert Colors", Ctrl('I'), InvertColors,
                 "~Inverts the color of the screen or a selection.", 0, &TfrmMain::mnuImageInvertColor_Click});

    m.push_back({0, "mnuWindow", "&Window", 0, -1, "", 0, &TfrmMain::mnuWindow_Click});
    m.push_back({1, "mnuWindowArrange", "&Arrange", 0, Arrange, "~Arranges the screens side by side.", 1,
                 &TfrmMain::mnuWindowArrange_Click});
    m.push_back({1, "mnuWindowFitToPage", "&Fit to Page", 0, FitPage, "~Fits the active screen around its picture.",
                 2, &TfrmMain::mnuWindowArrange_Click});
    m.push_back({1, "mnuWindowCascade", "&Cascade", 0, Cascade, "~Arranges the screens so that they overlap.", 3,
                 &TfrmMain::mnuWindowArrange_Click});
    m.push_back({1, "mnuWindowSep1", "-"});
    m.push_back({1, "mnuWindowCloseAll", "C&lose All...", Ctrl(VK_F5), CloseAll, "~Closes all screens.", 0,
                 &TfrmMain::mnuWindowCloseAll_Click});
    m.push_back({1, "mnuWindowWindows", "&Windows...", static_cast<TShortCut>(scShift | VK_F12), WindowList,
                 "~Lists the open screens.", 0, &TfrmMain::mnuWindowWindows_Click});

    m.push_back({0, "mnuHelp", "&Help"});
    m.push_back({1, "mnuHelpTopics", "&Help Topics", VK_F1, HelpTopics, "~Displays the help topics."});
    m.push_back({1, "mnuHelpSep1", "-"});
    m.push_back({1, "mnuHelpWeb1", "&Zelvani Homepage", 0, HomePage, "~Displays the Zelvani homepage on the Internet.", 1,
                 &TfrmMain::mnuHelpWeb_Click});
    m.push_back({1, "mnuHelpWeb2", "&Mirolux Homepage", 0, HomePage,
                 "~Displays information about Zelvani Mirolux on the Internet.", 2, &TfrmMain::mnuHelpWeb_Click});
    m.push_back({1, "mnuHelpSep2", "-"});
    m.push_back({1, "mnuHelpAbout", "&About", 0, About, "~Displays information about Zelvani Mirolux.", 0,
                 &TfrmMain::mnuHelpAbout_Click});
    return m;
}

void AddItems(TfrmMain& Form, TMenu& Menu, const std::vector<MenuEntry>& Table) {
    TMenuItem* parents[3] = {};
    for (const MenuEntry& e : Table) {
        auto* item = new TMenuItem(&Form);
        item->SetName(e.Name);
        item->Caption = e.Caption;
        item->ShortCut = e.ShortCut;
        item->ImageIndex = e.Image;
        item->Hint = e.Hint;
        item->Tag = e.Tag;
        item->Visible = e.Visible;
        if (e.OnClick) item->OnClick = [&Form, m = e.OnClick](TComponent* Sender) { (Form.*m)(Sender); };
        if (e.Depth == 0)
            Menu.Add(item);
        else
            parents[e.Depth - 1]->Add(item);
        parents[e.Depth] = item;
    }
}

TPopupMenu* NewPopup(TfrmMain& Form, const char* Name, TImageList* Images, const std::vector<MenuEntry>& Table) {
    auto* menu = new TPopupMenu(&Form);
    menu->SetName(Name);
    menu->Images = Images;
    AddItems(Form, *menu, Table);
    return menu;
}

// The name of a stored theme: the characters after its name's length byte.
std::string ThemeName(const ShortString& Theme) {
    if (Theme.Length == 0) return "";
    const size_t n = static_cast<unsigned char>(Theme.Chars[0]);
    return std::string(Theme.Chars + 1, std::min<size_t>(n, Theme.Length - 1u));
}

// Of the separator and the twenty theme items, the separator and the first
// Themes items show, captioned with the themes' names.
void ShowThemeItems(TMenuItem* const Items[21], bool WithHints) {
    for (int i = 0; i <= 20; ++i) Items[i]->Visible = false;
    if (Themes <= 0) return;
    for (int i = 0; i <= Themes && i <= 20; ++i) {
        Items[i]->Visible = true;
        if (i == 0) continue;
        Items[i]->Caption = ThemeName(ThemeTable[i - 1]);
        if (WithHints) Items[i]->Hint = "~Captures screen using " + Items[i]->Caption;
    }
}

}  // namespace

void TfrmMain::BuildMenus() {
    mnuMain = new TMainMenu(this);
    mnuMain->SetName("mnuMain");
    mnuMain->Images = imlImages;
    AddItems(*this, *mnuMain, MainMenuTable());
    mnuFile = MenuItem("mnuFile");
    mnuEdit = MenuItem("mnuEdit");
    mnuView = MenuItem("mnuView");
    mnuCapture = MenuItem("mnuCapture");
    mnuImage = MenuItem("mnuImage");
    mnuWindow = MenuItem("mnuWindow");
    mnuHelp = MenuItem("mnuHelp");

    std::vector<MenuEntry> bars;
    AddBarItems(bars, 0, {"mnuPToolbarStandard", "mnuPToolbarCapture", "mnuPToolbarQuickCapture",
                          "mnuPToolbarDrawingTools", "mnuPToolbarColors", "mnuPToolbarMagnifier"});
    mnuPToolbar = NewPopup(*this, "mnuPToolbar", imlImages, bars);
    mnuPToolbar->OnPopup = Handler(&TfrmMain::mnuPToolbar_Popup);

    std::vector<MenuEntry> rotate;
    AddFlipItems(rotate, 0, "mnuPRotate");
    mnuPRotate = NewPopup(*this, "mnuPRotate", imlImages, rotate);

    std::vector<MenuEntry> theme = {{0, "mnuPThemeTheme", "&Theme...", 0, Images::Theme,
                                     "~Adds, removes or configs your capture themes.", 0,
                                     &TfrmMain::mnuCaptureThemeList_Click}};
    AddThemeItems(theme, 0, "mnuPThemeSep1", "mnuPTheme", false);
    mnuPTheme = NewPopup(*this, "mnuPTheme", imlImages, theme);
    MenuItem("mnuPThemeTheme")->Default = true;
    mnuPTheme->OnPopup = Handler(&TfrmMain::mnuPTheme_Popup);

    mnuPEdit = NewPopup(
        *this, "mnuPEdit", imlImages,
        {{0, "mnuPEditCut", "Cu&t", 0, Images::Cut, "~Cuts the selection and puts it on the Clipboard.", 0,
          &TfrmMain::mnuEditCut_Click},
         {0, "mnuPEditCopy", "&Copy", 0, Images::Copy, "~Copies the selection and puts it on the Clipboard.", 0,
          &TfrmMain::mnuEditCopy_Click},
         {0, "mnuPEditPaste", "&Paste", 0, Images::Paste, "~Inserts the Clipboard's picture as a selection.", 0,
          &TfrmMain::mnuEditPaste_Click},
         {0, "mnuPEditClear", "C&lear", 0, Images::Clear, "~Erases the selection.", 0, &TfrmMain::mnuEditClear_Click},
         {0, "mnuPEditSep1", "-"},
         {0, "mnuPEditSelectAll", "&Select All", 0, Images::SelectAll, "~Selects the entire screen.", 0,
          &TfrmMain::mnuEditSelectAll_Click}});
    mnuPEdit->OnPopup = Handler(&TfrmMain::mnuPEdit_Popup);
    SetMenu(mnuMain);
}

TMenuItem* TfrmMain::MenuItem(const std::string& Name) const {
    auto* item = dynamic_cast<TMenuItem*>(FindComponent(Name));
    if (!item) throw Exception("The menu item " + Name + " is missing");
    return item;
}

void TfrmMain::CollectMenuItems() {
    CaptureThemeItems[0] = MenuItem("mnuCaptureSep1");
    PopupThemeItems[0] = MenuItem("mnuPThemeSep1");
    for (int i = 1; i <= 20; ++i) {
        CaptureThemeItems[i] = MenuItem("mnuCaptureTheme" + std::to_string(i));
        PopupThemeItems[i] = MenuItem("mnuPTheme" + std::to_string(i));
    }
}

void TfrmMain::mnuView_Click(TComponent*) {
    for (int k = 1; k <= 6; ++k) MenuItem("mnuViewToolbars" + std::to_string(k))->Checked = HasOption(1 << (k - 1));
    MenuItem("mnuViewStatusBar")->Checked = HasOption(OptStatusBar);
    MenuItem("mnuViewMagnification")->Enabled = HasOption(0x20);
    for (int i = 1; i <= 5; ++i)
        MenuItem("mnuViewMagnifier" + std::to_string(i))->Checked = i == cboMagnifier->ItemIndex() + 1;
}

void TfrmMain::mnuViewToolbars_Click(TComponent* Sender) {
    const int k = Sender->Tag;
    if (k < 1 || k > 6) return;
    ToggleOption(1 << (k - 1));
    if (k <= 3)
        PlaceSwitchedOnBand(*clbMain, MainBands, k - 1);
    else
        PlaceSwitchedOnBand(*clbDrawings, DrawingBands, k - 4);
    UpdateToolbarVisibility();
}

void TfrmMain::mnuViewStatusBar_Click(TComponent*) {
    ToggleOption(OptStatusBar);
    UpdateStatusBar();
}

void TfrmMain::mnuViewMagnifier_Click(TComponent* Sender) { cboMagnifier->SetItemIndex(Sender->Tag - 1); }

void TfrmMain::mnuViewOptions_Click(TComponent*) {
    EndToolActions(true, true);
    if (frmOptions->ShowModal() != mrOk) return;
    ApplyLookSettings();
    UpdateStatusBar();
    for (TListBox* list : {lstDrawingWidth, lstDrawingType, lstDrawingASize, lstDrawingFont}) list->Repaint();
}

void TfrmMain::mnuWindow_Click(TComponent*) {
    const bool any = ScreenCount() > 0;
    for (const char* name : {"mnuWindowArrange", "mnuWindowFitToPage", "mnuWindowCascade", "mnuWindowCloseAll",
                             "mnuWindowWindows"})
        MenuItem(name)->Enabled = any;
}

void TfrmMain::mnuWindowArrange_Click(TComponent* Sender) {
    TfrmChild* active = ActiveScreen();
    if (!active) return;
    if (IsZoomed(active->Handle())) ShowWindow(active->Handle(), SW_RESTORE);
    // The marching frame would draw while the windows move.
    const bool marching = active->tmrSelect->Enabled();
    if (marching) active->tmrSelect->SetEnabled(false);
    Application->ProcessMessages();
    RECT client;
    GetClientRect(ClientHandle(), &client);
    const WPARAM tile = client.right > client.bottom ? MDITILE_VERTICAL : MDITILE_HORIZONTAL;
    switch (Sender->Tag) {
    case 1: SendMessageA(ClientHandle(), WM_MDITILE, tile, 0); break;
    case 2: FitToPage(active, false); break;
    case 3: SendMessageA(ClientHandle(), WM_MDICASCADE, 0, 0); break;
    default: break;
    }
    if (marching) active->tmrSelect->SetEnabled(true);
}

void TfrmMain::mnuWindowCloseAll_Click(TComponent*) { CloseAllScreens("Close All"); }

void TfrmMain::mnuCapture_Click(TComponent*) {
    MenuItem("mnuCapturePrevious")->Enabled = CapturedBitmap != nullptr;
    ShowThemeItems(CaptureThemeItems, true);
}

void TfrmMain::mnuCaptureNow_Click(TComponent*) {
    EndToolActions(false, true);
    ArmCapture();
}

void TfrmMain::mnuCapturePrevious_Click(TComponent*) { ShowCapturePreview(); }

void TfrmMain::mnuPToolbar_Popup(TComponent*) {
    for (TMenuItem* item : mnuPToolbar->Items()) item->Checked = HasOption(1 << (item->Tag - 1));
}

void TfrmMain::mnuPTheme_Popup(TComponent*) { ShowThemeItems(PopupThemeItems, false); }

void TfrmMain::mnuPEdit_Popup(TComponent*) {
    const TScreenFacts screen = ActiveScreenFacts();
    MenuItem("mnuPEditCut")->Enabled = screen.Floating;
    MenuItem("mnuPEditCopy")->Enabled = screen.Floating;
    MenuItem("mnuPEditClear")->Enabled = screen.Floating;
    MenuItem("mnuPEditPaste")->Enabled = IsClipboardFormatAvailable(CF_BITMAP) != FALSE;
    MenuItem("mnuPEditSelectAll")->Enabled = !screen.FloatCoversPicture;
}
