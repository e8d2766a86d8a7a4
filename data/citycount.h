#pragma once

// The clock shows Universal Time in row 0 and one city of the city file in each of rows 1 to kCityRows.
inline constexpr int kCityRows = 59;
inline constexpr int kRows = kCityRows + 1;
