// Owns one VARIANT: initialised on creation, cleared on destruction.
#pragma once

#include <utility>

#include "qor/com_api.h"

namespace qor {

class Variant {
  public:
    Variant() noexcept { VariantInit(&value_); }
    // Takes over a VARIANT the caller owns; the source is left empty.
    static Variant attach(VARIANT& raw) noexcept {
        Variant v;
        v.value_ = raw;
        VariantInit(&raw);
        return v;
    }
    Variant(Variant&& other) noexcept : Variant() { std::swap(value_, other.value_); }
    Variant& operator=(Variant&& other) noexcept {
        std::swap(value_, other.value_);
        return *this;
    }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    ~Variant() { VariantClear(&value_); }

    VARIANT* get() noexcept { return &value_; }
    const VARIANT* get() const noexcept { return &value_; }
    VARIANT* operator->() noexcept { return &value_; }
    const VARIANT* operator->() const noexcept { return &value_; }
    VARIANT& operator*() noexcept { return value_; }
    const VARIANT& operator*() const noexcept { return value_; }
    // Clears the current value and hands out the slot for an [out] parameter.
    VARIANT* out() noexcept {
        VariantClear(&value_);
        return &value_;
    }
    // Gives up ownership; this owner is left empty.
    VARIANT detach() noexcept {
        VARIANT raw = value_;
        VariantInit(&value_);
        return raw;
    }

  private:
    VARIANT value_;
};

} // namespace qor
