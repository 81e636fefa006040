#include "runtime/Menu.h"

#include <algorithm>

namespace quillon::runtime {

Menu::Menu(std::string name, std::string caption, int index)
    : name_(std::move(name)), caption_(std::move(caption)), index_(index) {}

Menu& Menu::Add(std::string name, std::string caption, int index) {
  auto item = std::make_unique<Menu>(std::move(name), std::move(caption), index);
  item->parent_ = this;
  items_.push_back(std::move(item));
  return *items_.back();
}

void Menu::Remove(std::string_view name, int index) {
  if (index == 0) return;
  std::erase_if(items_, [&](const std::unique_ptr<Menu>& item) {
    return item->name_ == name && item->index_ == index;
  });
}

Menu* Menu::Find(std::string_view name, int index) {
  if (name_ == name && (index < 0 || index_ == index)) return this;
  for (auto& item : items_) {
    if (Menu* found = item->Find(name, index)) return found;
  }
  return nullptr;
}

void Menu::Click() {
  // The handler may remove this very item (a menu control array reloaded from its click).
  auto handler = on_click;
  if (handler) handler();
}

}  // namespace quillon::runtime
