#pragma once

// The grid of clocks as screen readers see it: one object per face (children 0 to 59 of the grid's own,
// then its lines), named as the board describes each row, with the hover line's sentence as the description
// of the face that has the keys. Installed once, before the first grid is made.
void installClockGridAccess();
