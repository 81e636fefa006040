#include "runtime/ListBox.h"

namespace quillon::runtime {

void ListBox::RemoveItem(int index) {
  if (index < 0 || index >= ListCount()) return;
  items_.erase(items_.begin() + index);
  if (list_index_ >= ListCount()) list_index_ = ListCount() - 1;
}

void ListBox::Clear() {
  items_.clear();
  list_index_ = -1;
}

void ListBox::SetListIndex(int index) {
  if (index < -1 || index >= ListCount()) return;
  list_index_ = index;
  if (index >= 0) Raise("Click", on_click);
}

std::string ListBox::Text() const {
  return list_index_ >= 0 && list_index_ < ListCount() ? items_[list_index_] : std::string();
}

void ListBox::PersonDoubleClick(std::string_view item) {
  if (!Enabled() || !Visible()) return;
  for (int i = 0; i < ListCount(); ++i) {
    if (items_[i] == item) {
      SetFocus();
      SetListIndex(i);
      Raise("DblClick", on_dbl_click);
      return;
    }
  }
}

bool ListBox::PersonSet(std::string_view item) {
  for (int i = 0; i < ListCount(); ++i) {
    if (items_[i] != item) continue;
    if (Enabled() && Visible()) {
      SetFocus();
      SetListIndex(i);
    }
    return true;
  }
  return false;
}

std::optional<std::string> ListBox::Property(std::string_view name) const {
  if (name == "items") {
    std::string joined;
    for (size_t i = 0; i < items_.size(); ++i) joined += (i ? "|" : "") + items_[i];
    return joined;
  }
  if (name == "text") return Text();
  if (name == "value") return std::to_string(list_index_);
  return Control::Property(name);
}

}  // namespace quillon::runtime
