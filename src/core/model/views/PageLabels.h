#pragma once
// What every printed view shares about its pages: pages are numbered down first, a page sits
// in a page row and a page column, and its label names both ("Page 2B of 3C").
#include <cstdint>
#include <string>

#include "core/platform/Clock.h"

namespace ondrel {

// Today's date as printed in page footers: "%m/%d/%y" (12/09/26).
std::string PrintDateText(const CalendarDate& date);

struct PagePosition {
    std::int64_t row = 1;     // 1-based page row
    std::int64_t column = 1;  // 1-based page column
};

// Page n (1-based) of a printout pagesDown page rows tall: column = ceil(n / pagesDown),
// row = n mod pagesDown, or pagesDown when that is 0. pagesDown below 1 counts as 1.
PagePosition PagePositionOf(std::int64_t page, std::int64_t pagesDown);

// The letter of page column n: "A" for 1, "Z" for 26, "A" again for 27.
char PageColumnLetter(std::int64_t column);

// "" when the printout is one page; otherwise "Page " + the row ("%u", only with more than
// one page row) + the column letter (only with more than one page column) + " of " + the
// page rows and the letter of the page columns under the same conditions.
std::string PageLabel(PagePosition at, std::int64_t pagesDown, std::int64_t pagesAcross);

}  // namespace ondrel
