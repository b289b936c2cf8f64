// The image names of devil.dll and the bound image, as DevIL keeps them.
// Name 0 is the default image, which always exists. ilGenImages hands out
// unused non-zero names, each a new 1 x 1 grey image; binding a name that
// is not in use creates its image; deleting the bound image binds the
// default image again. Not thread-safe (neither is DevIL).
#ifndef PLM_IMAGING_IMAGE_NAMES_H
#define PLM_IMAGING_IMAGE_NAMES_H

#include "il_image.h"

// Writes count new names to names (nothing for count <= 0 or a null array).
void GenerateImageNames(int count, unsigned int* names);
// Makes name's image the bound one, creating it when the name is unused.
void BindImageName(unsigned int name);
// Frees the images of count names; 0 and unused names are skipped.
void DeleteImageNames(int count, const unsigned int* names);
// The bound image (never null).
CILIMAGE* BoundImage();
// Drops every image and binds a fresh default image (ilInit).
void ResetImageNames();

#endif
