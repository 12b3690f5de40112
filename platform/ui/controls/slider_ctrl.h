#pragma once

// CSliderCtrl: a horizontal trackbar. The position always lies within the
// range (setting the position or the range clamps it); an empty range
// (minimum above maximum) holds the position at the minimum. Defaults as the
// classic control: range 0 to 100, position 0, tick frequency 1, line size 1,
// page size 20. With TBS_AUTOTICKS a tick is drawn every frequency
// positions, and with TBS_TOP the ticks sit above the channel.
//
// The user drags the thumb, clicks the channel to move a page toward the
// click, and, once the trackbar has the focus, uses the arrow keys (a line),
// Page Up and Page Down (a page), Home and End.
//
// The owner may watch the thumb (SetMoveHandler): it hears of every position
// set by the program or the range, of every step of a drag or channel
// click, of the release of the mouse button that ended one, and of every
// key that moved the thumb. The handler runs at once, while the interface is
// drawn: it may change window texts but must post anything larger.

#include <functional>

#include "platform/ui/windows/wnd.h"

// What moved a trackbar's thumb.
enum class SliderMove {
    Set,       // the program: SetPos or a range that clamped the position
    Drag,      // the mouse, while its button is held on the trackbar
    Released,  // the mouse button that dragged or clicked was released
    Key,       // an arrow, Page Up or Down, Home or End
};

class CSliderCtrl : public CWnd {
public:
    static constexpr int kDefaultMaximum = 100;

    // Creates the trackbar in parent's client area at rect (pixels).
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    void SetRange(int minimum, int maximum, BOOL redraw = FALSE);
    void SetRangeMin(int minimum, BOOL redraw = FALSE);
    void SetRangeMax(int maximum, BOOL redraw = FALSE);
    int GetRangeMin() const { return minimum_; }
    int GetRangeMax() const { return maximum_; }
    void GetRange(int& minimum, int& maximum) const;
    void SetPos(int position);
    int GetPos() const { return position_; }
    void SetTicFreq(int frequency) { tickFrequency_ = frequency; }
    int GetTicFreq() const { return tickFrequency_; }
    // Number of tick marks drawn (0 without TBS_AUTOTICKS or with TBS_NOTICKS).
    int GetNumTics() const;
    int SetLineSize(int size);  // returns the previous size
    int GetLineSize() const { return lineSize_; }
    int SetPageSize(int size);  // returns the previous size
    int GetPageSize() const { return pageSize_; }

    // Called with each move (see above); an empty handler removes it.
    void SetMoveHandler(std::function<void(SliderMove)> handler) { onMove_ = std::move(handler); }

    void Draw(DrawOrigin parentClient) override;
    bool UsesKeys() const override { return true; }

protected:
    bool TakeOverState(CWnd& other) override;

private:
    void Clamp();
    // Puts the thumb at position (clamped) and tells the handler how.
    void MoveThumb(int position, SliderMove how);
    void Notify(SliderMove how);
    void HandleMouse(float left, float width);
    void HandleKeys();

    int minimum_ = 0;
    int maximum_ = kDefaultMaximum;
    int position_ = 0;
    int tickFrequency_ = 1;
    int lineSize_ = 1;
    int pageSize_ = 20;
    bool dragging_ = false;
    float dragOffset_ = 0.0f;  // pointer x minus thumb centre when the drag began
    std::function<void(SliderMove)> onMove_;
};
