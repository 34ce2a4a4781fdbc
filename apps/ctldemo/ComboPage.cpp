#include "ComboPage.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "SampleData.h"
#include "platform/embed/ControlWidget.h"

namespace demo {

namespace {
constexpr int kBigRows = 100000;
constexpr int kComboHeightPx = 22;
constexpr int kSimpleHeightPx = 170;

// Style is a design-time property: the combo is designed, then started for run time.
ctl::ControlWidget* NewCombo(int style, QWidget* parent) {
    ctl::ControlOptions design;
    design.designMode = true;
    auto* combo = new ctl::ControlWidget("Quorlin.ucvQuorlin", parent, design);
    combo->set("Style", int32_t(style));
    combo->setDesignMode(false);
    return combo;
}

void Fill(ctl::ControlWidget& combo, const std::vector<CodeRow>& rows) {
    for (const CodeRow& r : rows)
        combo.call("AddItem", {r.code.toStdString(), r.name.toStdString(), int32_t(r.number)});
}
}  // namespace

ComboPage::ComboPage(QWidget* parent) : DemoPage(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageHeader(
        title(),
        "Two-column combos in their three styles. Type in the cells, open the list with the "
        "button or F4, move with the arrow and page keys. With AutoFill on, Enter adds the two "
        "cells as a new row; Locked keeps the cells from being edited.",
        this));

    auto* styles = new QGroupBox("Styles", this);
    auto* grid = new QGridLayout(styles);
    styled_.push_back(
        addStyled(0, "Dropdown Combo", "Countries: ISO code and name", styles, grid, 0));
    styled_.push_back(
        addStyled(1, "Simple Combo", "Products: code and description", styles, grid, 1));
    styled_.push_back(
        addStyled(2, "Dropdown List", "Countries, dialling code as item data", styles, grid, 2));
    Fill(*styled_[0], Countries());
    Fill(*styled_[1], Products());
    Fill(*styled_[2], Countries());
    layout->addWidget(styles);

    auto* switches = new QHBoxLayout;
    autoFill_ = new QCheckBox("AutoFill: Enter adds the cells as a row", this);
    locked_ = new QCheckBox("Locked", this);
    switches->addWidget(autoFill_);
    switches->addWidget(locked_);
    switches->addStretch(1);
    layout->addLayout(switches);
    picked_ = new QLabel("Pick a row in any combo.", this);
    layout->addWidget(picked_);

    auto* bigBox = new QGroupBox("100,000 rows", this);
    auto* bigLayout = new QGridLayout(bigBox);
    big_ = NewCombo(0, bigBox);
    big_->set("WidthCol1", int32_t(1300));
    big_->set("WidthCol2", int32_t(4200));
    big_->set("ListHeight", int32_t(4000));
    big_->setFixedHeight(kComboHeightPx);
    big_->setMinimumWidth(420);
    bigLayout->addWidget(big_, 0, 0, 1, 4);
    fill_ = new QPushButton("&Fill 100,000 rows", bigBox);
    bigLayout->addWidget(fill_, 1, 0);
    const bool canSort = big_->typeInfo().find("Sort", ctl::MemberKind::Method) != nullptr;
    const struct {
        const char* caption;
        int column;
        bool numeric;
    } sorts[] = {{"Sort by &code", 1, false},
                 {"Sort by &description", 2, false},
                 {"Sort by &stock", 3, true}};
    int col = 1;
    for (const auto& s : sorts) {
        auto* b = new QPushButton(s.caption, bigBox);
        b->setEnabled(false);
        if (!canSort) b->setToolTip("This build of the combo cannot sort yet");
        connect(b, &QPushButton::clicked, this,
                [this, c = s.column, n = s.numeric] { sortBig(c, n); });
        bigLayout->addWidget(b, 1, col++);
        sortButtons_.push_back(b);
    }
    bigStatus_ = new QLabel(bigBox);
    bigLayout->addWidget(bigStatus_, 2, 0, 1, 4);
    layout->addWidget(bigBox);
    layout->addStretch(1);

    connect(fill_, &QPushButton::clicked, this, [this] { fillBig(); });
    connect(autoFill_, &QCheckBox::toggled, this, [this](bool on) {
        for (auto* c : styled_) c->set("AutoFill", on);
    });
    connect(locked_, &QCheckBox::toggled, this, [this](bool on) {
        for (auto* c : styled_) c->set("Locked", on);
    });
    for (auto* c : styled_) {
        c->on("Click", [this, c](ctl::Args&) { showPick(c); });
        c->on("Filled", [this, c](ctl::Args&) {
            say(QString("Row added from the cells: %1 | %2 (now %3 rows)")
                    .arg(QString::fromStdString(c->call("TextCol", {int16_t(1)}).toString()))
                    .arg(QString::fromStdString(c->call("TextCol", {int16_t(2)}).toString()))
                    .arg(c->get("ListCount").toInt32()));
        });
    }
    big_->on("Click", [this](ctl::Args&) { showPick(big_); });
}

ctl::ControlWidget* ComboPage::addStyled(int style, const QString& caption, const QString& note,
                                         QWidget* parent, QGridLayout* grid, int column) {
    auto* heading =
        new QLabel("<b>" + caption + "</b> (Style " + QString::number(style) + ")", parent);
    auto* sub = new QLabel(note, parent);
    sub->setStyleSheet("color: #555;");
    auto* combo = NewCombo(style, parent);
    combo->set("WidthCol1", int32_t(style == 1 ? 1700 : 700));
    combo->set("WidthCol2", int32_t(style == 1 ? 3300 : 2600));
    combo->set("ListHeight", int32_t(2600));
    // The simple combo keeps the width its columns make: a layout that stretched it would
    // scale the columns and push its lists past the control's edge.
    if (style == 1) combo->setFixedWidth(static_cast<QWidget*>(combo)->sizeHint().width());
    combo->setFixedHeight(style == 1 ? kSimpleHeightPx : kComboHeightPx);
    grid->addWidget(heading, 0, column);
    grid->addWidget(sub, 1, column);
    grid->addWidget(combo, 2, column, Qt::AlignLeft | Qt::AlignTop);
    grid->setRowStretch(3, 1);
    return combo;
}

QString ComboPage::summary() const {
    return "The three styles of the two-column combo with countries and products, a 100,000-row "
           "combo filled, sorted and opened at once, and the AutoFill and Locked switches.";
}

void ComboPage::fillBig() {
    QElapsedTimer clock;
    clock.start();
    try {
        big_->call("Clear");
        for (int i = 0; i < kBigRows; ++i) {
            CodeRow r = GeneratedProduct(i);
            big_->call("AddItem", {r.code.toStdString(), r.name.toStdString(), int32_t(r.number)});
        }
        const bool canSort = big_->typeInfo().find("Sort", ctl::MemberKind::Method) != nullptr;
        for (auto* b : sortButtons_) b->setEnabled(canSort);
        bigStatus_->setText(QString("%1 rows added in %2 ms. Open the list with its button.")
                                .arg(big_->get("ListCount").toInt32())
                                .arg(clock.elapsed()));
    } catch (const ctl::RaisedError& e) {
        bigStatus_->setText(QString::fromStdString(e.description()));
    }
}

void ComboPage::sortBig(int column, bool numeric) {
    QElapsedTimer clock;
    clock.start();
    try {
        big_->call("Sort", {int16_t(column), numeric});
        bigStatus_->setText(QString("Sorted %1 rows in %2 ms.")
                                .arg(big_->get("ListCount").toInt32())
                                .arg(clock.elapsed()));
    } catch (const ctl::RaisedError& e) {
        bigStatus_->setText(QString::fromStdString(e.description()));
    }
}

void ComboPage::showPick(ctl::ControlWidget* combo) {
    try {
        int32_t i = combo->get("ListIndex").toInt32();
        if (i < 0) return;
        say(QString("Picked row %1: %2 | %3, item data %4")
                .arg(i)
                .arg(QString::fromStdString(combo->call("ListCol", {int16_t(1), i}).toString()))
                .arg(QString::fromStdString(combo->call("ListCol", {int16_t(2), i}).toString()))
                .arg(combo->get("ItemData", {i}).toInt32()));
    } catch (const ctl::RaisedError& e) {
        say(QString::fromStdString(e.description()), true);
    }
}

void ComboPage::prepareSnapshot() {
    styled_[0]->set("ListIndex", int32_t(23));
    styled_[1]->set("ListIndex", int32_t(11));
    styled_[2]->set("ListIndex", int32_t(10));
    fillBig();
}

void ComboPage::say(const QString& text, bool error) {
    picked_->setStyleSheet(error ? "color: #a00000;" : "color: #303030;");
    picked_->setText(text);
}

}  // namespace demo
