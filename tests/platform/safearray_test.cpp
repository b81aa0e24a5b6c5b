// SAFEARRAY in the standard layout, arrays in VARIANTs, and re-allocating BSTRs.
#include <gtest/gtest.h>

#include <cstddef>

#include "counting_dispatch.h"
#include "qor/runtime.h"
#include "qor_test/variants.h"

namespace {

static_assert(offsetof(SAFEARRAY, pvData) == 16 && offsetof(SAFEARRAY, rgsabound) == 24);

TEST(SafeArray, TwoDimensionsInTheStandardLayout) {
    const SAFEARRAYBOUND bounds[2] = {{2, 1}, {3, 10}}; // rows 1..2, columns 10..12
    SAFEARRAY* psa = SafeArrayCreate(VT_I4, 2, bounds);
    ASSERT_NE(psa, nullptr);
    EXPECT_EQ(SafeArrayGetDim(psa), 2u);
    EXPECT_EQ(SafeArrayGetElemsize(psa), 4u);
    EXPECT_EQ(psa->rgsabound[0].lLbound, 10); // right-most dimension first
    EXPECT_EQ(psa->rgsabound[1].cElements, 2u);
    VARTYPE vt = VT_EMPTY;
    EXPECT_EQ(SafeArrayGetVartype(psa, &vt), S_OK);
    EXPECT_EQ(vt, VT_I4);
    LONG low = 0, high = 0;
    EXPECT_EQ(SafeArrayGetLBound(psa, 2, &low), S_OK);
    EXPECT_EQ(SafeArrayGetUBound(psa, 2, &high), S_OK);
    EXPECT_EQ(low, 10);
    EXPECT_EQ(high, 12);
    EXPECT_EQ(SafeArrayGetLBound(psa, 3, &low), DISP_E_BADINDEX);

    const LONG at[2] = {2, 11};
    LONG value = 42;
    EXPECT_EQ(SafeArrayPutElement(psa, at, &value), S_OK);
    LONG* data = nullptr;
    ASSERT_EQ(SafeArrayAccessData(psa, reinterpret_cast<void**>(&data)), S_OK);
    EXPECT_EQ(data[1 * 3 + 1], 42); // row-major in the order the dimensions were given
    EXPECT_EQ(SafeArrayDestroy(psa), DISP_E_ARRAYISLOCKED);
    EXPECT_EQ(SafeArrayUnaccessData(psa), S_OK);
    EXPECT_EQ(SafeArrayUnaccessData(psa), E_UNEXPECTED);

    const LONG outside[2][2] = {{0, 10}, {1, 13}};
    for (const LONG* index : outside)
        EXPECT_EQ(SafeArrayGetElement(psa, index, &value), DISP_E_BADINDEX);
    EXPECT_EQ(SafeArrayDestroy(psa), S_OK);
}

TEST(SafeArray, RefusesWhatCannotBeMade) {
    const SAFEARRAYBOUND huge[2] = {{0x10000, 0}, {0x10000, 0}};
    EXPECT_EQ(SafeArrayCreate(VT_I4, 2, huge), nullptr);
    EXPECT_EQ(SafeArrayCreate(VT_I4, 0, huge), nullptr);
    EXPECT_EQ(SafeArrayCreateVector(VT_EMPTY, 0, 1), nullptr);
    EXPECT_EQ(SafeArrayCreateVector(static_cast<VARTYPE>(VT_I4 | VT_BYREF), 0, 1), nullptr);
    SAFEARRAY* empty = SafeArrayCreateVector(VT_R8, 0, 0);
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(SafeArrayDestroy(empty), S_OK);
    EXPECT_EQ(SafeArrayDestroy(nullptr), S_OK);
}

TEST(SafeArray, OwnsItsTextsObjectsAndVariants) {
    CountingDispatch object;
    {
        SAFEARRAY* texts = SafeArrayCreateVector(VT_BSTR, 0, 2);
        SAFEARRAY* objects = SafeArrayCreateVector(VT_DISPATCH, 0, 2);
        SAFEARRAY* variants = SafeArrayCreateVector(VT_VARIANT, 1, 1);
        const LONG first = 0, one = 1;
        qor::Bstr text(u"hello");
        EXPECT_EQ(SafeArrayPutElement(texts, &first, text.get()), S_OK);
        EXPECT_EQ(SafeArrayPutElement(texts, &first, text.get()), S_OK); // replaces, frees
        EXPECT_EQ(SafeArrayPutElement(objects, &first, static_cast<IDispatch*>(&object)), S_OK);
        VARIANT v = qor::test::vObject(&object);
        EXPECT_EQ(SafeArrayPutElement(variants, &one, &v), S_OK);
        EXPECT_EQ(object.references(), 3u);

        BSTR copy = nullptr;
        EXPECT_EQ(SafeArrayGetElement(texts, &first, &copy), S_OK);
        EXPECT_EQ(qor::Bstr::toU16(copy), u"hello");
        EXPECT_NE(copy, text.get());
        SysFreeString(copy);

        SAFEARRAY* copied = nullptr;
        EXPECT_EQ(SafeArrayCopy(objects, &copied), S_OK);
        EXPECT_EQ(object.references(), 4u);
        for (SAFEARRAY* psa : {texts, objects, variants, copied})
            EXPECT_EQ(SafeArrayDestroy(psa), S_OK);
    }
    EXPECT_EQ(object.references(), 1u);
}

// An array in a VARIANT is the variant's to free and to copy.
TEST(SafeArray, VariantClearsAndCopiesItsArray) {
    CountingDispatch object;
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_ARRAY | VT_DISPATCH;
    v.parray = SafeArrayCreateVector(VT_DISPATCH, 0, 1);
    const LONG first = 0;
    SafeArrayPutElement(v.parray, &first, static_cast<IDispatch*>(&object));

    VARIANT copy;
    VariantInit(&copy);
    ASSERT_EQ(VariantCopy(&copy, &v), S_OK);
    EXPECT_NE(copy.parray, v.parray);
    EXPECT_EQ(object.references(), 3u);

    VARIANT byRef = qor::test::vByRef(VT_ARRAY | VT_DISPATCH, &v.parray);
    VARIANT deref;
    VariantInit(&deref);
    ASSERT_EQ(VariantCopyInd(&deref, &byRef), S_OK);
    EXPECT_EQ(deref.vt, VT_ARRAY | VT_DISPATCH);
    EXPECT_EQ(object.references(), 4u);
    EXPECT_EQ(VariantClear(&byRef), S_OK); // borrows: frees nothing
    EXPECT_EQ(object.references(), 4u);

    for (VARIANT* owner : {&v, &copy, &deref}) {
        EXPECT_EQ(VariantClear(owner), S_OK);
        EXPECT_EQ(owner->vt, VT_EMPTY);
    }
    EXPECT_EQ(object.references(), 1u);
}

TEST(SafeArray, ALockedArrayStaysWithItsVariant) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_ARRAY | VT_I2;
    v.parray = SafeArrayCreateVector(VT_I2, 0, 3);
    SafeArrayLock(v.parray);
    EXPECT_EQ(VariantClear(&v), DISP_E_ARRAYISLOCKED);
    EXPECT_EQ(v.vt, VT_ARRAY | VT_I2);
    SafeArrayUnlock(v.parray);
    EXPECT_EQ(VariantClear(&v), S_OK);
}

TEST(SysReAlloc, ReplacesTheTextEvenFromInsideItself) {
    BSTR text = SysAllocString(u"abcdef");
    ASSERT_TRUE(SysReAllocString(&text, text + 2)); // the source lies in the old text
    EXPECT_EQ(qor::Bstr::toU16(text), u"cdef");
    ASSERT_TRUE(SysReAllocStringLen(&text, text, 2));
    EXPECT_EQ(qor::Bstr::toU16(text), u"cd");
    ASSERT_TRUE(SysReAllocStringLen(&text, nullptr, 3)); // room, zeroed
    EXPECT_EQ(SysStringLen(text), 3u);
    EXPECT_EQ(text[0], 0);
    ASSERT_TRUE(SysReAllocString(&text, nullptr));
    EXPECT_EQ(text, nullptr);
    EXPECT_FALSE(SysReAllocStringLen(&text, nullptr, 0x7FFFFFFF)); // too long: unchanged
    EXPECT_EQ(text, nullptr);
    EXPECT_FALSE(SysReAllocString(nullptr, u"x"));
}

} // namespace
