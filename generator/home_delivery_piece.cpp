#include <string>
#include <vector>

#include "generator/common_text.h"
#include "generator/delivery_file.h"
#include "generator/escaping.h"
#include "generator/generation_run.h"
#include "generator/home_facts.h"
#include "generator/home_page_pieces.h"
#include "generator/page_writer.h"

namespace {

bool deliveryCharges(const GenerationRun& run) {
    constexpr int kDeliveryCharges = 2;   // orderFormFlags bit 1
    return (run.general.orderFormFlags & kDeliveryCharges) != 0;
}

bool orderFormOn(const GenerationRun& run) {
    constexpr int kOrderFormOn = 1;   // orderFormFlags bit 0
    return (run.general.orderFormFlags & kOrderFormOn) != 0;
}

DeliverySchedules loadSchedules(const GenerationRun& run) {
    DeliverySchedules schedules;
    schedules.load(run.programFile(kDeliveryFile));
    return schedules;
}

// The schedules the basket offers, in file order: one on input units is
// left out when the data file has none, and the others close up.
std::vector<DeliverySchedule> offeredSchedules(const DeliverySchedules& schedules, const HomeFacts& facts) {
    std::vector<DeliverySchedule> offered;
    for (const DeliverySchedule& schedule : schedules.schedules()) {
        if (schedule.basis == DeliveryBasis::InputUnits && !facts.units)
            continue;
        offered.push_back(schedule);
    }
    return offered;
}

const char* basisVariable(DeliveryBasis basis) {
    switch (basis) {
    case DeliveryBasis::Items:
        return "iItems";
    case DeliveryBasis::InputUnits:
        return "Tu1";
    default:
        return "fOrderTotal";
    }
}

bool isSet(double amount) { return amount >= kDeliveryUnsetBelow; }

bool roundsUp(const DeliverySchedule& schedule) {
    return schedule.method == DeliveryMethod::Formula && isSet(schedule.roundUpTo);
}

void writeFormulaBody(PageWriter& out, const DeliverySchedule& schedule) {
    const bool limited = isSet(schedule.minimum) || isSet(schedule.maximum);
    out.put(limited ? "var tc=" : "return ");
    if (roundsUp(schedule))
        out.printf("RU(%.2f,", schedule.roundUpTo);
    out.printf("%.3f+%s*%.3f", schedule.initialValue, basisVariable(schedule.basis), schedule.factor);
    if (roundsUp(schedule))
        out.put(")");
    if (!limited)
        return;
    out.put(";");
    if (isSet(schedule.minimum))
        out.printf("if(tc<%.2f)tc=%.2f;", schedule.minimum, schedule.minimum);
    if (isSet(schedule.maximum))
        out.printf("if(tc>%.2f)tc=%.2f;", schedule.maximum, schedule.maximum);
    out.put("return tc;");
}

// The last range whose start the basis reaches gives the charge; below the
// first range's start the charge is 0. The first range always counts.
void writeRangesBody(PageWriter& out, const DeliverySchedule& schedule) {
    if (schedule.rangeCount <= 0) {
        out.put("return 0.00");
        return;
    }
    std::string expression = "0";
    for (int i = 0; i < schedule.rangeCount && i < kDeliveryRanges; ++i) {
        const DeliveryRange& range = schedule.ranges[i];
        if (i > 0 && range.start == 0.0)
            continue;
        expression = formatText("(%s>=%.2f?%.2f:%s)", basisVariable(schedule.basis), range.start, range.charge,
                                expression.c_str());
    }
    out.printf("return %s", expression.c_str());
}

// The text box's amount: converted into the chosen currency when the
// basket shows alternate currencies. prefix is "" or "parent.".
std::string deliveryAmount(const GenerationRun& run, const char* prefix) {
    if (run.currencyConversion)
        return formatText("%sfa(%sCCR*%sDelivCost)", prefix, prefix, prefix);
    return formatText("%sfa(%sDelivCost)", prefix, prefix);
}

} // namespace

void writeDeliveryScript(GenerationRun& run, PageWriter& out, const HomeFacts& facts) {
    if (!deliveryCharges(run))
        return;
    const std::vector<DeliverySchedule> schedules = offeredSchedules(loadSchedules(run), facts);
    bool rounding = false;
    for (std::size_t n = 0; n < schedules.size(); ++n) {
        const DeliverySchedule& schedule = schedules[n];
        out.printf("function ds%d(){Sch='%s';", static_cast<int>(n), escapeScriptString(schedule.name).c_str());
        if (schedule.method == DeliveryMethod::Formula)
            writeFormulaBody(out, schedule);
        else
            writeRangesBody(out, schedule);
        out.put("}\n");
        rounding = rounding || roundsUp(schedule);
    }
    std::string dispatch = schedules.empty() ? "0.0" : "0";
    for (std::size_t n = 0; n < schedules.size(); ++n)
        dispatch = formatText("(sch==%d?ds%d():%s)", static_cast<int>(n), static_cast<int>(n), dispatch.c_str());
    out.printf("function dc (sch){iDS=sch;DelivCost=%s;}\n", dispatch.c_str());
    // A remainder within half a cent of a step counts as none.
    if (rounding)
        out.put("function RU(RA1,IV1){var n=IV1<RA1?0:Math.floor(IV1/RA1);return n*RA1+(IV1%RA1>0.005?RA1:0);}\n");
}

std::string deliveryRecalculation(const GenerationRun& run) {
    if (!deliveryCharges(run) || !orderFormOn(run))
        return {};
    return "dc(iDS);";
}

std::string deliverySelector(const GenerationRun& run, const HomeFacts& facts) {
    if (!deliveryCharges(run))
        return {};
    const DeliverySchedules schedules = loadSchedules(run);
    if (schedules.count() == 0)
        return {};
    const std::string fontStart = escapeScriptString(run.fontTags[BasketFont::Order].start);
    const std::string fontEnd = escapeScriptString(run.fontTags[BasketFont::Order].end);
    std::string cells = formatText(
        "d.write(\"<TD>%s&nbsp;%s&nbsp%s<SELECT NAME=ds OnChange=\\\"parent.dc(ds.selectedIndex);"
        "parent.frames[%d].document.forms[0].dc.value=%s\\\">",
        fontStart.c_str(), run.commonText.escaped(CommonLabel::Delivery).c_str(), fontEnd.c_str(),
        facts.basketFrame, deliveryAmount(run, "parent.").c_str());
    const std::vector<DeliverySchedule> offered = offeredSchedules(schedules, facts);
    for (std::size_t n = 0; n < offered.size(); ++n)
        cells += formatText("<OPTION VALUE=%d\"+(iDS==%d?\" SELECTED \":\"\")+\">%s", static_cast<int>(n),
                            static_cast<int>(n), escapeScriptString(offered[n].name).c_str());
    cells += formatText("</SELECT></TD><TD>%s%s&nbsp;%s<INPUT TYPE=TEXT NAME=dc SIZE=8 VALUE=\"+%s+\"></TD>\");\n",
                        fontStart.c_str(), run.commonText.escaped(CommonLabel::DeliveryCost).c_str(),
                        fontEnd.c_str(), deliveryAmount(run, "").c_str());
    return cells;
}
