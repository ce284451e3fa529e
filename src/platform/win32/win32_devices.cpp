#include "platform/win32/win32_devices.h"

#include <cfgmgr32.h>
#include <objbase.h>
#include <shellapi.h>

#include "platform/win32/system_error.h"
#include "platform/win32/system_library.h"
#include "platform/win32/wide.h"

namespace glmx::platform::win32 {

namespace {

class Win32DeviceSet final : public DeviceSet {
public:
    explicit Win32DeviceSet(HDEVINFO set) : set_(set) {}
    ~Win32DeviceSet() override { SetupDiDestroyDeviceInfoList(set_); }
    Win32DeviceSet(const Win32DeviceSet&) = delete;
    Win32DeviceSet& operator=(const Win32DeviceSet&) = delete;

    DeviceEnumResult Enumerate(std::uint32_t index) override {
        current_ = SP_DEVINFO_DATA{};
        current_.cbSize = sizeof(current_);
        valid_ = SetupDiEnumDeviceInfo(set_, index, &current_) != FALSE;
        if (valid_) return DeviceEnumResult::Device;
        return GetLastError() == ERROR_NO_MORE_ITEMS ? DeviceEnumResult::NoMoreItems
                                                     : DeviceEnumResult::Failed;
    }

    std::optional<std::uint32_t> PropertySize(DeviceProperty property) const override {
        if (!valid_) return std::nullopt;
        DWORD required = 0;
        SP_DEVINFO_DATA device = current_;
        if (SetupDiGetDeviceRegistryPropertyW(set_, &device, static_cast<DWORD>(property), nullptr,
                                              nullptr, 0, &required))
            return required;
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return std::nullopt;
        return required;
    }

    bool ReadProperty(DeviceProperty property, std::span<std::uint8_t> buffer) const override {
        if (!valid_ || buffer.empty()) return false;
        SP_DEVINFO_DATA device = current_;
        return SetupDiGetDeviceRegistryPropertyW(set_, &device, static_cast<DWORD>(property),
                                                 nullptr, buffer.data(),
                                                 static_cast<DWORD>(buffer.size()), nullptr);
    }

    std::optional<std::uint32_t> ProblemCode() const override {
        if (!valid_) return std::nullopt;
        ULONG status = 0;
        ULONG problem = 0;
        if (CM_Get_DevNode_Status(&status, &problem, current_.DevInst, 0) != CR_SUCCESS ||
            !(status & DN_HAS_PROBLEM))
            return std::nullopt;
        return problem;
    }

private:
    HDEVINFO set_;
    SP_DEVINFO_DATA current_{};
    bool valid_ = false;
};

}  // namespace

std::unique_ptr<DeviceSet> Win32Devices::OpenPresentDevices() {
    const HDEVINFO set = SetupDiGetClassDevsW(nullptr, nullptr, nullptr,
                                              DIGCF_PRESENT | DIGCF_ALLCLASSES | DIGCF_PROFILE);
    if (set == INVALID_HANDLE_VALUE || set == nullptr) return nullptr;
    return std::make_unique<Win32DeviceSet>(set);
}

std::optional<std::string> Win32Devices::StartSystemProgram(std::string_view fileName,
                                                            std::string_view arguments) {
    const std::wstring folder = SystemFolder();
    if (folder.empty()) return SystemErrorText(GetLastError());
    const std::wstring path = folder + L"\\" + Wide(fileName);
    const std::wstring parameters = Wide(arguments);
    // Through the shell: the console asks to run as administrator where it may.
    SHELLEXECUTEINFOW execute{};
    execute.cbSize = sizeof(execute);
    execute.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    execute.lpVerb = L"open";
    execute.lpFile = path.c_str();
    execute.lpParameters = parameters.empty() ? nullptr : parameters.c_str();
    execute.nShow = SW_SHOWNORMAL;
    if (ShellExecuteExW(&execute)) return std::nullopt;
    const DWORD error = GetLastError();
    // The user declining to let it run as administrator is no failure.
    if (error == ERROR_CANCELLED) return std::nullopt;
    return SystemErrorText(error);
}

DeviceClassImageList::DeviceClassImageList() {
    data_.cbSize = sizeof(data_);
    loaded_ = SetupDiGetClassImageList(&data_) != FALSE && data_.ImageList != nullptr;
}

DeviceClassImageList::~DeviceClassImageList() {
    if (loaded_) SetupDiDestroyClassImageList(&data_);
}

std::optional<int> DeviceClassImageList::IndexOf(std::string_view classGuid) const {
    if (!loaded_) return std::nullopt;
    // Only the braced form: any other text would be looked up as a program identifier.
    if (classGuid.size() != 38 || classGuid.front() != '{') return std::nullopt;
    std::wstring text = Wide(classGuid);
    GUID guid{};
    if (FAILED(CLSIDFromString(text.data(), &guid))) return std::nullopt;
    int index = -1;
    SP_CLASSIMAGELIST_DATA data = data_;
    if (!SetupDiGetClassImageIndex(&data, &guid, &index) || index < 0) return std::nullopt;
    return index;
}

}  // namespace glmx::platform::win32
