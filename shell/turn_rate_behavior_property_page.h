#pragma once

// The page shape shared by the alignment and cohesion pages: gain and one
// turn rate, written without a check. Behavior is a class with a float
// `turnRate` (cAlignmentBehavior, cCohesionBehavior).

#include "shell/behavior_property_page.h"

template <class Behavior>
class CTurnRateBehaviorPropertyPage : public CBehaviorPropertyPage<Behavior> {
public:
    explicit CTurnRateBehaviorPropertyPage(UINT templateId);

    void DoDataExchange(CDataExchange* exchange) override;

    float turnRate = 0.1f;  // world units per second per step

protected:
    void ReadBehavior(const Behavior& live) override;
    void WriteBehavior(Behavior& live) override;
};

extern template class CTurnRateBehaviorPropertyPage<cAlignmentBehavior>;
extern template class CTurnRateBehaviorPropertyPage<cCohesionBehavior>;
