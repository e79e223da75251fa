// The program's pictures: the numbers of the pictures in the image lists
// of the main window, which the bars, menus and lists draw from.
#pragma once
#include "Menus.h"

namespace Images {
// imlImages, from the bitmap resource IMAGES.
enum : int {
    New, Open, Save, Print, PrintPreview, Undo, Redo, Copy, Cut, Paste, Clear, SelectAll, Crop, FlipRotate, Mirror, Invert,
    Transpose, RotateLeft, RotateRight, Resize, Brightness, Catalog, Theme, Wizard, ScreenCapture, PreviousScreen,
    Properties, CaptureNow, KeyPressed, TimeDelay, HelpTopics, About, OptionsDialog, Wallpaper, Reload, Close, Arrange,
    Cascade, FitPage, WindowList, HomePage, PictureSize, Depth, Grayscale, InvertColors, MouseCursor,
    PasteAsNew, Exit, CloseAll, DefaultColors, SwapColors
};
}  // namespace Images

namespace CommonImages {
// imlCommon, 32 x 32, from the bitmap resource COMMON; the two brightness
// pictures keep to their top-left 16 x 16.
enum : int { Portrait, Landscape, NewScreen, OpenFile, CaptureThemes, ScreenCapture, LessBrightness, MoreBrightness };
}  // namespace CommonImages

// A new image list of Size x Size pictures from a bitmap resource of the
// program that holds them side by side.
forms::TImageList* LoadImageList(forms::TComponent* Owner, const char* Name, const char* Resource, int Size);
