// Meshes of a .x file and the objects a mesh holds: normals, texture
// coordinates, vertex colours, the material list with its materials, and
// skin weights.

#include <algorithm>

#include "platform/d3dx/x_file_object_scanner.h"

namespace xfile_scan {

ScanMesh& Scanner::NewMesh() {
    meshes_.push_back(std::make_unique<ScanMesh>());
    return *meshes_.back();
}

bool Scanner::ParseMesh(ScanMesh& mesh) {
    XFileLayout::Mesh& layout = mesh.layout;
    if (!ParseHead(&layout.name) || !tokens_.ReadInt(layout.vertexCount)) {
        return false;
    }
    for (std::uint32_t v = 0; v < layout.vertexCount; ++v) {
        D3DXVECTOR3 p;
        if (!ReadVector(3, &p.x)) {
            return false;
        }
        layout.positions.push_back(p);
    }
    return ParseFaces(mesh) && ParseMeshObjects(mesh);
}

bool Scanner::ParseFaces(ScanMesh& mesh) {
    XFileLayout::Mesh& layout = mesh.layout;
    if (!tokens_.ReadInt(layout.faceCount)) {
        return false;
    }
    for (std::uint32_t f = 0; f < layout.faceCount; ++f) {
        std::uint32_t cornerCount;
        if (!tokens_.ReadInt(cornerCount)) {
            return false;
        }
        if (cornerCount < 3) {
            return tokens_.Fail("a face with fewer than three corners");
        }
        mesh.faceStarts.push_back(static_cast<std::uint32_t>(mesh.corners.size()));
        for (std::uint32_t c = 0; c < cornerCount; ++c) {
            std::uint32_t vertex;
            if (!tokens_.ReadInt(vertex)) {
                return false;
            }
            if (vertex >= layout.vertexCount) {
                return tokens_.Fail("face vertex index out of range");
            }
            mesh.corners.push_back(vertex);
        }
        tokens_.TestForSeparator();
    }
    mesh.faceStarts.push_back(static_cast<std::uint32_t>(mesh.corners.size()));
    return true;
}

// VertexDuplicationIndices, among others, is skipped as an unknown object.
bool Scanner::ParseMeshObjects(ScanMesh& mesh) {
    // The importer weighs every bone over every vertex, once per material.
    const auto checkWork = [&] {
        const std::uint64_t work = std::uint64_t{mesh.layout.vertexCount} * mesh.boneNames.size() *
                                   std::max<std::uint32_t>(mesh.listedMaterials, 1);
        return work <= kWorkLimit || tokens_.Fail("too many bones for the vertices of one mesh");
    };
    return WalkBlock(
        "mesh",
        {{"MeshNormals", [&] { return ParseNormals(mesh); }},
         {"MeshTextureCoords", [&] { return ParseTextureCoords(mesh); }},
         {"MeshVertexColors", [&] { return ParseVertexColors(mesh); }},
         {"MeshMaterialList", [&] { return ParseMaterialList(mesh); }},
         {"XSkinMeshHeader",
          [this] { return ParseHead(nullptr) && ReadInts(3) && tokens_.CheckClosingBrace(); }},
         {"SkinWeights", [&] { return ParseSkinWeights(mesh); }}},
        checkWork);
}

bool Scanner::ParseNormals(ScanMesh& mesh) {
    std::uint32_t normalCount, faceCount;
    if (!ParseHead(nullptr) || !tokens_.ReadInt(normalCount)) {
        return false;
    }
    for (std::uint32_t n = 0; n < normalCount; ++n) {
        if (!ReadVector(3)) {
            return false;
        }
    }
    if (!tokens_.ReadInt(faceCount)) {
        return false;
    }
    if (faceCount != mesh.layout.faceCount) {
        return tokens_.Fail("normal face count differs from the face count");
    }
    for (std::uint32_t f = 0; f < faceCount; ++f) {
        std::uint32_t cornerCount, normal;
        if (!tokens_.ReadInt(cornerCount)) {
            return false;
        }
        if (cornerCount != mesh.faceStarts[f + 1] - mesh.faceStarts[f]) {
            return tokens_.Fail("normal face size differs from its face");
        }
        for (std::uint32_t c = 0; c < cornerCount; ++c) {
            if (!tokens_.ReadInt(normal)) {
                return false;
            }
            if (normal >= normalCount) {
                return tokens_.Fail("normal index out of range");
            }
        }
        tokens_.TestForSeparator();
    }
    return tokens_.CheckClosingBrace();
}

bool Scanner::ParseTextureCoords(ScanMesh& mesh) {
    std::uint32_t count;
    if (!ParseHead(nullptr)) {
        return false;
    }
    if (++mesh.textureSets > kMaxSets) {
        return tokens_.Fail("too many texture-coordinate sets");
    }
    if (!tokens_.ReadInt(count)) {
        return false;
    }
    if (count != mesh.layout.vertexCount) {
        return tokens_.Fail("texture-coordinate count differs from the vertex count");
    }
    for (std::uint32_t i = 0; i < count; ++i) {
        if (!ReadVector(2)) {
            return false;
        }
    }
    return tokens_.CheckClosingBrace();
}

bool Scanner::ParseVertexColors(ScanMesh& mesh) {
    std::uint32_t count, vertex;
    if (!ParseHead(nullptr)) {
        return false;
    }
    if (++mesh.colorSets > kMaxSets) {
        return tokens_.Fail("too many colour sets");
    }
    if (!tokens_.ReadInt(count)) {
        return false;
    }
    if (count != mesh.layout.vertexCount) {
        return tokens_.Fail("colour count differs from the vertex count");
    }
    for (std::uint32_t i = 0; i < count; ++i) {
        if (!tokens_.ReadInt(vertex)) {
            return false;
        }
        if (vertex >= mesh.layout.vertexCount) {
            return tokens_.Fail("colour vertex index out of range");
        }
        if (!ReadVector(4)) {
            return false;
        }
        tokens_.TestForSeparator();
    }
    return tokens_.CheckClosingBrace();
}

bool Scanner::ParseMaterialList(ScanMesh& mesh) {
    if (mesh.layout.hasMaterialList) {
        return tokens_.Fail("a second material list in one mesh");
    }
    mesh.layout.hasMaterialList = true;
    std::uint32_t declared, indexCount;
    if (!ParseHead(nullptr) || !tokens_.ReadInt(declared) || !tokens_.ReadInt(indexCount)) {
        return false;
    }
    const std::uint32_t faceCount = mesh.layout.faceCount;
    // One index for every face, or a single index the importer repeats.
    if (indexCount != faceCount && !(indexCount == 1 && faceCount > 0)) {
        return tokens_.Fail("material index count differs from the face count");
    }
    for (std::uint32_t i = 0; i < indexCount; ++i) {
        std::uint32_t material;
        if (!tokens_.ReadInt(material)) {
            return false;
        }
        mesh.faceMaterials.push_back(material);
    }
    tokens_.SkipSemicolonHere();
    mesh.faceMaterials.resize(faceCount, mesh.faceMaterials.empty() ? 0 : mesh.faceMaterials[0]);
    return WalkBlock("material list",
                     {{"{",
                       [&] {  // a reference to a material by name
                           ++mesh.listedMaterials;
                           ++referenceCount_;
                           std::string name;
                           return tokens_.NextToken(name) && tokens_.CheckClosingBrace();
                       }},
                      {"Material",
                       [&] {
                           ++mesh.listedMaterials;
                           return ParseMaterial();
                       }},
                      {";", [] { return true; }}},
                     [&] { return CheckFaceMaterials(mesh, declared); });
}

bool Scanner::CheckFaceMaterials(ScanMesh& mesh, std::uint32_t declared) {
    if (declared != mesh.listedMaterials) {
        return tokens_.Fail("material count differs from the materials listed");
    }
    if (std::uint64_t{mesh.listedMaterials} * mesh.layout.faceCount > kWorkLimit) {
        return tokens_.Fail("too many materials for the faces of one mesh");
    }
    for (std::uint32_t material : mesh.faceMaterials) {
        if (material >= mesh.listedMaterials) {
            return tokens_.Fail("face material index out of range");
        }
    }
    return true;
}

bool Scanner::ParseMaterial() {
    ++materialCount_;
    if (!ParseHead(nullptr) || !ReadVector(4) || !ReadFloats(1) || !ReadVector(3) ||
        !ReadVector(3)) {
        return false;
    }
    const auto readFileName = [this] {
        std::string name;
        return ParseHead(nullptr) && tokens_.ReadString(name) && tokens_.CheckClosingBrace();
    };
    return WalkBlock("material", {{"TextureFilename", readFileName},
                                  {"TextureFileName", readFileName},
                                  {"NormalmapFilename", readFileName},
                                  {"NormalmapFileName", readFileName}});
}

bool Scanner::ParseSkinWeights(ScanMesh& mesh) {
    std::string name;
    std::uint32_t count;
    if (!ParseHead(nullptr) || !tokens_.ReadString(name) || !tokens_.ReadInt(count)) {
        return false;
    }
    XFileLayout::Mesh& layout = mesh.layout;
    if (!mesh.boneNames.insert(name).second) {
        return tokens_.Fail("two skin weights for bone \"" + name + "\" in one mesh");
    }
    for (std::uint32_t i = 0; i < count; ++i) {
        std::uint32_t vertex;
        if (!tokens_.ReadInt(vertex)) {
            return false;
        }
        if (vertex >= layout.vertexCount) {
            return tokens_.Fail("skin weight vertex index out of range");
        }
    }
    for (std::uint32_t i = 0; i < count; ++i) {
        if (!ReadFloats(1)) {
            return false;
        }
    }
    D3DXMATRIX offset;
    if (!ParseMatrix(&offset) || !tokens_.CheckSemicolon() || !tokens_.CheckClosingBrace()) {
        return false;
    }
    layout.boneNames.push_back(name);
    layout.boneOffsets.push_back(offset);
    return true;
}

}  // namespace xfile_scan
