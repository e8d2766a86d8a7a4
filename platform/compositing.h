#pragma once

// Whether the desktop composes windows now, so that a window's transparent pixels show what lies behind it:
// always on Wayland; on X11 while a compositing manager holds the screen's _NET_WM_CM_S<n> selection; never
// elsewhere (offscreen, or when it cannot be told).
bool desktopComposesWindows();
