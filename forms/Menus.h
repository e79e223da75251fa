// Pop-up menus with owner-drawn items (image, caption, shortcut text, check
// mark, disabled look) and the image lists they draw from.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Classes.h"
#include "Graphics.h"

namespace forms {

// Pictures of one size, each with a colour that shows through: for a
// bitmap the colour of its bottom-left pixel, for an icon its transparent
// pixels.
class TImageList : public TComponent {
public:
    explicit TImageList(TComponent* AOwner) : TComponent(AOwner) {}
    ~TImageList() override;
    int Width = 16, Height = 16;
    int Count() const;
    int Add(std::unique_ptr<TBitmap> Image);
    // Adds a copy of the icon at the list's size, with the icon's own
    // transparency; the icon stays the caller's. Returns its index.
    int AddIcon(HICON Icon);
    // A new icon of picture Index, which the caller destroys; nullptr for
    // an index outside the list.
    HICON GetIcon(int Index) const;
    // Adds the pictures of a bitmap resource that holds them side by side,
    // Width pixels each; returns how many.
    int AddStrip(HINSTANCE Instance, const char* Resource);
    // Draws picture Index with its top-left at (X, Y); disabled pictures
    // show in the system's grey text colour.
    void Draw(TCanvas& Canvas, int X, int Y, int Index, bool Enabled);
    // The system's image list of the same pictures, made when first asked
    // for and taking the pictures added later, with each picture's
    // transparent pixels masked.
    HIMAGELIST SystemList();
    // The same for disabled buttons: each picture greyed, its light parts
    // lighter than its dark ones, so that the glyph still shows its shape.
    // None for a shared list.
    HIMAGELIST DisabledSystemList();
    // Shows the pictures of a system image list that belongs to someone else
    // (the shell's list of small icons): the list takes their size and count,
    // draws them from that list, adds none of its own and never frees it.
    void ShareSystemList(HIMAGELIST List);
    bool Shared() const { return FShared; }

private:
    struct Entry {
        std::unique_ptr<TBitmap> Image;
        COLORREF Transparent;  // the colour of the pixels that show through
    };
    // The picture as a colour bitmap, black where the ground shows through,
    // and a mask that is set there: what icons and the system's lists take.
    // Greyed: the colours as the disabled list shows them.
    void MaskedBitmaps(const Entry& Picture, HBITMAP& Color, HBITMAP& Mask, bool Greyed = false) const;
    // Adds the picture, greyed or not, to a system list.
    void AddTo(HIMAGELIST List, const Entry& Picture, bool Greyed) const;
    // A system list of the pictures, or of the pictures greyed.
    HIMAGELIST MakeSystemList(bool Greyed) const;
    int AddEntry(Entry Picture);
    std::vector<Entry> FImages;
    HIMAGELIST FSystemList = nullptr;
    HIMAGELIST FDisabledList = nullptr;
    bool FShared = false;
};

class TMenu;
class TMenuItem;
using TMenuDrawItemEvent =
    std::function<void(TMenuItem* Sender, TCanvas& Canvas, const RECT& Rect, bool Selected)>;

// A shortcut: the virtual-key code with the modifiers in the high byte.
typedef WORD TShortCut;
enum : WORD { scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000 };
// The text a menu shows for a shortcut ("Ctrl+S", "F10", "Alt+1").
std::string ShortCutToText(TShortCut ShortCut);

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* AOwner);
    ~TMenuItem() override;
    std::string Caption;  // "-" is a separator
    std::string Hint;     // becomes the application's hint while the item is selected
    TShortCut ShortCut = 0;
    int ImageIndex = -1;
    bool Enabled = true;
    bool Checked = false;
    bool Visible = true;
    // The item that stands for the menu's main command: shown in bold.
    bool Default = false;
    // For an item with a submenu, OnClick runs each time the submenu opens.
    TNotifyEvent OnClick;
    // Runs before the item is drawn, to prepare the canvas's font and colour.
    TMenuDrawItemEvent OnDrawItem;
    bool IsLine() const { return Caption == "-"; }

    const std::vector<TMenuItem*>& Items() const { return FItems; }
    void Add(TMenuItem* Item);
    TMenuItem* Parent() const { return FParent; }
    TMenu* Menu() const;
    UINT Command() const { return FCommand; }
    // The item of this module behind a menu command, or nullptr.
    static TMenuItem* FromCommand(UINT Command);

private:
    friend class TMenu;
    std::vector<TMenuItem*> FItems;
    TMenuItem* FParent = nullptr;
    TMenu* FMenu = nullptr;
    UINT FCommand;
};

// What pop-up and main menus share: their items and pictures.
class TMenu : public TComponent {
public:
    using TComponent::TComponent;
    const std::vector<TMenuItem*>& Items() const { return FItems; }
    void Add(TMenuItem* Item);
    TImageList* Images = nullptr;
    // The window system's menu of these items, made anew; submenus are
    // filled when they open.
    HMENU Build(bool Popup);
    // Fills a submenu that is opening: its item's OnClick first, so that the
    // states it sets are the ones shown.
    static void FillSubmenu(HMENU Submenu);

private:
    std::vector<TMenuItem*> FItems;
};

class TPopupMenu : public TMenu {
public:
    using TMenu::TMenu;
    // Runs each time the menu opens, before it shows.
    TNotifyEvent OnPopup;
    // Shows the menu at a point of the screen and runs the chosen item's
    // OnClick after it has closed.
    void Popup(int X, int Y);
};

// The menu bar of a form.
class TMainMenu : public TMenu {
public:
    using TMenu::TMenu;
    // A key with its modifiers that is the shortcut of an item: the submenus
    // above it refresh their states first, then the item runs when it is
    // enabled. True when the key was such a shortcut.
    bool IsShortCut(TShortCut Key);
};

// Measuring and drawing of owner-drawn items, for the windows that own menus.
void MeasureMenuItem(MEASUREITEMSTRUCT& Measure);
void DrawMenuItem(const DRAWITEMSTRUCT& Draw);
// The menu messages (measure, draw, a submenu opening, a letter) of a window
// that owns this module's menus; Handled tells whether it was one.
LRESULT MenuMessage(UINT Msg, WPARAM WParam, LPARAM LParam, bool& Handled);

}  // namespace forms
