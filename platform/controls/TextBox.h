#pragma once
#include <functional>
#include <string>

#include "platform/forms/Widget.h"

namespace ctl {

// A one-line text cell: text, selection, read-only state and a change notification.
class TextBox : public Widget {
  public:
    explicit TextBox(Widget& parent);
    // The line may outlive this object for a moment (the window is taken down afterwards):
    // what it reports then reaches no one.
    ~TextBox() override;

    std::string Text() const;
    void setText(const std::string& text);
    int SelStart() const;
    void setSelStart(int pos);
    int SelLength() const;
    void setSelLength(int length);
    // Locked: the user can select and copy but not change the text.
    bool Locked() const;
    void setLocked(bool on);
    // Most characters the user may enter; 0 for no limit.
    int MaxLength() const;
    void setMaxLength(int length);
    // Height in twips that one line of the current font needs, frame included.
    int PreferredHeight() const;

    // Runs after every change of the text, by the user or by setText.
    std::function<void()> onChange;
};

}  // namespace ctl
