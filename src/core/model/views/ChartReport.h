#pragma once
// The text view's report: the chart described block by block (type, shown value, mode,
// inputs, parameters, and on request the inputs each block feeds and its notes), filtered and
// sorted as the view's settings say. The desktop view shows this text and ondrel-run's
// --report writes it, byte for byte the same.
//
// Lines end with CR LF; fields are separated by one TAB; numbers are "%11.3e" with a
// three-digit exponent (1 is " 1.000e+000"), non-finite ones "inf", "-inf" and "nan"
// right-aligned in the same 11 characters.
#include <string>
#include <string_view>
#include <vector>

#include "core/platform/Clock.h"

namespace ondrel {

class CBlock;
class CTarvekDoc;
class TextViewState;

// The blocks of doc that pass every active filter of view, in report order: sorted by the
// view's SortBlocks key (character-code order, blocks with equal keys keep the block-list
// order), then, by SortMode, Normal or Initialize blocks moved to the front with the order
// within each part kept.
std::vector<const CBlock*> ReportBlocks(const TextViewState& view, const CTarvekDoc& doc);

// The whole report, dated today ("%m/%d/%y").
std::string ChartReportText(const TextViewState& view, const CTarvekDoc& doc, CalendarDate today);
// The same, dated by the platform clock.
std::string ChartReportText(const TextViewState& view, const CTarvekDoc& doc);

// A number as the report writes it.
std::string ReportNumber(double value);
// What the report shows as a block's value: value itself for an initialisation block, else
// the recorded sample at the document's snapshot index (0.0 beyond the samples).
double ShownValue(const CBlock& block, const CTarvekDoc& doc);
// At most the first n characters of text (UTF-8 characters when text is UTF-8, else bytes).
std::string LeftChars(std::string_view text, std::size_t n);

}  // namespace ondrel
