#include "shell/cohesion_behavior_property_page.h"

#include "shell/resources/behavior_page_ids.h"

CCohesionBehaviorPropertyPage::CCohesionBehaviorPropertyPage()
    : CTurnRateBehaviorPropertyPage(IDD_COHESION_PAGE) {}
