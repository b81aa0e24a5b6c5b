#include "log_options.h"

namespace quillan::blend {

LogOptions::LogOptions(CLI::App& app) {
    const auto single = [&app, this](const std::string& name, std::string& value) {
        details_.push_back(
            app.add_option(name, value)->multi_option_policy(CLI::MultiOptionPolicy::TakeLast));
    };
    single("--customer", request_.customer);
    single("--cylinder-serial", request_.cylinderSerial);
    single("--blender", request_.blender);
    single("--hydro-test", request_.hydroTest);
    single("--visual-inspection", request_.visualInspection);
    single("--notes", request_.notes);
    single("--log-file", request_.file);
    details_.push_back(app.add_flag("--o2-clean", request_.oxygenClean)
                           ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)
                           ->disable_flag_override());
    log_ = app.add_flag("--log")
               ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)
               ->disable_flag_override();
}

bool LogOptions::given() const {
    if (log_->count() > 0)
        return true;
    for (const CLI::Option* option : details_)
        if (option->count() > 0)
            return true;
    return false;
}

std::optional<FillLogRequest> LogOptions::read() const {
    if (log_->count() == 0) {
        for (const CLI::Option* option : details_)
            if (option->count() > 0)
                throw BadInput(option->get_name() + " needs --log");
        return std::nullopt;
    }
    if (request_.customer.empty())
        throw BadInput("--log needs --customer NAME");
    if (request_.cylinderSerial.empty())
        throw BadInput("--log needs --cylinder-serial SERIAL");
    return request_;
}

} // namespace quillan::blend
