#include "shell/behavior_fields.h"

#include <stdexcept>
#include <string>

#include "shell/resources/behavior_page_ids.h"
#include "simulation/group_behaviors.h"
#include "simulation/individual_behaviors.h"

namespace {

constexpr float kLimit = kBehaviorValueLimit;

// The float member Member of a behaviour of class Behavior; null for other classes.
template <class Behavior, auto Member>
float* MemberOf(cBehavior& behavior) {
    auto* typed = dynamic_cast<Behavior*>(&behavior);
    return typed != nullptr ? &(typed->*Member) : nullptr;
}

// The float Component of the vector member Member, likewise.
template <class Behavior, auto Member, auto Component>
float* ComponentOf(cBehavior& behavior) {
    auto* typed = dynamic_cast<Behavior*>(&behavior);
    return typed != nullptr ? &((typed->*Member).*Component) : nullptr;
}

constexpr FieldControl kBox = FieldControl::NumberBox;
constexpr FieldControl kSlider = FieldControl::FractionSlider;

template <class Behavior>
constexpr BehaviorField Gain() {
    constexpr auto member = MemberOf<Behavior, &cBehavior::gain>;
    return {"Behavior Gain", kSlider, IDC_GAIN_SLIDER, 0.0f, 1.0f, member};
}

template <class Behavior>
constexpr BehaviorField TurnRate() {
    constexpr auto member = MemberOf<Behavior, &Behavior::turnRate>;
    return {"Turn Rate", kBox, IDC_TURN_RATE, -kLimit, kLimit, member};
}

using Separation = cSeparationBehavior;
using Avoidance = cAvoidanceBehavior;
using Cruising = cCruisingBehavior;
using Sphere = cStayWithinSphereBehavior;

const BehaviorField kAlignmentFields[] = {Gain<cAlignmentBehavior>(),
                                          TurnRate<cAlignmentBehavior>()};

const BehaviorField kAvoidanceFields[] = {
    Gain<Avoidance>(),
    {"Avoidance Distance", kBox, IDC_AVOIDANCE_DISTANCE, 0.0f, kLimit,
     MemberOf<Avoidance, &Avoidance::avoidanceDistance>},
    {"Avoidance Speed", kBox, IDC_AVOIDANCE_SPEED, -kLimit, kLimit,
     MemberOf<Avoidance, &Avoidance::avoidanceSpeed>},
};

const BehaviorField kCohesionFields[] = {Gain<cCohesionBehavior>(), TurnRate<cCohesionBehavior>()};

const BehaviorField kCruisingFields[] = {
    Gain<Cruising>(),
    {"Min Rate Change", kBox, IDC_MIN_RATE_CHANGE, -kLimit, kLimit,
     MemberOf<Cruising, &Cruising::minRateChange>},
    {"Max Rate Change", kBox, IDC_MAX_RATE_CHANGE, -kLimit, kLimit,
     MemberOf<Cruising, &Cruising::maxRateChange>},
    {"Min Random Move", kBox, IDC_MIN_RANDOM_MOVE, -kLimit, kLimit,
     MemberOf<Cruising, &Cruising::minRandomMove>},
    {"Move X Chance", kSlider, IDC_MOVE_X_SLIDER, 0.0f, 1.0f, nullptr},
    {"Move Y Chance", kSlider, IDC_MOVE_Y_SLIDER, 0.0f, 1.0f, nullptr},
    {"Move Z Chance", kSlider, IDC_MOVE_Z_SLIDER, 0.0f, 1.0f, nullptr},
};

// The page's label reads "Separation Distaance:"; the field keeps the word's
// usual spelling.
const BehaviorField kSeparationFields[] = {
    Gain<Separation>(),
    {"Separation Distance", kBox, IDC_SEPARATION_DISTANCE, 0.0f, kLimit,
     MemberOf<Separation, &Separation::separationDistance>},
    {"Min Separation Percentage", kSlider, IDC_MIN_SEPARATION_SLIDER, 0.0f, 1.0f,
     MemberOf<Separation, &Separation::minSeparationPercentage>},
    {"Max Separation Percentage", kSlider, IDC_MAX_SEPARATION_SLIDER, 0.0f, 1.0f,
     MemberOf<Separation, &Separation::maxSeparationPercentage>},
};

// The radius is compared with a distance and divides nothing when it is not
// negative: a fish exactly at the centre is then never pushed.
const BehaviorField kStayInSphereFields[] = {
    Gain<Sphere>(),
    {"Radius", kBox, IDC_RADIUS, 0.0f, kLimit, MemberOf<Sphere, &Sphere::radius>},
    {"Center X", kBox, IDC_CENTER_X, -kLimit, kLimit,
     ComponentOf<Sphere, &Sphere::center, &Vector3::x>},
    {"Center Y", kBox, IDC_CENTER_Y, -kLimit, kLimit,
     ComponentOf<Sphere, &Sphere::center, &Vector3::y>},
    {"Center Z", kBox, IDC_CENTER_Z, -kLimit, kLimit,
     ComponentOf<Sphere, &Sphere::center, &Vector3::z>},
};

const BehaviorPageFields kPages[] = {
    {"Alignment Behavior", IDD_ALIGNMENT_PAGE, kAlignmentFields},
    {"Avoidance Behavior", IDD_AVOIDANCE_PAGE, kAvoidanceFields},
    {"Cohesion Behavior", IDD_COHESION_PAGE, kCohesionFields},
    {"Cruising Behavior", IDD_CRUISING_PAGE, kCruisingFields},
    {"Separation Behavior", IDD_SEPARATION_PAGE, kSeparationFields},
    {"Stay In Sphere Behavior", IDD_STAY_IN_SPHERE_PAGE, kStayInSphereFields},
};

}  // namespace

std::span<const BehaviorPageFields> BehaviorPages() {
    return kPages;
}

const BehaviorField& PageField(UINT templateId, int controlId) {
    for (const BehaviorPageFields& page : kPages) {
        if (page.templateId != templateId) {
            continue;
        }
        for (const BehaviorField& field : page.fields) {
            if (field.controlId == controlId) {
                return field;
            }
        }
    }
    throw std::logic_error("no behaviour field for control " + std::to_string(controlId) +
                           " of page " + std::to_string(templateId));
}
