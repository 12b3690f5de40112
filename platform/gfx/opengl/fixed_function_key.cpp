#include "platform/gfx/opengl/fixed_function_key.h"

namespace {

StageOperation OperationOf(DWORD operation) {
    switch (operation) {
        case D3DTOP_DISABLE:
            return StageOperation::kDisable;
        case D3DTOP_SELECTARG1:
            return StageOperation::kSelectArg1;
        case D3DTOP_SELECTARG2:
            return StageOperation::kSelectArg2;
        default:
            return StageOperation::kModulate;
    }
}

StageArgument ArgumentOf(DWORD argument) {
    StageArgument result;
    switch (argument & D3DTA_SELECTMASK) {
        case D3DTA_DIFFUSE:
            result.source = ArgumentSource::kDiffuse;
            break;
        case D3DTA_TEXTURE:
            result.source = ArgumentSource::kTexture;
            break;
        default:
            result.source = ArgumentSource::kCurrent;
            break;
    }
    result.complement = (argument & D3DTA_COMPLEMENT) != 0;
    result.alphaReplicate = (argument & D3DTA_ALPHAREPLICATE) != 0;
    return result;
}

// The arguments operation reads; the one a selection ignores stays default.
void ArgumentsOf(StageOperation operation, DWORD first, DWORD second, StageArgument& arg1,
                 StageArgument& arg2) {
    const bool used = operation != StageOperation::kDisable;
    arg1 = used && operation != StageOperation::kSelectArg2 ? ArgumentOf(first) : StageArgument{};
    arg2 = used && operation != StageOperation::kSelectArg1 ? ArgumentOf(second) : StageArgument{};
}

bool ReadsTexture(const FixedFunctionStage& stage) {
    const auto texture = [](const StageArgument& argument) {
        return argument.source == ArgumentSource::kTexture;
    };
    return texture(stage.colorArg1) || texture(stage.colorArg2) || texture(stage.alphaArg1) ||
           texture(stage.alphaArg2);
}

// An enabled stage's operations and arguments, its texture and coordinates.
FixedFunctionStage StageOf(const DeviceState& state, DWORD index, const VertexLayout& layout,
                           bool textureBound) {
    FixedFunctionStage stage;
    stage.colorOp = OperationOf(state.Stage(index, D3DTSS_COLOROP));
    ArgumentsOf(stage.colorOp, state.Stage(index, D3DTSS_COLORARG1),
                state.Stage(index, D3DTSS_COLORARG2), stage.colorArg1, stage.colorArg2);
    stage.alphaOp = OperationOf(state.Stage(index, D3DTSS_ALPHAOP));
    ArgumentsOf(stage.alphaOp, state.Stage(index, D3DTSS_ALPHAARG1),
                state.Stage(index, D3DTSS_ALPHAARG2), stage.alphaArg1, stage.alphaArg2);
    stage.sampled = textureBound && ReadsTexture(stage);
    if (stage.sampled) {
        const DWORD set = state.Stage(index, D3DTSS_TEXCOORDINDEX) & 0xFFFF;
        const bool present =
            set < FixedFunctionKey::kStages && static_cast<int>(set) < layout.texCoordSets;
        stage.texCoordSet = present ? static_cast<int>(set) : -1;
    }
    return stage;
}

FogFormula FogOf(const DeviceState& state) {
    if (state.Render(D3DRS_FOGENABLE) == 0) {
        return FogFormula::kNone;
    }
    const DWORD table = state.Render(D3DRS_FOGTABLEMODE);
    switch (table != D3DFOG_NONE ? table : state.Render(D3DRS_FOGVERTEXMODE)) {
        case D3DFOG_EXP:
            return FogFormula::kExp;
        case D3DFOG_EXP2:
            return FogFormula::kExp2;
        case D3DFOG_LINEAR:
            return FogFormula::kLinear;
        default:
            return FogFormula::kNone;
    }
}

std::uint64_t PackArgument(const StageArgument& argument) {
    return static_cast<std::uint64_t>(argument.source) | (std::uint64_t{argument.complement} << 2) |
           (std::uint64_t{argument.alphaReplicate} << 3);
}

// 23 bits: operations 2 each, arguments 4 each, sampled 1, set + 1 in 2.
std::uint64_t PackStage(const FixedFunctionStage& stage) {
    std::uint64_t bits = static_cast<std::uint64_t>(stage.colorOp);
    bits |= PackArgument(stage.colorArg1) << 2;
    bits |= PackArgument(stage.colorArg2) << 6;
    bits |= static_cast<std::uint64_t>(stage.alphaOp) << 10;
    bits |= PackArgument(stage.alphaArg1) << 12;
    bits |= PackArgument(stage.alphaArg2) << 16;
    bits |= std::uint64_t{stage.sampled} << 20;
    bits |= static_cast<std::uint64_t>(stage.texCoordSet + 1) << 21;
    return bits;
}

}  // namespace

FixedFunctionKey FixedFunctionKey::Of(const DeviceState& state, const VertexLayout& layout,
                                      const std::array<bool, kStages>& textureBound,
                                      bool remapDepth, bool opaqueTarget) {
    FixedFunctionKey key;
    key.vertexColor = layout.diffuseOffset != VertexLayout::kAbsent;
    key.lighting = state.Render(D3DRS_LIGHTING) != 0;
    key.remapDepth = remapDepth;
    key.opaqueTarget = opaqueTarget;
    key.fog = FogOf(state);
    for (DWORD index = 0; index < kStages; ++index) {
        if (OperationOf(state.Stage(index, D3DTSS_COLOROP)) == StageOperation::kDisable) {
            break;  // this stage and every later one pass the colour through
        }
        key.stages[index] = StageOf(state, index, layout, textureBound[index]);
    }
    return key;
}

bool FixedFunctionKey::ReadsTexCoordSet(int set) const {
    for (const FixedFunctionStage& stage : stages) {
        if (stage.sampled && stage.texCoordSet == set) {
            return true;
        }
    }
    return false;
}

std::uint64_t FixedFunctionKey::Packed() const {
    std::uint64_t bits = std::uint64_t{vertexColor} | (std::uint64_t{lighting} << 1) |
                         (std::uint64_t{remapDepth} << 2) | (static_cast<std::uint64_t>(fog) << 3);
    for (int index = 0; index < kStages; ++index) {
        bits |= PackStage(stages[static_cast<std::size_t>(index)]) << (5 + 23 * index);
    }
    return bits | (std::uint64_t{opaqueTarget} << 51) | (std::uint64_t{instancedWorld} << 52);
}
