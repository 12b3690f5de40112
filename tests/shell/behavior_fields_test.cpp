// The field description against the pages: every number box refuses what
// lies outside its range with the range prompt, what it accepts keeps the
// start-up flock finite and bounded, and a refresh followed by Apply writes
// every box back bit for bit.

#include <bit>
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>

#include "platform/ui/controls/data_exchange.h"
#include "platform/ui/controls/number_text.h"
#include "shell/alignment_behavior_property_page.h"
#include "shell/avoidance_behavior_property_page.h"
#include "shell/behavior_fields.h"
#include "shell/cohesion_behavior_property_page.h"
#include "shell/cruising_behavior_property_page.h"
#include "shell/resources/behavior_page_ids.h"
#include "shell/separation_behavior_property_page.h"
#include "shell/stay_in_sphere_behavior_property_page.h"
#include "simulation/entity.h"
#include "simulation/group.h"
#include "simulation/population.h"
#include "simulation/random_source.h"
#include "tests/shell/behavior_page_test_support.h"

namespace {

std::uint32_t Bits(float value) {
    return std::bit_cast<std::uint32_t>(value);
}

// Steps the start-up flock for 2000 frames with one field of its behaviours
// set to value: every body stays finite and within the reach of its top speed.
void ExpectFlockFiniteAndBounded(const BehaviorField& field, float value) {
    constexpr int kFrames = 2000;
    constexpr float kElapsed = 1.0f / 60.0f;
    SharedRandom().Seed(1);
    StartupPopulation population;
    for (cBehavior* behavior : population.behaviors) {
        if (float* member = field.member(*behavior)) {
            *member = value;
        }
    }
    float reach = 0.0f;
    for (const cGroup* group : population.world.groups) {
        for (const cEntity* body : group->members) {
            reach = std::fmax(reach, Length(body->position) + kFrames * kElapsed * body->maxSpeed);
        }
    }
    for (int frame = 0; frame < kFrames; ++frame) {
        population.world.Update(kElapsed);
    }
    for (const cGroup* group : population.world.groups) {
        for (const cEntity* body : group->members) {
            ASSERT_TRUE(std::isfinite(Length(body->position) + Length(body->velocity)));
            ASSERT_LE(Length(body->position), reach * 1.0001f);
        }
    }
}

struct NumberBox {
    UINT page;
    const BehaviorField* field;
};

class BehaviorFieldsTest : public BehaviorPageTest {
protected:
    void SetUp() override {
        BehaviorPageTest::SetUp();
        AddPages({&alignment, &avoidance, &cohesion, &cruising, &separation, &sphere});
        for (int i = 5; i >= 0; --i) {
            ASSERT_TRUE(sheet.SetActivePage(i));
        }
        for (const BehaviorPageFields& page : BehaviorPages()) {
            for (const BehaviorField& field : page.fields) {
                if (field.control == FieldControl::NumberBox) {
                    boxes.push_back({page.templateId, &field});
                }
            }
        }
        RefreshAll();
    }
    void RefreshAll() {
        alignment.RefreshFromBehavior();
        avoidance.RefreshFromBehavior();
        cohesion.RefreshFromBehavior();
        cruising.RefreshFromBehavior();
        separation.RefreshFromBehavior();
        sphere.RefreshFromBehavior();
    }
    CWnd& Page(UINT templateId) {
        int index = 0;
        while (sheet.GetPage(index)->GetTemplateId() != templateId) {
            ++index;
        }
        return *sheet.GetPage(index);
    }
    // The live float of a field: that of the live behaviour it belongs to.
    float& Stored(const BehaviorField& field) {
        for (cBehavior* behavior : live) {
            if (float* member = field.member(*behavior)) {
                return *member;
            }
        }
        throw std::logic_error("no behaviour");
    }

    CAlignmentBehaviorPropertyPage alignment;
    CAvoidanceBehaviorPropertyPage avoidance;
    CCohesionBehaviorPropertyPage cohesion;
    CCruisingBehaviorPropertyPage cruising;
    CSeparationBehaviorPropertyPage separation;
    CStayInSphereBehaviorPropertyPage sphere;
    std::vector<NumberBox> boxes;  // every number box of every page
};

TEST_F(BehaviorFieldsTest, AnExtremeNumberIsRefusedWithItsRangeOrLeavesTheFlockSound) {
    const char* const extremes[] = {"2e38",     "-2e38", "1e30", "2e19",  "1e7",   "1000000",
                                    "-1000000", "-1",    "0",    "1e-45", "-1e-45"};
    for (const auto& [page, field] : boxes) {
        for (const char* text : extremes) {
            SCOPED_TRACE(std::string(field->label) + " " + text);
            float& stored = Stored(*field);
            const float before = stored;
            const float typed = ParseFloatFromEdit(text).value();
            messages.clear();
            Set(Page(page), field->controlId, text);
            PressApply(Page(page));
            if (typed < field->minimum || typed > field->maximum) {
                ASSERT_EQ(messages.size(), 1u);
                EXPECT_EQ(messages[0].text, RangePrompt(field->minimum, field->maximum));
                EXPECT_EQ(Bits(stored), Bits(before));
            } else {
                EXPECT_TRUE(messages.empty());
                EXPECT_EQ(Bits(stored), Bits(typed));
                ExpectFlockFiniteAndBounded(*field, typed);
            }
            stored = before;
            RefreshAll();
        }
    }
}

TEST_F(BehaviorFieldsTest, RefreshThenApplyWritesEveryBoxBackBitForBit) {
    const float awkward[] = {
        0.45f, 1e-7f, 0.1f,   20020.07f, 123456.79f, std::nextafter(1e6f, 0.0f),
        1e6f,  -1e6f, 1e-45f, -0.0f};
    for (const float value : awkward) {
        SCOPED_TRACE(value);
        std::vector<std::uint32_t> expected;
        for (const NumberBox& box : boxes) {
            if (value >= box.field->minimum && value <= box.field->maximum) {
                Stored(*box.field) = value;
            }
            expected.push_back(Bits(Stored(*box.field)));
        }
        RefreshAll();
        messages.clear();
        for (const BehaviorPageFields& page : BehaviorPages()) {
            PressApply(Page(page.templateId));
        }
        EXPECT_TRUE(messages.empty());
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            EXPECT_EQ(Bits(Stored(*boxes[i].field)), expected[i]) << boxes[i].field->label;
        }
    }
}

// Each page's Defaults shows the start-up values, slider labels included,
// and writes nothing; the page's Apply then writes them (sliders as their
// positions stand for them).
TEST_F(BehaviorFieldsTest, DefaultsShowsTheStartUpValuesAndOnlyApplyWritesThem) {
    std::vector<std::unique_ptr<cBehavior>> startup;
    for (cBehavior* made : CreateStartupBehaviors()) {
        startup.emplace_back(made);
    }
    const auto startupValue = [&startup](const BehaviorField& field) {
        for (const std::unique_ptr<cBehavior>& behavior : startup) {
            if (const float* member = field.member(*behavior)) {
                return *member;
            }
        }
        throw std::logic_error("no start-up behaviour");
    };
    std::vector<std::pair<const BehaviorPageFields*, const BehaviorField*>> edited;
    for (const BehaviorPageFields& page : BehaviorPages()) {
        float step = 0.1f;  // slider fields 0.1, 0.2, ... keep the separation bounds ordered
        for (const BehaviorField& field : page.fields) {
            if (field.member != nullptr) {
                Stored(field) = field.control == FieldControl::FractionSlider ? step : 7.0f + step;
                edited.emplace_back(&page, &field);
                step += 0.1f;
            }
        }
    }
    RefreshAll();
    for (const auto& [page, field] : edited) {
        if (field->control == FieldControl::FractionSlider) {
            const int position = Pos(Page(page->templateId), field->controlId);
            EXPECT_EQ(Text(Page(page->templateId), SliderValueLabelId(field->controlId)),
                      SliderValueText(position))
                << field->label;
        }
    }
    for (const BehaviorPageFields& page : BehaviorPages()) {
        PressButton(Page(page.templateId), IDC_DEFAULTS);
    }
    for (const auto& [page, field] : edited) {
        SCOPED_TRACE(std::string(page->caption) + " " + std::string(field->label));
        CWnd& shown = Page(page->templateId);
        const float value = startupValue(*field);
        if (field->control == FieldControl::NumberBox) {
            EXPECT_EQ(ParseFloatFromEdit(Text(shown, field->controlId)).value_or(NAN), value);
        } else {
            EXPECT_EQ(Pos(shown, field->controlId), SliderPositionFromValue(value));
            EXPECT_EQ(Text(shown, SliderValueLabelId(field->controlId)),
                      SliderValueText(SliderPositionFromValue(value)));
        }
        EXPECT_NE(Stored(*field), value);  // not written yet
    }
    for (const BehaviorPageFields& page : BehaviorPages()) {
        PressApply(Page(page.templateId));
    }
    EXPECT_TRUE(messages.empty());
    for (const auto& [page, field] : edited) {
        const float value = startupValue(*field);
        EXPECT_EQ(Stored(*field), field->control == FieldControl::NumberBox
                                      ? value
                                      : SliderValueFromPosition(SliderPositionFromValue(value)))
            << field->label;
    }
}

}  // namespace
