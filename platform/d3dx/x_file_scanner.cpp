#include "platform/d3dx/x_file_scanner.h"

#include <algorithm>
#include <memory>
#include <unordered_set>
#include <utility>

#include "platform/d3dx/x_file_tokenizer.h"

// Sections: the scanner's records; objects of the file (frames, meshes and
// their parts, materials, animations, unknown objects); the importer's
// hierarchy filter and creation order; the entry point.
//
// Each Parse function consumes exactly what the importer's function of the
// same object consumes, in the same order, so that the two stay in step.

namespace {

struct ScanNode {
    std::string name;
    std::vector<std::size_t> meshes;  // indices into Scanner::meshes_
    std::vector<std::unique_ptr<ScanNode>> children;
};

struct ScanMesh {
    XFileLayout::Mesh layout;
    std::vector<std::uint32_t> faceStarts;  // first corner of each face, then the end
    std::vector<std::uint32_t> corners;
    std::vector<std::uint32_t> faceMaterials;  // one per face once a list was read
    std::uint32_t listedMaterials = 0;
    int textureSets = 0;
    int colorSets = 0;
    std::unordered_set<std::string> boneNames;
};

constexpr int kMaxSets = 8;  // texture-coordinate and colour sets the importer keeps

// Some of the importer's loops multiply a file's counts (materials by faces,
// bones by vertices by materials, material references by materials, the
// last with a slow lookup per step). A small hostile file could keep it busy
// for hours; beyond these many steps the file is refused.
constexpr std::uint64_t kWorkLimit = 500'000'000;
constexpr std::uint64_t kReferenceWorkLimit = 1'000'000;
// The importer searches the whole hierarchy by name for each animation.
constexpr std::uint64_t kFrameSearchLimit = 50'000'000;

class Scanner {
public:
    bool Scan(const std::uint8_t* data, std::size_t size, XFileLayout& layout);
    const std::string& Error() const { return tokens_.Error(); }
    XFileFault Fault() const { return tokens_.Fault(); }

private:
    bool ParseFile();
    bool ParseHead(std::string* name);
    bool ParseTemplate();
    bool ParseFrame(ScanNode* parent, int depth);
    bool ParseMatrix(D3DXMATRIX* matrix);
    bool ParseMesh(ScanMesh& mesh);
    bool ParseMeshObjects(ScanMesh& mesh);
    bool ParseNormals(ScanMesh& mesh);
    bool ParseTextureCoords(ScanMesh& mesh);
    bool ParseVertexColors(ScanMesh& mesh);
    bool ParseMaterialList(ScanMesh& mesh);
    bool CheckFaceMaterials(ScanMesh& mesh, std::uint32_t declared);
    bool ParseMaterial();
    bool ParseSkinWeights(ScanMesh& mesh);
    bool ParseAnimationSet();
    bool ParseAnimation();
    bool ParseAnimationKey();
    bool ParseUnknown();
    bool ReadFloats(int count, float* values = nullptr);
    bool ReadVector(int count, float* values = nullptr);
    bool ReadInts(int count);
    void AttachTopFrame(std::unique_ptr<ScanNode> node);
    ScanMesh& NewMesh();

    void Filter(ScanNode& node);
    void CollectCreationOrder(const ScanNode& node, std::vector<std::size_t>& order) const;
    XFileLayout::Mesh Finish(ScanMesh& mesh) const;

    XFileTokenizer tokens_;
    std::unique_ptr<ScanNode> root_;
    bool dummyRoot_ = false;
    std::vector<std::unique_ptr<ScanMesh>> meshes_;
    std::vector<std::size_t> globalMeshes_;
    std::uint64_t materialCount_ = 0;   // Material objects anywhere in the file
    std::uint64_t referenceCount_ = 0;  // materials named by reference in lists
    std::uint64_t frameCount_ = 0;
    std::uint64_t animationCount_ = 0;
};

// ---- Objects of the file ----

bool Scanner::ParseFile() {
    for (;;) {
        std::string token;
        if (!tokens_.NextToken(token)) {
            return false;
        }
        bool parsed = true;
        if (token.empty()) {
            return true;
        } else if (token == "template") {
            parsed = ParseTemplate();
        } else if (token == "Frame") {
            parsed = ParseFrame(nullptr, 1);
        } else if (token == "Mesh") {
            globalMeshes_.push_back(meshes_.size());
            parsed = ParseMesh(NewMesh());
        } else if (token == "AnimTicksPerSecond") {
            parsed = ParseHead(nullptr) && ReadInts(1) && tokens_.CheckClosingBrace();
        } else if (token == "AnimationSet") {
            parsed = ParseAnimationSet();
        } else if (token == "Material") {
            parsed = ParseMaterial();
        } else if (token != "}") {
            parsed = ParseUnknown();
        }
        if (!parsed) {
            return false;
        }
    }
}

bool Scanner::ParseHead(std::string* name) {
    std::string token;
    if (!tokens_.NextToken(token)) {
        return false;
    }
    if (token == "{") {
        return true;
    }
    if (name != nullptr) {
        *name = token;
    }
    return tokens_.NextToken(token) && (token == "{" || tokens_.Fail("'{' expected"));
}

bool Scanner::ParseTemplate() {
    std::string token;
    if (!ParseHead(nullptr) || !tokens_.NextToken(token)) {  // the GUID
        return false;
    }
    for (;;) {
        if (!tokens_.NextToken(token)) {
            return false;
        }
        if (token == "}") {
            return true;
        }
        if (token.empty()) {
            return tokens_.Fail("template not closed");
        }
    }
}

void Scanner::AttachTopFrame(std::unique_ptr<ScanNode> node) {
    if (root_ == nullptr) {
        root_ = std::move(node);
        return;
    }
    // The importer checks the root by name: a frame of the file that happens
    // to be called "$dummy_root" collects the later top-level frames too.
    if (root_->name != "$dummy_root") {
        auto dummy = std::make_unique<ScanNode>();
        dummy->name = "$dummy_root";
        dummy->children.push_back(std::move(root_));
        root_ = std::move(dummy);
        dummyRoot_ = true;
    }
    root_->children.push_back(std::move(node));
}

bool Scanner::ParseFrame(ScanNode* parent, int depth) {
    if (depth > kMaxFrameDepth) {
        return tokens_.Fail("frames nested too deeply");
    }
    ++frameCount_;
    auto created = std::make_unique<ScanNode>();
    ScanNode* node = created.get();
    if (!ParseHead(&node->name)) {
        return false;
    }
    if (parent != nullptr) {
        parent->children.push_back(std::move(created));
    } else {
        AttachTopFrame(std::move(created));
    }
    for (;;) {
        std::string token;
        if (!tokens_.NextToken(token)) {
            return false;
        }
        bool parsed = true;
        if (token.empty()) {
            return tokens_.Fail("frame not closed");
        } else if (token == "}") {
            return true;
        } else if (token == "Frame") {
            parsed = ParseFrame(node, depth + 1);
        } else if (token == "FrameTransformMatrix") {
            parsed = ParseHead(nullptr) && ParseMatrix(nullptr) && tokens_.CheckSemicolon() &&
                     tokens_.CheckClosingBrace();
        } else if (token == "Mesh") {
            node->meshes.push_back(meshes_.size());
            parsed = ParseMesh(NewMesh());
        } else {
            parsed = ParseUnknown();
        }
        if (!parsed) {
            return false;
        }
    }
}

bool Scanner::ReadFloats(int count, float* values) {
    for (int i = 0; i < count; ++i) {
        float value;
        if (!tokens_.ReadFloat(value)) {
            return false;
        }
        if (values != nullptr) {
            values[i] = value;
        }
    }
    return true;
}

// count floats followed by an optional separator: a vector, colour or
// texture coordinate pair.
bool Scanner::ReadVector(int count, float* values) {
    if (!ReadFloats(count, values)) {
        return false;
    }
    tokens_.TestForSeparator();
    return true;
}

bool Scanner::ReadInts(int count) {
    std::uint32_t value;
    for (int i = 0; i < count; ++i) {
        if (!tokens_.ReadInt(value)) {
            return false;
        }
    }
    return true;
}

bool Scanner::ParseMatrix(D3DXMATRIX* matrix) {
    float values[16];
    if (!ReadFloats(16, values)) {
        return false;
    }
    if (matrix != nullptr) {
        for (int i = 0; i < 16; ++i) {
            matrix->m[i / 4][i % 4] = values[i];
        }
    }
    return true;
}

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
    return ParseMeshObjects(mesh);
}

bool Scanner::ParseMeshObjects(ScanMesh& mesh) {
    for (;;) {
        std::string token;
        if (!tokens_.NextToken(token)) {
            return false;
        }
        bool parsed = true;
        if (token.empty()) {
            return tokens_.Fail("mesh not closed");
        } else if (token == "}") {
            // The importer weighs every bone over every vertex, once per material.
            const std::uint64_t work = std::uint64_t{mesh.layout.vertexCount} *
                                       mesh.boneNames.size() *
                                       std::max<std::uint32_t>(mesh.listedMaterials, 1);
            return work <= kWorkLimit ||
                   tokens_.Fail("too many bones for the vertices of one mesh");
        } else if (token == "MeshNormals") {
            parsed = ParseNormals(mesh);
        } else if (token == "MeshTextureCoords") {
            parsed = ParseTextureCoords(mesh);
        } else if (token == "MeshVertexColors") {
            parsed = ParseVertexColors(mesh);
        } else if (token == "MeshMaterialList") {
            parsed = ParseMaterialList(mesh);
        } else if (token == "XSkinMeshHeader") {
            parsed = ParseHead(nullptr) && ReadInts(3) && tokens_.CheckClosingBrace();
        } else if (token == "SkinWeights") {
            parsed = ParseSkinWeights(mesh);
        } else {
            parsed = ParseUnknown();  // VertexDuplicationIndices among them
        }
        if (!parsed) {
            return false;
        }
    }
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
    for (;;) {
        std::string token;
        if (!tokens_.NextToken(token)) {
            return false;
        }
        bool parsed = true;
        if (token.empty()) {
            return tokens_.Fail("material list not closed");
        } else if (token == "}") {
            return CheckFaceMaterials(mesh, declared);
        } else if (token == "{") {
            ++mesh.listedMaterials;  // a reference to a material by name
            ++referenceCount_;
            parsed = tokens_.NextToken(token) && tokens_.CheckClosingBrace();
        } else if (token == "Material") {
            ++mesh.listedMaterials;
            parsed = ParseMaterial();
        } else if (token != ";") {
            parsed = ParseUnknown();
        }
        if (!parsed) {
            return false;
        }
    }
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
    for (;;) {
        std::string token;
        if (!tokens_.NextToken(token)) {
            return false;
        }
        bool parsed = true;
        if (token.empty()) {
            return tokens_.Fail("material not closed");
        } else if (token == "}") {
            return true;
        } else if (token == "TextureFilename" || token == "TextureFileName" ||
                   token == "NormalmapFilename" || token == "NormalmapFileName") {
            std::string name;
            parsed = ParseHead(nullptr) && tokens_.ReadString(name) && tokens_.CheckClosingBrace();
        } else {
            parsed = ParseUnknown();
        }
        if (!parsed) {
            return false;
        }
    }
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

bool Scanner::ParseAnimationSet() {
    if (!ParseHead(nullptr)) {
        return false;
    }
    for (;;) {
        std::string token;
        if (!tokens_.NextToken(token)) {
            return false;
        }
        bool parsed = true;
        if (token.empty()) {
            return tokens_.Fail("animation set not closed");
        } else if (token == "}") {
            return true;
        } else if (token == "Animation") {
            parsed = ParseAnimation();
        } else {
            parsed = ParseUnknown();
        }
        if (!parsed) {
            return false;
        }
    }
}

bool Scanner::ParseAnimation() {
    ++animationCount_;
    if (!ParseHead(nullptr)) {
        return false;
    }
    for (;;) {
        std::string token;
        if (!tokens_.NextToken(token)) {
            return false;
        }
        bool parsed = true;
        if (token.empty()) {
            return tokens_.Fail("animation not closed");
        } else if (token == "}") {
            return true;
        } else if (token == "AnimationKey") {
            parsed = ParseAnimationKey();
        } else if (token == "{") {
            parsed = tokens_.NextToken(token) && tokens_.CheckClosingBrace();  // the frame's name
        } else {
            parsed = ParseUnknown();  // AnimationOptions among them
        }
        if (!parsed) {
            return false;
        }
    }
}

bool Scanner::ParseAnimationKey() {
    std::uint32_t type, count;
    if (!ParseHead(nullptr) || !tokens_.ReadInt(type) || !tokens_.ReadInt(count)) {
        return false;
    }
    if (type > 4) {
        return tokens_.Fail("unknown animation key type");
    }
    const std::uint32_t valueCount = type == 0 ? 4 : type <= 2 ? 3 : 16;
    for (std::uint32_t k = 0; k < count; ++k) {
        std::uint32_t time, values;
        if (!tokens_.ReadInt(time) || !tokens_.ReadInt(values)) {
            return false;
        }
        if (values != valueCount) {
            return tokens_.Fail("wrong number of values in an animation key");
        }
        const bool vector = type == 1 || type == 2;
        const bool parsed =
            vector ? ReadVector(3)
                   : ReadFloats(static_cast<int>(valueCount)) && tokens_.CheckSemicolon();
        if (!parsed || !tokens_.CheckSeparator()) {
            return false;
        }
    }
    return tokens_.CheckClosingBrace();
}

bool Scanner::ParseUnknown() {
    std::string token;
    do {
        if (!tokens_.NextToken(token)) {
            return false;
        }
        if (token.empty()) {
            return tokens_.Fail("unknown object not closed");
        }
    } while (token != "{");
    for (std::uint64_t open = 1; open > 0;) {
        if (!tokens_.NextToken(token)) {
            return false;
        }
        if (token.empty()) {
            return tokens_.Fail("unknown object not closed");
        }
        open += token == "{" ? 1 : 0;
        open -= token == "}" ? 1 : 0;
    }
    return true;
}

// ---- The importer's hierarchy filter and creation order ----

// A node without meshes whose only child is unnamed and holds meshes takes
// over the child's meshes; the child goes, with everything below it.
void Scanner::Filter(ScanNode& node) {
    if (node.children.size() == 1 && node.meshes.empty()) {
        ScanNode& child = *node.children.front();
        if (child.name.empty() && !child.meshes.empty()) {
            node.meshes = child.meshes;
            node.children.clear();
        }
    }
    for (const std::unique_ptr<ScanNode>& child : node.children) {
        Filter(*child);
    }
}

void Scanner::CollectCreationOrder(const ScanNode& node, std::vector<std::size_t>& order) const {
    order.insert(order.end(), node.meshes.begin(), node.meshes.end());
    for (const std::unique_ptr<ScanNode>& child : node.children) {
        CollectCreationOrder(*child, order);
    }
}

// The importer's meshes made from one .x mesh: one per material that some
// face uses, in material order (all faces in one when there is no list).
XFileLayout::Mesh Scanner::Finish(ScanMesh& mesh) const {
    XFileLayout::Mesh layout = std::move(mesh.layout);
    const bool byMaterial = !mesh.faceMaterials.empty();
    const std::uint32_t materialCount = std::max<std::uint32_t>(mesh.listedMaterials, 1);
    std::vector<XFileLayout::Part> parts(materialCount);
    for (std::uint32_t f = 0; f < layout.faceCount; ++f) {
        XFileLayout::Part& part = parts[byMaterial ? mesh.faceMaterials[f] : 0];
        part.corners.insert(part.corners.end(), mesh.corners.begin() + mesh.faceStarts[f],
                            mesh.corners.begin() + mesh.faceStarts[f + 1]);
    }
    for (std::uint32_t material = 0; material < materialCount; ++material) {
        if (!parts[material].corners.empty()) {
            parts[material].material = byMaterial ? static_cast<int>(material) : -1;
            layout.parts.push_back(std::move(parts[material]));
        }
    }
    return layout;
}

bool Scanner::Scan(const std::uint8_t* data, std::size_t size, XFileLayout& layout) {
    if (!tokens_.Start(data, size) || !ParseFile()) {
        return false;
    }
    if (!globalMeshes_.empty() && root_ != nullptr) {
        return tokens_.Reject("meshes both inside and outside frames");
    }
    if (root_ == nullptr && globalMeshes_.empty()) {
        return tokens_.Fail("no frame and no mesh");  // cut after the header, most likely
    }
    if (referenceCount_ * materialCount_ > kReferenceWorkLimit) {
        return tokens_.Reject("too many material references");
    }
    if (animationCount_ * frameCount_ > kFrameSearchLimit) {
        return tokens_.Reject("too many animations for the frames");
    }
    std::vector<std::size_t> order = globalMeshes_;
    if (root_ != nullptr) {
        Filter(*root_);
        CollectCreationOrder(*root_, order);
    }
    layout = XFileLayout{};
    layout.syntheticRoot = dummyRoot_ || root_ == nullptr;
    layout.meshesOutsideFrames = root_ == nullptr;
    for (std::size_t index : order) {
        layout.meshes.push_back(Finish(*meshes_[index]));
    }
    return true;
}

}  // namespace

bool ScanXFile(const std::uint8_t* data, std::size_t size, XFileLayout& layout, std::string& error,
               XFileFault* fault) {
    Scanner scanner;
    const bool accepted = scanner.Scan(data, size, layout);
    if (!accepted) {
        error = scanner.Error();
    }
    if (fault != nullptr) {
        *fault = scanner.Fault();
    }
    return accepted;
}
