// Captures what OpenGL draws, in object coordinates, through feedback mode: the primitives a display list or
// a drawing routine really emits, with their lit colours, texture coordinates or normals.
#pragma once

#include <array>
#include <functional>
#include <vector>

struct FeedbackVertex {
    std::array<float, 3>
        position;                // object coordinates (the model-view matrix is the identity while capturing)
    std::array<float, 4> colour; // the lit colour
    std::array<float, 4> texture; // texture coordinates, or the normal when captured with normals
};

struct FeedbackPolygon {
    std::vector<FeedbackVertex> vertices;
};

enum class FeedbackTexture { Coordinates, Normals };

// Runs `draw` in feedback mode with identity transforms and a projection that keeps coordinates within
// ±1000 unclipped, and returns its polygons. With FeedbackTexture::Normals the texture coordinates reported
// are the eye-space normals (texture generation in normal-map mode), which are the object normals here.
std::vector<FeedbackPolygon> CaptureFeedback(const std::function<void()>& draw,
                                             FeedbackTexture texture = FeedbackTexture::Coordinates);

// The polygons' distinct vertex positions, in order of first appearance, within `tolerance`.
std::vector<std::array<float, 3>> DistinctPositions(const std::vector<FeedbackPolygon>& polygons,
                                                    float tolerance = 1e-3f);
