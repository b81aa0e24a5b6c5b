#include <gtest/gtest.h>

#include <cstddef>

#include "counting_dispatch.h"

namespace {

TEST(VariantLayout, MatchesTheStandardBinaryLayout) {
    EXPECT_EQ(sizeof(VARIANT), 24u);
    EXPECT_EQ(offsetof(VARIANT, vt), 0u);
    EXPECT_EQ(offsetof(VARIANT, wReserved1), 2u);
    EXPECT_EQ(offsetof(VARIANT, llVal), 8u);
    EXPECT_EQ(offsetof(VARIANT, bstrVal), 8u);
    EXPECT_EQ(sizeof(DISPPARAMS), 24u);
    EXPECT_EQ(offsetof(DISPPARAMS, rgdispidNamedArgs), 8u);
    EXPECT_EQ(offsetof(DISPPARAMS, cArgs), 16u);
    EXPECT_EQ(offsetof(DISPPARAMS, cNamedArgs), 20u);
    EXPECT_EQ(sizeof(EXCEPINFO), 64u);
    EXPECT_EQ(offsetof(EXCEPINFO, bstrSource), 8u);
    EXPECT_EQ(offsetof(EXCEPINFO, bstrDescription), 16u);
    EXPECT_EQ(offsetof(EXCEPINFO, dwHelpContext), 32u);
    EXPECT_EQ(offsetof(EXCEPINFO, pfnDeferredFillIn), 48u);
    EXPECT_EQ(offsetof(EXCEPINFO, scode), 56u);
    EXPECT_EQ(sizeof(VARIANT_BOOL), 2u);
    EXPECT_EQ(sizeof(OLECHAR), 2u);
}

TEST(VariantLayout, InterfaceSlotsComeInTheStandardOrder) {
    // A dual interface's own methods start at slot 7; the error object's first is get_Number.
    ErrObject* err = qor::createErrObject(42, u"", u"");
    auto** vtable = *reinterpret_cast<void***>(err);
    using GetNumber = HRESULT (*)(ErrObject*, LONG*);
    LONG number = 0;
    EXPECT_EQ(reinterpret_cast<GetNumber>(vtable[7])(err, &number), S_OK);
    EXPECT_EQ(number, 42);
    using Release = ULONG (*)(ErrObject*);
    EXPECT_EQ(reinterpret_cast<Release>(vtable[2])(err), 0u);
}

TEST(VariantLifetime, CopyOfTextIsDeepAndKeepsEmbeddedNul) {
    VARIANT src, dst;
    VariantInit(&src);
    VariantInit(&dst);
    src.vt = VT_BSTR;
    src.bstrVal = SysAllocStringLen(u"a\0b", 3);
    ASSERT_EQ(VariantCopy(&dst, &src), S_OK);
    EXPECT_NE(dst.bstrVal, src.bstrVal);
    EXPECT_EQ(qor::Bstr::toU16(dst.bstrVal), std::u16string(u"a\0b", 3));
    VariantClear(&src);
    VariantClear(&dst);
    EXPECT_EQ(dst.vt, VT_EMPTY);
}

TEST(VariantLifetime, ObjectsAreCountedAndReferencesNotOwned) {
    CountingDispatch obj;
    VARIANT a, b;
    VariantInit(&a);
    VariantInit(&b);
    a.vt = VT_DISPATCH;
    a.pdispVal = &obj;
    obj.AddRef();
    ASSERT_EQ(VariantCopy(&b, &a), S_OK);
    EXPECT_EQ(obj.references(), 3u);
    VariantClear(&a);
    VariantClear(&b);
    EXPECT_EQ(obj.references(), 1u);

    IDispatch* held = &obj;
    VARIANT ref;
    VariantInit(&ref);
    ref.vt = VT_DISPATCH | VT_BYREF;
    ref.ppdispVal = &held;
    EXPECT_EQ(VariantClear(&ref), S_OK);
    EXPECT_EQ(obj.references(), 1u);
}

TEST(VariantLifetime, CopyIndFollowsReferences) {
    SHORT number = 7;
    VARIANT ref, out;
    VariantInit(&ref);
    VariantInit(&out);
    ref.vt = VT_I2 | VT_BYREF;
    ref.piVal = &number;
    ASSERT_EQ(VariantCopyInd(&out, &ref), S_OK);
    EXPECT_EQ(out.vt, VT_I2);
    EXPECT_EQ(out.iVal, 7);

    BSTR text = SysAllocString(u"by ref");
    VARIANT inner;
    VariantInit(&inner);
    inner.vt = VT_BSTR | VT_BYREF;
    inner.pbstrVal = &text;
    VARIANT outer;
    VariantInit(&outer);
    outer.vt = VT_VARIANT | VT_BYREF;
    outer.pvarVal = &inner;
    ASSERT_EQ(VariantCopyInd(&out, &outer), S_OK);
    EXPECT_EQ(out.vt, VT_BSTR);
    EXPECT_NE(out.bstrVal, text);
    EXPECT_EQ(qor::Bstr::toU16(out.bstrVal), u"by ref");
    VariantClear(&out);
    SysFreeString(text);
}

TEST(VariantLifetime, UnknownTypeIsRefused) {
    VARIANT v;
    VariantInit(&v);
    v.vt = 0x0FFF;
    EXPECT_EQ(VariantClear(&v), DISP_E_BADVARTYPE);
    VARIANT copy;
    VariantInit(&copy);
    EXPECT_EQ(VariantCopy(&copy, &v), DISP_E_BADVARTYPE);
}

} // namespace
