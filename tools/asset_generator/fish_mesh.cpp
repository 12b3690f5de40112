#include "tools/asset_generator/fish_mesh.h"

#include <map>

namespace assets {

int FishMesh::AddVertex(const MeshVertex& vertex) {
    vertices.push_back(vertex);
    return static_cast<int>(vertices.size()) - 1;
}

void FishMesh::AddTriangle(int a, int b, int c) {
    triangles.push_back({a, b, c});
}

void ComputeNormals(FishMesh& mesh) {
    // Ordered map: the sums are formed in the same order on every run.
    std::map<int, Vec3> sums;
    for (const Triangle& tri : mesh.triangles) {
        const Vec3& a = mesh.vertices[tri.a].position;
        const Vec3& b = mesh.vertices[tri.b].position;
        const Vec3& c = mesh.vertices[tri.c].position;
        const Vec3 face = Cross(b - a, c - a);  // length = twice the area
        for (int index : {tri.a, tri.b, tri.c}) {
            sums[mesh.vertices[index].weld] += face;
        }
    }
    for (MeshVertex& vertex : mesh.vertices) {
        vertex.normal = Normalized(sums[vertex.weld]);
    }
}

}  // namespace assets
