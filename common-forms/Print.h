// The printer dialog: one of the installed printers, with its settings
// edited in the driver's own property sheet.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "ComboBox.h"
#include "Forms.h"
#include "GroupBox.h"
#include "Menus.h"
#include "Printers.h"

class TfrmPrint : public forms::TForm {
public:
    explicit TfrmPrint(forms::TComponent* AOwner);

    forms::TGroupBox* fraPrinter = nullptr;
    forms::TLabel* lblName = nullptr;
    forms::TComboBox* cboName = nullptr;
    forms::TLabel* lblWhere = nullptr;
    forms::TLabel* lblWhereValue = nullptr;
    forms::TPanel* panPrinter = nullptr;
    forms::TButton* cmdProperties = nullptr;
    forms::TPanel* panMain = nullptr;
    forms::TButton* cmdOK = nullptr;
    forms::TButton* cmdCancel = nullptr;
    forms::TImageList* imlImages = nullptr;

    // The mode block: the settings of the printer whose name it holds,
    // zero when it holds none. Kept across showings.
    DEVMODEA Mode = {};
    // The number of the printer preselected when the dialog shows.
    int PrintIndex = -1;

    // The chosen item of the list, "" when none is chosen.
    std::string ChosenItem() const;

    void Form_Create(forms::TComponent* Sender);
    void Form_Show(forms::TComponent* Sender);
    void Form_Close(forms::TComponent* Sender, forms::TCloseAction& Action);
    void cboName_Click(forms::TComponent* Sender);
    void cboName_DrawItem(forms::TWinControl* Sender, forms::TCanvas& Canvas, int Index, const RECT& Rect,
                          UINT State);
    void cmdProperties_Click(forms::TComponent* Sender);
    void cmdOK_Click(forms::TComponent* Sender);
    void cmdCancel_Click(forms::TComponent* Sender);

private:
    // Selects the printer of the chosen item and reads what its driver says
    // of it; false, after telling the user, when it cannot be opened.
    bool ReadChosenPrinter(std::string& Device, std::vector<BYTE>& DevMode);
    // The printer object that was current before the dialog was made.
    std::unique_ptr<forms::TPrinter> FSetAside;
};

// The items of the printer list: the device name followed by its number in
// the printer list, right-aligned in three characters.
std::string PrinterItem(const std::string& Device, int Number);
std::string ItemDevice(const std::string& Item);
// -1 for an item too short to hold a number.
int ItemNumber(const std::string& Item);
