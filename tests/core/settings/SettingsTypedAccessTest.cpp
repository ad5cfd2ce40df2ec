// Reaching a setting by its type: only the item's own value type and class answer.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/settings/CSettingsGroup.h"
#include "core/settings/SettingItems.h"
#include "settings/SettingsTestOwner.h"
#include "support/RecordingPlatform.h"

namespace ondrel::test {
namespace {

using Names = std::vector<std::string>;

// The value types for which the value (or, with defaults, the default) of id is found.
Names ValueTypesAnswering(CSettingsGroup& group, int id, bool defaults) {
    Names names;
    auto ask = [&](auto typed, const char* name) {
        using T = decltype(typed);
        const bool found = defaults ? group.FindDefault<T>(id) != nullptr
                                    : group.FindValue<T>(id) != nullptr;
        if (found) names.push_back(name);
    };
    ask(bool{}, "bool");
    ask(int{}, "int");
    ask(double{}, "double");
    ask(ColorRef{}, "colour");
    ask(std::string{}, "text");
    ask(FontDescription{}, "font");
    ask(std::uint8_t{}, "byte");
    return names;
}

Names ItemClassesAnswering(CSettingsGroup& group, int id) {
    Names names;
    if (group.Find<CCheckSetting>(id)) names.push_back("check");
    if (group.Find<CChoiceSetting>(id)) names.push_back("choice");
    if (group.Find<CIntSetting>(id)) names.push_back("int");
    if (group.Find<CDoubleSetting>(id)) names.push_back("double");
    if (group.Find<CColorSetting>(id)) names.push_back("colour");
    if (group.Find<CTextSetting>(id)) names.push_back("text");
    if (group.Find<CFontSetting>(id)) names.push_back("font");
    return names;
}

TEST(SettingsTypedAccess, WrongTypeOrClassFindsNothing) {
    RecordingPlatform platform;
    SettingsOwner owner;
    owner.SetUnusual();
    for (std::size_t i = 0; i < owner.group.Size(); ++i) owner.group.Item(i).RefreshFromVariable();
    struct Case {
        int id;
        Names valueTypes;
        Names itemClasses;
    };
    const Case cases[] = {
        {kShowGridId, {"bool"}, {"check"}},
        {kStyleId, {"int"}, {"choice"}},  // a choice keeps an int but is no int item
        {kFontId, {"font"}, {"font"}},
        {kFontColorId, {"colour"}, {"colour"}},
        {kTitleId, {"text"}, {"text"}},
        {kCountId, {"int"}, {"int"}},
        {kStepId, {"double"}, {"double"}},
        {999, {}, {}},  // no such control
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ValueTypesAnswering(owner.group, c.id, false), c.valueTypes) << c.id;
        EXPECT_EQ(ValueTypesAnswering(owner.group, c.id, true), c.valueTypes) << c.id;
        EXPECT_EQ(ItemClassesAnswering(owner.group, c.id), c.itemClasses) << c.id;
    }
    // The typed answers are the item's own value and default, not copies.
    EXPECT_EQ(*owner.group.FindValue<int>(kCountId), 42);
    EXPECT_EQ(*owner.group.FindDefault<int>(kCountId), 10);
    EXPECT_EQ(*owner.group.FindValue<bool>(kShowGridId), false);
    EXPECT_EQ(*owner.group.FindDefault<bool>(kShowGridId), true);
    *owner.group.FindValue<double>(kStepId) = 0.5;
    EXPECT_EQ(owner.group.Find<CDoubleSetting>(kStepId)->CurrentValue(), 0.5);
}

}  // namespace
}  // namespace ondrel::test
