#include "platform/d3dx/x_mesh_builder.h"

#include <assimp/material.h>
#include <assimp/mesh.h>
#include <assimp/scene.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <unordered_map>
#include <utility>

// Sections: vertices of the rebuilt mesh; faces and attributes; materials;
// skin; the entry point.

namespace {

struct Vertex {
    D3DXVECTOR3 position;
    D3DXVECTOR3 normal;
    D3DCOLOR color = 0xFFFFFFFFu;
    float uv[2][2] = {};

    bool operator==(const Vertex& other) const {
        return std::memcmp(this, &other, sizeof(Vertex)) == 0;
    }
};

constexpr int kMaxKeptTextureSets = 2;  // sets the device draws with

D3DCOLOR ColorFromAssimp(const aiColor4D& c) {
    const auto channel = [](float value, int shift) {
        const float clamped = std::fmin(std::fmax(value, 0.0f), 1.0f);  // NaN becomes 0
        return static_cast<D3DCOLOR>(clamped * 255.0f + 0.5f) << shift;
    };
    return channel(c.a, 24) | channel(c.r, 16) | channel(c.g, 8) | channel(c.b, 0);
}

class Builder {
public:
    Builder(const XFileLayout::Mesh& layout, const std::vector<const aiMesh*>& parts,
            const aiScene& scene, std::string& error)
        : layout_(layout), parts_(parts), scene_(scene), error_(error) {}

    HRESULT Build(DWORD options, IDirect3DDevice9* device, XMeshContainerData& out);

private:
    bool Fail(const std::string& reason) {
        error_ = reason;
        return false;
    }
    bool CheckParts();
    DWORD VertexFormat() const;
    void Weld();
    Vertex CornerVertex(const aiMesh& part, unsigned int local) const;
    bool Triangulate();
    HRESULT Fill(ID3DXMesh& mesh) const;
    void WriteVertices(std::uint8_t* to, const FvfLayout& layout) const;
    HRESULT SetAttributeTable(ID3DXMesh& mesh) const;
    void Materials(XMeshContainerData& out) const;
    HRESULT Skin(XMeshContainerData& out) const;

    const XFileLayout::Mesh& layout_;
    const std::vector<const aiMesh*>& parts_;
    const aiScene& scene_;
    std::string& error_;

    std::vector<Vertex> vertices_;
    std::vector<std::vector<std::uint32_t>> cornerVertex_;  // per part: its vertex → ours
    std::vector<std::uint32_t> triangles_;                  // three of our vertices each
    std::vector<DWORD> attributes_;                         // part of each triangle
};

// ---- Vertices of the rebuilt mesh ----

bool Builder::CheckParts() {
    if (parts_.size() != layout_.parts.size() || parts_.empty()) {
        return Fail("the importer split a mesh differently from the file");
    }
    for (std::size_t p = 0; p < parts_.size(); ++p) {
        const aiMesh& part = *parts_[p];
        if (part.mNumVertices != layout_.parts[p].corners.size() || part.mVertices == nullptr ||
            part.HasNormals() != parts_[0]->HasNormals() ||
            part.GetNumUVChannels() != parts_[0]->GetNumUVChannels() ||
            part.HasVertexColors(0) != parts_[0]->HasVertexColors(0)) {
            return Fail("the importer's vertices do not match the file's faces");
        }
    }
    return true;
}

DWORD Builder::VertexFormat() const {
    const aiMesh& first = *parts_[0];
    DWORD format = D3DFVF_XYZ;
    if (first.HasNormals()) {
        format |= D3DFVF_NORMAL;
    }
    if (first.HasVertexColors(0)) {
        format |= D3DFVF_DIFFUSE;
    }
    const unsigned int sets = std::min<unsigned int>(first.GetNumUVChannels(), kMaxKeptTextureSets);
    return format | (sets << D3DFVF_TEXCOUNT_SHIFT);
}

Vertex Builder::CornerVertex(const aiMesh& part, unsigned int local) const {
    Vertex v;
    v.position = {part.mVertices[local].x, part.mVertices[local].y, part.mVertices[local].z};
    if (part.HasNormals()) {
        v.normal = {part.mNormals[local].x, part.mNormals[local].y, part.mNormals[local].z};
    }
    if (part.HasVertexColors(0)) {
        v.color = ColorFromAssimp(part.mColors[0][local]);
    }
    for (int set = 0; set < kMaxKeptTextureSets; ++set) {
        if (part.HasTextureCoords(static_cast<unsigned int>(set))) {
            v.uv[set][0] = part.mTextureCoords[set][local].x;
            v.uv[set][1] = part.mTextureCoords[set][local].y;
        }
    }
    return v;
}

// Gives every corner one of our vertices: the file vertex's own slot when it
// is free or equal, else an equal duplicate, else a new duplicate.
void Builder::Weld() {
    const std::uint32_t fileCount = layout_.vertexCount;
    vertices_.assign(fileCount, Vertex{});
    std::vector<bool> used(fileCount, false);
    // Duplicates by file vertex and content, so that a vertex shared by many
    // corners with many normals stays cheap to look up.
    std::unordered_map<std::string, std::uint32_t> duplicates;
    for (std::uint32_t i = 0; i < fileCount; ++i) {
        vertices_[i].position = layout_.positions[i];  // kept for vertices no face uses
    }
    cornerVertex_.resize(parts_.size());
    for (std::size_t p = 0; p < parts_.size(); ++p) {
        const std::vector<std::uint32_t>& corners = layout_.parts[p].corners;
        for (unsigned int local = 0; local < corners.size(); ++local) {
            const std::uint32_t file = corners[local];
            const Vertex vertex = CornerVertex(*parts_[p], local);
            std::uint32_t ours = file;
            if (!used[file]) {
                used[file] = true;
                vertices_[file] = vertex;
            } else if (!(vertices_[file] == vertex)) {
                std::string key(sizeof file + sizeof vertex, '\0');
                std::memcpy(key.data(), &file, sizeof file);
                std::memcpy(key.data() + sizeof file, &vertex, sizeof vertex);
                const auto [at, added] = duplicates.emplace(
                    std::move(key), static_cast<std::uint32_t>(vertices_.size()));
                if (added) {
                    vertices_.push_back(vertex);
                }
                ours = at->second;
            }
            cornerVertex_[p].push_back(ours);
        }
    }
}

// ---- Faces and attributes ----

bool Builder::Triangulate() {
    for (std::size_t p = 0; p < parts_.size(); ++p) {
        const aiMesh& part = *parts_[p];
        for (unsigned int f = 0; f < part.mNumFaces; ++f) {
            const aiFace& face = part.mFaces[f];
            if (face.mNumIndices < 3 || face.mIndices == nullptr) {
                return Fail("the importer made a face of fewer than three corners");
            }
            for (unsigned int c = 0; c < face.mNumIndices; ++c) {
                if (face.mIndices[c] >= cornerVertex_[p].size()) {
                    return Fail("the importer made a face index out of range");
                }
            }
            // A polygon becomes the fan (0, k, k + 1), keeping its winding.
            for (unsigned int k = 1; k + 1 < face.mNumIndices; ++k) {
                for (unsigned int c : {0u, k, k + 1}) {
                    triangles_.push_back(cornerVertex_[p][face.mIndices[c]]);
                }
                attributes_.push_back(static_cast<DWORD>(p));
            }
        }
    }
    return !attributes_.empty() || Fail("a mesh without faces");
}

void Builder::WriteVertices(std::uint8_t* to, const FvfLayout& layout) const {
    for (const Vertex& v : vertices_) {
        std::memcpy(to + layout.position, &v.position, sizeof v.position);
        if (layout.normal != FvfLayout::kAbsent) {
            std::memcpy(to + layout.normal, &v.normal, sizeof v.normal);
        }
        if (layout.diffuse != FvfLayout::kAbsent) {
            std::memcpy(to + layout.diffuse, &v.color, sizeof v.color);
        }
        for (int set = 0; set < layout.textureSets; ++set) {
            std::memcpy(to + layout.texture[set], v.uv[set], sizeof v.uv[set]);
        }
        to += layout.stride;
    }
}

HRESULT Builder::SetAttributeTable(ID3DXMesh& mesh) const {
    // Triangles come grouped by part, so each part is one contiguous range.
    std::vector<D3DXATTRIBUTERANGE> table;
    DWORD lowest = 0, highest = 0;
    for (std::size_t t = 0; t < attributes_.size(); ++t) {
        if (table.empty() || table.back().AttribId != attributes_[t]) {
            table.push_back({attributes_[t], static_cast<DWORD>(t), 0, 0, 0});
            lowest = 0xFFFFFFFFu;
            highest = 0;
        }
        for (int c = 0; c < 3; ++c) {
            lowest = std::min<DWORD>(lowest, triangles_[t * 3 + c]);
            highest = std::max<DWORD>(highest, triangles_[t * 3 + c]);
        }
        D3DXATTRIBUTERANGE& range = table.back();
        ++range.FaceCount;
        range.VertexStart = lowest;
        range.VertexCount = highest - lowest + 1;
    }
    return mesh.SetAttributeTable(table.data(), static_cast<DWORD>(table.size()));
}

HRESULT Builder::Fill(ID3DXMesh& mesh) const {
    const FvfLayout layout = FvfLayout::Of(mesh.GetFVF());
    void* data = nullptr;
    HRESULT result = mesh.LockVertexBuffer(0, &data);
    if (FAILED(result)) {
        return result;
    }
    WriteVertices(static_cast<std::uint8_t*>(data), layout);
    mesh.UnlockVertexBuffer();
    if (FAILED(result = mesh.LockIndexBuffer(0, &data))) {
        return result;
    }
    const bool wide = (mesh.GetOptions() & D3DXMESH_32BIT) != 0;
    for (std::size_t i = 0; i < triangles_.size(); ++i) {
        if (wide) {
            std::memcpy(static_cast<std::uint8_t*>(data) + i * 4, &triangles_[i], 4);
        } else {
            const auto narrow = static_cast<std::uint16_t>(triangles_[i]);
            std::memcpy(static_cast<std::uint8_t*>(data) + i * 2, &narrow, 2);
        }
    }
    mesh.UnlockIndexBuffer();
    DWORD* attributes = nullptr;
    mesh.LockAttributeBuffer(0, &attributes);
    std::copy(attributes_.begin(), attributes_.end(), attributes);
    mesh.UnlockAttributeBuffer();
    return SetAttributeTable(mesh);
}

// ---- Materials ----

void Builder::Materials(XMeshContainerData& out) const {
    if (layout_.parts[0].material < 0) {
        return;  // no material list: the container picks its default
    }
    out.materials.resize(parts_.size());
    out.textureNames.resize(parts_.size());
    for (std::size_t p = 0; p < parts_.size(); ++p) {
        const unsigned int index = parts_[p]->mMaterialIndex;
        if (index >= scene_.mNumMaterials || scene_.mMaterials[index] == nullptr) {
            continue;
        }
        const aiMaterial& source = *scene_.mMaterials[index];
        D3DMATERIAL9& material = out.materials[p].MatD3D;
        aiColor4D color(0.0f, 0.0f, 0.0f, 1.0f);
        if (source.Get(AI_MATKEY_COLOR_DIFFUSE, color) == AI_SUCCESS) {
            material.Diffuse = {color.r, color.g, color.b, color.a};
        }
        aiColor3D rgb;
        if (source.Get(AI_MATKEY_COLOR_SPECULAR, rgb) == AI_SUCCESS) {
            material.Specular = {rgb.r, rgb.g, rgb.b, 1.0f};
        }
        if (source.Get(AI_MATKEY_COLOR_EMISSIVE, rgb) == AI_SUCCESS) {
            material.Emissive = {rgb.r, rgb.g, rgb.b, 1.0f};
        }
        source.Get(AI_MATKEY_SHININESS, material.Power);
        aiString texture;
        if (source.GetTexture(aiTextureType_DIFFUSE, 0, &texture) == AI_SUCCESS &&
            texture.length > 0) {
            out.textureNames[p] = texture.C_Str();
        }
    }
    // Pointers last: the names no longer move.
    for (std::size_t p = 0; p < parts_.size(); ++p) {
        if (!out.textureNames[p].empty()) {
            out.materials[p].pTextureFilename = out.textureNames[p].data();
        }
    }
}

// ---- Skin ----

HRESULT Builder::Skin(XMeshContainerData& out) const {
    const DWORD boneCount = static_cast<DWORD>(layout_.boneNames.size());
    if (boneCount == 0) {
        return D3D_OK;
    }
    const DWORD vertexCount = static_cast<DWORD>(vertices_.size());
    HRESULT result =
        D3DXCreateSkinInfoFVF(vertexCount, out.mesh->GetFVF(), boneCount, &out.skinInfo);
    if (FAILED(result)) {
        return result;
    }
    // The importer's bones of every part, sorted to the file's bones by name.
    std::unordered_map<std::string, DWORD> boneIndex;
    for (DWORD b = 0; b < boneCount; ++b) {
        boneIndex.emplace(layout_.boneNames[b], b);
    }
    std::vector<std::vector<std::pair<std::size_t, const aiBone*>>> pieces(boneCount);
    for (std::size_t p = 0; p < parts_.size(); ++p) {
        for (unsigned int i = 0; i < parts_[p]->mNumBones; ++i) {
            const aiBone* bone = parts_[p]->mBones[i];
            const auto found =
                bone != nullptr ? boneIndex.find(bone->mName.C_Str()) : boneIndex.end();
            if (found != boneIndex.end()) {
                pieces[found->second].emplace_back(p, bone);
            }
        }
    }
    // Corners of one vertex count once per bone: marked[v] holds the last
    // bone that took vertex v.
    std::vector<DWORD> marked(vertexCount, 0xFFFFFFFFu);
    for (DWORD b = 0; b < boneCount; ++b) {
        D3DXMATRIX offset = layout_.boneOffsets[b];
        std::vector<DWORD> influenced;
        std::vector<float> weights;
        for (const auto& [p, bone] : pieces[b]) {
            offset = MatrixFromAssimp(bone->mOffsetMatrix);
            for (unsigned int w = 0; w < bone->mNumWeights; ++w) {
                const aiVertexWeight& weight = bone->mWeights[w];
                if (weight.mVertexId >= cornerVertex_[p].size()) {
                    error_ = "the importer made a skin weight out of range";
                    return D3DXERR_INVALIDDATA;
                }
                const DWORD ours = cornerVertex_[p][weight.mVertexId];
                if (marked[ours] != b) {
                    marked[ours] = b;
                    influenced.push_back(ours);
                    weights.push_back(weight.mWeight);
                }
            }
        }
        out.skinInfo->SetBoneName(b, layout_.boneNames[b].c_str());
        out.skinInfo->SetBoneOffsetMatrix(b, &offset);
        result = out.skinInfo->SetBoneInfluence(b, static_cast<DWORD>(influenced.size()),
                                                influenced.data(), weights.data());
        if (FAILED(result)) {
            return result;
        }
    }
    return D3D_OK;
}

// ---- The entry point ----

HRESULT Builder::Build(DWORD options, IDirect3DDevice9* device, XMeshContainerData& out) {
    if (!CheckParts()) {
        return D3DXERR_INVALIDDATA;
    }
    Weld();
    if (!Triangulate()) {
        return D3DXERR_INVALIDDATA;
    }
    if (vertices_.size() > 0xFFFFu) {
        options |= D3DXMESH_32BIT;
    }
    HRESULT result = D3DXCreateMeshFVF(static_cast<DWORD>(attributes_.size()),
                                       static_cast<DWORD>(vertices_.size()), options,
                                       VertexFormat(), device, &out.mesh);
    if (FAILED(result) || FAILED(result = Fill(*out.mesh))) {
        error_ = "the device refused the mesh's buffers";
        return result;
    }
    Materials(out);
    if (FAILED(result = Skin(out))) {
        if (error_.empty()) {
            error_ = "cannot build the skin";
        }
        return result;
    }
    out.adjacency.resize(attributes_.size() * 3);
    return out.mesh->GenerateAdjacency(0.0f, out.adjacency.data());
}

}  // namespace

XMeshContainerData::~XMeshContainerData() {
    SafeRelease(mesh);
    SafeRelease(skinInfo);
}

D3DXMATRIX MatrixFromAssimp(const aiMatrix4x4& m) {
    // Assimp's matrices act on column vectors; ours is the transpose.
    const float rows[4][4] = {{m.a1, m.a2, m.a3, m.a4},
                              {m.b1, m.b2, m.b3, m.b4},
                              {m.c1, m.c2, m.c3, m.c4},
                              {m.d1, m.d2, m.d3, m.d4}};
    D3DXMATRIX matrix;
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            matrix.m[row][column] = rows[column][row];
        }
    }
    return matrix;
}

HRESULT BuildXMesh(const XFileLayout::Mesh& layout, const std::vector<const aiMesh*>& parts,
                   const aiScene& scene, DWORD options, IDirect3DDevice9* device,
                   XMeshContainerData& out, std::string& error) {
    return Builder(layout, parts, scene, error).Build(options, device, out);
}
