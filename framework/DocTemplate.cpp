#include "DocTemplate.h"

#include <algorithm>

#include "Document.h"
#include "MdiChild.h"
#include "View.h"

namespace fw {

DocTemplate::DocTemplate(UINT resourceId, std::wstring templateString, Factories factories)
    : resourceId_(resourceId), templateString_(std::move(templateString)), factories_(std::move(factories)) {
    menu_ = ::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resourceId));
}

DocTemplate::~DocTemplate() {
    // The main frame puts its own menu back before it goes, so this one is
    // never destroyed with a window.
    if (menu_) ::DestroyMenu(menu_);
}

void DocTemplate::SetMenu(HMENU menu) {
    if (menu_ && menu_ != menu) ::DestroyMenu(menu_);
    menu_ = menu;
}

std::wstring DocTemplate::GetDocString(Field field) const {
    size_t start = 0;
    for (int i = 0; i < field; ++i) {
        size_t nl = templateString_.find(L'\n', start);
        if (nl == std::wstring::npos) return std::wstring();
        start = nl + 1;
    }
    size_t end = templateString_.find(L'\n', start);
    return templateString_.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
}

std::unique_ptr<View> DocTemplate::CreateView() const {
    return factories_.view ? factories_.view() : nullptr;
}

DocTemplate::Opened DocTemplate::OpenNew(MdiFrame& mainFrame, bool visible) {
    if (!factories_.document || !factories_.frame || !factories_.view) return {};
    std::unique_ptr<Document> owned = factories_.document();
    if (!owned) return {};
    Document* document = owned.get();
    document->template_ = this;
    documents_.push_back(std::move(owned));

    std::unique_ptr<MdiChild> frame = factories_.frame();
    if (!frame || !frame->Create(mainFrame, *this, *document, visible)) {
        // The view may have come and gone with a failed frame, closing the
        // document already; closing by pointer is safe either way.
        CloseDocument(document);
        return {};
    }
    MdiChild* child = frame.release();
    child->SetAutoDelete(true);
    View* view = child->view();
    view->OnInitialUpdate();
    return Opened{document, child, view};
}

void DocTemplate::CloseDocument(Document* document) {
    auto it = std::find_if(documents_.begin(), documents_.end(),
                           [document](const std::unique_ptr<Document>& d) { return d.get() == document; });
    if (it == documents_.end()) return;
    std::unique_ptr<Document> closing = std::move(*it);
    documents_.erase(it);
}

}  // namespace fw
