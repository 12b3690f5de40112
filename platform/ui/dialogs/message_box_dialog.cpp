#include "platform/ui/dialogs/message_box_dialog.h"

#include <algorithm>
#include <cmath>
#include <sstream>

#include "platform/ui/controls/static_ctrl.h"
#include "platform/ui/host/ui_draw.h"
#include "platform/ui/core/ui_metrics.h"
#include "platform/window/system.h"

namespace {

constexpr int kMessageId = 0xFFFF;
constexpr int kIconId = 0x14;
constexpr float kWrapWidth = 360.0f;  // pixels
constexpr float kMargin = 12.0f;
constexpr float kIconSize = 32.0f;
constexpr float kButtonWidth = 75.0f;
constexpr float kButtonHeight = 23.0f;

struct TextBlock {
    float width = 0.0f;
    int lines = 0;
};

// Width and line count of text wrapped greedily at wrapWidth.
TextBlock MeasureWrapped(const std::string& text) {
    TextBlock block;
    std::istringstream paragraphs(text);
    std::string paragraph;
    while (std::getline(paragraphs, paragraph)) {
        std::istringstream words(paragraph);
        std::string word;
        std::string line;
        ++block.lines;
        while (words >> word) {
            const std::string candidate = line.empty() ? word : line + " " + word;
            if (!line.empty() && MeasureTextWidth(candidate) > kWrapWidth) {
                block.width = std::max(block.width, MeasureTextWidth(line));
                ++block.lines;
                line = word;
            } else {
                line = candidate;
            }
        }
        block.width = std::max(block.width, std::min(kWrapWidth, MeasureTextWidth(line)));
    }
    block.lines = std::max(block.lines, 1);
    return block;
}

int ToUnitsX(float pixels) {
    return static_cast<int>(std::ceil(pixels * 4.0f / CurrentUiMetrics().baseUnits.cx));
}

int ToUnitsY(float pixels) {
    return static_cast<int>(std::ceil(pixels * 8.0f / CurrentUiMetrics().baseUnits.cy));
}

}  // namespace

DialogTemplate MessageBoxTemplate(const std::string& text, const std::string& caption, UINT type) {
    const bool hasIcon = StandardIconForType(type) != StandardIcon::None;
    const TextBlock block = MeasureWrapped(text);
    const float textHeight = static_cast<float>(block.lines) * CurrentUiMetrics().fontSize;
    const float textLeft = kMargin + (hasIcon ? kIconSize + kMargin : 0.0f);
    const float contentHeight = std::max(textHeight, hasIcon ? kIconSize : 0.0f);
    const float width =
        std::max({textLeft + block.width + kMargin, kButtonWidth + 2 * kMargin, 160.0f});
    const float height = kMargin + contentHeight + kMargin + kButtonHeight + kMargin;
    const float textTop = kMargin + (contentHeight - textHeight) * 0.5f;

    DialogTemplate dialog;
    dialog.caption = caption;
    dialog.cx = ToUnitsX(width);
    dialog.cy = ToUnitsY(height);
    if (hasIcon) {
        dialog.controls.push_back({ControlKind::Icon, kIconId, "", ToUnitsX(kMargin),
                                   ToUnitsY(kMargin), ToUnitsX(kIconSize), ToUnitsY(kIconSize)});
    }
    dialog.controls.push_back({ControlKind::Static, kMessageId, text, ToUnitsX(textLeft),
                               ToUnitsY(textTop), ToUnitsX(block.width + 2.0f),
                               ToUnitsY(textHeight + 2.0f)});
    dialog.controls.push_back({ControlKind::DefPushButton, IDOK, "OK",
                               ToUnitsX((width - kButtonWidth) * 0.5f),
                               ToUnitsY(height - kMargin - kButtonHeight), ToUnitsX(kButtonWidth),
                               ToUnitsY(kButtonHeight)});
    return dialog;
}

CMessageBoxDialog::CMessageBoxDialog(const std::string& text, const std::string& caption, UINT type)
    : text_(text), type_(type) {
    SetIndirectTemplate(MessageBoxTemplate(text, caption, type));
}

int CMessageBoxDialog::UnattendedResult() const {
    return IDOK;
}

BOOL CMessageBoxDialog::OnInitDialog() {
    if (auto* icon = dynamic_cast<CStatic*>(GetDlgItem(kIconId))) {
        icon->SetStandardIcon(StandardIconForType(type_));
    }
    return CDialog::OnInitDialog();
}
