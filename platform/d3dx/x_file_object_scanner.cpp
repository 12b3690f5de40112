#include "platform/d3dx/x_file_object_scanner.h"

#include <algorithm>
#include <utility>

// Sections: the block walker; the file, its templates, frames and unknown
// objects; numbers; the importer's hierarchy filter and creation order; the
// entry point.

namespace xfile_scan {

// ---- The block walker ----

bool Scanner::WalkBlock(const char* what, std::initializer_list<ObjectRule> rules,
                        const std::function<bool()>& close) {
    for (;;) {
        std::string token;
        if (!tokens_.NextToken(token)) {
            return false;
        }
        if (token.empty()) {
            return what == nullptr || tokens_.Fail(std::string(what) + " not closed");
        }
        const ObjectRule* rule = std::find_if(
            rules.begin(), rules.end(), [&](const ObjectRule& r) { return r.token == token; });
        bool parsed = true;
        if (rule != rules.end()) {
            parsed = rule->read();
        } else if (token == "}") {
            return close == nullptr || close();
        } else {
            parsed = ParseUnknown();
        }
        if (!parsed) {
            return false;
        }
    }
}

// ---- The file, its templates, frames and unknown objects ----

bool Scanner::ParseFile() {
    return WalkBlock(
        nullptr,
        {{"template", [this] { return ParseTemplate(); }},
         {"Frame", [this] { return ParseFrame(nullptr, 1); }},
         {"Mesh",
          [this] {
              globalMeshes_.push_back(meshes_.size());
              return ParseMesh(NewMesh());
          }},
         {"AnimTicksPerSecond",
          [this] { return ParseHead(nullptr) && ReadInts(1) && tokens_.CheckClosingBrace(); }},
         {"AnimationSet", [this] { return ParseAnimationSet(); }},
         {"Material", [this] { return ParseMaterial(); }},
         {"}", [] { return true; }}});  // a stray brace between objects is passed over
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
    return WalkBlock("frame", {{"Frame", [&] { return ParseFrame(node, depth + 1); }},
                               {"FrameTransformMatrix",
                                [this] {
                                    return ParseHead(nullptr) && ParseMatrix(nullptr) &&
                                           tokens_.CheckSemicolon() && tokens_.CheckClosingBrace();
                                }},
                               {"Mesh", [&] {
                                    node->meshes.push_back(meshes_.size());
                                    return ParseMesh(NewMesh());
                                }}});
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

// ---- Numbers ----

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

}  // namespace xfile_scan

bool ScanXFile(const std::uint8_t* data, std::size_t size, XFileLayout& layout, std::string& error,
               XFileFault* fault) {
    xfile_scan::Scanner scanner;
    const bool accepted = scanner.Scan(data, size, layout);
    if (!accepted) {
        error = scanner.Error();
    }
    if (fault != nullptr) {
        *fault = scanner.Fault();
    }
    return accepted;
}
