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

QOR_API void VariantInit(VARIANT* pvarg);
QOR_API HRESULT VariantClear(VARIANT* pvarg);
QOR_API HRESULT VariantCopy(VARIANT* pvargDest, const VARIANT* pvargSrc);
// As VariantCopy, but a by-reference source is copied as the value it points to.
QOR_API HRESULT VariantCopyInd(VARIANT* pvarDest, const VARIANT* pvargSrc);
// Converts as OLE Automation does: to VT_BSTR, VT_I2, VT_I4, VT_R8, VT_BOOL, VT_DISPATCH,
// VT_UNKNOWN, VT_ERROR, VT_EMPTY and VT_NULL. An object converts through its default value
// (DISPID_VALUE, property get) unless wFlags holds VARIANT_NOVALUEPROP. Text is written and
// read with '.' as the decimal separator; doubles are written with up to 15 significant
// digits ("0.5", "12", "1E+20", "1E-05"). Failures: DISP_E_TYPEMISMATCH, DISP_E_OVERFLOW,
// DISP_E_BADVARTYPE. pvargDest may equal pvarSrc.
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
// Unloads every loaded server whose DllCanUnloadNow answers S_OK.
QOR_API void CoFreeUnusedLibraries();

// The signatures an in-process server exports.
using PFN_DllGetClassObject = HRESULT (*)(REFCLSID, REFIID, void**);
using PFN_DllCanUnloadNow = HRESULT (*)();
using PFN_DllRegisterServer = HRESULT (*)();
using PFN_DllUnregisterServer = HRESULT (*)();
