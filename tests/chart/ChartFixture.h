#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "chart/ucKarvex.h"
#include "platform/sys/Locale.h"
#include "platform/sys/Prompts.h"

// A chart control on a plain site, created new (Initialize, InitProperties) at run time unless
// a test asks otherwise, with prompts answered by a scripted answerer.
class ChartTest : public ::testing::Test {
  protected:
    void SetUp() override {
        prompter = std::make_shared<ctl::ScriptedPrompter>();
        ctl::SetPrompter(prompter);
    }
    void TearDown() override {
        if (chart) chart->Terminate();
        chart.reset();
        ctl::SetPrompter(nullptr);
        ctl::Locale::SetCurrent(ctl::LocaleInfo::UK());
        ctl::Clock::SetNow(std::nullopt);
    }

    karvex::ucKarvex& Create(bool userMode = true) {
        site.userMode = userMode;
        chart = std::make_unique<karvex::ucKarvex>(site);
        chart->Initialize();
        chart->InitProperties();
        site.changed.clear();
        return *chart;
    }

    karvex::ucKarvex& Load(ctl::PropertyBag& bag, bool userMode = true) {
        site.userMode = userMode;
        chart = std::make_unique<karvex::ucKarvex>(site);
        chart->Initialize();
        chart->ReadProperties(bag);
        site.changed.clear();
        return *chart;
    }

    // Draw operations of one kind recorded on the surface.
    std::vector<ctl::DrawOp> Ops(ctl::DrawOp::Kind kind) const {
        std::vector<ctl::DrawOp> out;
        for (const auto& op : chart->pic_main->ops())
            if (op.kind == kind) out.push_back(op);
        return out;
    }

    ctl::BasicSite site;
    std::shared_ptr<ctl::ScriptedPrompter> prompter;
    std::unique_ptr<karvex::ucKarvex> chart;
};
