#include "platform/controls/ListBox.h"

#include <QFontMetrics>
#include <QItemSelectionModel>
#include <QMouseEvent>
#include <QScrollBar>
#include <algorithm>
#include <utility>

#include "platform/controls/ListBoxParts.h"

namespace ctl {

using listbox::ListFrame;
using listbox::RowDelegate;
using listbox::RowList;
using listbox::RowTexts;

namespace {
int ShiftOf(Qt::KeyboardModifiers m) {
    return (m & Qt::ShiftModifier ? vbShiftMask : 0) | (m & Qt::ControlModifier ? vbCtrlMask : 0) |
           (m & Qt::AltModifier ? vbAltMask : 0);
}
int ButtonsOf(Qt::MouseButtons b) {
    return (b & Qt::LeftButton ? vbLeftButton : 0) | (b & Qt::RightButton ? vbRightButton : 0) |
           (b & Qt::MiddleButton ? vbMiddleButton : 0);
}

// The border of a toolkit list of each border style, read once from a list made for it: a list
// whose own view is not made yet still takes the height the view would.
int FrameWidthOf(int borderStyle) {
    static int widths[2] = {-1, -1};
    int& w = widths[borderStyle == 0 ? 0 : 1];
    if (w < 0) {
        QListView probe;
        probe.setFrameShape(borderStyle == 0 ? QFrame::NoFrame : QFrame::StyledPanel);
        w = probe.frameWidth();
    }
    return w;
}
}  // namespace

struct ListBox::Impl {
    RowTexts texts;
    ListFrame* frame = nullptr;
    RowList* list = nullptr;  // made when the list is first shown
    RowDelegate* delegate = nullptr;
    int rowPx = 13;
    int selected = -1;  // the selected row while there is no view
    bool scrollBar = true;
    int borderStyle = 1;
    bool applying = false;
};

ListBox::ListBox(Widget& parent)
    : Widget(new ListFrame(parent.qwidget())), d_(std::make_unique<Impl>()) {
    d_->frame = static_cast<ListFrame*>(qwidget());
    // The selected row keeps its highlight when another window has the focus, as in a pair
    // of lists that show one row across both. Set on the frame, whose colours the view takes.
    QPalette pal = d_->frame->palette();
    for (auto role : {QPalette::Highlight, QPalette::HighlightedText})
        pal.setColor(QPalette::Inactive, role, pal.color(QPalette::Active, role));
    d_->frame->setPalette(pal);
    d_->frame->shown = [this] { makeView(); };
    d_->frame->resized = [this] {
        if (d_->list) d_->list->setGeometry(0, 0, d_->frame->width(), d_->frame->height());
    };
    fontChanged();
}

ListBox::~ListBox() {
    // The view goes before the rows it shows (with the frame, when a parent took that first),
    // and hands nothing on to this list box while it goes (a focus leaving it, say).
    if (qwidget() && d_->list) {
        releaseInput();
        delete d_->list;
    }
}

QWidget* ListBox::View() {
    makeView();
    return d_->list;
}

QWidget* ListBox::InputWindow() {
    makeView();
    return Widget::InputWindow();
}

void ListBox::makeView() {
    if (d_->list || !d_->frame) return;
    auto* l = new RowList(d_->frame, d_->texts);
    d_->list = l;
    d_->delegate = new RowDelegate(l);
    d_->delegate->rowPx = d_->rowPx;
    l->setItemDelegate(d_->delegate);
    l->setUniformItemSizes(true);
    l->setSelectionMode(QAbstractItemView::SingleSelection);
    l->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    l->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    l->setVerticalScrollBarPolicy(d_->scrollBar ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    l->setFrameShape(d_->borderStyle == 0 ? QFrame::NoFrame : QFrame::StyledPanel);
    l->setMouseTracking(true);
    l->relaid = [this] { applyTop(); };
    l->searched = [this] {
        if (onSearchMoved) onSearchMoved();
    };
    // Mouse positions are in twips of the rows' area, inside the border.
    l->mouse = [this](QEvent::Type type, QMouseEvent* e) {
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
    l->setGeometry(0, 0, d_->frame->width(), d_->frame->height());
    // A window made now would come last when Tab moves the focus: the list takes the place
    // the frame has held since the list box was made.
    // (The toolkit orders only windows that take the focus: the frame does for that moment.)
    const Qt::FocusPolicy framePolicy = d_->frame->focusPolicy();
    d_->frame->setFocusPolicy(Qt::StrongFocus);
    QWidget::setTabOrder(d_->frame, l);
    d_->frame->setFocusPolicy(framePolicy);
    adoptInput(l);
    if (d_->selected >= 0) {
        d_->applying = true;
        l->selectionModel()->setCurrentIndex(d_->texts.index(d_->selected),
                                             QItemSelectionModel::ClearAndSelect);
        d_->applying = false;
    }
    l->ensurePolished();
    l->show();
    applyTop();
}

void ListBox::AddItem(const std::string& text, int32_t itemData) {
    d_->texts.append(QString::fromStdString(text));
    data_.push_back(itemData);
}

void ListBox::AppendRow(const std::string& text, int32_t itemData) {
    if (d_->list)
        d_->list->appendQuietly(QString::fromStdString(text));
    else
        d_->texts.appendQuietly(QString::fromStdString(text));  // told when a view is made
    data_.push_back(itemData);
}

void ListBox::AddItems(const std::vector<std::string>& texts,
                       const std::vector<int32_t>& itemData) {
    std::vector<QString> labels;
    labels.reserve(texts.size());
    for (const std::string& t : texts) labels.push_back(QString::fromStdString(t));
    d_->texts.append(std::move(labels));
    if (itemData.size() == texts.size())
        data_.insert(data_.end(), itemData.begin(), itemData.end());
    else
        data_.resize(data_.size() + texts.size(), 0);
}

void ListBox::RemoveItem(int index) {
    if (index < 0 || index >= ListCount()) return;
    bool wasSelected = ListIndex() == index;
    d_->texts.remove(index);
    data_.erase(data_.begin() + index);
    // Without a view the selection follows its row as the view's own would.
    if (d_->selected > index) --d_->selected;
    if (wasSelected) setListIndex(-1);
    top_ = std::min(top_, maxTop());
    applyTop();
}

void ListBox::Clear() {
    d_->texts.clear();
    data_.clear();
    data_.shrink_to_fit();
    d_->selected = -1;
    top_ = 0;
    applyTop();
}

int ListBox::ListCount() const {
    return int(d_->texts.rows.size());
}

std::string ListBox::List(int index) const {
    const auto& rows = d_->texts.rows;
    return index >= 0 && index < int(rows.size()) ? rows[size_t(index)].toStdString()
                                                  : std::string();
}
std::u16string_view ListBox::ListUtf16(int index) const {
    const auto& rows = d_->texts.rows;
    if (index < 0 || index >= int(rows.size())) return {};
    const QString& s = rows[size_t(index)];
    return {reinterpret_cast<const char16_t*>(s.constData()), size_t(s.size())};
}

bool ListBox::Reorder(const std::vector<int32_t>& order, bool trimBlanks, bool* trimmed) {
    if (trimmed) *trimmed = false;
    RowTexts& texts = d_->texts;
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
    d_->selected = -1;  // as the view's own selection after the reset
    top_ = 0;
    applyTop();
    return true;
}

void ListBox::setList(int index, const std::string& text) {
    if (index >= 0 && index < ListCount()) d_->texts.set(index, QString::fromStdString(text));
}

int32_t ListBox::ItemData(int index) const {
    return index >= 0 && index < int(data_.size()) ? data_[size_t(index)] : 0;
}
void ListBox::setItemData(int index, int32_t value) {
    if (index >= 0 && index < int(data_.size())) data_[size_t(index)] = value;
}

int ListBox::ListIndex() const {
    if (!d_->list) return d_->selected;
    QModelIndex i = d_->list->currentIndex();
    return i.isValid() && d_->list->selectionModel()->isSelected(i) ? i.row() : -1;
}

void ListBox::setListIndex(int index) {
    RowList* l = d_->list;
    d_->texts.tell();
    if (index < 0 || index >= ListCount()) {
        d_->selected = -1;
        if (l) {
            l->clearSelection();
            l->selectionModel()->setCurrentIndex(QModelIndex(),
                                                 QItemSelectionModel::ClearAndSelect);
        }
        return;
    }
    d_->selected = index;
    if (l) {
        d_->applying = true;
        l->selectionModel()->setCurrentIndex(d_->texts.index(index),
                                             QItemSelectionModel::ClearAndSelect);
        d_->applying = false;
    }
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
    return d_->rowPx * TwipsY();
}

int ListBox::frameWidthPx() const {
    return d_->list ? d_->list->frameWidth() : FrameWidthOf(d_->borderStyle);
}

int ListBox::VisibleRows() const {
    int inner = d_->frame->height() - 2 * frameWidthPx();
    return std::max(1, inner / d_->rowPx);
}

int ListBox::maxTop() const {
    return std::max(0, ListCount() - VisibleRows());
}

void ListBox::applyTop() {
    if (!d_->list) return;  // a view takes the top row when it is made
    d_->texts.tell();
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
    int frame = 2 * frameWidthPx();
    if (integral_ && px > frame) px = frame + (px - frame) / d_->rowPx * d_->rowPx;
    d_->frame->resize(d_->frame->width(), px);
    top_ = std::min(top_, maxTop());
    applyTop();
}

void ListBox::setScrollBar(bool on) {
    d_->scrollBar = on;
    if (d_->list)
        d_->list->setVerticalScrollBarPolicy(on ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

bool ListBox::ScrollBarShown() const {
    return d_->scrollBar && ListCount() > VisibleRows();
}

void ListBox::setBorderStyle(int style) {
    d_->borderStyle = style == 0 ? 0 : 1;
    if (d_->list) d_->list->setFrameShape(style == 0 ? QFrame::NoFrame : QFrame::StyledPanel);
    setHeight(requestedPx_ * TwipsY());
}

int ListBox::RowAt(float y) const {
    if (y < 0 || ListCount() == 0) return -1;
    int row = top_ + int(y / TwipsY()) / d_->rowPx;
    return row < ListCount() ? row : -1;
}

void ListBox::fontChanged() {
    if (!d_->frame) return;
    d_->rowPx = std::max(1, QFontMetrics(d_->frame->font()).height());
    if (!d_->list) return;
    d_->delegate->rowPx = d_->rowPx;
    d_->texts.tell();
    d_->list->doItemsLayout();
}

}  // namespace ctl
