#pragma once
#include <memory>
#include <string>
#include <vector>

#include "platform/forms/DialogWindow.h"
#include "platform/forms/ListBox.h"
#include "platform/forms/PushButton.h"
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
    bool Loaded() const { return m_Loaded; }
    const std::string& TrackName() const { return m_TrackName; }

    // Handlers.
    void btnOK_Click();
    void lstTratto_DblClick();
    void Form_QueryUnload(bool& cancel, int unloadMode);

    // ChoiceDialog.
    void ShowModal() override;
    void ShowModeless() override;
    bool IsOpen() const override;
    bool SelectRow(const std::string& text) override;
    void ClickOK() override;
    void CloseByUser() override;

    std::unique_ptr<ctl::DialogWindow> form;
    std::unique_ptr<ctl::ListBox> lstTratto;
    std::unique_ptr<ctl::PushButton> btnOK;

  private:
    std::string m_TrackName;
    bool m_Loaded = false;
};

// The chooser of the library (one per thread), made on first use. Users hold the pointer
// while they show it, so an unload meanwhile cannot pull it away under them.
std::shared_ptr<frmList> TrackChooser();
// Unloads it, if loaded (a control that ends does so).
void UnloadTrackChooser();

}  // namespace karvex
