// Pop-up menus with owner-drawn items (image, caption, shortcut text, check
// mark, disabled look) and the image lists they draw from.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Classes.h"
#include "Graphics.h"

namespace forms {

// Pictures of one size; the colour of each picture's bottom-left pixel shows
// through.
class TImageList : public TComponent {
public:
    explicit TImageList(TComponent* AOwner) : TComponent(AOwner) {}
    int Width = 16, Height = 16;
    int Count() const { return static_cast<int>(FImages.size()); }
    int Add(std::unique_ptr<TBitmap> Image);
    // Draws picture Index with its top-left at (X, Y); disabled pictures
    // show in the system's grey text colour.
    void Draw(TCanvas& Canvas, int X, int Y, int Index, bool Enabled);

private:
    std::vector<std::unique_ptr<TBitmap>> FImages;
};

class TMenuItem;
using TMenuDrawItemEvent =
    std::function<void(TMenuItem* Sender, TCanvas& Canvas, const RECT& Rect, bool Selected)>;

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}
    std::string Caption;  // "-" is a separator
    std::string ShortCutText;
    int ImageIndex = -1;
    bool Enabled = true;
    bool Checked = false;
    bool Visible = true;
    TNotifyEvent OnClick;
    // Runs before the item is drawn, to prepare the canvas's font and colour.
    TMenuDrawItemEvent OnDrawItem;
    bool IsLine() const { return Caption == "-"; }
};

class TPopupMenu : public TComponent {
public:
    explicit TPopupMenu(TComponent* AOwner) : TComponent(AOwner) {}
    std::vector<TMenuItem*> Items;
    TImageList* Images = nullptr;
    // Runs each time the menu opens, before it shows.
    TNotifyEvent OnPopup;
    // Shows the menu at a point of the screen and runs the chosen item's
    // OnClick after it has closed.
    void Popup(int X, int Y);
};

}  // namespace forms
