#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/graphics/Font.h"
#include "platform/graphics/Picture.h"

class QWidget;

namespace ctl {

// Mouse buttons and shift states as the controls' events report them.
enum MouseButtonBits : int { vbLeftButton = 1, vbRightButton = 2, vbMiddleButton = 4 };
enum ShiftBits : int { vbShiftMask = 1, vbCtrlMask = 2, vbAltMask = 4 };

// Base of every window the controls place: position and size in twips relative to the parent,
// visibility, enabled state, colours, font, handle, and input events in twips.
class Widget {
  public:
    virtual ~Widget();
    Widget(const Widget&) = delete;
    Widget& operator=(const Widget&) = delete;

    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void setLeft(int twips);
    void setTop(int twips);
    virtual void setWidth(int twips);
    virtual void setHeight(int twips);
    void Move(int left, int top, int width, int height);
    // The window's rectangle on the screen, in pixels (right and bottom just outside).
    struct RectPx {
        int left, top, right, bottom;
    };
    RectPx WindowRect() const;

    bool Visible() const;  // the window's own visible flag
    void setVisible(bool on);
    bool Enabled() const;
    void setEnabled(bool on);
    uint32_t BackColor() const { return back_; }
    virtual void setBackColor(uint32_t bgr);
    // The colour the window fills its background with: its BackColor once set, else the one it
    // takes over from its parent (a button or frame on a grey dialog paints grey).
    uint32_t PaintedBackColor() const;
    uint32_t ForeColor() const { return fore_; }
    virtual void setForeColor(uint32_t bgr);
    FontPtr Font() const { return font_; }
    virtual void setFont(FontPtr f);
    std::string ToolTipText() const;
    void setToolTipText(const std::string& text);
    void ZOrderTop();
    void SetFocus();
    bool HasFocus() const;
    void Refresh();
    // Mouse moves reach onMouseMove without a button held too (hover effects).
    void setMouseTracking(bool on);
    // Mouse pointer: 0 default arrow, 99 the custom MouseIcon, other standard kinds as usual
    // (1 arrow, 2 cross, 3 I-beam, 11 hourglass).
    int MousePointer() const { return pointer_; }
    void setMousePointer(int kind);
    PicturePtr MouseIcon() const { return mouseIcon_; }
    void setMouseIcon(PicturePtr icon);

    // Design name of a child window ("txtMinX", "lstCol1a"): drivers and tests find children by
    // it, without regard to case; the platform widget behind a toolkit window, if any.
    std::string Name() const;
    void setName(const std::string& name);
    Widget* FindChild(const std::string& name) const;
    static Widget* FromQWidget(QWidget* w);
    // The window that has the keyboard focus, if it is one of ours.
    static Widget* Focused();
    // This window is `other` or one of its ancestors.
    bool Contains(const Widget& other) const;

    int32_t hWnd() const { return hwnd_; }
    // False once the window is gone (a parent window deleted it first).
    bool WindowAlive() const { return w_ != nullptr; }
    QWidget* qwidget() const { return w_; }
    // The toolkit window that takes this window's keys, mouse and focus: the window itself, or
    // an inner window that fills it (made now if it waits to be made).
    virtual QWidget* InputWindow() { return input_ ? input_ : w_; }

    // Input in twips. Keys: key codes of the window system (13 Enter, 27 Escape, 37-40 arrows,
    // 65-90 letters); KeyPress gets the character code; handlers may change their arguments.
    std::function<void(int button, int shift, float x, float y)> onMouseDown, onMouseMove,
        onMouseUp;
    std::function<void()> onClick, onDblClick, onResize, onGotFocus, onLostFocus, onPaint;
    std::function<void(int&keyCode, int&shift)> onKeyDown, onKeyUp;
    std::function<void(int& keyAscii)> onKeyPress;

    // Screen twips per pixel, read once when the platform starts.
    static int TwipsX();
    static int TwipsY();
    static int ToPxX(double twips);
    static int ToPxY(double twips);

  protected:
    explicit Widget(QWidget* w);  // takes ownership of a widget without parent, or a child
    void applyColors();
    virtual void fontChanged() {}
    // Makes `inner`, a child that fills this window, take its input: the focus goes to it, and
    // its keys, mouse and focus changes reach the callbacks above as this window's own.
    void adoptInput(QWidget* inner);
    // Undoes adoptInput before the inner window goes.
    void releaseInput();
    // Pixels between the window's corner and its client area (a border), for input positions.
    int clientOffsetPx_ = 0;
    // Buttons and check boxes raise onClick themselves (keyboard presses and code changes
    // count too), not on every mouse release.
    bool ownClick_ = false;
    // Text cells raise onGotFocus after the toolkit's own focus handling (which may select the
    // whole text), so a handler's selection stands.
    bool ownFocusIn_ = false;

  private:
    QWidget* w_;
    QWidget* input_ = nullptr;
    int32_t hwnd_;
    uint32_t back_ = 0xFFFFFF, fore_ = 0;
    bool coloured_ = false;  // the colours have reached the window
    FontPtr font_;
    int pointer_ = 0;
    PicturePtr mouseIcon_;
    void applyCursor();
    class Filter;
    std::unique_ptr<Filter> filter_;
    friend class Filter;
};

// Converts a font object to the toolkit's font (platform sources only use it).
}  // namespace ctl
