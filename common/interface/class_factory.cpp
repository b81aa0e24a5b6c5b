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
template <class Object> HRESULT handOut(REFIID riid, void** ppv) {
    return ClassFactory<Object, moduleLocks>::create(riid, ppv);
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
