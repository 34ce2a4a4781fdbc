#pragma once
// Puts a control into a Qt application's own widgets: created by class name alone, sized by
// the application's layout, driven by property, method and event names.
//
//     auto* chart = new ctl::ControlWidget("Karvex.ucKarvex", this);
//     layout->addWidget(chart);
//     chart->set("Title", "Rainfall");
//     chart->on("FinishDrawing", [](ctl::Args&) { ... });
//     chart->call("Draw");
//
// Failing calls raise ctl::RaisedError (a number and a description), as the controls do.
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/com/RaisedError.h"
#include "platform/com/TypeInfo.h"
#include "platform/com/Variant.h"

namespace ctl {

class UserControl;

// An entry a control added to the system menu of its form (the chart mirrors its commands
// there), as it stands: caption, enabling and check mark.
struct SystemMenuEntry {
    int32_t id = 0;
    std::string text;
    bool enabled = true, checked = false;
    bool separator = false;  // a separator line above the entry (never on the first one)
};

struct ControlOptions {
    // Design time: the control shows itself for a form designer and makes none of its run-time
    // objects; run time otherwise.
    bool designMode = false;
    // The application folder the control sees (where its data files live); empty: the folder
    // of the control's library.
    std::string dataFolder;
};

class ControlWidget : public QWidget {
    Q_OBJECT
  public:
    // A new control with its default properties; raises 429 when no library offers the class.
    explicit ControlWidget(const std::string& className, QWidget* parent = nullptr,
                           ControlOptions options = {});
    // A control read from a property file written by save(); its class is the one the file
    // names. Raises 53 or 13 when the file cannot be read, 429 when the class is not found.
    static ControlWidget* fromFile(const std::string& path, QWidget* parent = nullptr,
                                   ControlOptions options = {});
    ~ControlWidget() override;

    // The class names the installed manifests offer, in search order.
    static std::vector<std::string> availableClasses();

    std::string className() const;
    const ClassInfo& typeInfo() const;
    bool designMode() const;

    // Property get and put, method call, by name (index arguments for indexed properties).
    // An object value is put by reference when the property takes it so.
    Variant get(const std::string& property, Args index = {});
    void set(const std::string& property, const Variant& value, Args index = {});
    Variant call(const std::string& method, Args args = {});

    // Connects a handler to an event by name; by-reference arguments changed by the handler go
    // back to the control. Raises 438 when the class raises no such event. off() drops them.
    using Handler = std::function<void(Args& args)>;
    void on(const std::string& event, Handler handler);
    void off(const std::string& event);
    // Every event (after its own handlers) and every property-changed notification.
    std::function<void(const std::string& event, Args& args)> onAnyEvent;
    std::function<void(const std::string& key)> onPropertyChanged;

    // The entries the control added to its form's system menu, in menu order, as they stand
    // now. The window system's own entries (move, size, close) are left out: the
    // application's window has its own. A host shows them in a menu of its own and asks again
    // each time that menu opens, so captions and enabling stay in step with the control.
    std::vector<SystemMenuEntry> systemMenuEntries() const;
    // Runs an entry as choosing it in the system menu does: a system command to the control's
    // form, through the form's message handlers. False when the entry is disabled (nothing
    // runs); raises 5 for an identifier that is not among the entries.
    bool runSystemMenuEntry(int32_t id);

    // Writes the design-time properties to a property file (raises 75 when it cannot).
    void save(const std::string& path);
    // Replaces the control by one read from a property file of the same class.
    void load(const std::string& path);
    // Ends the control and starts it again with the same properties in the other mode, as a
    // form designer does between designing and running a form.
    void setDesignMode(bool on);

    // The control itself, for platform-level code.
    UserControl& control();

  signals:
    void eventRaised(const QString& name);

  protected:
    void resizeEvent(QResizeEvent* e) override;
    QSize sizeHint() const override;

  private:
    struct Impl;
    std::shared_ptr<Impl> d_;
    friend struct CallScope;
    void fit();
    void followControlSize();
    QSize controlSizePx() const;
};

// A picture object read from an image file, for properties such as Picture; raises 53 or
// 481 when the file is missing or not a picture.
Variant PictureValue(const std::string& path);

}  // namespace ctl
