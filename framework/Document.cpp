#include "Document.h"

#include <algorithm>

#include "DocTemplate.h"
#include "View.h"

namespace fw {

void Document::UpdateAllViews(View* sender, LPARAM hint) {
    // A view's update may close another view; walk a copy.
    std::vector<View*> views = views_;
    for (View* view : views)
        if (view != sender && std::find(views_.begin(), views_.end(), view) != views_.end()) view->OnUpdate(sender, hint);
}

void Document::AddView(View* view) {
    if (std::find(views_.begin(), views_.end(), view) == views_.end()) views_.push_back(view);
}

void Document::RemoveView(View* view) {
    auto it = std::find(views_.begin(), views_.end(), view);
    if (it == views_.end()) return;
    views_.erase(it);
    // Deletes this document: nothing may touch it afterwards.
    if (views_.empty() && template_) template_->CloseDocument(this);
}

}  // namespace fw
