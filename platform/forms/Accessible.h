#pragma once
// What a control tells assistive technology (screen readers): its role, name, description and
// value, and its parts in reading order — texts, child windows that speak for themselves, and
// tables or lists whose cells are read on demand. A control gives one AccessibleSource for its
// own window; the platform turns it into the toolkit's accessible objects, so every host that
// places the control's window shows the same tree.
#include <string>

#include "platform/forms/Widget.h"

namespace ctl {

enum class AccessibleRole { Chart, Graphic, ComboBox, StaticText, EditableText, Table, List };

// One part under a control. Text: static text (`name` its words, `value` what it shows when the
// name only says what it is). Window: a child window with its own accessible object, given
// `name` when not empty. Table and List: rows of cells, asked from the source by part index.
struct AccessiblePart {
    enum Kind { Text, Window, Table, List } kind = Text;
    std::string name, value;
    Widget* window = nullptr;
};

// The changes a source announces.
enum class AccessibleChange {
    Name,
    Description,
    Value,
    Parts,      // parts came, went or changed their words
    Rows,       // the rows of a table or list part changed
    Selection,  // the selected row of a table or list part moved
};

class AccessibleSource {
  public:
    // Speaks for `control`'s window from now on, until the source ends.
    explicit AccessibleSource(Widget& control);
    virtual ~AccessibleSource();
    AccessibleSource(const AccessibleSource&) = delete;
    AccessibleSource& operator=(const AccessibleSource&) = delete;

    virtual AccessibleRole Role() const = 0;
    virtual std::string Name() const = 0;
    virtual std::string Description() const { return {}; }
    virtual std::string Value() const { return {}; }

    // Parts in reading order. Asked one at a time: a part list may be long.
    virtual int PartCount() const = 0;
    virtual AccessiblePart Part(int index) const = 0;

    // The cells of a Table or List part (a list has one column).
    virtual int Rows(int part) const {
        (void)part;
        return 0;
    }
    virtual int Columns(int part) const {
        (void)part;
        return 1;
    }
    virtual std::string ColumnName(int part, int column) const {
        (void)part, (void)column;
        return {};
    }
    virtual std::string Cell(int part, int row, int column) const {
        (void)part, (void)row, (void)column;
        return {};
    }
    virtual int SelectedRow(int part) const {
        (void)part;
        return -1;
    }

    // Tells assistive technology what changed (`part` for Rows and Selection).
    void Announce(AccessibleChange what, int part = -1) const;

    Widget& Control() const { return control_; }
    // The source that speaks for a window, if any.
    static AccessibleSource* For(const Widget& control);

  private:
    Widget& control_;
};

// The accessible name of a window (a text cell named after its column, for instance).
void SetAccessibleName(Widget& w, const std::string& name);

// Makes `controlWindow` a control's window, whose accessible object the platform makes (a
// control that has no source reads as a plain window). The control's container calls it.
void InstallAccessibility(Widget& controlWindow);

}  // namespace ctl
