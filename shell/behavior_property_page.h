#pragma once

// CBehaviorPropertyPage: what the six behaviour pages share. A page shows
// the parameters of the one live behaviour object of its class and, on its
// "Apply" button, writes the edited values back into that object, which
// every fish steers with from the next frame on.
//
// - The live behaviour is found on the first refresh that finds an engine:
//   the first element of the engine's `behaviors` whose dynamic type is
//   Behavior or derived from it. The pointer is kept for the life of the
//   page and never looked up again.
// - Nothing reaches the behaviour except through Apply (and, while the
//   application applies as you edit, a slider's release or key move);
//   nothing replaces the page's values except RefreshFromBehavior, Defaults
//   (the start-up values of the flock size run now, not applied) and a
//   page's own failed check. Switching tabs neither applies nor refreshes.
// - While the application applies as you edit, every write is all or
//   nothing: a refused number is reported and nothing is written.
// - A page whose engine holds no behaviour of its class shows its controls
//   disabled and writes nothing. Without an engine a refresh changes
//   nothing and Apply writes nothing.
//
// Number boxes accept the ranges of behavior_fields.h; a number outside is
// refused like text that is no number. Boxes show the shortest text that
// reads back to the stored float, so an Apply after a refresh writes every
// untouched value back bit for bit.
//
// Sliders run from 0 to 1000 with a tick every 100: value = position × 0.001
// in single precision, position = value × 1000 truncated toward zero. The
// label beside each slider (SliderValueLabelId) shows its value with three
// decimals whenever the thumb moves, by hand or by the program.

#include <string>
#include <vector>

#include "platform/ui/controls/data_exchange.h"
#include "platform/ui/dialogs/property_page.h"
#include "platform/ui/controls/slider_ctrl.h"

class cBehavior;
class cSeparationBehavior;
class cAlignmentBehavior;
class cCohesionBehavior;
class cAvoidanceBehavior;
class cCruisingBehavior;
class cStayWithinSphereBehavior;

constexpr int kBehaviorSliderMinimum = 0;
constexpr int kBehaviorSliderMaximum = 1000;
constexpr int kBehaviorSliderTickFrequency = 100;

// position × 0.001, computed and stored in single precision.
float SliderValueFromPosition(int position);
// value × 1000 truncated toward zero, with the product taken in double
// precision so that a stored 0.45f (0.44999999) gives 449, not 450. NaN gives
// 0; products beyond the int range are held at its ends.
int SliderPositionFromValue(float value);
// The value label's text for position: "0.450".
std::string SliderValueText(int position);

template <class Behavior>
class CBehaviorPropertyPage : public CPropertyPage {
public:
    // templateId: the page's dialog template (its caption is the tab text).
    explicit CBehaviorPropertyPage(UINT templateId);

    // Sets up every trackbar (range 0..1000 without redrawing, a tick every
    // 100), gain first and then PageTrackbars(), then shows the fields. TRUE.
    BOOL OnInitDialog() override;
    // The gain entries: slider IDC_GAIN_SLIDER with gainPosition, then its
    // binding to gainSlider. Pages call this first, then add their own.
    void DoDataExchange(CDataExchange* exchange) override;
    // Copies the live behaviour's values into the fields and, when the
    // window exists, shows them.
    void RefreshFromBehavior();
    // The handler of IDC_APPLY: reads the controls (a refused number stops
    // the reading but not the handler), runs the page's check, then writes
    // gain and the page's values when the behaviour is known. While the
    // application applies as you edit: nothing is written after a refused
    // number.
    void OnApplyButton();
    // The handler of IDC_DEFAULTS: shows the start-up values of the page's
    // behaviour class; writes nothing.
    void OnDefaultsButton();

    // True once a refresh found an engine without a behaviour of this class.
    bool IsBehaviorMissing() const { return behaviorMissing_; }

    Behavior* behavior = nullptr;  // the live behaviour; not owned; null until found
    int gainPosition = 0;          // 0..1000
    CSliderCtrl gainSlider;        // bound to IDC_GAIN_SLIDER on the first exchange

protected:
    // The page's trackbars after the gain slider, in set-up order.
    virtual std::vector<CSliderCtrl*> PageTrackbars() { return {}; }
    // Copies the page's own values (everything but gain) from live.
    virtual void ReadBehavior(const Behavior& live) = 0;
    // Writes the page's own values (everything but gain) into live.
    virtual void WriteBehavior(Behavior& live) = 0;
    // The page's check after the controls were read; false: nothing is
    // written. The base accepts everything.
    virtual bool CheckBeforeWriting() { return true; }

    bool HasWindow() const;
    // Exchanges the number box controlId with value, refusing numbers outside
    // the range its field description (behavior_fields.h) gives.
    void ExchangeNumber(CDataExchange* exchange, int controlId, float& value);

private:
    void FindBehavior(const std::vector<cBehavior*>& live);
    // Copies values's gain and the page's own values into the fields and,
    // when the window exists, shows them.
    void ShowValuesOf(const Behavior& values);
    // Reads every control; writes only when all were read and the check passed.
    void ApplyAllOrNothing();
    void WriteIfChecked();
    void OnTrackbarMoved(const CSliderCtrl& trackbar, SliderMove how);
    // Enables the controls, or disables them while the behaviour is missing.
    void ShowAvailability();

    bool behaviorMissing_ = false;
};

// Instantiated once, for the six behaviour classes, in behavior_property_page.cpp.
extern template class CBehaviorPropertyPage<cSeparationBehavior>;
extern template class CBehaviorPropertyPage<cAlignmentBehavior>;
extern template class CBehaviorPropertyPage<cCohesionBehavior>;
extern template class CBehaviorPropertyPage<cAvoidanceBehavior>;
extern template class CBehaviorPropertyPage<cCruisingBehavior>;
extern template class CBehaviorPropertyPage<cStayWithinSphereBehavior>;
