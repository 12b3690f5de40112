#pragma once

// The display: the main SDL window with its OpenGL 3.3 context and the Dear
// ImGui context that draws the toolkit's windows into it, and the turns of
// the message loops. It knows the windows only through the interfaces of
// display_client.h. Opened by the main frame (CFrameWnd::LoadFrame) before
// any view exists, so that a render engine made during the views' initial
// update finds the window and a current context to share textures with.
//
// A turn: handle every waiting event (see below), run the idle handler if
// one is given, draw the interface and swap, then run the posted messages.
// Events: window size changes lay the frame out again at once; a key with
// an accelerator whose command has a handler posts that command; a
// left-button press or release, or a wheel turn, over an image pane's
// client area goes to that pane (unless a menu or modal box is open); while a control of a
// dialog in the main window has the keys, Tab and Shift+Tab move the focus
// among the dialog's controls and Enter in an edit box presses the default
// button (control_focus.h), before any accelerator; while a window holds the
// mouse capture, mouse events go to it alone (relative mode); everything
// else goes to the interface. After drawing, the scene reads the keyboard
// only while no text box has the focus. A scene-only key that follows a
// mouse press waits until the interface has settled the focus.
//
// Modal boxes (RunModal): nested turns without the idle handler, until the
// box ends, the application quits or the display closes. The interface
// behind the box is drawn but takes no input.
//
// With the "detached" option there is no SDL and no drawing: windows are
// laid out for a fixed size and turns only run idle and posted messages.
// Dear ImGui writes no settings or log files.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/core/ui_types.h"
#include "platform/ui/host/display_client.h"
#include "platform/window/window.h"

struct SDL_Window;
union SDL_Event;
struct ScreenRect;

struct UiHostOptions {
    bool detached = false;      // no SDL and no drawing (window logic only)
    int width = CW_USEDEFAULT;  // main window size; the frame's request, else 1024 × 720
    int height = CW_USEDEFAULT;
    // Modal boxes close by themselves once drawn (message boxes with OK,
    // dialogs with Cancel): nobody could answer them. Unset: on when there
    // is no real display (offscreen or dummy video, no DISPLAY).
    std::optional<bool> unattendedModals;
    int swapInterval = 1;  // of the display's context: 1 waits for the vertical blank
};

// What a turn observer learns at the start of each turn.
struct TurnInfo {
    std::uint64_t turn = 0;  // turns of this display so far, this one included
    int modalDepth = 0;      // modal boxes open (0 in the main loop)
};

class UiHost {
public:
    // Options for the next Open.
    static void SetOptions(const UiHostOptions& options);
    static const UiHostOptions& Options();

    // The open display, or null.
    static UiHost* Current();
    // Opens the display for the main window client (kept until the display
    // is deleted) with its title and requested size (CW_USEDEFAULT: the
    // display chooses). Null, with the reason in error, when SDL video, the
    // window or an OpenGL 3.3 context cannot be had, or a display is open
    // already.
    static UiHost* Open(std::unique_ptr<DisplayClient> client, const std::string& title,
                        CSize requested, std::string* error);
    // Deletes a display whose frame is gone. Call only outside its turns
    // (the message loop does, after each turn).
    static void CollectClosed();
    // Deletes the display whatever its state (end of the program or a test).
    static void Shutdown();

    ~UiHost();
    UiHost(const UiHost&) = delete;
    UiHost& operator=(const UiHost&) = delete;

    // The main window is gone: no more drawing and no more calls to its
    // client; deleted by the next CollectClosed.
    void RequestClose();
    bool IsClosing() const { return frame_ == nullptr; }
    bool IsDetached() const { return window_ == nullptr; }
    // Forgets the window, its OpenGL context and the interface's backends
    // without a call to SDL or OpenGL, for a process ending with the window
    // system possibly gone; what is left is freed without them.
    void AbandonWindowSystem();

    // The main window's size in pixels.
    CSize WindowSize() const;
    SDL_Window* NativeWindow() const { return window_; }

    // One turn (see above). idle gets whether messages were handled since
    // the last idle call and returns whether it wants another turn; null in
    // modal loops.
    using IdleHandler = std::function<bool(bool messagesHandled)>;
    void RunTurn(const IdleHandler& idle);
    void RunModal(DisplayModal& dialog);
    int ModalDepth() const { return static_cast<int>(modals_.size()); }
    // Draws and shows one frame now, without events or idle (UpdateWindow).
    void RenderNow();

    // Called at the start of every turn, main or modal (tests drive input
    // from it).
    void SetTurnObserver(std::function<void(const TurnInfo&)> observer);
    // Called after the interface is drawn and before the swap, with the
    // display's context current (screenshots read the window here).
    void SetFrameRenderedHook(std::function<void(SDL_Window*)> hook);
    // Called once, at the same point of the next drawn frame, after the
    // frame-rendered hook; hooks added while one runs wait for the frame
    // after. A detached display never calls it.
    void AddNextFrameHook(std::function<void(SDL_Window*)> hook);
    void SetSwapInterval(int interval);
    std::uint64_t TurnCount() const { return turn_; }

    // The queue of input on its way to the interface (ui_host_input_feed.h).
    struct InputFeed;

private:
    struct Modal {
        DisplayModal* dialog;
        bool closing = false;
        int framesShown = 0;
    };

    UiHost(std::unique_ptr<DisplayClient> client, SDL_Window* window, void* context);
    bool StartInterface(std::string* error);
    void StopInterface();

    void HandleEvent(const SDL_Event& event);
    void HandleWindowEvent(const SDL_Event& event);
    bool HandleFocusKey(const SDL_Event& event);
    bool HandleMenuKey(const SDL_Event& event);
    bool HandleAccelerator(const SDL_Event& event);
    bool DeferKey(const SDL_Event& event);
    void ReplayDeferredKeys();
    bool HandleCapturedMouse(const SDL_Event& event);
    void HandlePaneButton(const SDL_Event& event);
    void HandlePaneWheel(const SDL_Event& event);

    void DrawFrame();
    bool SceneHasKeyboard() const;
    void DrawMainWindow();
    void DrawMainWindowBackground(const ScreenRect& window);
    void DrawModal(std::size_t level);
    void SyncWindowState();
    void HandleDialogKeys(DisplayModal& dialog);
    void ShowMessageBox(const std::string& text, const std::string& caption, UINT type);

    std::unique_ptr<DisplayClient> client_;  // the main window's, until the display is deleted
    DisplayClient* frame_;  // client_ while the main window lives, then null
    SDL_Window* window_;  // owned; null when detached
    void* glContext_;     // SDL_GLContext, owned
    void (*bindFramebuffer_)(unsigned target, unsigned framebuffer) = nullptr;  // glBindFramebuffer
    bool interfaceStarted_ = false;  // the Dear ImGui context exists
    bool sdlBackend_ = false;        // its SDL and OpenGL backends started
    bool glBackend_ = false;
    bool presenterInstalled_ = false;  // message boxes come here
    bool unattended_ = false;
    bool popupOpen_ = false;  // a menu or modal box was open in the last frame
    bool keyTaken_ = false;   // the last key press was a command: its text is not typed
    bool shown_ = false;      // the SDL window is shown
    bool inFrame_ = false;    // between ImGui::NewFrame and the swap
    int turnDepth_ = 0;       // turns running now (nested by modal loops)
    std::string shownTitle_;
    std::uint64_t turn_ = 0;
    std::size_t dispatchedLastTurn_ = 0;
    bool idleWantedLastTurn_ = true;
    std::vector<Modal> modals_;
    // Keys that came after a mouse press before the interface settled the
    // focus: whether the scene or a text box owns them is known only after
    // the frame with the press and the one after it (which shows a box that
    // lost the focus), and at a low frame rate a click and the keys typed
    // after it arrive together.
    static constexpr int kFramesToSettleFocus = 2;
    std::vector<SDL_Event> deferredKeys_;
    int framesAfterPress_ = kFramesToSettleFocus;  // frames drawn since the press was applied
    std::unique_ptr<InputFeed> input_;
    std::function<void(const TurnInfo&)> observer_;
    std::function<void(SDL_Window*)> renderedHook_;
    std::vector<std::function<void(SDL_Window*)>> nextFrameHooks_;
};
