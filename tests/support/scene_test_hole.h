// A GL window under Xvfb and a small hole built in code, for the scene checks and the scene
// benchmark: an island with a wall block, surrounded by sea, with plain coloured textures.
#pragma once

#include <array>
#include <cstdint>

#include "tests/support/test_images.h"

// Opens an OpenGL window of the given size with the game's fixed GL state; false when no
// display is available.
bool openSceneWindow(int width, int height);

// A 4 x 4 texture of one colour (components 0..255).
std::uint32_t makeSolidTexture(int r, int g, int b, int a);

// Island cells (4..20 on x and z) at height 0.5 with a green floor, deep sea floor at -2.5
// elsewhere, the rim at -3.4. A wall block (object type 0, a cube model) stands on cell
// (wallX, wallZ) when wallX >= 0. The sea effect texture is blue at the given alpha.
void buildTestHole(int wallX, int wallZ, int seaAlpha);

// Sets every vertex in the rectangle [x0, x1] x [z0, z1] to height and recomputes normals.
void setVertexHeights(int x0, int z0, int x1, int z1, float height);

// Eye and target for the next frame, with target smoothing off.
void lookFrom(float ex, float ey, float ez, float tx, float ty, float tz);

// Pixel of the back buffer, (0, 0) at the bottom-left.
Pixel readPixel(int x, int y);

// Window pixel of a world point under the current matrices.
std::array<int, 2> projectToWindow(float x, float y, float z);
