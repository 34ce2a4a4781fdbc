#pragma once
// A running list of the events a control raises, each with its argument names and values.
#include <QPlainTextEdit>
#include <string>

#include "platform/com/TypeInfo.h"

namespace demo {

class EventLog : public QPlainTextEdit {
  public:
    explicit EventLog(QWidget* parent = nullptr);
    // "12:04:31.207  MouseDown(Button=1, Shift=0, X=1200, Y=845)"
    void add(const ctl::ClassInfo& type, const std::string& event, const ctl::Args& args);
    void note(const QString& text);  // a line of the demo's own, in brackets
};

// The text of one event line without its time.
QString EventText(const ctl::ClassInfo& type, const std::string& event, const ctl::Args& args);

}  // namespace demo
