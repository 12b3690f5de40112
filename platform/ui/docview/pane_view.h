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

#include <functional>

#include "platform/gfx/d3d9.h"
#include "platform/ui/docview/view.h"

class CPaneView : public CView {
public:
    // Returns the image to show each frame (texture 0: none, the area stays
    // black); called while drawing, so it must only read.
    using ImageSource = std::function<PresentedImage()>;

    void SetImageSource(ImageSource source) { imageSource_ = std::move(source); }
    bool HasImageSource() const { return static_cast<bool>(imageSource_); }

    bool ReceivesMouseButtons() const override { return true; }
    void Draw(DrawOrigin parentClient) override;

protected:
    CRect NonClientInsets() const override;

private:
    ImageSource imageSource_;
};
