// quillan-blend: the calculator's two commands from the command line.
#include "best_output.h"
#include "blend_arguments.h"
#include "blend_output.h"
#include "help_text.h"
#include "log_command.h"

#include "report/report_date.h"

#include <iostream>
#include <string_view>

using namespace quillan;

namespace {

constexpr int kPlanned = 0;
constexpr int kNotPossible = 1;
constexpr int kBadInput = 2;

int run(const blend::BlendRequest& request, const NumberLocale& numbers) {
    report::ReportOptions options;
    options.numbers = numbers;
    options.units = request.units;
    options.gas = request.gas;
    options.fill = request.fillTemperature;
    options.settle = request.settleTemperature;
    options.checkpoints = request.checkpoints;
    options.cylinder = request.cylinder;
    options.prices = request.prices;
    options.leastDrain = request.leastDrain;
    options.supply = request.supply;
    options.topUpGas = request.topUpGas;
    options.modAtPO2 = request.modAtPO2;
    const report::BlendReport report =
        blend::makeReport(request, report::currentReportDateTime(), options);
    if (request.json) {
        std::cout << blend::jsonText(request, report, options) << '\n';
    } else {
        for (const std::string& line : blend::textLines(request, report, options))
            std::cout << line << '\n';
    }
    if (report.error)
        std::cerr << "quillan-blend: " << report.step << ": " << report.error->description
                  << " (error " << report.error->number << ")\n";
    if (request.log)
        return blend::recordPlannedFill(request, report, options);
    return report.outcome == report::Outcome::Plan ? kPlanned : kNotPossible;
}

int runBest(int argc, const char* const* argv, const NumberLocale& numbers) {
    blend::BestRequest request;
    try {
        request = blend::parseBestArguments(argc, argv, numbers);
    } catch (const blend::BadInput& bad) {
        std::cerr << "quillan-blend best: " << bad.what() << '\n' << blend::kBestUsageHint << '\n';
        return kBadInput;
    }
    const blend::BestAnswer answer = blend::answerBest(request);
    if (request.json) {
        std::cout << blend::bestJsonText(request, answer, numbers) << '\n';
    } else {
        for (const std::string& line : blend::bestTextLines(request, answer, numbers))
            std::cout << line << '\n';
    }
    return answer.outcome.best ? kPlanned : kNotPossible;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string_view(argv[1]) == "log")
        return blend::runLogCommand(argc - 1, argv + 1);
    const NumberLocale numbers = NumberLocale::user();
    if (argc > 1 && std::string_view(argv[1]) == "best")
        return runBest(argc - 1, argv + 1, numbers);
    blend::BlendRequest request;
    try {
        request = blend::parseArguments(argc, argv, numbers);
    } catch (const blend::BadInput& bad) {
        std::cerr << "quillan-blend: " << bad.what() << '\n' << blend::kUsageHint << '\n';
        return kBadInput;
    }
    switch (request.command) {
    case blend::Command::Help:
        std::cout << blend::kHelpText;
        return kPlanned;
    case blend::Command::Version:
        std::cout << blend::kVersionText << '\n';
        return kPlanned;
    case blend::Command::RequiredMix:
    case blend::Command::TopUp:
        break;
    }
    const int status = run(request, numbers);
    if (!std::cout.flush()) {
        std::cerr << "quillan-blend: cannot write the output\n";
        return kNotPossible;
    }
    return status;
}
