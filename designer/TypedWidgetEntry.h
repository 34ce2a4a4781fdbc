#pragma once
// One typed widget as Qt Designer sees it: its name, header, widget-box entry (icon, tool tip,
// "What's This" from the control's type table) and the factory Designer and QUiLoader call.
#include <QIcon>
#include <QObject>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>
#include <functional>

#include "platform/embed/ControlWidget.h"

class TypedWidgetEntry : public QObject, public QDesignerCustomWidgetInterface {
    Q_OBJECT
    Q_INTERFACES(QDesignerCustomWidgetInterface)
  public:
    using Factory = std::function<QWidget*(QWidget* parent, ctl::ControlOptions options)>;
    TypedWidgetEntry(const QMetaObject& type, Factory factory, QObject* parent);

    QString name() const override;
    QString group() const override;
    QString toolTip() const override;
    QString whatsThis() const override;
    QString includeFile() const override;
    QIcon icon() const override;
    bool isContainer() const override { return false; }
    QString domXml() const override;
    // In a form window the control runs at design time (its design-time look and rules); in a
    // preview, or built by QUiLoader, at run time.
    QWidget* createWidget(QWidget* parent) override;
    bool isInitialized() const override { return initialized_; }
    void initialize(QDesignerFormEditorInterface*) override { initialized_ = true; }

  private:
    QString classInfo(const char* key) const;
    // A design-time sample, drawn once for the icon and the default size.
    void sample() const;

    const QMetaObject& type_;
    Factory factory_;
    bool initialized_ = false;
    mutable QIcon icon_;
    mutable QSize size_;
};
