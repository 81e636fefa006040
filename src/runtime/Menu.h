#pragma once
// A menu item of a form: name, caption, state and a Click event, with the items of its submenu.
// A form's top-level menus are trees of these; a popup menu shows one tree's children. Items of
// one name with indices form a menu control array, loaded and unloaded while the program runs.
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quillon::runtime {

class Menu {
 public:
  Menu(std::string name, std::string caption, int index = -1);
  Menu(const Menu&) = delete;
  Menu& operator=(const Menu&) = delete;

  const std::string& Name() const { return name_; }
  int Index() const { return index_; }
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption) { caption_ = std::move(caption); }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled) { enabled_ = enabled; }
  bool Checked() const { return checked_; }
  void SetChecked(bool checked) { checked_ = checked; }
  bool Visible() const { return visible_; }
  void SetVisible(bool visible) { visible_ = visible; }
  bool IsDefault() const { return default_; }
  void SetDefault(bool is_default) { default_ = is_default; }
  // The index of the item's picture in its form's image list, -1 for none.
  int Icon() const { return icon_; }
  void SetIcon(int icon) { icon_ = icon; }
  bool IsSeparator() const { return caption_ == "-"; }
  const std::string& Tag() const { return tag_; }
  void SetTag(std::string tag) { tag_ = std::move(tag); }

  // Adds an item at the end of this item's submenu.
  Menu& Add(std::string name, std::string caption, int index = -1);
  // Removes an item of a menu control array (by name and index); element 0 stays.
  void Remove(std::string_view name, int index);
  const std::vector<std::unique_ptr<Menu>>& Items() const { return items_; }
  Menu* Parent() const { return parent_; }
  // The item of this name (and index) anywhere below this one.
  Menu* Find(std::string_view name, int index = -1);

  std::function<void()> on_click;
  void Click();

 private:
  std::string name_;
  std::string caption_;
  int index_;
  bool enabled_ = true;
  bool checked_ = false;
  bool visible_ = true;
  bool default_ = false;
  int icon_ = -1;
  std::string tag_;
  Menu* parent_ = nullptr;
  std::vector<std::unique_ptr<Menu>> items_;
};

}  // namespace quillon::runtime
