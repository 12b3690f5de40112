#pragma once

// The fields of the six behaviour pages, described once: what each page
// shows, under which label, in which control, and which values it accepts.
// The pages take their number boxes' ranges from here; anything else that
// reads or writes behaviour parameters by name (the tests, a file of
// parameters) iterates the same table instead of listing the fields again.
//
// Every field is a float of the behaviour. The ranges keep the steering
// arithmetic finite and meaningful: distances and the radius are compared
// with distances, so they are not negative; rates, speeds and coordinates
// may take either sign; every magnitude is at most kBehaviorValueLimit.
// Sliders hold fractions from 0 to 1 in thousandths.
//
// The table depends on the simulation and the page resource ids only, not
// on the windowing toolkit, so a program without windows can use it too.

#include <span>
#include <string_view>

#include "platform/gfx/d3d9_types.h"

class cBehavior;

// The largest magnitude a number box accepts.
inline constexpr float kBehaviorValueLimit = 1e6f;

enum class FieldControl {
    NumberBox,       // an edit box showing the float as text
    FractionSlider,  // a 0..1000 trackbar: position = value × 1000
};

struct BehaviorField {
    std::string_view label;  // the page's label without its colon: "Turn Rate"
    FieldControl control;
    int controlId;  // the control that shows the field on its page
    float minimum;  // the accepted values, both bounds included
    float maximum;
    // The behaviour's float that the field edits, or null when the behaviour
    // is not of the page's class. Itself null for a field the page derives
    // (the cruising chances: the behaviour keeps their running sums).
    float* (*member)(cBehavior& behavior);
};

struct BehaviorPageFields {
    std::string_view caption;               // the page's tab: "Alignment Behavior"
    UINT templateId;                        // the page's dialog template
    std::span<const BehaviorField> fields;  // in the order the page shows them, gain first
};

// The six pages in tab order.
std::span<const BehaviorPageFields> BehaviorPages();

// The field shown by control controlId on the page of templateId. Asking for
// a control that shows no field is a program error: it throws
// std::logic_error.
const BehaviorField& PageField(UINT templateId, int controlId);
