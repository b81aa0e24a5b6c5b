// The standard COM / OLE Automation interfaces. Each is an abstract class whose only
// virtual functions are the interface's, in the standard vtable order, with no
// virtual destructor, so the layout matches what any COM-aware client expects.
#pragma once

#include "qor/com_types.h"

struct ITypeInfo; // not offered by this runtime; only passed around as a pointer

struct IUnknown {
    virtual HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) = 0;
    virtual ULONG STDMETHODCALLTYPE AddRef() = 0;
    virtual ULONG STDMETHODCALLTYPE Release() = 0;
};

struct IDispatch : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pctinfo) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames,
                                                    LCID lcid, DISPID* rgDispId) = 0;
    virtual HRESULT STDMETHODCALLTYPE Invoke(DISPID dispIdMember, REFIID riid, LCID lcid,
                                             WORD wFlags, DISPPARAMS* pDispParams,
                                             VARIANT* pVarResult, EXCEPINFO* pExcepInfo,
                                             UINT* puArgErr) = 0;
};

struct IClassFactory : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* pUnkOuter, REFIID riid,
                                                     void** ppvObject) = 0;
    virtual HRESULT STDMETHODCALLTYPE LockServer(BOOL fLock) = 0;
};

struct IErrorInfo : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE GetGUID(GUID* pGUID) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetSource(BSTR* pBstrSource) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetDescription(BSTR* pBstrDescription) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetHelpFile(BSTR* pBstrHelpFile) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetHelpContext(DWORD* pdwHelpContext) = 0;
};

struct ICreateErrorInfo : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE SetGUID(REFGUID rguid) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetSource(LPOLESTR szSource) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetDescription(LPOLESTR szDescription) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetHelpFile(LPOLESTR szHelpFile) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetHelpContext(DWORD dwHelpContext) = 0;
};

struct ISupportErrorInfo : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID riid) = 0;
};

// The automation run-time's error object, member order as the classic run-time has it.
struct ErrObject : IDispatch {
    virtual HRESULT STDMETHODCALLTYPE get_Number(LONG* pl) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Number(LONG l) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Source(BSTR* pbstr) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Source(BSTR bstr) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Description(BSTR* pbstr) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Description(BSTR bstr) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_HelpFile(BSTR* pbstr) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_HelpFile(BSTR bstr) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_HelpContext(LONG* pl) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_HelpContext(LONG l) = 0;
    virtual HRESULT STDMETHODCALLTYPE Raise(LONG Number, VARIANT* Source, VARIANT* Description,
                                            VARIANT* HelpFile, VARIANT* HelpContext) = 0;
    virtual HRESULT STDMETHODCALLTYPE Clear() = 0;
    virtual HRESULT STDMETHODCALLTYPE get_LastDllError(LONG* pl) = 0;
};

// The automation run-time's collection, member order as the classic run-time has it.
struct Collection : IDispatch {
    virtual HRESULT STDMETHODCALLTYPE Item(VARIANT* Index, VARIANT* pvarRet) = 0;
    virtual HRESULT STDMETHODCALLTYPE Add(VARIANT* Item, VARIANT* Key, VARIANT* Before,
                                          VARIANT* After) = 0;
    virtual HRESULT STDMETHODCALLTYPE Count(LONG* pi) = 0;
    virtual HRESULT STDMETHODCALLTYPE Remove(VARIANT* Index) = 0;
    virtual HRESULT STDMETHODCALLTYPE _NewEnum(IUnknown** ppunk) = 0;
};

// DISPIDs that ErrObject answers late-bound; Number is the default member.
constexpr DISPID DISPID_ERROBJECT_NUMBER = 0;
constexpr DISPID DISPID_ERROBJECT_SOURCE = 1;
constexpr DISPID DISPID_ERROBJECT_DESCRIPTION = 2;
constexpr DISPID DISPID_ERROBJECT_HELPFILE = 3;
constexpr DISPID DISPID_ERROBJECT_HELPCONTEXT = 4;
constexpr DISPID DISPID_ERROBJECT_RAISE = 5;
constexpr DISPID DISPID_ERROBJECT_CLEAR = 6;
constexpr DISPID DISPID_ERROBJECT_LASTDLLERROR = 7;

// DISPIDs that Collection answers late-bound; Item is the default member.
constexpr DISPID DISPID_COLLECTION_ITEM = 0;
constexpr DISPID DISPID_COLLECTION_ADD = 1;
constexpr DISPID DISPID_COLLECTION_COUNT = 2;
constexpr DISPID DISPID_COLLECTION_REMOVE = 3;

struct IEnumVARIANT : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Next(ULONG celt, VARIANT* rgVar, ULONG* pCeltFetched) = 0;
    virtual HRESULT STDMETHODCALLTYPE Skip(ULONG celt) = 0;
    virtual HRESULT STDMETHODCALLTYPE Reset() = 0;
    virtual HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** ppEnum) = 0;
};

// Standard interface identifiers, defined in the platform library.
extern "C" {
#define QOR_IID extern __attribute__((visibility("default"))) const IID
QOR_IID IID_IUnknown;
QOR_IID IID_IDispatch;
QOR_IID IID_IClassFactory;
QOR_IID IID_IErrorInfo;
QOR_IID IID_ICreateErrorInfo;
QOR_IID IID_ISupportErrorInfo;
QOR_IID IID_ErrObject;  // {A4C466B8-499F-101B-BB78-00AA00383CBB}
QOR_IID IID_Collection; // {A4C46780-499F-101B-BB78-00AA00383CBB}
QOR_IID IID_IEnumVARIANT;
QOR_IID IID_NULL;
#undef QOR_IID
}
