// The command line Explorer hands over: any bytes, any switches, any quotes.
#include "app/command_line.h"
#include "fuzz/fuzz_values.h"

namespace {

class NoTarget final : public glmx::app::CommandLineTarget {
public:
    void SelectFileInFolderPage(const std::string&) override {}
    void OpenFolderInFolderPage(const std::string&) override {}
    void ShowRecycleBinView() override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, size_t size) {
    FuzzedDataProvider input(bytes, size);
    const std::string programPath = glmx::fuzz::Text(input, 64);
    const std::string commandLine = input.ConsumeRemainingBytesAsString();

    glmx::app::SplitCommandLine(commandLine);
    glmx::app::ProgramFolderOf(programPath);
    glmx::app::CommandLineReader reader(glmx::app::ProgramArguments(programPath, commandLine));
    NoTarget target;
    glmx::app::ProcessCommandLine(reader, target);
    return 0;
}
