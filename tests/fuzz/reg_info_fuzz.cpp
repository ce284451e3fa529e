// A settings key as the user, another program or an old version may have left
// it: values of any type and size, odd names, defaults of any text.
#include "fuzz/fuzz_values.h"
#include "platform/fake/fake_registry.h"
#include "settings/reg_info.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, size_t size) {
    FuzzedDataProvider input(bytes, size);
    glmx::platform::FakeRegistry registry;
    const std::string base = "Software\\Quenfield\\GLMX";
    glmx::fuzz::FillKey(input, registry, glmx::platform::RegRoot::CurrentUser, base + "\\Options",
                        {"Name", "Value", ""}, 16);

    glmx::settings::TRegInfoClass store(registry, base, "Options");
    for (int i = input.ConsumeIntegralInRange(0, 4); i > 0; --i)
        store.ImplicitValues().Add(glmx::fuzz::Text(input, 8), glmx::fuzz::Text(input, 16));
    store.LoadValues();
    store.WriteImplicitValues();
    store.LoadValues();
    for (const auto& value : store.Values()) store.GetValue(value.Name);
    store.GetValue(glmx::fuzz::Text(input, 8));
    return 0;
}
