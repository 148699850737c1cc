// vimra-cli delivery: the delivery schedules of zkdlv01.dat, until the
// Delivery Schedules dialog exists.
#include <cstdio>
#include <map>

#include "cli/vimra/argument_parsing.h"
#include "cli/vimra/commands.h"
#include "generator/delivery_file.h"
#include "model/paths.h"

namespace {

const std::map<std::string, DeliveryBasis> kBases = {
    {"items", DeliveryBasis::Items}, {"cost", DeliveryBasis::OrderCost}, {"units", DeliveryBasis::InputUnits}};

void printSchedule(int number, const DeliverySchedule& schedule) {
    const bool formula = schedule.method == DeliveryMethod::Formula;
    std::printf("%d\t%s\t%s\t%s\n", number, schedule.name.c_str(), formula ? "formula" : "ranges",
                deliveryBasisWords(schedule.basis));
    if (formula) {
        std::printf("\t%s\n", deliveryFormulaText(schedule).c_str());
        if (schedule.roundUpTo >= kDeliveryUnsetBelow)
            std::printf("\tround up to nearest %.2f\n", schedule.roundUpTo);
        if (schedule.minimum >= kDeliveryUnsetBelow)
            std::printf("\tminimum %.2f\n", schedule.minimum);
        if (schedule.maximum >= kDeliveryUnsetBelow)
            std::printf("\tmaximum %.2f\n", schedule.maximum);
        return;
    }
    for (int i = 0; i < schedule.rangeCount; ++i) {
        const DeliveryRange& range = schedule.ranges[i];
        if (i > 0 && range.start == 0.0)
            continue;
        std::string start = deliveryStartText(schedule, range.start);
        std::printf("\t%s %s: %.2f\n", start.empty() ? "0" : start.c_str(),
                    deliveryRangeEndText(schedule, i).c_str(), range.charge);
    }
}

// "START:CHARGE" into a range; false when either is no finite number.
bool parseRange(const std::string& text, DeliveryRange& range) {
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos)
        return false;
    std::string start = text.substr(0, colon), charge = text.substr(colon + 1);
    if (!kFiniteNumber(start).empty() || !kFiniteNumber(charge).empty())
        return false;
    range.start = std::stod(start);
    range.charge = std::stod(charge);
    return true;
}

} // namespace

int runDeliveryCommand(int argc, char** argv) {
    CLI::App app("Lists and edits the delivery schedules (zkdlv01.dat, at most 40).", "vimra-cli delivery");
    app.require_subcommand(1);
    CLI::App* list = app.add_subcommand("list", "print the schedules with their formulas or ranges");

    DeliverySchedule schedule;
    schedule.basis = DeliveryBasis::OrderCost;
    CLI::App* formula = app.add_subcommand("add-formula", "add a schedule: initial value + factor * basis");
    formula->add_option("NAME", schedule.name, "name (at most 51 characters are kept)")->required();
    formula->add_option("--basis", schedule.basis, "items, cost or units (default cost)")
        ->transform(CLI::CheckedTransformer(kBases));
    formula->add_option("--initial", schedule.initialValue, "initial value")->check(kFiniteNumber);
    formula->add_option("--factor", schedule.factor, "factor")->required()->check(kFiniteNumber);
    formula->add_option("--round-up", schedule.roundUpTo, "round up to the nearest multiple of this")
        ->check(kFiniteNumber);
    formula->add_option("--min", schedule.minimum, "minimum amount")->check(kFiniteNumber);
    formula->add_option("--max", schedule.maximum, "maximum amount")->check(kFiniteNumber);

    CLI::App* ranges = app.add_subcommand(
        "add-range", "add a schedule of up to 10 ranges, each START:CHARGE: the charge from that start on");
    std::vector<std::string> rangeTexts;
    ranges->add_option("NAME", schedule.name, "name (at most 51 characters are kept)")->required();
    ranges->add_option("--basis", schedule.basis, "items, cost or units (default cost)")
        ->transform(CLI::CheckedTransformer(kBases));
    ranges->add_option("RANGE", rangeTexts, "START:CHARGE, in ascending order of START")->required();

    CLI::App* remove = app.add_subcommand("remove", "remove schedule N (as numbered by list)");
    int number = 0;
    remove->add_option("N", number, "number of the schedule")->required()->check(CLI::PositiveNumber);
    int parsed = parseArguments(app, argc, argv);
    if (parsed >= 0)
        return parsed;

    const std::string path = programPath(kDeliveryFile);
    DeliverySchedules schedules;
    schedules.load(path);
    StderrMessages messages(MessageAnswer::Ok);
    if (list->parsed()) {
        for (int i = 0; i < schedules.count(); ++i)
            printSchedule(i + 1, schedules.schedules()[i]);
        return 0;
    }
    if (formula->parsed()) {
        schedule.method = DeliveryMethod::Formula;
        if (schedules.add(normalisedSchedule(schedule), messages) != DeliveryResult::Done)
            return 1;
    }
    if (ranges->parsed()) {
        schedule.method = DeliveryMethod::Ranges;
        if (rangeTexts.size() > static_cast<std::size_t>(kDeliveryRanges)) {
            std::fprintf(stderr, "vimra-cli delivery: at most %d ranges\n", kDeliveryRanges);
            return 2;
        }
        for (std::size_t i = 0; i < rangeTexts.size(); ++i) {
            if (!parseRange(rangeTexts[i], schedule.ranges[i])) {
                std::fprintf(stderr, "vimra-cli delivery: a range is START:CHARGE, not '%s'\n", rangeTexts[i].c_str());
                return 2;
            }
        }
        schedule = normalisedSchedule(schedule);
        if (checkRanges(schedule, messages) != 0)
            return 1;
        if (schedules.add(schedule, messages) != DeliveryResult::Done)
            return 1;
    }
    if (remove->parsed() && schedules.remove(number - 1) != DeliveryResult::Done)
        return failure("there is no delivery schedule " + std::to_string(number));
    if (schedules.save(path) != 0)
        return failure("could not save " + path);
    return 0;
}
