// The device drawing for a pane of another window: the owner's context is
// current at creation, the device presents by finishing its work, and the
// owner reads the presented image through its own, sharing context.

#include <cstdint>
#include <vector>

#include <SDL.h>
#include <epoxy/gl.h>
#include <gtest/gtest.h>

#include "opengl_test_support.h"
#include "platform/window/window.h"

namespace {

// A pane inside window: same native window, the owner shows the image.
class PaneWindow : public Window {
public:
    explicit PaneWindow(Window* owner) : owner_(owner) {}
    RECT GetClientRect() const override { return {0, 0, 32, 16}; }
    RECT GetWindowRect() const override { return {0, 0, 32, 16}; }
    void SetText(const std::string& text) override { text_ = text; }
    std::string GetText() const override { return text_; }
    WindowStyle GetStyle() const override { return WindowStyle::Overlapped; }
    void SetStyle(WindowStyle) override {}
    void RemoveMenu() override {}
    void SetPlacement(int, int, int, int) override {}
    void* GetNativeWindow() const override { return owner_->GetNativeWindow(); }
    bool ShowsPresentedImage() const override { return false; }

private:
    Window* owner_;
    std::string text_;
};

class OpenGLPaneTest : public OpenGLFixture {
protected:
    void SetUp() override {
        OpenGLFixture::SetUp();
        native_ = static_cast<SDL_Window*>(window_->GetNativeWindow());
        ownerContext_ = SDL_GL_CreateContext(native_);
        ASSERT_NE(ownerContext_, nullptr) << SDL_GetError();
    }
    void TearDown() override {
        SafeRelease(device_);
        SDL_GL_DeleteContext(ownerContext_);
        OpenGLFixture::TearDown();
    }

    SDL_Window* native_ = nullptr;
    SDL_GLContext ownerContext_ = nullptr;
};

TEST_F(OpenGLPaneTest, OwnerSeesThePresentedImageInItsOwnContext) {
    PaneWindow pane(window_);
    D3DPRESENT_PARAMETERS parameters = WindowedParameters();
    ASSERT_EQ(SDL_GL_MakeCurrent(native_, ownerContext_), 0);
    ASSERT_EQ(direct3D_->CreateDevice(0, D3DDEVTYPE_HAL, &pane, D3DCREATE_HARDWARE_VERTEXPROCESSING,
                                      &parameters, &device_),
              D3D_OK);
    EXPECT_EQ(parameters.BackBufferWidth, 32u);  // the pane's client size
    EXPECT_EQ(parameters.BackBufferHeight, 16u);
    ASSERT_EQ(device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF10C020, 1.0f, 0), D3D_OK);
    ASSERT_EQ(device_->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
    const PresentedImage image = device_->GetPresentedImage();
    ASSERT_NE(image.texture, 0u);

    ASSERT_EQ(SDL_GL_MakeCurrent(native_, ownerContext_), 0);
    std::vector<std::uint8_t> pixels(std::size_t{image.width} * image.height * 4);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(image.texture));
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_EQ(pixels[0], 0x10);
    EXPECT_EQ(pixels[1], 0xC0);
    EXPECT_EQ(pixels[2], 0x20);
    EXPECT_EQ(pixels[3], 0xFF);
}

}  // namespace
