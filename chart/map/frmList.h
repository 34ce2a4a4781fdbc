#pragma once
#include <memory>
#include <string>
#include <vector>

#include "platform/controls/CommandButton.h"
#include "platform/controls/ListBox.h"
#include "platform/forms/DialogForm.h"
#include "platform/sys/Prompts.h"

namespace karvex {

// The track chooser: a list of track names and an OK button whose tag holds the mode, "Exec"
// (pick a row) or "View" (just look). TrackName is the result and outlives each use; only the
// window's own close command empties it.
class frmList : public ctl::ChoiceDialog {
  public:
    frmList();
    ~frmList() override;

    // Loads the window with an empty list (the form stays loaded until unloaded).
    void Load();
    const std::string& TrackName() const { return m_TrackName; }
    // The mode, kept in the OK button's tag: "Exec" or "View".
    const std::string& Tag() const { return m_Tag; }
    void setTag(const std::string& tag) { m_Tag = tag; }

    // Handlers.
    void btnOK_Click();
    void lstTratto_DblClick();
    void Form_QueryUnload(bool fromCloseCommand);

    // ChoiceDialog.
    void ShowModal() override;
    void ShowModeless() override;
    bool IsOpen() const override;
    bool SelectRow(const std::string& text) override;
    void ClickOK() override;
    void CloseByUser() override;

    std::unique_ptr<ctl::DialogForm> form;
    std::unique_ptr<ctl::ListBox> lstTratto;
    std::unique_ptr<ctl::CommandButton> btnOK;

  private:
    std::string m_TrackName, m_Tag = "Exec";
};

// The chooser of the library (one per thread), made on first use. Users hold the pointer
// while they show it, so an unload meanwhile cannot pull it away under them.
std::shared_ptr<frmList> TrackChooser();
// Unloads it, if loaded (a control that ends does so).
void UnloadTrackChooser();

}  // namespace karvex
