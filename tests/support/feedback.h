// What OpenGL really draws, through feedback mode: the polygons that a display list emits, with their
// positions, lit colours and normals.
#pragma once

#include <array>
#include <functional>
#include <vector>

struct FeedbackVertex {
    std::array<float, 3> position; // eye coordinates: object coordinates under the identity model-view
    std::array<float, 4> colour;   // the lit colour
    std::array<float, 4> normal;   // the eye-space normal, as texture coordinates in normal-map mode
};
using FeedbackPolygon = std::vector<FeedbackVertex>;

// Runs `draw` in feedback mode with an identity model-view and an orthographic projection that keeps
// coordinates within ±1000 unclipped, and returns its polygons.
std::vector<FeedbackPolygon> CaptureFeedback(const std::function<void()>& draw);
