#pragma once

// Gives the window that is about to open the game's icon: the picture of its desktop icon, the
// red dot on a white rounded tile with eight black dots around it, drawn here at 48 x 48 so that
// the program needs no file beside it. SDL 1.2 takes an icon only before the video mode is set.
// If SDL cannot make the picture, the window keeps the desktop's default icon.
void setWindowIcon();
