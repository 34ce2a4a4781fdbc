#include "widgets/TypedControl.h"

#include <QPointer>
#include <QResizeEvent>
#include <QShowEvent>

#include "platform/com/RaisedError.h"

namespace ctl {

namespace {
// The errors of a property that may be written only while a form is designed.
bool WrittenOnlyAtDesignTime(int number) {
    return number == 7 || number == errSetNotSupported;
}
}  // namespace

TypedControl::TypedControl(const char* className, QWidget* parent, ControlOptions options)
    : ControlWidget(className, parent, std::move(options)) {
    onAnyEvent = [this](const std::string& name, Args& args) {
        QPointer<TypedControl> alive(this);
        try {
            dispatchEvent(name, args);
        } catch (const RaisedError& e) {
            if (alive) report(e.number(), QString::fromStdString(e.description()));
        }
    };
    onPropertyChanged = [this](const std::string& key) { dispatchChanged(key); };
}

void TypedControl::detach() {
    onAnyEvent = nullptr;
    onPropertyChanged = nullptr;
}

QSize TypedControl::sizeHint() const {
    return ControlWidget::sizeHint();
}

QSize TypedControl::minimumSizeHint() const {
    return {1, 1};
}

void TypedControl::clearLastError() {
    errorNumber_ = 0;
    errorDescription_.clear();
}

void TypedControl::report(int number, const QString& description) const {
    errorNumber_ = number;
    errorDescription_ = description;
    emit const_cast<TypedControl*>(this)->errorOccurred(number, description);
}

bool TypedControl::guard(const std::function<void()>& f) const {
    try {
        f();
        return true;
    } catch (const RaisedError& e) {
        report(e.number(), QString::fromStdString(e.description()));
    } catch (const std::exception& e) {
        report(errInvalidCall, QString::fromUtf8(e.what()));
    }
    return false;
}

bool TypedControl::write(const char* name, const std::function<Variant()>& value,
                         const ArgsFn& indexFn) {
    Variant v;
    Args index;
    if (!guard([&] {
            v = value();
            if (indexFn) index = indexFn();
        }))
        return false;
    try {
        set(name, v, index);
        return true;
    } catch (const RaisedError& e) {
        // Before the widget is first shown a property written only at design time is written
        // as a form designer does (what uic's code and QUiLoader need); afterwards the control's
        // own rules apply.
        bool done = false;
        if (!shown_ && !designMode() && WrittenOnlyAtDesignTime(e.number()) &&
            shownByPropertyBrowser(name))
            guard([&] { done = writeAtDesignTime(name, v, index); });
        if (done) return true;
        report(e.number(), QString::fromStdString(e.description()));
    } catch (const std::exception& e) {
        report(errInvalidCall, QString::fromUtf8(e.what()));
    }
    return false;
}

// The properties a form designer writes: the ones its property browser shows. The hidden ones
// (a combo's ListCount) belong to run time, and a restart would lose the rows they describe.
bool TypedControl::shownByPropertyBrowser(const char* name) const {
    const MemberInfo* put = typeInfo().find(name, MemberKind::PropertyPut);
    if (!put) put = typeInfo().find(name, MemberKind::PropertyPutRef);
    return put && !put->hidden;
}

// Restarts the control at design time, writes, and restarts it at run time with its stored
// properties. False when the value did not survive the restart: the property is not one the
// control stores, so writing it at design time would change nothing.
bool TypedControl::writeAtDesignTime(const char* name, const Variant& value, const Args& index) {
    setDesignMode(true);
    Variant written;
    try {
        set(name, value, index);
        written = get(name, index);
    } catch (...) {
        setDesignMode(false);
        throw;
    }
    setDesignMode(false);
    return written.isObject() || get(name, index) == written;
}

void TypedControl::storeBack(Args& args, size_t i, const Variant& value, VarType type) {
    if (i < args.size()) args[i] = value.convertTo(type);
}

void TypedControl::resizeEvent(QResizeEvent* e) {
    ControlWidget::resizeEvent(e);
    emit resized(e->size());
}

void TypedControl::showEvent(QShowEvent* e) {
    shown_ = true;
    ControlWidget::showEvent(e);
}

}  // namespace ctl
