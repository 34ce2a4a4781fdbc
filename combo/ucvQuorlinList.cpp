// The rows of the combo: two parallel lists, the first also holding each row's item data.
#include <string>

#include "combo/QuorlinModule.h"
#include "combo/ucvQuorlin.h"
#include "combo/ucvQuorlinAccessible.h"
#include "platform/com/RaisedError.h"
#include "platform/sys/EventLoop.h"
#include "platform/sys/Prompts.h"
#include "platform/sys/Text.h"

namespace quorlin {

namespace {
const char* const kInvalidCall = "Invalid procedure call or argument";

[[noreturn]] void NoSuchItem(int32_t index) {
    ctl::Raise(6, "Item '" + std::to_string(index) + "' do not exist");
}

// A row written as one text: first cell, then the second after the first tab, else after the
// first ";", else none.
void SplitRow(const std::string& text, std::string& c1, std::string& c2) {
    size_t cut = text.find('\t');
    if (cut == std::string::npos) cut = text.find(';');
    c1 = cut == std::string::npos ? text : text.substr(0, cut);
    c2 = cut == std::string::npos ? std::string() : text.substr(cut + 1);
}
}  // namespace

ucvQuorlin::Pair ucvQuorlin::RowPair() {
    if (m_Style == SimpleCombo) return {&lstCol1a, &lstCol2a};
    if (m_Style == DropdownCombo || m_Style == DropdownList) {
        EnsureWindow();
        if (window_) return {&window_->lstCol1, &window_->lstCol2};
    }
    return {nullptr, nullptr};
}

void ucvQuorlin::PairAppend(const Pair& p, const std::string& c1, const std::string& c2,
                            int32_t data) {
    p.col1->AppendRow(c1, data);
    p.col2->AppendRow(c2);
    if (OwnPair(p)) {
        seen1_.add(c1);
        if (seen2Counted_) seen2_.add(c2);
    }
}

FoldedCounts& ucvQuorlin::SecondCells() {
    if (!seen2Counted_) {
        seen2_.clear();
        for (int i = 0, n = lstCol2a.ListCount(); i < n; ++i) seen2_.add(lstCol2a.List(i));
        seen2Counted_ = true;
    }
    return seen2_;
}

void ucvQuorlin::PairSet(const Pair& p, int index, const std::string& c1, const std::string& c2) {
    if (OwnPair(p)) {
        seen1_.remove(p.col1->List(index));
        seen1_.add(c1);
        if (seen2Counted_) {
            seen2_.remove(p.col2->List(index));
            seen2_.add(c2);
        }
    }
    p.col1->setList(index, c1);
    p.col2->setList(index, c2);
}

void ucvQuorlin::PairRemove(const Pair& p, int index) {
    if (OwnPair(p)) {
        seen1_.remove(p.col1->List(index));
        if (seen2Counted_) seen2_.remove(p.col2->List(index));
    }
    p.col1->RemoveItem(index);
    p.col2->RemoveItem(index);
}

void ucvQuorlin::ClearOwnPair() {
    lstCol1a.Clear();
    lstCol2a.Clear();
    seen1_.clear();
    seen2_.clear();
    seen2Counted_ = false;
}

bool ucvQuorlin::Busy() {
    if (!SortBusy) return false;
    ctl::MsgBox("Sorting in progress, wait please", ctl::MsgIcon::Critical, ctl::MsgButtons::OK, 1,
                LibraryTitle());
    return true;
}

// Errors 5 and 6 for an index outside lower..count-1. The lists address rows with 32 bits, as
// every index of the interface does, so every row of a long list can be named; an index beyond
// 32 bits fails as an overflow when the argument is read.
void ucvQuorlin::CheckIndex(int32_t index, int32_t lower, int32_t count) {
    if (index < lower) ctl::Raise(ctl::errInvalidCall, kInvalidCall);
    if (index > count - 1) NoSuchItem(index);
}

void ucvQuorlin::AddItem(const std::string& Col1, const std::string& Col2, int32_t ID) {
    if (Busy()) return;
    // A row is refused when some first cell and some second cell of the control's own lists
    // equal it, not necessarily in the same row.
    // The first cell is folded and looked up once, for the test and the add (nothing between
    // them runs events).
    Pair p = RowPair();
    const FoldedKey& key1 = seen1_.fold(Col1);
    FoldedCounts::Place at1 = seen1_.locate(key1);
    if (at1.counted && SecondCells().contains(Col2)) {
        ctl::Beep();
        return;
    }
    if (!p.col1) return;
    p.col1->AppendRow(Col1, ID);
    p.col2->AppendRow(Col2);
    if (OwnPair(p)) {
        seen1_.addAt(at1, key1);
        if (seen2Counted_) seen2_.add(Col2);
    }
    m_NewIndex = p.col1->ListCount() - 1;
}

void ucvQuorlin::RemoveItem(int32_t Index) {
    if (Busy()) return;
    CheckIndex(Index, 0, ListCount());
    Pair p = RowPair();
    if (!p.col1) return;
    PairRemove(p, Index);
    if (Index == m_ListIndex) {
        txtCol1.setText("");
        txtCol2.setText("");
        if (m_Style != SimpleCombo) {
            lblCol1.setCaption("");
            lblCol2.setCaption("");
        }
        m_ListIndex = -1;
    } else if (m_ListIndex >= 0 && Index < m_ListIndex) {
        --m_ListIndex;
    }
    --m_TopIndex;
    accessible_->RowsChanged();
}

void ucvQuorlin::Clear() {
    if (Busy()) return;
    ClearRows();
}

void ucvQuorlin::ClearRows() {
    if ((m_Style == DropdownCombo || m_Style == DropdownList) && window_) {
        window_->lstCol1.Clear();
        window_->lstCol2.Clear();
    }
    lblCol1.setCaption("");
    lblCol2.setCaption("");
    txtCol1.setText("");
    txtCol2.setText("");
    ClearOwnPair();
    m_ListIndex = -1;
    m_TopIndex = 0;
    accessible_->RowsChanged();
}

void ucvQuorlin::AddRow(const std::string& Col1, const std::string& Col2, int32_t ID) {
    Pair p = RowPair();
    if (p.col1) PairAppend(p, Col1, Col2, ID);
}

std::string ucvQuorlin::List(int32_t Index) {
    if (Busy()) return {};
    CheckIndex(Index, 0, ListCount());
    Pair p = RowPair();
    if (!p.col1) return m_List;
    m_List = p.col1->List(Index) + "\t" + p.col2->List(Index);
    return m_List;
}

std::string ucvQuorlin::RowText(int32_t Index) {
    Pair p = RowPair();
    if (!p.col1) return m_List;
    m_List = p.col1->List(Index) + "\t" + p.col2->List(Index);
    return m_List;
}

void ucvQuorlin::setList(int32_t Index, const std::string& NewValue) {
    if (Busy()) return;
    CheckIndex(Index, 0, ListCount());
    Pair p = RowPair();
    if (!p.col1) return;
    std::string c1, c2;
    SplitRow(NewValue, c1, c2);
    PairSet(p, Index, c1, c2);
    accessible_->RowsChanged();
}

std::string ucvQuorlin::ListCol(int16_t Col, int32_t Index) {
    if (Busy()) return {};
    if (Index < 0 || Col < 1 || Col > 2) ctl::Raise(ctl::errInvalidCall, kInvalidCall);
    CheckIndex(Index, 0, ListCount());
    Pair p = RowPair();
    if (!p.col1) return {};
    return (Col == 1 ? p.col1 : p.col2)->List(Index);
}

std::string ucvQuorlin::TextCol(int16_t Col) {
    if (Busy()) return {};
    if (Col < 1 || Col > 2) ctl::Raise(ctl::errInvalidCall, kInvalidCall);
    if (m_Style == DropdownCombo || m_Style == SimpleCombo)
        return (Col == 1 ? txtCol1 : txtCol2).Text();
    if (m_Style == DropdownList) return ctl::Trim((Col == 1 ? lblCol1 : lblCol2).Caption());
    return {};
}

int32_t ucvQuorlin::ItemData(int32_t Index) {
    if (Busy()) return 0;
    CheckIndex(Index, 0, ListCount());
    Pair p = RowPair();
    if (!p.col1) return m_ItemData;
    m_ItemData = p.col1->ItemData(Index);
    return m_ItemData;
}

int32_t ucvQuorlin::RowData(int32_t Index) {
    Pair p = RowPair();
    if (!p.col1) return m_ItemData;
    m_ItemData = p.col1->ItemData(Index);
    return m_ItemData;
}

void ucvQuorlin::setItemData(int32_t Index, int32_t Value) {
    if (Busy()) return;
    CheckIndex(Index, 0, ListCount());
    Pair p = RowPair();
    if (!p.col1) return;
    m_ItemData = Value;
    p.col1->setItemData(Index, Value);
    PropertyChanged("ItemData");
}

int32_t ucvQuorlin::ListCount() {
    Pair p = RowPair();
    if (p.col2) m_ListCount = p.col2->ListCount();
    return m_ListCount;
}

void ucvQuorlin::setListCount(int32_t) {
    if (UserMode()) ctl::Raise(7, "Can't assign to read-only property");
    ctl::MsgBox("Can't assign to read-only property", ctl::MsgIcon::Critical, ctl::MsgButtons::OK,
                1, LibraryTitle());
}

void ucvQuorlin::setListIndex(int32_t New) {
    if (Busy()) return;
    Pair p = RowPair();
    CheckIndex(New, -1, p.col1 ? p.col1->ListCount() : m_ListCount);
    m_ListIndex = New;
    if (p.col1) {
        p.col1->setListIndex(New);
        p.col2->setListIndex(New);
        NoteTopRow(p);
    }
    PropertyChanged("ListIndex");
    ShowSelection();
    if (!m_Locked) RaiseEvent("Click");
    if (m_Style == DropdownList && HasFocus()) ShowFocus();
}

// Copies the selected row into the edit cells, or into the labels of the drop-down list style.
void ucvQuorlin::ShowSelection() {
    Pair p = RowPair();
    if (!p.col1) return;
    bool any = m_ListIndex >= 0 && m_ListIndex < p.col1->ListCount();
    std::string c1 = any ? p.col1->List(m_ListIndex) : std::string();
    std::string c2 = any ? p.col2->List(m_ListIndex) : std::string();
    if (m_Style == DropdownList) {
        lblCol1.setCaption(any ? " " + c1 : std::string());
        lblCol2.setCaption(any ? " " + c2 : std::string());
    } else {
        // Between the two writes the cells may both be empty for a moment; that is not the
        // user clearing them.
        showingSelection_ = true;
        txtCol1.setText(c1);
        txtCol2.setText(c2);
        showingSelection_ = false;
    }
    accessible_->SelectionChanged();
}

void ucvQuorlin::SelectRow(int32_t row) {
    Pair p = RowPair();
    if (!p.col1) return;
    m_ListIndex = row;
    p.col1->setListIndex(row);
    p.col2->setListIndex(row);
    NoteTopRow(p);
    ShowSelection();
}

// The own lists are always shown: when selecting a row scrolled them, TopIndex reports the row
// they now show at the top, and both lists show the same one.
void ucvQuorlin::NoteTopRow(const Pair& p) {
    if (!OwnPair(p)) return;
    if (p.col1->TopIndex() != p.col2->TopIndex()) p.col1->setTopIndex(p.col2->TopIndex());
    m_TopIndex = p.col2->TopIndex();
}

void ucvQuorlin::ClearSelection() {
    m_ListIndex = -1;
    m_TopIndex = 0;
    Pair p = RowPair();
    if (!p.col1) return;
    p.col1->setListIndex(-1);
    p.col2->setListIndex(-1);
    p.col1->setTopIndex(0);
    p.col2->setTopIndex(0);
    accessible_->SelectionChanged();
}

void ucvQuorlin::setTopIndex(int32_t New) {
    if (Busy()) return;
    CheckIndex(New, 0, ListCount());
    Pair p = RowPair();
    if (!p.col1) return;
    p.col1->setTopIndex(New);
    p.col2->setTopIndex(New);
    m_TopIndex = p.col2->TopIndex();
    PropertyChanged("TopIndex");
}

void ucvQuorlin::KeepSelection(int which) {
    lstCol1a.setListIndex(m_ListIndex);
    lstCol2a.setListIndex(m_ListIndex);
    if (which == 1)
        lstCol2a.setTopIndex(lstCol1a.TopIndex());
    else if (which == 2)
        lstCol1a.setTopIndex(lstCol2a.TopIndex());
    else {
        lstCol1a.setTopIndex(m_TopIndex);
        lstCol2a.setTopIndex(m_TopIndex);
    }
}

// ---- the edit portion as one text ----

std::string ucvQuorlin::Text() {
    std::string t;
    if (m_Style == DropdownList) {
        auto unpadded = [](const std::string& s) {
            size_t first = s.find_first_not_of(' ');
            return first == std::string::npos ? std::string() : s.substr(first);
        };
        t = unpadded(lblCol1.Caption()) + "\t" + unpadded(lblCol2.Caption());
    } else {
        t = txtCol1.Text() + "\t" + txtCol2.Text();
    }
    m_Text = t;
    if (ctl::Trim(t) == "\t") t.clear();
    if (!t.empty() && t.back() == '\t') t.erase(t.find('\t'));
    if (!UserMode()) {
        size_t tab = t.find('\t');
        if (tab != std::string::npos) t[tab] = ';';
    }
    return t;
}

void ucvQuorlin::setText(const std::string& value) {
    if (m_Style == DropdownList) {
        if (UserMode()) ctl::Raise(7, "Can't assign to read-only property");
        if (!ctl::EqualsNoCase(value, m_Text))
            ctl::MsgBox("Can't assign to read-only property", ctl::MsgIcon::Critical,
                        ctl::MsgButtons::OK, 1, LibraryTitle());
        return;
    }
    m_Text = value;
    if (m_Style == DropdownCombo || m_Style == SimpleCombo) {
        std::string c1, c2;
        SplitRow(value, c1, c2);
        txtCol1.setText(c1);
        txtCol2.setText(c2);
    }
    PropertyChanged("Text");
}

}  // namespace quorlin
