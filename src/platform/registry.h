// The registry as the program uses it: predefined roots, keys opened for reading
// or writing, values in their stored order, whole-tree deletion.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace glmx::platform {

enum class RegRoot { ClassesRoot, CurrentUser, LocalMachine, Users, CurrentConfig };

// "HKEY_CURRENT_USER" and its siblings, as shown to the user and stored in records.
std::string_view RootLongName(RegRoot root);

// Registry value types, numbered as Windows numbers them. Data read from a real
// key may carry any other number too.
enum class RegType : std::uint32_t {
    None = 0,
    String = 1,
    ExpandString = 2,
    Binary = 3,
    Dword = 4,
    DwordBigEndian = 5,
    Link = 6,
    MultiString = 7,
    ResourceList = 8,
    FullResourceDescriptor = 9,
    ResourceRequirementsList = 10,
    Qword = 11,
};

// A value's data exactly as stored: string types hold UTF-16LE code units.
struct RegData {
    RegType type = RegType::None;
    std::vector<std::uint8_t> bytes;

    friend bool operator==(const RegData&, const RegData&) = default;
};

struct RegNamedValue {
    std::string name;  // "" is the key's unnamed (default) value
    RegData data;
};

// REG_SZ (or another string type) data for a UTF-8 text, NUL-terminated as Windows stores it.
RegData MakeStringData(std::string_view utf8, RegType type = RegType::String);

// The text of string data: up to the first NUL; an odd trailing byte is ignored.
std::string DecodeStringData(const RegData& data);

// Settings read every value as text: string types as their text, DWORD and QWORD
// as decimal numbers; other types have no text.
std::optional<std::string> ValueAsText(const RegData& data);

// Query opens a key only to ask about it (how many sub-keys), which some keys allow
// where they refuse reading.
enum class RegAccess { Read, ReadWrite, Query };

class RegistryKey {
public:
    virtual ~RegistryKey() = default;

    // Sub-key names, as the registry lists them (alphabetically, ignoring case).
    virtual std::vector<std::string> SubKeyNames() const = 0;
    // How many sub-keys there are, without listing them; 0 when it cannot be told.
    virtual size_t SubKeyCount() const = 0;
    // How many sub-keys the named sub-key has, opening it only to query; 0 when it
    // cannot be opened or asked.
    virtual size_t SubKeyCountOf(std::string_view name) const = 0;
    // Values in stored order: values created one after another come in creation order.
    virtual std::vector<RegNamedValue> Values() const = 0;
    // Names compare without regard to case; "" is the unnamed value.
    virtual std::optional<RegData> QueryValue(std::string_view name) const = 0;
    // Creates or rewrites a value; a rewrite keeps the value's place and stored spelling.
    virtual bool SetValue(std::string_view name, const RegData& data) = 0;
    virtual bool DeleteValue(std::string_view name) = 0;
};

class Registry {
public:
    virtual ~Registry() = default;

    // Opens an existing key; nullptr when it is missing or access is refused.
    virtual std::unique_ptr<RegistryKey> OpenKey(RegRoot root, std::string_view path,
                                                 RegAccess access) = 0;
    // Opens a key for reading and writing, creating it and its missing parents.
    virtual std::unique_ptr<RegistryKey> CreateKey(RegRoot root, std::string_view path) = 0;
    // Deletes a key with everything below it; false when it did not exist or could not go.
    virtual bool DeleteKeyTree(RegRoot root, std::string_view path) = 0;
};

}  // namespace glmx::platform
