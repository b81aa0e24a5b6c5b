#include "library/common_calls.h"

#include "QorCommon1.h"
#include "engine/number_rules.h"
#include "library/common_client.h"
#include "qor/runtime.h"

#include <QApplication>
#include <QMessageBox>

namespace library {

namespace {

// A text passed by reference: the callee may replace it, the caller frees what is left.
class InOutText {
  public:
    explicit InOutText(const QString& text) : raw_(qor::Bstr(text.toStdU16String()).detach()) {}
    InOutText(const InOutText&) = delete;
    InOutText& operator=(const InOutText&) = delete;
    ~InOutText() { SysFreeString(raw_); }
    BSTR* ref() { return &raw_; }

  private:
    BSTR raw_;
};

// The error object passed by reference; the calculator keeps ownership of it.
class InOutErrObject {
  public:
    explicit InOutErrObject(const quillan::RuntimeError& err)
        : raw_(qor::createErrObject(err.number, qor::fromUtf8(err.source),
                                    qor::fromUtf8(err.description))) {}
    InOutErrObject(const InOutErrObject&) = delete;
    InOutErrObject& operator=(const InOutErrObject&) = delete;
    ~InOutErrObject() {
        if (raw_ != nullptr)
            raw_->Release();
    }
    ErrObject** ref() { return &raw_; }

  private:
    ErrObject* raw_;
};

quillan::RuntimeError errorFrom(HRESULT hr) {
    const qor::AutomationError err = qor::takeErrorInfo(hr);
    return quillan::RuntimeError(err.number, qor::toUtf8(err.source), qor::toUtf8(err.description));
}

QString errorReport(const QString& module, const QString& procedure,
                    const quillan::RuntimeError& err, const QString& condition) {
    return QStringLiteral("Error at: ") + module + QLatin1Char('.') + procedure +
           QStringLiteral("\r\nCondition = ") + condition + QStringLiteral("\r\nNumber = ") +
           QString::fromStdString(quillan::formatNumber(err.number)) +
           QStringLiteral("\r\nDescription = ") + QString::fromStdString(err.description);
}

// The library's report layout, shown by the calculator itself when the library cannot.
void showOwnErrorBox(const QString& report, const QString& why) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Application Error"),
                    report + QStringLiteral("\r\n") + why, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

_Common& commonOrThrow() {
    const CommonClient& client = TheCommonClient();
    if (client.common == nullptr)
        // 429: the classic "component can't create object".
        throw quillan::RuntimeError(429, quillan::kRuntimeErrorSource,
                                    "QorCommon1 could not be loaded: " +
                                        client.failure.toStdString());
    return *client.common;
}

} // namespace

void ShowError(const QString& module, const QString& procedure, const quillan::RuntimeError& err,
               const QString& condition) {
    const QString report = errorReport(module, procedure, err, condition);
    const CommonClient& client = TheCommonClient();
    if (client.common == nullptr) {
        showOwnErrorBox(report,
                        QStringLiteral("QorCommon1 could not be loaded: ") + client.failure);
        return;
    }
    InOutText moduleText(module);
    InOutText procedureText(procedure);
    InOutText conditionText(condition);
    InOutErrObject error(err);
    const HRESULT hr = client.common->ShowError(moduleText.ref(), procedureText.ref(), error.ref(),
                                                conditionText.ref());
    if (FAILED(hr)) {
        const quillan::RuntimeError why = errorFrom(hr);
        showOwnErrorBox(report, QStringLiteral("QorCommon1 could not show it: ") +
                                    QString::fromStdString(why.description));
    }
}

QString NulltoString(const QString& text) {
    _Common& common = commonOrThrow();
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_BSTR;
    value.bstrVal = qor::Bstr(text.toStdU16String()).detach();
    qor::Bstr result;
    const HRESULT hr = common.NulltoString(&value, result.out());
    VariantClear(&value);
    if (FAILED(hr))
        throw errorFrom(hr);
    return QString::fromStdU16String(result.str());
}

QString StartDoc(const QString& docName, bool displayError) {
    _Common& common = commonOrThrow();
    InOutText name(docName);
    VARIANT_BOOL display = displayError ? VARIANT_TRUE : VARIANT_FALSE;
    qor::Bstr result;
    const HRESULT hr = common.StartDoc(name.ref(), &display, result.out());
    if (FAILED(hr))
        throw errorFrom(hr);
    return QString::fromStdU16String(result.str());
}

} // namespace library
