// Times of the Image menu's pixel work on a 4000 x 3000 picture, best of
// five runs, against a plain copy of as many bytes: the routines, the colour
// depths there and back, a new size, an undo step, and the whole Grayscale command on a
// screen of the program's main window, and what the first conversion to a
// colour depth takes beyond the others. Run by hand (it needs a display);
// prints one line "name: 12.3 ms" per measure and nothing else.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "BestOf.h"
#include "Child.h"
#include "Common.h"
#include "Graphics.h"
#include "Main.h"
#include "Photo.h"
#include "PicUndo.h"
#include "PixelRoutines.h"
#include "Startup.h"

using forms::TBitmap;

namespace {

constexpr int kRuns = 5;

void Print(const char* Name, double Ms) { std::printf("%s: %.1f ms\n", Name, Ms); }

void Measure(const char* Name, const std::function<void()>& Step) {
    Print(Name, BestMs(kRuns, [&] {
              Step();
              return true;
          }));
}

}  // namespace

int main() {
    auto picture = Photo();
    const size_t bytes = static_cast<size_t>(picture->RowBytes()) * kPhotoHeight;
    std::vector<unsigned char> from(picture->ScanLine(0), picture->ScanLine(0) + bytes), to(bytes);
    Measure("memcpy", [&] { std::memcpy(to.data(), from.data(), bytes); });

    Measure("grayscale", [&] { ConvertToGrayscale(*picture); });
    picture = Photo();
    Measure("brightness-all", [&] { ApplyBrightness(*picture, 40, 0); });
    Measure("brightness-left-to-right", [&] { ApplyBrightness(*picture, -40, 1); });
    Measure("brightness-bottom-to-top", [&] { ApplyBrightness(*picture, 40, 4); });
    Measure("invert", [&] { InvertColors(*picture); });
    static const char* const kTurns[] = {"mirror", "upside-down", "half-turn", "rotate-left", "rotate-right"};
    for (int kind = 1; kind <= 5; ++kind) Measure(kTurns[kind - 1], [&] { TransformBitmap(kind, *picture); });

    // A colour depth as the command goes there and back.
    struct Depth {
        const char* Name;
        forms::TPixelFormat Format;
    };
    for (const Depth d : {Depth{"depth-1", forms::pf1bit}, Depth{"depth-4", forms::pf4bit},
                          Depth{"depth-8", forms::pf8bit}, Depth{"depth-16", forms::pf15bit}}) {
        // Every run reduces the same photo, for a reduced one would take the
        // table's quick paths more often than a photo does, and widens it
        // into the same 24-bit bitmap.
        const auto photo = Photo();
        TBitmap back;
        back.Assign(*photo);
        auto thereAndBack = [&] {
            TBitmap reduced;
            reduced.AssignConverted(*photo, d.Format);
            back.AssignConverted(reduced, forms::pf24bit);
            return true;
        };
        // The first conversion to a format also makes its table of nearest
        // colours: what it takes beyond the others, which find the section
        // of the last reduced bitmap of that size to reuse; so does this one.
        {
            TBitmap spare;
            spare.SetPixelFormat(d.Format);
            spare.SetSize(kPhotoWidth, kPhotoHeight);
        }
        const double first = BestMs(1, thereAndBack), best = BestMs(kRuns, thereAndBack);
        Print(d.Name, best);
        Print((std::string(d.Name) + "-first-extra").c_str(), first - best);
    }

    // A new size as the Resize command makes it, stretched and cut.
    {
        auto photo = Photo();
        Measure("resize-stretch", [&] {
            TBitmap resized;
            ResizeBitmap(*photo, 1600, 1200, true, forms::clWhite, resized);
        });
        Measure("resize-keep", [&] {
            TBitmap resized;
            ResizeBitmap(*photo, 1600, 1200, false, forms::clWhite, resized);
        });
    }

    // A screen's list holds five steps after its first five changes; each
    // step after them takes the place of the oldest.
    TPicUndo undo;
    for (int i = 0; i < TPicUndo::kSlots; ++i) undo.Add(*picture);
    Measure("undo-add", [&] { undo.Add(*picture); });

    // The whole command on a screen, until the screen shows the new picture.
    forms::Application->Initialize();
    forms::Application->SetTitle(ProgramTitle);
    forms::Application->CreateForm(frmMain);
    frmMain->Show();
    TfrmChild* screen = CreateScreen("Photo", 0);
    screen->SetPictureSize(kPhotoWidth, kPhotoHeight);
    screen->Picture().Assign(*Photo());
    UpdateScrollBars(screen);
    FitToPage(screen, false);
    auto grayscale = [&] {
        frmMain->mnuImageGrayscale_Click(frmMain);
        RedrawWindow(screen->Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    };
    for (int i = 0; i < TPicUndo::kSlots; ++i) grayscale();
    Measure("command-grayscale", grayscale);
    std::fflush(stdout);
    // The settings the main window would write back at its end stay as
    // they were.
    ExitProcess(0);
}
