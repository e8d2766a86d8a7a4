#pragma once

#include <cmath>

// A place on the Earth, in degrees: north and east positive.
struct Coordinates
{
    double latitude = 0;
    double longitude = 0;

    // Finite, the latitude within ±90 and the longitude within ±180.
    bool isValid() const
    {
        return std::isfinite(latitude) && std::isfinite(longitude) && std::abs(latitude) <= 90.0 &&
               std::abs(longitude) <= 180.0;
    }
    friend bool operator==(const Coordinates&, const Coordinates&) = default;
};
