#include "sdview/SlidePlayList.h"

#include <memory>
#include <utility>

#include "Handles.h"
#include "Strings.h"
#include "resource.h"
#include "sdview/OwnedItemData.h"
#include "sdview/PlayListRules.h"
#include "transfer/CardMessages.h"

void CSlidePlayList::Init() {
    SetExtendedStyle(LVS_EX_FULLROWSELECT);
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    const double width = client.right - client.left;
    AddColumn(L"FileName", static_cast<int>(width * 0.48));
    AddColumn(L"Effect", static_cast<int>(width * 0.28));
    AddColumn(L"Interval", static_cast<int>(width * 0.2), LVCFMT_RIGHT);
    CreateEditBox();
    cacheFolder_ = ThumbnailCacheRoot();
    onSelectionChanged = [this](int, bool) { NotifyPreview(); };
}

int CSlidePlayList::AddEntry(const wchar_t* path, const wchar_t* effect, const wchar_t* interval, int position) {
    if (!path || !effect || !interval) return -1;
    const std::wstring name = PlayListDisplayName(path);
    if (name.empty()) return -1;
    auto entry = std::make_unique<PlayListEntry>();
    entry->path = path;
    entry->effect = ParseCode(effect, L"SE", kEffectCount - 1, kNoEffect);
    entry->interval = ParseCode(interval, L"SI", kIntervalCount - 1, kShortInterval);
    const int row = Insert(Item{name, I_IMAGENONE, reinterpret_cast<LPARAM>(entry.get())}, position < 0 ? Count() : position);
    if (row < 0) return -1;
    SetText(row, 1, EffectName(entry->effect));
    SetText(row, 2, IntervalText(entry->interval));
    entry.release();  // the row owns it now
    return row;
}

void CSlidePlayList::LoadFromCard() {
    fw::WaitCursor wait;
    std::string text;
    if (HGLOBAL copy = card_.SD_GetPlayList()) {
        fw::GlobalLock record(copy);
        const auto* file = static_cast<const SdReceivedFile*>(record.get());
        fw::GlobalLock bytes(file ? file->data : nullptr);
        if (bytes.get()) text.assign(static_cast<const char*>(bytes.get()), file->size);
    }
    card_.Clear();
    bool refused = false;
    for (const PlayListFields& line : SplitPlayList(text))
        if (AddEntry(line[0].c_str(), line[1].c_str(), line[2].c_str(), -1) < 0) refused = true;
    if (refused) ShowCardMessage(::GetParent(hwnd()), IDS_PLAYLIST_REFUSED, MB_OK | MB_ICONEXCLAMATION);
}

std::wstring CSlidePlayList::PlayListText() const {
    std::wstring text;
    for (int row = 0; row < Count(); ++row)
        if (const PlayListEntry* entry = Entry(row)) text += PlayListLine(entry->path, entry->effect, entry->interval);
    return text;
}

int CSlidePlayList::RegisterToCard() {
    fw::WaitCursor wait;
    const std::wstring text = PlayListText();
    // An empty order leaves the card's play list as it was.
    if (text.empty()) return 1;
    const std::string ansi = fw::ToAnsi(text);
    const bool written = card_.SD_SetPlayList(ansi.data(), static_cast<uint32_t>(ansi.size()));
    card_.Clear();
    if (!written) ShowCardMessage(::GetParent(hwnd()), IDS_PLAYLIST_NOT_REGISTERED, MB_OK | MB_ICONERROR);
    return 1;
}

void CSlidePlayList::MoveSelected(int direction) {
    const std::vector<int> selected = Selection();
    if (selected.empty()) return;
    if (selected.size() > 1) {
        ShowCardMessage(::GetParent(hwnd()), IDS_SEVERAL_LINES_SELECTED, MB_OK | MB_ICONERROR);
        return;
    }
    const int row = selected.front();
    const int target = row + direction;
    if (target < 0 || target >= Count()) return;
    SwapRows(row, target);
    Select(-1, false);
    SelectOnly(target);
}

void CSlidePlayList::SwapRows(int a, int b) {
    for (int column = 0; column < 3; ++column) {
        const std::wstring first = Text(a, column);
        SetText(a, column, Text(b, column));
        SetText(b, column, first);
    }
    LVITEMW one{}, other{};
    one.mask = other.mask = LVIF_PARAM;
    one.iItem = a;
    other.iItem = b;
    one.lParam = Value(b);
    other.lParam = Value(a);
    ListView_SetItem(hwnd(), &one);
    ListView_SetItem(hwnd(), &other);
}

void CSlidePlayList::DeleteSelected() {
    const std::vector<int> selected = Selection();
    for (auto row = selected.rbegin(); row != selected.rend(); ++row) Delete(*row);
}

void CSlidePlayList::NotifyPreview() {
    if (!onPreview) return;
    fw::WaitCursor wait;
    const std::vector<int> selected = Selection();
    const PlayListEntry* entry = selected.size() == 1 ? Entry(selected.front()) : nullptr;
    if (!entry) {
        onPreview(L"", false);
        return;
    }
    const std::wstring cached = CachedThumbnailPath(cacheFolder_, entry->path);
    if (::GetFileAttributesW(cached.c_str()) != INVALID_FILE_ATTRIBUTES)
        onPreview(cached, true);
    else
        onPreview(entry->path, false);
}

bool CSlidePlayList::OnReflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (DeleteOwnedItemData<PlayListEntry>(msg, lParam)) {
        result = 0;
        return true;
    }
    return fw::ListView::OnReflected(msg, wParam, lParam, result);
}
