#include "platform/gfx/recording/recording_buffer.h"

#include <stdexcept>
#include <utility>

#include "platform/gfx/device_contract.h"
#include "platform/gfx/recording/call_line.h"

template <class Interface, class Description>
RecordingBuffer<Interface, Description>::RecordingBuffer(std::shared_ptr<CallLog> log,
                                                         std::string kind, Description description)
    : log_(std::move(log)),
      kind_(std::move(kind)),
      description_(description),
      bytes_(description.Size, 0) {}

template <class Interface, class Description>
HRESULT RecordingBuffer<Interface, Description>::Lock(UINT offset, UINT size, void** data,
                                                      DWORD flags) {
    log_->Add(FormatCall(kind_ + ".Lock", offset, size, data, flags));
    if (const HRESULT allowed = DeviceContract::CheckLockRange(offset, size, bytes_.size(), data);
        allowed != D3D_OK) {
        return allowed;
    }
    *data = bytes_.data() + offset;
    ++lockCount_;
    return D3D_OK;
}

template <class Interface, class Description>
HRESULT RecordingBuffer<Interface, Description>::Unlock() {
    log_->Add(FormatCall(kind_ + ".Unlock"));
    if (lockCount_ == 0) {
        return D3DERR_INVALIDCALL;
    }
    --lockCount_;
    return D3D_OK;
}

template <class Interface, class Description>
HRESULT RecordingBuffer<Interface, Description>::GetDesc(Description* description) {
    log_->Add(FormatCall(kind_ + ".GetDesc", description));
    if (description == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *description = description_;
    return D3D_OK;
}

template class RecordingBuffer<IDirect3DVertexBuffer9, D3DVERTEXBUFFER_DESC>;
template class RecordingBuffer<IDirect3DIndexBuffer9, D3DINDEXBUFFER_DESC>;

std::vector<std::uint8_t>& RecordedBytes(IDirect3DVertexBuffer9* buffer) {
    auto* recording = dynamic_cast<RecordingVertexBuffer*>(buffer);
    if (recording == nullptr) {
        throw std::invalid_argument("RecordedBytes: not a recording vertex buffer");
    }
    return recording->Bytes();
}

std::vector<std::uint8_t>& RecordedBytes(IDirect3DIndexBuffer9* buffer) {
    auto* recording = dynamic_cast<RecordingIndexBuffer*>(buffer);
    if (recording == nullptr) {
        throw std::invalid_argument("RecordedBytes: not a recording index buffer");
    }
    return recording->Bytes();
}
