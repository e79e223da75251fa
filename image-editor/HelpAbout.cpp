// Help > About: the library's animated about box, with the program's icon
// and title as its logo and the version below the title.
#include <memory>

#include "Common.h"
#include "Main.h"
#include "Zelvani.h"
#include "ZvCom.h"

using namespace forms;

namespace {

constexpr const char* kVersion = "1.0";
constexpr const char* kCopyright = "Copyright (C) Zelvani";
constexpr const char* kProductName = "Zelvani Mirolux";
constexpr const char* kInfoLine = "http://www.zelvani.com/mirolux/";

// The logo: the program's icon and its title beside it, on white. It is
// centred in the box, 15 pixels from its top; the version goes under the
// title.
constexpr int kLogoWidth = 260, kLogoHeight = 44, kTitleLeft = 44;
constexpr int kBoxWidth = 352, kLogoTop = 15;

std::unique_ptr<TBitmap> Logo() {
    auto logo = std::make_unique<TBitmap>();
    logo->SetSize(kLogoWidth, kLogoHeight);  // white
    TCanvas& c = logo->Canvas();
    TIcon icon;
    icon.SetHandle(static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), "MAINICON", IMAGE_ICON, 32, 32, 0)), true);
    if (icon.Handle()) c.Draw(0, (kLogoHeight - 32) / 2, icon);
    ShortString font;
    ZvGetFontName(font);
    c.Font.SetName(font.str());
    c.Font.SetSize(16);
    c.Font.SetStyle(fsBold);
    c.Font.SetColor(clBlack);
    c.Brush.SetClear(true);
    c.TextOut(kTitleLeft, (kLogoHeight - c.TextExtent(kProductName).cy) / 2, kProductName);
    return logo;
}

}  // namespace

void TfrmMain::mnuHelpAbout_Click(TComponent*) {
    SetFormBusy(this, false);
    const int logoLeft = (kBoxWidth - kLogoWidth) / 2;
    ZvShowAbout(Logo().get(), ShortString(kVersion), ShortString(kCopyright), ShortString(kProductName),
                ShortString(kInfoLine), logoLeft + kTitleLeft, kLogoTop + kLogoHeight + 4, true);
    SetFormBusy(this, true);
}
