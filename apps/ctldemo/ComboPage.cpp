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
#include "widgets/QuorlinComboBox.h"

namespace demo {

namespace {
constexpr int kBigRows = 100000;
constexpr int kComboHeightPx = 22;
constexpr int kSimpleHeightPx = 170;

// Style is a design-time property: the combo is designed (at the size a form designer gives
// it, which the page's columns are made for), then started for run time.
QuorlinComboBox* NewCombo(int style, QWidget* parent) {
    ctl::ControlOptions design;
    design.designMode = true;
    auto* combo = new QuorlinComboBox(parent, design);
    combo->setControlStyle(QuorlinComboBox::StyleType(style));
    combo->setDesignMode(false);
    return combo;
}

void Fill(QuorlinComboBox& combo, const std::vector<CodeRow>& rows) {
    for (const CodeRow& r : rows) combo.addItem(r.code, r.name, r.number);
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
    big_->setWidthCol1(1300);
    big_->setWidthCol2(4200);
    big_->setListHeight(4000);
    big_->setFixedHeight(kComboHeightPx);
    big_->setMinimumWidth(420);
    bigLayout->addWidget(big_, 0, 0, 1, 4);
    fill_ = new QPushButton("&Fill 100,000 rows", bigBox);
    bigLayout->addWidget(fill_, 1, 0);
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
        for (auto* c : styled_) c->setAutoFill(on);
    });
    connect(locked_, &QCheckBox::toggled, this, [this](bool on) {
        for (auto* c : styled_) c->setLocked(on);
    });
    for (auto* c : styled_) {
        connect(c, &QuorlinComboBox::click, this, [this, c] { showPick(c); });
        connect(c, &QuorlinComboBox::filled, this, [this, c] {
            say(QString("Row added from the cells: %1 | %2 (now %3 rows)")
                    .arg(c->textCol(1), c->textCol(2))
                    .arg(c->listCount()));
        });
        connect(c, &ctl::TypedControl::errorOccurred, this,
                [this](int, const QString& text) { say(text, true); });
    }
    connect(big_, &QuorlinComboBox::click, this, [this] { showPick(big_); });
    connect(big_, &ctl::TypedControl::errorOccurred, this,
            [this](int, const QString& text) { bigStatus_->setText(text); });
}

QuorlinComboBox* ComboPage::addStyled(int style, const QString& caption, const QString& note,
                                      QWidget* parent, QGridLayout* grid, int column) {
    auto* heading =
        new QLabel("<b>" + caption + "</b> (Style " + QString::number(style) + ")", parent);
    auto* sub = new QLabel(note, parent);
    sub->setStyleSheet("color: #555;");
    auto* combo = NewCombo(style, parent);
    combo->setWidthCol1(style == 1 ? 1700 : 700);
    combo->setWidthCol2(style == 1 ? 3300 : 2600);
    combo->setListHeight(2600);
    // The simple combo keeps the width its columns make: a layout that stretched it would
    // scale the columns and push its lists past the control's edge.
    if (style == 1) combo->setFixedWidth(combo->sizeHint().width());
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
    // A failure has shown its text (errorOccurred) and ends the filling there.
    big_->clearLastError();
    big_->clear();
    for (int i = 0; i < kBigRows && big_->lastErrorNumber() == 0; ++i) {
        CodeRow r = GeneratedProduct(i);
        big_->addItem(r.code, r.name, r.number);
    }
    if (big_->lastErrorNumber() != 0) return;
    for (auto* b : sortButtons_) b->setEnabled(true);
    bigStatus_->setText(QString("%1 rows added in %2 ms. Open the list with its button.")
                            .arg(big_->listCount())
                            .arg(clock.elapsed()));
}

void ComboPage::sortBig(int column, bool numeric) {
    QElapsedTimer clock;
    clock.start();
    big_->clearLastError();
    big_->sort(column, numeric);
    if (big_->lastErrorNumber() != 0) return;  // errorOccurred has shown why
    bigStatus_->setText(
        QString("Sorted %1 rows in %2 ms.").arg(big_->listCount()).arg(clock.elapsed()));
}

void ComboPage::showPick(QuorlinComboBox* combo) {
    combo->clearLastError();
    const int i = combo->listIndex();
    if (i < 0) return;
    const QString text = QString("Picked row %1: %2 | %3, item data %4")
                             .arg(i)
                             .arg(combo->listCol(1, i), combo->listCol(2, i))
                             .arg(combo->itemData(i));
    if (combo->lastErrorNumber() != 0) return;  // errorOccurred has shown why
    say(text);
}

void ComboPage::prepareSnapshot() {
    styled_[0]->setListIndex(23);
    styled_[1]->setListIndex(11);
    styled_[2]->setListIndex(10);
    fillBig();
}

void ComboPage::say(const QString& text, bool error) {
    picked_->setStyleSheet(error ? "color: #a00000;" : "color: #303030;");
    picked_->setText(text);
}

}  // namespace demo
