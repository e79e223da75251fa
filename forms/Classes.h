// Base classes of the form layer: exceptions, components with owners and
// names, and the guard that keeps C++ exceptions out of Windows code.
#pragma once
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace forms {

// The layer's exception: a message meant for the user.
class Exception : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A call of the system that failed, with the system's error code: the
// thread's last error does not survive the throw (the run-time's own calls
// on the way reset it), so whoever reports the failure takes it from here.
class EOSError : public Exception {
public:
    EOSError(const std::string& Message, unsigned long Code) : Exception(Message), ErrorCode(Code) {}
    unsigned long ErrorCode;
};

class TComponent;
using TNotifyEvent = std::function<void(TComponent* Sender)>;

// A component is owned by another; the owner frees what it owns, and finds it
// again by name.
class TComponent {
public:
    explicit TComponent(TComponent* AOwner);
    virtual ~TComponent();
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return FOwner; }
    const std::string& Name() const { return FName; }
    void SetName(const std::string& Value) { FName = Value; }
    int Tag = 0;

    // The owned component of that name (case-insensitive), or nullptr.
    TComponent* FindComponent(const std::string& AName) const;
    const std::vector<TComponent*>& Components() const { return FComponents; }
    // Frees every owned component, newest first, each told before it goes.
    void DestroyComponents();

    // Runs while the whole object still exists, before its destructors: a
    // form's OnDestroy handler reads the form's own members.
    virtual void BeforeDestruction() {}

private:
    TComponent* FOwner;
    std::string FName;
    std::vector<TComponent*> FComponents;
};

// Frees a component the way its owner would: told first, then deleted.
void Free(TComponent* Component);

// Reports an exception that a guard caught (installed by the application
// object; by default it shows the message in a system message box).
void HandleException(const std::exception* e);

// Runs f and catches every exception, which is reported instead of
// unwinding into the caller (Windows code, or another module).
template <class F>
void SafeCall(F&& f) noexcept {
    try {
        f();
    } catch (const std::exception& e) {
        HandleException(&e);
    } catch (...) {
        HandleException(nullptr);
    }
}

// For exported functions: the result of f, or Fallback when f raised. The
// exception is reported first, so that no failure passes silently.
template <class R, class F>
R Guarded(R Fallback, F&& f) noexcept {
    try {
        return f();
    } catch (const std::exception& e) {
        HandleException(&e);
    } catch (...) {
        HandleException(nullptr);
    }
    return Fallback;
}

// Calls an event when one is bound.
inline void Fire(const TNotifyEvent& Event, TComponent* Sender) {
    if (Event) Event(Sender);
}

}  // namespace forms
