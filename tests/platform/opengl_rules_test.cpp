// The OpenGL backend's rules that need no context: vertex layouts, draw
// bounds and presentation parameters.

#include <cstdint>
#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "platform/gfx/opengl/draw_validation.h"
#include "platform/gfx/opengl/present_parameters.h"
#include "platform/gfx/vertex_layout.h"

namespace {

TEST(VertexLayout, FieldsArePackedInFormatOrder) {
    const VertexLayout sky = LayoutOfVertexFormat(0x142);  // position, colour, one uv
    EXPECT_TRUE(sky.valid);
    EXPECT_EQ(sky.size, 24u);
    EXPECT_EQ(sky.diffuseOffset, 12);
    EXPECT_EQ(sky.texCoordOffsets[0], 16);

    const VertexLayout engine = LayoutOfVertexFormat(0x242);  // two uv sets
    EXPECT_EQ(engine.size, 32u);
    EXPECT_EQ(engine.texCoordSets, 2);
    EXPECT_EQ(engine.texCoordOffsets[1], 24);

    const VertexLayout mesh = LayoutOfVertexFormat(D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1);
    EXPECT_EQ(mesh.normalOffset, 12);
    EXPECT_EQ(mesh.diffuseOffset, VertexLayout::kAbsent);
    EXPECT_EQ(mesh.texCoordOffsets[0], 24);
    EXPECT_EQ(mesh.size, 32u);
}

TEST(VertexLayout, CoordinateSizesAndUndrawablePositions) {
    // Set 0 with three floats (size code 1 at bit 16), set 1 with one (code 3).
    const DWORD format = D3DFVF_XYZ | D3DFVF_TEX2 | (1u << 16) | (3u << 18);
    const VertexLayout layout = LayoutOfVertexFormat(format);
    EXPECT_EQ(layout.texCoordComponents[0], 3);
    EXPECT_EQ(layout.texCoordComponents[1], 1);
    EXPECT_EQ(layout.size, 12u + 12u + 4u);
    EXPECT_FALSE(LayoutOfVertexFormat(D3DFVF_XYZRHW | D3DFVF_DIFFUSE).valid);
    EXPECT_EQ(LayoutOfVertexFormat(D3DFVF_XYZRHW | D3DFVF_DIFFUSE).size, 20u);
    EXPECT_FALSE(LayoutOfVertexFormat(D3DFVF_XYZ | 0x900).valid);  // nine coordinate sets
}

TEST(DrawValidation, VerticesMustLieWhollyInsideTheBuffer) {
    const VertexStream stream{96, 0, 24, 24};  // four vertices
    EXPECT_TRUE(VerticesFit(stream, 0, 4));
    EXPECT_FALSE(VerticesFit(stream, 1, 4));
    EXPECT_FALSE(VerticesFit(stream, -1, 1));
    EXPECT_FALSE(VerticesFit({96, 8, 24, 24}, 0, 4));  // the offset pushes the last one out
    EXPECT_FALSE(VerticesFit({96, 0, 16, 24}, 0, 1));  // stride shorter than a vertex
    EXPECT_FALSE(VerticesFit(stream, 0xFFFFFFFFll, 0xFFFFFFFFull));  // no wrap-around
    EXPECT_TRUE(VerticesFit(stream, 1000, 0));
}

TEST(DrawValidation, EveryIndexAfterTheBaseVertexIsChecked) {
    const VertexStream stream{96, 0, 24, 24};
    const std::vector<std::uint16_t> indices = {0, 1, 2, 3, 3, 9};
    std::vector<std::uint8_t> bytes(indices.size() * 2);
    std::memcpy(bytes.data(), indices.data(), bytes.size());
    EXPECT_TRUE(IndicesFit(bytes, 2, 0, 4, 0, stream));
    EXPECT_FALSE(IndicesFit(bytes, 2, 0, 4, 1, stream));   // base 1 reaches vertex 4
    EXPECT_FALSE(IndicesFit(bytes, 2, 2, 4, 0, stream));   // index 9
    EXPECT_FALSE(IndicesFit(bytes, 2, 4, 3, 0, stream));   // past the index bytes
    EXPECT_TRUE(IndicesFit(bytes, 2, 3, 2, -3, stream));   // 3 - 3 = vertex 0
    EXPECT_FALSE(IndicesFit(bytes, 2, 0, 1, -1, stream));  // vertex -1
}

D3DPRESENT_PARAMETERS Windowed() {
    D3DPRESENT_PARAMETERS parameters;
    parameters.Windowed = 1;
    parameters.BackBufferFormat = D3DFMT_X8R8G8B8;
    parameters.EnableAutoDepthStencil = 1;
    parameters.AutoDepthStencilFormat = D3DFMT_D24X8;
    return parameters;
}

TEST(PresentParameters, WindowMayLeaveSizeAndFormatOpenFullScreenMayNot) {
    D3DPRESENT_PARAMETERS parameters = Windowed();
    parameters.BackBufferFormat = D3DFMT_UNKNOWN;
    EXPECT_EQ(CheckPresentParameters(parameters, 8192), D3D_OK);
    parameters.Windowed = 0;
    EXPECT_EQ(CheckPresentParameters(parameters, 8192), D3DERR_INVALIDCALL);
    EXPECT_EQ(CheckPresentParameters(D3DPRESENT_PARAMETERS{}, 8192), D3DERR_INVALIDCALL);
    parameters = Windowed();
    parameters.BackBufferWidth = 9000;
    EXPECT_EQ(CheckPresentParameters(parameters, 8192), D3DERR_INVALIDCALL);
    parameters = Windowed();
    parameters.PresentationInterval = D3DPRESENT_INTERVAL_TWO;
    EXPECT_EQ(CheckPresentParameters(parameters, 8192), D3DERR_INVALIDCALL);
}

TEST(PresentParameters, SizeFollowsTheClientAreaAndIntervalPicksTheSwap) {
    D3DPRESENT_PARAMETERS parameters = Windowed();
    parameters.BackBufferHeight = 300;
    const BackBufferSize size = ResolveBackBufferSize(parameters, {0, 0, 800, 600});
    EXPECT_EQ(size.width, 800u);
    EXPECT_EQ(size.height, 300u);
    const BackBufferSize minimised = ResolveBackBufferSize(Windowed(), {0, 0, 0, 0});
    EXPECT_EQ(minimised.width, 1u);
    EXPECT_EQ(minimised.height, 1u);
    EXPECT_EQ(SwapIntervalFor(D3DPRESENT_INTERVAL_IMMEDIATE), 0);
    EXPECT_EQ(SwapIntervalFor(D3DPRESENT_INTERVAL_DEFAULT), 1);
    EXPECT_EQ(SwapIntervalFor(D3DPRESENT_INTERVAL_ONE), 1);
    EXPECT_EQ(DepthFormatOf(parameters), D3DFMT_D24X8);
    parameters.EnableAutoDepthStencil = 0;
    EXPECT_EQ(DepthFormatOf(parameters), D3DFMT_UNKNOWN);
}

}  // namespace
