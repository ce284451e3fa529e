#include "platform/win32/win32_registry.h"

#include <windows.h>

#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"

namespace glmx::platform::win32 {

namespace {

HKEY PredefinedKey(RegRoot root) {
    switch (root) {
        case RegRoot::ClassesRoot:
            return HKEY_CLASSES_ROOT;
        case RegRoot::CurrentUser:
            return HKEY_CURRENT_USER;
        case RegRoot::LocalMachine:
            return HKEY_LOCAL_MACHINE;
        case RegRoot::Users:
            return HKEY_USERS;
        case RegRoot::CurrentConfig:
            return HKEY_CURRENT_CONFIG;
    }
    return HKEY_CURRENT_USER;
}

// Names longer than this do not exist in the registry.
constexpr DWORD kMaxNameChars = 16384;

class Win32RegistryKey final : public RegistryKey {
public:
    Win32RegistryKey(UniqueHKey key, REGSAM view) : key_(std::move(key)), view_(view) {}

    std::vector<std::string> SubKeyNames() const override {
        std::vector<std::string> names;
        std::wstring name(kMaxNameChars, L'\0');
        for (DWORD index = 0;; ++index) {
            DWORD length = kMaxNameChars;
            const LONG status = RegEnumKeyExW(key_.get(), index, name.data(), &length, nullptr,
                                              nullptr, nullptr, nullptr);
            if (status == ERROR_MORE_DATA) continue;  // cannot be a real key name
            if (status != ERROR_SUCCESS) break;
            names.push_back(Narrow(std::wstring_view(name.data(), length)));
        }
        return names;
    }

    size_t SubKeyCount() const override {
        DWORD count = 0;
        if (RegQueryInfoKeyW(key_.get(), nullptr, nullptr, nullptr, &count, nullptr, nullptr,
                             nullptr, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            return 0;
        return count;
    }

    size_t SubKeyCountOf(std::string_view name) const override {
        UniqueHKey child;
        if (RegOpenKeyExW(key_.get(), Wide(name).c_str(), 0, KEY_QUERY_VALUE | view_,
                          child.put()) != ERROR_SUCCESS)
            return 0;
        return Win32RegistryKey(std::move(child), view_).SubKeyCount();
    }

    std::vector<RegNamedValue> Values() const override {
        std::vector<RegNamedValue> values;
        DWORD maxData = 0;
        if (RegQueryInfoKeyW(key_.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                             nullptr, nullptr, &maxData, nullptr, nullptr) != ERROR_SUCCESS)
            return values;
        std::wstring name(kMaxNameChars, L'\0');
        std::vector<BYTE> data(maxData + 2);
        for (DWORD index = 0;;) {
            DWORD nameLength = kMaxNameChars;
            DWORD type = 0;
            DWORD dataSize = static_cast<DWORD>(data.size());
            const LONG status = RegEnumValueW(key_.get(), index, name.data(), &nameLength, nullptr,
                                              &type, data.data(), &dataSize);
            if (status == ERROR_MORE_DATA) {
                // The value grew since the key was measured: make room and read it again.
                data.resize(static_cast<size_t>(dataSize) + 2);
                continue;
            }
            if (status != ERROR_SUCCESS) break;
            RegNamedValue value;
            value.name = Narrow(std::wstring_view(name.data(), nameLength));
            value.data.type = static_cast<RegType>(type);
            value.data.bytes.assign(data.begin(), data.begin() + dataSize);
            values.push_back(std::move(value));
            ++index;
        }
        return values;
    }

    std::optional<RegData> QueryValue(std::string_view name) const override {
        const std::wstring wideName = Wide(name);
        DWORD type = 0;
        // Most values fit a small buffer: one call, instead of asking the size first.
        BYTE buffer[512];
        DWORD size = sizeof(buffer);
        const LONG first =
            RegQueryValueExW(key_.get(), wideName.c_str(), nullptr, &type, buffer, &size);
        if (first == ERROR_SUCCESS)
            return RegData{static_cast<RegType>(type), {buffer, buffer + size}};
        if (first != ERROR_MORE_DATA) return std::nullopt;
        for (int attempt = 0; attempt < 4; ++attempt) {  // the value may grow meanwhile
            std::vector<BYTE> data(static_cast<size_t>(size) + 2);
            DWORD got = static_cast<DWORD>(data.size());
            const LONG status =
                RegQueryValueExW(key_.get(), wideName.c_str(), nullptr, &type, data.data(), &got);
            if (status == ERROR_SUCCESS) {
                data.resize(got);
                return RegData{static_cast<RegType>(type), {data.begin(), data.end()}};
            }
            if (status != ERROR_MORE_DATA) return std::nullopt;
            size = got;
        }
        return std::nullopt;
    }

    bool SetValue(std::string_view name, const RegData& data) override {
        return RegSetValueExW(key_.get(), Wide(name).c_str(), 0, static_cast<DWORD>(data.type),
                              data.bytes.data(),
                              static_cast<DWORD>(data.bytes.size())) == ERROR_SUCCESS;
    }

    bool DeleteValue(std::string_view name) override {
        return RegDeleteValueW(key_.get(), Wide(name).c_str()) == ERROR_SUCCESS;
    }

private:
    UniqueHKey key_;
    REGSAM view_;
};

// Deletes the sub-keys first, since RegDeleteKey refuses a key that has any.
// RegDeleteTree is not there on the oldest systems the program runs on.
bool DeleteTreeBelow(HKEY parent, const std::wstring& path, REGSAM view) {
    UniqueHKey key;
    if (RegOpenKeyExW(parent, path.c_str(), 0, KEY_READ | KEY_WRITE | view, key.put()) !=
        ERROR_SUCCESS)
        return false;
    std::wstring child(kMaxNameChars, L'\0');
    for (;;) {
        DWORD length = kMaxNameChars;
        // Always the first sub-key: the one before it is gone.
        if (RegEnumKeyExW(key.get(), 0, child.data(), &length, nullptr, nullptr, nullptr,
                          nullptr) != ERROR_SUCCESS)
            break;
        if (!DeleteTreeBelow(key.get(), std::wstring(child.data(), length), view)) return false;
    }
    key.reset();
    return RegDeleteKeyW(parent, path.c_str()) == ERROR_SUCCESS;
}

REGSAM ViewFlag(RegistryView view) {
    switch (view) {
        case RegistryView::Bits32:
            return KEY_WOW64_32KEY;
        case RegistryView::Bits64:
            return KEY_WOW64_64KEY;
        default:
            return 0;
    }
}

}  // namespace

Win32Registry::Win32Registry(RegistryView view) : view_(ViewFlag(view)) {}

std::unique_ptr<RegistryKey> Win32Registry::OpenKey(RegRoot root, std::string_view path,
                                                    RegAccess access) {
    UniqueHKey key;
    REGSAM sam = KEY_READ;
    if (access == RegAccess::ReadWrite) sam = KEY_READ | KEY_WRITE;
    if (access == RegAccess::Query) sam = KEY_QUERY_VALUE;
    if (RegOpenKeyExW(PredefinedKey(root), Wide(path).c_str(), 0, sam | view_, key.put()) !=
        ERROR_SUCCESS)
        return nullptr;
    return std::make_unique<Win32RegistryKey>(std::move(key), view_);
}

std::unique_ptr<RegistryKey> Win32Registry::CreateKey(RegRoot root, std::string_view path) {
    UniqueHKey key;
    if (RegCreateKeyExW(PredefinedKey(root), Wide(path).c_str(), 0, nullptr,
                        REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE | view_, nullptr, key.put(),
                        nullptr) != ERROR_SUCCESS)
        return nullptr;
    return std::make_unique<Win32RegistryKey>(std::move(key), view_);
}

bool Win32Registry::DeleteKeyTree(RegRoot root, std::string_view path) {
    if (path.empty()) return false;  // never a whole hive
    // The key goes through its parent opened in this view: a root alone would delete
    // from the program's own view.
    const std::wstring wide = Wide(path);
    const size_t slash = wide.rfind(L'\\');
    const std::wstring parentPath = slash == std::wstring::npos ? L"" : wide.substr(0, slash);
    UniqueHKey parent;
    if (RegOpenKeyExW(PredefinedKey(root), parentPath.c_str(), 0, KEY_READ | view_, parent.put()) !=
        ERROR_SUCCESS)
        return false;
    return DeleteTreeBelow(parent.get(), wide.substr(slash + 1), view_);
}

}  // namespace glmx::platform::win32
