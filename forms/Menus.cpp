#include "Menus.h"

#include <algorithm>
#include <cctype>

#include "Module.h"

namespace forms {

int TImageList::Add(std::unique_ptr<TBitmap> Image) {
    FImages.push_back(std::move(Image));
    return Count() - 1;
}

void TImageList::Draw(TCanvas& Canvas, int X, int Y, int Index, bool Enabled) {
    if (Index < 0 || Index >= Count()) return;
    TBitmap& image = *FImages[static_cast<size_t>(Index)];
    if (image.Empty()) return;
    const COLORREF key = image.Canvas().Pixel(0, image.Height() - 1);
    const COLORREF grey = GetSysColor(COLOR_GRAYTEXT);
    HDC dc = Canvas.Handle();
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x) {
            const COLORREF c = image.Canvas().Pixel(x, y);
            if (c != key) ::SetPixel(dc, X + x, Y + y, Enabled ? c : grey);
        }
}

namespace {

// The menu being shown; its items are measured and drawn through a hidden
// window of the module while it is open.
struct TShownMenu {
    TPopupMenu* Menu = nullptr;
    std::vector<TMenuItem*> Items;  // by command number - 1
};
TShownMenu Shown;

constexpr int kGap = 4;

HFONT MenuFont() {
    static HFONT font = [] {
        NONCLIENTMETRICSA ncm = {};
        ncm.cbSize = sizeof ncm;
        SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0);
        return CreateFontIndirectA(&ncm.lfMenuFont);
    }();
    return font;
}

TMenuItem* ItemOf(UINT Command) {
    return Command >= 1 && Command <= Shown.Items.size() ? Shown.Items[Command - 1] : nullptr;
}

int ImageWidth() { return Shown.Menu && Shown.Menu->Images ? Shown.Menu->Images->Width : 16; }

void Measure(MEASUREITEMSTRUCT& M) {
    TMenuItem* item = ItemOf(M.itemID);
    if (!item) return;
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, MenuFont());
    SIZE text = {0, 0}, shortcut = {0, 0};
    GetTextExtentPoint32A(dc, item->Caption.c_str(), static_cast<int>(item->Caption.size()), &text);
    if (!item->ShortCutText.empty())
        GetTextExtentPoint32A(dc, item->ShortCutText.c_str(), static_cast<int>(item->ShortCutText.size()),
                              &shortcut);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    M.itemWidth = static_cast<UINT>(kGap + ImageWidth() + 2 * kGap + text.cx + (shortcut.cx ? 3 * kGap + shortcut.cx : 0));
    M.itemHeight = static_cast<UINT>(std::max<LONG>(text.cy + 4, ImageWidth() + 4));
}

void Draw(const DRAWITEMSTRUCT& D) {
    TMenuItem* item = ItemOf(D.itemID);
    if (!item) return;
    const bool selected = (D.itemState & ODS_SELECTED) != 0;
    TDCCanvas canvas(D.hDC);
    LOGFONTA lf = {};
    GetObjectA(MenuFont(), sizeof lf, &lf);
    canvas.Font.SetName(lf.lfFaceName);
    canvas.Font.SetHeight(lf.lfHeight);
    canvas.Font.SetColor(clSystemColor | (selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
    canvas.Brush.SetColor(clSystemColor | (selected ? COLOR_HIGHLIGHT : COLOR_MENU));
    canvas.FillRect(D.rcItem);
    if (item->OnDrawItem) item->OnDrawItem(item, canvas, D.rcItem, selected);
    if (!item->Enabled) canvas.Font.SetColor(clSystemColor | COLOR_GRAYTEXT);

    RECT r = D.rcItem;
    const int imageTop = r.top + (r.bottom - r.top - ImageWidth()) / 2;
    if (item->ImageIndex >= 0 && Shown.Menu->Images) {
        Shown.Menu->Images->Draw(canvas, r.left + kGap, imageTop, item->ImageIndex, item->Enabled);
    } else if (item->Checked) {
        RECT mark = {r.left + kGap, imageTop, r.left + kGap + ImageWidth(), imageTop + ImageWidth()};
        DrawFrameControl(canvas.Handle(), &mark, DFC_MENU, DFCS_MENUCHECK);
    }
    canvas.Brush.SetClear(true);
    r.left += kGap + ImageWidth() + 2 * kGap;
    r.right -= 2 * kGap;
    const UINT flags = DT_SINGLELINE | DT_VCENTER | ((D.itemState & ODS_NOACCEL) ? DT_HIDEPREFIX : 0);
    DrawTextA(canvas.Handle(), item->Caption.c_str(), -1, &r, flags | DT_LEFT);
    if (!item->ShortCutText.empty()) DrawTextA(canvas.Handle(), item->ShortCutText.c_str(), -1, &r, flags | DT_RIGHT);
}

// Owner-drawn items have no mnemonics of their own: the "&" letter of a
// caption chooses its item here.
LRESULT MenuChar(char Letter, HMENU Menu) {
    const int wanted = std::toupper(static_cast<unsigned char>(Letter));
    for (int i = 0, n = GetMenuItemCount(Menu); i < n; ++i) {
        TMenuItem* item = ItemOf(GetMenuItemID(Menu, i));
        if (!item || !item->Enabled) continue;
        const auto amp = item->Caption.find('&');
        if (amp == std::string::npos || amp + 1 >= item->Caption.size()) continue;
        if (std::toupper(static_cast<unsigned char>(item->Caption[amp + 1])) == wanted) return MAKELRESULT(i, MNC_EXECUTE);
    }
    return MAKELRESULT(0, MNC_IGNORE);
}

LRESULT CALLBACK MenuWindowProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
    switch (Msg) {
    case WM_MEASUREITEM:
        SafeCall([&] { Measure(*reinterpret_cast<MEASUREITEMSTRUCT*>(LParam)); });
        return TRUE;
    case WM_DRAWITEM:
        SafeCall([&] { Draw(*reinterpret_cast<DRAWITEMSTRUCT*>(LParam)); });
        return TRUE;
    case WM_MENUCHAR:
        return MenuChar(static_cast<char>(LOWORD(WParam)), reinterpret_cast<HMENU>(LParam));
    default:
        return DefWindowProcA(Wnd, Msg, WParam, LParam);
    }
}

HWND MenuWindow() {
    static HWND wnd = nullptr;
    if (!wnd) {
        const char* cls = OwnWindowClass("ZvForms.Menu", 0, nullptr, &MenuWindowProc);
        wnd = CreateWindowExA(WS_EX_TOOLWINDOW, cls, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, ModuleInstance(),
                              nullptr);
        if (!wnd) throw Exception("Unable to create the menu window");
    }
    return wnd;
}

}  // namespace

void TPopupMenu::Popup(int X, int Y) {
    Fire(OnPopup, this);
    HMENU menu = CreatePopupMenu();
    Shown = TShownMenu{this, {}};
    for (TMenuItem* item : Items) {
        if (!item->Visible) continue;
        if (item->IsLine()) {
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        Shown.Items.push_back(item);
        AppendMenuA(menu, MF_OWNERDRAW | (item->Enabled ? 0 : MF_GRAYED), Shown.Items.size(),
                    reinterpret_cast<LPCSTR>(item));
    }
    // The items are measured and drawn by the module's own menu window; the
    // window the user works in stays in front.
    HWND owner = MenuWindow();
    const UINT chosen = static_cast<UINT>(
        TrackPopupMenuEx(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN, X, Y, owner, nullptr));
    DestroyMenu(menu);
    TMenuItem* item = ItemOf(chosen);
    Shown = TShownMenu{};
    if (item && item->Enabled) Fire(item->OnClick, item);
}

}  // namespace forms
