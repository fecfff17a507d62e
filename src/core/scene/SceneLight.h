#pragma once

#include "model/BlockModel.h"

namespace vesk {

// The light a 3D view shades a block with: the sun from one direction and
// ambient light from everywhere. Level ground in the sun shows its own colour,
// as an ortho image, a picture of the ground by day, already does; a surface
// turned away from the sun shows the ambient share of it.
struct SceneLight {
    // Degrees anticlockwise from east, as the preview's camera turns: the
    // south-west, turned a little toward the south, so that the two sides of
    // a building seen from the camera's first place, the south-west, differ.
    float azimuthDegrees = 240.0f;
    float elevationDegrees = 45.0f;
    float ambient = 0.45f;

    // Unit length, from the ground toward the sun.
    Vec3 TowardSun() const;
    // The share of its own colour a surface with that unit normal shows, from
    // the ambient share up to all of it.
    float Share(const Vec3& normal) const;
};

}  // namespace vesk
