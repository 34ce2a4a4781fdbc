#include "chart/plot/PlotFrame.h"

#include "platform/com/RaisedError.h"

namespace karvex {

namespace {
float Range(float min, float max, bool checked, int error, const char* text) {
    float r = max - min;
    if (checked && r < 0) ctl::Raise(error, text);
    return r > 0 ? r : 1;
}

float Factor(double extent, float range) {
    float f = float(extent / range);
    return f == 0 ? 1 : f;
}
}  // namespace

PlotFrame ComputeFrame(const FrameInputs& in, bool checked) {
    PlotFrame f;
    f.OriginX = in.MinX;
    f.OriginY = in.MinY;
    f.SurfaceW = in.SurfaceW;
    f.SurfaceH = in.SurfaceH;
    f.PlotLeft = in.LeftScale;
    f.PlotTop = in.TopScale;
    // A zero margin would put the border line just outside the surface: keep it one pixel in.
    f.PlotRight = f.SurfaceW - in.RightScale;
    if (f.PlotRight == f.SurfaceW) f.PlotRight -= float(in.PixelW);
    f.PlotBottom = f.SurfaceH - in.BottomScale;
    if (f.PlotBottom == f.SurfaceH) f.PlotBottom -= float(in.PixelH);
    f.RangeX =
        Range(in.MinX, in.MaxX, checked, 1028, "The property value of MinX is greater than MaxX");
    f.RangeY =
        Range(in.MinY, in.MaxY, checked, 1029, "The property value of MinY is greater than MaxY");
    f.ScaleFactorX = Factor(double(f.SurfaceW) - in.LeftScale - in.RightScale, f.RangeX);
    f.ScaleFactorY = Factor(double(f.SurfaceH) - in.TopScale - in.BottomScale, f.RangeY);
    return f;
}

double DataToSurfaceX(const PlotFrame& f, double x, double leftScale) {
    return (x - f.OriginX) * f.ScaleFactorX + leftScale;
}

double DataToSurfaceY(const PlotFrame& f, double y, double bottomScale) {
    return f.SurfaceH - ((y - f.OriginY) * f.ScaleFactorY + bottomScale);
}

double SurfaceToDataX(const PlotFrame& f, double sx, double leftScale) {
    return (sx - leftScale) / f.ScaleFactorX + f.OriginX;
}

double SurfaceToDataY(const PlotFrame& f, double sy, double bottomScale) {
    return (f.SurfaceH - sy - bottomScale) / f.ScaleFactorY + f.OriginY;
}

}  // namespace karvex
