#include "platform/controls/ListBox.h"

#include <QAbstractListModel>
#include <QFontMetrics>
#include <QItemSelectionModel>
#include <QListView>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <algorithm>

namespace ctl {

namespace {
// Every row is one line of the list's font high.
class RowDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    int rowPx = 13;
    QSize sizeHint(const QStyleOptionViewItem& o, const QModelIndex& i) const override {
        return QSize(QStyledItemDelegate::sizeHint(o, i).width(), rowPx);
    }
};

// The rows' texts, one string each and nothing else: a list of a million rows costs the texts
// and little more, and putting all rows back in a new order is one reset of the view.
// Rows may be appended quietly: the view hears of them together, as one insertion, before
// anything else changes the rows or the view next acts (`tell`). Telling a view of each row
// as it comes costs more than the row (the view restarts its layout timer every time).
class RowTexts : public QAbstractListModel {
  public:
    using QAbstractListModel::QAbstractListModel;
    std::vector<QString> rows;
    size_t told = 0;  // the rows the view knows of: the first `told` of `rows`

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : int(told);
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.row() >= int(told)) return {};
        if (role == Qt::DisplayRole || role == Qt::EditRole) return rows[size_t(index.row())];
        return {};
    }
    // Tells the view of the rows appended quietly; true when there were any.
    bool tell() {
        if (told == rows.size()) return false;
        beginInsertRows({}, int(told), int(rows.size()) - 1);
        told = rows.size();
        endInsertRows();
        return true;
    }
    // Appends without telling the view; true when the row is the first not yet told.
    bool appendQuietly(QString text) {
        rows.push_back(std::move(text));
        return rows.size() == told + 1;
    }
    void append(QString text) {
        tell();
        int row = int(rows.size());
        beginInsertRows({}, row, row);
        rows.push_back(std::move(text));
        told = rows.size();
        endInsertRows();
    }
    void append(std::vector<QString> more) {
        tell();
        if (more.empty()) return;
        int first = int(rows.size());
        beginInsertRows({}, first, first + int(more.size()) - 1);
        if (rows.empty())
            rows = std::move(more);
        else
            rows.insert(rows.end(), std::make_move_iterator(more.begin()),
                        std::make_move_iterator(more.end()));
        told = rows.size();
        endInsertRows();
    }
    void remove(int row) {
        tell();
        beginRemoveRows({}, row, row);
        rows.erase(rows.begin() + row);
        told = rows.size();
        endRemoveRows();
    }
    // Around a change of every row (a new order): the view lets go of the rows first.
    void beginRewrite() { beginResetModel(); }
    void endRewrite() {
        told = rows.size();
        endResetModel();
    }
    void clear() {
        beginResetModel();
        rows.clear();
        rows.shrink_to_fit();
        told = 0;
        endResetModel();
    }
    void set(int row, QString text) {
        tell();
        rows[size_t(row)] = std::move(text);
        emit dataChanged(index(row), index(row), {Qt::DisplayRole});
    }
};

// The toolkit list, which puts back the list's own top row whenever it is laid out again, and
// reports the mouse on its rows after the list has acted on it (a press has selected its row).
class RowList : public QListView {
  public:
    explicit RowList(QWidget* parent) : QListView(parent) { setModel(&texts); }
    RowTexts texts;

    // Appends a row the view hears of later, together with the rows appended after it: when
    // the event loop next runs, or sooner when anything else reaches the view or the rows.
    void appendQuietly(QString text) {
        if (texts.appendQuietly(std::move(text)))
            QMetaObject::invokeMethod(
                this, [this] { texts.tell(); }, Qt::QueuedConnection);
    }
    int currentRow() const {
        QModelIndex i = currentIndex();
        return i.isValid() ? i.row() : -1;
    }
    std::function<void()> relaid;
    std::function<void(QEvent::Type, QMouseEvent*)> mouse;
    std::function<void()> searched;

    void keyboardSearch(const QString& typed) override {
        int before = currentRow();
        QListView::keyboardSearch(typed);
        if (searched && currentRow() != before) searched();
    }

  protected:
    // Whatever reaches the view (painting, grabs, screen readers, the keyboard) sees every row.
    bool event(QEvent* e) override {
        texts.tell();
        return QListView::event(e);
    }
    bool viewportEvent(QEvent* e) override {
        texts.tell();
        return QListView::viewportEvent(e);
    }
    void showEvent(QShowEvent* e) override {
        QListView::showEvent(e);
        if (relaid) relaid();
    }
    void resizeEvent(QResizeEvent* e) override {
        QListView::resizeEvent(e);
        if (relaid) relaid();
    }
    void mousePressEvent(QMouseEvent* e) override {
        QListView::mousePressEvent(e);
        if (mouse) mouse(QEvent::MouseButtonPress, e);
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        QListView::mouseReleaseEvent(e);
        if (mouse) mouse(QEvent::MouseButtonRelease, e);
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        // Moving with the button held would drag a selection along; the owner decides instead.
        if (e->buttons() == Qt::NoButton) QListView::mouseMoveEvent(e);
        if (mouse) mouse(QEvent::MouseMove, e);
    }
};

int ShiftOf(Qt::KeyboardModifiers m) {
    return (m & Qt::ShiftModifier ? vbShiftMask : 0) | (m & Qt::ControlModifier ? vbCtrlMask : 0) |
           (m & Qt::AltModifier ? vbAltMask : 0);
}
int ButtonsOf(Qt::MouseButtons b) {
    return (b & Qt::LeftButton ? vbLeftButton : 0) | (b & Qt::RightButton ? vbRightButton : 0) |
           (b & Qt::MiddleButton ? vbMiddleButton : 0);
}
}  // namespace

struct ListBox::Impl {
    RowList* list = nullptr;
    RowDelegate* delegate = nullptr;
    bool applying = false;
};

ListBox::ListBox(Widget& parent)
    : Widget(new RowList(parent.qwidget())), d_(std::make_unique<Impl>()) {
    d_->list = static_cast<RowList*>(qwidget());
    QListView* l = d_->list;
    d_->delegate = new RowDelegate(l);
    l->setItemDelegate(d_->delegate);
    l->setUniformItemSizes(true);
    l->setSelectionMode(QAbstractItemView::SingleSelection);
    l->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    l->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    l->setMouseTracking(true);
    d_->list->relaid = [this] { applyTop(); };
    d_->list->searched = [this] {
        if (onSearchMoved) onSearchMoved();
    };
    // Mouse positions are in twips of the rows' area, inside the border.
    d_->list->mouse = [this](QEvent::Type type, QMouseEvent* e) {
        float x = float(e->position().x() * TwipsX()), y = float(e->position().y() * TwipsY());
        int shift = ShiftOf(e->modifiers());
        if (type == QEvent::MouseButtonPress && onMouseDown) {
            onMouseDown(ButtonsOf(e->button()), shift, x, y);
        } else if (type == QEvent::MouseButtonRelease) {
            if (onMouseUp) onMouseUp(ButtonsOf(e->button()), shift, x, y);
            if (e->button() == Qt::LeftButton && onClick) onClick();
        } else if (type == QEvent::MouseMove && onMouseMove) {
            onMouseMove(ButtonsOf(e->buttons()), shift, x, y);
        }
    };
    // The selected row keeps its highlight when another window has the focus, as in a pair
    // of lists that show one row across both.
    QPalette pal = l->palette();
    for (auto role : {QPalette::Highlight, QPalette::HighlightedText})
        pal.setColor(QPalette::Inactive, role, pal.color(QPalette::Active, role));
    l->setPalette(pal);
    // Double-clicks land on the list's viewport, not on the list window itself.
    QObject::connect(l, &QAbstractItemView::doubleClicked, [this](const QModelIndex&) {
        if (onDblClick) onDblClick();
    });
    QObject::connect(l->verticalScrollBar(), &QScrollBar::valueChanged, [this](int v) {
        // Only a shown list scrolls for real; a hidden one has no scroll range yet.
        if (d_->applying || !d_->list->isVisible()) return;
        top_ = v;
        if (onScroll) onScroll();
    });
    fontChanged();
}

ListBox::~ListBox() = default;

void ListBox::AddItem(const std::string& text, int32_t itemData) {
    d_->list->texts.append(QString::fromStdString(text));
    data_.push_back(itemData);
}

void ListBox::AppendRow(const std::string& text, int32_t itemData) {
    d_->list->appendQuietly(QString::fromStdString(text));
    data_.push_back(itemData);
}

void ListBox::AddItems(const std::vector<std::string>& texts,
                       const std::vector<int32_t>& itemData) {
    std::vector<QString> labels;
    labels.reserve(texts.size());
    for (const std::string& t : texts) labels.push_back(QString::fromStdString(t));
    d_->list->texts.append(std::move(labels));
    if (itemData.size() == texts.size())
        data_.insert(data_.end(), itemData.begin(), itemData.end());
    else
        data_.resize(data_.size() + texts.size(), 0);
}

void ListBox::RemoveItem(int index) {
    if (index < 0 || index >= ListCount()) return;
    bool wasSelected = ListIndex() == index;
    d_->list->texts.remove(index);
    data_.erase(data_.begin() + index);
    if (wasSelected) setListIndex(-1);
    top_ = std::min(top_, maxTop());
    applyTop();
}

void ListBox::Clear() {
    d_->list->texts.clear();
    data_.clear();
    data_.shrink_to_fit();
    top_ = 0;
    applyTop();
}

int ListBox::ListCount() const {
    return int(d_->list->texts.rows.size());
}

std::string ListBox::List(int index) const {
    const auto& rows = d_->list->texts.rows;
    return index >= 0 && index < int(rows.size()) ? rows[size_t(index)].toStdString()
                                                  : std::string();
}
std::u16string_view ListBox::ListUtf16(int index) const {
    const auto& rows = d_->list->texts.rows;
    if (index < 0 || index >= int(rows.size())) return {};
    const QString& s = rows[size_t(index)];
    return {reinterpret_cast<const char16_t*>(s.constData()), size_t(s.size())};
}

bool ListBox::Reorder(const std::vector<int32_t>& order, bool trimBlanks, bool* trimmed) {
    if (trimmed) *trimmed = false;
    RowTexts& texts = d_->list->texts;
    const size_t n = texts.rows.size();
    if (order.size() != n) return false;
    std::vector<bool> named(n, false);
    for (int32_t i : order) {
        if (i < 0 || size_t(i) >= n || named[size_t(i)]) return false;
        named[size_t(i)] = true;
    }
    data_.resize(n, 0);
    texts.beginRewrite();
    bool cut = false;
    // Trimmed where they lie, in the order the texts were made (close to their order in
    // memory), and in place: a text of its own loses its blanks without a copy.
    if (trimBlanks)
        for (QString& text : texts.rows) {
            const QChar* c = std::as_const(text).constData();
            qsizetype b = 0, e = text.size();
            while (b < e && c[b] == u' ') ++b;
            while (e > b && c[e - 1] == u' ') --e;
            if (e - b == text.size()) continue;
            text.truncate(e);
            text.remove(0, b);
            cut = true;
        }
    // Moved along each cycle of the order, in place: row i takes what stood at order[i].
    std::vector<bool>& placed = named;
    placed.assign(n, false);
    for (size_t start = 0; start < n; ++start) {
        if (placed[start]) continue;
        QString text = std::move(texts.rows[start]);
        int32_t value = data_[start];
        size_t i = start;
        for (;;) {
            placed[i] = true;
            auto from = size_t(order[i]);
            if (from == start) break;
            texts.rows[i] = std::move(texts.rows[from]);
            data_[i] = data_[from];
            i = from;
        }
        texts.rows[i] = std::move(text);
        data_[i] = value;
    }
    texts.endRewrite();
    if (trimmed) *trimmed = cut;
    top_ = 0;
    applyTop();
    return true;
}

void ListBox::setList(int index, const std::string& text) {
    if (index >= 0 && index < ListCount()) d_->list->texts.set(index, QString::fromStdString(text));
}

int32_t ListBox::ItemData(int index) const {
    return index >= 0 && index < int(data_.size()) ? data_[size_t(index)] : 0;
}
void ListBox::setItemData(int index, int32_t value) {
    if (index >= 0 && index < int(data_.size())) data_[size_t(index)] = value;
}

int ListBox::ListIndex() const {
    QModelIndex i = d_->list->currentIndex();
    return i.isValid() && d_->list->selectionModel()->isSelected(i) ? i.row() : -1;
}

void ListBox::setListIndex(int index) {
    QListView* l = d_->list;
    d_->list->texts.tell();
    if (index < 0 || index >= ListCount()) {
        l->clearSelection();
        l->selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::ClearAndSelect);
        return;
    }
    d_->applying = true;
    l->selectionModel()->setCurrentIndex(d_->list->texts.index(index),
                                         QItemSelectionModel::ClearAndSelect);
    d_->applying = false;
    int rows = VisibleRows();
    if (index < top_)
        top_ = index;
    else if (index >= top_ + rows)
        top_ = index - rows + 1;
    applyTop();
}

void ListBox::setTopIndex(int index) {
    top_ = std::clamp(index, 0, maxTop());
    applyTop();
}

int ListBox::RowHeight() const {
    return d_->delegate->rowPx * TwipsY();
}

int ListBox::VisibleRows() const {
    int inner = d_->list->height() - 2 * d_->list->frameWidth();
    return std::max(1, inner / d_->delegate->rowPx);
}

int ListBox::maxTop() const {
    return std::max(0, ListCount() - VisibleRows());
}

void ListBox::applyTop() {
    d_->list->texts.tell();
    d_->applying = true;
    d_->list->verticalScrollBar()->setValue(top_);
    d_->applying = false;
}

void ListBox::setIntegralHeight(bool on) {
    integral_ = on;
    setHeight(requestedPx_ * TwipsY());
}

void ListBox::setHeight(int twips) {
    int px = std::max(0, ToPxY(twips));
    requestedPx_ = px;
    int frame = 2 * d_->list->frameWidth();
    if (integral_ && px > frame)
        px = frame + (px - frame) / d_->delegate->rowPx * d_->delegate->rowPx;
    d_->list->resize(d_->list->width(), px);
    top_ = std::min(top_, maxTop());
    applyTop();
}

void ListBox::setScrollBar(bool on) {
    d_->list->setVerticalScrollBarPolicy(on ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

bool ListBox::ScrollBarShown() const {
    return d_->list->verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOff &&
           ListCount() > VisibleRows();
}

void ListBox::setBorderStyle(int style) {
    d_->list->setFrameShape(style == 0 ? QFrame::NoFrame : QFrame::StyledPanel);
    setHeight(requestedPx_ * TwipsY());
}

int ListBox::RowAt(float y) const {
    if (y < 0 || ListCount() == 0) return -1;
    int row = top_ + int(y / TwipsY()) / d_->delegate->rowPx;
    return row < ListCount() ? row : -1;
}

void ListBox::fontChanged() {
    d_->delegate->rowPx = std::max(1, QFontMetrics(d_->list->font()).height());
    d_->list->texts.tell();
    d_->list->doItemsLayout();
}

}  // namespace ctl
