#include "platform/ui/host/ui_host.h"

// Sections: options and life; turns and modal loops. Event handling is in
// ui_host_input.cpp, drawing in ui_host_draw.cpp.

#include <cfloat>
#include <cstdio>

#include <SDL.h>
#include <backends/imgui_impl_opengl3.h>
#include <backends/imgui_impl_sdl.h>
#include <imgui.h>

#include "platform/ui/core/command_ids.h"
#include "platform/ui/core/message_queue.h"
#include "platform/ui/resources/resource_table.h"
#include "platform/ui/host/ui_draw.h"
#include "platform/ui/host/ui_host_input_feed.h"
#include "platform/ui/core/ui_metrics.h"
#include "platform/window/sdl_events.h"
#include "platform/window/sdl_window.h"
#include "platform/window/sdl_window_system.h"
#include "platform/window/system.h"

namespace {

constexpr int kDefaultWidth = 1024;
constexpr int kDefaultHeight = 720;

struct HostState {
    // A display still open when the process ends was not shut down in order:
    // the process is ending from inside a turn, as when the X library exits
    // because its connection to the server broke. The window system may be
    // gone, and waiting on it would hang the exit for ever: the display lets
    // go of it untouched (the system reclaims it) and frees the rest.
    ~HostState() {
        if (current != nullptr) {
            current->AbandonWindowSystem();
        }
    }

    UiHostOptions options;
    std::unique_ptr<UiHost> current;
    MessageBoxPresenter previousPresenter;
};

HostState& State() {
    static HostState state;
    return state;
}

int Chosen(int requested, int option, int fallback) {
    if (option != CW_USEDEFAULT && option > 0) {
        return option;
    }
    return requested != CW_USEDEFAULT && requested > 0 ? requested : fallback;
}

// The main window's size: the options', else the frame's request, else the
// default, kept within the display's usable area when SDL knows it.
CSize ChooseSize(CSize requested, const UiHostOptions& options) {
    CSize size(Chosen(requested.cx, options.width, kDefaultWidth),
               Chosen(requested.cy, options.height, kDefaultHeight));
    SDL_Rect usable;
    if (options.width == CW_USEDEFAULT && SDL_GetDisplayUsableBounds(0, &usable) == 0 &&
        usable.w > 0 && usable.h > 0) {
        size.cx = std::min(size.cx, usable.w);
        size.cy = std::min(size.cy, usable.h);
    }
    return size;
}

void SetWindowIcon(SDL_Window* window, UINT iconId) {
    const IconImage* icon = AfxResources().FindIcon(iconId);
    if (icon == nullptr) {
        return;
    }
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<std::uint8_t*>(icon->rgba.data()), icon->width, icon->height, 32,
        icon->width * 4, SDL_PIXELFORMAT_RGBA32);
    if (surface != nullptr) {
        SDL_SetWindowIcon(window, surface);
        SDL_FreeSurface(surface);
    }
}

float FontTextWidth(std::string_view text) {
    ImFont* font = ImGui::GetIO().Fonts->Fonts[0];
    return font
        ->CalcTextSizeA(font->FontSize, FLT_MAX, 0.0f, text.data(), text.data() + text.size())
        .x;
}

// Metrics of the interface font and style (see ui_metrics.h).
UiMetrics MeasureInterface() {
    ImFont* font = ImGui::GetIO().Fonts->Fonts[0];
    UiMetrics metrics;
    metrics.fontSize = font->FontSize;
    metrics.baseUnits = BaseUnitsFromFont(FontTextWidth(kBaseUnitSample), font->FontSize);
    const int frameHeight =
        static_cast<int>(font->FontSize + 2.0f * ImGui::GetStyle().FramePadding.y + 0.5f);
    metrics.menuBarHeight = frameHeight;
    metrics.tabHeight = frameHeight + 2;
    metrics.paneCaptionHeight = frameHeight;
    metrics.dialogTitleHeight = frameHeight;
    return metrics;
}

}  // namespace

// ---- Options and life ----

void UiHost::SetOptions(const UiHostOptions& options) {
    State().options = options;
}
const UiHostOptions& UiHost::Options() {
    return State().options;
}
UiHost* UiHost::Current() {
    return State().current.get();
}

UiHost::UiHost(std::unique_ptr<DisplayClient> client, SDL_Window* window, void* context)
    : client_(std::move(client)),
      frame_(client_.get()),
      window_(window),
      glContext_(context),
      input_(std::make_unique<InputFeed>()) {}

UiHost* UiHost::Open(std::unique_ptr<DisplayClient> client, const std::string& title,
                     CSize requested, std::string* error) {
    HostState& state = State();
    if (state.current != nullptr) {
        if (error != nullptr) {
            *error = "the display is open already: there is one main window";
        }
        return nullptr;
    }
    const CSize size = ChooseSize(requested, state.options);
    if (state.options.detached) {
        state.current.reset(new UiHost(std::move(client), nullptr, nullptr));
        state.current->unattended_ = state.options.unattendedModals.value_or(true);
        state.current->frame_->Resize(size.cx, size.cy);
        return state.current.get();
    }
    if (!InitSdlVideo(error)) {
        return nullptr;
    }
    ConfigureSdlOpenGlAttributes();
    SDL_GL_SetAttribute(SDL_GL_SHARE_WITH_CURRENT_CONTEXT, 0);
    SDL_Window* window = SDL_CreateWindow(
        title.c_str(), SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, size.cx, size.cy,
        SDL_WINDOW_OPENGL | SDL_WINDOW_RESIZABLE | SDL_WINDOW_HIDDEN);
    SDL_GLContext context = window != nullptr ? SDL_GL_CreateContext(window) : nullptr;
    if (context == nullptr) {
        if (error != nullptr) {
            *error = std::string("the main window or its OpenGL 3.3 context could not be made: ") +
                     SDL_GetError();
        }
        if (window != nullptr) {
            SDL_DestroyWindow(window);
        }
        ShutdownSdlVideo();
        return nullptr;
    }
    std::unique_ptr<UiHost> host(new UiHost(std::move(client), window, context));
    if (!host->StartInterface(error)) {
        return nullptr;  // the destructor releases the window and context
    }
    state.current = std::move(host);
    return state.current.get();
}

bool UiHost::StartInterface(std::string* error) {
    SDL_GL_MakeCurrent(window_, glContext_);
    IMGUI_CHECKVERSION();
    ImGui::CreateContext();
    ImGuiIO& io = ImGui::GetIO();
    io.IniFilename = nullptr;  // the program writes nothing to disk
    io.LogFilename = nullptr;
    ApplyToolkitStyle();
    io.Fonts->AddFontDefault();
    io.Fonts->Build();
    interfaceStarted_ = true;
    sdlBackend_ = ImGui_ImplSDL2_InitForOpenGL(window_, glContext_);
    glBackend_ = sdlBackend_ && ImGui_ImplOpenGL3_Init("#version 330");
    if (!glBackend_) {
        if (error != nullptr) {
            *error = "the user interface could not start on the OpenGL context";
        }
        return false;
    }
    // The one OpenGL entry point the display calls itself, fetched through
    // SDL so that no OpenGL header is needed here.
    bindFramebuffer_ =
        reinterpret_cast<void (*)(unsigned, unsigned)>(SDL_GL_GetProcAddress("glBindFramebuffer"));
    SetUiMetrics(MeasureInterface());
    SetTextMeasurer(FontTextWidth);
    SDL_GL_SetSwapInterval(State().options.swapInterval);
    unattended_ = State().options.unattendedModals.value_or(!RealDisplayAvailable());
    State().previousPresenter = GetMessageBoxPresenter();
    presenterInstalled_ = true;
    SetMessageBoxPresenter(
        [](HWND, const std::string& text, const std::string& caption, UINT type) {
            if (UiHost* host = UiHost::Current()) {
                host->ShowMessageBox(text, caption, type);
            }
        });
    SetWindowIcon(window_, frame_->IconId());
    return true;
}

void UiHost::AbandonWindowSystem() {
    window_ = nullptr;
    glContext_ = nullptr;
    glBackend_ = sdlBackend_ = false;
}

void UiHost::StopInterface() {
    if (window_ != nullptr) {
        SDL_GL_MakeCurrent(window_, glContext_);
    }
    if (glBackend_) {
        ImGui_ImplOpenGL3_Shutdown();
    }
    if (sdlBackend_) {
        ImGui_ImplSDL2_Shutdown();
    }
    ImGui::DestroyContext();
    SetTextMeasurer(nullptr);
    if (presenterInstalled_) {
        SetMessageBoxPresenter(std::move(State().previousPresenter));
        State().previousPresenter = nullptr;
    }
    interfaceStarted_ = glBackend_ = sdlBackend_ = presenterInstalled_ = false;
}

UiHost::~UiHost() {
    if (interfaceStarted_) {
        StopInterface();
    }
    if (glContext_ != nullptr) {
        SDL_GL_DeleteContext(static_cast<SDL_GLContext>(glContext_));
    }
    if (window_ != nullptr) {
        SDL_DestroyWindow(window_);
        ShutdownSdlVideo();
    }
    SetKeyboardRoutedToScene(true);
}

void UiHost::RequestClose() {
    frame_ = nullptr;
}

void UiHost::CollectClosed() {
    HostState& state = State();
    if (state.current != nullptr && state.current->IsClosing() && state.current->turnDepth_ == 0) {
        state.current.reset();
    }
}

void UiHost::Shutdown() {
    HostState& state = State();
    if (state.current != nullptr && state.current->turnDepth_ == 0) {
        state.current.reset();
    }
}

CSize UiHost::WindowSize() const {
    if (window_ == nullptr) {
        return frame_ != nullptr ? frame_->LaidOutSize() : CSize();
    }
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(window_, &width, &height);
    return {width, height};
}

void UiHost::SetTurnObserver(std::function<void(const TurnInfo&)> observer) {
    observer_ = std::move(observer);
}

void UiHost::SetFrameRenderedHook(std::function<void(SDL_Window*)> hook) {
    renderedHook_ = std::move(hook);
}

void UiHost::AddNextFrameHook(std::function<void(SDL_Window*)> hook) {
    nextFrameHooks_.push_back(std::move(hook));
}

void UiHost::SetSwapInterval(int interval) {
    if (window_ != nullptr) {
        SDL_GL_MakeCurrent(window_, glContext_);
        SDL_GL_SetSwapInterval(interval);
    }
}

// ---- Turns and modal loops ----

void UiHost::RunTurn(const IdleHandler& idle) {
    ++turnDepth_;
    ++turn_;
    if (observer_) {
        observer_(TurnInfo{turn_, ModalDepth()});
    }
    // When the idle handler wants no more turns, wait (briefly) for input
    // instead of drawing the same picture again and again.
    if (idle && !idleWantedLastTurn_ && window_ != nullptr && PostedMessageCount() == 0 &&
        !input_->Pending() && deferredKeys_.empty()) {
        SDL_WaitEventTimeout(nullptr, 100);
    }
    ReplayDeferredKeys();
    const int events = window_ != nullptr
                           ? PumpSdlEvents([this](const SDL_Event& event) { HandleEvent(event); })
                           : 0;
    if (idle) {
        idleWantedLastTurn_ = idle(events > 0 || dispatchedLastTurn_ > 0);
    }
    if (!IsClosing()) {
        DrawFrame();
    }
    dispatchedLastTurn_ = DispatchPostedMessages();
    --turnDepth_;
}

void UiHost::RunModal(DisplayModal& dialog) {
    if (inFrame_) {
        // Only reachable from code run while drawing, which must only read.
        std::fprintf(stderr, "a modal box cannot open while the interface is drawn\n");
        dialog.End(IDCANCEL);
        return;
    }
    modals_.push_back(Modal{&dialog, false, 0});
    const std::size_t level = modals_.size() - 1;
    while (!dialog.HasEnded() && !QuitRequested() && !IsClosing()) {
        RunTurn(nullptr);
        ++modals_[level].framesShown;
        if (unattended_ && modals_[level].framesShown >= 2 && !dialog.HasEnded()) {
            dialog.End(dialog.UnattendedResult());
        }
    }
    // One more frame closes the box in the interface; nothing else runs.
    modals_[level].closing = true;
    if (!IsClosing()) {
        DrawFrame();
    }
    modals_.pop_back();
}

void UiHost::RenderNow() {
    if (!IsClosing() && !inFrame_) {
        DrawFrame();
    }
}

void UiHost::ShowMessageBox(const std::string& text, const std::string& caption, UINT type) {
    if (IsClosing() || inFrame_) {
        return;  // MessageBoxA has written the text to standard error
    }
    frame_->ShowMessageBox(text, caption, type);
}
