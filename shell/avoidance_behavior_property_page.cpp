#include "shell/avoidance_behavior_property_page.h"

#include "shell/resources/behavior_page_ids.h"

CAvoidanceBehaviorPropertyPage::CAvoidanceBehaviorPropertyPage()
    : CBehaviorPropertyPage(IDD_AVOIDANCE_PAGE) {}

void CAvoidanceBehaviorPropertyPage::DoDataExchange(CDataExchange* exchange) {
    CBehaviorPropertyPage::DoDataExchange(exchange);
    ExchangeNumber(exchange, IDC_AVOIDANCE_DISTANCE, avoidanceDistance);
    ExchangeNumber(exchange, IDC_AVOIDANCE_SPEED, avoidanceSpeed);
}

void CAvoidanceBehaviorPropertyPage::ReadBehavior(const cAvoidanceBehavior& live) {
    avoidanceDistance = live.avoidanceDistance;
    avoidanceSpeed = live.avoidanceSpeed;
}

void CAvoidanceBehaviorPropertyPage::WriteBehavior(cAvoidanceBehavior& live) {
    live.avoidanceDistance = avoidanceDistance;
    live.avoidanceSpeed = avoidanceSpeed;
}
