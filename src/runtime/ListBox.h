#pragma once
// A list box of text items with one selected item (ListIndex, -1 for none).
#include <string>
#include <vector>

#include "runtime/Control.h"

namespace quillon::runtime {

class ListBox : public Control {
 public:
  using Control::Control;
  const char* Kind() const override { return "ListBox"; }
  void AddItem(std::string item) { items_.push_back(std::move(item)); }
  void RemoveItem(int index);
  void Clear();
  const std::vector<std::string>& Items() const { return items_; }
  int ListCount() const { return static_cast<int>(items_.size()); }
  int ListIndex() const { return list_index_; }
  // Selecting an item raises Click, as the control does.
  void SetListIndex(int index);
  // The selected item's text, or "" with none.
  std::string Text() const;
  void PersonDoubleClick(std::string_view item) override;
  // A click on the item: it is selected and Click is raised, as by the mouse. False when the
  // list holds no such item.
  bool PersonSet(std::string_view item) override;
  std::optional<std::string> Property(std::string_view name) const override;

 protected:
  const char* WindowClass() const override { return "ThunderRT6ListBox"; }

 private:
  std::vector<std::string> items_;
  int list_index_ = -1;
};

}  // namespace quillon::runtime
