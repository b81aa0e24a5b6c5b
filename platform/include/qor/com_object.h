// The one base for every COM object in the project: QueryInterface from a list of
// interfaces, an atomic reference count, and the per-module object and lock counts a
// server's DllCanUnloadNow reads. Header-only, so each server module keeps its own counts.
#pragma once

#include <atomic>
#include <new>
#include <tuple>
#include <utility>

#include "qor/com_interfaces.h"

namespace qor {

// Interface offered under the identifiers Iids (a dual interface lists its own and
// IID_IDispatch). IUnknown always answers with the first entry's pointer.
template <class I, const IID&... Iids> struct Implements {
    using Interface = I;
    static bool answers(REFIID riid) noexcept { return ((riid == Iids) || ...); }
};

// What DllCanUnloadNow looks at: live objects (class factories included) and LockServer
// locks. Atomic because a host may ask from a thread other than the objects'.
class ModuleLocks {
  public:
    void objectCreated() noexcept { ++objects_; }
    void objectDestroyed() noexcept { --objects_; }
    // False when asked to release a lock that is not held.
    bool lockServer(bool lock) noexcept {
        if (lock) {
            ++locks_;
            return true;
        }
        long held = locks_.load();
        while (held > 0)
            if (locks_.compare_exchange_weak(held, held - 1))
                return true;
        return false;
    }
    bool canUnloadNow() const noexcept { return objects_.load() == 0 && locks_.load() == 0; }

  private:
    std::atomic<long> objects_{0};
    std::atomic<long> locks_{0};
};

// Mixed into an object whose life keeps its module loaded.
template <ModuleLocks& Module> class CountedInModule {
  protected:
    CountedInModule() noexcept { Module.objectCreated(); }
    ~CountedInModule() { Module.objectDestroyed(); }
    CountedInModule(const CountedInModule&) = delete;
    CountedInModule& operator=(const CountedInModule&) = delete;
};

// Derived may declare `bool offers(REFIID) const` to withhold a listed interface at run
// time, and `void finalRelease()` to replace `delete` (objects that live on a test's stack).
template <class Derived, class... Entries> class ComObject : public Entries::Interface... {
    static_assert(sizeof...(Entries) > 0, "an object offers at least one interface");
    using Primary = typename std::tuple_element_t<0, std::tuple<Entries...>>::Interface;

  public:
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (ppv == nullptr)
            return E_POINTER;
        *ppv = nullptr;
        if (riid == IID_IUnknown) {
            *ppv = static_cast<Primary*>(this); // one identity whatever was asked before
        } else if (self().offers(riid)) {
            // The first entry that answers wins.
            (void)((Entries::answers(riid) &&
                    (*ppv = static_cast<typename Entries::Interface*>(this), true)) ||
                   ...);
        }
        if (*ppv == nullptr)
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0)
            self().finalRelease();
        return left;
    }

    ULONG references() const noexcept { return references_.load(); }

    // A new object with one reference, handed out as `riid`.
    template <class... Args> static HRESULT create(REFIID riid, void** ppv, Args&&... args) {
        if (ppv == nullptr)
            return E_POINTER;
        *ppv = nullptr;
        Derived* object = new (std::nothrow) Derived(std::forward<Args>(args)...);
        if (object == nullptr)
            return E_OUTOFMEMORY;
        const HRESULT hr = object->QueryInterface(riid, ppv);
        object->Release();
        return hr;
    }

  protected:
    ComObject() = default;
    ~ComObject() = default;

    bool offers(REFIID) const noexcept { return true; }
    void finalRelease() { delete static_cast<Derived*>(this); }

  private:
    Derived& self() noexcept { return static_cast<Derived&>(*this); }

    std::atomic<ULONG> references_{1};
};

// The class factory DllGetClassObject hands out for Object (which provides
// `static HRESULT create(REFIID, void**)`); while held it keeps the module loaded.
template <class Object, ModuleLocks& Module>
class ClassFactory final
    : public ComObject<ClassFactory<Object, Module>, Implements<IClassFactory, IID_IClassFactory>>,
      private CountedInModule<Module> {
  public:
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override {
        if (ppv == nullptr)
            return E_POINTER;
        *ppv = nullptr;
        if (outer != nullptr)
            return CLASS_E_NOAGGREGATION;
        return Object::create(riid, ppv);
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
        return Module.lockServer(lock != 0) ? S_OK : E_UNEXPECTED;
    }
};

} // namespace qor
