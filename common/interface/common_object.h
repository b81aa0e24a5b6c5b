// The Common class: string, error-display, label and file helpers, stateless.
#pragma once

#include "QorCommon1.h"
#include "dual_object.h"

namespace qor::server {

class CommonObject final : public DualObject<CommonObject, _Common, IID__Common> {
  public:
    static const DispatchTable& dispatchTable();

    HRESULT STDMETHODCALLTYPE EmptyStringToZero(BSTR StringIn, BSTR* retVal) override;
    HRESULT STDMETHODCALLTYPE NulltoString(VARIANT* VarIn, BSTR* retVal) override;
    HRESULT STDMETHODCALLTYPE GetFileInfo(BSTR FilePath, VARIANT_BOOL* FailInvalidPaths,
                                          _QorFile** retVal) override;
    HRESULT STDMETHODCALLTYPE ShowAppVersion(BSTR* AppName, BSTR* AppVersion) override;
    HRESULT STDMETHODCALLTYPE RemoveSpaces(BSTR StringIn, short* SpaceCounter,
                                           BSTR* retVal) override;
    HRESULT STDMETHODCALLTYPE ShowError(BSTR* Module, BSTR* Procedure, ErrObject** theVBError,
                                        BSTR* ErrorCondition) override;
    HRESULT STDMETHODCALLTYPE ResetLabel(IDispatch** LabelCtl, BSTR* InputValue) override;
    HRESULT STDMETHODCALLTYPE UpdateLabel(IDispatch** LabelCtl, BSTR Message) override;
    HRESULT STDMETHODCALLTYPE PadString(BSTR StringIn, short StringLen, BSTR PadChar,
                                        ::PAD_END PadDir, VARIANT_BOOL* bTrunkIfLonger,
                                        BSTR* retVal) override;
    HRESULT STDMETHODCALLTYPE StartDoc(BSTR* DocName, VARIANT_BOOL* DisplayError,
                                       BSTR* retVal) override;
    HRESULT STDMETHODCALLTYPE StripTerminator(BSTR strString, BSTR* retVal) override;
    HRESULT STDMETHODCALLTYPE FileOrDirExists(BSTR sFile, BSTR sFolder,
                                              VARIANT_BOOL* retVal) override;
    HRESULT STDMETHODCALLTYPE FindTextFileLength(BSTR FilePath, LONG* retVal) override;
};

} // namespace qor::server
