#include "library/common_client.h"

#include "QorCommon1.h"
#include "qor/runtime.h"

namespace library {

namespace {

QString hresultText(HRESULT hr) {
    return QStringLiteral("0x") + QString::number(static_cast<quint32>(hr), 16)
                                      .toUpper()
                                      .rightJustified(8, QLatin1Char('0'));
}

QString reasonFor(HRESULT hr) {
    switch (hr) {
    case REGDB_E_CLASSNOTREG:
        return QStringLiteral("the class Common is not registered");
    case CO_E_DLLNOTFOUND:
        return QStringLiteral("the library file was not found");
    case CO_E_ERRORINDLL:
        return QStringLiteral("the library file could not be loaded");
    case CLASS_E_CLASSNOTAVAILABLE:
        return QStringLiteral("the library does not offer the class Common");
    case E_NOINTERFACE:
        return QStringLiteral("the class Common does not offer its interface");
    case REGDB_E_READREGDB:
        return QStringLiteral("the registry could not be read");
    default:
        return QStringLiteral("the class Common could not be created");
    }
}

CommonClient create() {
    CommonClient result;
    void* object = nullptr;
    const HRESULT hr =
        CoCreateInstance(CLSID_Common, nullptr, CLSCTX_INPROC_SERVER, IID__Common, &object);
    if (SUCCEEDED(hr) && object != nullptr) {
        result.common = static_cast<_Common*>(object);
        return result;
    }
    const qor::AutomationError detail = qor::takeErrorInfo(FAILED(hr) ? hr : E_POINTER);
    result.failure =
        reasonFor(hr) + QStringLiteral(" (HRESULT ") + hresultText(hr) + QLatin1Char(')');
    if (!detail.description.empty())
        result.failure += QStringLiteral(": ") + QString::fromStdU16String(detail.description);
    return result;
}

} // namespace

const CommonClient& TheCommonClient() {
    static const CommonClient instance = create();
    return instance;
}

} // namespace library
