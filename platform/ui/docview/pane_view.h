#pragma once

// CPaneView: a view that shows an image made elsewhere (the 3D scene) under
// a caption line holding the window text ("Scene : 60 FPS"). Its client
// area is the image area below the caption line: GetClientRect and OnSize
// report the image's size in pixels. Left-button presses in the image area
// reach OnLButtonDown and OnLButtonUp (client pixels, MK_* flags); a release
// after SetCapture on the view reaches it wherever the pointer is.
//
// As a window handle (GetSafeHwnd) the pane is what a render engine draws
// for: client size, text and the main native window (see wnd_handle.h).

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "platform/gfx/d3d9.h"
#include "platform/ui/docview/view.h"
#include "platform/ui/docview/pane_overlay.h"

class CPaneView : public CView {
public:
    // Returns the image to show each frame (texture 0: none, the area stays
    // black); called while drawing, so it must only read.
    using ImageSource = std::function<PresentedImage()>;

    void SetImageSource(ImageSource source) { imageSource_ = std::move(source); }
    bool HasImageSource() const { return static_cast<bool>(imageSource_); }

    // Panels drawn over the image, in order, until replaced (pane_overlay.h).
    void SetOverlays(std::vector<PaneOverlay> overlays) { overlays_ = std::move(overlays); }
    const std::vector<PaneOverlay>& Overlays() const { return overlays_; }

    // Shows notice after the window text in the caption line for the next
    // seconds (a later notice replaces it).
    void ShowCaptionNotice(std::string notice, double seconds);
    // The caption line as drawn now: the window text, then the notice while
    // it lasts.
    std::string CaptionText() const;

    bool ReceivesMouseButtons() const override { return true; }
    void Draw(DrawOrigin parentClient) override;

protected:
    CRect NonClientInsets() const override;

private:
    ImageSource imageSource_;
    std::vector<PaneOverlay> overlays_;
    std::string notice_;
    std::chrono::steady_clock::time_point noticeEnd_;
};
