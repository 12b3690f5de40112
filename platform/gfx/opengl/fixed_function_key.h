#pragma once

// What shapes the shader that stands in for the fixed-function pipeline at
// one draw: the vertex shape, lighting, the depth remap, the fog formula and
// the two texture stages' operations, arguments and textures. Each distinct
// key gets a program of its own (FixedFunctionProgram), compiled without
// branches on state, so that a software rasterizer runs straight-line code
// per pixel; numbers (matrices, colours, fog distances) stay uniforms.
//
// Of keeps the semantics of the device's fixed-function emulation and maps
// every state that draws the same onto the same key:
// - stage 1 runs only after an enabled stage 0; a stage's COLOROP DISABLE
//   ends the stages, ALPHAOP DISABLE keeps the current alpha;
// - SELECTARG1 and SELECTARG2 pick an argument, every other operation
//   modulates; the argument a selection ignores is left out of the key;
// - an argument reads DIFFUSE (0), TEXTURE (2) or else CURRENT, then
//   COMPLEMENT (1 - x) and ALPHAREPLICATE (x.aaaa) in that order;
// - a stage samples only when an argument it uses reads TEXTURE and a texture
//   is bound (unbound reads white); its coordinates are the vertex's set
//   TEXCOORDINDEX & 0xFFFF when the vertex has that set, else (0, 0);
// - fog: table mode, else vertex mode, when FOGENABLE; NONE otherwise.

#include <array>
#include <cstdint>

#include "platform/gfx/opengl/device_state.h"
#include "platform/gfx/vertex_layout.h"

enum class StageOperation : std::uint8_t { kDisable, kModulate, kSelectArg1, kSelectArg2 };
enum class ArgumentSource : std::uint8_t { kCurrent, kDiffuse, kTexture };
enum class FogFormula : std::uint8_t { kNone, kExp, kExp2, kLinear };

struct StageArgument {
    ArgumentSource source = ArgumentSource::kCurrent;
    bool complement = false;
    bool alphaReplicate = false;

    bool operator==(const StageArgument&) const = default;
};

struct FixedFunctionStage {
    StageOperation colorOp = StageOperation::kDisable;  // kDisable: the stages end before this one
    StageArgument colorArg1;
    StageArgument colorArg2;
    StageOperation alphaOp = StageOperation::kDisable;  // kDisable: alpha passes through
    StageArgument alphaArg1;
    StageArgument alphaArg2;
    bool sampled = false;  // reads its bound texture
    int texCoordSet = -1;  // vertex set sampled at: 0, 1, or -1 for (0, 0)

    bool operator==(const FixedFunctionStage&) const = default;
};

struct FixedFunctionKey {
    static constexpr int kStages = 2;

    bool vertexColor = false;  // the diffuse colour comes from the vertex, else the material
    bool lighting = false;
    bool remapDepth = false;  // clip-space depth 0..1 is mapped to -w..w by the shader
    // The colour buffer keeps alpha 1 (X8R8G8B8): the program writes alpha 1
    // with every channel enabled, which stores the same pixels as writing
    // colour alone but lets a rasterizer store without reading back.
    bool opaqueTarget = false;
    // The world matrix comes per instance from attributes (instanced draws),
    // not from the world transform. Set by the device after Of.
    bool instancedWorld = false;
    FogFormula fog = FogFormula::kNone;
    std::array<FixedFunctionStage, kStages> stages{};

    // The key of a draw: state, the vertex layout drawn, whether stages 0
    // and 1 have a texture bound, whether depth is remapped and whether the
    // colour buffer is opaque.
    static FixedFunctionKey Of(const DeviceState& state, const VertexLayout& layout,
                               const std::array<bool, kStages>& textureBound, bool remapDepth,
                               bool opaqueTarget);

    // Whether any stage samples vertex set set (0 or 1).
    bool ReadsTexCoordSet(int set) const;
    // Every field in one number; equal keys pack equally and different keys
    // differently.
    std::uint64_t Packed() const;

    bool operator==(const FixedFunctionKey&) const = default;
};
