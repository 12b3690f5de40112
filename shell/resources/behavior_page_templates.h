#pragma once

// The dialog templates of the six behaviour pages (ids 131 to 136, see
// behavior_page_ids.h). Every page is 186 dialog units wide in the 8-point
// "MS Shell Dlg" font, opens with the "Behavior Gain:" trackbar and ends
// with its "Apply" button; the caption is the page's tab text.

class CResourceTable;

// Adds (or replaces) the six templates in resources.
void RegisterBehaviorPageTemplates(CResourceTable& resources);
