// Rough coastlines of the continents and larger islands, as longitude/latitude
// points in degrees (east and north positive). They are deliberately coarse:
// the pictures that use them are small.
#pragma once

#include <QPointF>

#include <vector>

namespace gen {

using Outline = std::vector<QPointF>; // x = longitude, y = latitude

std::vector<Outline> landOutlines();
std::vector<Outline> lakeOutlines(); // inland seas cut out of the land

} // namespace gen
