#include "Menus.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <set>

#include "Forms.h"
#include "Module.h"

namespace forms {

namespace {

COLORREF PixelAt(TBitmap& Image, int X, int Y) {
    const std::uint8_t* p = Image.ScanLine(Y) + 3 * X;
    return RGB(p[2], p[1], p[0]);
}

// The grey of a disabled picture's pixel: its brightness squeezed into the
// upper half of the scale, so that the glyph looks faded and keeps its dark
// and light parts apart.
std::uint8_t GreyedLevel(int R, int G, int B) {
    return static_cast<std::uint8_t>(128 + (R * 77 + G * 151 + B * 28) / 512);
}

}  // namespace

int TImageList::Count() const {
    return FShared ? ImageList_GetImageCount(FSystemList) : static_cast<int>(FImages.size());
}

void TImageList::ShareSystemList(HIMAGELIST List) {
    if (FSystemList && !FShared) ImageList_Destroy(FSystemList);
    if (FDisabledList) ImageList_Destroy(FDisabledList);
    FDisabledList = nullptr;
    FImages.clear();
    FSystemList = List;
    FShared = List != nullptr;
    if (FShared) ImageList_GetIconSize(List, &Width, &Height);
}

int TImageList::Add(std::unique_ptr<TBitmap> Image) {
    GdiFlush();
    const COLORREF key = Image->Empty() ? 0 : PixelAt(*Image, 0, Image->Height() - 1);
    return AddEntry({std::move(Image), key});
}

int TImageList::AddEntry(Entry Picture) {
    // The pictures of a shared list are its owner's to change.
    if (FShared) throw Exception("A shared image list takes no pictures");
    FImages.push_back(std::move(Picture));
    // The system lists made already take the picture as well.
    if (FSystemList) AddTo(FSystemList, FImages.back(), false);
    if (FDisabledList) AddTo(FDisabledList, FImages.back(), true);
    return Count() - 1;
}

int TImageList::AddIcon(HICON Icon) {
    // The icon drawn on black and on white: a pixel that is the same on
    // both is the icon's; one that takes the ground's colour shows through.
    // Pixels between (the soft edges of icons with an alpha channel) count
    // as the icon's when they cover at least half of the ground, in their
    // colour without the ground.
    TBitmap onBlack, onWhite;
    for (TBitmap* b : {&onBlack, &onWhite}) {
        b->SetSize(Width, Height);
        RECT all = {0, 0, Width, Height};
        HDC dc = b->Canvas().Handle();
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(b == &onBlack ? BLACK_BRUSH : WHITE_BRUSH)));
        if (!DrawIconEx(dc, 0, 0, Icon, Width, Height, 0, nullptr, DI_NORMAL))
            throw Exception("The icon cannot be drawn");
    }
    GdiFlush();
    auto image = std::make_unique<TBitmap>();
    image->SetSize(Width, Height);
    const auto at = [this](int X, int Y) {
        return static_cast<size_t>(Y) * static_cast<size_t>(Width) + static_cast<size_t>(X);
    };
    std::vector<bool> clear(at(0, Height));
    std::set<COLORREF> used;
    for (int y = 0; y < Height; ++y) {
        const std::uint8_t* black = onBlack.ScanLine(y);
        const std::uint8_t* white = onWhite.ScanLine(y);
        std::uint8_t* dst = image->ScanLine(y);
        for (int i = 0; i < 3 * Width; i += 3) {
            // The ground's share in each channel: 0 (the icon's own) to 255.
            const int ground =
                std::max({white[i] - black[i], white[i + 1] - black[i + 1], white[i + 2] - black[i + 2], 0});
            if (ground >= 128) {
                clear[at(i / 3, y)] = true;
                continue;
            }
            for (int k = 0; k < 3; ++k)
                dst[i + k] = static_cast<std::uint8_t>(std::min(255, black[i + k] * 255 / (255 - ground)));
            used.insert(RGB(dst[i + 2], dst[i + 1], dst[i]));
        }
    }
    // The transparent colour is one the icon does not use.
    COLORREF key = RGB(255, 0, 255);
    while (used.count(key)) key = (key + 0x010101) & 0xFFFFFF;
    for (int y = 0; y < Height; ++y) {
        std::uint8_t* dst = image->ScanLine(y);
        for (int x = 0; x < Width; ++x)
            if (clear[at(x, y)]) {
                dst[3 * x] = GetBValue(key);
                dst[3 * x + 1] = GetGValue(key);
                dst[3 * x + 2] = GetRValue(key);
            }
    }
    return AddEntry({std::move(image), key});
}

int TImageList::AddStrip(HINSTANCE Instance, const char* Resource) {
    TBitmap strip;
    LoadBitmapResource(strip, Instance, Resource);
    const int count = Width > 0 ? strip.Width() / Width : 0;
    for (int i = 0; i < count; ++i) {
        auto image = std::make_unique<TBitmap>();
        image->SetSize(Width, Height);
        BitBlt(image->Canvas().Handle(), 0, 0, Width, Height, strip.Canvas().Handle(), i * Width, 0, SRCCOPY);
        Add(std::move(image));
    }
    return count;
}

TImageList::~TImageList() {
    if (FSystemList && !FShared) ImageList_Destroy(FSystemList);
    if (FDisabledList) ImageList_Destroy(FDisabledList);
}

void TImageList::MaskedBitmaps(const Entry& Picture, HBITMAP& Color, HBITMAP& Mask, bool Greyed) const {
    TBitmap& image = *Picture.Image;
    TBitmap color;
    color.SetSize(Width, Height);
    color.Canvas().Brush.SetColor(clBlack);
    color.Canvas().FillRect(RECT{0, 0, Width, Height});
    // A monochrome bitmap's rows are padded to 16 bits; a set bit is a pixel
    // where the ground shows through. Pixels outside the picture do too.
    const int maskRow = (Width + 15) / 16 * 2;
    std::vector<std::uint8_t> maskBits(static_cast<size_t>(maskRow) * static_cast<size_t>(Height), 0xFF);
    GdiFlush();
    for (int y = 0; y < Height && y < image.Height(); ++y) {
        const std::uint8_t* src = image.ScanLine(y);
        std::uint8_t* dst = color.ScanLine(y);
        for (int x = 0; x < Width && x < image.Width(); ++x) {
            const std::uint8_t* p = src + 3 * x;
            if (RGB(p[2], p[1], p[0]) == Picture.Transparent) continue;
            maskBits[static_cast<size_t>(y * maskRow + x / 8)] &= static_cast<std::uint8_t>(~(0x80 >> (x % 8)));
            if (Greyed)
                std::fill(dst + 3 * x, dst + 3 * x + 3, GreyedLevel(p[2], p[1], p[0]));
            else
                std::copy(p, p + 3, dst + 3 * x);
        }
    }
    Mask = CreateBitmap(Width, Height, 1, 1, maskBits.data());
    Color = static_cast<HBITMAP>(CopyImage(color.Handle(), IMAGE_BITMAP, 0, 0, 0));
}

void TImageList::AddTo(HIMAGELIST List, const Entry& Picture, bool Greyed) const {
    HBITMAP color, mask;
    MaskedBitmaps(Picture, color, mask, Greyed);
    ImageList_Add(List, color, mask);
    DeleteObject(color);
    DeleteObject(mask);
}

HIMAGELIST TImageList::MakeSystemList(bool Greyed) const {
    HIMAGELIST list = ImageList_Create(Width, Height, ILC_COLOR24 | ILC_MASK, Count(), 4);
    for (const Entry& picture : FImages) AddTo(list, picture, Greyed);
    return list;
}

HIMAGELIST TImageList::SystemList() {
    if (!FSystemList) FSystemList = MakeSystemList(false);
    return FSystemList;
}

HIMAGELIST TImageList::DisabledSystemList() {
    if (!FDisabledList && !FShared) FDisabledList = MakeSystemList(true);
    return FDisabledList;
}

HICON TImageList::GetIcon(int Index) const {
    if (Index < 0 || Index >= Count()) return nullptr;
    if (FShared) return ImageList_GetIcon(FSystemList, Index, ILD_NORMAL);
    ICONINFO info = {};
    info.fIcon = TRUE;
    MaskedBitmaps(FImages[static_cast<size_t>(Index)], info.hbmColor, info.hbmMask);
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return icon;
}

void TImageList::Draw(TCanvas& Canvas, int X, int Y, int Index, bool Enabled) {
    if (Index < 0 || Index >= Count()) return;
    if (FShared) {
        ImageList_Draw(FSystemList, Index, Canvas.Handle(), X, Y, Enabled ? ILD_NORMAL : ILD_BLEND50);
        return;
    }
    const Entry& picture = FImages[static_cast<size_t>(Index)];
    if (picture.Image->Empty()) return;
    HBITMAP color, mask;
    MaskedBitmaps(picture, color, mask);
    // The mask, 1 where the ground shows, comes out white there and black
    // elsewhere: ANDed with the ground it clears the picture's pixels, which
    // then take the colours (black elsewhere) ORed in, or the grey.
    HDC dc = Canvas.Handle(), source = CreateCompatibleDC(dc);
    const COLORREF text = SetTextColor(dc, RGB(0, 0, 0)), back = SetBkColor(dc, RGB(255, 255, 255));
    HGDIOBJ oldSource = SelectObject(source, mask);
    BitBlt(dc, X, Y, Width, Height, source, 0, 0, SRCAND);
    if (Enabled) {
        SelectObject(source, color);
        BitBlt(dc, X, Y, Width, Height, source, 0, 0, SRCPAINT);
    } else {
        HBRUSH grey = CreateSolidBrush(GetSysColor(COLOR_GRAYTEXT));
        HGDIOBJ oldBrush = SelectObject(dc, grey);
        constexpr DWORD kGroundOrBrushWhereMaskClear = 0x00BA0B09;  // D | (P & ~S)
        BitBlt(dc, X, Y, Width, Height, source, 0, 0, kGroundOrBrushWhereMaskClear);
        SelectObject(dc, oldBrush);
        DeleteObject(grey);
    }
    SelectObject(source, oldSource);
    DeleteDC(source);
    SetTextColor(dc, text);
    SetBkColor(dc, back);
    DeleteObject(color);
    DeleteObject(mask);
}

namespace {

// The live items of this module, for the commands and item data that come
// back from the window system.
std::map<UINT, TMenuItem*>& ItemsByCommand() {
    static std::map<UINT, TMenuItem*> items;
    return items;
}

TMenuItem* ItemOfData(ULONG_PTR Data) {
    for (auto& [command, item] : ItemsByCommand())
        if (reinterpret_cast<ULONG_PTR>(item) == Data) return item;
    return nullptr;
}

constexpr int kGap = 4;

// The system's menu font, or its bold form for a default item.
HFONT MenuFont(bool Bold = false) {
    static const LOGFONTA plain = [] {
        NONCLIENTMETRICSA ncm = {};
        ncm.cbSize = sizeof ncm;
        SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0);
        return ncm.lfMenuFont;
    }();
    static HFONT regular = CreateFontIndirectA(&plain);
    static HFONT bold = [] {
        LOGFONTA lf = plain;
        lf.lfWeight = FW_BOLD;
        return CreateFontIndirectA(&lf);
    }();
    return Bold ? bold : regular;
}

TImageList* ImagesOf(const TMenuItem* Item) { return Item->Menu() ? Item->Menu()->Images : nullptr; }

int ImageWidth(const TMenuItem* Item) {
    TImageList* images = ImagesOf(Item);
    return images ? images->Width : 16;
}

bool TopLevel(const TMenuItem* Item) { return !Item->Parent() && dynamic_cast<TMainMenu*>(Item->Menu()); }

std::string ShortCutTextOf(const TMenuItem* Item) { return ShortCutToText(Item->ShortCut); }

// Owner-drawn items have no mnemonics of their own: the "&" letter of a
// caption chooses its item here.
LRESULT MenuChar(char Letter, HMENU Menu) {
    const int wanted = std::toupper(static_cast<unsigned char>(Letter));
    for (int i = 0, n = GetMenuItemCount(Menu); i < n; ++i) {
        MENUITEMINFOA mii = {};
        mii.cbSize = sizeof mii;
        mii.fMask = MIIM_DATA;
        GetMenuItemInfoA(Menu, static_cast<UINT>(i), TRUE, &mii);
        TMenuItem* item = ItemOfData(mii.dwItemData);
        if (!item || !item->Enabled) continue;
        const auto amp = item->Caption.find('&');
        if (amp == std::string::npos || amp + 1 >= item->Caption.size()) continue;
        if (std::toupper(static_cast<unsigned char>(item->Caption[amp + 1])) == wanted)
            return MAKELRESULT(i, MNC_EXECUTE);
    }
    return MAKELRESULT(0, MNC_IGNORE);
}

void AppendItems(HMENU Menu, const std::vector<TMenuItem*>& Items) {
    for (TMenuItem* item : Items) {
        if (!item->Visible) continue;
        if (item->IsLine()) {
            AppendMenuA(Menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        const UINT state = item->Enabled ? 0 : MF_GRAYED;
        if (item->Items().empty()) {
            AppendMenuA(Menu, MF_OWNERDRAW | state, item->Command(), reinterpret_cast<LPCSTR>(item));
        } else {
            // Filled when it opens, after its item's OnClick has run.
            HMENU sub = CreatePopupMenu();
            MENUINFO mi = {};
            mi.cbSize = sizeof mi;
            mi.fMask = MIM_MENUDATA;
            mi.dwMenuData = reinterpret_cast<ULONG_PTR>(item);
            SetMenuInfo(sub, &mi);
            AppendMenuA(Menu, MF_OWNERDRAW | MF_POPUP | state, reinterpret_cast<UINT_PTR>(sub),
                        reinterpret_cast<LPCSTR>(item));
        }
        if (item->Default) SetMenuDefaultItem(Menu, static_cast<UINT>(GetMenuItemCount(Menu) - 1), TRUE);
    }
}

LRESULT CALLBACK MenuWindowProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);

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

// Runs the OnClick of the submenus above an item, from the top down, so
// that the states they set hold before the item is used.
void RefreshAbove(TMenuItem* Item) {
    std::vector<TMenuItem*> chain;
    for (TMenuItem* p = Item->Parent(); p; p = p->Parent()) chain.push_back(p);
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) Fire((*it)->OnClick, *it);
}

TMenuItem* FindShortCut(const std::vector<TMenuItem*>& Items, TShortCut Key) {
    for (TMenuItem* item : Items) {
        if (!item->Visible) continue;
        if (item->ShortCut == Key && item->Items().empty()) return item;
        if (TMenuItem* found = FindShortCut(item->Items(), Key)) return found;
    }
    return nullptr;
}

}  // namespace

namespace {

LRESULT CALLBACK MenuWindowProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
    bool handled = false;
    const LRESULT r = MenuMessage(Msg, WParam, LParam, handled);
    return handled ? r : DefWindowProcA(Wnd, Msg, WParam, LParam);
}

}  // namespace

// The menu messages of a window that owns this module's menus.
LRESULT MenuMessage(UINT Msg, WPARAM WParam, LPARAM LParam, bool& Handled) {
    Handled = true;
    switch (Msg) {
    case WM_MEASUREITEM:
        if (reinterpret_cast<MEASUREITEMSTRUCT*>(LParam)->CtlType != ODT_MENU) break;
        SafeCall([&] { MeasureMenuItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(LParam)); });
        return TRUE;
    case WM_DRAWITEM:
        if (reinterpret_cast<DRAWITEMSTRUCT*>(LParam)->CtlType != ODT_MENU) break;
        SafeCall([&] { DrawMenuItem(*reinterpret_cast<DRAWITEMSTRUCT*>(LParam)); });
        return TRUE;
    case WM_INITMENUPOPUP:
        if (HIWORD(LParam)) break;  // the window's system menu
        SafeCall([&] { TMenu::FillSubmenu(reinterpret_cast<HMENU>(WParam)); });
        return 0;
    case WM_MENUCHAR:
        return MenuChar(static_cast<char>(LOWORD(WParam)), reinterpret_cast<HMENU>(LParam));
    case WM_MENUSELECT: {
        // The selected item's hint is the application's while it is
        // selected; a closing menu clears it.
        std::string hint;
        if (HIWORD(WParam) != 0xFFFF || LParam) {
            MENUITEMINFOA mii = {};
            mii.cbSize = sizeof mii;
            mii.fMask = MIIM_DATA;
            const bool byPosition = (HIWORD(WParam) & MF_POPUP) != 0;
            if (GetMenuItemInfoA(reinterpret_cast<HMENU>(LParam), LOWORD(WParam), byPosition, &mii))
                if (TMenuItem* item = ItemOfData(mii.dwItemData)) hint = item->Hint;
        }
        SafeCall([&] { Application->SetHint(hint); });
        return 0;
    }
    default:
        break;
    }
    Handled = false;
    return 0;
}

std::string ShortCutToText(TShortCut ShortCut) {
    if (!ShortCut) return "";
    std::string text;
    if (ShortCut & scCtrl) text += "Ctrl+";
    if (ShortCut & scShift) text += "Shift+";
    if (ShortCut & scAlt) text += "Alt+";
    const UINT vk = ShortCut & 0xFF;
    if (vk >= VK_F1 && vk <= VK_F24) return text + "F" + std::to_string(vk - VK_F1 + 1);
    switch (vk) {
    case VK_DELETE: return text + "Del";
    case VK_INSERT: return text + "Ins";
    case VK_RETURN: return text + "Enter";
    case VK_ESCAPE: return text + "Esc";
    default: break;
    }
    return text + static_cast<char>(vk);
}

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {
    static UINT next = 100;
    FCommand = next++;
    ItemsByCommand()[FCommand] = this;
}

TMenuItem::~TMenuItem() { ItemsByCommand().erase(FCommand); }

TMenuItem* TMenuItem::FromCommand(UINT Command) {
    auto it = ItemsByCommand().find(Command);
    return it == ItemsByCommand().end() ? nullptr : it->second;
}

void TMenuItem::Add(TMenuItem* Item) {
    Item->FParent = this;
    Item->FMenu = FMenu;
    FItems.push_back(Item);
}

TMenu* TMenuItem::Menu() const {
    const TMenuItem* top = this;
    while (top->FParent) top = top->FParent;
    return top->FMenu;
}

void TMenu::Add(TMenuItem* Item) {
    Item->FMenu = this;
    FItems.push_back(Item);
}

HMENU TMenu::Build(bool Popup) {
    HMENU menu = Popup ? CreatePopupMenu() : CreateMenu();
    AppendItems(menu, FItems);
    return menu;
}

void TMenu::FillSubmenu(HMENU Submenu) {
    MENUINFO mi = {};
    mi.cbSize = sizeof mi;
    mi.fMask = MIM_MENUDATA;
    if (!GetMenuInfo(Submenu, &mi)) return;
    TMenuItem* item = ItemOfData(mi.dwMenuData);
    if (!item) return;
    Fire(item->OnClick, item);
    while (GetMenuItemCount(Submenu) > 0) DeleteMenu(Submenu, 0, MF_BYPOSITION);
    AppendItems(Submenu, item->Items());
}

void MeasureMenuItem(MEASUREITEMSTRUCT& M) {
    TMenuItem* item = ItemOfData(M.itemData);
    if (!item) return;
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, MenuFont(item->Default));
    SIZE text = {0, 0}, shortcut = {0, 0};
    GetTextExtentPoint32A(dc, item->Caption.c_str(), static_cast<int>(item->Caption.size()), &text);
    const std::string keys = ShortCutTextOf(item);
    if (!keys.empty()) GetTextExtentPoint32A(dc, keys.c_str(), static_cast<int>(keys.size()), &shortcut);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    if (TopLevel(item)) {
        // An item of the menu bar: its caption alone.
        M.itemWidth = static_cast<UINT>(text.cx + kGap);
        M.itemHeight = static_cast<UINT>(text.cy + 4);
        return;
    }
    M.itemWidth = static_cast<UINT>(kGap + ImageWidth(item) + 2 * kGap + text.cx +
                                    (shortcut.cx ? 3 * kGap + shortcut.cx : 0));
    M.itemHeight = static_cast<UINT>(std::max<LONG>(text.cy + 4, ImageWidth(item) + 4));
}

namespace {

// The ground of an item. A selected pop-up item is highlighted. An item of
// the menu bar goes with the text colour that its drawing handler chose:
// highlighted text on the highlight; other text on the bar's own colour,
// sunken while its menu is open and raised while the mouse is over it.
void FillGround(const TMenuItem* Item, TCanvas& Canvas, const DRAWITEMSTRUCT& D, bool Selected) {
    const bool highlighted =
        Selected && (!TopLevel(Item) || ColorToRGB(Canvas.Font.Color()) == GetSysColor(COLOR_HIGHLIGHTTEXT));
    Canvas.Brush.SetColor(clSystemColor | (highlighted ? COLOR_HIGHLIGHT : COLOR_MENU));
    Canvas.FillRect(D.rcItem);
    if (!Selected || highlighted) return;
    RECT r = D.rcItem;
    DrawEdge(Canvas.Handle(), &r, (D.itemState & ODS_SELECTED) ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
}

}  // namespace

void DrawMenuItem(const DRAWITEMSTRUCT& D) {
    TMenuItem* item = ItemOfData(D.itemData);
    if (!item) return;
    const bool selected = (D.itemState & (ODS_SELECTED | ODS_HOTLIGHT)) != 0;
    TDCCanvas canvas(D.hDC);
    LOGFONTA lf = {};
    GetObjectA(MenuFont(), sizeof lf, &lf);
    canvas.Font.SetName(lf.lfFaceName);
    canvas.Font.SetHeight(lf.lfHeight);
    canvas.Font.SetColor(clSystemColor | (selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
    if (item->OnDrawItem) item->OnDrawItem(item, canvas, D.rcItem, selected);
    if (item->Default) canvas.Font.SetStyle(canvas.Font.Style() | fsBold);
    FillGround(item, canvas, D, selected);
    if (!item->Enabled) canvas.Font.SetColor(clSystemColor | COLOR_GRAYTEXT);
    canvas.Brush.SetClear(true);
    RECT r = D.rcItem;
    const UINT flags = DT_SINGLELINE | DT_VCENTER | ((D.itemState & ODS_NOACCEL) ? DT_HIDEPREFIX : 0);
    if (TopLevel(item)) {
        DrawTextA(canvas.Handle(), item->Caption.c_str(), -1, &r, flags | DT_CENTER);
        return;
    }
    const int w = ImageWidth(item);
    const int imageTop = r.top + (r.bottom - r.top - w) / 2;
    if (item->ImageIndex >= 0 && ImagesOf(item)) {
        ImagesOf(item)->Draw(canvas, r.left + kGap, imageTop, item->ImageIndex, item->Enabled);
    } else if (item->Checked) {
        RECT mark = {r.left + kGap, imageTop, r.left + kGap + w, imageTop + w};
        DrawFrameControl(canvas.Handle(), &mark, DFC_MENU, DFCS_MENUCHECK);
    }
    r.left += kGap + w + 2 * kGap;
    r.right -= 2 * kGap;
    DrawTextA(canvas.Handle(), item->Caption.c_str(), -1, &r, flags | DT_LEFT);
    const std::string keys = ShortCutTextOf(item);
    if (!keys.empty()) DrawTextA(canvas.Handle(), keys.c_str(), -1, &r, flags | DT_RIGHT);
}

void TPopupMenu::Popup(int X, int Y) {
    Fire(OnPopup, this);
    HMENU menu = Build(true);
    // The items are measured and drawn by the module's own menu window; the
    // window the user works in stays in front.
    const UINT chosen = static_cast<UINT>(TrackPopupMenuEx(
        menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN, X, Y, MenuWindow(), nullptr));
    DestroyMenu(menu);
    TMenuItem* item = TMenuItem::FromCommand(chosen);
    if (item && item->Enabled) Fire(item->OnClick, item);
}

bool TMainMenu::IsShortCut(TShortCut Key) {
    TMenuItem* item = FindShortCut(Items(), Key);
    if (!item) return false;
    RefreshAbove(item);
    if (!item->Enabled || !item->Visible) return false;
    Fire(item->OnClick, item);
    return true;
}

}  // namespace forms
