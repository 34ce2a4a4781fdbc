#include "platform/com/UserControl.h"

#include <dlfcn.h>

#include <QWidget>
#include <typeinfo>

#include "platform/com/RaisedError.h"
#include "platform/forms/Accessible.h"

namespace ctl {

UserControl::UserControl(ControlSite& site) : Widget(new QWidget(nullptr)), site_(site) {
    qwidget()->setFocusPolicy(Qt::StrongFocus);
    InstallAccessibility(*this);
}

UserControl::~UserControl() = default;

void UserControl::RaiseEvent(const std::string& name, Args& args) {
    const ClassInfo* ci = typeInfo();
    const EventInfo* ev = ci ? ci->findEvent(name) : nullptr;
    if (!ev) return;  // an event the type table does not publish is not raised
    site_.RaiseEvent(*ev, args);
}

void UserControl::RaiseEvent(const std::string& name) {
    Args none;
    RaiseEvent(name, none);
}

std::string UserControl::ApplicationFolder() const {
    std::string f = site_.ApplicationFolder();
    if (!f.empty()) return f;
    Dl_info info{};
    const void* addr = reinterpret_cast<const void*>(&typeid(*this));
    if (dladdr(addr, &info) && info.dli_fname) {
        std::string path = info.dli_fname;
        size_t slash = path.rfind('/');
        if (slash == std::string::npos) return ".";
        return slash == 0 ? "/" : path.substr(0, slash);
    }
    return ".";
}

float UserControl::ScaleWidth() const {
    return float(Width());
}
float UserControl::ScaleHeight() const {
    return float(Height());
}

void UserControl::setWidth(int twips) {
    int before = Width();
    Widget::setWidth(twips);
    if (Width() != before) Resize();
}
void UserControl::setHeight(int twips) {
    int before = Height();
    Widget::setHeight(twips);
    if (Height() != before) Resize();
}
void UserControl::setSize(int w, int h) {
    int bw = Width(), bh = Height();
    Widget::setWidth(w);
    Widget::setHeight(h);
    if (Width() != bw || Height() != bh) Resize();
}

Form::Form() : Widget(new QWidget(nullptr)) {
    Widget::setBackColor(0xC0C0C0);
}
std::string Form::Caption() const {
    return qwidget()->windowTitle().toStdString();
}
void Form::setCaption(const std::string& t) {
    qwidget()->setWindowTitle(QString::fromStdString(t));
}
void Form::Show() {
    qwidget()->show();
    // A form the host shows becomes the active window, so its controls can take the focus.
    qwidget()->activateWindow();
}
void Form::Hide() {
    qwidget()->hide();
}
void Form::Place(UserControl& c, int left, int top) {
    c.qwidget()->setParent(qwidget());
    c.setLeft(left);
    c.setTop(top);
    c.qwidget()->show();
}

}  // namespace ctl
