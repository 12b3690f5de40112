#include "shell/stay_in_sphere_behavior_property_page.h"

#include "shell/resources/behavior_page_ids.h"

CStayInSphereBehaviorPropertyPage::CStayInSphereBehaviorPropertyPage()
    : CBehaviorPropertyPage(IDD_STAY_IN_SPHERE_PAGE) {}

void CStayInSphereBehaviorPropertyPage::DoDataExchange(CDataExchange* exchange) {
    CBehaviorPropertyPage::DoDataExchange(exchange);
    ExchangeNumber(exchange, IDC_RADIUS, radius);
    ExchangeNumber(exchange, IDC_CENTER_X, center.x);
    ExchangeNumber(exchange, IDC_CENTER_Y, center.y);
    ExchangeNumber(exchange, IDC_CENTER_Z, center.z);
}

void CStayInSphereBehaviorPropertyPage::ReadBehavior(const cStayWithinSphereBehavior& live) {
    radius = live.radius;
    center = live.center;
}

void CStayInSphereBehaviorPropertyPage::WriteBehavior(cStayWithinSphereBehavior& live) {
    live.radius = radius;
    live.center = center;
}
