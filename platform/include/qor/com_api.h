// The runtime's exported functions, with C linkage and the standard names, so a client
// written against the standard declarations can link them or find them with dlsym().
#pragma once

#include "qor/com_interfaces.h"

#define QOR_API extern "C" __attribute__((visibility("default")))
// Exported C++ helpers (runtime.h); the library is built with hidden visibility otherwise.
#define QOR_CPP_API __attribute__((visibility("default")))

// BSTR: UTF-16 text, 32-bit byte length just before the pointer, NUL after it.
QOR_API BSTR SysAllocString(const OLECHAR* psz);
QOR_API BSTR SysAllocStringLen(const OLECHAR* pch, UINT cch);
QOR_API void SysFreeString(BSTR bstr);
QOR_API UINT SysStringLen(BSTR bstr);
QOR_API UINT SysStringByteLen(BSTR bstr);
// Replace *pbstr with a new copy of the text (which may lie inside the old one); FALSE,
// with *pbstr unchanged, when memory runs out.
QOR_API INT SysReAllocString(BSTR* pbstr, const OLECHAR* psz);
QOR_API INT SysReAllocStringLen(BSTR* pbstr, const OLECHAR* psz, UINT len);

// SAFEARRAY of any element type a VARIANT can hold (not records); texts, objects and
// variants are owned by the array. Indices are given left-most dimension first; bounds
// with SafeArrayGet?Bound count dimensions from 1. A locked array is not destroyed.
QOR_API SAFEARRAY* SafeArrayCreate(VARTYPE vt, UINT cDims, const SAFEARRAYBOUND* rgsabound);
QOR_API SAFEARRAY* SafeArrayCreateVector(VARTYPE vt, LONG lLbound, ULONG cElements);
QOR_API HRESULT SafeArrayDestroy(SAFEARRAY* psa);
QOR_API HRESULT SafeArrayLock(SAFEARRAY* psa);
QOR_API HRESULT SafeArrayUnlock(SAFEARRAY* psa);
QOR_API HRESULT SafeArrayAccessData(SAFEARRAY* psa, void** ppvData);
QOR_API HRESULT SafeArrayUnaccessData(SAFEARRAY* psa);
QOR_API UINT SafeArrayGetDim(SAFEARRAY* psa);
QOR_API UINT SafeArrayGetElemsize(SAFEARRAY* psa);
QOR_API HRESULT SafeArrayGetVartype(SAFEARRAY* psa, VARTYPE* pvt);
QOR_API HRESULT SafeArrayGetLBound(SAFEARRAY* psa, UINT nDim, LONG* plLbound);
QOR_API HRESULT SafeArrayGetUBound(SAFEARRAY* psa, UINT nDim, LONG* plUbound);
QOR_API HRESULT SafeArrayPtrOfIndex(SAFEARRAY* psa, const LONG* rgIndices, void** ppvData);
// Copies the element out: a text, object or variant as the caller's own copy.
QOR_API HRESULT SafeArrayGetElement(SAFEARRAY* psa, const LONG* rgIndices, void* pv);
// pv points at the value, except for texts and objects, where it is the value itself.
QOR_API HRESULT SafeArrayPutElement(SAFEARRAY* psa, const LONG* rgIndices, void* pv);
QOR_API HRESULT SafeArrayCopy(SAFEARRAY* psa, SAFEARRAY** ppsaOut);

QOR_API void VariantInit(VARIANT* pvarg);
QOR_API HRESULT VariantClear(VARIANT* pvarg);
QOR_API HRESULT VariantCopy(VARIANT* pvargDest, const VARIANT* pvargSrc);
// As VariantCopy, but a by-reference source is copied as the value it points to. A variant
// by reference that holds another by-reference variant is refused with E_INVALIDARG.
QOR_API HRESULT VariantCopyInd(VARIANT* pvarDest, const VARIANT* pvargSrc);
// Converts as OLE Automation does: to VT_BSTR, VT_I2, VT_I4, VT_R8, VT_BOOL, VT_DISPATCH,
// VT_UNKNOWN, VT_ERROR, VT_EMPTY and VT_NULL. An object converts through its default value
// (DISPID_VALUE, property get) unless wFlags holds VARIANT_NOVALUEPROP. Text is written and
// read with '.' as the decimal separator; doubles are written with up to 15 significant
// digits ("0.5", "12", "1E+20", "1E-05"), infinities and NaNs as "1.#INF", "-1.#INF",
// "1.#QNAN" and "-1.#IND", which read back. Text may also be a hexadecimal ("&H7FFF") or
// octal ("&O17") literal; a number too small for a double reads as 0. Failures:
// DISP_E_TYPEMISMATCH, DISP_E_OVERFLOW, DISP_E_BADVARTYPE. pvargDest may equal pvarSrc.
QOR_API HRESULT VariantChangeType(VARIANT* pvargDest, const VARIANT* pvarSrc, USHORT wFlags,
                                  VARTYPE vt);
constexpr USHORT VARIANT_NOVALUEPROP = 0x01;

// Per-thread error object.
QOR_API HRESULT SetErrorInfo(ULONG dwReserved, IErrorInfo* perrinfo);
QOR_API HRESULT GetErrorInfo(ULONG dwReserved, IErrorInfo** pperrinfo);
QOR_API HRESULT CreateErrorInfo(ICreateErrorInfo** pperrinfo);

// Class creation through the registry.
QOR_API HRESULT CoCreateInstance(REFCLSID rclsid, IUnknown* pUnkOuter, DWORD dwClsContext,
                                 REFIID riid, void** ppv);
QOR_API HRESULT CoGetClassObject(REFCLSID rclsid, DWORD dwClsContext, void* pvReserved, REFIID riid,
                                 void** ppv);
QOR_API HRESULT CLSIDFromProgID(LPCOLESTR lpszProgID, CLSID* lpclsid);
QOR_API HRESULT CLSIDFromString(LPCOLESTR lpsz, CLSID* pclsid);
QOR_API int StringFromGUID2(REFGUID rguid, LPOLESTR lpsz, int cchMax);
// Unloads every loaded server whose DllCanUnloadNow has answered S_OK at each call for
// dwUnloadDelay milliseconds, counted from the call that first found it so: a Release
// still runs the server's code after its count reaches zero, perhaps on another thread.
// A server is unloaded only by a call made once the delay has passed. 0 unloads every
// server that answers S_OK at once, for a program whose other threads are not using
// servers; INFINITE (0xFFFFFFFF) is the default delay, ten minutes.
QOR_API void CoFreeUnusedLibrariesEx(DWORD dwUnloadDelay, DWORD dwReserved);
// CoFreeUnusedLibrariesEx with the default delay: safe in a threaded program.
QOR_API void CoFreeUnusedLibraries();

// The signatures an in-process server exports.
using PFN_DllGetClassObject = HRESULT (*)(REFCLSID, REFIID, void**);
using PFN_DllCanUnloadNow = HRESULT (*)();
using PFN_DllRegisterServer = HRESULT (*)();
using PFN_DllUnregisterServer = HRESULT (*)();
