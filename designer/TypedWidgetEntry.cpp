#include "designer/TypedWidgetEntry.h"

#include <QDesignerFormWindowInterface>
#include <QLabel>
#include <QMetaClassInfo>
#include <QPixmap>
#include <cstdio>

TypedWidgetEntry::TypedWidgetEntry(const QMetaObject& type, Factory factory, QObject* parent)
    : QObject(parent), type_(type), factory_(std::move(factory)) {}

QString TypedWidgetEntry::classInfo(const char* key) const {
    const int i = type_.indexOfClassInfo(key);
    return i < 0 ? QString() : QString::fromUtf8(type_.classInfo(i).value());
}

QString TypedWidgetEntry::name() const {
    return QString::fromUtf8(type_.className());
}
QString TypedWidgetEntry::group() const {
    return QStringLiteral("Chart and combo controls");
}
QString TypedWidgetEntry::toolTip() const {
    return classInfo("ctlHelp");
}
QString TypedWidgetEntry::whatsThis() const {
    return QStringLiteral(
               "%1: the control %2, with its properties, methods and events as Qt "
               "properties, slots and signals.")
        .arg(classInfo("ctlHelp"), classInfo("ctlClass"));
}
QString TypedWidgetEntry::includeFile() const {
    return QStringLiteral("widgets/%1.h").arg(name());
}

void TypedWidgetEntry::sample() const {
    if (!icon_.isNull() || size_.isValid()) return;
    size_ = QSize(160, 120);
    try {
        std::unique_ptr<QWidget> w(factory_(nullptr, {true, {}}));
        if (w->sizeHint().isValid()) size_ = w->sizeHint();
        w->resize(size_);
        icon_ = QIcon(w->grab());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: %s\n", type_.className(), e.what());
    }
}

QIcon TypedWidgetEntry::icon() const {
    sample();
    return icon_;
}

QString TypedWidgetEntry::domXml() const {
    sample();
    QString object = name();
    object[0] = object[0].toLower();
    return QStringLiteral(
               "<ui language=\"c++\" displayname=\"%1\">\n"
               " <widget class=\"%1\" name=\"%2\">\n"
               "  <property name=\"geometry\"><rect><x>0</x><y>0</y><width>%3</width>"
               "<height>%4</height></rect></property>\n"
               " </widget>\n"
               "</ui>\n")
        .arg(name(), object)
        .arg(size_.width())
        .arg(size_.height());
}

QWidget* TypedWidgetEntry::createWidget(QWidget* parent) {
    ctl::ControlOptions options;
    options.designMode = parent && QDesignerFormWindowInterface::findFormWindow(parent);
    try {
        return factory_(parent, options);
    } catch (const std::exception& e) {
        // Designer and QUiLoader expect a widget: show what is missing instead of the control.
        auto* label = new QLabel(QString::fromUtf8(e.what()), parent);
        label->setWordWrap(true);
        return label;
    }
}
