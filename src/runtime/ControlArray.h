#pragma once
// A control array: controls of one name told apart by an index, element 0 made with the form and
// further elements loaded and unloaded while the program runs. A new element starts as a copy of
// element 0's place and caption, hidden, as the language's Load statement makes it. The array's
// events carry the element's index first and reach every element, loaded now or later.
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "runtime/Control.h"
#include "runtime/Form.h"

namespace quillon::runtime {

template <typename T>
class ControlArray {
 public:
  ControlArray(Form& form, std::string name) : form_(form), name_(std::move(name)) {
    Bind(*elements_.emplace(0, std::make_unique<T>(form_, name_, 0)).first->second);
  }

  const std::string& Name() const { return name_; }
  T& operator()(int index) { return *elements_.at(index); }
  T* Find(int index) {
    auto it = elements_.find(index);
    return it == elements_.end() ? nullptr : it->second.get();
  }
  bool IsLoaded(int index) const { return elements_.count(index) != 0; }
  std::vector<int> Indices() const {
    std::vector<int> indices;
    for (const auto& [index, element] : elements_) indices.push_back(index);
    return indices;
  }

  // Load: an element that is already loaded is returned as it is.
  T& Load(int index) {
    if (T* existing = Find(index)) return *existing;
    T& first = *elements_.at(0);
    auto element = std::make_unique<T>(form_, name_, index);
    platform::Rect bounds = first.Bounds();
    element->Move(bounds.left, bounds.top, bounds.Width(), bounds.Height());
    element->SetVisible(false);
    element->SetCaption(first.Caption());
    T& loaded = *element;
    elements_[index] = std::move(element);
    Bind(loaded);
    form_.Realize(loaded);
    return loaded;
  }
  // Unload: element 0 stays for the life of the form.
  void Unload(int index) {
    if (index != 0) elements_.erase(index);
  }

  std::function<void(int index)> on_click;
  std::function<void(int index)> on_dbl_click;
  std::function<void(int index, int button, int shift, int x, int y)> on_mouse_down;
  std::function<void(int index, int button, int shift, int x, int y)> on_mouse_up;
  std::function<void(int index, int button, int shift, int x, int y)> on_mouse_move;

 private:
  void Bind(T& element) {
    int index = element.Index();
    element.on_click = [this, index] {
      if (on_click) on_click(index);
    };
    element.on_dbl_click = [this, index] {
      if (on_dbl_click) on_dbl_click(index);
    };
    element.on_mouse_down = [this, index](int b, int s, int x, int y) {
      if (on_mouse_down) on_mouse_down(index, b, s, x, y);
    };
    element.on_mouse_up = [this, index](int b, int s, int x, int y) {
      if (on_mouse_up) on_mouse_up(index, b, s, x, y);
    };
    element.on_mouse_move = [this, index](int b, int s, int x, int y) {
      if (on_mouse_move) on_mouse_move(index, b, s, x, y);
    };
  }

  Form& form_;
  std::string name_;
  std::map<int, std::unique_ptr<T>> elements_;
};

}  // namespace quillon::runtime
