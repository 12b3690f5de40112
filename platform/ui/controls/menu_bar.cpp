#include "platform/ui/controls/menu_bar.h"

// Sections: keys; drawing. The drop-down is a Dear ImGui popup of our own
// rather than ImGui::BeginMenu, whose open state cannot be driven by keys
// (without the interface's keyboard navigation, which would also take the
// arrows from the controls and the scene).

#include <algorithm>
#include <cctype>
#include <optional>
#include <string>

#include <imgui.h>
#include <imgui_internal.h>

#include "platform/window/system.h"

namespace {

constexpr std::uint16_t kVkF10 = VK_F1 + 9;
// The drop-down's look, in pixels and in font heights.
const ImVec2 kDropDownPadding(2.0f, 3.0f);
constexpr float kItemIndent = 1.0f;
constexpr float kMinimumWidth = 9.0f;

bool IsSeparator(const MenuItem& item) {
    return item.command == 0 && item.text.empty();
}

std::optional<char> LetterOf(std::uint16_t virtualKey) {
    if ((virtualKey >= 'A' && virtualKey <= 'Z') || (virtualKey >= '0' && virtualKey <= '9')) {
        return static_cast<char>(std::tolower(virtualKey));
    }
    return std::nullopt;
}

}  // namespace

void CMenuBar::SetMenu(const MenuTemplate* menu) {
    menu_ = menu != nullptr ? *menu : MenuTemplate{};
    dropX_.assign(menu_.popups.size(), 0.0f);
    Close();
}

void CMenuBar::Close() {
    open_ = selected_ = highlight_ = -1;
    byKeyboard_ = false;
}

void CMenuBar::Open(int popup, bool byKeyboard) {
    open_ = popup;
    selected_ = -1;
    highlight_ = -1;
    byKeyboard_ = byKeyboard;
}

// ---- Keys ----

bool CMenuBar::HandleKey(std::uint16_t virtualKey, KeyModifiers held, const Commands& commands) {
    if (!HasMenu()) {
        return false;
    }
    const std::optional<char> letter = LetterOf(virtualKey);
    if (!IsActive()) {
        if (held.alt && !held.control && letter) {
            const int title = TitleWithMnemonic(*letter);
            if (title >= 0) {
                Open(title, true);
                MoveHighlight(1, commands);
            }
            return title >= 0;  // other Alt+letters may be accelerators
        }
        if (virtualKey == kVkF10 && !held.alt && !held.control && !held.shift) {
            selected_ = 0;
            return true;
        }
        return false;
    }
    const int count = PopupCount();
    const int current = open_ >= 0 ? open_ : selected_;
    switch (virtualKey) {
        case VK_ESCAPE:
        case kVkF10:
            Close();
            return true;
        case VK_LEFT:
        case VK_RIGHT: {
            const int next = (current + (virtualKey == VK_LEFT ? count - 1 : 1)) % count;
            if (open_ >= 0) {
                Open(next, true);
                MoveHighlight(1, commands);
            } else {
                selected_ = next;
            }
            return true;
        }
        case VK_UP:
        case VK_DOWN:
            if (open_ < 0) {
                Open(current, true);
            }
            MoveHighlight(virtualKey == VK_UP ? -1 : 1, commands);
            return true;
        case VK_RETURN:
            if (open_ < 0) {
                Open(current, true);
                MoveHighlight(1, commands);
            } else if (highlight_ >= 0) {
                const UINT command = menu_.popups[open_].items[highlight_].command;
                Close();
                commands.run(command);
            }
            return true;
        default:
            break;
    }
    if (letter && !RunMnemonic(*letter, commands) && open_ < 0) {
        const int title = TitleWithMnemonic(*letter);
        if (title >= 0) {
            Open(title, true);
            MoveHighlight(1, commands);
        }
    }
    return true;  // the menu has the keyboard: nothing else sees the key
}

void CMenuBar::MoveHighlight(int step, const Commands& commands) {
    const std::vector<MenuItem>& items = menu_.popups[open_].items;
    const int count = static_cast<int>(items.size());
    int index = highlight_;
    for (int tried = 0; tried < count; ++tried) {
        index = index < 0 ? (step > 0 ? 0 : count - 1) : (index + step + count) % count;
        if (!IsSeparator(items[index]) && commands.enabled(items[index].command)) {
            highlight_ = index;
            return;
        }
    }
}

bool CMenuBar::RunMnemonic(char letter, const Commands& commands) {
    if (open_ < 0) {
        return false;
    }
    for (const MenuItem& item : menu_.popups[open_].items) {
        if (!IsSeparator(item) && MnemonicOf(item.text) == letter && commands.enabled(item.command)) {
            Close();
            commands.run(item.command);
            return true;
        }
    }
    return false;
}

int CMenuBar::TitleWithMnemonic(char letter) const {
    for (int p = 0; p < PopupCount(); ++p) {
        if (MnemonicOf(menu_.popups[p].text) == letter) {
            return p;
        }
    }
    return -1;
}

// ---- Drawing ----

namespace {

// The text with its mnemonic letter underlined when asked.
void DrawLabel(ImDrawList* drawList, ImVec2 at, ImU32 color, const std::string& marked,
               bool underline) {
    const std::string shown = StripMnemonic(marked);
    drawList->AddText(at, color, shown.c_str());
    const std::optional<char> mnemonic = MnemonicOf(marked);
    if (!underline || !mnemonic) {
        return;
    }
    // The letter's place in the shown text: count shown characters before
    // the first single '&'.
    std::size_t before = 0;
    for (std::size_t i = 0; i + 1 < marked.size(); ++i) {
        if (marked[i] == '&' && marked[i + 1] == '&') {
            ++before;
            ++i;
        } else if (marked[i] == '&') {
            break;
        } else {
            ++before;
        }
    }
    const float left = ImGui::CalcTextSize(shown.c_str(), shown.c_str() + before).x;
    const float right = ImGui::CalcTextSize(shown.c_str(), shown.c_str() + before + 1).x;
    const float y = at.y + ImGui::GetFontSize();
    drawList->AddLine(ImVec2(at.x + left, y), ImVec2(at.x + right, y), color);
}

// Pointing follows the pointer only when it moves, so that a pointer at
// rest does not undo what the keys chose.
bool PointerMoved() {
    const ImVec2 delta = ImGui::GetIO().MouseDelta;
    return delta.x != 0.0f || delta.y != 0.0f;
}

}  // namespace

void CMenuBar::Draw(const Commands& commands) {
    if (!HasMenu() || !ImGui::BeginMenuBar()) {
        return;
    }
    DrawTitles();
    ImGui::EndMenuBar();
    DrawDropDown(commands);
}

void CMenuBar::DrawTitles() {
    const ImGuiStyle& style = ImGui::GetStyle();
    ImDrawList* drawList = ImGui::GetWindowDrawList();
    const bool underline = altHeld_ || IsActive();
    const ImGuiSelectableFlags flags = ImGuiSelectableFlags_SelectOnClick |
                                       ImGuiSelectableFlags_NoHoldingActiveID |
                                       ImGuiSelectableFlags_DontClosePopups;
    for (int p = 0; p < PopupCount(); ++p) {
        const std::string& text = menu_.popups[p].text;
        const std::string shown = StripMnemonic(text);
        ImGui::PushID(p);
        // Spaced as Dear ImGui spaces its own menu titles.
        ImGui::SetCursorPosX(ImGui::GetCursorPosX() + IM_FLOOR(style.ItemSpacing.x * 0.5f));
        const ImVec2 at = ImGui::GetCursorScreenPos();
        ImGui::PushStyleVar(ImGuiStyleVar_ItemSpacing,
                            ImVec2(style.ItemSpacing.x * 2.0f, style.ItemSpacing.y));
        const bool clicked = ImGui::Selectable("##title", open_ == p || selected_ == p, flags,
                                               ImVec2(ImGui::CalcTextSize(shown.c_str()).x, 0.0f));
        ImGui::PopStyleVar();
        const bool hovered = ImGui::IsItemHovered();
        DrawLabel(drawList, at, ImGui::GetColorU32(ImGuiCol_Text), text, underline);
        // The bar lays out across: the cursor moved on by the wider spacing.
        ImGui::SetCursorPosX(ImGui::GetCursorPosX() - IM_FLOOR(style.ItemSpacing.x * 0.5f));
        ImGui::PopID();
        dropX_[p] = at.x - 1.0f - IM_FLOOR(style.ItemSpacing.x * 0.5f);
        dropY_ = at.y - style.FramePadding.y + ImGui::GetFrameHeight();
        if (clicked) {
            if (open_ == p) {
                Close();
            } else {
                Open(p, false);
            }
        } else if (hovered && PointerMoved() && open_ >= 0 && open_ != p) {
            Open(p, false);
        }
    }
}

void CMenuBar::DrawDropDown(const Commands& commands) {
    // A drop-down the interface closed by itself (a click elsewhere).
    if (shown_ >= 0 && shown_ == open_ &&
        !ImGui::IsPopupOpen(("##menu" + std::to_string(shown_)).c_str())) {
        Close();
    }
    if (open_ != shown_) {
        if (shown_ >= 0) {
            ImGui::ClosePopupsExceptModals();
        }
        if (open_ >= 0) {
            ImGui::OpenPopup(("##menu" + std::to_string(open_)).c_str());
        }
        shown_ = open_;
    }
    if (open_ < 0) {
        return;
    }
    ImGui::SetNextWindowPos(ImVec2(dropX_[open_], dropY_));
    ImGui::PushStyleVar(ImGuiStyleVar_WindowPadding, kDropDownPadding);
    const bool drawn = ImGui::BeginPopup(("##menu" + std::to_string(open_)).c_str(),
                                         ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoSavedSettings);
    ImGui::PopStyleVar();
    if (drawn) {
        DrawItems(commands);
        if (open_ < 0) {
            ImGui::CloseCurrentPopup();
            shown_ = -1;
        }
        ImGui::EndPopup();
    }
}

void CMenuBar::DrawItems(const Commands& commands) {
    const std::vector<MenuItem>& items = menu_.popups[open_].items;
    float labelWidth = 0.0f;
    float shortcutWidth = 0.0f;
    for (const MenuItem& item : items) {
        labelWidth = std::max(labelWidth, ImGui::CalcTextSize(StripMnemonic(item.text).c_str()).x);
        shortcutWidth =
            std::max(shortcutWidth, ImGui::CalcTextSize(commands.shortcut(item.command).c_str()).x);
    }
    const float indent = ImGui::GetFontSize() * kItemIndent;
    const float gap = shortcutWidth > 0.0f ? ImGui::GetFontSize() * 2.0f : 0.0f;
    const float width = std::max(indent * 2.0f + labelWidth + gap + shortcutWidth,
                                 ImGui::GetFontSize() * kMinimumWidth);
    ImDrawList* drawList = ImGui::GetWindowDrawList();
    const bool pointerMoved = PointerMoved();
    UINT chosen = 0;
    for (int i = 0; i < static_cast<int>(items.size()); ++i) {
        const MenuItem& item = items[i];
        if (IsSeparator(item)) {
            ImGui::Separator();
            continue;
        }
        ImGui::PushID(i);
        const bool enabled = commands.enabled(item.command);
        const ImVec2 at = ImGui::GetCursorScreenPos();
        const ImGuiSelectableFlags flags = enabled ? 0 : ImGuiSelectableFlags_Disabled;
        if (ImGui::Selectable("##item", highlight_ == i, flags, ImVec2(width, 0.0f))) {
            chosen = item.command;
        }
        if (enabled && pointerMoved && ImGui::IsItemHovered()) {
            highlight_ = i;
        }
        const ImU32 color = ImGui::GetColorU32(enabled ? ImGuiCol_Text : ImGuiCol_TextDisabled);
        DrawLabel(drawList, ImVec2(at.x + indent, at.y), color, item.text, byKeyboard_ || altHeld_);
        const std::string shortcut = commands.shortcut(item.command);
        if (!shortcut.empty()) {
            const float shortcutX = at.x + width - indent - ImGui::CalcTextSize(shortcut.c_str()).x;
            drawList->AddText(ImVec2(shortcutX, at.y), color, shortcut.c_str());
        }
        ImGui::PopID();
    }
    if (chosen != 0) {
        Close();
        commands.run(chosen);
    }
}
