#include "CameraHarness.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <jpeglib.h>

#include "Handles.h"

namespace camera_test {

LoadedCamera::LoadedCamera(const std::string& settings) {
    std::wstring dll = folder_ / L"KorvoDocCameraIM.dll";
    ::CopyFileW((testing_support::TestProgramFolder() + L"KorvoDocCameraIM.dll").c_str(), dll.c_str(), FALSE);
    ::CreateDirectoryW(cardFolder().c_str(), nullptr);
    testing_support::WriteFileBytes(folder_ / L"KorvoDocCameraIM.ini", settings);
    library_ = ::LoadLibraryW(dll.c_str());
    if (!library_) return;
    auto create = reinterpret_cast<device::CreateInstanceFn>(::GetProcAddress(library_, "CreateInstance"));
    release_ = reinterpret_cast<device::ReleaseInstanceFn>(::GetProcAddress(library_, "ReleaseInstance"));
    if (create && release_) create(&camera_);
    control_.emplace();
}

LoadedCamera::~LoadedCamera() {
    Release();
    control_.reset();
    if (library_) ::FreeLibrary(library_);
}

void LoadedCamera::Release() {
    if (camera_) release_(&camera_);
}

std::optional<MSG> LoadedCamera::WaitForMessage(UINT message, DWORD ms) {
    std::optional<MSG> msg;
    testing_support::WaitUntil([&] { return (msg = window_.Take(message)).has_value(); }, ms);
    return msg;
}

std::optional<Completion> LoadedCamera::WaitForCompletion(DWORD ms) {
    auto msg = WaitForMessage(device::WM_DEVICE_REQUEST_COMPLETE, ms);
    if (!msg) return std::nullopt;
    auto* record = reinterpret_cast<device::ResponseRecord*>(msg->lParam);
    Completion c{static_cast<DWORD>(msg->wParam), record->code, record->status, record->kind,
                 CopyBlock(record->data, record->size)};
    HandBack(c.threadId, record);
    return c;
}

bool LoadedCamera::AllRecordsBack(DWORD ms) {
    return testing_support::WaitUntil([&] { return control_->Counters().recordsOutstanding == 0; }, ms);
}

void HandBack(DWORD threadId, device::ResponseRecord* record) {
    if (record->kind == device::kResponseWithData && record->data) ::GlobalFree(record->data);
    ::PostThreadMessageW(threadId, device::WM_DEVICE_RESPONSE_RELEASE, 0, reinterpret_cast<LPARAM>(record));
}

std::string CopyBlock(HGLOBAL block, size_t size) {
    fw::GlobalLock lock(block);
    if (!lock.get() || ::GlobalSize(block) < size) return std::string();
    return std::string(static_cast<const char*>(lock.get()), size);
}

namespace {
struct ErrorExit {
    jpeg_error_mgr base;
    jmp_buf escape;
};

void Escape(j_common_ptr info) { longjmp(reinterpret_cast<ErrorExit*>(info->err)->escape, 1); }

bool Decode(const std::string& file, Decoded& out) {
    jpeg_decompress_struct info;
    ErrorExit errors;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = Escape;
    errors.base.output_message = [](j_common_ptr) {};
    if (setjmp(errors.escape)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(file.data()), static_cast<unsigned long>(file.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_EXT_BGR;
    jpeg_start_decompress(&info);
    out.width = static_cast<int>(info.output_width);
    out.height = static_cast<int>(info.output_height);
    out.bgr.resize(static_cast<size_t>(out.width) * out.height * 3);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = out.bgr.data() + static_cast<size_t>(info.output_scanline) * out.width * 3;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}
}  // namespace

std::optional<Decoded> DecodeJpeg(const std::string& file) {
    Decoded out;
    if (file.empty() || !Decode(file, out)) return std::nullopt;
    return out;
}

std::optional<Decoded> StillFrame(device::IDeviceControl* camera) {
    auto request = device::MakeRequest(device::kGetJpegImage);
    HGLOBAL data = nullptr;
    DWORD size = 0, detail = 0;
    if (!camera->bRequest(&request, &data, &size, &detail)) return std::nullopt;
    std::string file = CopyBlock(data, size);
    ::GlobalFree(data);
    return DecodeJpeg(file);
}

}  // namespace camera_test
