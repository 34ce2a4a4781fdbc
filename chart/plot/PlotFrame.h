#pragma once

namespace karvex {

// The numbers that map the data rectangle [MinX, MaxX] x [MinY, MaxY] onto the plot area of
// the drawing surface (all in twips except the origin and ranges, which are data values).
struct PlotFrame {
    float OriginX = 0, OriginY = 0;    // data values at the left and bottom plot edges
    float SurfaceW = 0, SurfaceH = 0;  // surface client size when computed
    float PlotLeft = 0, PlotTop = 0, PlotRight = 0, PlotBottom = 0;
    float RangeX = 1, RangeY = 1;              // MaxX - MinX, MaxY - MinY (never 0)
    float ScaleFactorX = 1, ScaleFactorY = 1;  // twips per data unit
};

// What a plot frame is computed from.
struct FrameInputs {
    float MinX = 0, MaxX = 100, MinY = 0, MaxY = 100;
    float LeftScale = 480, TopScale = 240, RightScale = 480, BottomScale = 240;
    float SurfaceW = 0, SurfaceH = 0;
    int PixelW = 15, PixelH = 15;
};

// Checked form: a negative range raises 1028 (X) or 1029 (Y). Lenient form: a range that is
// not positive counts as 1.
PlotFrame ComputeFrame(const FrameInputs& in, bool checked);

// Data to surface and back, with the margins in force.
double DataToSurfaceX(const PlotFrame& f, double x, double leftScale);
double DataToSurfaceY(const PlotFrame& f, double y, double bottomScale);
double SurfaceToDataX(const PlotFrame& f, double sx, double leftScale);
double SurfaceToDataY(const PlotFrame& f, double sy, double bottomScale);

}  // namespace karvex
