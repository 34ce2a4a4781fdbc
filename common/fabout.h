#pragma once
// The about box: a picture, the library's title and version, an optional comment, a copyright
// line and two links (e-mail and web address of the maker). One box per library; each library
// hands it its texts and the points where its copy differs.
#include <cstdint>
#include <memory>
#include <string>

#include "platform/graphics/Picture.h"

namespace ctl {
class DialogForm;
class Image;
class Label;
class CommandButton;
class Timer;
}  // namespace ctl

// What differs between the two libraries' copies of the box.
struct AboutTexts {
    std::string Title;          // the library's own title
    std::string CopyrightYear;  // one year, or several joined by ", "
    int Major = 1, Minor = 0, Revision = 0;
    std::string Separator;  // between the title and the version number
    // The revision is shown when it is not 0 or the minor number is not 0 (false), or only when
    // it is 1 or more (true).
    bool RevisionOnlyWhenSet = false;
    int TrailingBlanks = 31;       // blanks on the lines the links lie over
    bool CentreOnPointer = true;   // else centred on the screen
    bool ModelessAllowed = false;  // the Modeless and Loaded properties
};

class fabout {
  public:
    explicit fabout(const AboutTexts& texts);
    ~fabout();
    fabout(const fabout&) = delete;
    fabout& operator=(const fabout&) = delete;

    // Milliseconds after which the box closes itself; 0 never.
    int32_t Interval();
    void setInterval(int32_t ms);
    // Modeless and always on top (libraries that allow it); False otherwise.
    bool Modeless() const { return modeless_; }
    void setModeless(bool on) { modeless_ = on && texts_.ModelessAllowed; }
    // True from loading until the window starts to close.
    bool Loaded() const { return loaded_; }

    // Fills and shows the box. Any failure ends the call without showing it.
    void About(const std::string& comment = "", ctl::PicturePtr hIcon = nullptr);

    // The text block for a comment, and its pieces.
    static std::string ComposeText(const AboutTexts& texts, const std::string& comment);
    static std::string VersionText(const AboutTexts& texts);
    static int CountCR(const std::string& text);
    // The maker's e-mail address and location line.
    static std::string MakerMail();
    static std::string MakerLocation();

    // The box's windows, by their design names.
    std::unique_ptr<ctl::DialogForm> form;
    std::unique_ptr<ctl::Label> Frame1;
    std::unique_ptr<ctl::Image> imgIcon;
    std::unique_ptr<ctl::Label> lblAbout, lblmailto, lblweb;
    std::unique_ptr<ctl::CommandButton> btnOK;
    std::unique_ptr<ctl::Timer> TimerHide;

  private:
    void Form_Load();
    void PlaceOnScreen();
    void Show();
    void HoverLink(ctl::Label& over, ctl::Label& other);
    void ClearUnderlines();
    static void Underline(ctl::Label& label, bool on);
    void Closing();

    AboutTexts texts_;
    int32_t interval_ = 0;
    bool modeless_ = false, loaded_ = false;
};

// The library's single box: its texts are handed over when a control starts; it is loaded on
// first use and unloaded when a control that used it ends.
void SetAboutTexts(const AboutTexts& texts);
fabout& AboutBox();
bool AboutBoxLoaded();
void UnloadAboutBox();

// Shows the box for a control: the owner and the reserved argument are ignored; a picture, else
// a bitmap resource (above 0), else none.
void ShowAbout(int32_t owner, const std::string& comment, int32_t resourceId, int32_t reserved,
               ctl::PicturePtr picture);
