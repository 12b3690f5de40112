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

bool IsSubmenu(const MenuItem& item) {
    return !item.items.empty();
}

// An item the highlight may rest on: a submenu, or a command that may run.
bool IsChoosable(const MenuItem& item, const CMenuBar::Commands& commands) {
    return IsSubmenu(item) || (!IsSeparator(item) && commands.enabled(item.command));
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
    open_ = selected_ = highlight_ = subOpen_ = subHighlight_ = -1;
    byKeyboard_ = false;
}

void CMenuBar::Open(int popup, bool byKeyboard) {
    open_ = popup;
    selected_ = -1;
    highlight_ = subOpen_ = subHighlight_ = -1;
    byKeyboard_ = byKeyboard;
}

void CMenuBar::OpenSubmenu(int item, const Commands& commands) {
    highlight_ = item;
    subOpen_ = item;
    subHighlight_ = -1;
    if (byKeyboard_) {
        MoveHighlight(1, commands);
    }
}

const std::vector<MenuItem>& CMenuBar::ActiveItems() const {
    const std::vector<MenuItem>& items = menu_.popups[open_].items;
    return subOpen_ >= 0 ? items[subOpen_].items : items;
}

// A submenu opens; a command closes the menu and runs.
void CMenuBar::Choose(const MenuItem& item, int index, const Commands& commands) {
    if (IsSubmenu(item)) {
        OpenSubmenu(index, commands);
        return;
    }
    Close();
    commands.run(item.command);
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
    if (open_ >= 0 && HandleOpenMenuKey(virtualKey, commands)) {
        return true;
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
        case VK_RETURN:
            Open(current, true);
            MoveHighlight(virtualKey == VK_UP ? -1 : 1, commands);
            return true;
        default:
            break;
    }
    if (letter && open_ < 0) {
        const int title = TitleWithMnemonic(*letter);
        if (title >= 0) {
            Open(title, true);
            MoveHighlight(1, commands);
        }
    }
    return true;  // the menu has the keyboard: nothing else sees the key
}

// Keys of a dropped menu (or its open submenu); false for the keys that
// work as on the bar (Esc and F10 at the top level, Left and Right between menus).
bool CMenuBar::HandleOpenMenuKey(std::uint16_t virtualKey, const Commands& commands) {
    const std::vector<MenuItem>& items = ActiveItems();
    const int highlight = ActiveHighlight();
    switch (virtualKey) {
        case VK_ESCAPE:
        case VK_LEFT:
            if (subOpen_ < 0) {
                return false;
            }
            subOpen_ = subHighlight_ = -1;  // back to the menu that holds it
            return true;
        case VK_RIGHT:
            if (subOpen_ >= 0 || highlight < 0 || !IsSubmenu(items[highlight])) {
                return false;
            }
            OpenSubmenu(highlight, commands);
            return true;
        case VK_UP:
        case VK_DOWN:
            MoveHighlight(virtualKey == VK_UP ? -1 : 1, commands);
            return true;
        case VK_RETURN:
            if (highlight >= 0) {
                Choose(items[highlight], highlight, commands);
            }
            return true;
        default:
            break;
    }
    const std::optional<char> letter = LetterOf(virtualKey);
    if (letter) {
        RunMnemonic(*letter, commands);
    }
    return virtualKey != kVkF10;
}

void CMenuBar::MoveHighlight(int step, const Commands& commands) {
    const std::vector<MenuItem>& items = ActiveItems();
    const int count = static_cast<int>(items.size());
    int& highlight = ActiveHighlight();
    int index = highlight;
    for (int tried = 0; tried < count; ++tried) {
        index = index < 0 ? (step > 0 ? 0 : count - 1) : (index + step + count) % count;
        if (IsChoosable(items[index], commands)) {
            highlight = index;
            return;
        }
    }
}

bool CMenuBar::RunMnemonic(char letter, const Commands& commands) {
    if (open_ < 0) {
        return false;
    }
    const std::vector<MenuItem>& items = ActiveItems();
    for (int i = 0; i < static_cast<int>(items.size()); ++i) {
        if (MnemonicOf(items[i].text) == letter && IsChoosable(items[i], commands)) {
            Choose(items[i], i, commands);
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
    const UINT chosen = DrawItemList(menu_.popups[open_].items, false, commands);
    DrawSubmenu(commands);
    if (chosen != 0) {
        Close();
        commands.run(chosen);
    }
}

// The open submenu as a popup beside its item, kept in step with the
// interface, which closes it by itself on a click elsewhere.
void CMenuBar::DrawSubmenu(const Commands& commands) {
    if (subShown_ && !ImGui::IsPopupOpen("##submenu")) {
        subShown_ = false;
        subOpen_ = subHighlight_ = -1;
    }
    if (subOpen_ < 0) {
        if (subShown_ && ImGui::BeginPopup("##submenu")) {
            ImGui::CloseCurrentPopup();
            ImGui::EndPopup();
        }
        subShown_ = false;
        return;
    }
    if (!subShown_) {
        ImGui::OpenPopup("##submenu");
        subShown_ = true;
    }
    ImGui::SetNextWindowPos(ImVec2(subX_, subY_));
    ImGui::PushStyleVar(ImGuiStyleVar_WindowPadding, kDropDownPadding);
    const bool drawn =
        ImGui::BeginPopup("##submenu", ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoSavedSettings);
    ImGui::PopStyleVar();
    if (drawn) {
        const UINT chosen = DrawItemList(menu_.popups[open_].items[subOpen_].items, true, commands);
        if (chosen != 0) {
            Close();
            ImGui::CloseCurrentPopup();
            commands.run(chosen);
        }
        ImGui::EndPopup();
    }
}

// Draws items as a column; returns the command of the item clicked, or 0.
// Pointing at an item of the menu opens its submenu (or closes an open one).
UINT CMenuBar::DrawItemList(const std::vector<MenuItem>& items, bool submenu,
                            const Commands& commands) {
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
    const bool pointerMoved = PointerMoved();
    int& highlight = submenu ? subHighlight_ : highlight_;
    UINT chosen = 0;
    for (int i = 0; i < static_cast<int>(items.size()); ++i) {
        const MenuItem& item = items[i];
        if (IsSeparator(item)) {
            ImGui::Separator();
            continue;
        }
        ImGui::PushID(i);
        const bool enabled = IsChoosable(item, commands);
        const ImVec2 at = ImGui::GetCursorScreenPos();
        const ImGuiSelectableFlags flags =
            (enabled ? 0 : ImGuiSelectableFlags_Disabled) |
            (IsSubmenu(item) ? ImGuiSelectableFlags_DontClosePopups : 0);
        const bool clicked =
            ImGui::Selectable("##item", highlight == i, flags, ImVec2(width, 0.0f));
        const bool pointed = enabled && pointerMoved && ImGui::IsItemHovered();
        if (pointed) {
            highlight = i;
        }
        if (!submenu && IsSubmenu(item)) {
            subX_ = ImGui::GetWindowPos().x + ImGui::GetWindowWidth();
            subY_ = at.y - kDropDownPadding.y;
            if (pointed || clicked) {
                subOpen_ = i;
            }
        } else if (!submenu && pointed) {
            subOpen_ = subHighlight_ = -1;
        } else if (clicked) {
            chosen = item.command;
        }
        DrawItemDecorations(item, at, width, indent, enabled, commands);
        ImGui::PopID();
    }
    return chosen;
}

// The label, the tick or the submenu's arrow, and the accelerator's text.
void CMenuBar::DrawItemDecorations(const MenuItem& item, ImVec2 at, float width, float indent,
                                   bool enabled, const Commands& commands) const {
    ImDrawList* drawList = ImGui::GetWindowDrawList();
    const ImU32 color = ImGui::GetColorU32(enabled ? ImGuiCol_Text : ImGuiCol_TextDisabled);
    const float size = ImGui::GetFontSize();
    DrawLabel(drawList, ImVec2(at.x + indent, at.y), color, item.text, byKeyboard_ || altHeld_);
    if (commands.checked && !IsSubmenu(item) && commands.checked(item.command)) {
        ImGui::RenderCheckMark(drawList, ImVec2(at.x + size * 0.15f, at.y + size * 0.15f), color,
                               size * 0.7f);
    }
    if (IsSubmenu(item)) {
        ImGui::RenderArrow(drawList, ImVec2(at.x + width - indent, at.y), color, ImGuiDir_Right,
                           0.8f);
        return;
    }
    const std::string shortcut = commands.shortcut(item.command);
    if (!shortcut.empty()) {
        const float shortcutX = at.x + width - indent - ImGui::CalcTextSize(shortcut.c_str()).x;
        drawList->AddText(ImVec2(shortcutX, at.y), color, shortcut.c_str());
    }
}
