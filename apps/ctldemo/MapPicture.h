#pragma once
// The background picture of the map page: a small coastal region with roads, a river, towns
// and a grid, painted once into the demo's data folder.
#include <QPointF>
#include <QString>
#include <vector>

namespace demo {

// Writes the picture to `path` (PNG) unless it is there already; false when it cannot.
bool EnsureMapPicture(const QString& path);

// Points along the picture's main road from Sarsina to Corte Alta, in pixels of the picture.
std::vector<QPointF> MainRoadRoute(int points);
// Points along the river from the lake to the sea, in pixels of the picture.
std::vector<QPointF> RiverRoute(int points);

}  // namespace demo
