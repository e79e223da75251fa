#include "Classes.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

namespace forms {

TComponent::TComponent(TComponent* AOwner) : FOwner(AOwner) {
    if (FOwner) FOwner->FComponents.push_back(this);
}

TComponent::~TComponent() {
    // Owned components go first, newest first, each unlinking itself.
    while (!FComponents.empty()) delete FComponents.back();
    if (FOwner) {
        auto& list = FOwner->FComponents;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
    }
}

TComponent* TComponent::FindComponent(const std::string& AName) const {
    for (TComponent* c : FComponents)
        if (lstrcmpiA(c->FName.c_str(), AName.c_str()) == 0) return c;
    return nullptr;
}

}  // namespace forms
