#include "qor_file_object.h"

#include "marshal.h"
#include "qor/call_through.h"

namespace qor::server {

const DispatchTable& QorFileObject::dispatchTable() {
    static const DispatchTable table({
        function<&_QorFile::SetFileName>(
            u"SetFileName", 0x60030000,
            {{u"FullFilePath", VT_BSTR}, {u"FailInvalidPaths", VT_BOOL}}, VT_VARIANT),
        function<&_QorFile::GetFileInfo>(
            u"GetFileInfo", 0x60030001,
            {{u"InfoType", VT_I4, true}, {u"WithTrailingSlash", VT_BOOL, true, true, VARIANT_TRUE}},
            VT_BSTR),
    });
    return table;
}

HRESULT QorFileObject::SetFileName(BSTR FullFilePath, VARIANT_BOOL FailInvalidPaths,
                                   VARIANT* retVal) {
    if (retVal == nullptr)
        return E_POINTER;
    VariantInit(retVal); // the result is always an empty Variant
    return guarded([&] { file_.SetFileName(view(FullFilePath), toBool(FailInvalidPaths)); });
}

HRESULT QorFileObject::GetFileInfo(::InfoType* InfoType, VARIANT_BOOL* WithTrailingSlash,
                                   BSTR* retVal) {
    if (retVal == nullptr || InfoType == nullptr)
        return E_POINTER;
    *retVal = nullptr;
    // An early-bound caller omits the optional flag by passing no pointer.
    const bool trailingSlash = WithTrailingSlash ? toBool(*WithTrailingSlash) : true;
    return guarded(
        [&] { *retVal = toBstr(file_.GetFileInfo(enumValue(*InfoType), trailingSlash)); });
}

} // namespace qor::server
