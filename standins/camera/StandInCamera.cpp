#include "StandInCamera.h"

#include <algorithm>
#include <cstring>

#include "HandOverStamp.h"
#include "JpegCodec.h"
#include "Strings.h"

namespace standin {

namespace {
constexpr uint32_t kMaxSendBytes = 64 * 1024 * 1024;

HMODULE ThisModule() {
    HMODULE module = nullptr;
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCWSTR>(&ThisModule), &module);
    return module;
}

HGLOBAL ToGlobal(const std::vector<uint8_t>& bytes) {
    if (bytes.empty()) return nullptr;
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    fw::GlobalLock lock(block);
    if (!lock.get()) {
        if (block) ::GlobalFree(block);
        return nullptr;
    }
    std::memcpy(lock.get(), bytes.data(), bytes.size());
    return block;
}

void Set(DWORD* out, DWORD value) {
    if (out) *out = value;
}
}  // namespace

StandInCamera::StandInCamera()
    : settings_(CameraSettings::Load(SettingsPath(), fw::ModuleFolder(ThisModule()))),
      channel_(settings_),
      block_(channel_.block()),
      records_(block_),
      card_(settings_.cardFolder, settings_.cardCapacity, block_),
      frames_(settings_.frameFolder, settings_.preparedFrames),
      optics_(::GetTickCount64()),
      thread_(*this, channel_.wakeEvent()) {}

StandInCamera::~StandInCamera() { thread_.Stop(); }

bool StandInCamera::Start() { return thread_.Start(); }

std::wstring StandInCamera::SettingsPath() { return fw::ModuleFolder(ThisModule()) + L"KorvoDocCameraIM.ini"; }

void __stdcall StandInCamera::SetNotifyWindow(HWND window) {
    std::lock_guard<std::mutex> guard(lock_);
    notifyWindow_ = window;
}

BOOL __stdcall StandInCamera::IsConnect() { return block_.attached ? TRUE : FALSE; }

BOOL __stdcall StandInCamera::bOpen(HWND, DWORD* detail) {
    std::lock_guard<std::mutex> guard(lock_);
    if (!block_.attached) return Refuse(detail, device::kErrorNotAvailable);
    if (open_) return Refuse(detail, device::kErrorAlreadyOpen);
    open_ = true;
    Set(detail, 0);
    return TRUE;
}

BOOL __stdcall StandInCamera::bClose(DWORD* detail) {
    std::lock_guard<std::mutex> guard(lock_);
    if (!open_) return Refuse(detail, kErrorNotOpen);
    open_ = false;
    Set(detail, 0);
    return TRUE;
}

bool StandInCamera::Refuse(DWORD* detail, DWORD code) {
    Set(detail, code);
    return false;
}

void StandInCamera::Log(const device::RequestHeader* request) {
    if (request) LogRequest(block_, request->command, static_cast<LONG>(request->parameter));
}

// Every request passes here first: counted, then refused when malformed,
// when the camera is away or closed, or when a refusal was injected.
bool StandInCamera::Admit(bool valid, DWORD* detail) {
    ::InterlockedIncrement(&block_.requests);
    DWORD refusal = 0;
    if (!valid)
        refusal = kErrorBadArgument;
    else if (!block_.attached)
        refusal = device::kErrorNotAvailable;
    else if (std::lock_guard<std::mutex> guard(lock_); !open_)
        refusal = kErrorNotOpen;
    else if (TakeOne(&block_.refuseRequests))
        refusal = kErrorBusy;
    if (refusal == 0) return true;
    ::InterlockedIncrement(&block_.refused);
    return Refuse(detail, refusal);
}

bool StandInCamera::IsRequestCommand(const Work& work) {
    return work.code == device::kGetJpegImage || CameraOptics::Accepts(work.code, work.parameter);
}

bool StandInCamera::ReadPacket(const device::CommandPacket* packet, Work& work) {
    if (!packet || !packet->request) return false;
    work.code = packet->request->command;
    work.parameter = packet->request->parameter;
    if (work.code != device::kGetJpegImage && !SdCard::IsCardCommand(work.code)) return false;
    work.card.code = work.code;
    if (packet->name) {
        const char* end = static_cast<const char*>(std::memchr(packet->name, 0, device::kPacketNameSize));
        if (!end) return false;  // a name must end inside its buffer
        work.card.name.assign(packet->name, static_cast<size_t>(end - packet->name));
    }
    if (packet->sendSize > kMaxSendBytes || (packet->sendSize && !packet->sendData)) return false;
    const auto* send = static_cast<const uint8_t*>(packet->sendData);
    work.card.send.assign(send, send + packet->sendSize);
    return true;
}

// Frames leave no faster than the frame rate; every answer waits the injected delay.
ULONGLONG StandInCamera::DueTime(const Work& work) {
    ULONGLONG due = ::GetTickCount64() + static_cast<ULONGLONG>(Bounded(block_.delayMs, 0, kMaxDelayMs));
    LONG rate = Bounded(block_.frameRate, 0, kMaxFrameRate);
    if (work.code != device::kGetJpegImage || rate <= 0) return due;
    std::lock_guard<std::mutex> guard(frameLock_);
    due = std::max(due, nextFrameDue_);
    nextFrameDue_ = due + 1000 / static_cast<ULONGLONG>(rate);
    return due;
}

void StandInCamera::WaitUntil(ULONGLONG dueMs) {
    ULONGLONG now = ::GetTickCount64();
    if (dueMs > now) ::Sleep(static_cast<DWORD>(dueMs - now));
}

StandInCamera::Answer StandInCamera::Serve(const Work& work) {
    Answer answer;
    if (!block_.attached) {
        answer.status = kStatusDeviceFault;  // unplugged while the request waited
        return answer;
    }
    if (TakeOne(&block_.failResponses)) {
        ::InterlockedIncrement(&block_.failed);
        answer.status = kStatusDeviceFault;
        return answer;
    }
    if (work.code == device::kGetJpegImage) return ServeFrame();
    if (CameraOptics::IsLensCommand(work.code)) return ServeLens(work);
    return ServeCard(work);
}

StandInCamera::Answer StandInCamera::ServeFrame() {
    Answer answer;
    answer.carriesData = true;
    if (TakeOne(&block_.emptyFrames)) return answer;
    std::vector<uint8_t> file;
    {
        std::lock_guard<std::mutex> guard(frameLock_);
        file = frames_.Next(optics_.ViewAt(::GetTickCount64()));
    }
    if (file.empty()) {
        answer.status = kStatusIoError;
        return answer;
    }
    if (TakeOne(&block_.corruptFrames)) file = DamageJpeg(std::move(file));
    if (settings_.stampFrames) file = WithStampSegment(std::move(file));
    answer.data = ToGlobal(file);
    if (!answer.data) {
        answer.status = kStatusIoError;
        return answer;
    }
    answer.size = static_cast<uint32_t>(file.size());
    ::InterlockedIncrement(&block_.frames);
    return answer;
}

StandInCamera::Answer StandInCamera::ServeLens(const Work& work) {
    std::lock_guard<std::mutex> guard(frameLock_);
    optics_.Apply(work.code, work.parameter, ::GetTickCount64());
    return Answer{};
}

StandInCamera::Answer StandInCamera::ServeCard(const Work& work) {
    CardResponse response = card_.Execute(work.card);
    Answer answer;
    answer.status = response.status;
    answer.carriesData = response.carriesData;
    answer.data = ToGlobal(response.data);
    if (!response.data.empty() && !answer.data) answer.status = kStatusIoError;
    answer.size = answer.data ? static_cast<uint32_t>(response.data.size()) : 0;
    return answer;
}

BOOL __stdcall StandInCamera::bRequest(const device::RequestHeader* request, HGLOBAL* data, DWORD* size,
                                       DWORD* detail) {
    Log(request);
    Work work;
    if (request) work = Work{request->command, request->parameter, {}};
    if (!Admit(request && data && size && IsRequestCommand(work), detail)) return FALSE;
    WaitUntil(DueTime(work));
    Answer answer = Serve(work);
    if (answer.status != 0) {
        if (answer.data) ::GlobalFree(answer.data);
        return Refuse(detail, kErrorTransfer);
    }
    *data = answer.data;
    *size = answer.size;
    Set(detail, 0);
    return TRUE;
}

BOOL __stdcall StandInCamera::bRequestPacket(void* packet, DWORD* detail) {
    auto* command = static_cast<device::CommandPacket*>(packet);
    Log(command ? command->request : nullptr);
    Work work;
    if (!Admit(ReadPacket(command, work), detail)) return FALSE;
    WaitUntil(DueTime(work));
    Answer answer = Serve(work);
    device::ResponseRecord* record =
        records_.Issue(work.code, answer.status, answer.data, answer.size, answer.carriesData);
    if (!record) return Refuse(detail, kErrorTransfer);
    command->response = record;
    command->threadId = thread_.id();
    Set(detail, 0);
    return TRUE;
}

BOOL __stdcall StandInCamera::bRequestAsync(HWND target, const device::RequestHeader* request, DWORD* value,
                                            DWORD* detail) {
    Log(request);
    Work work;
    if (request) work = Work{request->command, request->parameter, {}};
    if (!Admit(target && request && IsRequestCommand(work), detail)) return FALSE;
    return Submit(target, std::move(work), value, detail);
}

BOOL __stdcall StandInCamera::bRequestPacketAsync(HWND target, void* packet, DWORD* value, DWORD* detail) {
    auto* command = static_cast<device::CommandPacket*>(packet);
    Log(command ? command->request : nullptr);
    Work work;
    if (!Admit(target && ReadPacket(command, work), detail)) return FALSE;
    command->threadId = thread_.id();
    return Submit(target, std::move(work), value, detail);
}

BOOL StandInCamera::Submit(HWND target, Work work, DWORD* value, DWORD* detail) {
    ULONGLONG due = DueTime(work);
    LONG number = block_.requests;
    bool queued = thread_.Queue(due, [this, target, work = std::move(work)] {
        Complete(target, work.code, Serve(work));
    });
    if (!queued) return Refuse(detail, kErrorTransfer);
    Set(value, static_cast<DWORD>(number));
    Set(detail, 0);
    return TRUE;
}

void StandInCamera::Complete(HWND target, uint16_t code, const Answer& answer) {
    if (settings_.stampFrames && code == device::kGetJpegImage) {
        fw::GlobalLock bytes(answer.data);
        if (bytes.get()) StampHandOver(static_cast<uint8_t*>(bytes.get()), answer.size);
    }
    device::ResponseRecord* record = records_.Issue(code, answer.status, answer.data, answer.size, answer.carriesData);
    if (!record) return;
    // A window that is gone never takes the record: nothing may leak for it.
    if (!::PostMessageW(target, device::WM_DEVICE_REQUEST_COMPLETE, thread_.id(), reinterpret_cast<LPARAM>(record)))
        records_.Discard(record);
}

void StandInCamera::OnRecordReturned(device::ResponseRecord* record) { records_.TakeBack(record); }

void StandInCamera::OnControlSignal() {
    // The sequence is read first, so everything it covers is seen below.
    LONG seq = block_.commandSeq;
    LONG wantAttached = block_.wantAttached ? 1 : 0;
    if (::InterlockedExchange(&block_.attached, wantAttached) != wantAttached) {
        if (!wantAttached) {
            std::lock_guard<std::mutex> guard(lock_);
            open_ = false;  // a removed camera has to be opened again
        }
        Notify(wantAttached ? device::kNotifyArrival : device::kNotifyRemoval);
    }
    ::InterlockedExchange(&block_.cardInserted, block_.wantCard ? 1 : 0);
    ::InterlockedExchange(&block_.appliedSeq, seq);
}

void StandInCamera::Notify(WPARAM event) {
    HWND window;
    {
        std::lock_guard<std::mutex> guard(lock_);
        window = notifyWindow_;
    }
    if (window) ::PostMessageW(window, device::WM_DEVICE_NOTIFY, event, 0);
}

}  // namespace standin
