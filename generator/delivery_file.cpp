#include "generator/delivery_file.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "generator/page_writer.h"
#include "generator/record_bytes.h"
#include "model/settings_store.h"

namespace {

constexpr std::size_t kHeaderSize = 6;
constexpr std::size_t kRecordSize = 224;
constexpr std::size_t kRangeSize = 16;
constexpr std::size_t kFileNameSize = 102;
// 40 schedules with their ranges at most; the rest of a larger file is never read.
constexpr std::size_t kMostBytes = kHeaderSize + kDeliverySlots * (kRecordSize + kRangeSize * 32767);

namespace record {
constexpr std::size_t name = 0, basis = 102, method = 104, rangeCount = 106, initialValue = 120, factor = 128,
                      roundUpTo = 136, minimum = 144, maximum = 152;
}
namespace range {
constexpr std::size_t charge = 0, start = 8;
}

DeliveryBasis basisFrom(std::int16_t stored) {
    switch (stored) {
    case 0:
        return DeliveryBasis::Items;
    case 2:
        return DeliveryBasis::InputUnits;
    default:
        return DeliveryBasis::OrderCost;
    }
}

// An amount as the form's "%.2f" text gives it back.
double cents(double amount) { return std::strtod(formatText("%.2f", amount).c_str(), nullptr); }

double finiteOrZero(double value) { return std::isfinite(value) ? value : 0.0; }

} // namespace

int DeliverySchedules::load(const std::string& path) {
    m_schedules.clear();
    std::optional<std::string> bytes = readDataFile(path, kMostBytes);
    if (!bytes || bytes->size() < 2)
        return 0;
    const std::string_view file = *bytes;
    const int count = std::min<int>(readInt16(file, 0), kDeliverySlots);
    std::size_t at = kHeaderSize;
    for (int i = 0; i < count; ++i) {
        DeliverySchedule schedule;
        schedule.name = readText(file, at + record::name, kFileNameSize);
        schedule.basis = basisFrom(readInt16(file, at + record::basis));
        schedule.method = readInt16(file, at + record::method) == 1 ? DeliveryMethod::Formula : DeliveryMethod::Ranges;
        const int stored = std::max<int>(readInt16(file, at + record::rangeCount), 0);
        schedule.rangeCount = std::min(stored, kDeliveryRanges);
        schedule.initialValue = readDouble(file, at + record::initialValue);
        schedule.factor = readDouble(file, at + record::factor);
        schedule.roundUpTo = readDouble(file, at + record::roundUpTo);
        schedule.minimum = readDouble(file, at + record::minimum);
        schedule.maximum = readDouble(file, at + record::maximum);
        at += kRecordSize;
        for (int r = 0; r < schedule.rangeCount; ++r) {
            const std::size_t entry = at + kRangeSize * static_cast<std::size_t>(r);
            schedule.ranges[r].charge = readDouble(file, entry + range::charge);
            schedule.ranges[r].start = readDouble(file, entry + range::start);
        }
        at += kRangeSize * static_cast<std::size_t>(stored);
        m_schedules.push_back(std::move(schedule));
    }
    return 0;
}

int DeliverySchedules::save(const std::string& path) const {
    std::string bytes(kHeaderSize, '\0');
    putInt16(bytes, 0, static_cast<std::int16_t>(m_schedules.size()));
    for (const DeliverySchedule& schedule : m_schedules) {
        const int rangeCount = std::clamp(schedule.rangeCount, 0, kDeliveryRanges);
        const std::size_t at = bytes.size();
        bytes.resize(at + kRecordSize + kRangeSize * static_cast<std::size_t>(rangeCount), '\0');
        putText(bytes, at + record::name, kFileNameSize, schedule.name);
        putInt16(bytes, at + record::basis, static_cast<std::int16_t>(schedule.basis));
        putInt16(bytes, at + record::method, static_cast<std::int16_t>(schedule.method));
        putInt16(bytes, at + record::rangeCount, static_cast<std::int16_t>(rangeCount));
        putDouble(bytes, at + record::initialValue, schedule.initialValue);
        putDouble(bytes, at + record::factor, schedule.factor);
        putDouble(bytes, at + record::roundUpTo, schedule.roundUpTo);
        putDouble(bytes, at + record::minimum, schedule.minimum);
        putDouble(bytes, at + record::maximum, schedule.maximum);
        for (int r = 0; r < rangeCount; ++r) {
            const std::size_t entry = at + kRecordSize + kRangeSize * static_cast<std::size_t>(r);
            putDouble(bytes, entry + range::charge, schedule.ranges[r].charge);
            putDouble(bytes, entry + range::start, schedule.ranges[r].start);
        }
    }
    return replaceFile(path, bytes) == 0 ? 0 : -1;
}

DeliveryResult DeliverySchedules::add(DeliverySchedule schedule, UserMessages& messages) {
    if (count() >= kDeliverySlots) {
        messages.show("Cannot insert another delivery schedule - limit reached", "", MessageButtons::Ok);
        return DeliveryResult::LimitReached;
    }
    m_schedules.push_back(std::move(schedule));
    return DeliveryResult::Done;
}

DeliveryResult DeliverySchedules::replace(int index, DeliverySchedule schedule) {
    if (index < 0 || index >= count())
        return DeliveryResult::NoSuchSchedule;
    m_schedules[index] = std::move(schedule);
    return DeliveryResult::Done;
}

DeliveryResult DeliverySchedules::remove(int index) {
    if (index < 0 || index >= count())
        return DeliveryResult::NoSuchSchedule;
    m_schedules.erase(m_schedules.begin() + index);
    return DeliveryResult::Done;
}

RangeCheck checkRanges(const DeliverySchedule& schedule) {
    for (int i = 1; i < kDeliveryRanges; ++i) {
        const double start = schedule.ranges[i].start;
        const double previous = schedule.ranges[i - 1].start;
        if (start == 0.0)
            continue;
        if (i > 1 && previous == 0.0)
            return {RangeOrder::NotContiguous, i};
        if (start <= previous)
            return {RangeOrder::NotAscending, i};
    }
    return {};
}

int checkRanges(const DeliverySchedule& schedule, UserMessages& messages) {
    RangeCheck check = checkRanges(schedule);
    switch (check.order) {
    case RangeOrder::Ascending:
        return 0;
    case RangeOrder::NotAscending:
        messages.show(formatText("Ranges must be entered in ascending order (%d)", check.range), "Cost Ranges",
                      MessageButtons::Ok);
        return -1;
    case RangeOrder::NotContiguous:
        messages.show("Please enter ranges contiguously in ascending order", "Cost Ranges", MessageButtons::Ok);
        return -1;
    }
    return -1;
}

DeliverySchedule normalisedSchedule(DeliverySchedule schedule) {
    schedule.name = cutText(schedule.name, kDeliveryNameMaxLength);
    schedule.rangeCount = std::clamp(schedule.rangeCount, 0, kDeliveryRanges);
    for (double* amount : {&schedule.initialValue, &schedule.factor, &schedule.roundUpTo, &schedule.minimum,
                           &schedule.maximum})
        *amount = cents(finiteOrZero(*amount));
    for (DeliveryRange& r : schedule.ranges) {
        r.charge = cents(finiteOrZero(r.charge));
        r.start = finiteOrZero(r.start);
        r.start = schedule.basis == DeliveryBasis::Items ? std::trunc(std::clamp(r.start, -1e15, 1e15)) : cents(r.start);
    }
    return schedule;
}

const char* deliveryBasisWords(DeliveryBasis basis) {
    switch (basis) {
    case DeliveryBasis::Items:
        return "number of items";
    case DeliveryBasis::InputUnits:
        return "total number of input units";
    default:
        return "order cost";
    }
}

std::string deliveryAmountText(double amount) { return amount == 0.0 ? std::string() : formatText("%.2f", amount); }

std::string deliveryStartText(const DeliverySchedule& schedule, double start) {
    if (start == 0.0)
        return {};
    if (schedule.basis == DeliveryBasis::Items)
        return formatText("%ld", static_cast<long>(std::clamp(start, -1e15, 1e15)));
    return formatText("%.2f", start);
}

std::string deliveryFormulaText(const DeliverySchedule& schedule) {
    const std::string initial = deliveryAmountText(schedule.initialValue);
    return formatText("Cost = %s %s %s * (%s)", initial.c_str(), initial.empty() ? "" : "+",
                      formatText("%.2f", schedule.factor).c_str(), deliveryBasisWords(schedule.basis));
}

std::string deliveryRangeEndText(const DeliverySchedule& schedule, int index) {
    if (index < 0 || index >= kDeliveryRanges)
        return {};
    const double next = index + 1 < kDeliveryRanges ? schedule.ranges[index + 1].start : 0.0;
    if (next != 0.0) {
        if (schedule.basis == DeliveryBasis::Items)
            return formatText("to %ld", static_cast<long>(std::clamp(next, -1e15, 1e15)) - 1);
        return formatText("to %.2f", std::trunc(std::clamp(next, -1e15, 1e15)) - 0.01);
    }
    return index == 0 || schedule.ranges[index].start != 0.0 ? "and over" : "";
}
