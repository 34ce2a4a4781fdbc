#pragma once
// The pieces behind a ListBox: its rows, the toolkit list that shows them and the frame that
// holds that list. Only ListBox.cpp includes this.
#include <QAbstractListModel>
#include <QListView>
#include <QStyledItemDelegate>
#include <functional>
#include <vector>

namespace ctl::listbox {

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
    void beginRewrite() {
        beginResetModel();
        told = rows.size();  // the reset tells of every row, quiet ones too
    }
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
    RowList(QWidget* parent, RowTexts& rows) : QListView(parent), texts(rows) {
        texts.tell();
        setModel(&texts);
    }
    RowTexts& texts;

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

// The window a ListBox is: a plain frame, filled by the toolkit list once the list is first
// shown. A list kept hidden (the simple style's lists while a combo drops its list down, a
// drop-down's lists until it first opens) costs this one window instead of the list's six.
class ListFrame : public QWidget {
  public:
    explicit ListFrame(QWidget* parent) : QWidget(parent) { setBackgroundRole(QPalette::Base); }
    std::function<void()> shown, resized;

  protected:
    // A frame painted while not shown is being rendered into a picture (a grab of a window
    // never shown): the toolkit list is made now, and is painted with it.
    void paintEvent(QPaintEvent* e) override {
        QWidget::paintEvent(e);
        if (!isVisible() && shown) shown();
    }
    void showEvent(QShowEvent* e) override {
        QWidget::showEvent(e);
        if (shown) shown();
    }
    void resizeEvent(QResizeEvent* e) override {
        QWidget::resizeEvent(e);
        if (resized) resized();
    }
};

}  // namespace ctl::listbox
