#include "core/model/views/PageLabels.h"

#include <algorithm>
#include <cstdio>

namespace ondrel {

std::string PrintDateText(const CalendarDate& date) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d/%02d/%02d", date.month % 100, date.day % 100,
                  ((date.year % 100) + 100) % 100);
    return text;
}

PagePosition PagePositionOf(std::int64_t page, std::int64_t pagesDown) {
    pagesDown = std::max<std::int64_t>(1, pagesDown);
    page = std::max<std::int64_t>(1, page);
    PagePosition at;
    at.column = (page + pagesDown - 1) / pagesDown;
    at.row = page % pagesDown == 0 ? pagesDown : page % pagesDown;
    return at;
}

char PageColumnLetter(std::int64_t column) {
    const std::int64_t index = (std::max<std::int64_t>(1, column) - 1) % 26;
    return static_cast<char>('A' + index);
}

std::string PageLabel(PagePosition at, std::int64_t pagesDown, std::int64_t pagesAcross) {
    const bool severalRows = pagesDown > 1;
    const bool severalColumns = pagesAcross > 1;
    if (!severalRows && !severalColumns) return {};
    std::string label = "Page ";
    if (severalRows) label += std::to_string(at.row);
    if (severalColumns) label += PageColumnLetter(at.column);
    label += " of ";
    if (severalRows) label += std::to_string(pagesDown);
    if (severalColumns) label += PageColumnLetter(pagesAcross);
    return label;
}

}  // namespace ondrel
