// ShowError: the library's common error report box.
#include "error_display.h"

#include "common_ops.h"
#include "gui_loader.h"
#include "qor/runtime.h"
#include "runtime_errors.h"

namespace qor::common {
std::u16string buildErrorText(std::u16string_view module, std::u16string_view procedure,
                              std::int32_t number, std::u16string_view description,
                              std::u16string_view errorCondition) {
    const std::string digits = std::to_string(number);
    std::u16string text = u"Error at: ";
    text.append(module).append(u".").append(procedure);
    text.append(u"\r\nCondition = ").append(errorCondition);
    text.append(u"\r\nNumber = ").append(digits.begin(), digits.end());
    text.append(u"\r\nDescription = ").append(description);
    return text;
}

void ShowError(std::u16string_view module, std::u16string_view procedure, ErrObject* theVBError,
               std::u16string_view errorCondition) {
    if (theVBError == nullptr)
        raiseRuntime(kErrObjectNotSet);
    LONG number = 0;
    if (const HRESULT hr = theVBError->get_Number(&number); FAILED(hr))
        throw takeErrorInfo(hr);
    Bstr description;
    if (const HRESULT hr = theVBError->get_Description(description.out()); FAILED(hr))
        throw takeErrorInfo(hr);

    const std::u16string text =
        buildErrorText(module, procedure, number, description.str(), errorCondition);
    // A label shows a line break as "\n"; the carriage returns would only add clutter.
    std::u16string shown;
    shown.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text.compare(i, 2, u"\r\n") != 0)
            shown.push_back(text[i]);
    displayMessageBox(u"msgApplicationError", u"Application Error", shown);
}

void reportSwallowed(std::u16string_view module, std::u16string_view procedure,
                     const AutomationError& err) {
    try {
        const auto errObject =
            ComPtr<ErrObject>::attach(createErrObject(err.number, err.source, err.description));
        ShowError(module, procedure, errObject.get(), u"");
    } catch (...) {
        // Nothing to report it to: the caller is promised a normal return.
    }
}

} // namespace qor::common
