// Late-bound calls with arbitrary arguments on every class of QorCommon1, through
// IDispatch::Invoke as an automation client makes them. Operations that open windows or
// start programs (ShowError, ShowAppVersion, StartDoc, and PadString, which reports through
// ShowError) are left out: they would block or act outside the process.
#include <dlfcn.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "QorCommon1.h"
#include "qor/runtime.h"

namespace {

struct Class {
    const CLSID* clsid;
    std::vector<DISPID> members;
};

const Class kClasses[] = {
    {&CLSID_QorFile, {0x60030000, 0x60030001}},
    {&CLSID_Common,
     {0x60030000, 0x60030001, 0x60030002, 0x60030004, 0x60030007, 0x60030008, 0x6003000B,
      0x6003000C, 0x6003000D}},
    {&CLSID_GeoSupport, {0x60030000, 0x60030001, 0x60030002, 0x60030003, 0x60030004, 0x60030005}},
};

PFN_DllGetClassObject getClassObject() {
    static PFN_DllGetClassObject entry = [] {
        void* module = ::dlopen(QORCOMMON1_PATH, RTLD_NOW | RTLD_LOCAL);
        if (module == nullptr)
            std::abort();
        return reinterpret_cast<PFN_DllGetClassObject>(::dlsym(module, "DllGetClassObject"));
    }();
    return entry;
}

// Reads the next byte of the input, 0 once it is used up.
struct Input {
    const std::uint8_t* data;
    std::size_t size;
    std::uint8_t next() {
        if (size == 0)
            return 0;
        --size;
        return *data++;
    }
};

// Fills `v` from the input: scalars, texts, missing, and references to the other
// arguments (a reference to itself included).
void makeArgument(Input& in, VARIANT& v, std::vector<VARIANT>& all, std::vector<SHORT>& shorts,
                  std::vector<BSTR>& texts) {
    VariantInit(&v);
    switch (in.next() % 10) {
    case 0:
        break; // empty
    case 1:
        v.vt = VT_NULL;
        break;
    case 2:
        v.vt = VT_I2;
        v.iVal = static_cast<SHORT>(in.next() | in.next() << 8);
        break;
    case 3:
        v.vt = VT_I4;
        v.lVal = static_cast<LONG>(in.next() | in.next() << 8 | in.next() << 16 | in.next() << 24);
        break;
    case 4: {
        v.vt = VT_R8;
        std::uint8_t bytes[8];
        for (auto& b : bytes)
            b = in.next();
        std::memcpy(&v.dblVal, bytes, 8);
        break;
    }
    case 5:
        v.vt = VT_BOOL;
        v.boolVal = in.next() % 2 ? VARIANT_TRUE : VARIANT_FALSE;
        break;
    case 6:
    case 7: {
        std::u16string text;
        for (std::uint8_t n = in.next() % 48; n > 0; --n)
            text +=
                static_cast<char16_t>(in.next() % 4 == 0 ? in.next() << 8 | in.next() : in.next());
        v.vt = VT_BSTR;
        v.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
        break;
    }
    case 8:
        v.vt = VT_ERROR;
        v.scode = DISP_E_PARAMNOTFOUND;
        break;
    default: { // by reference: to an argument, or to a short or a text of our own
        const std::uint8_t target = in.next();
        if (target % 3 == 0) {
            v.vt = VT_BYREF | VT_VARIANT;
            v.pvarVal = &all[target / 3 % all.size()];
        } else if (target % 3 == 1) {
            v.vt = VT_BYREF | VT_I2;
            v.piVal = &shorts[target % shorts.size()];
        } else {
            v.vt = VT_BYREF | VT_BSTR;
            v.pbstrVal = &texts[target % texts.size()];
        }
    }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in{data, size};
    const Class& cls = kClasses[in.next() % std::size(kClasses)];
    const DISPID member = cls.members[in.next() % cls.members.size()];
    IClassFactory* factory = nullptr;
    if (getClassObject()(*cls.clsid, IID_IClassFactory, reinterpret_cast<void**>(&factory)) != S_OK)
        std::abort();
    IDispatch* object = nullptr;
    if (factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(&object)) != S_OK)
        std::abort();
    factory->Release();

    const std::size_t count = in.next() % 6;
    std::vector<VARIANT> args(count == 0 ? 1 : count); // room for references even with none
    std::vector<SHORT> shorts(4, 0);
    std::vector<BSTR> texts(2, nullptr);
    for (std::size_t i = 0; i < count; ++i)
        makeArgument(in, args[i], args, shorts, texts);
    DISPPARAMS params{count == 0 ? nullptr : args.data(), nullptr, static_cast<UINT>(count), 0};
    VARIANT result;
    VariantInit(&result);
    EXCEPINFO excep{};
    UINT argErr = 0;
    const WORD flags = in.next() % 2 ? DISPATCH_METHOD : DISPATCH_METHOD | DISPATCH_PROPERTYGET;
    object->Invoke(member, IID_NULL, 0, flags, &params, &result, &excep, &argErr);
    VariantClear(&result);
    SysFreeString(excep.bstrSource);
    SysFreeString(excep.bstrDescription);
    SysFreeString(excep.bstrHelpFile);
    for (std::size_t i = 0; i < count; ++i)
        if ((args[i].vt & VT_BYREF) == 0)
            VariantClear(&args[i]);
    for (BSTR text : texts)
        SysFreeString(text);
    object->Release();
    IErrorInfo* info = nullptr;
    if (GetErrorInfo(0, &info) == S_OK)
        info->Release();
    return 0;
}
