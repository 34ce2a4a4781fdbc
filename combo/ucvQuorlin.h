#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "combo/ComboKeys.h"
#include "combo/ComboMouse.h"
#include "combo/DropDownFlow.h"
#include "combo/FoldedCounts.h"
#include "combo/Window.h"
#include "platform/com/UserControl.h"
#include "platform/controls/Image.h"
#include "platform/controls/Label.h"
#include "platform/controls/ListBox.h"
#include "platform/controls/TextBox.h"
#include "platform/forms/FocusRect.h"
#include "platform/sys/EventLoop.h"

namespace quorlin {

class ucvQuorlinAccessible;

// Values of the Style property.
enum StyleType : int32_t { DropdownCombo = 0, SimpleCombo = 1, DropdownList = 2 };

// The two-column combo box: an edit portion of two cells and a list of rows of two texts and
// a number. Style chooses editable cells with a drop-down list (0), editable cells with a list
// always shown beneath (1), or read-only cells with a drop-down list (2).
class ucvQuorlin : public ctl::UserControl {
  public:
    explicit ucvQuorlin(ctl::ControlSite& site);
    ~ucvQuorlin() override;

    static const ctl::ClassInfo& TypeInfo();
    const ctl::ClassInfo* typeInfo() const override { return &TypeInfo(); }
    std::string typeName() const override { return "ucvQuorlin"; }

    // Lifecycle.
    void Initialize() override;
    void InitProperties() override;
    void ReadProperties(ctl::PropertyBag& bag) override;
    void WriteProperties(ctl::PropertyBag& bag) override;
    void Resize() override;
    void Terminate() override;
    // Keys go to the child that has the focus: the drop-down list when it is open, else the
    // focused cell (the first visible cell when none has it), or the control itself in the
    // drop-down list style.
    ctl::Widget* InputSurface() override;

    // Appearance and layout.
    uint32_t Backcolor() const { return m_BackColor; }
    void setBackcolor(uint32_t color);
    uint32_t Forecolor() const { return m_ForeColor; }
    void setForecolor(uint32_t color);
    // The control's own enabled state, whatever the state of the form that holds it.
    bool ControlEnabled() const { return m_Enabled; }
    void setControlEnabled(bool on);
    ctl::FontPtr ControlFont() const { return m_Font; }
    void setControlFont(ctl::FontPtr font);
    int32_t Style() const { return m_Style; }
    void setStyle(int32_t value);
    int32_t WidthCol1() const { return m_WidthCol1; }
    void setWidthCol1(int32_t value);
    int32_t WidthCol2() const { return m_WidthCol2; }
    void setWidthCol2(int32_t value);
    int32_t ListHeight() const { return m_ListHeight; }
    void setListHeight(int32_t value);
    std::string ControlToolTipText() const { return m_ToolTipText; }
    void setControlToolTipText(const std::string& text);
    bool Locked() const { return m_Locked; }
    void setLocked(bool on);
    bool AutoFill() const { return m_AutoFill; }
    void setAutoFill(bool on);
    std::string Text();
    void setText(const std::string& value);
    int32_t hDC() const { return hdc_; }
    // Shows the library's about box.
    void About();

    // The rows.
    void AddItem(const std::string& Col1, const std::string& Col2, int32_t ID = 0);
    void RemoveItem(int32_t Index);
    void Clear();
    std::string List(int32_t Index);
    void setList(int32_t Index, const std::string& NewValue);
    std::string ListCol(int16_t Col, int32_t Index);
    std::string TextCol(int16_t Col);
    int32_t ItemData(int32_t Index);
    void setItemData(int32_t Index, int32_t Value);
    int32_t ListCount();
    void setListCount(int32_t value);
    int32_t NewIndex() const { return m_NewIndex; }
    int32_t ListIndex() const { return m_ListIndex; }
    void setListIndex(int32_t New);
    int32_t TopIndex() const { return m_TopIndex; }
    void setTopIndex(int32_t New);
    // Without the busy rule, the duplicate test or the checks: the sort's own row access.
    void AddRow(const std::string& Col1, const std::string& Col2, int32_t ID);
    void ClearRows();
    std::string RowText(int32_t Index);
    int32_t RowData(int32_t Index);
    // Reorders the rows on column 1 or 2 (as text, or as numbers) or 3 (item data).
    void Sort(int16_t Col, bool OnNumeric = false);
    // With Locked on, a click on one of the own lists puts the selection back.
    void KeepSelection(int which);

    // Set while a sort reorders the rows; list operations are turned away meanwhile.
    bool SortBusy = false;

    // Child parts.
    ctl::TextBox txtCol1, txtCol2;
    ctl::Label lblCol1, lblCol2;
    ctl::ListBox lstCol1a, lstCol2a;
    ctl::Image imgCombo;
    ctl::PicturePtr imgCboUp, imgCboDown;
    ctl::Timer TimerProc;
    ctl::FocusRect focusRect;
    // The drop-down window; exists in Styles 0 and 2 only.
    // The drop-down window, if it has been made; ListWindow makes it in the drop-down styles.
    quorlin::Window* DropDown() const { return window_.get(); }
    quorlin::Window* ListWindow();
    // Opening, closing and the timer that hands a picked row back.
    DropDownFlow& Flow() { return flow_; }

    int32_t EditHeight() const { return m_EditHeight; }
    int32_t ButtonWidth() const { return m_ButtonWidth; }
    void ShowFocus();
    bool FocusShown() const { return focusShown_; }

  private:
    friend class ComboKeys;
    friend class ComboMouse;
    friend class DropDownFlow;
    friend class ucvQuorlinAccessible;
    struct Pair {
        ctl::ListBox* col1;
        ctl::ListBox* col2;
    };
    // The pair that holds the rows in the current Style; null lists for an unknown Style and
    // after Terminate in the drop-down styles.
    Pair RowPair();
    bool OwnPair(const Pair& p) const { return p.col1 == &lstCol1a; }
    void PairAppend(const Pair& p, const std::string& c1, const std::string& c2, int32_t data);
    void PairSet(const Pair& p, int index, const std::string& c1, const std::string& c2);
    void PairRemove(const Pair& p, int index);
    void ClearOwnPair();
    bool Busy();
    void CheckIndex(int32_t index, int32_t lower, int32_t count);
    void ShowSelection();
    // The user's own moves: the row becomes the selection and fills the edit portion, with no
    // Click (the caller decides); and the selection cleared, with the lists back at row 0.
    void SelectRow(int32_t row);
    void NoteTopRow(const Pair& p);
    void ClearSelection();
    class SortBusyScope;
    bool SamePair(const Pair& p, int32_t count);
    void PutInOrder(const Pair& p, const std::vector<int32_t>& order);

    void EnsureWindow();
    void UnloadWindow();
    void ShowParts();
    void PlaceColumns();
    void ColourChildren();
    void LayoutFont();
    bool ApplyWidth(int32_t& field, int32_t value, int32_t other);
    int32_t InnerWidth() const;
    bool ValidStyle() const { return m_Style >= 0 && m_Style <= 2; }
    int32_t ScreenLimitedListHeight(int32_t value) const;
    void DropRowsOfOtherPair(int32_t newStyle);

    ctl::FontPtr m_Font, defFont_;
    uint32_t m_BackColor = 0, m_ForeColor = 0, defBack_ = 0, defFore_ = 0;
    int32_t m_WidthCol1 = 1100, m_WidthCol2 = 2900, m_Style = 0, m_ListHeight = 1800;
    bool m_AutoFill = false, m_Locked = false, m_Enabled = true;
    int32_t m_ListIndex = -1, m_NewIndex = -1, m_ItemData = 0, m_TopIndex = 0, m_ListCount = 0;
    std::string m_List, m_Text, m_ToolTipText;
    int32_t m_EditHeight = 330, m_ButtonWidth = 0, m_MinCellHeight = 315, m_DefaultWidth2 = 2900;
    int PixelW = 15, PixelH = 15;
    bool applyingWidth_ = false, focusShown_ = false;
    bool showingSelection_ = false;  // the edit cells are being given a row
    bool terminated_ = false;        // after Terminate the drop-down window is not made again
    int32_t hdc_;
    std::unique_ptr<quorlin::Window> window_;
    uint32_t windowBack_ = 0, windowFore_ = 0;  // the colours the window has, or will have
    // The cells of lstCol1a and lstCol2a, for the duplicate test. The second column is only
    // counted from the first time a first cell matches: most lists never need it.
    FoldedCounts seen1_, seen2_;
    bool seen2Counted_ = false;
    FoldedCounts& SecondCells();
    DropDownFlow flow_{*this};
    ComboKeys keys_{*this};
    ComboMouse mouse_{*this};
    // What screen readers are told; ended first, as it reads the parts above.
    std::unique_ptr<ucvQuorlinAccessible> accessible_;
};

}  // namespace quorlin
