#include "shell/turn_rate_behavior_property_page.h"

#include "shell/resources/behavior_page_ids.h"
#include "simulation/group_behaviors.h"

template <class Behavior>
CTurnRateBehaviorPropertyPage<Behavior>::CTurnRateBehaviorPropertyPage(UINT templateId)
    : CBehaviorPropertyPage<Behavior>(templateId) {}

template <class Behavior>
void CTurnRateBehaviorPropertyPage<Behavior>::DoDataExchange(CDataExchange* exchange) {
    CBehaviorPropertyPage<Behavior>::DoDataExchange(exchange);
    this->ExchangeNumber(exchange, IDC_TURN_RATE, turnRate);
}

template <class Behavior>
void CTurnRateBehaviorPropertyPage<Behavior>::ReadBehavior(const Behavior& live) {
    turnRate = live.turnRate;
}

template <class Behavior>
void CTurnRateBehaviorPropertyPage<Behavior>::WriteBehavior(Behavior& live) {
    live.turnRate = turnRate;
}

template class CTurnRateBehaviorPropertyPage<cAlignmentBehavior>;
template class CTurnRateBehaviorPropertyPage<cCohesionBehavior>;
