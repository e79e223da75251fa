// The program's main window: the multiple-document frame with its menus,
// the two cool bars and their tool bars and palettes, the magnifier and the
// status bar.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include "CommandStates.h"
#include "ComboBox.h"
#include "CoolBar.h"
#include "Forms.h"
#include "ListBox.h"
#include "Menus.h"
#include "Timer.h"
#include "ToolBar.h"

class TfrmMain : public forms::TForm {
public:
    explicit TfrmMain(forms::TComponent* AOwner);

    // Menus.
    forms::TMainMenu* mnuMain;
    forms::TMenuItem *mnuFile, *mnuEdit, *mnuView, *mnuCapture, *mnuImage, *mnuWindow, *mnuHelp;
    forms::TPopupMenu *mnuPToolbar, *mnuPRotate, *mnuPTheme, *mnuPEdit;
    forms::TImageList *imlImages, *imlChild, *imlDrawingTools, *imlColors;
    // The notification-area icon of an armed capture: 0 waiting, n the
    // seconds of a delay still to run.
    forms::TImageList* imlTrayIcons;
    // The dialogs' 32 x 32 pictures (CommonImages).
    forms::TImageList* imlCommon;

    // The main cool bar and its three tool bars.
    forms::TCoolBar* clbMain;
    forms::TToolBar *tlbStandard, *tlbCapture, *tlbQuickCapture;
    forms::TToolButton *tlnNew, *tlnOpen, *tlnSave, *tlnCut, *tlnCopy, *tlnPaste, *tlnUndo, *tlnRedo, *tlnCrop,
        *tlnRotate, *tlnResize, *tlnBrightness, *tlnHelp;
    forms::TToolButton *tlnCatalogBrowser, *tlnTheme, *tlnScreenCapture, *tlnPreviousScreen, *tlnCaptureNow1;
    forms::TPanel *panWhen, *panCapture, *panThen;
    forms::TLabel *lblWhen, *lblCapture, *lblThen;
    forms::TComboBox *cboWhen, *cboCapture, *cboThen;
    forms::TToolButton *tlnWhenProperties, *tlnCaptureProperties, *tlnThenProperties, *tlnCaptureNow2;

    // The drawing cool bar: tools with their option lists, colours, magnifier.
    forms::TCoolBar* clbDrawings;
    forms::TPanel* panDrawingTools;
    forms::TToolBar* tlbDrawingTools;
    forms::TListBox *lstDrawingWidth, *lstDrawingType, *lstDrawingASize, *lstDrawingESize, *lstDrawingFont, *lstDummy;
    forms::TPanel* panColors;
    forms::TImage *picForeColor, *picBackColor;
    forms::TToolBar* tlbColors;
    forms::TPanel* panMagnifier;
    forms::TLabel* lblMagnifier;
    forms::TComboBox* cboMagnifier;
    forms::TImage* picMagnifierBack;
    forms::TPanel* panMagnifierFront;
    forms::TImage* picMagnifier;

    // The status bar: four panels, the last one the overlay of status hints.
    forms::TPanel *panStatusBar, *panStatusBar1, *panStatusBar2, *panStatusBar3, *panStatusBar4;
    forms::TImage *picStatusBar1, *picStatusBar2, *picStatusBar3;
    forms::TLabel *lblStatusBar1, *lblStatusBar2, *lblStatusBar3, *lblStatusBar4;

    forms::TTimer *tmrMain, *tmrComboBox, *tmrCapture, *tmrAirbrush;

    // The routines that keep the frame in step with the settings and the
    // active screen.
    int FindBand(bool DrawingBar, int Number);
    void ApplyLookSettings();
    void RestoreWindowPlacement();
    void RestoreToolbarLayout();
    void SaveWindowPlacement();
    void SaveToolbarLayout();
    void UpdateStatusBar();
    void UpdateToolbarVisibility();
    void UpdateCommandStates();
    void DrawColorBoxes();

    void Form_Create(forms::TComponent* Sender);
    void Form_Destroy(forms::TComponent* Sender);
    void Form_Activate(forms::TComponent* Sender);
    void Application_Hint(forms::TComponent* Sender);
    void tmrMain_Timer(forms::TComponent* Sender);
    void Form_CloseQuery(forms::TComponent* Sender, bool& CanClose);
    // The session is asked to end: true when it may (screens saved or
    // dropped as the user chose). It ends (Ending) or goes on.
    bool WMQueryEndSession();
    void WMEndSession(bool Ending);
    void Form_KeyPress(forms::TComponent* Sender, char& Key);
    void mnuFile_Click(forms::TComponent* Sender);
    void mnuFileNew_Click(forms::TComponent* Sender);
    void mnuFileOpen_Click(forms::TComponent* Sender);
    void mnuFileClose_Click(forms::TComponent* Sender);
    void mnuFileSave_Click(forms::TComponent* Sender);
    void mnuFileReload_Click(forms::TComponent* Sender);
    void mnuFileSetAsWallpaper_Click(forms::TComponent* Sender);
    void mnuFileExit_Click(forms::TComponent* Sender);
    void mnuHelpWeb_Click(forms::TComponent* Sender);
    void mnuHelpAbout_Click(forms::TComponent* Sender);
    void WMDropFiles(HDROP Drop);
    void mnuView_Click(forms::TComponent* Sender);
    void mnuViewToolbars_Click(forms::TComponent* Sender);
    void mnuViewStatusBar_Click(forms::TComponent* Sender);
    void mnuViewMagnifier_Click(forms::TComponent* Sender);
    void mnuViewOptions_Click(forms::TComponent* Sender);
    void mnuWindow_Click(forms::TComponent* Sender);
    void mnuWindowArrange_Click(forms::TComponent* Sender);
    void mnuWindowCloseAll_Click(forms::TComponent* Sender);
    void mnuWindowWindows_Click(forms::TComponent* Sender);
    void mnuCapture_Click(forms::TComponent* Sender);
    void mnuCaptureCapture_Click(forms::TComponent* Sender);
    void mnuCaptureNow_Click(forms::TComponent* Sender);
    void mnuCapturePrevious_Click(forms::TComponent* Sender);
    void mnuCaptureThemeList_Click(forms::TComponent* Sender);
    void mnuCaptureThemeItem_Click(forms::TComponent* Sender);
    void mnuCaptureWizard_Click(forms::TComponent* Sender);
    void tmrCapture_Timer(forms::TComponent* Sender);
    void WMHotKey();
    void mnuPEdit_Popup(forms::TComponent* Sender);
    void mnuPTheme_Popup(forms::TComponent* Sender);
    void mnuPToolbar_Popup(forms::TComponent* Sender);
    void clbDrawings_MouseDown(forms::TComponent* Sender, forms::TMouseButton Button, WPARAM Keys, int X, int Y);
    void clbDrawings_MouseMove(forms::TComponent* Sender, forms::TMouseButton Button, WPARAM Keys, int X, int Y);
    void clbDrawings_MouseUp(forms::TComponent* Sender, forms::TMouseButton Button, WPARAM Keys, int X, int Y);
    void cboToolbar_DrawItem(forms::TWinControl* Sender, forms::TCanvas& Canvas, int Index, const RECT& Rect,
                             UINT State);
    void cboToolbar_Enter(forms::TComponent* Sender);
    void tmrComboBox_Timer(forms::TComponent* Sender);
    void tlnProperties_Click(forms::TComponent* Sender);
    void lstDrawing_DrawItem(forms::TWinControl* Sender, forms::TCanvas& Canvas, int Index, const RECT& Rect,
                             UINT State);
    void lstDrawing_Click(forms::TComponent* Sender);
    void tlnColor_Click(forms::TComponent* Sender);
    void tlnDrawingTool_Click(forms::TComponent* Sender);
    void lstDrawingFont_Click(forms::TComponent* Sender);
    void picColor_MouseDown(forms::TComponent* Sender, forms::TMouseButton Button, WPARAM Keys, int X, int Y);
    void tmrAirbrush_Timer(forms::TComponent* Sender);
    void mnuEdit_Click(forms::TComponent* Sender);
    void mnuEditUndo_Click(forms::TComponent* Sender);
    void mnuEditRedo_Click(forms::TComponent* Sender);
    void mnuEditCut_Click(forms::TComponent* Sender);
    void mnuEditCopy_Click(forms::TComponent* Sender);
    void mnuEditPaste_Click(forms::TComponent* Sender);
    void mnuEditPasteAsNew_Click(forms::TComponent* Sender);
    void mnuEditClear_Click(forms::TComponent* Sender);
    void mnuEditSelectAll_Click(forms::TComponent* Sender);
    void mnuImage_Click(forms::TComponent* Sender);
    void mnuImageCrop_Click(forms::TComponent* Sender);
    void mnuImageFlip_Click(forms::TComponent* Sender);
    void mnuImageResize_Click(forms::TComponent* Sender);
    void mnuImageBrightness_Click(forms::TComponent* Sender);
    void mnuImageDepth_Click(forms::TComponent* Sender);
    void mnuImageGrayscale_Click(forms::TComponent* Sender);
    void mnuImageInvertColor_Click(forms::TComponent* Sender);

private:
    void BuildMenus();
    void BuildMainBar();
    void BuildDrawingBar();
    void BuildStatusBar();
    void CollectMenuItems();
    void KeepDrawingBandsInOneRow();
    // The tool bar buttons that stand for menu commands, with their pictures
    // and hints, added to a bar in order.
    forms::TToolButton* AddButton(forms::TToolBar* Bar, forms::TToolButton*& Member, const char* Name, int Image,
                                  const char* Hint, forms::TToolButtonStyle Style = forms::tbsButton);
    void AddSeparator(forms::TToolBar* Bar, forms::TControl* Control = nullptr);
    forms::TMenuItem* MenuItem(const std::string& Name) const;
    // The eraser's colour: the active screen's background, else a new
    // screen's, or the text colour when the lists draw in it.
    forms::TColor EraserColor() const;
    forms::TColor EraserSampleColor = -1;  // the colour the eraser list was last drawn in
    int LastScreenCount = 0;
    // Writes the window's layout, the drawing colours and every setting to
    // the registry, once: at the end of the session or of the window.
    void StoreSettings();
    bool SettingsStored = false;
};

extern TfrmMain* frmMain;

// The message a second instance broadcasts, registered under the title.
extern UINT ActivateMsg;
// The most screens that may be open at once, 1 to 99.
extern int MaxScreens;
// The drawing colours, plain RGB.
extern forms::TColor ForeColor, BackColor;
// The theme items of the Capture menu and of the Theme button's menu: the
// separator, then the twenty themes; and the drawing tools' buttons, by tool
// number minus 1.
extern forms::TMenuItem* CaptureThemeItems[21];
extern forms::TMenuItem* PopupThemeItems[21];
extern forms::TToolButton* ToolButtons[12];

// The newest capture, nullptr before the first; the main window owns it.
extern forms::TBitmap* CapturedBitmap;

// What the active screen shows.
TScreenFacts ActiveScreenFacts();
