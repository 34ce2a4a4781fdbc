#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/forms/Widget.h"

namespace ctl {

// A list of text rows with a number per row (item data), one selected row and a top row.
// Rows all have the height of one line of the font; with IntegralHeight (the default) the
// list only takes heights of whole rows, so Height() reads back what it really took.
class ListBox : public Widget {
  public:
    explicit ListBox(Widget& parent);
    ~ListBox() override;

    void AddItem(const std::string& text, int32_t itemData = 0);
    // Appends a row as AddItem does, for callers that append many rows one by one: the toolkit
    // view hears of rows appended this way together, when the event loop next runs or before
    // anything else reaches the list. Every member reads them at once.
    void AppendRow(const std::string& text, int32_t itemData = 0);
    // Appends many rows in one insertion (the view is told once); `itemData` is either empty
    // (all 0) or one number per text.
    void AddItems(const std::vector<std::string>& texts, const std::vector<int32_t>& itemData);
    void RemoveItem(int index);  // removing the selected row leaves no selection
    void Clear();
    int ListCount() const;
    std::string List(int index) const;
    // The row's text as the list keeps it (UTF-16), read without a copy; good until the rows
    // next change. Empty past the last row.
    std::u16string_view ListUtf16(int index) const;
    // Puts the rows in a new order, each with its item data: order[i] is the row that comes
    // i-th, each row named once (else nothing changes and the answer is false). With
    // `trimBlanks` the spaces around each text are cut on the way. The view is told once; no
    // row is selected and the first row is at the top afterwards. True when the rows moved;
    // `trimmed` tells whether some text lost spaces.
    bool Reorder(const std::vector<int32_t>& order, bool trimBlanks, bool* trimmed = nullptr);
    void setList(int index, const std::string& text);
    int32_t ItemData(int index) const;
    void setItemData(int index, int32_t value);

    // Selected row, -1 for none. Selecting a row scrolls it into view.
    int ListIndex() const;
    void setListIndex(int index);
    // The row shown at the top; a list that cannot scroll that far stops at its last page.
    int TopIndex() const { return top_; }
    void setTopIndex(int index);

    int RowHeight() const;  // twips
    int VisibleRows() const;
    bool IntegralHeight() const { return integral_; }
    void setIntegralHeight(bool on);
    void setHeight(int twips) override;

    // Without a scroll bar the list still scrolls from the keyboard and by TopIndex.
    void setScrollBar(bool on);
    // Whether the list shows its scroll bar: it has one and holds more rows than it shows.
    bool ScrollBarShown() const;
    // 0 no border, 1 the sunken border (the default).
    void setBorderStyle(int style);
    // The row at a height in twips of the rows' area, as the mouse events report it; -1 below
    // the last row.
    int RowAt(float y) const;

    // The toolkit list that shows the rows, made now if the list has not been shown yet (tests
    // and benchmarks watch it).
    QWidget* View();
    QWidget* InputWindow() override;

    // Runs when the user scrolls the list.
    std::function<void()> onScroll;
    // Runs when a typed character moved the selection to the next row that begins with it.
    std::function<void()> onSearchMoved;

    struct Impl;

  private:
    void fontChanged() override;
    void applyTop();
    int maxTop() const;
    void makeView();
    int frameWidthPx() const;
    std::unique_ptr<Impl> d_;
    std::vector<int32_t> data_;
    int top_ = 0;
    bool integral_ = true;
    int requestedPx_ = 0;
};

}  // namespace ctl
