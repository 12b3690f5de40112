// The key that picks a compiled fixed-function program: states that draw
// differently must get different keys (else a draw would run another
// state's program), and states that draw the same should share one.

#include "platform/gfx/opengl/fixed_function_key.h"

#include <array>
#include <cstdint>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

constexpr DWORD kTexturedFormat = D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1;
constexpr std::array<bool, 2> kBothBound = {true, true};
constexpr std::array<bool, 2> kNoneBound = {false, false};

class FixedFunctionKeyTest : public ::testing::Test {
protected:
    FixedFunctionKey KeyOf(const std::array<bool, 2>& bound = kBothBound,
                           DWORD vertexFormat = kTexturedFormat) const {
        return FixedFunctionKey::Of(state_, LayoutOfVertexFormat(vertexFormat), bound, false,
                                    false);
    }
    void SetStage(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value) {
        state_.stageStates[stage][type] = value;
    }

    DeviceState state_ = DeviceState::Defaults(true, 64, 48);
};

// ---- Stages ----

TEST_F(FixedFunctionKeyTest, DefaultStageZeroModulatesItsTextureWithTheDiffuse) {
    const FixedFunctionStage stage = KeyOf().stages[0];
    EXPECT_EQ(stage.colorOp, StageOperation::kModulate);
    EXPECT_EQ(stage.colorArg1.source, ArgumentSource::kTexture);
    EXPECT_EQ(stage.colorArg2.source, ArgumentSource::kCurrent);
    EXPECT_EQ(stage.alphaOp, StageOperation::kSelectArg1);
    EXPECT_TRUE(stage.sampled);
    EXPECT_EQ(stage.texCoordSet, 0);
    EXPECT_EQ(KeyOf().stages[1].colorOp, StageOperation::kDisable);
}

TEST_F(FixedFunctionKeyTest, StageOneCountsOnlyAfterAnEnabledStageZero) {
    SetStage(1, D3DTSS_COLOROP, D3DTOP_MODULATE);
    const FixedFunctionKey both = KeyOf();
    EXPECT_EQ(both.stages[1].colorOp, StageOperation::kModulate);

    SetStage(0, D3DTSS_COLOROP, D3DTOP_DISABLE);
    const FixedFunctionKey none = KeyOf();
    EXPECT_EQ(none.stages[1], FixedFunctionStage{});
    // Whatever stage 1 holds, a disabled stage 0 draws the diffuse colour.
    SetStage(1, D3DTSS_COLOROP, D3DTOP_SELECTARG2);
    EXPECT_EQ(KeyOf(), none);
    EXPECT_NE(none.Packed(), both.Packed());
}

TEST_F(FixedFunctionKeyTest, UnknownOperationsModulateAndSelectionsDropTheIgnoredArgument) {
    SetStage(0, D3DTSS_COLOROP, 13);  // an operation this device does not emulate
    EXPECT_EQ(KeyOf().stages[0].colorOp, StageOperation::kModulate);

    SetStage(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
    const FixedFunctionKey first = KeyOf();
    SetStage(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE | D3DTA_COMPLEMENT);
    EXPECT_EQ(KeyOf(), first);  // arg2 is never read
    SetStage(0, D3DTSS_COLOROP, D3DTOP_SELECTARG2);
    EXPECT_NE(KeyOf(), first);
    EXPECT_EQ(KeyOf().stages[0].colorArg2.source, ArgumentSource::kDiffuse);
    EXPECT_TRUE(KeyOf().stages[0].colorArg2.complement);
}

TEST_F(FixedFunctionKeyTest, ArgumentsOtherThanDiffuseAndTextureReadCurrent) {
    SetStage(0, D3DTSS_COLORARG1, 3 | D3DTA_ALPHAREPLICATE);  // TFACTOR
    const StageArgument argument = KeyOf().stages[0].colorArg1;
    EXPECT_EQ(argument.source, ArgumentSource::kCurrent);
    EXPECT_TRUE(argument.alphaReplicate);
    EXPECT_FALSE(argument.complement);
}

TEST_F(FixedFunctionKeyTest, AlphaDisableKeepsNoArguments) {
    SetStage(0, D3DTSS_ALPHAOP, D3DTOP_DISABLE);
    const FixedFunctionStage stage = KeyOf().stages[0];
    EXPECT_EQ(stage.alphaOp, StageOperation::kDisable);
    EXPECT_EQ(stage.alphaArg1, StageArgument{});
    EXPECT_EQ(stage.alphaArg2, StageArgument{});
}

// ---- Textures and coordinates ----

TEST_F(FixedFunctionKeyTest, AStageSamplesOnlyABoundTextureItReads) {
    EXPECT_FALSE(KeyOf(kNoneBound).stages[0].sampled);
    EXPECT_NE(KeyOf(kNoneBound), KeyOf(kBothBound));

    // Diffuse alone: the bound texture is never read, so it does not matter.
    SetStage(0, D3DTSS_COLOROP, D3DTOP_SELECTARG2);
    SetStage(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG2);
    EXPECT_FALSE(KeyOf(kBothBound).stages[0].sampled);
    EXPECT_EQ(KeyOf(kNoneBound), KeyOf(kBothBound));

    // The alpha operation reading the texture is enough.
    SetStage(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
    EXPECT_TRUE(KeyOf(kBothBound).stages[0].sampled);
}

TEST_F(FixedFunctionKeyTest, CoordinatesComeFromTheIndexedSetWhenTheVertexHasIt) {
    constexpr DWORD kTwoSets = D3DFVF_XYZ | D3DFVF_TEX2;
    SetStage(0, D3DTSS_TEXCOORDINDEX, 1);
    EXPECT_EQ(KeyOf(kBothBound, kTwoSets).stages[0].texCoordSet, 1);
    EXPECT_TRUE(KeyOf(kBothBound, kTwoSets).ReadsTexCoordSet(1));
    EXPECT_FALSE(KeyOf(kBothBound, kTwoSets).ReadsTexCoordSet(0));
    // One set only: set 1 does not exist and the stage reads (0, 0).
    EXPECT_EQ(KeyOf(kBothBound, kTexturedFormat).stages[0].texCoordSet, -1);
    // The high word (coordinate generation) is not emulated.
    SetStage(0, D3DTSS_TEXCOORDINDEX, 0x10000);
    EXPECT_EQ(KeyOf(kBothBound, kTwoSets).stages[0].texCoordSet, 0);
}

// ---- Vertex shape, lighting and fog ----

TEST_F(FixedFunctionKeyTest, VertexColourAndLightingAreSeparateVariants) {
    EXPECT_TRUE(KeyOf().vertexColor);
    EXPECT_FALSE(KeyOf(kBothBound, D3DFVF_XYZ | D3DFVF_TEX1).vertexColor);
    EXPECT_TRUE(KeyOf().lighting);  // the default
    state_.renderStates[D3DRS_LIGHTING] = 0;
    EXPECT_FALSE(KeyOf().lighting);
}

TEST_F(FixedFunctionKeyTest, FogFollowsTheTableModeThenTheVertexModeWhenEnabled) {
    state_.renderStates[D3DRS_FOGTABLEMODE] = D3DFOG_EXP;
    state_.renderStates[D3DRS_FOGVERTEXMODE] = D3DFOG_LINEAR;
    EXPECT_EQ(KeyOf().fog, FogFormula::kNone);  // FOGENABLE is off
    state_.renderStates[D3DRS_FOGENABLE] = 1;
    EXPECT_EQ(KeyOf().fog, FogFormula::kExp);
    state_.renderStates[D3DRS_FOGTABLEMODE] = D3DFOG_NONE;
    EXPECT_EQ(KeyOf().fog, FogFormula::kLinear);
    state_.renderStates[D3DRS_FOGVERTEXMODE] = 7;  // not a formula
    EXPECT_EQ(KeyOf().fog, FogFormula::kNone);
    // Fog numbers are uniforms of one program, not variants.
    state_.renderStates[D3DRS_FOGTABLEMODE] = D3DFOG_EXP2;
    const FixedFunctionKey exp2 = KeyOf();
    state_.renderStates[D3DRS_FOGDENSITY] = FloatToDword(0.25f);
    state_.renderStates[D3DRS_FOGCOLOR] = 0x00FF0000;
    EXPECT_EQ(KeyOf(), exp2);
}

// ---- Packing ----

// One field of a key set away from its default, named for the messages.
struct FieldVariant {
    std::string field;
    FixedFunctionKey key;
};

std::vector<FieldVariant> SingleFieldVariants() {
    std::vector<FieldVariant> variants;
    const std::vector<StageOperation> operations = {
        StageOperation::kModulate, StageOperation::kSelectArg1, StageOperation::kSelectArg2};
    std::vector<StageArgument> arguments;
    for (ArgumentSource source :
         {ArgumentSource::kCurrent, ArgumentSource::kDiffuse, ArgumentSource::kTexture}) {
        for (int flags = 0; flags < 4; ++flags) {
            if (source != ArgumentSource::kCurrent || flags != 0) {  // not the default
                arguments.push_back({source, (flags & 1) != 0, (flags & 2) != 0});
            }
        }
    }
    for (std::size_t stage = 0; stage < 2; ++stage) {
        const std::string prefix = "stage " + std::to_string(stage) + " ";
        const auto vary = [&](const std::string& name, auto&& set) {
            FixedFunctionKey key;
            set(key.stages[stage]);
            variants.push_back({prefix + name, key});
        };
        for (StageOperation operation : operations) {
            vary("colorOp", [&](FixedFunctionStage& s) { s.colorOp = operation; });
            vary("alphaOp", [&](FixedFunctionStage& s) { s.alphaOp = operation; });
        }
        for (const StageArgument& argument : arguments) {
            vary("colorArg1", [&](FixedFunctionStage& s) { s.colorArg1 = argument; });
            vary("colorArg2", [&](FixedFunctionStage& s) { s.colorArg2 = argument; });
            vary("alphaArg1", [&](FixedFunctionStage& s) { s.alphaArg1 = argument; });
            vary("alphaArg2", [&](FixedFunctionStage& s) { s.alphaArg2 = argument; });
        }
        vary("sampled", [](FixedFunctionStage& s) { s.sampled = true; });
        for (int set = 0; set < 2; ++set) {
            vary("texCoordSet", [set](FixedFunctionStage& s) { s.texCoordSet = set; });
        }
    }
    FixedFunctionKey key;
    key.vertexColor = true;
    variants.push_back({"vertexColor", key});
    key = {};
    key.lighting = true;
    variants.push_back({"lighting", key});
    key = {};
    key.remapDepth = true;
    variants.push_back({"remapDepth", key});
    key = {};
    key.opaqueTarget = true;
    variants.push_back({"opaqueTarget", key});
    for (FogFormula fog : {FogFormula::kExp, FogFormula::kExp2, FogFormula::kLinear}) {
        key = {};
        key.fog = fog;
        variants.push_back({"fog", key});
    }
    return variants;
}

// Each field's values pack differently from each other and from the default,
// and different fields use different bits: so two keys pack alike only when
// every field is equal, and no two states can share a program.
TEST(FixedFunctionKeyPacking, FieldsPackIntoSeparateBits) {
    EXPECT_EQ(FixedFunctionKey{}.Packed(), 0u);
    const std::vector<FieldVariant> variants = SingleFieldVariants();
    std::map<std::string, std::uint64_t> bitsOfField;
    for (std::size_t i = 0; i < variants.size(); ++i) {
        const std::uint64_t packed = variants[i].key.Packed();
        EXPECT_NE(packed, 0u) << variants[i].field;
        bitsOfField[variants[i].field] |= packed;
        for (std::size_t j = i + 1; j < variants.size(); ++j) {
            if (variants[j].field == variants[i].field) {
                EXPECT_NE(packed, variants[j].key.Packed()) << variants[i].field;
            }
        }
    }
    for (auto a = bitsOfField.begin(); a != bitsOfField.end(); ++a) {
        for (auto b = std::next(a); b != bitsOfField.end(); ++b) {
            EXPECT_EQ(a->second & b->second, 0u) << a->first << " and " << b->first;
        }
    }
}

}  // namespace
