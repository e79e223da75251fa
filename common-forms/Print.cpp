#include "Print.h"

#include <winspool.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "DialogLook.h"
#include "Module.h"
#include "PrintMode.h"
#include "ZvCom.h"

using namespace forms;

namespace {

// The dialog between ZvShowPrintInit and ZvShowPrintFree; the mode block
// goes with it.
std::unique_ptr<TfrmPrint> frmPrint;

// Characters of an item's number after its device name.
constexpr size_t kNumberWidth = 3;

void Tell(const std::string& Text, const std::string& Caption, int Icon) {
    ZvMessageBox(ShortString(Text.substr(0, 255)), ShortString(Caption), 1, Icon, ShortString("OK"), ShortString(""),
                 ShortString(""));
}

void TellCannotOpen(const std::string& Device, const std::string& Caption) {
    Tell("Cannot open the printer '" + Device + "'. It may have been removed.", Caption, zvIconExclamation);
}

// The block names a printer when it holds the part of its name that fits
// in its 32 bytes.
bool ModeBelongsTo(const DEVMODEA& Mode, const std::string& Device) {
    return zvcom::ModeDeviceName(Mode) == Device.substr(0, CCHDEVICENAME - 1);
}

}  // namespace

std::string PrinterItem(const std::string& Device, int Number) {
    char number[16];
    std::snprintf(number, sizeof number, "%3d", Number);
    return Device + number;
}

std::string ItemDevice(const std::string& Item) {
    return Item.size() < kNumberWidth ? std::string() : Item.substr(0, Item.size() - kNumberWidth);
}

int ItemNumber(const std::string& Item) {
    if (Item.size() < kNumberWidth) return -1;
    int number = -1;
    return std::sscanf(Item.c_str() + Item.size() - kNumberWidth, "%d", &number) == 1 ? number : -1;
}

TfrmPrint::TfrmPrint(TComponent* AOwner) : TForm(AOwner) {
    Describe({.Name = "frmPrint", .Caption = "Print", .ClientWidth = 425, .ClientHeight = 280,
              .BorderStyle = bsDialog, .BorderIcons = biSystemMenu, .Position = poScreenCenter,
              .OnCreate = Handler(&TfrmPrint::Form_Create), .OnShow = Handler(&TfrmPrint::Form_Show),
              .OnClose = CloseHandler(&TfrmPrint::Form_Close)});
    imlImages = new TImageList(this);
    imlImages->SetName("imlImages");
    imlImages->AddStrip(ModuleInstance(), "PRINTER");
    Add(fraPrinter, {.Name = "fraPrinter", .Left = 9, .Top = 10, .Width = 407, .Height = 111, .Caption = " Printer "});
    Add(lblName, {.Name = "lblName", .Parent = fraPrinter, .Left = 10, .Top = 24, .Caption = "&Name:"});
    Add(cboName,
        {.Name = "cboName", .Parent = fraPrinter, .Left = 50, .Top = 20, .Width = 250, .Height = 22,
         .Hint = "Lists the printers that are connected to your computer",
         .OnChange = Handler(&TfrmPrint::cboName_Click)},
        [this](TComboBox& c) {
            c.ItemHeight = 16;
            c.Sorted = true;
            c.OnDrawItem = [this](TWinControl* s, TCanvas& cv, int i, const RECT& r, UINT st) {
                cboName_DrawItem(s, cv, i, r, st);
            };
        });
    lblName->FocusControl = cboName;
    Add(lblWhere, {.Name = "lblWhere", .Parent = fraPrinter, .Left = 10, .Top = 50, .Caption = "Where:"});
    Add(lblWhereValue, {.Name = "lblWhereValue", .Parent = fraPrinter, .Left = 50, .Top = 50, .Width = 250,
                        .Height = 13, .AutoSize = false, .ShowAccelChar = false});
    Add(panPrinter, {.Name = "panPrinter", .Parent = fraPrinter, .Left = 310, .Top = 18, .Width = 85, .Height = 25});
    Add(cmdProperties, {.Name = "cmdProperties", .Parent = panPrinter, .Left = 0, .Top = 0, .Width = 85, .Height = 25,
                        .Caption = "&Properties...", .Hint = "Changes settings for the selected printer",
                        .OnClick = Handler(&TfrmPrint::cmdProperties_Click)});
    Add(panMain, {.Name = "panMain", .Left = 239, .Top = 250, .Width = 175, .Height = 25, .BevelOuter = bvNone});
    Add(cmdOK, {.Name = "cmdOK", .Parent = panMain, .Left = 0, .Top = 0, .Width = 85, .Height = 25, .Caption = "OK",
                .Hint = "Closes the dialog box and saves any changes you have made", .Default = true,
                .OnClick = Handler(&TfrmPrint::cmdOK_Click)});
    Add(cmdCancel, {.Name = "cmdCancel", .Parent = panMain, .Left = 90, .Top = 0, .Width = 85, .Height = 25,
                    .Caption = "Cancel", .Hint = "Closes the dialog box without saving any changes you have made",
                    .Cancel = true, .OnClick = Handler(&TfrmPrint::cmdCancel_Click)});
    EndDescription();
}

std::string TfrmPrint::ChosenItem() const {
    const int index = cboName->ItemIndex();
    return index < 0 ? std::string() : cboName->Items()[static_cast<size_t>(index)];
}

void TfrmPrint::Form_Create(TComponent*) {
    // The dialog works on a printer object of its own, read anew; Cancel
    // makes the one it set aside current again.
    FSetAside = SetCurrentPrinter(nullptr);
}

void TfrmPrint::Form_Show(TComponent*) {
    ApplyDialogLook(*this);
    TPrinter& printer = Printer();
    printer.Refresh();
    cboName->SetItems({});
    for (size_t i = 0; i < printer.Printers().size(); ++i)
        cboName->Add(PrinterItem(printer.Printers()[i], static_cast<int>(i)));
    const auto& items = cboName->Items();
    int chosen = -1;
    for (size_t i = 0; i < items.size() && chosen < 0; ++i)
        if (ItemNumber(items[i]) == PrintIndex) chosen = static_cast<int>(i);
    cboName->SetItemIndex(chosen);
    lblWhereValue->SetCaption("");
    if (chosen >= 0) cboName_Click(cboName);
}

void TfrmPrint::Form_Close(TComponent*, TCloseAction&) {
    if (ModalResult == mrCancel && FSetAside) SetCurrentPrinter(std::move(FSetAside));
}

void TfrmPrint::cboName_Click(TComponent*) {
    if (cboName->ItemIndex() < 0) return;
    const int number = ItemNumber(ChosenItem());
    TPrinter& printer = Printer();
    printer.SetPrinterIndex(number);
    lblWhereValue->SetCaption(printer.Port(number));
}

void TfrmPrint::cboName_DrawItem(TWinControl*, TCanvas& Canvas, int Index, const RECT& Rect, UINT) {
    if (Index < 0 || Index >= static_cast<int>(cboName->Items().size())) return;
    imlImages->Draw(Canvas, Rect.left + 1, Rect.top, 0, true);
    Canvas.Brush.SetClear(true);
    Canvas.TextOut(Rect.left + 19, Rect.top + 1, ItemDevice(cboName->Items()[static_cast<size_t>(Index)]));
}

bool TfrmPrint::ReadChosenPrinter(std::string& Device, std::vector<BYTE>& DevMode) {
    const std::string item = ChosenItem();
    TPrinter& printer = Printer();
    printer.SetPrinterIndex(ItemNumber(item));
    std::string driver, port;
    if (printer.ReadSelected(Device, driver, port, DevMode)) return true;
    TellCannotOpen(ItemDevice(item), Caption());
    return false;
}

void TfrmPrint::cmdProperties_Click(TComponent*) {
    cmdProperties->SetFocus();
    if (cboName->ItemIndex() < 0) return;
    if (zvcom::ModeDeviceName(Mode) != ItemDevice(ChosenItem())) Mode = {};
    std::string device;
    std::vector<BYTE> current;
    if (!ReadChosenPrinter(device, current)) return;
    TOpenPrinter printer(device);
    if (!printer.Handle()) {
        TellCannotOpen(device, Caption());
        return;
    }
    // The driver reads and writes its mode at its own full size: the public
    // part and its own data after it.
    const LONG size = DocumentPropertiesA(Handle(), printer.Handle(), device.data(), nullptr, nullptr, 0);
    if (size <= 0) return;
    std::vector<BYTE> in = zvcom::ModeDeviceName(Mode).empty() ? current : zvcom::DriverModeBuffer(Mode, size);
    in.resize(std::max<size_t>(in.size(), static_cast<size_t>(size)));
    std::vector<BYTE> out(in.size());
    const LONG result = DocumentPropertiesA(Handle(), printer.Handle(), device.data(),
                                            reinterpret_cast<DEVMODEA*>(out.data()),
                                            reinterpret_cast<DEVMODEA*>(in.data()),
                                            DM_IN_BUFFER | DM_IN_PROMPT | DM_OUT_BUFFER);
    if (result == IDOK) Mode = zvcom::ModeBlockOf(out);
    cmdOK->SetFocus();
}

void TfrmPrint::cmdOK_Click(TComponent*) {
    cmdOK->SetFocus();
    // The block handed back on OK is the chosen printer's: one that belongs
    // to another printer gives way to the chosen printer's own settings.
    if (cboName->ItemIndex() >= 0 && !ModeBelongsTo(Mode, ItemDevice(ChosenItem()))) {
        std::string device;
        std::vector<BYTE> current;
        if (!ReadChosenPrinter(device, current)) return;
        Mode = zvcom::ModeBlockOf(current);
    }
    ModalResult = mrOk;
}

void TfrmPrint::cmdCancel_Click(TComponent*) {
    cmdCancel->SetFocus();
    ModalResult = mrCancel;
}

ZVCOM_API void WINAPI ZvShowPrintInit() {
    SafeCall([] {
        frmPrint.reset();
        frmPrint = std::make_unique<TfrmPrint>(Application);
    });
}

ZVCOM_API void WINAPI ZvShowPrintSetMode(const DEVMODEA& DevMode) {
    SafeCall([&] {
        if (!frmPrint) return;
        std::memcpy(&frmPrint->Mode, &DevMode, zvcom::kPrintModeSize);
        // A block from the caller's store may come from a driver that wrote
        // its own data after it, or be damaged: no driver reads past it.
        zvcom::MakeModeSafe(frmPrint->Mode);
    });
}

ZVCOM_API void WINAPI ZvShowPrint(const ShortString& PrinterName, const ShortString& Caption,
                                  ShortString& ChosenName) {
    ChosenName.assign("");
    SafeCall([&] {
        if (!frmPrint) return;
        TPrinter& printer = Printer();
        printer.Refresh();
        const auto& names = printer.Printers();
        if (names.empty()) {
            Tell("No printer installed.", Caption.str(), zvIconStop);
            return;
        }
        int number = -1;
        for (size_t i = 0; i < names.size() && number < 0; ++i)
            if (names[i] == PrinterName.str()) number = static_cast<int>(i);
        if (number < 0) {
            Tell("Cannot find '" + PrinterName.str() + "'. Using default printer.", Caption.str(),
                 zvIconExclamation);
            number = printer.DefaultIndex();
        }
        if (!Caption.empty()) frmPrint->SetCaption(Caption.str());
        frmPrint->PrintIndex = number;
        if (frmPrint->ShowModal() == mrOk) ChosenName.assign(ItemDevice(frmPrint->ChosenItem()));
    });
}

ZVCOM_API void WINAPI ZvShowPrintGetMode(DEVMODEA& DevMode) {
    SafeCall([&] {
        const DEVMODEA none = {};
        std::memcpy(&DevMode, frmPrint ? &frmPrint->Mode : &none, zvcom::kPrintModeSize);
    });
}

ZVCOM_API void WINAPI ZvShowPrintFree() {
    SafeCall([] { frmPrint.reset(); });
}
