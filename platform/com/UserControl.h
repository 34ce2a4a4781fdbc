#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/com/PropertyBag.h"
#include "platform/com/TypeInfo.h"
#include "platform/forms/Widget.h"
#include "platform/graphics/Font.h"

namespace ctl {

class PictureBox;

// What the host offers a control placed on one of its forms.
class ControlSite {
  public:
    virtual ~ControlSite() = default;
    virtual bool UserMode() const = 0;        // ambient: run time (true) or design time
    virtual FontPtr AmbientFont() const = 0;  // ambient font of the form
    virtual void PropertyChanged(const std::string& key) = 0;
    // An event raised to the host; the host may change by-reference arguments.
    virtual void RaiseEvent(const EventInfo& event, Args& args) = 0;
    // The application folder the host reports to the control's library; empty: the folder
    // of the library file.
    virtual std::string ApplicationFolder() const { return {}; }
};

// A plain site: settable ambient values, with callbacks for notifications and events.
class BasicSite : public ControlSite {
  public:
    bool userMode = true;
    FontPtr ambientFont = MakeFont("MS Sans Serif", 8);
    std::string folder;
    std::function<void(const std::string&)> onChanged;
    std::function<void(const EventInfo&, Args&)> onEvent;
    std::vector<std::string> changed;  // every key notified, in order
    std::vector<std::string> events;   // every event raised, in order

    bool UserMode() const override { return userMode; }
    FontPtr AmbientFont() const override { return ambientFont; }
    void PropertyChanged(const std::string& key) override {
        changed.push_back(key);
        if (onChanged) onChanged(key);
    }
    void RaiseEvent(const EventInfo& e, Args& args) override {
        events.push_back(e.name);
        if (onEvent) onEvent(e, args);
    }
    std::string ApplicationFolder() const override { return folder; }
};

// The container of a control: the window a host places on its form, with the control's
// lifecycle handlers and its line to the host.
class UserControl : public Widget, public Object {
  public:
    explicit UserControl(ControlSite& site);
    ~UserControl() override;

    ControlSite& site() const { return site_; }
    bool UserMode() const { return site_.UserMode(); }
    FontPtr AmbientFont() const { return site_.AmbientFont(); }
    void PropertyChanged(const std::string& key) { site_.PropertyChanged(key); }
    // Raises a named event of the control's type table; by-reference arguments come back.
    void RaiseEvent(const std::string& name, Args& args);
    void RaiseEvent(const std::string& name);
    // The application folder as the host reports it, else the folder of the library that
    // holds the control's code (no trailing separator).
    std::string ApplicationFolder() const;

    float ScaleWidth() const;
    float ScaleHeight() const;
    // Resizing the container runs the control's Resize handler at once.
    void setWidth(int twips) override;
    void setHeight(int twips) override;
    void setSize(int width, int height);

    // Lifecycle, called by the host: Initialize; InitProperties or ReadProperties; Resize when
    // the size changes; Show; WriteProperties when saving; Terminate at the end.
    virtual void Initialize() {}
    virtual void InitProperties() {}
    virtual void ReadProperties(PropertyBag&) {}
    virtual void WriteProperties(PropertyBag&) {}
    virtual void Resize() {}
    virtual void Show() {}
    virtual void Terminate() {}

    // The window that takes the user's mouse and keys (script hosts send input there).
    virtual Widget* InputSurface() { return this; }
    // The picture box the control draws and prints on, if it has one (script hosts read back
    // what was printed there).
    virtual PictureBox* DrawingSurface() { return nullptr; }

    // Procedures beyond the public interface that script hosts and tools may run by name
    // (a control's own store, for instance). False when the control has none of that name.
    virtual bool RunTool(const std::string& name, const Args& args, Args& results) {
        (void)name, (void)args, (void)results;
        return false;
    }

  private:
    ControlSite& site_;
};

// A top-level form of a host, on which controls are placed.
class Form : public Widget {
  public:
    Form();
    std::string Caption() const;
    void setCaption(const std::string& text);
    void Show();
    void Hide();
    // Places a control on this form at a position in twips.
    void Place(UserControl& control, int left, int top);
};

}  // namespace ctl
