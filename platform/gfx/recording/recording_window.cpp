#include "platform/gfx/recording/recording_window.h"

#include <utility>

#include "platform/gfx/recording/call_line.h"

namespace {

const char* StyleName(WindowStyle style) {
    return style == WindowStyle::Popup ? "Popup" : "Overlapped";
}

}  // namespace

RecordingWindow::RecordingWindow(int width, int height, std::string text)
    : windowRect_{0, 0, width, height}, text_(std::move(text)) {}

void RecordingWindow::SetClientSize(int width, int height) {
    windowRect_.right = windowRect_.left + width;
    windowRect_.bottom = windowRect_.top + height;
}

RECT RecordingWindow::GetClientRect() const {
    return {0, 0, windowRect_.right - windowRect_.left, windowRect_.bottom - windowRect_.top};
}

RECT RecordingWindow::GetWindowRect() const {
    return windowRect_;
}

void RecordingWindow::SetText(const std::string& text) {
    Record("SetText(" + text + ")");
    texts.push_back(text);
    text_ = text;
}

void RecordingWindow::SetStyle(WindowStyle style) {
    Record(std::string("SetStyle(") + StyleName(style) + ")");
    styles.push_back(style);
    style_ = style;
}

void RecordingWindow::RemoveMenu() {
    Record("RemoveMenu()");
    ++menuRemovals;
    hasMenu = false;
}

void RecordingWindow::SetPlacement(int x, int y, int width, int height) {
    Record(FormatCall("SetPlacement", x, y, width, height));
    windowRect_ = {x, y, x + width, y + height};
    placements.push_back(windowRect_);
}

void RecordingWindow::Record(std::string line) {
    if (log_ != nullptr) {
        log_->Add(line);
    }
    calls.push_back(std::move(line));
}
