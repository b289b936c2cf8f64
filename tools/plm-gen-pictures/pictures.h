// The pictures of the data set, each made from scratch in a float canvas.
#ifndef PLM_GEN_PICTURES_H
#define PLM_GEN_PICTURES_H

#include "canvas.h"
#include "text.h"

// The two DejaVu faces all lettering uses.
struct CFONTS {
    CFONT regular;
    CFONT bold;
};

// "metalic.jpg": 256 x 256 chrome sphere map (a mirror ball in a studio).
CCanvas MakeMetalMap();
// "line_01.jpg": 256 x 16 grey rail pattern that tiles horizontally; the
// demo tints it green.
CCanvas MakeLineStrip();
// "credits.png": 256 x 256 roles and names on pure black (the black-key mask
// makes the black transparent). Drawn at 280 x 308 design units.
CCanvas MakeCredits(CFONTS& fonts);
// "greetings.jpg": 512 x 4096 column of greetings on black, drawn additively
// at 400 x 4700 design units while it scrolls up.
CCanvas MakeGreetings(CFONTS& fonts);
// "setup.jpg": 380 x 131 title banner of the setup dialog (measures of
// this and the loader pictures: shell/picture_layout.h).
CCanvas MakeSetupBanner(CFONTS& fonts);
// "loader_back.jpg": 1024 x 768 loading screen with the slot the balls fill
// (x 300..720, y 676..696).
CCanvas MakeLoaderBack(CFONTS& fonts);
// "loader_ball.jpg": 20 x 20 glowing green bead; 21 of them fill the slot.
CCanvas MakeLoaderBall();

#endif
