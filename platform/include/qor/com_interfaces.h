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

// Standard interface identifiers, defined in the platform library.
extern "C" {
extern const IID IID_IUnknown;
extern const IID IID_IDispatch;
extern const IID IID_IClassFactory;
extern const IID IID_IErrorInfo;
extern const IID IID_ICreateErrorInfo;
extern const IID IID_ISupportErrorInfo;
extern const IID IID_ErrObject;  // {A4C466B8-499F-101B-BB78-00AA00383CBB}
extern const IID IID_Collection; // {A4C46780-499F-101B-BB78-00AA00383CBB}
extern const IID IID_NULL;
}
