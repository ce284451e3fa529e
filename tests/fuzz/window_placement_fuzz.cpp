// The stored window placement as any text, and monitors and bounds of any size.
#include "fuzz/fuzz_values.h"
#include "platform/fake/fake_registry.h"
#include "ui/mainwindow/window_placement.h"

namespace {

constexpr std::string_view kNames[] = {"Top", "Left", "Width", "Height", "MaximizedWindow"};

glmx::ui::WindowBounds Bounds(FuzzedDataProvider& input) {
    return {input.ConsumeIntegral<int>(), input.ConsumeIntegral<int>(),
            input.ConsumeIntegral<int>(), input.ConsumeIntegral<int>()};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, size_t size) {
    FuzzedDataProvider input(bytes, size);
    glmx::platform::FakeRegistry registry;
    const std::string base = "Software\\Quenfield\\GLMX";
    const auto key = registry.CreateKey(glmx::platform::RegRoot::CurrentUser, base + "\\Desktop");
    for (std::string_view name : kNames)
        if (input.ConsumeBool()) key->SetValue(name, glmx::fuzz::Data(input));

    glmx::settings::TRegInfoClass desktop(registry, base, "Desktop");
    for (std::string_view name : kNames)
        if (input.ConsumeBool())
            desktop.ImplicitValues().Add(std::string(name), glmx::fuzz::Text(input, 12));
    const auto placement = glmx::ui::RestorePlacement(desktop);

    std::vector<glmx::ui::ScreenRect> monitors;
    for (int i = input.ConsumeIntegralInRange(0, 4); i > 0; --i)
        monitors.push_back({input.ConsumeIntegral<int>(), input.ConsumeIntegral<int>(),
                            input.ConsumeIntegral<int>(), input.ConsumeIntegral<int>()});
    glmx::ui::KeepOnAMonitor(placement.bounds, monitors);
    glmx::ui::KeepOnAMonitor(Bounds(input), monitors);
    return 0;
}
