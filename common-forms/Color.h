// The colour dialog: the palette of 40 named colours and the system colours
// on the Standard page; on the Custom page the HSV colour wheel with its
// marker, the bar of the component the wheel does not carry with its
// triangle, the choice of that model, and the six number fields.
#pragma once
#include "ColorForm.h"
#include "ComboBox.h"
#include "GroupBox.h"

class TfrmColor : public TColorForm {
public:
    explicit TfrmColor(forms::TComponent* AOwner);
    ~TfrmColor() override;

    forms::TLabel* lblStandardWinColor = nullptr;
    forms::TComboBox* cboStandardWinColor = nullptr;
    forms::TTabSheet* tabCustom = nullptr;
    forms::TPanel* panCustomHSV = nullptr;
    forms::TImage* picCustomHSV = nullptr;
    forms::TImage* picCustomPos = nullptr;
    forms::TPanel* panCustomValue = nullptr;
    forms::TImage* picCustomValue = nullptr;
    forms::TImage* picCustomArea3 = nullptr;
    forms::TImage* picCustomTri3 = nullptr;
    forms::TLabel* lblCustomModel = nullptr;
    forms::TComboBox* cboCustomModel = nullptr;
    // The screen colour picker's choice, which the dialog keeps for the
    // caller but offers no way to change.
    forms::TGroupBox* fraScreenColor = nullptr;
    forms::TCheckBox* chkHideWindow = nullptr;

    // True while the model list shows "Sat": the wheel's radius carries the
    // value and the bar the saturation; "Value" the other way round.
    bool SatModel = false;

    void Form_Show(forms::TComponent* Sender);
    void cboStandardWinColor_Click(forms::TComponent* Sender);
    void cboStandardWinColor_DrawItem(forms::TWinControl* Sender, forms::TCanvas& Canvas, int Index,
                                      const RECT& Rect, UINT State);
    void cboCustomModel_Click(forms::TComponent* Sender);
    void cboCustomModel_DrawItem(forms::TWinControl* Sender, forms::TCanvas& Canvas, int Index, const RECT& Rect,
                                 UINT State);
    void picCustomHSV_MouseDown(forms::TComponent* Sender, forms::TMouseButton Button, WPARAM Keys, int X, int Y);
    void picCustomHSV_MouseMove(forms::TComponent* Sender, forms::TMouseButton Button, WPARAM Keys, int X, int Y);
    void picCustomHSV_MouseUp(forms::TComponent* Sender, forms::TMouseButton Button, WPARAM Keys, int X, int Y);
    void picCustomPos_MouseDown(forms::TComponent* Sender, forms::TMouseButton Button, WPARAM Keys, int X, int Y);
    void picCustomPos_MouseMove(forms::TComponent* Sender, forms::TMouseButton Button, WPARAM Keys, int X, int Y);
    void picCustomPos_MouseUp(forms::TComponent* Sender, forms::TMouseButton Button, WPARAM Keys, int X, int Y);
    void picCustomValue_MouseDown(forms::TComponent* Sender, forms::TMouseButton Button, WPARAM Keys, int X, int Y);
    void picCustomValue_MouseMove(forms::TComponent* Sender, forms::TMouseButton Button, WPARAM Keys, int X, int Y);
    void picCustomValue_MouseUp(forms::TComponent* Sender, forms::TMouseButton Button, WPARAM Keys, int X, int Y);
    void picCustomTri3_MouseDown(forms::TComponent* Sender, forms::TMouseButton Button, WPARAM Keys, int X, int Y);
    void picCustomTri3_MouseMove(forms::TComponent* Sender, forms::TMouseButton Button, WPARAM Keys, int X, int Y);
    void picCustomTri3_MouseUp(forms::TComponent* Sender, forms::TMouseButton Button, WPARAM Keys, int X, int Y);

protected:
    void ShowColorPictures() override;
    void ForgetSystemColor() override;
    void SystemColorsChanged() override;

private:
    void DrawWheel();
    void DrawMarker();
    void DrawTriangle();
    // The colour of the wheel's point (X, Y), and of the bar's or the
    // strip's row Y.
    void WheelAt(int X, int Y);
    void BarAt(forms::TImage* Bar, int Y);
    // The strip's row of a point of the triangle.
    int StripRow(int TriangleY) const;
};
