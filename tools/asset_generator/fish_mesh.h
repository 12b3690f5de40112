#pragma once

// The triangle mesh of a fish: vertices with position, normal, texture
// coordinates and a weld id, and clockwise-wound triangles.

#include <vector>

#include "tools/asset_generator/vec3.h"

namespace assets {

struct MeshVertex {
    Vec3 position;
    Vec3 normal;     // unit; filled by ComputeNormals
    double u = 0.0;  // texture coordinates; v = 0 is the image's top row
    double v = 0.0;
    int weld = 0;  // vertices with the same weld id share one smoothed normal
};

// Indices into the vertex array. Seen from the side it faces, a, b, c run
// clockwise (the renderer culls counter-clockwise triangles).
struct Triangle {
    int a = 0;
    int b = 0;
    int c = 0;
};

struct FishMesh {
    std::vector<MeshVertex> vertices;
    std::vector<Triangle> triangles;

    int AddVertex(const MeshVertex& vertex);  // returns the new vertex's index
    void AddTriangle(int a, int b, int c);
    int NewWeld() { return nextWeld_++; }  // a fresh weld id

private:
    int nextWeld_ = 0;
};

// Each vertex normal becomes the normalised, area-weighted sum of the faces
// around every vertex of its weld group.
void ComputeNormals(FishMesh& mesh);

}  // namespace assets
