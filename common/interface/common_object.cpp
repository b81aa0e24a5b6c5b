#include "common_object.h"

#include "common_ops.h"
#include "marshal.h"
#include "qor/call_through.h"
#include "qor_file_object.h"

namespace qor::server {
namespace {

// A by-reference parameter that an early-bound caller may leave out by passing no pointer.
std::u16string_view optionalText(const BSTR* text) {
    return text ? view(*text) : std::u16string_view();
}

} // namespace

const DispatchTable& CommonObject::dispatchTable() {
    static const DispatchTable table({
        function<&_Common::EmptyStringToZero>(u"EmptyStringToZero", 0x60030000,
                                              {{u"StringIn", VT_BSTR}}, VT_BSTR),
        function<&_Common::NulltoString>(u"NulltoString", 0x60030001,
                                         {{u"VarIn", VT_VARIANT, true}}, VT_BSTR),
        function<&_Common::GetFileInfo>(
            u"GetFileInfo", 0x60030002,
            {{u"FilePath", VT_BSTR}, {u"FailInvalidPaths", VT_BOOL, true}}, VT_DISPATCH),
        procedure<&_Common::ShowAppVersion>(
            u"ShowAppVersion", 0x60030003,
            {{u"AppName", VT_BSTR, true}, {u"AppVersion", VT_BSTR, true}}),
        function<&_Common::RemoveSpaces>(u"RemoveSpaces", 0x60030004,
                                         {{u"StringIn", VT_BSTR}, {u"SpaceCounter", VT_I2, true}},
                                         VT_BSTR),
        procedure<&_Common::ShowError>(
            u"ShowError", 0x60030006,
            {{u"Module", VT_BSTR, true},
             {u"Procedure", VT_BSTR, true},
             {u"theVBError", VT_DISPATCH, true, false, 0, &IID_ErrObject},
             {u"ErrorCondition", VT_BSTR, true, true}}),
        procedure<&_Common::ResetLabel>(
            u"ResetLabel", 0x60030007,
            {{u"LabelCtl", VT_DISPATCH, true}, {u"InputValue", VT_BSTR, true, true}}),
        procedure<&_Common::UpdateLabel>(u"UpdateLabel", 0x60030008,
                                         {{u"LabelCtl", VT_DISPATCH, true}, {u"Message", VT_BSTR}}),
        function<&_Common::PadString>(u"PadString", 0x60030009,
                                      {{u"StringIn", VT_BSTR},
                                       {u"StringLen", VT_I2},
                                       {u"PadChar", VT_BSTR},
                                       {u"PadDir", VT_I4},
                                       {u"bTrunkIfLonger", VT_BOOL, true}},
                                      VT_BSTR),
        function<&_Common::StartDoc>(
            u"StartDoc", 0x6003000A,
            {{u"DocName", VT_BSTR, true}, {u"DisplayError", VT_BOOL, true, true, VARIANT_FALSE}},
            VT_BSTR),
        function<&_Common::StripTerminator>(u"StripTerminator", 0x6003000B,
                                            {{u"strString", VT_BSTR}}, VT_BSTR),
        function<&_Common::FileOrDirExists>(
            u"FileOrDirExists", 0x6003000C,
            {{u"sFile", VT_BSTR, false, true}, {u"sFolder", VT_BSTR, false, true}}, VT_BOOL),
        function<&_Common::FindTextFileLength>(u"FindTextFileLength", 0x6003000D,
                                               {{u"FilePath", VT_BSTR}}, VT_I4),
    });
    return table;
}

HRESULT CommonObject::EmptyStringToZero(BSTR StringIn, BSTR* retVal) {
    if (retVal == nullptr)
        return E_POINTER;
    *retVal = nullptr;
    return guarded([&] { *retVal = toBstr(common::EmptyStringToZero(view(StringIn))); });
}

HRESULT CommonObject::NulltoString(VARIANT* VarIn, BSTR* retVal) {
    if (retVal == nullptr || VarIn == nullptr)
        return E_POINTER;
    *retVal = nullptr;
    return guarded([&] { *retVal = toBstr(common::NulltoString(*VarIn)); });
}

HRESULT CommonObject::GetFileInfo(BSTR FilePath, VARIANT_BOOL* FailInvalidPaths,
                                  _QorFile** retVal) {
    if (retVal == nullptr || FailInvalidPaths == nullptr)
        return E_POINTER;
    *retVal = nullptr;
    return guarded([&] {
        qor::QorFile parsed = common::GetFileInfo(view(FilePath), toBool(*FailInvalidPaths));
        const HRESULT hr = QorFileObject::create(IID__QorFile, reinterpret_cast<void**>(retVal),
                                                 std::move(parsed));
        if (FAILED(hr))
            throw std::bad_alloc();
    });
}

HRESULT CommonObject::ShowAppVersion(BSTR* AppName, BSTR* AppVersion) {
    if (AppName == nullptr || AppVersion == nullptr)
        return E_POINTER;
    return guarded([&] { common::ShowAppVersion(view(*AppName), view(*AppVersion)); });
}

HRESULT CommonObject::RemoveSpaces(BSTR StringIn, short* SpaceCounter, BSTR* retVal) {
    if (retVal == nullptr || SpaceCounter == nullptr)
        return E_POINTER;
    *retVal = nullptr;
    return guarded([&] { *retVal = toBstr(common::RemoveSpaces(view(StringIn), *SpaceCounter)); });
}

HRESULT CommonObject::ShowError(BSTR* Module, BSTR* Procedure, ErrObject** theVBError,
                                BSTR* ErrorCondition) {
    if (Module == nullptr || Procedure == nullptr || theVBError == nullptr)
        return E_POINTER;
    return guarded([&] {
        common::ShowError(view(*Module), view(*Procedure), *theVBError,
                          optionalText(ErrorCondition));
    });
}

HRESULT CommonObject::ResetLabel(IDispatch** LabelCtl, BSTR* InputValue) {
    if (LabelCtl == nullptr)
        return E_POINTER;
    return guarded([&] { common::ResetLabel(*LabelCtl, optionalText(InputValue)); });
}

HRESULT CommonObject::UpdateLabel(IDispatch** LabelCtl, BSTR Message) {
    if (LabelCtl == nullptr)
        return E_POINTER;
    return guarded([&] { common::UpdateLabel(*LabelCtl, view(Message)); });
}

HRESULT CommonObject::PadString(BSTR StringIn, short StringLen, BSTR PadChar, ::PAD_END PadDir,
                                VARIANT_BOOL* bTrunkIfLonger, BSTR* retVal) {
    if (retVal == nullptr || bTrunkIfLonger == nullptr)
        return E_POINTER;
    *retVal = nullptr;
    return guarded([&] {
        *retVal = toBstr(common::PadString(view(StringIn), StringLen, view(PadChar),
                                           enumValue(PadDir), toBool(*bTrunkIfLonger)));
    });
}

HRESULT CommonObject::StartDoc(BSTR* DocName, VARIANT_BOOL* DisplayError, BSTR* retVal) {
    if (retVal == nullptr || DocName == nullptr)
        return E_POINTER;
    *retVal = nullptr;
    const bool display = DisplayError ? toBool(*DisplayError) : false;
    return guarded([&] { *retVal = toBstr(common::StartDoc(view(*DocName), display)); });
}

HRESULT CommonObject::StripTerminator(BSTR strString, BSTR* retVal) {
    if (retVal == nullptr)
        return E_POINTER;
    *retVal = nullptr;
    return guarded([&] { *retVal = toBstr(common::StripTerminator(view(strString))); });
}

HRESULT CommonObject::FileOrDirExists(BSTR sFile, BSTR sFolder, VARIANT_BOOL* retVal) {
    if (retVal == nullptr)
        return E_POINTER;
    *retVal = VARIANT_FALSE;
    return guarded(
        [&] { *retVal = toVariantBool(common::FileOrDirExists(view(sFile), view(sFolder))); });
}

HRESULT CommonObject::FindTextFileLength(BSTR FilePath, LONG* retVal) {
    if (retVal == nullptr)
        return E_POINTER;
    *retVal = 0;
    return guarded([&] { *retVal = common::FindTextFileLength(view(FilePath)); });
}

} // namespace qor::server
