// ResetLabel and UpdateLabel: captions of a client's control, reached late-bound.
#include "common_ops.h"

#include "late_binding.h"
#include "qor/runtime.h"
#include "runtime_errors.h"

namespace qor::common {
namespace {

void putCaption(IDispatch* labelCtl, std::u16string_view text) {
    const Bstr caption(text);
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_BSTR;
    value.bstrVal = caption.get();
    putProperty(labelCtl, u"Caption", value);
}

} // namespace

void ResetLabel(IDispatch* labelCtl, std::u16string_view inputValue) {
    withSourcePrefix(u"QorCommon1.Common.ResetLabel; ", [&] {
        if (!inputValue.empty()) {
            putCaption(labelCtl, inputValue);
            return;
        }
        Variant tag;
        getProperty(labelCtl, u"Tag", tag);
        putProperty(labelCtl, u"Caption", *tag);
    });
}

void UpdateLabel(IDispatch* labelCtl, std::u16string_view message) {
    withSourcePrefix(u"QorCommon1.Common.UpdateProgressLabel; ", [&] {
        putCaption(labelCtl, message);
        callMethod(labelCtl, u"Refresh");
    });
}

} // namespace qor::common
