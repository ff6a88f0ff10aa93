// What OpenGL really draws, through feedback mode: the polygons that a display list or a frame emits, with
// their positions, lit colours and texture coordinates or normals.
#pragma once

#include <array>
#include <functional>
#include <vector>

struct FeedbackVertex {
    std::array<float, 3> position; // eye coordinates: object coordinates under the identity model-view
    std::array<float, 4> colour;   // the lit colour
    std::array<float, 4> texture;  // texture coordinates, or the eye-space normal when captured with normals
};
using FeedbackPolygon = std::vector<FeedbackVertex>;

enum class FeedbackTexture { Coordinates, Normals };

// Runs `draw` in feedback mode with an identity model-view and an orthographic projection that keeps
// coordinates within ±1000 unclipped, and returns its polygons. With FeedbackTexture::Normals the texture
// coordinates are the eye-space normals (texture generation in normal-map mode).
std::vector<FeedbackPolygon> CaptureFeedback(const std::function<void()>& draw,
                                             FeedbackTexture texture = FeedbackTexture::Coordinates);

// The distinct vertex positions of `polygons`, in order of first appearance, within 0.001.
std::vector<std::array<float, 3>> DistinctPositions(const std::vector<FeedbackPolygon>& polygons);
