#pragma once

// The scanner behind ScanXFile (x_file_scanner.h): its records, and one
// class whose Parse functions follow the importer's object grammar. Each
// Parse function consumes exactly what the importer's function of the same
// object consumes, in the same order, so that the two stay in step.
//
// Every block of the file is read by one walker (WalkBlock) that takes a
// table of the objects the block may hold; an object the table does not name
// is skipped whole, as the importer skips it.
//
// The functions are defined by concern: x_file_object_scanner.cpp (the walker,
// the file, frames, templates and unknown objects, the layout and ScanXFile),
// x_file_mesh_scan.cpp (meshes and their parts, materials),
// x_file_animation_scan.cpp (animations).

#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "platform/d3dx/x_file_scanner.h"
#include "platform/d3dx/x_file_tokenizer.h"

namespace xfile_scan {

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

// One object a block may hold: the token that opens it and what reads it.
struct ObjectRule {
    std::string_view token;
    std::function<bool()> read;
};

class Scanner {
public:
    bool Scan(const std::uint8_t* data, std::size_t size, XFileLayout& layout);
    const std::string& Error() const { return tokens_.Error(); }
    XFileFault Fault() const { return tokens_.Fault(); }

private:
    // Reads the objects of one block up to its closing brace, which ends the
    // block through close (true when there is none). A token that names a
    // rule goes to its reader; any other object is skipped whole. what names
    // the block in the refusal when the input ends first; the file itself
    // (what = nullptr) ends with its input instead.
    bool WalkBlock(const char* what, std::initializer_list<ObjectRule> rules,
                   const std::function<bool()>& close = nullptr);

    bool ParseFile();
    bool ParseHead(std::string* name);
    bool ParseTemplate();
    bool ParseFrame(ScanNode* parent, int depth);
    bool ParseMatrix(D3DXMATRIX* matrix);
    bool ParseMesh(ScanMesh& mesh);
    bool ParseFaces(ScanMesh& mesh);
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

}  // namespace xfile_scan
