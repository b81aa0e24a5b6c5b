// Owns one reference to a COM interface.
#pragma once

#include <utility>

#include "qor/com_interfaces.h"

namespace qor {

template <class T> class ComPtr {
  public:
    ComPtr() noexcept = default;
    // Takes over a reference the caller already holds (a creator's or an [out] result).
    static ComPtr attach(T* raw) noexcept {
        ComPtr p;
        p.raw_ = raw;
        return p;
    }
    // Adds a reference of its own.
    static ComPtr share(T* raw) noexcept {
        if (raw != nullptr)
            raw->AddRef();
        return attach(raw);
    }
    ComPtr(const ComPtr& other) noexcept : raw_(other.raw_) {
        if (raw_ != nullptr)
            raw_->AddRef();
    }
    ComPtr(ComPtr&& other) noexcept : raw_(std::exchange(other.raw_, nullptr)) {}
    ComPtr& operator=(ComPtr other) noexcept {
        std::swap(raw_, other.raw_);
        return *this;
    }
    ~ComPtr() { reset(); }

    T* get() const noexcept { return raw_; }
    T* operator->() const noexcept { return raw_; }
    T& operator*() const noexcept { return *raw_; }
    explicit operator bool() const noexcept { return raw_ != nullptr; }
    // Releases the current reference and hands out the slot for an [out] parameter.
    T** out() noexcept {
        reset();
        return &raw_;
    }
    void** outVoid() noexcept { return reinterpret_cast<void**>(out()); }
    T* detach() noexcept { return std::exchange(raw_, nullptr); }
    void reset() noexcept {
        if (T* old = std::exchange(raw_, nullptr))
            old->Release();
    }

    // The same object as interface U, or empty when it does not offer `iid`.
    template <class U> ComPtr<U> query(REFIID iid) const noexcept {
        ComPtr<U> result;
        if (raw_ != nullptr && FAILED(raw_->QueryInterface(iid, result.outVoid())))
            result.reset();
        return result;
    }

  private:
    T* raw_ = nullptr;
};

} // namespace qor
