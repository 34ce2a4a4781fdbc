#include "DemoPage.h"

#include <QLabel>
#include <QVBoxLayout>

namespace demo {

QWidget* PageHeader(const QString& title, const QString& text, QWidget* parent) {
    auto* box = new QWidget(parent);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 4);
    auto* heading = new QLabel(title, box);
    QFont f = heading->font();
    f.setPointSizeF(f.pointSizeF() * 1.35);
    f.setBold(true);
    heading->setFont(f);
    auto* body = new QLabel(text, box);
    body->setWordWrap(true);
    body->setStyleSheet("color: #444;");
    layout->addWidget(heading);
    layout->addWidget(body);
    return box;
}

}  // namespace demo
