#include "PropertyBrowser.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "platform/embed/ControlWidget.h"
#include "platform/graphics/Font.h"

namespace demo {

namespace {
enum Column { kName, kType, kValue };

bool EndsWithColour(const std::string& name) {
    std::string n;
    for (char c : name) n += char(std::tolower(static_cast<unsigned char>(c)));
    return n.size() >= 5 && n.compare(n.size() - 5, 5, "color") == 0;
}

// Values an enumerated property takes that its enumeration has no name for: the chart's map
// mode is MapStyle 0, and a browser must be able to choose it.
struct UnnamedValue {
    const char* enumeration;
    int32_t value;
    const char* name;
};
constexpr UnnamedValue kUnnamedValues[] = {{"enMapStyle", 0, "Map"}};

QColor FromBgr(uint32_t bgr) {
    return QColor(int(bgr & 0xFF), int(bgr >> 8 & 0xFF), int(bgr >> 16 & 0xFF));
}

QString ObjectText(const ctl::Variant& v) {
    auto o = v.toObject();
    if (!o) return "(None)";
    const ctl::ClassInfo* info = o->typeInfo();
    QString text = QString::fromStdString(o->typeName());
    if (info && info->find("Name", ctl::MemberKind::PropertyGet)) {
        ctl::Args none;
        ctl::Args none2;
        text += ": " + QString::fromStdString(
                           ctl::Invoke(*o, "Name", ctl::MemberKind::PropertyGet, none).toString());
        if (info->find("Size", ctl::MemberKind::PropertyGet))
            text +=
                " " + QString::fromStdString(
                          ctl::Invoke(*o, "Size", ctl::MemberKind::PropertyGet, none2).toString());
    }
    return text;
}
}  // namespace

PropertyBrowser::PropertyBrowser(QWidget* parent) : QWidget(parent) {
    chooseFont = [this](const QFont& current) -> std::optional<QFont> {
        bool ok = false;
        const QFont f = QFontDialog::getFont(&ok, current, this, "Font");
        return ok ? std::optional<QFont>(f) : std::nullopt;
    };
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    table_ = new QTableWidget(0, 3, this);
    table_->setHorizontalHeaderLabels({"Property", "Type", "Value"});
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setSectionResizeMode(kName, QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setSectionResizeMode(kType, QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->setDefaultSectionSize(24);
    help_ = new QLabel(this);
    help_->setWordWrap(true);
    help_->setMinimumHeight(36);
    help_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    help_->setStyleSheet("background: #f4f4ee; border: 1px solid #ccc; padding: 3px;");
    message_ = new QLabel(this);
    message_->setWordWrap(true);
    layout->addWidget(table_, 1);
    layout->addWidget(help_);
    layout->addWidget(message_);
    connect(table_, &QTableWidget::currentCellChanged, this, [this](int row) { showHelp(row); });
}

QWidget* PropertyBrowser::editor(const std::string& name) const {
    for (size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i].name == name) return table_->cellWidget(int(i), kValue);
    return nullptr;
}

void PropertyBrowser::showHelp(int row) {
    if (row < 0 || size_t(row) >= rows_.size()) return help_->clear();
    const Row& r = rows_[size_t(row)];
    help_->setText("<b>" + QString::fromStdString(r.name) + "</b>: " +
                   (r.help.empty() ? QString("(no help text)") : QString::fromStdString(r.help)));
}

void PropertyBrowser::select(const std::string& name) {
    for (size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i].name == name) table_->setCurrentCell(int(i), kName);
    showHelp(table_->currentRow());
}

void PropertyBrowser::setControl(ctl::ControlWidget* control) {
    control_ = control;
    rebuild();
}

void PropertyBrowser::setShowHidden(bool on) {
    showHidden_ = on;
    rebuild();
}

void PropertyBrowser::rebuild() {
    rows_.clear();
    if (control_) {
        const ctl::ClassInfo& type = control_->typeInfo();
        for (const ctl::MemberInfo& m : type.members) {
            if (m.kind != ctl::MemberKind::PropertyGet || !m.params.empty()) continue;
            if (m.hidden && !showHidden_) continue;
            Row r;
            r.name = m.name;
            r.type = m.result;
            r.help = m.help;
            for (const ctl::EnumInfo& e : type.enums)
                if (!m.resultTypeName.empty() && e.name == m.resultTypeName) r.enumeration = &e;
            r.typeText = m.resultTypeName.empty() ? ctl::VarTypeName(m.result) : m.resultTypeName;
            r.writable = type.find(m.name, ctl::MemberKind::PropertyPut) ||
                         type.find(m.name, ctl::MemberKind::PropertyPutRef);
            r.colour = m.result == ctl::VarType::Long && EndsWithColour(m.name);
            if (r.colour) r.typeText = "Colour";
            rows_.push_back(r);
        }
        std::sort(rows_.begin(), rows_.end(),
                  [](const Row& a, const Row& b) { return a.name < b.name; });
    }
    refresh();
}

void PropertyBrowser::refresh() {
    filling_ = true;
    const int current = table_->currentRow();
    // Replaced editors are deleted later by the table; hidden now, they never show stale.
    for (int i = 0; i < table_->rowCount(); ++i)
        if (QWidget* old = table_->cellWidget(i, kValue)) old->hide();
    table_->setRowCount(int(rows_.size()));
    for (size_t i = 0; i < rows_.size(); ++i) {
        const Row& r = rows_[i];
        auto* name = new QTableWidgetItem(QString::fromStdString(r.name));
        name->setToolTip(QString::fromStdString(r.help));
        if (!r.writable) name->setForeground(QColor(110, 110, 110));
        table_->setItem(int(i), kName, name);
        table_->setItem(int(i), kType, new QTableWidgetItem(QString::fromStdString(r.typeText)));
        table_->setCellWidget(int(i), kValue, editorFor(int(i)));
    }
    if (table_->rowCount() > 0)
        table_->setCurrentCell(current >= 0 && current < table_->rowCount() ? current : 0, kName);
    showHelp(table_->currentRow());
    filling_ = false;
}

QWidget* PropertyBrowser::editorFor(int row) {
    const Row& r = rows_[size_t(row)];
    ctl::Variant value;
    try {
        value = control_->get(r.name);
    } catch (const ctl::RaisedError& e) {
        auto* l = new QLabel(
            QString("(error %1: %2)").arg(e.number()).arg(QString::fromStdString(e.description())));
        l->setStyleSheet("color: #a00000; font-style: italic;");
        return l;
    }
    const QString name = QString::fromStdString(r.name);
    if (r.enumeration) {
        auto* box = new QComboBox;
        int32_t now = value.toInt32();
        bool found = false;
        auto add = [&](int32_t value, const QString& text) {
            box->addItem(QString("%1 - %2").arg(value).arg(text), value);
            found |= value == now;
        };
        for (const UnnamedValue& u : kUnnamedValues)
            if (r.enumeration->name == u.enumeration) add(u.value, u.name);
        for (const auto& item : r.enumeration->items)
            add(item.value, QString::fromStdString(item.name));
        if (!found) box->insertItem(0, QString::number(now), now);
        box->setCurrentIndex(box->findData(now));
        box->setEnabled(r.writable);
        connect(box, &QComboBox::currentIndexChanged, this, [this, row, box] {
            write(row, ctl::Variant(int32_t(box->currentData().toInt())));
        });
        return box;
    }
    if (r.type == ctl::VarType::Boolean) {
        auto* check = new QCheckBox(value.toBool() ? "True" : "False");
        check->setChecked(value.toBool());
        check->setEnabled(r.writable);
        connect(check, &QCheckBox::toggled, this,
                [this, row](bool on) { write(row, ctl::Variant(on)); });
        return check;
    }
    if (r.colour) {
        uint32_t bgr = uint32_t(value.toInt32());
        auto* button = new QPushButton(QString("&&H%1&&").arg(bgr, 8, 16, QChar('0')).toUpper());
        QColor c = FromBgr(bgr);
        QPixmap swatch(14, 14);
        swatch.fill(c);
        QPainter(&swatch).drawRect(0, 0, 13, 13);
        button->setIcon(QIcon(swatch));
        button->setStyleSheet("text-align: left; padding-left: 4px;");
        button->setEnabled(r.writable);
        connect(button, &QPushButton::clicked, this, [this, row, c, name] {
            QColor chosen = QColorDialog::getColor(c, this, name);
            if (!chosen.isValid()) return;
            write(row, ctl::Variant(int32_t(uint32_t(chosen.red()) | uint32_t(chosen.green()) << 8 |
                                            uint32_t(chosen.blue()) << 16)));
        });
        return button;
    }
    auto font = value.isObject() ? std::dynamic_pointer_cast<ctl::Font>(value.toObject()) : nullptr;
    if (font) {
        auto* button = new QPushButton(QString("%1, %2 pt%3%4")
                                           .arg(QString::fromStdString(font->Name))
                                           .arg(font->Size)
                                           .arg(font->Bold ? ", bold" : "")
                                           .arg(font->Italic ? ", italic" : ""));
        button->setStyleSheet("text-align: left;");
        button->setEnabled(r.writable);
        connect(button, &QPushButton::clicked, this, [this, row, font] {
            QFont current(QString::fromStdString(font->Name));
            current.setPointSizeF(font->Size);
            current.setBold(font->Bold);
            current.setItalic(font->Italic);
            current.setUnderline(font->Underline);
            current.setStrikeOut(font->Strikethrough);
            const std::optional<QFont> chosen = chooseFont(current);
            if (!chosen) return;
            auto f = ctl::MakeFont(chosen->family().toStdString(), chosen->pointSizeF(),
                                   chosen->bold(), chosen->italic());
            f->Underline = chosen->underline();
            f->Strikethrough = chosen->strikeOut();
            write(row, ctl::Variant(ctl::ObjectPtr(f)));
        });
        return button;
    }
    if (r.type == ctl::VarType::Object) {
        auto* button = new QPushButton(ObjectText(value));
        button->setStyleSheet("text-align: left;");
        const bool picture = value.toObject() && value.toObject()->typeName() == "Picture";
        button->setEnabled(r.writable && picture);
        if (picture)
            connect(button, &QPushButton::clicked, this, [this, row] {
                QString path = QFileDialog::getOpenFileName(
                    this, "Picture", {}, "Pictures (*.png *.bmp *.jpg *.jpeg *.gif)");
                if (path.isEmpty()) return;
                try {
                    write(row, ctl::PictureValue(path.toStdString()));
                } catch (const ctl::RaisedError& e) {
                    say(QString::fromStdString(e.description()), true);
                }
            });
        return button;
    }
    auto* edit = new QLineEdit(QString::fromStdString(value.toString()));
    edit->setReadOnly(!r.writable);
    edit->setFrame(false);
    connect(edit, &QLineEdit::editingFinished, this, [this, row, edit] {
        if (!edit->isModified()) return;
        edit->setModified(false);
        write(row, ctl::Variant(edit->text().toStdString()));
    });
    return edit;
}

void PropertyBrowser::write(int row, const ctl::Variant& value) {
    if (filling_ || !control_) return;
    const std::string name = rows_[size_t(row)].name;
    try {
        control_->set(name, value);
        say(QString::fromStdString(name) + " set.", false);
    } catch (const ctl::RaisedError& e) {
        say(QString("%1: error %2, %3")
                .arg(QString::fromStdString(name))
                .arg(e.number())
                .arg(QString::fromStdString(e.description())),
            true);
    }
    // Deferred: the editor that called us is replaced by the refresh.
    QMetaObject::invokeMethod(
        this, [this] { refresh(); }, Qt::QueuedConnection);
}

void PropertyBrowser::say(const QString& text, bool error) {
    message_->setStyleSheet(error ? "color: #a00000;" : "color: #206020;");
    message_->setText(text);
}

}  // namespace demo
