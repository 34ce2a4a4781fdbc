#include "designer/ControlsDesignerPlugin.h"

#include "designer/TypedWidgetEntry.h"
#include "widgets/KarvexChart.h"
#include "widgets/QuorlinComboBox.h"

namespace {
template <class W>
TypedWidgetEntry* EntryOf(QObject* parent) {
    return new TypedWidgetEntry(
        W::staticMetaObject,
        [](QWidget* p, ctl::ControlOptions options) { return new W(p, std::move(options)); },
        parent);
}
}  // namespace

ControlsDesignerPlugin::ControlsDesignerPlugin(QObject* parent) : QObject(parent) {
    widgets_ = {EntryOf<KarvexChart>(this), EntryOf<QuorlinComboBox>(this)};
}
