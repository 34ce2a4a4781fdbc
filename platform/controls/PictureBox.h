#pragma once
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/forms/Widget.h"
#include "platform/graphics/Picture.h"

namespace ctl {

// One drawing operation, as a recording surface keeps it (coordinates in twips).
struct DrawOp {
    enum Kind { Line, Box, Text, Cls } kind;
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    uint32_t color = 0;
    int width = 1;
    std::string text;
};

// A text printed on a surface and where its pen stood (twips, from the top-left corner).
struct PrintedText {
    std::string text;
    float x = 0, y = 0;
};

// A drawing surface in twips over a persistent backing image: lines, boxes, text at the pen,
// a background picture, and the surface properties the controls use.
class PictureBox : public Widget {
  public:
    explicit PictureBox(Widget& parent);
    ~PictureBox() override;

    // Segment, or the outline of the box with these corners. The pen moves to (x2, y2).
    void Line(float x1, float y1, float x2, float y2, std::optional<uint32_t> color = {},
              bool box = false);
    // The segments between neighbouring points (twips, taken in single precision as Line takes
    // them), in one colour: the same pixels, recorded operations and pen position as a Line
    // for each, in far fewer painter calls where the pen is thin.
    void Polyline(const double* xs, const double* ys, size_t count,
                  std::optional<uint32_t> color = {});
    // Clears to the back colour and the background picture; the pen goes to (0, 0).
    void Cls();
    // Prints at the pen in ForeColor; the pen moves to the end of the text.
    void Print(const std::string& text);
    float TextWidth(const std::string& text) const;
    float TextHeight(const std::string& text) const;

    float CurrentX() const { return curX_; }
    float CurrentY() const { return curY_; }
    void setCurrentX(float x) { curX_ = x; }
    void setCurrentY(float y) { curY_ = y; }
    uint32_t FillColor() const { return fill_; }
    void setFillColor(uint32_t c);
    int DrawWidth() const { return drawWidth_; }
    void setDrawWidth(int px);
    bool AutoRedraw() const { return autoRedraw_; }
    void setAutoRedraw(bool on) { autoRedraw_ = on; }
    bool AutoSize() const { return autoSize_; }
    void setAutoSize(bool on);
    int BorderStyle() const { return border_; }
    void setBorderStyle(int style);
    bool ClipControls() const { return clip_; }
    void setClipControls(bool on) { clip_ = on; }
    PicturePtr Picture() const { return picture_; }
    void setPicture(PicturePtr p);
    void setBackColor(uint32_t bgr) override;
    void setWidth(int twips) override;
    void setHeight(int twips) override;

    // Client area in twips.
    float ScaleWidth() const;
    float ScaleHeight() const;
    int32_t hDC() const { return hdc_; }

    // The backing image: pixel colour (0x00BBGGRR) at a client pixel, its size, PNG output.
    uint32_t PixelAt(int px, int py) const;
    int ImageWidthPx() const;
    int ImageHeightPx() const;
    // Device pixels per pixel of the window (2 on a double-density screen); PixelAt, the sizes
    // above and SavePng stay in pixels of the window.
    double DevicePixelRatio() const;
    bool SavePng(const std::string& path) const;

    // The texts printed since the surface was last cleared, in printing order: what the pixels
    // say, for screen readers and script hosts. Only the latest kMaxPrinted are kept.
    static constexpr size_t kMaxPrinted = 10000;
    const std::deque<PrintedText>& Printed() const { return printed_; }

    // Recording of drawing operations, for tests and tools.
    void setRecording(bool on) { recording_ = on; }
    const std::vector<DrawOp>& ops() const { return ops_; }
    void clearOps() { ops_.clear(); }

    struct Impl;

  private:
    void paintSegment(float x1, float y1, float x2, float y2, uint32_t c, bool box);
    void syncImage() const;
    void fontChanged() override;
    void applyAutoSize();
    std::unique_ptr<Impl> d_;
    float curX_ = 0, curY_ = 0;
    uint32_t fill_ = 0;
    int drawWidth_ = 1;
    bool autoRedraw_ = false, autoSize_ = false, clip_ = true, recording_ = false;
    int border_ = 0;
    PicturePtr picture_;
    int32_t hdc_;
    std::vector<DrawOp> ops_;
    std::deque<PrintedText> printed_;
};

}  // namespace ctl
