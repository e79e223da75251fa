#include "ProgramForms.h"

#include "Brightness.h"
#include "Catalog.h"
#include "CatalogComment.h"
#include "CloseAll.h"
#include "ColorDepth.h"
#include "Forms.h"
#include "Main.h"
#include "New.h"
#include "Options.h"
#include "Resize.h"
#include "Rotate.h"
#include "SetAsWallpaper.h"
#include "StartupDialog.h"
#include "Window.h"

void CreateProgramForms() {
    using forms::Application;
    Application->CreateForm(frmMain);
    Application->CreateForm(frmBrightness);
    Application->CreateForm(frmCatalog);
    Application->CreateForm(frmCatalogComment);
    Application->CreateForm(frmCloseAll);
    Application->CreateForm(frmColorDepth);
    Application->CreateForm(frmNew);
    Application->CreateForm(frmOptions);
    Application->CreateForm(frmResize);
    Application->CreateForm(frmRotate);
    Application->CreateForm(frmSetAsWallpaper);
    Application->CreateForm(frmStartup);
    Application->CreateForm(frmWindow);
}
