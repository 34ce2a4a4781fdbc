#include "platform/controls/Image.h"

#include <QLabel>
#include <QPixmap>

#include "platform/graphics/PictureImpl.h"

namespace ctl {

Image::Image(Widget& parent) : Widget(new QLabel(parent.qwidget())), picture_(EmptyPicture()) {
    qwidget()->setAutoFillBackground(false);
    static_cast<QLabel*>(qwidget())->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void Image::setPicture(PicturePtr p) {
    picture_ = p ? std::move(p) : EmptyPicture();
    show();
}

void Image::setStretch(bool on) {
    stretch_ = on;
    show();
}

void Image::show() {
    auto* l = static_cast<QLabel*>(qwidget());
    l->setScaledContents(stretch_);
    if (picture_->isEmpty())
        l->clear();
    else
        l->setPixmap(QPixmap::fromImage(picture_->impl().image));
}

}  // namespace ctl
