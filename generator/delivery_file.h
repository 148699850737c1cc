#pragma once
// The shop's delivery schedules, kept in the delivery file "zkdlv01.dat" in
// the program directory: up to 40 named rules that turn the basket's number
// of items, order cost or input units into a delivery charge, by a formula
// or by a table of up to ten ranges.
//
// zkdlv01.dat, little-endian: the schedule count S (signed 16-bit), 4 zero
// bytes, then S times a 224-byte record followed by its R range entries of
// 16 bytes (charge and starting amount, doubles). The record: name (102,
// zero-terminated), basis (16-bit at 102), method (16-bit at 104), R (16-bit
// at 106), then doubles at 120: initial value, factor, round up to nearest,
// minimum and maximum amount.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "model/user_messages.h"

inline constexpr std::string_view kDeliveryFile = "zkdlv01.dat";
inline constexpr int kDeliverySlots = 40;
inline constexpr int kDeliveryRanges = 10;
inline constexpr std::size_t kDeliveryNameMaxLength = 51;   // what a schedule may be named; the file holds 101
// Below this a rounding step, minimum or maximum counts as not set.
inline constexpr double kDeliveryUnsetBelow = 0.009;

enum class DeliveryBasis { Items = 0, OrderCost = 1, InputUnits = 2 };
enum class DeliveryMethod { Ranges = 0, Formula = 1 };

struct DeliveryRange {
    double charge = 0.0;
    double start = 0.0;   // 0 leaves the range empty, except the first, which always counts
};

struct DeliverySchedule {
    std::string name;
    DeliveryBasis basis = DeliveryBasis::OrderCost;
    DeliveryMethod method = DeliveryMethod::Ranges;
    int rangeCount = kDeliveryRanges;   // range entries kept in the file, 0 to 10
    double initialValue = 0.0;
    double factor = 0.0;
    double roundUpTo = 0.0;
    double minimum = 0.0;
    double maximum = 0.0;
    std::array<DeliveryRange, kDeliveryRanges> ranges{};
};

enum class DeliveryResult { Done, LimitReached, NoSuchSchedule };

class DeliverySchedules {
public:
    // No schedules, then the file's when it can be read. A missing file (or
    // one too short to hold its count) means no schedules and is no failure;
    // what the file does not reach reads as zero. Beyond 40 schedules and 10
    // ranges a schedule the rest is skipped; a basis outside 0..2 reads as
    // order cost, a method other than 1 as ranges. Always 0.
    int load(const std::string& path);
    // Replaces the file atomically with the schedules in slot order. 0, or
    // -1 when it cannot be written (no message: the file is optional).
    int save(const std::string& path) const;

    int count() const { return static_cast<int>(m_schedules.size()); }
    const std::vector<DeliverySchedule>& schedules() const { return m_schedules; }

    // Takes the first free slot; LimitReached after "Cannot insert another
    // delivery schedule - limit reached" when all 40 are in use.
    DeliveryResult add(DeliverySchedule schedule, UserMessages& messages);
    DeliveryResult replace(int index, DeliverySchedule schedule);
    // Frees the slot and moves the following schedules down by one.
    DeliveryResult remove(int index);

private:
    std::vector<DeliverySchedule> m_schedules;   // the slots in use, in slot order
};

// The check of the starting amounts before a schedule is stored: a start
// must be above the one before it, and no range may follow an empty one.
enum class RangeOrder { Ascending, NotAscending, NotContiguous };
struct RangeCheck {
    RangeOrder order = RangeOrder::Ascending;
    int range = 0;   // 0-based number of the range at fault
};
RangeCheck checkRanges(const DeliverySchedule& schedule);
// The same, telling the user: "Ranges must be entered in ascending order (%d)"
// or "Please enter ranges contiguously in ascending order", titled "Cost
// Ranges". 0 when the ranges may be stored, -1 otherwise.
int checkRanges(const DeliverySchedule& schedule, UserMessages& messages);

// A name, basis and amounts as the details form stores them: the name cut to
// 51 characters, amounts rounded to cents, item counts to whole numbers.
DeliverySchedule normalisedSchedule(DeliverySchedule schedule);

// "number of items", "order cost" or "total number of input units".
const char* deliveryBasisWords(DeliveryBasis basis);
// "Cost = %s %s %s * (%s)": the formula as the details form shows it.
std::string deliveryFormulaText(const DeliverySchedule& schedule);
// The end of range index (0-based) as derived from the next range's start:
// "to %ld" or "to %.2f", "and over", or empty for an empty range.
std::string deliveryRangeEndText(const DeliverySchedule& schedule, int index);
// An amount as the details form shows it: "%.2f", starts of the items basis
// "%ld"; empty for 0.
std::string deliveryAmountText(double amount);
std::string deliveryStartText(const DeliverySchedule& schedule, double start);
