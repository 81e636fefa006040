#pragma once
// Dialogs on the simulated desktop. Every message box, input box, file dialog and colour dialog is
// recorded and answered from a queue of answers the person gave beforehand, oldest first. With no
// answer queued, a dialog either waits for the person's answer (when the owner hands in a wait, as
// the interactive sandbox does) or takes its default at once: a message box its first button, the
// others cancelled. A popup menu stays open, waiting for the person, until an item is chosen or the
// menu is dismissed.
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Dialogs.h"

namespace quillon::sim {

class SimDialogs : public platform::Dialogs {
 public:
  struct Answer {
    enum class Kind { kOk, kYes, kNo, kCancel, kText, kFile, kColor } kind = Kind::kOk;
    std::string text;  // kText, kFile
    platform::ColorRef color = 0;
  };
  struct Shown {
    enum class Kind { kMessageBox, kInputBox, kOpenFile, kSaveFile, kColor } kind;
    std::string text;  // message or prompt
    std::string title;
    uint32_t flags = 0;
    std::string outcome;  // what it was answered with, for a person reading a dump
    std::string folder;   // the folder a file dialog opened in; empty when none was given
  };
  // Runs a modal wait until `done` holds (the event loop, handed in by the owner). Without one a
  // popup menu is dismissed at once.
  using ModalRunner = std::function<void(const std::function<bool()>& done)>;
  // Waits, modally, until the person has answered `dialog` (`answered` holds) or has gone. The
  // dialog is then open: the events of the desktop go on meanwhile, and the person's `QueueAnswer`
  // reaches it.
  using AnswerWait =
      std::function<void(const Shown& dialog, const std::function<bool()>& answered)>;

  platform::DialogResult MessageBox(std::string_view text, std::string_view title,
                                    uint32_t flags) override;
  std::optional<std::string> InputBox(std::string_view prompt, std::string_view title,
                                      std::string_view initial) override;
  std::optional<std::string> OpenFile(std::string_view title,
                                      const std::vector<platform::FileFilter>& filters,
                                      std::string_view initial_folder = {}) override;
  std::optional<std::string> SaveFile(std::string_view title, std::string_view suggested_name,
                                      const std::vector<platform::FileFilter>& filters,
                                      std::string_view initial_folder = {}) override;
  std::optional<platform::ColorRef> ChooseColor(platform::ColorRef initial) override;
  uint32_t TrackPopupMenu(platform::Hwnd owner, const std::vector<platform::PopupMenuItem>& items,
                          platform::Point where) override;

  // The person's answer: it goes to the dialog that waits for one (the innermost, the one in
  // front), else to the queue for the next dialog. True when a waiting dialog took it.
  bool QueueAnswer(Answer answer);
  void SetModalRunner(ModalRunner runner) { modal_runner_ = std::move(runner); }
  void SetAnswerWait(AnswerWait wait) { answer_wait_ = std::move(wait); }
  // The dialog waiting for the person's answer now (the one in front), if any.
  const Shown* Waiting() const;
  // The same, for a check that looks at it while it is open: once answered, it is not offered to
  // the checks again.
  const Shown* CheckWaiting();

  // Dialogs shown and not yet looked at by a check, oldest first.
  std::optional<Shown> TakeUnchecked();
  size_t UncheckedCount() const { return shown_.size() - checked_; }
  const std::vector<Shown>& AllShown() const { return shown_; }

  // The popup menu open now, if any.
  const std::vector<platform::PopupMenuItem>* OpenMenu() const;
  // Where on the screen the open (or last) popup menu was opened.
  platform::Point MenuPlace() const { return menu_place_; }
  // Finds an item by its path of captions (access-key "&" removed, joined with "/").
  static const platform::PopupMenuItem* FindItem(const std::vector<platform::PopupMenuItem>& items,
                                                 std::string_view path);
  static std::string PlainCaption(std::string_view caption);
  // Chooses an item of the open menu; false when there is none to choose (no menu, missing or
  // disabled item, or an item that opens a submenu).
  bool ChooseMenuItem(std::string_view path, std::string* why);
  void DismissMenu();

 private:
  // The queued answer, else (with a wait handed in) the one the person gives while the dialog
  // waits; nullopt when neither came, and the dialog takes its default.
  std::optional<Answer> NextAnswer(Shown::Kind kind, std::string_view text, std::string_view title,
                                   uint32_t flags = 0, std::string_view folder = {});

  struct OpenDialog {
    Shown dialog;
    std::optional<Answer> answer;
    bool checked = false;  // a check looked at it while it was open
  };
  // Records a dialog as answered; one that a check looked at while it was open counts as checked
  // when no dialog shown before it still waits for a check.
  void Record(Shown shown);
  std::deque<Answer> answers_;
  AnswerWait answer_wait_;
  std::vector<std::unique_ptr<OpenDialog>> waiting_;  // innermost last
  std::vector<Shown> shown_;
  size_t checked_ = 0;
  bool answered_was_checked_ = false;  // the dialog NextAnswer just closed had been checked
  ModalRunner modal_runner_;
  std::optional<std::vector<platform::PopupMenuItem>> open_menu_;
  std::optional<uint32_t> menu_choice_;
  platform::Point menu_place_{};
};

}  // namespace quillon::sim
