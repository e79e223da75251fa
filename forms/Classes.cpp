#include "Classes.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

namespace forms {

TComponent::TComponent(TComponent* AOwner) : FOwner(AOwner) {
    if (FOwner) FOwner->FComponents.push_back(this);
}

TComponent::~TComponent() {
    DestroyComponents();
    if (FOwner) {
        auto& list = FOwner->FComponents;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
    }
}

void TComponent::DestroyComponents() {
    // Each one unlinks itself from this list as it goes.
    while (!FComponents.empty()) Free(FComponents.back());
}

void Free(TComponent* Component) {
    if (!Component) return;
    SafeCall([&] { Component->BeforeDestruction(); });
    delete Component;
}

TComponent* TComponent::FindComponent(const std::string& AName) const {
    for (TComponent* c : FComponents)
        if (lstrcmpiA(c->FName.c_str(), AName.c_str()) == 0) return c;
    return nullptr;
}

}  // namespace forms
