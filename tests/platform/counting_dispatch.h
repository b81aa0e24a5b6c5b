// A test object whose references the test watches; it may answer a default value.
#pragma once

#include "qor/dispatch_object.h"
#include "qor/runtime.h"

class CountingDispatch final
    : public qor::DispatchObject<CountingDispatch, qor::Implements<IDispatch, IID_IDispatch>> {
  public:
    // Without a default value, reading DISPID_VALUE fails as for an object that has none.
    CountingDispatch() = default;
    explicit CountingDispatch(const VARIANT& defaultValue) : hasDefault_(true) {
        VariantCopy(default_.get(), &defaultValue);
    }

    static const qor::DispatchTable& dispatchTable() {
        static const qor::DispatchTable table({
            {u"Value", DISPID_VALUE, {}, VT_VARIANT, &readDefault},
        });
        return table;
    }
    void finalRelease() {} // lives on the test's stack

  private:
    static HRESULT readDefault(void* self, VARIANT*, VARIANT* result) {
        const auto& object = static_cast<CountingDispatch&>(*static_cast<IDispatch*>(self));
        if (!object.hasDefault_)
            return DISP_E_MEMBERNOTFOUND;
        return VariantCopy(result, object.default_.get());
    }

    bool hasDefault_ = false;
    qor::Variant default_;
};
