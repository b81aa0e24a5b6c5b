#include "class_factory.h"

#include <new>

#include "QorCommon1.h"
#include "common_object.h"
#include "geo_support_object.h"
#include "module_state.h"
#include "qor_file_object.h"

namespace qor::server {
namespace {

// One factory per DllGetClassObject call; while a client holds it the library stays loaded.
template <class Object> class ClassFactory final : public IClassFactory {
  public:
    ClassFactory() { objectCreated(); }
    ~ClassFactory() { objectDestroyed(); }
    ClassFactory(const ClassFactory&) = delete;
    ClassFactory& operator=(const ClassFactory&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (ppv == nullptr)
            return E_POINTER;
        if (!(riid == IID_IUnknown || riid == IID_IClassFactory)) {
            *ppv = nullptr;
            return E_NOINTERFACE;
        }
        *ppv = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0)
            delete this;
        return left;
    }

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* pUnkOuter, REFIID riid,
                                             void** ppvObject) override {
        if (ppvObject == nullptr)
            return E_POINTER;
        *ppvObject = nullptr;
        if (pUnkOuter != nullptr)
            return CLASS_E_NOAGGREGATION;
        return Object::create(riid, ppvObject);
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL fLock) override {
        return lockServer(fLock != 0) ? S_OK : E_UNEXPECTED;
    }

  private:
    ULONG references_ = 1;
};

template <class Object> HRESULT handOut(REFIID riid, void** ppv) {
    auto* factory = new (std::nothrow) ClassFactory<Object>();
    if (factory == nullptr)
        return E_OUTOFMEMORY;
    const HRESULT hr = factory->QueryInterface(riid, ppv);
    factory->Release();
    return hr;
}

} // namespace

HRESULT getClassObject(REFCLSID clsid, REFIID riid, void** ppv) {
    if (ppv == nullptr)
        return E_POINTER;
    *ppv = nullptr;
    if (clsid == CLSID_QorFile)
        return handOut<QorFileObject>(riid, ppv);
    if (clsid == CLSID_Common)
        return handOut<CommonObject>(riid, ppv);
    if (clsid == CLSID_GeoSupport)
        return handOut<GeoSupportObject>(riid, ppv);
    return CLASS_E_CLASSNOTAVAILABLE;
}

} // namespace qor::server
