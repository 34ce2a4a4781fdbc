#include "DesignPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

#include "EventLog.h"
#include "PropertyBrowser.h"
#include "platform/embed/ControlWidget.h"

namespace demo {

namespace {
const char* const kSampleRows[][2] = {
    {"NO", "Norway"}, {"SE", "Sweden"}, {"FI", "Finland"}, {"DK", "Denmark"}, {"IS", "Iceland"}};

}  // namespace

DesignPage::DesignPage(const QString& dataFolder, QWidget* parent)
    : DemoPage(parent), folder_(dataFolder) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageHeader(
        title(),
        "A control on a form as a form designer shows it. The property browser is built from "
        "the control's type table: every property with its type and help text, enumerations as "
        "drop-downs. Save and Load use the form's property file; in run mode every event the "
        "control raises is logged with its arguments.",
        this));

    auto* bar = new QHBoxLayout;
    classes_ = new QComboBox(this);
    for (const std::string& c : ctl::ControlWidget::availableClasses())
        classes_->addItem(QString::fromStdString(c));
    runMode_ = new QCheckBox("&Run mode", this);
    hidden_ = new QCheckBox("Show &hidden members", this);
    rowsButton_ = new QPushButton("Add sample &rows", this);
    rowsButton_->setToolTip("Adds a few rows through the control's AddItem method (run mode)");
    auto* saveButton = new QPushButton("&Save form", this);
    auto* loadButton = new QPushButton("&Load form", this);
    bar->addWidget(new QLabel("Control:", this));
    bar->addWidget(classes_);
    bar->addWidget(runMode_);
    bar->addWidget(hidden_);
    bar->addStretch(1);
    bar->addWidget(rowsButton_);
    bar->addWidget(saveButton);
    bar->addWidget(loadButton);
    layout->addLayout(bar);

    auto* split = new QSplitter(Qt::Horizontal, this);
    auto* left = new QSplitter(Qt::Vertical, split);
    form_ = new QFrame(left);
    form_->setFrameShape(QFrame::StyledPanel);
    form_->setObjectName("designForm");
    form_->setStyleSheet(
        "#designForm { background-color: #ececec; background-image: none; "
        "border: 1px solid #999; }");
    formLayout_ = new QVBoxLayout(form_);
    formLayout_->setContentsMargins(16, 16, 16, 16);
    log_ = new EventLog(left);
    left->addWidget(form_);
    left->addWidget(log_);
    left->setStretchFactor(0, 3);
    left->setStretchFactor(1, 2);
    browser_ = new PropertyBrowser(split);
    split->addWidget(left);
    split->addWidget(browser_);
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 1);
    split->setSizes({560, 520});
    layout->addWidget(split, 1);
    status_ = new QLabel(this);
    layout->addWidget(status_);

    connect(classes_, &QComboBox::currentTextChanged, this, [this](const QString& c) { place(c); });
    connect(runMode_, &QCheckBox::toggled, this, [this](bool on) {
        if (!control_) return;
        try {
            control_->setDesignMode(!on);
            connectControl();
            log_->note(on ? "run mode: the control starts again with the form's properties"
                          : "design mode");
        } catch (const ctl::RaisedError& e) {
            say(QString::fromStdString(e.description()), true);
        }
    });
    connect(hidden_, &QCheckBox::toggled, this, [this](bool on) { browser_->setShowHidden(on); });
    connect(rowsButton_, &QPushButton::clicked, this, [this] { addSampleRows(); });
    connect(saveButton, &QPushButton::clicked, this, [this] { save(); });
    connect(loadButton, &QPushButton::clicked, this, [this] { load(); });

    if (classes_->count() == 0)
        say("No control library was found (no manifests on the search path).", true);
    else
        place(classes_->currentText());
}

QString DesignPage::summary() const {
    return "A control at design time with a property browser built from its type table, its "
           "property file saved and loaded, and an event log of run mode.";
}

QString DesignPage::formFile() const {
    return QDir(folder_).filePath("form.ctlform.json");
}

void DesignPage::place(const QString& className) {
    try {
        ctl::ControlOptions options;
        options.designMode = !runMode_->isChecked();
        options.dataFolder = folder_.toStdString();
        // By name on purpose: this page takes any class the manifests offer, typed widget or
        // not, and its property browser and event log are built from the type table.
        auto* next = new ctl::ControlWidget(className.toStdString(), form_, options);
        delete control_;
        control_ = next;
        // At its own size, as a designer shows it; the Width and Height properties change it.
        formLayout_->addWidget(control_, 0, Qt::AlignLeft | Qt::AlignTop);
        connectControl();
        log_->note("placed a " + className);
        say(className + " on the form.");
    } catch (const ctl::RaisedError& e) {
        say(QString::fromStdString(e.description()), true);
    }
}

void DesignPage::addSampleRows() {
    if (!control_ || control_->designMode()) return;
    try {
        for (const char* const* row :
             {kSampleRows[0], kSampleRows[1], kSampleRows[2], kSampleRows[3], kSampleRows[4]})
            control_->call("AddItem", {row[0], row[1]});
        browser_->refresh();
    } catch (const ctl::RaisedError& e) {
        say(QString::fromStdString(e.description()), true);
    }
}

void DesignPage::connectControl() {
    rowsButton_->setEnabled(!control_->designMode() &&
                            control_->typeInfo().find("AddItem", ctl::MemberKind::Method));
    browser_->setControl(control_);
    const ctl::ClassInfo* type = &control_->typeInfo();
    control_->onAnyEvent = [this, type](const std::string& event, ctl::Args& args) {
        log_->add(*type, event, args);
    };
    control_->onPropertyChanged = [this](const std::string& key) {
        log_->note("property changed: " + QString::fromStdString(key));
        QMetaObject::invokeMethod(
            browser_, [this] { browser_->refresh(); }, Qt::QueuedConnection);
    };
}

void DesignPage::save() {
    if (!control_) return;
    try {
        control_->save(formFile().toStdString());
        say("Saved to " + formFile());
    } catch (const ctl::RaisedError& e) {
        say(QString::fromStdString(e.description()), true);
    }
}

void DesignPage::load() {
    if (!control_) return;
    try {
        control_->load(formFile().toStdString());
        connectControl();
        log_->note("loaded " + formFile());
        say("Loaded from " + formFile());
    } catch (const ctl::RaisedError& e) {
        say(QString::fromStdString(e.description()), true);
    }
}

void DesignPage::prepareSnapshot() {
    // The combo designed as a simple combo, then run: rows added and one picked, so that the
    // log shows the event it raises.
    int row = classes_->findText("Quorlin.ucvQuorlin", Qt::MatchFixedString);
    if (row < 0) return;
    runMode_->setChecked(false);
    if (row != classes_->currentIndex())
        classes_->setCurrentIndex(row);
    else
        place(classes_->currentText());
    if (!control_) return;
    // The combo set up as a user does through the property browser: by name.
    try {
        control_->set("Style", int32_t(1));
        control_->set("WidthCol1", int32_t(900));
        control_->set("WidthCol2", int32_t(3000));
        runMode_->setChecked(true);
        addSampleRows();
        control_->set("ListIndex", int32_t(1));
    } catch (const ctl::RaisedError& e) {
        say(QString::fromStdString(e.description()), true);
    }
    browser_->refresh();
    browser_->select("Style");
}

void DesignPage::say(const QString& text, bool error) {
    status_->setStyleSheet(error ? "color: #a00000;" : "color: #303030;");
    status_->setText(text);
}

}  // namespace demo
