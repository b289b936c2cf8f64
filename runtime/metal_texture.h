// The sphere-map picture shared by the face and the solid pipe pieces.
#ifndef PLM_RUNTIME_METAL_TEXTURE_H
#define PLM_RUNTIME_METAL_TEXTURE_H

// GL name of "metalic.jpg", sphere-mapped onto the face and the solid pipe
// pieces; 0 = none. Made when the scene loads and deleted when it shuts down.
extern unsigned int metalTexture;

#endif
