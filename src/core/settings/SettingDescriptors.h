#pragma once
// How an owner declares one setting: the file versions that hold it, its profile key and
// dialog control, the member it is bound to, its default and, for numbers and text, its
// limits. Written with designated initialisers, so a declaration names only what it sets:
//   group.AddInt({.name = "VertLines", .controlId = 1032, .bound = &vertLines,
//                 .defaultValue = 5, .min = 1, .max = 99});
// since 0 and until 0, the defaults, mean every file version holds the item.
#include <string>

#include "core/io/ChartFormat.h"

namespace ondrel {

template <typename T>
struct SettingDesc {
    double since = kSinceAnyVersion;  // the first file version that holds the item
    double until = kNoUntil;  // the last one; 0 = no end. An item with an end is never written.
    std::string name{};  // the profile key (colours and fonts add their suffixes)
    int controlId = 0;   // the dialog control; a font's colour has the negative of its id
    T* bound = nullptr;  // the owner's member; null for a free-standing item
    T defaultValue{};
};

// Whole and real numbers typed into an edit control. min < max restricts typed values to
// min ... max; equal bounds (usually left at 0 and 0) mean any value is accepted.
template <typename T>
struct RangedSettingDesc {
    double since = kSinceAnyVersion;
    double until = kNoUntil;
    std::string name{};
    int controlId = 0;
    T* bound = nullptr;
    T defaultValue{};
    T min{};
    T max{};
};

struct TextSettingDesc {
    double since = kSinceAnyVersion;
    double until = kNoUntil;
    std::string name{};
    int controlId = 0;
    std::string* bound = nullptr;
    std::string defaultValue{};
    int maxChars = 0;  // the most characters a user may type; 0 = no limit
};

}  // namespace ondrel
