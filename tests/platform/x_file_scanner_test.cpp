#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "d3dx_test_support.h"
#include "platform/d3dx/d3dx_hierarchy_loader.h"
#include "platform/d3dx/x_file_scanner.h"

namespace {

const std::string kHeader = "xof 0303txt 0032\n";
const std::string kIdentity =
    "1.0,0.0,0.0,0.0, 0.0,1.0,0.0,0.0, 0.0,0.0,1.0,0.0, 0.0,0.0,0.0,1.0;;";

// A frame holding one triangle, with extra objects inside the mesh.
std::string Triangle(const std::string& faces, const std::string& inside = "") {
    return kHeader + "Frame F { Mesh M { 3; 0.0;0.0;0.0;, 1.0;0.0;0.0;, 0.0;1.0;0.0;;\n" + faces +
           "\n" + inside + "\n} }\n";
}

std::vector<std::uint8_t> Bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

struct BadInput {
    const char* what;
    std::vector<std::uint8_t> bytes;
    const char* reason;  // part of the message
};

std::string Nested(int depth) {
    std::string text = kHeader;
    for (int i = 0; i < depth; ++i) {
        text += "Frame f" + std::to_string(i) + " {\n";
    }
    return text + std::string(static_cast<std::size_t>(depth), '}');
}

std::vector<BadInput> BadInputs() {
    using d3dx_test::XBinaryWriter;
    return {
        {"face index equal to the vertex count", Bytes(Triangle("1; 3;0,1,3;;")), "face vertex"},
        {"face of two corners", Bytes(Triangle("1; 2;0,1;;")), "three corners"},
        {"vertex count far beyond the data",
         Bytes(kHeader + "Frame F { Mesh { 4000000000; 0.0;0.0;0.0;; } }"), "number expected"},
        {"skin weight on a vertex that does not exist",
         Bytes(Triangle("1; 3;0,1,2;;", "SkinWeights { \"F\"; 1; 70000; 1.0; " + kIdentity + " }")),
         "skin weight vertex"},
        {"normal index out of range",
         Bytes(Triangle("1; 3;0,1,2;;", "MeshNormals { 1; 0.0;0.0;1.0;; 1; 3;0,0,1;; }")),
         "normal index"},
        {"face material beyond the list",
         Bytes(Triangle("1; 3;0,1,2;;",
                        "MeshMaterialList { 1; 1; 1;; Material { 1.0;1.0;1.0;1.0;; 0.0; "
                        "0.0;0.0;0.0;; 0.0;0.0;0.0;; } }")),
         "face material"},
        {"material list without materials",
         Bytes(Triangle("1; 3;0,1,2;;", "MeshMaterialList { 0; 1; 0;; }")), "material"},
        {"two material lists in one mesh",
         Bytes(Triangle("1; 3;0,1,2;;",
                        "MeshMaterialList { 1; 1; 0;; { Shared } }\n"
                        "MeshMaterialList { 1; 1; 0;; { Shared } }")),
         "second material list"},
        {"texture coordinates for fewer vertices",
         Bytes(Triangle("1; 3;0,1,2;;", "MeshTextureCoords { 2; 0.0;0.0;, 1.0;1.0;; }")),
         "texture-coordinate count"},
        {"frames nested too deeply", Bytes(Nested(kMaxFrameDepth + 1)), "nested"},
        {"compressed file", Bytes("xof 0303tzip0032 and then deflated bytes"), "compressed"},
        {"not a .x file", Bytes("PNG, to be honest, and long enough"), "not a model file"},
        {"file cut inside a mesh", Bytes(Triangle("1; 3;0,1,2;;").substr(0, 60)), "line"},
        {"a mesh beside frames", Bytes(Triangle("1; 3;0,1,2;;") + "Mesh { 0; 0; }"),
         "inside and outside"},
        {"binary number list longer than the file",
         [] {
             std::vector<std::uint8_t> bytes = XBinaryWriter()
                                                   .Name("Frame")
                                                   .Name("F")
                                                   .Open()
                                                   .Name("FrameTransformMatrix")
                                                   .Open()
                                                   .Bytes();
             bytes.insert(bytes.end(), {0x07, 0x00, 16, 0, 0, 0, 0, 0, 0x80, 0x3F});  // 1 of 16
             return bytes;
         }(),
         "past the end"},
        {"binary string whose length runs past the end",
         [] {
             std::vector<std::uint8_t> bytes = XBinaryWriter().Name("Frame").Name("F").Bytes();
             bytes.insert(bytes.end(), {0x02, 0x00, 0xF0, 0xFF, 0xFF, 0x7F, 'a'});
             return bytes;
         }(),
         "past the end"},
        {"binary floats where integers belong",
         XBinaryWriter()
             .Name("Frame")
             .Name("F")
             .Open()
             .Name("Mesh")
             .Open()
             .Floats({3, 0, 0})
             .Bytes(),
         "integer expected"},
    };
}

TEST(XFileScannerTest, HostileFilesFailWithOneLineGivingTheReason) {
    for (const BadInput& input : BadInputs()) {
        d3dx_test::DeviceHolder holder;
        d3dx_test::PlainAllocator allocator;
        D3DXFRAME* root = nullptr;
        ID3DXAnimationController* controller = nullptr;
        d3dx_test::StderrCapture errors;
        const HRESULT result = D3DXLoadMeshHierarchyFromXInMemory(
            input.bytes.data(), input.bytes.size(), D3DXMESH_MANAGED, holder.device, &allocator,
            nullptr, &root, &controller);
        const std::vector<std::string> lines = errors.Lines();
        EXPECT_EQ(result, D3DXERR_INVALIDDATA) << input.what;
        EXPECT_EQ(root, nullptr) << input.what;
        EXPECT_EQ(allocator.liveFrames + allocator.liveContainers, 0) << input.what;
        ASSERT_EQ(lines.size(), 1u) << input.what;
        EXPECT_NE(lines[0].find("(memory)"), std::string::npos) << lines[0];
        EXPECT_NE(lines[0].find(input.reason), std::string::npos) << input.what << ": " << lines[0];
    }
}

// Text of a frame whose mesh has faceCount triangles over three vertices,
// each face on its own material, given as references to material "M".
std::string ManyMaterials(int faceCount, int globalMaterials) {
    std::string text = kHeader;
    for (int i = 0; i < globalMaterials; ++i) {
        text += "Material M { 1.0;1.0;1.0;1.0;; 0.0; 0.0;0.0;0.0;; 0.0;0.0;0.0;; }\n";
    }
    text += "Frame F { Mesh { 3; 0.0;0.0;0.0;, 1.0;0.0;0.0;, 0.0;1.0;0.0;;\n";
    text += std::to_string(faceCount) + ";\n";
    for (int f = 0; f < faceCount; ++f) {
        text += "3;0,1,2;,\n";
    }
    text += "MeshMaterialList { " + std::to_string(faceCount) + "; " + std::to_string(faceCount) +
            ";\n";
    for (int f = 0; f < faceCount; ++f) {
        text += std::to_string(f) + ",";
    }
    text += ";\n";
    for (int f = 0; f < faceCount; ++f) {
        text += "{ M }\n";
    }
    return text + "} } }\n";
}

TEST(XFileScannerTest, WorkTheImporterWouldMultiplyIsBounded) {
    XFileLayout layout;
    std::string error;
    const auto scan = [&](const std::string& text) {
        error.clear();
        return ScanXFile(reinterpret_cast<const std::uint8_t*>(text.data()), text.size(), layout,
                         error);
    };
    // Materials times faces: 23000 squared passes the limit of 5e8 steps.
    EXPECT_TRUE(scan(ManyMaterials(2000, 1))) << error;
    EXPECT_FALSE(scan(ManyMaterials(23000, 0)));
    EXPECT_NE(error.find("too many materials"), std::string::npos) << error;
    // Material references times materials, each a slow lookup: 1e6 at most.
    EXPECT_FALSE(scan(ManyMaterials(1001, 1000)));
    EXPECT_NE(error.find("material references"), std::string::npos) << error;
    // Animations times frames, each a search of the hierarchy: 5e7 at most.
    std::string animated = kHeader + "Frame Root {\n";
    for (int f = 0; f < 8000; ++f) {
        animated += "Frame f" + std::to_string(f) + " { }\n";
    }
    animated += "}\nAnimationSet {\n";
    for (int a = 0; a < 7000; ++a) {
        animated += "Animation { { f1 } }\n";
    }
    EXPECT_FALSE(scan(animated + "}\n"));
    EXPECT_NE(error.find("too many animations"), std::string::npos) << error;
}

TEST(XFileScannerTest, ReadsNumbersAsTheImporterDoes) {
    // A comma followed by a digit is a decimal point; comments and templates
    // are skipped; unknown objects are passed over with their nesting.
    const std::string text = kHeader +
                             "# a comment\n"
                             "template Extra { <11111111-2222-3333-4444-555555555555> DWORD a; }\n"
                             "Frame F { // trailing comment\n"
                             " Extra { 1; { nested } }\n"
                             " Mesh M { 3; 1,5;0.0;0.0;, 1.0;0.0;-2.5e1;, .5;1.;0.0;;\n"
                             " 1; 3;0,1,2;;\n"
                             " VertexDuplicationIndices { 3; 3; 0, 1, 2; } } }\n";
    XFileLayout layout;
    std::string error;
    ASSERT_TRUE(
        ScanXFile(reinterpret_cast<const std::uint8_t*>(text.data()), text.size(), layout, error))
        << error;
    ASSERT_EQ(layout.meshes.size(), 1u);
    const XFileLayout::Mesh& mesh = layout.meshes[0];
    EXPECT_EQ(mesh.name, "M");
    ASSERT_EQ(mesh.positions.size(), 3u);
    EXPECT_EQ(mesh.positions[0].x, 1.5f);
    EXPECT_EQ(mesh.positions[1].z, -25.0f);
    EXPECT_EQ(mesh.positions[2].x, 0.5f);
    EXPECT_EQ(mesh.positions[2].y, 1.0f);
    ASSERT_EQ(mesh.parts.size(), 1u);
    EXPECT_EQ(mesh.parts[0].corners, (std::vector<std::uint32_t>{0, 1, 2}));
    EXPECT_EQ(mesh.parts[0].material, -1);

    // The importer reads the same numbers.
    d3dx_test::DeviceHolder holder;
    d3dx_test::PlainAllocator allocator;
    D3DXFRAME* root = nullptr;
    ASSERT_EQ(
        D3DXLoadMeshHierarchyFromXInMemory(text.data(), text.size(), D3DXMESH_MANAGED,
                                           holder.device, &allocator, nullptr, &root, nullptr),
        D3D_OK);
    ID3DXMesh* loaded = root->pMeshContainer->MeshData.pMesh;
    EXPECT_EQ(d3dx_test::PositionOf(loaded, 0), (Vector3{1.5f, 0.0f, 0.0f}));
    EXPECT_EQ(d3dx_test::PositionOf(loaded, 1), (Vector3{1.0f, 0.0f, -25.0f}));
    EXPECT_EQ(d3dx_test::PositionOf(loaded, 2), (Vector3{0.5f, 1.0f, 0.0f}));
    D3DXFrameDestroy(root, &allocator);
}

TEST(XFileScannerTest, MeshesSplitByUsedMaterialInMaterialOrder) {
    const std::string material =
        "Material { 1.0;1.0;1.0;1.0;; 0.0; 0.0;0.0;0.0;; 0.0;0.0;0.0;; }\n";
    const std::string text = kHeader +
                             "Frame F { Mesh { 4; 0.0;0.0;0.0;, 1.0;0.0;0.0;, 0.0;1.0;0.0;, "
                             "1.0;1.0;0.0;;\n 3; 3;0,1,2;, 3;1,3,2;, 3;0,2,3;;\n"
                             " MeshMaterialList { 3; 3; 2, 0, 2;;\n" +
                             material + material + material + "} } }\n";
    XFileLayout layout;
    std::string error;
    ASSERT_TRUE(
        ScanXFile(reinterpret_cast<const std::uint8_t*>(text.data()), text.size(), layout, error))
        << error;
    const std::vector<XFileLayout::Part>& parts = layout.meshes.at(0).parts;
    ASSERT_EQ(parts.size(), 2u);  // material 1 is unused
    EXPECT_EQ(parts[0].material, 0);
    EXPECT_EQ(parts[0].corners, (std::vector<std::uint32_t>{1, 3, 2}));
    EXPECT_EQ(parts[1].material, 2);
    EXPECT_EQ(parts[1].corners, (std::vector<std::uint32_t>{0, 1, 2, 0, 2, 3}));
}

TEST(XFileScannerTest, AnUnnamedOnlyChildWithMeshesMergesIntoItsParent) {
    // The importer folds such a child (and anything below it) into the
    // parent; the layout must follow, or meshes would be matched wrongly.
    const std::string text = kHeader +
                             "Frame P { Frame { Mesh A { 3; 0.0;0.0;0.0;, 1.0;0.0;0.0;, "
                             "0.0;1.0;0.0;; 1; 3;0,1,2;; }\n"
                             " Frame Lost { Mesh B { 3; 0.0;0.0;0.0;, 1.0;0.0;0.0;, "
                             "0.0;1.0;0.0;; 1; 3;0,1,2;; } } } }\n";
    XFileLayout layout;
    std::string error;
    ASSERT_TRUE(
        ScanXFile(reinterpret_cast<const std::uint8_t*>(text.data()), text.size(), layout, error))
        << error;
    ASSERT_EQ(layout.meshes.size(), 1u);
    EXPECT_EQ(layout.meshes[0].name, "A");

    d3dx_test::DeviceHolder holder;
    d3dx_test::PlainAllocator allocator;
    D3DXFRAME* root = nullptr;
    ASSERT_EQ(
        D3DXLoadMeshHierarchyFromXInMemory(text.data(), text.size(), D3DXMESH_MANAGED,
                                           holder.device, &allocator, nullptr, &root, nullptr),
        D3D_OK);
    ASSERT_NE(root->pMeshContainer, nullptr);
    EXPECT_STREQ(root->pMeshContainer->Name, "A");
    D3DXFrameDestroy(root, &allocator);
}

}  // namespace
