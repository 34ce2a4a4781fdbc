#include "chart/map/frmList.h"

#include "platform/graphics/Font.h"

namespace karvex {

namespace {
// Layout in twips.
constexpr int kClientW = 2985, kClientH = 5865;
std::shared_ptr<frmList> g_chooser;
}  // namespace

frmList::frmList()
    : form(std::make_unique<ctl::DialogForm>()),
      lstTratto(std::make_unique<ctl::ListBox>(*form)),
      btnOK(std::make_unique<ctl::CommandButton>(*form)) {
    form->setName("frmList");
    form->setClientSize(kClientW, kClientH);
    form->setFont(ctl::MakeFont("Arial", 8));
    lstTratto->setName("lstTratto");
    lstTratto->setFont(ctl::MakeFont("Arial", 8));
    lstTratto->setIntegralHeight(false);
    lstTratto->Move(60, 30, 2865, 5310);
    btnOK->setName("btnOK");
    btnOK->setFont(ctl::MakeFont("Arial", 8));
    btnOK->setCaption("OK");
    btnOK->Move(900, 5460, 1185, 345);
    btnOK->onClick = [this] { btnOK_Click(); };
    lstTratto->onDblClick = [this] { lstTratto_DblClick(); };
    form->onQueryUnload = [this](bool fromCloseCommand) { Form_QueryUnload(fromCloseCommand); };
}

frmList::~frmList() {
    // The children go first: their toolkit windows belong to the form's.
    btnOK.reset();
    lstTratto.reset();
    form.reset();
}

void frmList::Load() {
    lstTratto->Clear();
}

void frmList::btnOK_Click() {
    if (m_Tag != "View") {
        const int row = lstTratto->ListIndex();
        if (row < 0) {
            lstTratto->SetFocus();
            return;
        }
        m_TrackName = lstTratto->List(row);
    }
    form->Close();
}

void frmList::lstTratto_DblClick() {
    btnOK_Click();
}

void frmList::Form_QueryUnload(bool fromCloseCommand) {
    if (fromCloseCommand) m_TrackName.clear();
}

void frmList::ShowModal() {
    form->ShowModal();
}

void frmList::ShowModeless() {
    form->ShowModeless();
}

bool frmList::IsOpen() const {
    return form->IsShown();
}

bool frmList::SelectRow(const std::string& text) {
    for (int i = 0; i < lstTratto->ListCount(); ++i)
        if (lstTratto->List(i) == text) {
            lstTratto->setListIndex(i);
            return true;
        }
    lstTratto->setListIndex(-1);
    return false;
}

void frmList::ClickOK() {
    btnOK->Click();
}

void frmList::CloseByUser() {
    form->CloseCommand();
}

std::shared_ptr<frmList> TrackChooser() {
    if (!g_chooser) g_chooser = std::make_shared<frmList>();
    return g_chooser;
}

void UnloadTrackChooser() {
    if (!g_chooser) return;
    g_chooser->form->Close();
    g_chooser.reset();
}

}  // namespace karvex
