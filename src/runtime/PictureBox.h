#pragma once
// A picture box: a window showing a picture, which the program also uses as a button (it takes
// the mouse) and as a holder of icons.
#include "runtime/Control.h"
#include "runtime/Picture.h"

namespace quillon::runtime {

class PictureBox : public Control {
 public:
  using Control::Control;
  const char* Kind() const override { return "PictureBox"; }
  const Picture& GetPicture() const { return picture_; }
  void SetPicture(Picture picture) { picture_ = std::move(picture); }
  std::optional<std::string> Property(std::string_view name) const override {
    if (name == "picture") return picture_.source;
    return Control::Property(name);
  }

 protected:
  const char* WindowClass() const override { return "ThunderRT6PictureBoxDC"; }

 private:
  Picture picture_;
};

}  // namespace quillon::runtime
