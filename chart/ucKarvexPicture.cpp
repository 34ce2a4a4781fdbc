// The background picture of map mode: chosen in the open-file dialog, laid under the tracks as
// the surface's picture, removed on request. A playback running meanwhile starts again over it.
#include <string>

#include "chart/ucKarvex.h"
#include "common/bas_DialogFile.h"
#include "common/bas_ExistFile.h"
#include "platform/com/RaisedError.h"
#include "platform/sys/EventLoop.h"
#include "platform/sys/Prompts.h"

namespace karvex {

namespace {
// Description and pattern pairs, each part ending with a NUL, the whole with one more.
const std::string kPictureFilter(
    "Bitmap (*.bmp)\0*.bmp\0"
    "Immagini JPEG (*.jpg)\0*.jpg\0"
    "Immagini GIF (*.gif)\0*.gif\0"
    "Metafile (*.wmf)\0*.wmf\0\0",
    sizeof("Bitmap (*.bmp)\0*.bmp\0"
           "Immagini JPEG (*.jpg)\0*.jpg\0"
           "Immagini GIF (*.gif)\0*.gif\0"
           "Metafile (*.wmf)\0*.wmf\0\0") -
        1);
}  // namespace

void ucKarvex::mnuPicture_Click() {
    std::string fileName = "*.bmp", folder;
    int32_t filterIndex = 1;
    const std::vector<std::string> paths =
        bas_DialogFile::ShowOpenDialog(pic_main->hWnd(), kPictureFilter, "Choose image file",
                                       fileName, folder, "", true, false, filterIndex);
    if (paths.empty() || paths.front().empty()) return;
    // A file that does not decode raises here: the picture stays as it was.
    if (bas_ExistFile::ExistFile(paths.front())) setPicture(ctl::LoadPicture(paths.front()));
    if (m_PlaybackRunning) {
        // The running playback is inside a loop further up; it ends at its next check and then
        // plays the current track again (see PlayTrack).
        m_FlagExit = true;
        m_ReplayPending = true;
        ctl::DoEvents();
    }
}

void ucKarvex::mnuClearPic_Click() {
    if (ctl::MsgBox("Do you want to clear the current picture ?", ctl::MsgIcon::Question,
                    ctl::MsgButtons::YesNo) == ctl::vbYes)
        setPicture(ctl::EmptyPicture());
}

}  // namespace karvex
