#include "log_command.h"

#include "label_pdf_loader.h"
#include "log_listing.h"

#include "fill_log/cylinder_label.h"
#include "fill_log/fill_analysis.h"
#include "fill_log/fill_csv.h"
#include "fill_log/fill_log_path.h"
#include "fill_log/fill_time.h"
#include "fill_log/planned_fill.h"
#include "fill_log/sqlite_fill_store.h"
#include "report/report_date.h"

#include <CLI/CLI.hpp>

#include <iostream>

namespace quillan::blend {

namespace {

// The exit statuses of main.cpp, and one for a log that cannot be used.
constexpr int kDone = 0;
constexpr int kNotPossible = 1; // also: analysed out of tolerance
constexpr int kBadInput = 2;
constexpr int kStoreFailed = 3; // also: the label's PDF cannot be written

filllog::SqliteFillStore openStore(const std::string& file) {
    return filllog::SqliteFillStore(file.empty() ? filllog::defaultFillLogPath()
                                                 : std::filesystem::path(file));
}

// Runs `body`, turning the log's failures into a message and an exit status.
template <typename Body> int guarded(Body body) {
    try {
        return body();
    } catch (const filllog::BadFill& bad) {
        std::cerr << "quillan-blend: " << bad.what() << "; nothing stored\n";
        return kBadInput;
    } catch (const filllog::StoreError& store) {
        std::cerr << "quillan-blend: " << store.what() << '\n';
        return kStoreFailed;
    }
}

std::int64_t fillId(const std::string& text) {
    std::size_t used = 0;
    try {
        const long long id = std::stoll(text, &used);
        if (used == text.size() && id > 0)
            return id;
    } catch (const std::logic_error&) {
    }
    throw BadInput("ID " + text + ": a fill's id is a whole number from 1");
}

double percent(const std::string& option, const std::string& text) {
    std::size_t used = 0;
    try {
        const double value = std::stod(text, &used);
        if (used == text.size())
            return value;
    } catch (const std::logic_error&) {
    }
    throw BadInput(option + " " + text + ": a percentage is a number such as 31.8");
}

filllog::FillRecord fillOf(std::int64_t id, const filllog::SqliteFillStore& store) {
    std::optional<filllog::FillRecord> fill = store.find(id);
    if (!fill)
        throw filllog::BadFill("there is no fill " + std::to_string(id));
    return *fill;
}

struct LogArguments {
    std::string file;
    std::string since, customer;
    bool json = false, csv = false;
    std::string id, o2, he = "0", analyst, tolerance;
    bool accepted = false;
    std::string pdf;
    bool a4 = false;
};

int list(const LogArguments& args) {
    const std::vector<filllog::FillRecord> fills =
        openStore(args.file).list({args.since, args.customer});
    if (args.csv)
        std::cout << filllog::fillsCsv(fills);
    else if (args.json)
        std::cout << fillsJson(fills) << '\n';
    else
        for (const filllog::FillRecord& fill : fills)
            std::cout << fillLine(fill) << '\n';
    return kDone;
}

int analyse(const LogArguments& args) {
    const double tolerance = args.tolerance.empty() ? filllog::kDefaultTolerance
                                                    : percent("--tolerance", args.tolerance);
    if (!(tolerance >= 0.0 && tolerance <= 100.0))
        throw BadInput("--tolerance " + args.tolerance + ": from 0 to 100 points");
    const filllog::Analysis analysis{percent("--o2", args.o2), percent("--he", args.he),
                                     args.analyst, filllog::utcNow(), args.accepted};
    filllog::SqliteFillStore store = openStore(args.file);
    const std::int64_t id = fillId(args.id);
    store.analyse(id, analysis);
    const filllog::FillRecord fill = fillOf(id, store);
    const filllog::AnalysedFigures figures = filllog::analysedFigures(fill, analysis, tolerance);
    for (const std::string& line : filllog::analysisLines(fill, analysis, figures, tolerance))
        std::cout << line << '\n';
    if (figures.withinTolerance)
        return kDone;
    std::cout << "\nTo correct it:\n";
    const report::BlendReport plan =
        filllog::correctingPlan(fill, analysis, report::currentReportDateTime());
    for (const std::string& line : plan.lines)
        std::cout << line << '\n';
    return kNotPossible;
}

int label(const LogArguments& args) {
    const filllog::CylinderLabel label =
        filllog::cylinderLabel(fillOf(fillId(args.id), openStore(args.file)));
    if (!args.pdf.empty()) {
        try {
            writeLabelPdf(label, args.pdf, args.a4);
        } catch (const std::runtime_error& failed) {
            std::cerr << "quillan-blend: " << failed.what() << '\n';
            return kStoreFailed;
        }
        return kDone;
    }
    std::cout << label.mix << '\n';
    for (const std::string& line : label.details)
        std::cout << line << '\n';
    return kDone;
}

} // namespace

int runLogCommand(int argc, const char* const* argv) {
    CLI::App app("quillan-blend log: the fills recorded with --log");
    app.require_subcommand(1);
    LogArguments args;
    CLI::App* listCommand = app.add_subcommand("list", "the fills, oldest first");
    listCommand->add_option("--since", args.since, "fills on this day (YYYY-MM-DD) or later");
    listCommand->add_option("--customer", args.customer);
    auto* json = listCommand->add_flag("--json", args.json);
    listCommand->add_flag("--csv", args.csv)->excludes(json);
    CLI::App* analyseCommand = app.add_subcommand("analyse", "the analyser's reading of a fill");
    analyseCommand->add_option("ID", args.id)->required();
    analyseCommand->add_option("--o2", args.o2)->required();
    analyseCommand->add_option("--he", args.he);
    analyseCommand->add_option("--analyst", args.analyst)->required();
    analyseCommand->add_option("--tolerance", args.tolerance, "points either way, 1 unless set");
    analyseCommand->add_flag("--accepted", args.accepted, "the customer analysed and accepted it");
    CLI::App* labelCommand = app.add_subcommand("label", "the cylinder label's lines");
    labelCommand->add_option("ID", args.id)->required();
    labelCommand->add_option("--pdf", args.pdf, "write the label to this PDF file instead");
    labelCommand->add_flag("--a4", args.a4, "the PDF on A4 rather than a 100 x 50 mm label");
    for (CLI::App* command : {listCommand, analyseCommand, labelCommand})
        command->add_option("--log-file", args.file, "the log, instead of the default one");
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        std::cout << app.help();
        return kDone;
    } catch (const CLI::ParseError& e) {
        std::cerr << "quillan-blend log: " << e.what() << '\n';
        return kBadInput;
    }
    try {
        return guarded([&] {
            if (listCommand->parsed())
                return list(args);
            if (analyseCommand->parsed())
                return analyse(args);
            return label(args);
        });
    } catch (const BadInput& bad) {
        std::cerr << "quillan-blend log: " << bad.what() << '\n';
        return kBadInput;
    }
}

int recordPlannedFill(const BlendRequest& request, const report::BlendReport& report,
                      const report::ReportOptions& options) {
    const FillLogRequest& log = *request.log;
    return guarded([&] {
        filllog::FillRecord who;
        who.time = filllog::utcNow();
        who.blender = log.blender;
        who.customer = log.customer;
        who.cylinder.serial = log.cylinderSerial;
        who.cylinder.lastHydroTest = log.hydroTest;
        who.cylinder.lastVisualInspection = log.visualInspection;
        who.cylinder.oxygenClean = log.oxygenClean;
        who.notes = log.notes;
        const filllog::FillRecord fill =
            filllog::plannedFill(std::move(who), request.problem, report, options);
        filllog::SqliteFillStore store = openStore(log.file);
        const std::int64_t id = store.record(fill);
        std::cerr << "quillan-blend: logged as fill " << id << '\n';
        return kDone;
    });
}

} // namespace quillan::blend
