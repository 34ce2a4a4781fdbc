#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "combo/QuorlinModule.h"
#include "combo/ucvQuorlin.h"
#include "platform/com/PropertyBag.h"
#include "platform/com/RaisedError.h"
#include "platform/sys/Prompts.h"

// A combo on a plain site, with message boxes recorded instead of shown.
class ComboTest : public ::testing::Test {
  protected:
    void SetUp() override {
        prompter = std::make_shared<ctl::ScriptedPrompter>();
        ctl::SetPrompter(prompter);
        quorlin::setInitialising(false);
    }
    void TearDown() override {
        ctl::SetPrompter(nullptr);
        quorlin::setInitialising(false);
    }

    // A new control, as a host places it on a form.
    std::unique_ptr<quorlin::ucvQuorlin> NewCombo(ctl::BasicSite& site, bool userMode) {
        site.userMode = userMode;
        auto c = std::make_unique<quorlin::ucvQuorlin>(site);
        c->Initialize();
        c->InitProperties();
        return c;
    }

    // Made in the given style at design time, saved, and loaded again at run time.
    std::unique_ptr<quorlin::ucvQuorlin> RunTimeCombo(int style) {
        auto design = NewCombo(designSite, false);
        if (style != 0) design->setStyle(style);
        ctl::PropertyBag bag;
        design->WriteProperties(bag);
        design->Terminate();
        design.reset();
        return Load(bag);
    }

    std::unique_ptr<quorlin::ucvQuorlin> Load(ctl::PropertyBag bag) {
        bag = ctl::PropertyBag::fromJson(bag.toJson("Quorlin.ucvQuorlin"));
        site.userMode = true;
        auto c = std::make_unique<quorlin::ucvQuorlin>(site);
        c->Initialize();
        c->ReadProperties(bag);
        site.changed.clear();
        return c;
    }

    static void Fill(quorlin::ucvQuorlin& c, int rows) {
        for (int i = 0; i < rows; ++i)
            c.AddItem("a" + std::to_string(i), "b" + std::to_string(i), i * 10);
    }

    ctl::BasicSite site, designSite;
    std::shared_ptr<ctl::ScriptedPrompter> prompter;
};

// The error a call raises: number and description, or {0, ""} when it raises none.
inline std::pair<int, std::string> ErrorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const ctl::RaisedError& e) {
        return {e.number(), e.description()};
    }
    return {0, ""};
}
