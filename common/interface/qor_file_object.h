// The QorFile class: one parsed file name per instance, offered as _QorFile and under the
// identifier of its earlier version, QorFile___v0.
#pragma once

#include "QorCommon1.h"
#include "dual_object.h"
#include "qor_file.h"

namespace qor::server {

class QorFileObject final
    : public DualObject<QorFileObject, _QorFile, IID__QorFile, IID_QorFile___v0> {
  public:
    QorFileObject() = default;
    explicit QorFileObject(qor::QorFile parsed) : file_(std::move(parsed)) {}

    static const DispatchTable& dispatchTable();

    HRESULT STDMETHODCALLTYPE SetFileName(BSTR FullFilePath, VARIANT_BOOL FailInvalidPaths,
                                          VARIANT* retVal) override;
    HRESULT STDMETHODCALLTYPE GetFileInfo(::InfoType* InfoType, VARIANT_BOOL* WithTrailingSlash,
                                          BSTR* retVal) override;

  private:
    qor::QorFile file_;
};

} // namespace qor::server
