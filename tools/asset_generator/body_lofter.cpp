#include "tools/asset_generator/body_lofter.h"

#include <numbers>

#include "tools/asset_generator/fin_lofter.h"
#include "tools/asset_generator/texture_layout.h"

namespace assets {

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

}  // namespace

BodyLofter::BodyLofter(const BodyShape& shape, LoftDetail detail)
    : shape_(shape), detail_(detail) {}

FishMesh BodyLofter::Build() const {
    FishMesh mesh;
    AddBody(mesh);
    FinLofter(shape_, detail_).AddFins(mesh);
    ComputeNormals(mesh);
    return mesh;
}

// Rings 1..rings each hold segments + 1 vertices: the first and the last sit
// on the dorsal seam with v = 0 and v = 1 and share a weld id, so the seam is
// smooth in shape and the texture wraps once around the body.
void BodyLofter::AddBody(FishMesh& mesh) const {
    const int firstRing = static_cast<int>(mesh.vertices.size());
    const int rings = detail_.rings;
    const int segments = detail_.segments;
    const int stride = segments + 1;
    for (int ring = 1; ring <= rings; ++ring) {
        const double t = static_cast<double>(ring) / rings;
        const int seamWeld = mesh.NewWeld();
        for (int j = 0; j <= segments; ++j) {
            const double v = static_cast<double>(j) / segments;
            MeshVertex vertex;
            vertex.position = shape_.SurfacePoint(t, kTwoPi * v);
            vertex.u = TextureLayout::kBodyUEnd * t;
            vertex.v = v;
            vertex.weld = (j == 0 || j == segments) ? seamWeld : mesh.NewWeld();
            mesh.AddVertex(vertex);
        }
    }
    // Along a ring the angle runs from the back down the right flank; from
    // one ring to the next the body runs toward -z. (a, b, c) with b the next
    // angle and c the next ring therefore turns clockwise seen from outside.
    for (int ring = 0; ring + 1 < rings; ++ring) {
        for (int j = 0; j < segments; ++j) {
            const int a = firstRing + ring * stride + j;
            const int b = a + 1;
            const int c = a + stride;
            const int d = c + 1;
            mesh.AddTriangle(a, b, c);
            mesh.AddTriangle(b, d, c);
        }
    }
    AddSnout(mesh, firstRing);
    AddTailCap(mesh, firstRing + (rings - 1) * stride);
}

// The snout tip is one position but one vertex per segment, each with the v
// of its segment's middle, so the fan does not smear the texture.
void BodyLofter::AddSnout(FishMesh& mesh, int firstRing) const {
    const int segments = detail_.segments;
    const int tipWeld = mesh.NewWeld();
    for (int j = 0; j < segments; ++j) {
        MeshVertex tip;
        tip.position = shape_.SpinePoint(0.0);
        tip.u = 0.0;
        tip.v = (j + 0.5) / segments;
        tip.weld = tipWeld;
        const int t = mesh.AddVertex(tip);
        mesh.AddTriangle(t, firstRing + j + 1, firstRing + j);
    }
}

// A flat cap facing -z closes the body at the tail root, behind which the
// tail fin stands. Its vertices are copies of the last ring with welds of
// their own, so the cap's edge stays sharp.
void BodyLofter::AddTailCap(FishMesh& mesh, int lastRing) const {
    MeshVertex centre;
    centre.position = shape_.SpinePoint(1.0);
    centre.u = TextureLayout::kBodyUEnd;
    centre.v = 0.5;
    centre.weld = mesh.NewWeld();
    const int middle = mesh.AddVertex(centre);
    const int capWeld = centre.weld;
    const int segments = detail_.segments;
    int previous = -1;
    for (int j = 0; j <= segments; ++j) {
        MeshVertex rim = mesh.vertices[lastRing + j];
        rim.weld = capWeld;
        const int current = mesh.AddVertex(rim);
        if (previous >= 0) {
            mesh.AddTriangle(middle, previous, current);
        }
        previous = current;
    }
}

}  // namespace assets
