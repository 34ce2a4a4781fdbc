#include "common/fabout.h"

#include <algorithm>
#include <vector>

#include "common/bas_EcryptText.h"
#include "common/bas_HandCursor.h"
#include "common/bas_MenuAbout.h"
#include "common/bas_TopMost.h"
#include "platform/com/RaisedError.h"
#include "platform/controls/CommandButton.h"
#include "platform/controls/Image.h"
#include "platform/controls/Label.h"
#include "platform/forms/DialogForm.h"
#include "platform/forms/PopupMenu.h"
#include "platform/sys/EventLoop.h"
#include "platform/sys/Prompts.h"
#include "platform/sys/Screen.h"
#include "platform/win/WindowSystem.h"

namespace {
constexpr char CR = '\r';
constexpr int kClientWidth = 6555, kClientHeight = 3180;
constexpr int kDefaultPicture = 364;
constexpr uint32_t kLinkBlue = 0xFF0000;  // 0x00BBGGRR
constexpr int32_t kInformationSound = 64;

// The library's default about picture, drawn in code: a blue disc with a white "i".
ctl::PicturePtr DefaultPicture() {
    constexpr int n = 32;
    std::vector<uint32_t> px(n * n, 0);
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            const int dx = 2 * x - n + 1, dy = 2 * y - n + 1;
            if (dx * dx + dy * dy > (n - 2) * (n - 2)) continue;
            const bool dot = x >= 14 && x <= 17 && y >= 6 && y <= 9;
            const bool stem = x >= 14 && x <= 17 && y >= 12 && y <= 25;
            px[size_t(y * n + x)] = dot || stem ? 0xFFFFFFFF : 0xFF2050C0;
        }
    auto p = std::make_shared<ctl::Picture>();
    p->fromArgb(n, n, px.data());
    return p;
}

ctl::PicturePtr ResourcePicture(int32_t id) {
    if (id != kDefaultPicture)
        ctl::Raise(326, "Resource with identifier '" + std::to_string(id) + "' not found");
    return DefaultPicture();
}

std::string Lines(std::string text) {
    std::replace(text.begin(), text.end(), CR, '\n');
    return text;
}

AboutTexts& Texts() {
    static AboutTexts texts;
    return texts;
}
// Shared: a call that shows the box holds it too, so a control of the library that ends while
// events run inside that call (and unloads the box) cannot delete it under the caller.
std::shared_ptr<fabout>& Instance() {
    static std::shared_ptr<fabout> box;
    return box;
}
}  // namespace

// ---- texts ----------------------------------------------------------------------------------

std::string fabout::MakerMail() {
    return "info@zemmikor-softworks.example";
}

std::string fabout::MakerLocation() {
    return "Borgo Valdastra - Lago Verde";
}

int fabout::CountCR(const std::string& text) {
    return int(std::count(text.begin(), text.end(), CR));
}

std::string fabout::VersionText(const AboutTexts& t) {
    std::string v = std::to_string(t.Major) + "." + std::to_string(t.Minor);
    const bool revision =
        t.RevisionOnlyWhenSet ? t.Revision >= 1 : (t.Revision != 0 || t.Minor != 0);
    if (revision) v += "." + std::to_string(t.Revision);
    return v;
}

// Title and version, the comment block with its gap (so the copyright line stays in place for
// comments of up to three lines), the copyright line with the maker's name, the location, and
// two lines of blanks that the link labels lie over.
std::string fabout::ComposeText(const AboutTexts& t, const std::string& comment) {
    std::string lead, block, gap;
    std::string trimmed = comment;
    trimmed.erase(0, trimmed.find_first_not_of(' '));
    if (trimmed.empty() || comment.front() == CR) {
        lead = std::string(1, CR);
        block = std::string(1, CR);
        gap = std::string(1, CR);
    } else {
        const int n = CountCR(comment);
        if (n < 2) {
            block = comment + CR + CR;
            gap = n == 0 ? std::string(1, CR) : std::string();
        } else {
            block = comment + CR;
        }
    }
    const std::string blanks(size_t(std::max(0, t.TrailingBlanks)), ' ');
    return lead + t.Title + t.Separator + VersionText(t) + CR + block + gap + "Copyright © " +
           t.CopyrightYear + " " + bas_EcryptText::MakerName() + CR + MakerLocation() + CR + CR +
           blanks + CR + blanks;
}

// ---- the box --------------------------------------------------------------------------------

fabout::fabout(const AboutTexts& texts) : texts_(texts) {
    form = std::make_unique<ctl::DialogForm>();
    form->setName("fabout");
    form->setCaption("fabout");
    form->setClientSize(kClientWidth, kClientHeight);
    const ctl::FontPtr arial = ctl::MakeFont("Arial", 8);
    form->setFont(arial);

    Frame1 = std::make_unique<ctl::Label>(*form);
    Frame1->setName("Frame1");
    Frame1->setBorderStyle(1);
    Frame1->Move(120, 60, kClientWidth - 240, 2340);
    imgIcon = std::make_unique<ctl::Image>(*form);
    imgIcon->setName("imgIcon");
    imgIcon->setStretch(true);
    imgIcon->Move(330, 420, 480, 480);
    lblAbout = std::make_unique<ctl::Label>(*form);
    lblAbout->setName("lblAbout");
    lblAbout->setBackStyle(0);
    lblAbout->Move(885, 210, 5085, 1995);
    lblmailto = std::make_unique<ctl::Label>(*form);
    lblmailto->setName("lblmailto");
    lblweb = std::make_unique<ctl::Label>(*form);
    lblweb->setName("lblweb");
    for (ctl::Label* link : {lblmailto.get(), lblweb.get()}) {
        link->setBackStyle(0);
        link->setForeColor(kLinkBlue);
        link->setFont(arial->clone());
        link->setMouseTracking(true);
        link->setVisible(false);
    }
    lblmailto->Move(885, 1905, 0, 0);
    lblweb->Move(885, 2145, 0, 0);
    btnOK = std::make_unique<ctl::CommandButton>(*form);
    btnOK->setName("btnOK");
    btnOK->setCaption("OK");
    btnOK->setDefault(true);
    btnOK->setCancel(true);
    btnOK->Move(2730, 2490, 1095, 345);
    form->setDefaultButton(btnOK.get());
    form->setCancelButton(btnOK.get());
    TimerHide = std::make_unique<ctl::Timer>();
    TimerHide->setEnabled(false);

    Frame1->setMouseTracking(true);
    lblAbout->setMouseTracking(true);
    Frame1->onMouseMove = [this](int, int, float, float) { ClearUnderlines(); };
    lblAbout->onMouseMove = [this](int, int, float, float) { ClearUnderlines(); };
    lblmailto->onMouseMove = [this](int, int, float, float) { HoverLink(*lblmailto, *lblweb); };
    lblweb->onMouseMove = [this](int, int, float, float) { HoverLink(*lblweb, *lblmailto); };
    lblmailto->onMouseDown = [](int, int, float, float) {
        bas_MenuAbout::OpenWithShell("mailto:" + MakerMail());  // failures are not shown
    };
    lblweb->onMouseDown = [](int, int, float, float) {
        bas_MenuAbout::OpenWithShell(bas_EcryptText::MakerWebAddress());
    };
    btnOK->onClick = [this] { form->Close(); };
    TimerHide->onTimer = [this] {
        TimerHide->setEnabled(false);
        form->Close();
    };
    form->onQueryUnload = [this](bool) { Closing(); };
    Form_Load();
}

fabout::~fabout() {
    if (TimerHide) TimerHide->setEnabled(false);
    if (form) form->onQueryUnload = nullptr;
}

void fabout::Form_Load() {
    if (texts_.ModelessAllowed) {
        form->setCaption("About");
        loaded_ = true;
    }
    lblmailto->setCaption(MakerMail());
    lblweb->setCaption(bas_EcryptText::MakerWebAddress());
    for (ctl::Label* link : {lblmailto.get(), lblweb.get()}) {
        link->FitToText();
        link->setVisible(true);
    }
    PlaceOnScreen();
}

void fabout::PlaceOnScreen() {
    const int width = form->Width(), height = form->Height();
    const int screenW = ctl::Screen::WidthTwips(), screenH = ctl::Screen::HeightTwips();
    int left, top;
    if (texts_.CentreOnPointer) {
        int x = 0, y = 0;
        ctl::PointerPosition(x, y);
        left = x * ctl::Screen::TwipsPerPixelX() - width / 2;
        top = y * ctl::Screen::TwipsPerPixelY() - height / 2;
        left = std::max(0, left);
        top = std::max(0, top);
        if (left > screenW - width) left = screenW - width;
        if (top > screenH - height) top = screenH - height;
    } else {
        left = (screenW - width) / 2;
        top = (screenH - height) / 2;
    }
    form->setLeft(left);
    form->setTop(top);
}

int32_t fabout::Interval() {
    interval_ = TimerHide->Interval();
    return interval_;
}

void fabout::setInterval(int32_t ms) {
    if (ms < 0) ctl::Raise(380, "Invalid property value: Interval takes 0 or more milliseconds");
    interval_ = ms;
    TimerHide->setInterval(ms);
}

void fabout::About(const std::string& comment, ctl::PicturePtr hIcon) {
    try {
        if (!texts_.ModelessAllowed) form->setCaption("About");
        const std::string text = ComposeText(texts_, comment);
        lblAbout->setCaption(Lines(text));
        imgIcon->setPicture(hIcon && !hIcon->isEmpty() ? hIcon : ResourcePicture(kDefaultPicture));
        if (Interval() > 0) TimerHide->setEnabled(true);
        ctl::MessageBeep(kInformationSound);
        ctl::AboutRequest request;
        request.title = form->Caption();
        request.text = text;
        request.links = {lblmailto->Caption(), lblweb->Caption()};
        request.interval = interval_;
        request.modeless = modeless_;
        request.show = [this] { Show(); };
        ctl::Prompts().About(request);
    } catch (...) {
        // A box that cannot be filled or shown is simply not shown.
    }
}

void fabout::Show() {
    if (modeless_) {
        loaded_ = true;
        form->ShowModeless();
        bas_TopMost::SetWindowZOrder(form->hWnd());
    } else {
        form->ShowModal();
    }
}

void fabout::Closing() {
    TimerHide->setEnabled(false);
    if (texts_.ModelessAllowed) loaded_ = false;
}

void fabout::Underline(ctl::Label& label, bool on) {
    ctl::FontPtr f = label.Font() ? label.Font()->clone() : ctl::MakeFont("Arial", 8);
    if (f->Underline == on) return;
    f->Underline = on;
    label.setFont(f);
}

void fabout::HoverLink(ctl::Label& over, ctl::Label& other) {
    bas_HandCursor::ResetCursor(other);
    bas_HandCursor::SetHandCursor(over);
    Underline(other, false);
    Underline(over, true);
}

void fabout::ClearUnderlines() {
    Underline(*lblmailto, false);
    Underline(*lblweb, false);
}

// ---- the library's single box ---------------------------------------------------------------

void SetAboutTexts(const AboutTexts& texts) {
    Texts() = texts;
}

fabout& AboutBox() {
    if (!Instance()) Instance() = std::make_shared<fabout>(Texts());
    return *Instance();
}

bool AboutBoxLoaded() {
    return Instance() != nullptr;
}

void UnloadAboutBox() {
    if (!Instance()) return;
    if (Instance()->form) Instance()->form->Close();
    Instance().reset();
}

void ShowAbout(int32_t, const std::string& comment, int32_t resourceId, int32_t,
               ctl::PicturePtr picture) {
    AboutBox();
    const std::shared_ptr<fabout> held = Instance();
    fabout& box = *held;
    ctl::DoEvents();
    // A control of the library ended meanwhile and unloaded the box: nothing is shown.
    if (Instance() != held) return;
    if (!picture || picture->isEmpty()) {
        if (resourceId > 0) {
            try {
                box.About(comment, ResourcePicture(resourceId));
            } catch (...) {
                // An unknown resource ends the call, as any failure of the box does.
            }
        } else {
            box.About("", nullptr);
        }
    } else {
        box.About(comment, picture);
    }
}
