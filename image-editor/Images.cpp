#include "Images.h"

#include <windows.h>

forms::TImageList* LoadImageList(forms::TComponent* Owner, const char* Name, const char* Resource, int Size) {
    auto* list = new forms::TImageList(Owner);
    list->SetName(Name);
    list->Width = list->Height = Size;
    list->AddStrip(GetModuleHandleA(nullptr), Resource);
    return list;
}
