// The arena's set-up: construction, resources (fish models, sky box) and the
// scene (behaviours, player, flock), and the teardown in reverse.

#include <algorithm>
#include <cstring>
#include <string>

#include "framework/media_search.h"
#include "platform/d3dx/d3dx_load_failure.h"
#include "platform/d3dx/d3dx_texture.h"
#include "platform/window/system.h"
#include "rendering/flocking_arena_render_engine.h"
#include "rendering/player_link.h"
#include "simulation/entity.h"
#include "simulation/group.h"
#include "simulation/population.h"
#include "simulation/random_source.h"

namespace RenderLib {

const std::array<const char*, CFlockingArenaRenderEngine::kSkyBoxFaces>
    CFlockingArenaRenderEngine::kSkyBoxFiles = {
        "Data\\Textures\\SkyBox_Front.jpg", "Data\\Textures\\SkyBox_Back.jpg",
        "Data\\Textures\\SkyBox_Left.jpg",  "Data\\Textures\\SkyBox_Right.jpg",
        "Data\\Textures\\SkyBox_Top.jpg",   "Data\\Textures\\SkyBox_Bottom.jpg",
};

namespace {

constexpr DWORD kSkyBoxFormat = D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1;  // 0x142

struct SkyBoxVertex {
    float x, y, z;
    D3DCOLOR colour;
    float u, v;
};
static_assert(sizeof(SkyBoxVertex) == 24);

// Faces in the order Front, Back, Left, Right, Top, Bottom; corners at
// (u, v) = (0, 0), (1, 0), (1, 1), (0, 1). The cube is seen from inside.
constexpr float kCorners[6][4][3] = {
    {{-10, 10, 10}, {10, 10, 10}, {10, -10, 10}, {-10, -10, 10}},
    {{10, 10, -10}, {-10, 10, -10}, {-10, -10, -10}, {10, -10, -10}},
    {{-10, 10, -10}, {-10, 10, 10}, {-10, -10, 10}, {-10, -10, -10}},
    {{10, 10, 10}, {10, 10, -10}, {10, -10, -10}, {10, -10, 10}},
    {{-10, 10, -10}, {10, 10, -10}, {10, 10, 10}, {-10, 10, 10}},
    {{-10, -10, 10}, {10, -10, 10}, {10, -10, -10}, {-10, -10, -10}},
};
constexpr float kCornerUv[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};

}  // namespace

CFlockingArenaRenderEngine::CFlockingArenaRenderEngine() { clearColor = kFogColor; }

CFlockingArenaRenderEngine::CFlockingArenaRenderEngine(Clock& clock) : CRenderEngine(clock) {
    clearColor = kFogColor;
}

// Drawables and behaviours go first (last first), then the members in
// reverse order: the world with every group and entity, the sky box, the
// three meshes and the player with its camera. The base destructor then
// unbinds and releases the device.
CFlockingArenaRenderEngine::~CFlockingArenaRenderEngine() {
    while (!fishModels.empty()) {
        delete fishModels.back();
        fishModels.pop_back();
    }
    while (!behaviors.empty()) {
        delete behaviors.back();
        behaviors.pop_back();
    }
    ReleaseSkyBoxTextures();
}

// Every data file is attempted even after one fails, so that one message
// names every file that is missing or damaged.
bool CFlockingArenaRenderEngine::CreateResources(UINT reserved) {
    if (!CRenderEngine::CreateResources(reserved)) {
        return false;
    }
    std::vector<DataFileFailure> failures;
    const auto load = [&](CHierarchyModel& mesh, const char* fileName) {
        mesh.Load(device, fileName);
        failures.insert(failures.end(), mesh.LoadFailures().begin(), mesh.LoadFailures().end());
    };
    load(pikeMesh, "Data\\Models\\northernpike.x");
    playerModel.object = &pikeMesh;
    player.model = &playerModel;
    load(bluegillMesh, "Data\\Models\\bluegill.x");
    load(blackbassMesh, "Data\\Models\\blackbass.x");
    load(pikeLowMesh, "Data\\Models\\northernpike_low.x");
    load(bluegillLowMesh, "Data\\Models\\bluegill_low.x");
    load(blackbassLowMesh, "Data\\Models\\blackbass_low.x");
    flockDrawer.SetLowDetail(&pikeMesh, &pikeLowMesh);
    flockDrawer.SetLowDetail(&bluegillMesh, &bluegillLowMesh);
    flockDrawer.SetLowDetail(&blackbassMesh, &blackbassLowMesh);
    const bool skyBoxBuilt = BuildSkyBox(failures);
    if (!failures.empty()) {
        ReportDataFailures(failures);
        return false;
    }
    return skyBoxBuilt;
}

void CFlockingArenaRenderEngine::ReportDataFailures(const std::vector<DataFileFailure>& failures) {
    std::string text = "The scene cannot start: these data files are missing or damaged.\n";
    for (const DataFileFailure& failure : failures) {
        text += "\n" + failure.file + ": " + failure.reason;
    }
    text += "\n\nThe files are looked for under Data/ in the current folder and beside the "
            "program; quorvane-assets DIR writes a fresh set into DIR.";
    MessageBoxA(window, text.c_str(), "Fatal Error!", MB_OK | MB_ICONERROR);
}

bool CFlockingArenaRenderEngine::BuildSkyBox(std::vector<DataFileFailure>& failures) {
    skyBox.SetFormat(kSkyBoxFormat, sizeof(SkyBoxVertex));
    if (skyBox.AddVertices(24) < 0) {
        return false;
    }
    auto* vertices = reinterpret_cast<SkyBoxVertex*>(skyBox.VertexData());
    for (int face = 0; face < kSkyBoxFaces; ++face) {
        for (int corner = 0; corner < 4; ++corner) {
            const float* p = kCorners[face][corner];
            vertices[face * 4 + corner] = {p[0], p[1], p[2], 0xFFFFFFFF, kCornerUv[corner][0],
                                           kCornerUv[corner][1]};
        }
    }
    if (skyBox.AddIndices(24) < 0) {
        return false;
    }
    for (int face = 0; face < kSkyBoxFaces; ++face) {
        const auto first = static_cast<std::uint16_t>(face * 4);
        std::uint16_t* strip = skyBox.IndexData() + face * 4;
        strip[0] = first;
        strip[1] = first + 1;
        strip[2] = first + 3;
        strip[3] = first + 2;
    }
    if (FAILED(skyBox.Upload(device, hardwareVertexProcessing, true))) {
        return false;
    }
    return LoadSkyBoxTextures(failures);
}

// Names are looked up through the media search, whose first candidate is
// the name against the current folder.
bool CFlockingArenaRenderEngine::LoadSkyBoxTextures(std::vector<DataFileFailure>& failures) {
    bool loaded = true;
    for (int face = 0; face < kSkyBoxFaces; ++face) {
        char path[kMaxMediaPath] = {};
        if (FAILED(FindMediaFile(path, kMaxMediaPath, kSkyBoxFiles[face]))) {
            std::strncpy(path, kSkyBoxFiles[face], kMaxMediaPath - 1);
        }
        if (FAILED(D3DXCreateTextureFromFileA(device, path, &skyBoxTextures[face]))) {
            skyBoxTextures[face] = nullptr;
            failures.push_back({ShownPath(path), D3DXGetLastLoadFailure()});
            loaded = false;
        }
    }
    return loaded;
}

void CFlockingArenaRenderEngine::SetupScene(const Vector3* position, const Vector3* rotation) {
    CRenderEngine::SetupScene(position, rotation);
    behaviors = CreateStartupBehaviors(flockScenario);
    world.SetThreadCount(threadCount);
    SetUpPlayer(position, rotation);
    startRandomState_ = SharedRandom().State();
    PopulateFlock(
        world, behaviors, [this](cEntity& fish, int school) { AttachFishModel(fish, school); },
        flockScenario);
}

void CFlockingArenaRenderEngine::RebuildFlock(int totalFish) {
    world.Observe(nullptr);
    fishByCreation_.clear();
    // The schools go first, then the drawings their fish pointed at.
    std::erase_if(world.groups, [](cGroup* group) {
        const bool school = group->members.empty() || group->members.front()->typeId == kFishType;
        if (school) {
            delete group;
        }
        return school;
    });
    while (!fishModels.empty()) {
        delete fishModels.back();
        fishModels.pop_back();
    }
    for (cGroup* group : world.groups) {
        for (cEntity* entity : group->members) {
            entity->flockNeighbors.clear();  // no list may name a fish that is gone
            entity->foreignNeighbors.clear();
        }
    }
    flockScenario.totalFish = totalFish;
    PopulateFlock(
        world, behaviors, [this](cEntity& fish, int school) { AttachFishModel(fish, school); },
        flockScenario);
    simulatedSeconds = 0.0;
    FollowSelection();
}

void CFlockingArenaRenderEngine::SetUpPlayer(const Vector3* position, const Vector3* rotation) {
    cPlayerEntity* playerEntity = AddPlayerGroup(world);
    player.AddPlayerCallback(CopyPlayerPosition, playerEntity);
    player.SetCameraMode(FreeFlight);
    player.drawModelAtEye = true;
    camera = player.GetCamera();
    player.maxVelocityXZ = 125.0f;
    player.maxVelocityY = 400.0f;
    player.friction = 250.0f;
    player.SetCameraOffset({0.0f, 20.0f, -90.0f});
    player.cameraLag = 0.0f;

    float bounds[6];
    pikeMesh.GetBounds(bounds);
    player.SetBounds(bounds);
    for (CCamera* each :
         {static_cast<CCamera*>(camera), static_cast<CCamera*>(&eyeCamera),
          static_cast<CCamera*>(&overviewCamera), static_cast<CCamera*>(&schoolCamera)}) {
        each->fov = 55.0f;
        each->MarkProjectionDirty();
        each->SetBounds(bounds);
    }
    ApplyCameraViewport();
    startPosition_ = position != nullptr ? *position : Vector3{};
    startRotation_ = rotation != nullptr ? *rotation : Vector3{};
    PlacePlayer();
}

// From a player at the origin facing +z: the start position, then the start turn.
void CFlockingArenaRenderEngine::PlacePlayer() {
    player.Move(startPosition_ - player.GetPosition(), false);
    player.Rotate(startRotation_.x, startRotation_.y, startRotation_.z);
}

void CFlockingArenaRenderEngine::AttachFishModel(cEntity& fish, int school) {
    auto* instance = new CModelInstance;
    instance->object = school % 2 == 0 ? static_cast<CRenderObject*>(&blackbassMesh)
                                       : static_cast<CRenderObject*>(&bluegillMesh);
    fish.model = instance;
    fishByCreation_.push_back(&fish);
    const auto position = std::upper_bound(fishModels.begin(), fishModels.end(), instance,
                                           std::less<CModelInstance*>());
    fishModels.insert(position, instance);
}

void CFlockingArenaRenderEngine::ApplyCameraViewport() {
    for (CCamera* each :
         {player.GetCamera(), static_cast<CCamera*>(&eyeCamera),
          static_cast<CCamera*>(&overviewCamera), static_cast<CCamera*>(&schoolCamera)}) {
        if (each != nullptr) {
            each->SetViewport(static_cast<UINT>(viewport.x), static_cast<UINT>(viewport.y),
                              static_cast<UINT>(viewport.width), static_cast<UINT>(viewport.height),
                              kNearPlane, kFarPlane, nullptr);
        }
    }
}

void CFlockingArenaRenderEngine::ReleaseSkyBoxTextures() {
    for (IDirect3DTexture9*& texture : skyBoxTextures) {
        SafeRelease(texture);
    }
}

}  // namespace RenderLib
