// The Image menu: its states, crop, flips and turns, colour depth, grey
// scale, inverted colours, brightness and resize, with the dialogs that
// choose their values.
#include "ImageCommands.h"

#include <windows.h>

#include <functional>
#include <memory>

#include "Brightness.h"
#include "Child.h"
#include "ColorDepth.h"
#include "Common.h"
#include "Main.h"
#include "PixelRoutines.h"
#include "RegData.h"
#include "Resize.h"
#include "Rotate.h"

using namespace forms;

namespace {

bool HasSelection(TfrmChild* Screen) { return Screen->SelImage && Screen->panSelect->Visible(); }

// The active screen, its stroke or unfinished curve ended (the picture as
// before it): a later click would put back the picture from before the
// command, and the command would be lost. nullptr without an active screen.
TfrmChild* CommandScreen() {
    TfrmChild* screen = ActiveScreen();
    if (screen) CancelTool(screen, false);
    return screen;
}

// The controls that show a picture take its size when a command changed it,
// a floating selection keeping its top-left corner; false when the size is
// the same.
bool FollowSize(TfrmChild* Screen, bool Selection) {
    TImage* image = Selection ? Screen->SelImage : Screen->picMain;
    const TBitmap& picture = image->Picture.Bitmap();
    const int w = picture.Width(), h = picture.Height();
    if (image->Width() == w && image->Height() == h) return false;
    if (Selection) {
        Screen->ShapeW = w;
        Screen->ShapeH = h;
        Screen->SelRect.right = Screen->SelRect.left + w;
        Screen->SelRect.bottom = Screen->SelRect.top + h;
        Screen->panSelect->SetBounds(Screen->panSelect->Left(), Screen->panSelect->Top(), w, h);
        image->SetBounds(0, 0, w, h);
    } else {
        image->SetBounds(image->Left(), image->Top(), w, h);
    }
    return true;
}

// The frame of the commands. They work on the floating selection's picture,
// or without one on the screen's. Make builds from it what the command
// needs and may fail (for want of memory), which leaves all as it was; then
// the selection is lifted, once, or the screen's picture becomes an undo
// step, and Change alters the picture without failing. The selection's
// marching frame stops while its pixels are read and starts again around
// its new size; a screen whose picture changed its size is fitted again.
void ChangePicture(TfrmChild* Screen, const std::function<void(TBitmap&)>& Make,
                   const std::function<void(TBitmap&)>& Change) {
    const bool selection = HasSelection(Screen);
    TImage* image = selection ? Screen->SelImage : Screen->picMain;
    TBitmap& picture = image->Picture.Bitmap();
    if (picture.Empty()) return;
    if (selection) HideFrame(Screen);
    try {
        if (Make) Make(picture);
        if (selection)
            LiftSelection(Screen);
        else
            Screen->Undo->Add(picture);
    } catch (...) {
        if (selection) ShowFrame(Screen);
        throw;
    }
    Change(picture);
    if (FollowSize(Screen, selection) && !selection) FitToPage(Screen, false);
    image->Invalidate();
    if (selection) {
        Screen->AntsRect = {0, 0, picture.Width(), picture.Height()};
        ShowFrame(Screen);
    }
    SetModified(Screen, true);
}

// Runs a command on the active screen; a failure is told with the system's
// last error.
void OnActiveScreen(const std::function<void(TfrmChild*)>& Command) {
    if (TfrmChild* screen = CommandScreen()) Reported([&] { Command(screen); });
}

void Crop(TfrmChild* Screen) {
    TBitmap& selection = Screen->SelImage->Picture.Bitmap();
    TBitmap cropped;
    HideFrame(Screen);
    try {
        cropped.Assign(selection);
        // The undo step is the picture as the user saw it, with the
        // selection stamped where it lies.
        TBitmap& before = Screen->picBackup->Picture.Bitmap();
        before.Assign(Screen->Picture());
        DropSelection(Screen, before);
        Screen->Undo->Add(before);
    } catch (...) {
        ShowFrame(Screen);
        throw;
    }
    CancelTool(Screen, true);
    Screen->Picture().Exchange(cropped);
    FollowSize(Screen, false);
    Screen->picMain->Invalidate();
    SetModified(Screen, true);
}

}  // namespace

void FlipActiveScreen(int Kind) {
    if (Kind < 1 || Kind > 5) return;
    OnActiveScreen([Kind](TfrmChild* Screen) {
        std::unique_ptr<TBitmap> result;
        ChangePicture(
            Screen, [&](TBitmap& Picture) { result = TransformBitmap(Kind, Picture); },
            [&](TBitmap& Picture) { Picture.Exchange(*result); });
    });
}

void ReduceActiveScreenColors(int Depth) {
    static const TPixelFormat kFormats[] = {pf1bit, pf4bit, pf8bit, pf15bit};
    if (Depth < 1 || Depth > 4) return;
    OnActiveScreen([Depth](TfrmChild* Screen) {
        // The reduced picture is small; the way back writes over the
        // picture's own pixels.
        TBitmap reduced;
        ChangePicture(
            Screen, [&](TBitmap& Picture) { reduced.AssignConverted(Picture, kFormats[Depth - 1]); },
            [&](TBitmap& Picture) { Picture.AssignConverted(reduced, pf24bit); });
    });
}

void BrightenActiveScreen(int Amount, int Style) {
    if (Amount == 0) return;
    OnActiveScreen([=](TfrmChild* Screen) {
        ChangePicture(Screen, nullptr, [=](TBitmap& Picture) { ApplyBrightness(Picture, Amount, Style); });
    });
}

void ResizeActiveScreen(int Width, int Height, bool Stretch) {
    if (Width < 1 || Height < 1) return;
    OnActiveScreen([=](TfrmChild* Screen) {
        // The area gained takes the screen's background colour, on the whole
        // picture and on a selection alike.
        const TColor fill = Screen->ScreenBackColor;
        TBitmap resized;
        ChangePicture(
            Screen,
            [&](TBitmap& Picture) {
                if (!HasSelection(Screen)) Picture.Canvas().Brush.SetColor(fill);
                ResizeBitmap(Picture, Width, Height, Stretch, fill, resized);
            },
            [&](TBitmap& Picture) { Picture.Exchange(resized); });
    });
}

void TfrmMain::mnuImage_Click(TComponent*) {
    const TScreenFacts screen = ActiveScreenFacts();
    MenuItem("mnuImageCrop")->Enabled = CommandStatesFor(ScreenCount(), MaxScreens, screen, false).Crop;
    for (const char* name : {"mnuImageFlip", "mnuImageResize", "mnuImageBrightness", "mnuImageDepth",
                             "mnuImageGrayscale", "mnuImageInvertColor"})
        MenuItem(name)->Enabled = screen.Active;
}

void TfrmMain::mnuImageCrop_Click(TComponent*) {
    TfrmChild* screen = CommandScreen();
    if (!screen || !HasSelection(screen) || SelectionIsWholePicture(screen)) return;
    Reported([&] { Crop(screen); });
    if (TfrmChild* active = ActiveScreen()) FitToPage(active, false);
}

namespace {

// The choice of a dialog shown for a command: its setting's index plus 1
// after OK, 0 after Cancel. The strokes of every screen end first, so that
// none is left half done behind the dialog.
int ChosenIn(TForm* Dialog, const int& Setting) {
    EndToolActions(true, false);
    return Dialog->ShowModal() == mrOk ? Setting + 1 : 0;
}

}  // namespace

void TfrmMain::mnuImageFlip_Click(TComponent* Sender) {
    // Tag 1, Rotate... and the tool button, lets the dialog choose the kind.
    FlipActiveScreen(Sender->Tag == 1 ? ChosenIn(frmRotate, Rotate) : Sender->Tag - 1);
}

void TfrmMain::mnuImageDepth_Click(TComponent* Sender) {
    // Tag 1, Color Depth..., lets the dialog choose the depth.
    ReduceActiveScreenColors(Sender->Tag == 1 ? ChosenIn(frmColorDepth, ColorDepth) : Sender->Tag - 1);
}

void TfrmMain::mnuImageBrightness_Click(TComponent*) {
    if (frmBrightness->ShowModal() == mrOk) BrightenActiveScreen(BrightnessValue, BrightStyle);
}

void TfrmMain::mnuImageResize_Click(TComponent*) {
    TfrmChild* screen = ActiveScreen();
    if (!screen) return;
    EndToolActions(true, false);
    const TImage* picture = HasSelection(screen) ? screen->SelImage : screen->picMain;
    ResizeWidth = picture->Width();
    ResizeHeight = picture->Height();
    if (frmResize->ShowModal() != mrOk) return;
    ResizeActiveScreen(ResizeWidth, ResizeHeight, HasOption(OptResizeStretch));
}

void TfrmMain::mnuImageGrayscale_Click(TComponent*) {
    OnActiveScreen([](TfrmChild* Screen) { ChangePicture(Screen, nullptr, ConvertToGrayscale); });
}

void TfrmMain::mnuImageInvertColor_Click(TComponent*) {
    OnActiveScreen([](TfrmChild* Screen) { ChangePicture(Screen, nullptr, InvertColors); });
}
