#include "tests/shell/behavior_page_test_support.h"

#include "platform/ui/controls/button.h"
#include "platform/ui/core/message_queue.h"
#include "platform/ui/resources/resource_table.h"
#include "platform/ui/controls/slider_ctrl.h"
#include "shell/live_behaviors.h"
#include "shell/resources/behavior_page_ids.h"
#include "shell/resources/behavior_page_templates.h"
#include "simulation/population.h"

void BehaviorPageTest::SetUp() {
    AfxResources().Clear();
    RegisterBehaviorPageTemplates(AfxResources());
    live = CreateStartupBehaviors();
    SetLiveBehaviorsSource([this] { return engineExists ? &live : nullptr; });
    SetMessageBoxPresenter(
        [this](HWND, const std::string& text, const std::string& caption, UINT type) {
            messages.push_back({text, caption, type});
        });
    ASSERT_TRUE(
        parent.Create(kToolkitWindowClass, "", WS_VISIBLE, CRect(0, 0, 335, 700), nullptr, 0));
}

void BehaviorPageTest::TearDown() {
    sheet.DestroyWindow();
    parent.DestroyWindow();
    SetMessageBoxPresenter(nullptr);
    SetLiveBehaviorsSource(nullptr);
    for (cBehavior* behavior : live) {
        delete behavior;
    }
    AfxResources().Clear();
}

void BehaviorPageTest::AddPages(std::initializer_list<CPropertyPage*> pages) {
    for (CPropertyPage* page : pages) {
        sheet.AddPage(page);
    }
    ASSERT_TRUE(sheet.Create(&parent));
}

void BehaviorPageTest::Set(CWnd& page, int id, const std::string& text) {
    ASSERT_NE(page.GetDlgItem(id), nullptr) << id;
    page.GetDlgItem(id)->SetWindowText(text);
}

void BehaviorPageTest::Set(CWnd& page, int id, int position) {
    auto* slider = dynamic_cast<CSliderCtrl*>(page.GetDlgItem(id));
    ASSERT_NE(slider, nullptr) << id;
    slider->SetPos(position);
}

std::string BehaviorPageTest::Text(const CWnd& page, int id) {
    const CWnd* edit = page.GetDlgItem(id);
    return edit != nullptr ? edit->GetWindowText() : "<no control>";
}

int BehaviorPageTest::Pos(const CWnd& page, int id) {
    const auto* slider = dynamic_cast<const CSliderCtrl*>(page.GetDlgItem(id));
    return slider != nullptr ? slider->GetPos() : -1;
}

void BehaviorPageTest::PressApply(CWnd& page) {
    PressButton(page, IDC_APPLY);
}

void BehaviorPageTest::PressButton(CWnd& page, int id) {
    auto* button = dynamic_cast<CButton*>(page.GetDlgItem(id));
    ASSERT_NE(button, nullptr) << id;
    button->Click();
    DispatchPostedMessages();
}
