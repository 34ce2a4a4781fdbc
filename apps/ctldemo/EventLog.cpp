#include "EventLog.h"

#include <QFontDatabase>
#include <QTime>

#include "platform/com/RaisedError.h"

namespace demo {

namespace {
constexpr int kMaxLines = 5000;

QString ValueText(const ctl::Variant& v) {
    if (v.isString()) return "\"" + QString::fromStdString(v.toString()) + "\"";
    if (v.isEmpty()) return "Empty";
    if (v.isObject()) {
        auto o = v.toObject();
        return o ? QString::fromStdString(o->typeName()) : "Nothing";
    }
    if (v.type() == ctl::VarType::Boolean) return v.toBool() ? "True" : "False";
    try {
        return QString::fromStdString(v.toString());
    } catch (const ctl::RaisedError&) {
        return "?";
    }
}
}  // namespace

QString EventText(const ctl::ClassInfo& type, const std::string& event, const ctl::Args& args) {
    const ctl::EventInfo* info = type.findEvent(event);
    QStringList parts;
    for (size_t i = 0; i < args.size(); ++i) {
        QString name = info && i < info->params.size()
                           ? QString::fromStdString(info->params[i].name)
                           : QString("arg%1").arg(i + 1);
        parts << name + "=" + ValueText(args[i]);
    }
    return QString::fromStdString(event) + "(" + parts.join(", ") + ")";
}

EventLog::EventLog(QWidget* parent) : QPlainTextEdit(parent) {
    setReadOnly(true);
    setMaximumBlockCount(kMaxLines);
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setPlaceholderText("Events appear here as the control raises them (switch to run mode).");
}

void EventLog::add(const ctl::ClassInfo& type, const std::string& event, const ctl::Args& args) {
    appendPlainText(QTime::currentTime().toString("HH:mm:ss.zzz") + "  " +
                    EventText(type, event, args));
}

void EventLog::note(const QString& text) {
    appendPlainText("[" + text + "]");
}

}  // namespace demo
