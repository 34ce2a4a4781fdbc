#include "platform/embed/ControlWidget.h"

#include <QPointer>
#include <QResizeEvent>
#include <algorithm>
#include <cstdio>
#include <map>
#include <vector>

#include "platform/com/Library.h"
#include "platform/com/PropertyBag.h"
#include "platform/com/UserControl.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/Picture.h"
#include "platform/sys/EventLoop.h"
#include "platform/sys/Text.h"
#include "platform/win/SystemMenu.h"
#include "platform/win/WindowSystem.h"

namespace ctl {

namespace {
constexpr int kMemberNotFound = 438;
constexpr int kPathError = 75;
}  // namespace

// The host side of one embedded control: its site, its form and the control. Shared with
// the calls running into the control, so that a widget deleted from inside one of them (an
// event handler that closes the window) leaves the control alive until that call returns.
struct ControlWidget::Impl : ControlSite {
    ControlWidget* owner = nullptr;
    const ControlClass* cls = nullptr;
    ControlOptions options;
    FontPtr font = MakeFont("MS Sans Serif", 8);
    std::unique_ptr<Form> form;
    std::unique_ptr<UserControl> control;
    std::map<std::string, std::vector<Handler>> handlers;  // by folded event name
    int calls = 0;

    ~Impl() override { release(); }

    bool UserMode() const override { return !options.designMode; }
    FontPtr AmbientFont() const override { return font; }
    std::string ApplicationFolder() const override { return options.dataFolder; }
    void PropertyChanged(const std::string& key) override {
        if (owner && owner->onPropertyChanged) owner->onPropertyChanged(key);
    }
    void RaiseEvent(const EventInfo& event, Args& args) override {
        if (!owner) return;
        QPointer<ControlWidget> alive(owner);
        auto it = handlers.find(FoldCase(event.name));
        if (it != handlers.end()) {
            std::vector<Handler> list = it->second;  // a handler may change the table
            for (auto& h : list) {
                guarded(event.name, [&] { h(args); });
                if (!alive) return;
            }
        }
        if (owner->onAnyEvent) guarded(event.name, [&] { owner->onAnyEvent(event.name, args); });
        if (alive) emit owner->eventRaised(QString::fromStdString(event.name));
    }

    // A handler's error must not unwind through the control's own code.
    template <class F>
    static void guarded(const std::string& event, F&& f) {
        try {
            f();
        } catch (const std::exception& e) {
            std::fprintf(stderr, "ControlWidget: the handler of %s failed: %s\n", event.c_str(),
                         e.what());
        }
    }

    void start(const PropertyBag* bag, QWidget* parent) {
        form = std::make_unique<Form>();
        form->qwidget()->setParent(parent);
        form->qwidget()->setAutoFillBackground(false);
        control = cls->create(*this);
        form->Place(*control, 0, 0);
        control->Initialize();
        if (bag)
            control->ReadProperties(*const_cast<PropertyBag*>(bag));
        else
            control->InitProperties();
        form->Show();
        control->Show();
    }

    void terminate() {
        if (!control) return;
        try {
            control->Terminate();
        } catch (const std::exception& e) {
            std::fprintf(stderr, "ControlWidget: Terminate failed: %s\n", e.what());
        }
    }

    void release() {
        control.reset();
        form.reset();
    }

    PropertyBag properties() {
        PropertyBag bag;
        control->WriteProperties(bag);
        return bag;
    }

    void refuseWhileBusy() const {
        if (calls > 0)
            Raise(5, "A call to the control is still running; try again when it returns");
    }
};

ControlWidget::ControlWidget(const std::string& className, QWidget* parent, ControlOptions options)
    : QWidget(parent), d_(std::make_shared<Impl>()) {
    EnsureApplication();
    d_->owner = this;
    d_->options = std::move(options);
    d_->cls = &LookUpControlClass(className);
    d_->start(nullptr, this);
    setFocusProxy(d_->control->qwidget());
}

ControlWidget* ControlWidget::fromFile(const std::string& path, QWidget* parent,
                                       ControlOptions options) {
    std::string stored;
    PropertyBag bag = PropertyBag::load(path, &stored);
    if (stored.empty()) Raise(13, "The property file " + path + " does not name its class");
    auto* w = new ControlWidget(stored, parent, std::move(options));
    try {
        w->d_->terminate();
        w->d_->release();
        w->d_->start(&bag, w);
        w->setFocusProxy(w->d_->control->qwidget());
    } catch (...) {
        delete w;
        throw;
    }
    return w;
}

ControlWidget::~ControlWidget() {
    d_->owner = nullptr;
    d_->terminate();  // sets the control's stop flags: running loops leave at their next check
    if (d_->calls > 0 && d_->form) {
        // A call is still on the stack below us: keep its windows out of Qt's child deletion
        // and let the last reference (held by that call) release them.
        d_->form->qwidget()->hide();
        d_->form->qwidget()->setParent(nullptr);
    }
    d_.reset();
}

std::string ControlWidget::className() const {
    return d_->cls->progId;
}
const ClassInfo& ControlWidget::typeInfo() const {
    return d_->cls->typeInfo();
}
bool ControlWidget::designMode() const {
    return d_->options.designMode;
}
UserControl& ControlWidget::control() {
    return *d_->control;
}

// One call into the control: keeps the host side alive while it runs.
struct CallScope {
    std::shared_ptr<ControlWidget::Impl> keep;
    explicit CallScope(std::shared_ptr<ControlWidget::Impl> d) : keep(std::move(d)) {
        ++keep->calls;
    }
    ~CallScope() { --keep->calls; }
};

Variant ControlWidget::get(const std::string& property, Args index) {
    auto d = d_;
    if (!d->control) Raise(91, "The control has ended");
    CallScope scope(d);
    return Invoke(*d->control, property, MemberKind::PropertyGet, index);
}

void ControlWidget::set(const std::string& property, const Variant& value, Args index) {
    auto d = d_;
    if (!d->control) Raise(91, "The control has ended");
    CallScope scope(d);
    index.push_back(value);
    MemberKind kind = MemberKind::PropertyPut;
    if (value.isObject() && d->cls->typeInfo().find(property, MemberKind::PropertyPutRef))
        kind = MemberKind::PropertyPutRef;
    Invoke(*d->control, property, kind, index);
    if (d->owner) d->owner->followControlSize();
}

Variant ControlWidget::call(const std::string& method, Args args) {
    auto d = d_;
    if (!d->control) Raise(91, "The control has ended");
    CallScope scope(d);
    Variant result = Invoke(*d->control, method, MemberKind::Method, args);
    if (d->owner) d->owner->followControlSize();
    return result;
}

void ControlWidget::on(const std::string& event, Handler handler) {
    if (!typeInfo().findEvent(event))
        Raise(kMemberNotFound, "The class " + className() + " raises no event " + event);
    if (handler) d_->handlers[FoldCase(event)].push_back(std::move(handler));
}

void ControlWidget::off(const std::string& event) {
    d_->handlers.erase(FoldCase(event));
}

std::vector<SystemMenuEntry> ControlWidget::systemMenuEntries() const {
    std::vector<SystemMenuEntry> entries;
    if (!d_->form) return entries;
    for (const SysMenuItem& i : AddedSystemMenuItems(d_->form->hWnd()))
        entries.push_back(
            {i.id, i.text, i.enabled(), i.checked(), i.separator && !entries.empty()});
    return entries;
}

bool ControlWidget::runSystemMenuEntry(int32_t id) {
    auto d = d_;
    if (!d->control || !d->form) Raise(91, "The control has ended");
    const std::vector<SystemMenuEntry> entries = systemMenuEntries();
    auto it = std::find_if(entries.begin(), entries.end(),
                           [id](const SystemMenuEntry& e) { return e.id == id; });
    if (it == entries.end())
        Raise(5, "The control's form has no system-menu entry " + std::to_string(id));
    if (!it->enabled) return false;
    CallScope scope(d);
    SendMessage(d->form->hWnd(), WM_SYSCOMMAND, id, 0);
    if (d->owner) d->owner->followControlSize();
    return true;
}

void ControlWidget::save(const std::string& path) {
    try {
        d_->properties().save(path, className());
    } catch (const RaisedError&) {
        throw;
    } catch (const std::exception& e) {
        Raise(kPathError, "Path/File access error: " + path + " (" + e.what() + ")");
    }
}

void ControlWidget::load(const std::string& path) {
    d_->refuseWhileBusy();
    std::string stored;
    PropertyBag bag = PropertyBag::load(path, &stored);
    if (!stored.empty() && !EqualsNoCase(stored, className()))
        Raise(13, "The property file holds a " + stored + ", not a " + className());
    d_->terminate();
    d_->release();
    d_->start(&bag, this);
    setFocusProxy(d_->control->qwidget());
    fit();
}

void ControlWidget::setDesignMode(bool on) {
    if (on == d_->options.designMode) return;
    d_->refuseWhileBusy();
    PropertyBag bag = d_->properties();
    d_->terminate();
    d_->release();
    d_->options.designMode = on;
    d_->start(&bag, this);
    setFocusProxy(d_->control->qwidget());
    fit();
}

QSize ControlWidget::controlSizePx() const {
    return {Widget::ToPxX(d_->control->Width()), Widget::ToPxY(d_->control->Height())};
}

void ControlWidget::fit() {
    if (!d_->form || !d_->control) return;
    // A widget nobody has sized yet (no layout, no resize) has the toolkit's default size,
    // which says nothing about the control: the widget takes the control's size instead of
    // squeezing a design-time control into it (a combo would narrow its columns to fit).
    if (!testAttribute(Qt::WA_Resized) && size() != controlSizePx()) followControlSize();
    d_->form->qwidget()->setGeometry(rect());
    // Sizes the control in whole pixels only when the widget's size differs: the twips a
    // control chose for itself (a combo's height) stay as they are.
    if (size() == controlSizePx() || width() <= 0 || height() <= 0) return;
    d_->control->setSize(width() * Widget::TwipsX(), height() * Widget::TwipsY());
}

void ControlWidget::followControlSize() {
    // A call may have sized the control (Width, Height, a style with its own height): the
    // widget takes that size, and layouts are asked again.
    if (!d_->control) return;
    const QSize px = controlSizePx();
    if (px != size()) {
        resize(px);
        updateGeometry();
    }
}

void ControlWidget::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    try {
        fit();
    } catch (const std::exception& ex) {
        std::fprintf(stderr, "ControlWidget: resizing the control failed: %s\n", ex.what());
    }
}

QSize ControlWidget::sizeHint() const {
    return d_->control ? controlSizePx() : QWidget::sizeHint();
}

std::vector<std::string> ControlWidget::availableClasses() {
    std::vector<std::string> names;
    for (const LibraryManifest& m : FindManifests())
        for (const std::string& c : m.classes)
            if (std::find(names.begin(), names.end(), c) == names.end()) names.push_back(c);
    return names;
}

Variant PictureValue(const std::string& path) {
    return Variant(ObjectPtr(LoadPicture(path)));
}

}  // namespace ctl
