#pragma once

// Shared pieces of the model tests: a recording device, the test data
// folder, a scratch folder that is also the current directory, and a guard
// that captures standard error.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "platform/d3dx/d3dx_mesh.h"
#include "platform/gfx/recording/recording_device.h"

namespace model_test {

inline std::string DataPath(const std::string& name) {
    return std::string(QUORVANE_TEST_DATA_DIR) + "/" + name;
}

// A recording device with capable caps, released with the holder.
struct DeviceHolder {
    DeviceHolder() : device(new RecordingDevice(log, CapableCaps(), D3DPRESENT_PARAMETERS{})) {}
    ~DeviceHolder() { device->Release(); }
    DeviceHolder(const DeviceHolder&) = delete;
    DeviceHolder& operator=(const DeviceHolder&) = delete;

    std::shared_ptr<CallLog> log = std::make_shared<CallLog>();
    RecordingDevice* device;
};

// A fresh folder, made the current directory while the guard lives.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& tag)
        : previous_(std::filesystem::current_path()),
          path_(std::filesystem::temp_directory_path() /
                ("quorvane_" + tag + "_" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(path_);
        std::filesystem::current_path(path_);
    }
    ~ScratchFolder() {
        std::filesystem::current_path(previous_);
        std::filesystem::remove_all(path_);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path previous_;
    std::filesystem::path path_;
};

// The lines written to standard error while it lives.
class StderrCapture {
public:
    StderrCapture() { ::testing::internal::CaptureStderr(); }
    ~StderrCapture() { Lines(); }
    StderrCapture(const StderrCapture&) = delete;
    StderrCapture& operator=(const StderrCapture&) = delete;

    // Stops capturing (on the first call) and returns what was written.
    std::vector<std::string> Lines() {
        std::vector<std::string> lines;
        if (!taken_) {
            taken_ = true;
            std::istringstream text(::testing::internal::GetCapturedStderr());
            for (std::string line; std::getline(text, line);) {
                lines.push_back(line);
            }
        }
        return lines;
    }

private:
    bool taken_ = false;
};

// Vertex i's position (its first three floats) in a vertex buffer's bytes.
inline Vector3 PositionAt(const std::vector<std::uint8_t>& bytes, UINT stride, UINT vertex) {
    Vector3 p;
    std::memcpy(&p, bytes.data() + std::size_t{vertex} * stride, sizeof p);
    return p;
}

inline Vector3 PositionOf(ID3DXMesh* mesh, DWORD vertex) {
    void* data = nullptr;
    Vector3 p;
    if (SUCCEEDED(mesh->LockVertexBuffer(D3DLOCK_READONLY, &data))) {
        std::memcpy(&p, static_cast<std::uint8_t*>(data) + vertex * mesh->GetNumBytesPerVertex(),
                    sizeof p);
        mesh->UnlockVertexBuffer();
    }
    return p;
}

}  // namespace model_test
