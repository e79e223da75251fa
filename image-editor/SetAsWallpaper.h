// The Set As Wallpaper dialog, where the user picks how the desktop shows
// the active screen, and the temporary bitmap the wallpaper is made from.
#pragma once
#include <string>

#include "ComboBox.h"
#include "Forms.h"

// The description of each style under the list, by style (the list index).
extern const char* const WallpaperDescriptions[4];

class TfrmSetAsWallpaper : public forms::TForm {
public:
    explicit TfrmSetAsWallpaper(forms::TComponent* AOwner);

    forms::TLabel* lblDisplay;
    forms::TComboBox* cboDisplay;
    forms::TImage* picPreview;
    forms::TLabel* lblText;
    forms::TButton *cmdOK, *cmdCancel;

    void Form_Show(forms::TComponent* Sender);
    void cboDisplay_Click(forms::TComponent* Sender);
    void cboDisplay_DrawItem(forms::TWinControl* Sender, forms::TCanvas& Canvas, int Index, const RECT& Rect,
                             UINT State);
    void cmdOK_Click(forms::TComponent* Sender);
    void cmdCancel_Click(forms::TComponent* Sender);

private:
    // The desktop in miniature, with the picture as the style places it.
    void DrawPreview(int Style);
};

extern TfrmSetAsWallpaper* frmSetAsWallpaper;

// A name for the wallpaper's bitmap in the system's temporary folder,
// "~ML", five random capital letters and ".BMP", that no file has yet.
// False when every try found its name taken; Name is then the last one
// tried.
bool NewWallpaperFileName(std::string& Name);
