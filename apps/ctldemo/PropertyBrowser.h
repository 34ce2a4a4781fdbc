#pragma once
// A property browser built from a control's type table: every readable property with its
// type, its value in an editor that suits the type (enumerations as drop-downs, flags as
// check boxes, colours and pictures through their dialogs) and its help text.
#include <QFont>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/com/TypeInfo.h"

class QLabel;
class QTableWidget;

namespace ctl {
class ControlWidget;
}

namespace demo {

class PropertyBrowser : public QWidget {
  public:
    explicit PropertyBrowser(QWidget* parent = nullptr);
    // Rebuilds the rows for this control (null: none).
    void setControl(ctl::ControlWidget* control);
    // Members hidden from a property browser are listed too when on.
    void setShowHidden(bool on);
    // Reads every value again (after a change made elsewhere).
    void refresh();
    // Makes the named property the current row, with its help text shown.
    void select(const std::string& name);
    // The number of rows and the name of each (for tests and the gallery).
    int rowCount() const { return int(rows_.size()); }
    std::string rowName(int i) const { return rows_[size_t(i)].name; }
    // The editor of the named property (null when it has no row).
    QWidget* editor(const std::string& name) const;
    // Asks the user for a font, starting from the current one; nothing when cancelled. A
    // font dialog unless replaced (tests answer without one).
    std::function<std::optional<QFont>(const QFont& current)> chooseFont;

  private:
    struct Row {
        std::string name;
        std::string typeText;
        ctl::VarType type;
        const ctl::EnumInfo* enumeration = nullptr;
        bool writable = false;
        bool colour = false;
        std::string help;
    };
    ctl::ControlWidget* control_ = nullptr;
    bool showHidden_ = false;
    std::vector<Row> rows_;
    QTableWidget* table_;
    QLabel* help_;
    QLabel* message_;
    bool filling_ = false;

    void rebuild();
    void showHelp(int row);
    QWidget* editorFor(int row);
    void write(int row, const ctl::Variant& value);
    void say(const QString& text, bool error);
};

}  // namespace demo
