// The behaviour pages tuned by hand in the whole application, on SDL's
// offscreen display with synthetic input: every slider's value label follows
// its thumb, Apply as You Edit writes on a release, a key or Enter (and
// nothing after a refused number), Enter presses Apply while it is off, and
// Tab walks the page's controls, wrapping, without giving the scene the keys.

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <SDL.h>
#include <gtest/gtest.h>

#include "framework/fixed_step_clock.h"
#include "platform/gfx/opengl/opengl_direct3d.h"
#include "platform/ui/core/message_queue.h"
#include "platform/ui/resources/resource_table.h"
#include "platform/ui/controls/slider_ctrl.h"
#include "platform/ui/controls/trackbar_geometry.h"
#include "platform/ui/host/ui_host.h"
#include "platform/window/sdl_window_system.h"
#include "platform/window/system.h"
#include "rendering/flocking_arena_render_engine.h"
#include "shell/behavior_fields.h"
#include "shell/behavior_property_page.h"
#include "shell/main_frame.h"
#include "shell/quorvane_app.h"
#include "shell/quorvane_view.h"
#include "shell/resources/behavior_page_ids.h"
#include "simulation/group_behaviors.h"
#include "simulation/random_source.h"
#include "tests/shell/app_script.h"
#include "tests/shell/offscreen_app_test.h"

namespace {

bool SceneReadsKeys() {
    SetKeyDown(VK_UP, true);
    std::uint8_t keys[256] = {};
    GetKeyboardState(keys);
    SetKeyDown(VK_UP, false);
    return keys[VK_UP] == 0x80;
}

constexpr int kAlignment = 0;  // tab indexes
constexpr int kSeparation = 4;

class BehaviorPageTuningTest : public OffscreenAppTest {
protected:
    BehaviorPageTuningTest() : OffscreenAppTest(800, 560) {}

    // Message boxes are recorded, then shown (and closed unattended).
    void OnStarted() override {
        MessageBoxPresenter shown = GetMessageBoxPresenter();
        SetMessageBoxPresenter([this, shown](HWND owner, const std::string& text,
                                             const std::string& caption, UINT type) {
            messages.push_back(text);
            shown(owner, text, caption, type);
        });
    }

    CPropertyPage& Page(int tab) const { return *Form()->behaviorSheet.GetPage(tab); }
    CSliderCtrl& Slider(int tab, int id) const {
        return *dynamic_cast<CSliderCtrl*>(Page(tab).GetDlgItem(id));
    }
    std::string ValueLabel(int tab, int trackbarId) const {
        return Page(tab).GetDlgItemText(SliderValueLabelId(trackbarId));
    }
    cAlignmentBehavior& LiveAlignment() const {
        return *dynamic_cast<cAlignmentBehavior*>(app.renderEngine->behaviors.at(1));
    }
    int FocusId() const {
        return CWnd::GetFocus() != nullptr ? CWnd::GetFocus()->GetDlgCtrlID() : -1;
    }

    // Steps that press the left button on the thumb, move dx pixels, release.
    void Drag(int tab, int id, int dx) {
        auto from = std::make_shared<CPoint>();
        script.Then([this, from, tab, id] {
            CSliderCtrl& slider = Slider(tab, id);
            CRect rect;
            slider.GetWindowRect(&rect);
            const float x =
                TrackbarPositionToX(TrackbarGeometryFor(static_cast<float>(rect.Width())),
                                    slider.GetPos(), slider.GetRangeMin(), slider.GetRangeMax());
            *from = CPoint(rect.left + static_cast<int>(x), (rect.top + rect.bottom) / 2);
            PushMotion(*from);
            PushButton(SDL_MOUSEBUTTONDOWN, *from);
            return true;
        });
        script.Then([from, dx] {
            PushMotion(CPoint(from->x + dx, from->y));
            return true;
        });
        script.Then([from, dx] {
            PushButton(SDL_MOUSEBUTTONUP, CPoint(from->x + dx, from->y));
            return true;
        });
        script.Wait(2);
    }

    // Steps that click the alignment page's Turn Rate box, type text, press Enter.
    void EnterTurnRate(const std::string& text) {
        script.Then([this] {
            Click(CentreOf(*Page(kAlignment).GetDlgItem(IDC_TURN_RATE)));
            return true;
        });
        script.Wait(2);
        script.Then([text] {
            Type(text);
            PushKey(SDLK_RETURN);
            return true;
        });
        script.Wait(2);
    }

    std::vector<std::string> messages;
};

TEST_F(BehaviorPageTuningTest, EverySliderLabelFollowsItsThumbWhileDraggedAndByKeys) {
    script.Wait(2);
    const auto pages = BehaviorPages();
    for (int tab = 0; tab < static_cast<int>(pages.size()); ++tab) {
        script.Then([this, tab] {
            Click(CentreOfTab(Form()->behaviorSheet, tab));
            return true;
        });
        script.Wait(2);
        for (const BehaviorField& field : pages[static_cast<std::size_t>(tab)].fields) {
            if (field.control != FieldControl::FractionSlider) {
                continue;
            }
            const int id = field.controlId;
            auto before = std::make_shared<int>();
            script.Then([this, before, tab, id] {
                *before = Slider(tab, id).GetPos();
                return true;
            });
            Drag(tab, id, -40);
            script.Then([this, before, tab, id, &field] {
                const int dragged = Slider(tab, id).GetPos();
                EXPECT_LT(dragged, *before) << field.label;
                EXPECT_EQ(ValueLabel(tab, id), SliderValueText(dragged)) << field.label;
                *before = dragged;
                PushKey(SDLK_RIGHT);  // the drag gave the trackbar the keys
                return true;
            });
            script.Wait(2);
            script.Then([this, before, tab, id, &field] {
                EXPECT_EQ(Slider(tab, id).GetPos(), *before + 1) << field.label;
                EXPECT_EQ(ValueLabel(tab, id), SliderValueText(*before + 1)) << field.label;
                return true;
            });
        }
    }
    EXPECT_EQ(RunApplication(), 0);
}

TEST_F(BehaviorPageTuningTest, ApplyAsYouEditWritesOnReleaseKeyAndEnterButNothingAfterARefusal) {
    script.Wait(2);
    // Off (the designed flow): a release writes nothing; Enter presses Apply.
    Drag(kAlignment, IDC_GAIN_SLIDER, -40);
    script.Then([this] {
        EXPECT_EQ(LiveAlignment().gain, 1.0f);
        return true;
    });
    EnterTurnRate("0.25");
    script.Then([this] {
        EXPECT_EQ(LiveAlignment().turnRate, 0.25f);
        EXPECT_EQ(LiveAlignment().gain,
                  SliderValueFromPosition(Slider(kAlignment, IDC_GAIN_SLIDER).GetPos()));
        app.SetApplyAsYouEdit(true);
        return true;
    });
    // On: the release writes, and so does Enter.
    Drag(kAlignment, IDC_GAIN_SLIDER, -40);
    script.Then([this] {
        EXPECT_EQ(LiveAlignment().gain,
                  SliderValueFromPosition(Slider(kAlignment, IDC_GAIN_SLIDER).GetPos()));
        EXPECT_LT(LiveAlignment().gain, 0.95f);
        return true;
    });
    EnterTurnRate("0.5");
    // A refused box: the key move is reported and writes nothing at all.
    EnterTurnRate("fast");
    script.Then([] { return UiHost::Current()->ModalDepth() == 0; });
    script.Wait(2);
    script.Then([this] {
        EXPECT_EQ(LiveAlignment().turnRate, 0.5f);
        EXPECT_EQ(messages.size(), 1u);
        PushKey(SDLK_TAB, KMOD_LSHIFT);  // back to the gain slider
        return true;
    });
    script.Wait(2);
    auto gain = std::make_shared<float>();
    script.Then([this, gain] {
        EXPECT_EQ(FocusId(), IDC_GAIN_SLIDER);
        *gain = LiveAlignment().gain;
        PushKey(SDLK_LEFT);
        return true;
    });
    script.Then([this] { return messages.size() == 2; });
    script.Then([this, gain] {
        EXPECT_EQ(LiveAlignment().gain, *gain);
        EXPECT_EQ(LiveAlignment().turnRate, 0.5f);
        return true;
    });
    EXPECT_EQ(RunApplication(), 0);
}

TEST_F(BehaviorPageTuningTest, TabWalksThePageControlsWrappingAndShiftTabWalksBack) {
    const std::vector<int> order = {IDC_GAIN_SLIDER,
                                    IDC_SEPARATION_DISTANCE,
                                    IDC_MIN_SEPARATION_SLIDER,
                                    IDC_MAX_SEPARATION_SLIDER,
                                    IDC_APPLY,
                                    IDC_DEFAULTS};
    const int count = static_cast<int>(order.size());
    script.Wait(2);
    script.Then([this] {
        Click(CentreOfTab(Form()->behaviorSheet, kSeparation));
        return true;
    });
    script.Wait(2);
    script.Then([this] {
        Click(CentreOf(Slider(kSeparation, IDC_GAIN_SLIDER)));
        return true;
    });
    script.Wait(2);
    // Forward once round and on to the box, then back again to the start.
    for (int step = 1; step <= 2 * count + 2; ++step) {
        const bool back = step > count + 1;
        const int expected = back ? (2 * (count + 1) - step) % count : step % count;
        script.Then([back] {
            PushKey(SDLK_TAB, back ? KMOD_LSHIFT : KMOD_NONE);
            return true;
        });
        script.Wait(2);
        script.Then([this, &order, expected, step] {
            EXPECT_EQ(FocusId(), order[static_cast<std::size_t>(expected)]) << "Tab " << step;
            EXPECT_FALSE(SceneReadsKeys()) << "Tab " << step;
            return true;
        });
    }
    // The box that Tab reached reads the typing.
    script.Then([] {
        PushKey(SDLK_TAB);
        return true;
    });
    script.Wait(2);
    script.Then([] {
        Type("123");
        return true;
    });
    script.Wait(2);
    script.Then([this] {
        EXPECT_EQ(Page(kSeparation).GetDlgItemText(IDC_SEPARATION_DISTANCE), "123");
        return true;
    });
    EXPECT_EQ(RunApplication(), 0);
}

}  // namespace
