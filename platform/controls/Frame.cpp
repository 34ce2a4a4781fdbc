#include "platform/controls/Frame.h"

#include <QFrame>

namespace ctl {

Frame::Frame(Widget& parent) : Widget(new QFrame(parent.qwidget())) {
    auto* f = static_cast<QFrame*>(qwidget());
    f->setFrameStyle(QFrame::Box | QFrame::Sunken);
    f->setLineWidth(1);
    f->setMidLineWidth(0);
    // Children keep the form's colours; the frame draws no fill of its own.
    f->setAutoFillBackground(false);
}

}  // namespace ctl
