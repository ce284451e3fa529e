// A file's version resource as any file may carry it: fixed part or none, any
// translation table, string tables for listed and unlisted translations.
#include "fileinfo/version_info.h"
#include "fuzz/fuzz_values.h"
#include "platform/fake/fake_version_resources.h"

namespace {

constexpr std::string_view kKeys[] = {"FileVersion",  "CompanyName",     "FileDescription",
                                      "ProductName",  "ProductVersion",  "InternalName",
                                      "Comments",     "LegalCopyright",  "OriginalFilename",
                                      "PrivateBuild", "LegalTrademarks", "SpecialBuild"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, size_t size) {
    FuzzedDataProvider input(bytes, size);
    const std::string path = "C:\\file.exe";
    glmx::platform::FakeVersionResources resources;
    std::optional<glmx::platform::FixedFileInfo> fixed;
    if (input.ConsumeBool()) {
        fixed.emplace();
        for (std::uint32_t* field :
             {&fixed->fileVersionMS, &fixed->fileVersionLS, &fixed->productVersionMS,
              &fixed->productVersionLS, &fixed->fileOS, &fixed->fileType})
            *field = input.ConsumeIntegral<std::uint32_t>();
    }
    resources.AddFile(path, fixed);

    std::vector<std::uint32_t> translations;
    for (int i = input.ConsumeIntegralInRange(0, 3); i > 0; --i) {
        translations.push_back(input.ConsumeIntegral<std::uint32_t>());
        if (input.ConsumeBool()) resources.AddTranslation(path, translations.back());
    }
    while (!translations.empty() && input.remaining_bytes() > 0) {
        const std::uint32_t translation =
            translations[input.ConsumeIntegralInRange<size_t>(0, translations.size() - 1)];
        const std::string key = input.ConsumeBool() ? std::string(input.PickValueInArray(kKeys))
                                                    : glmx::fuzz::Text(input, 16);
        resources.SetString(path, translation, key, glmx::fuzz::Text(input, 64));
    }

    const auto list = glmx::fileinfo::GetVersionInfoList(resources, path);
    for (std::string_view key : kKeys) glmx::fileinfo::GetVersionInfoValue(list, key);
    glmx::fileinfo::GetVersionInfoValue(list, "");
    if (fixed) {
        glmx::fileinfo::OperatingSystemName(fixed->fileOS);
        glmx::fileinfo::FileTypeName(fixed->fileType);
    }
    return 0;
}
