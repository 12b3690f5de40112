#include "platform/ui/host/ui_host.h"

// The display's drawing: the main window (menu bar and the frame's windows,
// inert while a modal box is open), then the stack of modal boxes, each
// nested in the one below as Dear ImGui's modal popups require.

#include <utility>

#include <SDL.h>
#include <backends/imgui_impl_opengl3.h>
#include <backends/imgui_impl_sdl.h>
#include <imgui.h>
#include <imgui_internal.h>

#include "platform/ui/core/command_ids.h"
#include "platform/ui/host/covered_areas.h"
#include "platform/ui/host/ui_host_input_feed.h"
#include "platform/window/system.h"

namespace {

constexpr unsigned kGlFramebuffer = 0x8D40;  // GL_FRAMEBUFFER

}  // namespace

void UiHost::DrawFrame() {
    if (window_ == nullptr || !interfaceStarted_ || frame_ == nullptr) {
        return;
    }
    SDL_GL_MakeCurrent(window_, glContext_);
    inFrame_ = true;
    ImGuiIO& io = ImGui::GetIO();
    const bool captured = GetCapture() != nullptr;
    // The event pump shows and hides the cursor while the scene has the mouse.
    if (captured || !CursorVisible()) {
        io.ConfigFlags |= ImGuiConfigFlags_NoMouseCursorChange;
    } else {
        io.ConfigFlags &= ~ImGuiConfigFlags_NoMouseCursorChange;
    }
    ImGui_ImplOpenGL3_NewFrame();
    ImGui_ImplSDL2_NewFrame();
    input_->Apply(io, captured);
    ImGui::NewFrame();
    DrawMainWindow();
    if (!modals_.empty()) {
        DrawModal(0);
    }
    popupOpen_ = ImGui::IsPopupOpen("", ImGuiPopupFlags_AnyPopup);
    ImGui::Render();
    // Whatever the scene's device did in between, the interface goes to the
    // window itself; the backend sets the full-window viewport.
    SDL_GL_MakeCurrent(window_, glContext_);
    if (bindFramebuffer_ != nullptr) {
        bindFramebuffer_(kGlFramebuffer, 0);
    }
    ImGui_ImplOpenGL3_RenderDrawData(ImGui::GetDrawData());
    if (renderedHook_) {
        renderedHook_(window_);
    }
    for (const auto& hook : std::exchange(nextFrameHooks_, {})) {
        hook(window_);
    }
    SDL_GL_SwapWindow(window_);
    inFrame_ = false;
    SetKeyboardRoutedToScene(SceneHasKeyboard());
    if (!input_->PressPending() && framesAfterPress_ < kFramesToSettleFocus) {
        ++framesAfterPress_;
    }
    SyncWindowState();
}

bool UiHost::SceneHasKeyboard() const {
    // The interface's WantTextInput lags a frame (it is set as the next frame
    // starts); what the frame just drawn asked for is current.
    const bool textWanted = ImGui::GetCurrentContext()->WantTextInputNextFrame > 0;
    if (textWanted || popupOpen_ || !modals_.empty() ||
        (frame_ != nullptr && frame_->MenuHasKeyboard())) {
        return false;
    }
    return frame_ == nullptr || !frame_->FocusKeepsKeys();
}

void UiHost::DrawMainWindow() {
    const ImGuiViewport* viewport = ImGui::GetMainViewport();
    ImGui::SetNextWindowPos(viewport->Pos);
    ImGui::SetNextWindowSize(viewport->Size);
    // The background is drawn below, only around what the windows cover.
    ImGuiWindowFlags flags = ImGuiWindowFlags_NoDecoration | ImGuiWindowFlags_NoMove |
                             ImGuiWindowFlags_NoBackground | ImGuiWindowFlags_NoSavedSettings |
                             ImGuiWindowFlags_NoBringToFrontOnFocus |
                             ImGuiWindowFlags_NoScrollWithMouse | ImGuiWindowFlags_NoNavFocus;
    if (frame_->HasMenuBar()) {
        flags |= ImGuiWindowFlags_MenuBar;
    }
    ImGui::PushStyleVar(ImGuiStyleVar_WindowBorderSize, 0.0f);
    ImGui::Begin("##main-window", nullptr, flags);
    ImGui::PopStyleVar();
    ImGui::BeginDisabled(!modals_.empty());
    CoveredAreas::Reset();
    if (frame_->IsShown()) {
        frame_->Draw();
    }
    ImGui::EndDisabled();
    ImGui::End();
    DrawMainWindowBackground(ScreenRect{viewport->Pos, ImVec2(viewport->Pos.x + viewport->Size.x,
                                                              viewport->Pos.y + viewport->Size.y)});
}

// The background list is drawn before every window.
void UiHost::DrawMainWindowBackground(const ScreenRect& window) {
    ImDrawList* background = ImGui::GetBackgroundDrawList();
    const ImU32 colour = ImGui::GetColorU32(ImGuiCol_WindowBg);
    for (const ScreenRect& piece : CoveredAreas::Uncovered(window)) {
        background->AddRectFilled(piece.min, piece.max, colour);
    }
}

void UiHost::HandleDialogKeys(DisplayModal& dialog) {
    if (!ImGui::IsWindowFocused(ImGuiFocusedFlags_RootAndChildWindows)) {
        return;
    }
    const ImGuiIO& io = ImGui::GetIO();
    if (ImGui::IsKeyPressed(io.KeyMap[ImGuiKey_Enter]) ||
        ImGui::IsKeyPressed(io.KeyMap[ImGuiKey_KeyPadEnter])) {
        dialog.PostCommand(dialog.DefaultButtonId());
    } else if (ImGui::IsKeyPressed(io.KeyMap[ImGuiKey_Escape])) {
        dialog.PostCommand(IDCANCEL);
    }
}

void UiHost::DrawModal(std::size_t level) {
    Modal& modal = modals_[level];
    DisplayModal& dialog = *modal.dialog;
    const std::string id = dialog.Title() + "###modal" + std::to_string(level);
    if (!modal.closing && !ImGui::IsPopupOpen(id.c_str())) {
        ImGui::OpenPopup(id.c_str());
    }
    const CSize client = dialog.ClientSize();
    const ImGuiViewport* viewport = ImGui::GetMainViewport();
    ImGui::SetNextWindowPos(viewport->GetCenter(), ImGuiCond_Appearing, ImVec2(0.5f, 0.5f));
    ImGui::SetNextWindowSize(ImVec2(static_cast<float>(client.cx),
                                    static_cast<float>(client.cy) + ImGui::GetFrameHeight()));
    bool open = true;
    const ImGuiWindowFlags flags = ImGuiWindowFlags_NoResize | ImGuiWindowFlags_NoSavedSettings |
                                   ImGuiWindowFlags_NoScrollbar |
                                   ImGuiWindowFlags_NoScrollWithMouse;
    if (ImGui::BeginPopupModal(id.c_str(), modal.closing ? nullptr : &open, flags)) {
        if (modal.closing) {
            ImGui::CloseCurrentPopup();
        } else {
            const ImVec2 origin = ImGui::GetCursorScreenPos();
            dialog.PlaceAt(static_cast<int>(origin.x), static_cast<int>(origin.y));
            const bool top = level + 1 == modals_.size();
            ImGui::BeginDisabled(!top);
            dialog.Draw();
            if (top) {
                HandleDialogKeys(dialog);
            }
            ImGui::EndDisabled();
            if (!top) {
                DrawModal(level + 1);
            }
        }
        ImGui::EndPopup();
    }
    if (!open) {
        dialog.PostCommand(IDCANCEL);
    }
}

void UiHost::SyncWindowState() {
    if (frame_ == nullptr) {
        return;
    }
    const std::string title = frame_->Title();
    if (title != shownTitle_) {
        SDL_SetWindowTitle(window_, title.c_str());
        shownTitle_ = title;
    }
    const bool show = frame_->IsShown() || !modals_.empty();
    if (show != shown_) {
        if (show) {
            SDL_ShowWindow(window_);
        } else {
            SDL_HideWindow(window_);
        }
        shown_ = show;
    }
}
