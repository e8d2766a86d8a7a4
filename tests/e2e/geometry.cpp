// Prints the grid's geometry in logical pixels, as shell assignments, for the end-to-end script: the same
// constants the program is built with, whatever order its header keeps them in.
#include <cstdio>

#include "rows/geometry.h"

int main()
{
    std::printf("face_left=%d\nface_step=%d\nface_top=%d\nface_size=%d\ndate_line_before_face=%d\n",
                twipsToPixels(grid::left(0)), twipsToPixels(grid::kColumnStep), twipsToPixels(grid::faceTop(0)),
                twipsToPixels(grid::kFaceSize), twipsToPixels(grid::kDateLineBeforeFace));
    return 0;
}
