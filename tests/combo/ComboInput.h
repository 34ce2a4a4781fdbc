#pragma once
// A combo placed on a shown form, driven by real key and mouse events.
#include <map>
#include <string>
#include <vector>

#include "ComboFixture.h"
#include "platform/forms/Input.h"
#include "platform/sys/EventLoop.h"

class ComboInputTest : public ComboTest {
  protected:
    void SetUp() override {
        ComboTest::SetUp();
        site.onEvent = [this](const ctl::EventInfo& e, ctl::Args& a) {
            std::vector<int> nums;
            for (const auto& v : a) nums.push_back(int(v.toDouble()));
            args[e.name].push_back(nums);
            if (onEvent) onEvent(e.name, a);
        };
    }
    void TearDown() override {
        for (auto& f : forms) f->Hide();
        ComboTest::TearDown();
    }

    // A stored control of the style, loaded at run time with `rows` rows, on a shown form at
    // (left, top) twips of the screen.
    std::unique_ptr<quorlin::ucvQuorlin> Placed(int style, int rows, int left = 1500,
                                                int top = 1500) {
        auto c = RunTimeCombo(style);
        c->TimerProc.setEnabled(false);  // the tests tick it themselves
        Fill(*c, rows);
        forms.push_back(std::make_unique<ctl::Form>());
        ctl::Form* form = forms.back().get();
        form->Place(*c, 0, 0);
        form->Move(left, top, c->Width() + 300, c->Height() + 300);
        form->Show();
        ctl::DoEvents();
        site.events.clear();
        site.changed.clear();
        args.clear();
        return c;
    }

    static void Press(ctl::Widget& w, int code, int shift = 0) {
        ctl::SimulateKey(w, "press", code, shift);
    }
    static void Type(ctl::Widget& w, const std::string& text) {
        for (char ch : text) Press(w, ch >= 'a' && ch <= 'z' ? ch - 32 : ch);
    }
    static void Click(ctl::Widget& w, float x, float y, int button = ctl::vbLeftButton) {
        ctl::SimulateMouse(w, "down", button, 0, x, y);
        ctl::SimulateMouse(w, "up", button, 0, x, y);
    }
    int Count(const std::string& event) const {
        int n = 0;
        for (const auto& e : site.events) n += e == event;
        return n;
    }

    std::vector<std::unique_ptr<ctl::Form>> forms;  // kept until the controls on them are gone
    std::map<std::string, std::vector<std::vector<int>>> args;  // per event, its arguments
    std::function<void(const std::string&, ctl::Args&)> onEvent;
};
