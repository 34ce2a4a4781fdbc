#pragma once
// The common part of the typed Qt widgets (KarvexChart, QuorlinComboBox): a control embedded
// like ControlWidget, reached through typed members that never let an exception out. A failing
// property write or method call is reported through errorOccurred() and lastErrorNumber() /
// lastErrorDescription(); a property keeps its value when its write fails. The members by
// name (get, set, call, on) still raise ctl::RaisedError, for hosts that go by name.
#include <QSize>
#include <QString>
#include <functional>
#include <string>
#include <type_traits>

#include "platform/embed/ControlWidget.h"
#include "widgets/QtValues.h"

namespace ctl {

class TypedControl : public ControlWidget {
    Q_OBJECT
  public:
    // The size the control chose for itself (a combo's height follows its style and font).
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // The last error a typed member reported (0 and "" when none since clearLastError()).
    int lastErrorNumber() const { return errorNumber_; }
    QString lastErrorDescription() const { return errorDescription_; }
    void clearLastError();

  signals:
    void errorOccurred(int number, const QString& description);
    // The widget's size changed (its layout or the application resized it). The chart keeps
    // its coordinate system as it was: a host redraws it here (SetScaleUnit, Draw) if it wants.
    void resized(const QSize& size);

  protected:
    TypedControl(const char* className, QWidget* parent, ControlOptions options);

    // Property read, property write, method call by name. Errors are reported and give the
    // type's empty value (or false for a write).
    using ArgsFn = std::function<Args()>;  // index or method arguments, converted when used
    template <class T>
    T read(const char* name, const ArgsFn& index = nullptr) const {
        T out{};
        guard([&] { out = FromVariant<T>(self().get(name, index ? index() : Args())); });
        return out;
    }
    bool write(const char* name, const std::function<Variant()>& value,
               const ArgsFn& index = nullptr);
    template <class T>
    T invoke(const char* name, const ArgsFn& args) {
        if constexpr (std::is_void_v<T>) {
            guard([&] { call(name, args()); });
        } else {
            T out{};
            guard([&] { out = FromVariant<T>(call(name, args())); });
            return out;
        }
    }
    // Puts a by-reference argument a signal's slot changed back into the event's arguments,
    // converted to the parameter's type (raises 6 or 13 when it does not fit).
    static void storeBack(Args& args, size_t i, const Variant& value, VarType type);
    // Stops the events and notifications; the generated destructors call it first, as their
    // dispatch is gone once they have run.
    void detach();

    // Runs f and reports what it raises; true when it raised nothing.
    bool guard(const std::function<void()>& f) const;

    // The generated classes turn the control's events and property-changed notifications into
    // their typed signals.
    virtual void dispatchEvent(const std::string& name, Args& args) = 0;
    virtual void dispatchChanged(const std::string& key) = 0;

    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;

  private:
    ControlWidget& self() const { return const_cast<TypedControl&>(*this); }
    void report(int number, const QString& description) const;
    bool shownByPropertyBrowser(const char* name) const;
    bool writeAtDesignTime(const char* name, const Variant& value, const Args& index);

    bool shown_ = false;
    mutable int errorNumber_ = 0;
    mutable QString errorDescription_;
};

}  // namespace ctl
