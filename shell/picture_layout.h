// The measures by which the loading screen and the setup dialog place their
// pictures, in the pictures' own pixels. plm-gen-pictures draws
// loader_back.jpg, loader_ball.jpg and setup.jpg to these measures, and the
// shell shows them by the same ones.
#ifndef PLM_SHELL_PICTURE_LAYOUT_H
#define PLM_SHELL_PICTURE_LAYOUT_H

#include <cstdint>

// The loading screen is designed for this size (that of its background
// picture) and scaled to the window.
const int LOADING_DESIGN_WIDTH = 1024;
const int LOADING_DESIGN_HEIGHT = 768;
// LOADING_BALL_COUNT balls, each LOADING_BALL_SIZE pixels square (the ball
// picture's size), fill one gap-free row whose first ball has its top-left
// corner at (LOADING_BALLS_LEFT, LOADING_BALLS_TOP).
const int LOADING_BALL_COUNT = 21;
const int LOADING_BALL_SIZE = 20;
const int LOADING_BALLS_LEFT = 300;
const int LOADING_BALLS_TOP = 676;

// The setup dialog's window; its picture spans the whole width above the
// mode list and buttons.
const uint32_t SETUP_DIALOG_WIDTH = 380;   // pixels
const uint32_t SETUP_DIALOG_HEIGHT = 160;  // pixels
const int SETUP_PICTURE_HEIGHT = 131;      // rows of the picture at the top

#endif
