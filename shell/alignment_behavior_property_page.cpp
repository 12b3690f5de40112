#include "shell/alignment_behavior_property_page.h"

#include "shell/resources/behavior_page_ids.h"

CAlignmentBehaviorPropertyPage::CAlignmentBehaviorPropertyPage()
    : CTurnRateBehaviorPropertyPage(IDD_ALIGNMENT_PAGE) {}
