#include "platform/controls/PictureBox.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPointer>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <functional>

#include "platform/com/Handles.h"
#include "platform/com/RaisedError.h"
#include "platform/forms/WidgetImpl.h"
#include "platform/graphics/PictureImpl.h"
#include "platform/graphics/PngFile.h"
#include "platform/graphics/SurfaceLimits.h"

namespace ctl {

namespace {
// Which way a thin line runs along its longer side (x on ties; 0 down, 1 up, 2 right, 3 left).
// The painter draws a thin line with the way the line before it in the same call ran in mind:
// it lengthens a line that turns straight back by its first pixel, and it joins the segments
// of a polyline. Only lines running the same way come out as they would alone.
inline int RunDirection(const QPoint& a, const QPoint& b) {
    const int dx = b.x() - a.x(), dy = b.y() - a.y();
    if (std::abs(dx) < std::abs(dy)) return dy > 0 ? 0 : 1;
    return dx > 0 ? 2 : 3;
}
inline bool TurnsBack(int direction, int before) {
    return before >= 0 && (direction ^ before) == 1;
}
}  // namespace

struct PictureBox::Impl {
    QImage image;
    // The image's size in pixels of the window, asked for on every line.
    int imageW = 0, imageH = 0;
    // Device pixels per pixel of the window: on a high-density screen the image holds that many
    // more, so lines and text are drawn sharp while every coordinate keeps its meaning.
    qreal dpr = 1, screenDpr = 1;  // the image's, and the screen's it was made for
    int borderPx = 0;
    QFont font;
    // One painter stays open on the image across drawing calls (opening a painter costs far
    // more than a line); it is closed before the image is read, resized or shown.
    std::unique_ptr<QPainter> painter;
    uint32_t penColor = 0;
    int penWidth = -1;
    bool updatePending = false;
    QPointer<QWidget> window;  // null once the window is gone

    // Thin lines in the current pen wait here and reach the painter together: one call for
    // many lines costs far less than one call each, which is what plotting a long series is
    // made of. Whatever else paints, reads or reshapes the image sends them first (paint,
    // endPaint, a change of pen), so the picture is the same as drawn one by one.
    std::vector<QLine> queued;
    static constexpr size_t kMaxQueued = 4096;
    std::vector<QPoint> run;  // the polyline being gathered, kept for the next one

    QPainter& painterOpen() {
        if (!painter) {
            painter = std::make_unique<QPainter>(&image);
            penWidth = -1;
        }
        return *painter;
    }
    int queuedDirection = -1;  // of the last line queued
    void flushLines() {
        queuedDirection = -1;
        if (queued.empty()) return;
        painterOpen().drawLines(queued.data(), int(queued.size()));
        queued.clear();
    }
    void queueLine(const QLine& l) {
        // A line turning straight back waits for a call of its own, so it comes out as drawn
        // alone, wherever the calls happen to be cut.
        const int direction = RunDirection(l.p1(), l.p2());
        if (TurnsBack(direction, queuedDirection)) flushLines();
        queued.push_back(l);
        queuedDirection = direction;
        if (queued.size() >= kMaxQueued) flushLines();
    }
    QPainter& paint() {
        flushLines();
        return painterOpen();
    }
    void endPaint() {
        flushLines();
        painter.reset();
    }
    void setPen(uint32_t c, int width) {
        if (c == penColor && width == penWidth && painter) return;
        QPainter& p = paint();
        penColor = c;
        penWidth = width;
        QPen pen(ToQColor(c));
        // A thin line is one pixel of the window wide, however many device pixels that takes.
        pen.setWidth(width > 1 ? width : dpr > 1 ? 1 : 0);
        pen.setCapStyle(Qt::FlatCap);
        p.setPen(pen);
    }
    // Asks for one repaint however many drawing calls come before it.
    void invalidate() {
        if (updatePending || !window) return;
        updatePending = true;
        window->update();
    }
};

namespace {
constexpr int kBorderPx = 2;

// The window that shows the backing image and the border.
class SurfaceWidget : public QWidget {
  public:
    explicit SurfaceWidget(QWidget* parent) : QWidget(parent) {}
    PictureBox::Impl* d = nullptr;
    std::function<void()> sync;

  protected:
    void paintEvent(QPaintEvent*) override {
        if (!d) return;
        if (sync) sync();
        d->endPaint();
        d->updatePending = false;
        QPainter p(this);
        p.drawImage(d->borderPx, d->borderPx, d->image);
        if (d->borderPx > 0) {
            QRect r = rect();
            p.setPen(QColor(128, 128, 128));
            p.drawLine(r.topLeft(), r.topRight());
            p.drawLine(r.topLeft(), r.bottomLeft());
            p.setPen(QColor(255, 255, 255));
            p.drawLine(r.bottomLeft(), r.bottomRight());
            p.drawLine(r.topRight(), r.bottomRight());
            p.setPen(QColor(64, 64, 64));
            p.drawLine(r.left() + 1, r.top() + 1, r.right() - 1, r.top() + 1);
            p.drawLine(r.left() + 1, r.top() + 1, r.left() + 1, r.bottom() - 1);
        }
    }
};

// A null image when the memory cannot be had. `w` and `h` are pixels of the window; the image
// holds `dpr` device pixels for each.
QImage NewImage(int w, int h, uint32_t back, qreal dpr = 1) {
    int dw = int(std::ceil(w * dpr)), dh = int(std::ceil(h * dpr));
    LimitSurfaceSize(dw, dh);
    QImage img(dw, dh, QImage::Format_RGB32);
    if (img.isNull()) return img;
    img.setDevicePixelRatio(dpr);
    img.setDotsPerMeterX(int(std::lround(1440.0 / Widget::TwipsX() / 0.0254)));
    img.setDotsPerMeterY(int(std::lround(1440.0 / Widget::TwipsY() / 0.0254)));
    img.fill(ToQColor(back));
    return img;
}

}  // namespace

PictureBox::PictureBox(Widget& parent)
    : Widget(new SurfaceWidget(parent.qwidget())),
      d_(std::make_unique<Impl>()),
      picture_(EmptyPicture()),
      hdc_(NewHandle()) {
    static_cast<SurfaceWidget*>(qwidget())->d = d_.get();
    d_->window = qwidget();
    static_cast<SurfaceWidget*>(qwidget())->sync = [this] { syncImage(); };
    qwidget()->setAutoFillBackground(false);
    qwidget()->setAttribute(Qt::WA_OpaquePaintEvent);
    qwidget()->setMouseTracking(true);
    qwidget()->setFocusPolicy(Qt::ClickFocus);
    Widget::setBackColor(0xFFFFFF);
    Widget::setForeColor(0);
    setFont(MakeFont("MS Sans Serif", 8));
    syncImage();
}

PictureBox::~PictureBox() {
    d_->endPaint();
    if (qwidget()) static_cast<SurfaceWidget*>(qwidget())->d = nullptr;
}

void PictureBox::fontChanged() {
    d_->font = Font() ? ToQFont(*Font()) : QFont();
}

// Keeps the backing image the size of the client area; content survives a resize.
void PictureBox::syncImage() const {
    QWidget* w = qwidget();
    if (!w) return;  // the window is gone: drawing goes on in the image as it is
    d_->borderPx = border_ ? kBorderPx : 0;
    int cw = std::max(1, w->width() - 2 * d_->borderPx),
        ch = std::max(1, w->height() - 2 * d_->borderPx);
    LimitSurfaceSize(cw, ch);
    const qreal screen = std::max<qreal>(1, w->devicePixelRatioF());
    if (d_->imageW == cw && d_->imageH == ch && d_->screenDpr == screen) return;
    // Device pixels while the image stays within the limits; a larger one keeps pixels of the
    // window, so it covers as much of the window as on any screen.
    qreal dpr = screen;
    int dw = int(std::ceil(cw * dpr)), dh = int(std::ceil(ch * dpr));
    const int wantW = dw, wantH = dh;
    LimitSurfaceSize(dw, dh);
    if (dw != wantW || dh != wantH) dpr = 1;
    d_->endPaint();
    QImage img = NewImage(cw, ch, BackColor(), dpr);
    if (img.isNull()) return;  // out of memory: drawing goes on in the image it has
    // The picture is the background of the whole client area: where the box grew it shows
    // as much of it as reaches there. Over it goes the part both images share (the picture
    // and what was drawn on it), never the whole of a larger old image.
    QPainter p(&img);
    if (!picture_->isEmpty()) p.drawImage(0, 0, picture_->impl().image);
    if (!d_->image.isNull()) {
        const qreal old = d_->image.devicePixelRatio();  // the part is in the old device pixels
        p.drawImage(QPoint(0, 0), d_->image,
                    QRect(0, 0, std::min(int(std::ceil(cw * old)), d_->image.width()),
                          std::min(int(std::ceil(ch * old)), d_->image.height())));
    }
    p.end();
    d_->image = std::move(img);
    d_->imageW = cw;
    d_->imageH = ch;
    d_->dpr = dpr;
    d_->screenDpr = screen;
    w->update();
}

void PictureBox::setWidth(int twips) {
    Widget::setWidth(twips);
    syncImage();
}
void PictureBox::setHeight(int twips) {
    Widget::setHeight(twips);
    syncImage();
}

float PictureBox::ScaleWidth() const {
    return qwidget() ? float(std::max(0, qwidget()->width() - 2 * d_->borderPx) * TwipsX()) : 0.0f;
}
float PictureBox::ScaleHeight() const {
    return qwidget() ? float(std::max(0, qwidget()->height() - 2 * d_->borderPx) * TwipsY()) : 0.0f;
}

void PictureBox::setBorderStyle(int style) {
    border_ = style ? 1 : 0;
    clientOffsetPx_ = border_ ? kBorderPx : 0;
    syncImage();
    d_->invalidate();
}

void PictureBox::setFillColor(uint32_t c) {
    fill_ = c & 0xFFFFFF;
}
void PictureBox::setDrawWidth(int px) {
    drawWidth_ = std::max(1, px);
}

void PictureBox::setAutoSize(bool on) {
    autoSize_ = on;
    applyAutoSize();
}

void PictureBox::applyAutoSize() {
    if (!autoSize_ || picture_->isEmpty() || !qwidget()) return;
    int b = border_ ? kBorderPx : 0;
    qwidget()->resize(picture_->widthPx() + 2 * b, picture_->heightPx() + 2 * b);
    syncImage();
}

void PictureBox::setPicture(PicturePtr p) {
    picture_ = p ? std::move(p) : EmptyPicture();
    applyAutoSize();
    Cls();
}

void PictureBox::setBackColor(uint32_t bgr) {
    Widget::setBackColor(bgr);
    Cls();
}

void PictureBox::Cls() {
    syncImage();
    d_->endPaint();
    d_->image.fill(ToQColor(BackColor()));
    if (!picture_->isEmpty()) d_->paint().drawImage(0, 0, picture_->impl().image);
    curX_ = curY_ = 0;
    printed_.clear();
    if (recording_) ops_.push_back({DrawOp::Cls, 0, 0, 0, 0, 0, 1, {}});
    d_->invalidate();
}

namespace {
// Clips the segment a-b (pixels) to the rectangle [lo, hi] on both axes (Liang-Barsky), so far
// ends keep the segment's direction; false when nothing of it lies inside.
bool ClipSegment(double& ax, double& ay, double& bx, double& by, double loX, double loY, double hiX,
                 double hiY) {
    double t0 = 0, t1 = 1;
    const double dx = bx - ax, dy = by - ay;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {ax - loX, hiX - ax, ay - loY, hiY - ay};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double r = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, r);
        else
            t1 = std::min(t1, r);
        if (t0 > t1) return false;
    }
    const double sx = ax, sy = ay;
    ax = sx + t0 * dx;
    ay = sy + t0 * dy;
    bx = sx + t1 * dx;
    by = sy + t1 * dy;
    return true;
}
}  // namespace

namespace {
// floor(v + 0.5) without a library call: plotting a long series rounds four coordinates per
// segment. Only used on clipped coordinates, which are well inside the int range.
inline int RoundPx(double v) {
    const double r = v + 0.5;
    const int i = int(r);  // toward zero
    return i - (r < double(i) ? 1 : 0);
}
}  // namespace

void PictureBox::Line(float x1, float y1, float x2, float y2, std::optional<uint32_t> color,
                      bool box) {
    syncImage();
    uint32_t c = color ? (*color & 0xFFFFFF) : ForeColor();
    if (recording_)
        ops_.push_back({box ? DrawOp::Box : DrawOp::Line, x1, y1, x2, y2, c, drawWidth_, {}});
    paintSegment(x1, y1, x2, y2, c, box);
}

void PictureBox::paintSegment(float x1, float y1, float x2, float y2, uint32_t c, bool box) {
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2))
        return;
    curX_ = x2;
    curY_ = y2;
    // Only what can show is painted: the segment is clipped, in full precision, to a margin
    // around the image, so far-off ends neither overflow the painter nor bend the line.
    const double m = 16 + drawWidth_;
    const double loX = -m, loY = -m, hiX = d_->imageW + m, hiY = d_->imageH + m;
    static const double perTwipX = 1.0 / TwipsX(), perTwipY = 1.0 / TwipsY();
    double ax = x1 * perTwipX, ay = y1 * perTwipY;
    double bx = x2 * perTwipX, by = y2 * perTwipY;
    const bool inside = ax >= loX && ax <= hiX && bx >= loX && bx <= hiX && ay >= loY &&
                        ay <= hiY && by >= loY && by <= hiY;
    if (!inside) {
        if (box) {
            ax = std::clamp(ax, loX, hiX), bx = std::clamp(bx, loX, hiX);
            ay = std::clamp(ay, loY, hiY), by = std::clamp(by, loY, hiY);
        } else if (!ClipSegment(ax, ay, bx, by, loX, loY, hiX, hiY)) {
            return;
        }
    }
    QPoint a(RoundPx(ax), RoundPx(ay)), b(RoundPx(bx), RoundPx(by));
    d_->setPen(c, drawWidth_);
    if (!box && a != b && drawWidth_ <= 1) {
        d_->queueLine(QLine(a, b));
        d_->invalidate();
        return;
    }
    QPainter& p = d_->paint();
    if (box)
        p.drawRect(QRect(a, b).normalized().adjusted(0, 0, -1, -1));
    else if (a == b)
        p.drawPoint(a);
    else
        p.drawLine(a, b);
    d_->invalidate();
}

void PictureBox::Print(const std::string& text) {
    syncImage();
    if (recording_)
        ops_.push_back({DrawOp::Text, curX_, curY_, 0, 0, ForeColor(), drawWidth_, text});
    if (printed_.size() >= kMaxPrinted) printed_.pop_front();
    printed_.push_back({text, curX_, curY_});
    QPainter& p = d_->paint();
    p.setFont(d_->font);
    d_->setPen(ForeColor(), 1);
    QFontMetricsF fm(d_->font, &d_->image);
    double x = curX_ / TwipsX(), y = curY_ / TwipsY();
    p.drawText(QPointF(x, y + fm.ascent()), QString::fromStdString(text));
    curX_ += TextWidth(text);
    d_->invalidate();
}

float PictureBox::TextWidth(const std::string& text) const {
    QFontMetricsF fm(d_->font, &d_->image);
    double w = 0;
    for (const QString& line : QString::fromStdString(text).split('\n'))
        w = std::max(w, fm.horizontalAdvance(line));
    return float(std::round(w) * TwipsX());
}

float PictureBox::TextHeight(const std::string& text) const {
    QFontMetricsF fm(d_->font, &d_->image);
    auto lines = QString::fromStdString(text).split('\n').size();
    return float(std::round(fm.height()) * double(lines) * TwipsY());
}

uint32_t PictureBox::PixelAt(int px, int py) const {
    syncImage();
    d_->endPaint();
    // The first device pixel of the window's pixel.
    const int dx = int(px * d_->dpr), dy = int(py * d_->dpr);
    if (px < 0 || py < 0 || dx >= d_->image.width() || dy >= d_->image.height()) return 0xFFFFFFFF;
    return FromQColor(QColor(d_->image.pixel(dx, dy)));
}
int PictureBox::ImageWidthPx() const {
    syncImage();
    return int(d_->image.width() / d_->dpr);
}
int PictureBox::ImageHeightPx() const {
    syncImage();
    return int(d_->image.height() / d_->dpr);
}
double PictureBox::DevicePixelRatio() const {
    syncImage();
    return d_->image.devicePixelRatio();
}
bool PictureBox::SavePng(const std::string& path) const {
    syncImage();
    d_->endPaint();
    try {
        // Pictures are in pixels of the window on any screen.
        WritePngFile(AtWindowPixels(d_->image), path);
        return true;
    } catch (const RaisedError&) {
        return false;
    }
}

}  // namespace ctl

namespace ctl {

void PictureBox::Polyline(const double* xs, const double* ys, size_t count,
                          std::optional<uint32_t> color) {
    if (count < 2) return;
    syncImage();
    const uint32_t c = color ? (*color & 0xFFFFFF) : ForeColor();
    if (recording_)
        for (size_t i = 0; i + 1 < count; ++i)
            ops_.push_back({DrawOp::Line,
                            float(xs[i]),
                            float(ys[i]),
                            float(xs[i + 1]),
                            float(ys[i + 1]),
                            c,
                            drawWidth_,
                            {}});
    // Joined runs paint as single lines only in window pixels; on a denser image (and for wide
    // pens) each segment is painted as Line paints it.
    if (drawWidth_ > 1 || d_->dpr != 1) {
        for (size_t i = 0; i + 1 < count; ++i)
            paintSegment(float(xs[i]), float(ys[i]), float(xs[i + 1]), float(ys[i + 1]), c, false);
        return;
    }
    // Segments wholly inside the image, running the same way one after the other, go to the
    // painter as one polyline (which then paints what they would alone); any other segment
    // is painted as Line paints it.
    static const double perTwipX = 1.0 / TwipsX(), perTwipY = 1.0 / TwipsY();
    const double w = d_->imageW, h = d_->imageH;
    auto pixel = [&](size_t i, QPoint& p) {
        const double px = double(float(xs[i])) * perTwipX, py = double(float(ys[i])) * perTwipY;
        if (!(px > -1 && px < w && py > -1 && py < h)) return false;  // also not a number
        p = QPoint(RoundPx(px), RoundPx(py));
        return p.x() >= 0 && p.x() < w && p.y() >= 0 && p.y() < h;
    };
    d_->setPen(c, drawWidth_);
    std::vector<QPoint>& run = d_->run;
    run.clear();
    int runDirection = -1;
    bool painted = false;
    auto flush = [&] {
        if (run.size() >= 2) {
            d_->paint().drawPolyline(run.data(), int(run.size()));
            painted = true;
        }
        run.clear();
    };
    QPoint a, b;
    bool aInside = pixel(0, a);
    for (size_t i = 0; i + 1 < count; ++i) {
        const bool bInside = pixel(i + 1, b);
        if (aInside && bInside && a != b) {
            const int direction = RunDirection(a, b);
            if (run.empty() || direction != runDirection) {
                flush();
                run.push_back(a);
                runDirection = direction;
            }
            run.push_back(b);
            curX_ = float(xs[i + 1]);
            curY_ = float(ys[i + 1]);
        } else {
            flush();
            paintSegment(float(xs[i]), float(ys[i]), float(xs[i + 1]), float(ys[i + 1]), c, false);
        }
        a = b;
        aInside = bInside;
    }
    flush();
    if (painted) d_->invalidate();
}

}  // namespace ctl
