#include "common/bas_DialogColor.h"

#include "common/MissingArgument.h"
#include "platform/sys/Prompts.h"

namespace bas_DialogColor {

namespace {
// Kept per thread, as every dialog of the library lives on its one user-interface thread.
thread_local std::array<uint32_t, 16> g_customColors{};

uint32_t Low24(int32_t color) {
    return uint32_t(color) & 0xFFFFFFu;
}
}  // namespace

const std::array<uint32_t, 16>& CustomColors() {
    return g_customColors;
}

int32_t ShowColorDialog(int32_t /*owner*/, int32_t initial, const std::string& title) {
    ctl::ColorRequest request;
    request.title = title == kMissingArgument ? "Set Color" : title;
    request.initial = initial < 0 ? Low24(initial) : uint32_t(initial);
    request.customColors = g_customColors;
    std::optional<ctl::ColorResult> answer = ctl::Prompts().ChooseColor(request);
    if (!answer) return -1;
    g_customColors = answer->customColors;
    int32_t chosen = int32_t(answer->color);
    return chosen < 0 ? int32_t(Low24(chosen)) : chosen;
}

bool IsDarkColor(int32_t color) {
    auto light = [](uint32_t component) { return component == 0 || component > 128; };
    uint32_t c = uint32_t(color);
    bool allLight = light(c & 0xFF) && light(c >> 8 & 0xFF) && light(c >> 16 & 0xFF);
    return !(color != 0 && allLight);
}

}  // namespace bas_DialogColor
