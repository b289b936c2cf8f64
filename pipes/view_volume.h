// The view volume as six planes, for leaving out whole pieces that cannot
// reach the picture. GL-free except CurrentViewVolume and
// CurrentModelView, which read the matrices GL holds.
//
// The planes are those of clip space (-w <= x, y, z <= w) carried back
// through the projection, so they bound exactly what GL's clipping keeps,
// for any projection. A sphere that lies wholly on the outer side of one of
// them can produce no fragment: skipping it leaves every pixel as it was.
#ifndef PLM_PIPES_VIEW_VOLUME_H
#define PLM_PIPES_VIEW_VOLUME_H

// Six planes a x + b y + c z + d >= 0 (inside) in eye coordinates, and what
// it takes to tell how large a model unit appears on the screen.
struct CVIEWVOLUME {
    double planes[6][4];
    double clipW[4];    // the projection's last row: clip w of an eye point
    double pixelScale;  // pixels per clip-space y unit at w = 1 (projection y
                        // scale times half the viewport height)
};

// The volume of a column-major projection matrix (as glGetFloatv gives it)
// for a viewport viewportHeight pixels high.
CVIEWVOLUME ViewVolumeFromProjection(const float projection[16], int viewportHeight = 0);

// True when the sphere of radius (model units) about centre (model
// coordinates), placed by the column-major model-view matrix, lies wholly
// outside the volume, with a margin that makes the answer safe against
// rounding: a sphere that touches the volume is never outside. The radius
// is scaled by the matrix's largest axis stretch, so scaled matrices stay
// safe too. A plane with no direction (a degenerate projection) never
// excludes anything.
bool SphereOutsideView(const CVIEWVOLUME& volume, const float modelView[16], const float centre[3],
                       float radius);

// About how many pixels one model unit at centre spans on the screen, as
// the model-view matrix places it (its largest stretch counted); infinite
// for a point at or behind the eye plane, where nothing is small.
double PixelsPerUnit(const CVIEWVOLUME& volume, const float modelView[16], const float centre[3]);

// The volume of GL's current projection matrix and viewport.
CVIEWVOLUME CurrentViewVolume();

// GL's current model-view matrix, column-major, into matrix.
void CurrentModelView(float matrix[16]);

#endif
