#include "tools/asset_generator/fin_lofter.h"

#include <cmath>
#include <numbers>

namespace assets {

namespace {

constexpr double kInset = 0.12;  // how far a fin's base sinks into the body

}  // namespace

FinLofter::FinLofter(const BodyShape& shape, LoftDetail detail)
    : shape_(shape), detail_(detail) {}

void FinLofter::AddFins(FishMesh& mesh) const {
    const FishSpecies& species = shape_.Species();
    for (const MedianFin& fin : species.dorsalFins) {
        AddMedianFin(mesh, fin, true);
    }
    for (const MedianFin& fin : species.analFins) {
        AddMedianFin(mesh, fin, false);
    }
    AddCaudalFin(mesh);
    for (double side : {1.0, -1.0}) {
        AddPairedFin(mesh, species.pectoral, side);
        AddPairedFin(mesh, species.pelvic, side);
    }
}

void FinLofter::AddSheet(FishMesh& mesh, const std::vector<Vec3>& base,
                         const std::vector<Vec3>& edge, int rows, FinKind kind) {
    const int columns = static_cast<int>(base.size());
    const double v0 = TextureLayout::BandStart(kind);
    const double v1 = TextureLayout::BandEnd(kind);
    for (int side = 0; side < 2; ++side) {
        const int first = static_cast<int>(mesh.vertices.size());
        for (int i = 0; i < columns; ++i) {
            const double s = static_cast<double>(i) / (columns - 1);
            for (int r = 0; r <= rows; ++r) {
                const double along = static_cast<double>(r) / rows;
                MeshVertex vertex;
                vertex.position = Lerp(base[i], edge[i], along);
                vertex.u = TextureLayout::kFinUStart + (1.0 - TextureLayout::kFinUStart) * along;
                vertex.v = v0 + (v1 - v0) * s;
                vertex.weld = mesh.NewWeld();
                mesh.AddVertex(vertex);
            }
        }
        for (int i = 0; i + 1 < columns; ++i) {
            for (int r = 0; r < rows; ++r) {
                const int a = first + i * (rows + 1) + r;
                const int b = a + rows + 1;  // next column
                const int c = a + 1;         // next row
                const int d = b + 1;
                if (side == 0) {
                    mesh.AddTriangle(a, b, c);
                    mesh.AddTriangle(b, d, c);
                } else {
                    mesh.AddTriangle(a, c, b);
                    mesh.AddTriangle(b, c, d);
                }
            }
        }
    }
}

double FinLofter::HeightAt(const MedianFin& fin, double s) {
    const auto& keys = fin.heights;
    if (keys.empty() || s < keys.front().s || s > keys.back().s) {
        return 0.0;
    }
    for (std::size_t i = 0; i + 1 < keys.size(); ++i) {
        if (s <= keys[i + 1].s) {
            const double span = keys[i + 1].s - keys[i].s;
            const double k = span > 0.0 ? SmoothStep((s - keys[i].s) / span) : 1.0;
            return keys[i].height + (keys[i + 1].height - keys[i].height) * k;
        }
    }
    return keys.back().height;
}

void FinLofter::AddMedianFin(FishMesh& mesh, const MedianFin& fin, bool onBack) const {
    const double up = onBack ? 1.0 : -1.0;
    const double theta = onBack ? 0.0 : std::numbers::pi;
    std::vector<Vec3> base;
    std::vector<Vec3> edge;
    const int columns = detail_.finColumns;
    for (int i = 0; i <= columns; ++i) {
        const double s = static_cast<double>(i) / columns;
        const double t = fin.start + (fin.end - fin.start) * s;
        const Vec3 root = shape_.SurfacePoint(t, theta) - Vec3{0.0, up * kInset, 0.0};
        const double height = HeightAt(fin, s) + kInset;
        base.push_back(root);
        edge.push_back(root + Vec3{0.0, up * height, -fin.rake * height});
    }
    AddSheet(mesh, base, edge, detail_.finRows, onBack ? FinKind::kDorsal : FinKind::kAnal);
}

// The tail fin's base is the vertical line through the tail root; its edge
// runs from the lower lobe tip through the notch to the upper lobe tip. A
// deeper fork pulls the middle of the edge toward the root.
void FinLofter::AddCaudalFin(FishMesh& mesh) const {
    const FishSpecies& species = shape_.Species();
    const double length = species.totalLength * (1.0 - species.bodyFraction);
    const ProfileKey root = shape_.At(1.0);
    const double rootZ = shape_.ZAt(1.0) + kInset * 3.0;
    std::vector<Vec3> base;
    std::vector<Vec3> edge;
    const int columns = detail_.finColumns;
    for (int i = 0; i <= columns; ++i) {
        const double across = 2.0 * i / columns - 1.0;  // -1 lower tip .. +1 upper tip
        const double notch = std::pow(1.0 - std::abs(across), 1.5);
        const double reach = kInset * 3.0 + length * (1.0 - species.caudal.fork * notch);
        base.push_back({0.0, root.centreY + across * root.halfHeight * 0.9, rootZ});
        edge.push_back({0.0, root.centreY + across * species.caudal.spread, rootZ - reach});
    }
    AddSheet(mesh, base, edge, detail_.caudalRows, FinKind::kCaudal);
}

// A paired fin springs from a short line along the flank and spreads
// outward, down and back; its front rays are the longest.
void FinLofter::AddPairedFin(FishMesh& mesh, const PairedFin& fin, double side) const {
    const double theta = std::acos(fin.attachHeight);
    const double angle = side > 0.0 ? theta : 2.0 * std::numbers::pi - theta;
    const double tSpan = fin.width / shape_.BodyLength();
    const Vec3 direction = Normalized({side * fin.out, -fin.down, -1.0});
    std::vector<Vec3> base;
    std::vector<Vec3> edge;
    const int columns = detail_.pairedColumns;
    for (int i = 0; i <= columns; ++i) {
        const double s = static_cast<double>(i) / columns;
        const Vec3 surface = shape_.SurfacePoint(fin.t + tSpan * s, angle);
        const Vec3 spine = shape_.SpinePoint(fin.t + tSpan * s);
        const Vec3 root = surface - Normalized(surface - spine) * kInset;
        const double reach =
            fin.length * (1.0 - 0.55 * s) * (0.7 + 0.3 * std::sin(std::numbers::pi * s));
        base.push_back(root);
        edge.push_back(root + direction * (reach + kInset));
    }
    AddSheet(mesh, base, edge, detail_.finRows, FinKind::kPaired);
}

}  // namespace assets
