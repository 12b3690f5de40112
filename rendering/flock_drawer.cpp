#include "rendering/flock_drawer.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstring>

#include "simulation/entity.h"
#include "simulation/group.h"
#include "simulation/world.h"

namespace RenderLib {

namespace {

// A plane a·x + b·y + c·z + d ≥ 0 on the inner side, normalised.
using Plane = std::array<float, 4>;

// The six clip planes of view × projection (row vectors, depth 0..w): a
// point p is inside when 0 ≤ z' ≤ w' and |x'|, |y'| ≤ w' for (x', y', z',
// w') = (p, 1) · M.
std::array<Plane, 6> ViewPlanes(const D3DMATRIX& view, const D3DMATRIX& projection) {
    D3DMATRIX m;
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) {
                sum += view.m[row][k] * projection.m[k][column];
            }
            m.m[row][column] = sum;
        }
    }
    const auto column = [&m](int c) { return Plane{m.m[0][c], m.m[1][c], m.m[2][c], m.m[3][c]}; };
    const auto combine = [](const Plane& a, const Plane& b, float sign) {
        return Plane{a[0] + sign * b[0], a[1] + sign * b[1], a[2] + sign * b[2],
                     a[3] + sign * b[3]};
    };
    const Plane x = column(0), y = column(1), z = column(2), w = column(3);
    std::array<Plane, 6> planes = {
        combine(w, x, 1.0f), combine(w, x, -1.0f), combine(w, y, 1.0f), combine(w, y, -1.0f), z,
        combine(w, z, -1.0f)};
    for (Plane& plane : planes) {
        const float length =
            std::sqrt(plane[0] * plane[0] + plane[1] * plane[1] + plane[2] * plane[2]);
        if (length > 0.0f) {
            for (float& value : plane) {
                value /= length;
            }
        }
    }
    return planes;
}

// Whether the sphere (centre in model space, posed by world, which only
// rotates and translates) reaches inside every plane.
bool SphereInView(const std::array<Plane, 6>& planes, const float centre[3], float radius,
                  const D3DMATRIX& world) {
    float at[3];
    for (int axis = 0; axis < 3; ++axis) {
        at[axis] = centre[0] * world.m[0][axis] + centre[1] * world.m[1][axis] +
                   centre[2] * world.m[2][axis] + world.m[3][axis];
    }
    for (const Plane& plane : planes) {
        if (plane[0] * at[0] + plane[1] * at[1] + plane[2] * at[2] + plane[3] < -radius) {
            return false;
        }
    }
    return true;
}

// The squared distance from the eye to a world-space point: the view matrix
// only rotates and translates, so it is the point's squared length in view
// space.
float SquaredEyeDistance(const D3DMATRIX& view, const D3DMATRIX& world) {
    float sum = 0.0f;
    for (int axis = 0; axis < 3; ++axis) {
        const float at = world.m[3][0] * view.m[0][axis] + world.m[3][1] * view.m[1][axis] +
                         world.m[3][2] * view.m[2][axis] + view.m[3][axis];
        sum += at * at;
    }
    return sum;
}

// Slack on the sphere from the model's bounds: the swimming pose bends the
// body away from the pose the bounds were taken in.
constexpr float kBoundsSlack = 1.25f;

}  // namespace

CFlockDrawer::~CFlockDrawer() {
    Release();
}

void CFlockDrawer::Release() {
    SafeRelease(instances_);
    capacity_ = 0;
    batches_.clear();
}

void CFlockDrawer::SetLowDetail(CRenderObject* full, CRenderObject* low) {
    for (auto& [model, standIn] : lowDetails_) {
        if (model == full) {
            standIn = low;
            return;
        }
    }
    lowDetails_.emplace_back(full, low);
    for (Batch& batch : batches_) {
        batch.lowDetail = LowDetailFor(batch.object);
    }
}

CRenderObject* CFlockDrawer::LowDetailFor(const CRenderObject* object) const {
    for (const auto& [model, low] : lowDetails_) {
        if (model == object) {
            return low;
        }
    }
    return nullptr;
}

CFlockDrawer::Batch& CFlockDrawer::BatchFor(CRenderObject* object) {
    for (Batch& batch : batches_) {
        if (batch.object == object) {
            return batch;
        }
    }
    Batch& batch = batches_.emplace_back();
    batch.object = object;
    batch.lowDetail = LowDetailFor(object);
    float box[6];
    if (SUCCEEDED(object->GetBounds(box))) {
        float halfDiagonal = 0.0f;
        for (int axis = 0; axis < 3; ++axis) {
            batch.centre[axis] = (box[axis] + box[axis + 3]) * 0.5f;
            const float half = (box[axis + 3] - box[axis]) * 0.5f;
            halfDiagonal += half * half;
        }
        batch.radius = std::sqrt(halfDiagonal) * kBoundsSlack;
    }
    return batch;
}

void CFlockDrawer::Draw(IDirect3DDevice9* device, cWorld& world) {
    drawn_ = lowDetail_ = culled_ = 0;
    if (device == nullptr) {
        return;
    }
    D3DMATRIX view;
    D3DMATRIX projection;
    device->GetTransform(D3DTS_VIEW, &view);
    device->GetTransform(D3DTS_PROJECTION, &projection);
    const std::array<Plane, 6> planes = ViewPlanes(view, projection);
    for (Batch& batch : batches_) {
        batch.visible.clear();
    }
    constexpr float kSquaredSwitch = kLowDetailDistance * kLowDetailDistance;
    UINT candidates = 0;  // sizes the buffer, so that culling does not resize it
    for (cGroup* group : world.groups) {
        for (cEntity* fish : group->members) {
            if (fish->model == nullptr || fish->model->object == nullptr ||
                dynamic_cast<cPlayerEntity*>(fish) != nullptr) {
                continue;
            }
            ++candidates;
            CModelInstance& model = *fish->model;
            model.world = TransformFromRotationTranslation(fish->orientation, fish->position);
            Batch& batch = BatchFor(model.object);
            if (batch.radius >= 0.0f &&
                !SphereInView(planes, batch.centre, batch.radius, model.world)) {
                ++culled_;
                continue;
            }
            const float squaredDistance = SquaredEyeDistance(view, model.world);
            batch.visible.push_back({model.world,
                                     {squaredDistance, candidates - 1},
                                     batch.lowDetail != nullptr &&
                                         !(squaredDistance <= kSquaredSwitch)});
        }
    }
    SplitByDetail();
    UINT total = 0;
    for (const Batch& batch : batches_) {
        total += static_cast<UINT>(batch.worlds.size() + batch.farWorlds.size());
    }
    if (total == 0 || !ReserveInstances(device, candidates) || !WriteInstances(total)) {
        return;
    }
    UINT first = 0;
    for (Batch& batch : batches_) {
        const auto nearCount = static_cast<UINT>(batch.worlds.size());
        const auto farCount = static_cast<UINT>(batch.farWorlds.size());
        DrawInstances(device, batch.object, first, nearCount);
        DrawInstances(device, batch.lowDetail, first + nearCount, farCount);
        first += nearCount + farCount;
        lowDetail_ += farCount;
    }
    device->SetStreamSourceFreq(0, 1);
    device->SetStreamSourceFreq(kInstanceStream, 1);
    device->SetStreamSource(kInstanceStream, nullptr, 0, 0);
}

CFlockDrawer::NearKey CFlockDrawer::FullDetailCutoff() {
    nearKeys_.clear();
    for (const Batch& batch : batches_) {
        for (const Visible& fish : batch.visible) {
            if (batch.lowDetail != nullptr && !fish.distant) {
                nearKeys_.push_back(fish.key);
            }
        }
    }
    if (nearKeys_.size() <= kFullDetailFish) {
        return {HUGE_VALF, UINT_MAX};
    }
    const auto last = nearKeys_.begin() + (kFullDetailFish - 1);
    std::nth_element(nearKeys_.begin(), last, nearKeys_.end());
    return *last;
}

// Sorts each batch's fish in view into its full and low-detail instances,
// each in world order.
void CFlockDrawer::SplitByDetail() {
    const NearKey cutoff = FullDetailCutoff();
    for (Batch& batch : batches_) {
        batch.worlds.clear();
        batch.farWorlds.clear();
        for (const Visible& fish : batch.visible) {
            const bool full =
                !fish.distant && (batch.lowDetail == nullptr || !(cutoff < fish.key));
            (full ? batch.worlds : batch.farWorlds).push_back(fish.world);
        }
    }
}

// Draws count instances of object, from the first-th matrix of the buffer on.
void CFlockDrawer::DrawInstances(IDirect3DDevice9* device, CRenderObject* object, UINT first,
                                 UINT count) {
    if (count == 0) {
        return;
    }
    device->SetStreamSource(kInstanceStream, instances_, first * kInstanceMatrixBytes,
                            kInstanceMatrixBytes);
    device->SetStreamSourceFreq(0, D3DSTREAMSOURCE_INDEXEDDATA | count);
    device->SetStreamSourceFreq(kInstanceStream, D3DSTREAMSOURCE_INSTANCEDATA | 1);
    object->Render(device, 1, 1);
    drawn_ += count;
}

bool CFlockDrawer::ReserveInstances(IDirect3DDevice9* device, UINT count) {
    if (count <= capacity_ && instances_ != nullptr) {
        return true;
    }
    SafeRelease(instances_);
    capacity_ = 0;
    IDirect3DVertexBuffer9* buffer = nullptr;
    if (FAILED(device->CreateVertexBuffer(count * kInstanceMatrixBytes, D3DUSAGE_WRITEONLY, 0,
                                          D3DPOOL_MANAGED, &buffer, nullptr))) {
        return false;
    }
    instances_ = buffer;
    capacity_ = count;
    return true;
}

bool CFlockDrawer::WriteInstances(UINT total) {
    void* data = nullptr;
    if (FAILED(instances_->Lock(0, total * kInstanceMatrixBytes, &data, 0))) {
        return false;
    }
    auto* out = static_cast<unsigned char*>(data);
    for (const Batch& batch : batches_) {
        for (const std::vector<D3DMATRIX>* worlds : {&batch.worlds, &batch.farWorlds}) {
            const std::size_t bytes = worlds->size() * sizeof(D3DMATRIX);
            if (bytes != 0) {
                std::memcpy(out, worlds->data(), bytes);
                out += bytes;
            }
        }
    }
    instances_->Unlock();
    return true;
}

}  // namespace RenderLib
