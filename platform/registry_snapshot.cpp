#include "platform/registry_snapshot.h"

#include <windows.h>

#include <utility>
#include <vector>

namespace scorvale::platform {

struct RegistryKeyKeptAsFound::Tree {
    struct Value {
        std::wstring name;
        DWORD type = REG_NONE;
        std::vector<BYTE> data;
    };
    std::vector<Value> values;
    std::vector<std::pair<std::wstring, Tree>> keys;
};

namespace {

using Tree = RegistryKeyKeptAsFound::Tree;

class Key {
public:
    Key() = default;
    ~Key() {
        if (h_) ::RegCloseKey(h_);
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    HKEY* out() { return &h_; }
    HKEY get() const { return h_; }

private:
    HKEY h_ = nullptr;
};

bool opens(HKEY parent, const std::wstring& path, REGSAM access, Key& key) {
    return ::RegOpenKeyExW(parent, path.c_str(), 0, access, key.out()) == ERROR_SUCCESS;
}

Tree read(HKEY h) {
    Tree tree;
    DWORD keys = 0, keyName = 0, values = 0, valueName = 0, valueData = 0;
    if (::RegQueryInfoKeyW(h, nullptr, nullptr, nullptr, &keys, &keyName, nullptr, &values, &valueName, &valueData,
                           nullptr, nullptr) != ERROR_SUCCESS)
        return tree;
    for (DWORD i = 0; i < values; ++i) {
        Tree::Value value;
        value.name.resize(valueName + 1);
        value.data.resize(valueData);
        DWORD nameSize = valueName + 1, dataSize = valueData;
        if (::RegEnumValueW(h, i, value.name.data(), &nameSize, nullptr, &value.type, value.data.data(), &dataSize) !=
            ERROR_SUCCESS)
            continue;
        value.name.resize(nameSize);
        value.data.resize(dataSize);
        tree.values.push_back(std::move(value));
    }
    for (DWORD i = 0; i < keys; ++i) {
        std::wstring name(keyName + 1, L'\0');
        DWORD nameSize = keyName + 1;
        if (::RegEnumKeyExW(h, i, name.data(), &nameSize, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) continue;
        name.resize(nameSize);
        Key sub;
        if (opens(h, name, KEY_READ, sub)) tree.keys.emplace_back(name, read(sub.get()));
    }
    return tree;
}

void write(HKEY parent, const std::wstring& name, const Tree& tree) {
    Key key;
    if (::RegCreateKeyExW(parent, name.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, key.out(),
                          nullptr) != ERROR_SUCCESS)
        return;
    for (const Tree::Value& v : tree.values)
        ::RegSetValueExW(key.get(), v.name.c_str(), 0, v.type, v.data.data(), static_cast<DWORD>(v.data.size()));
    for (const auto& [subName, sub] : tree.keys) write(key.get(), subName, sub);
}

bool isEmpty(HKEY parent, const std::wstring& path) {
    Key key;
    if (!opens(parent, path, KEY_READ, key)) return false;
    DWORD keys = 0, values = 0;
    return ::RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, &keys, nullptr, nullptr, &values, nullptr, nullptr,
                              nullptr, nullptr) == ERROR_SUCCESS &&
           keys == 0 && values == 0;
}

// "a\b\c" -> "a", "a\b", "a\b\c".
std::vector<std::wstring> leadingKeys(const std::wstring& path) {
    std::vector<std::wstring> keys;
    for (std::size_t at = path.find(L'\\'); at != std::wstring::npos; at = path.find(L'\\', at + 1))
        keys.push_back(path.substr(0, at));
    keys.push_back(path);
    return keys;
}

}  // namespace

RegistryKeyKeptAsFound::RegistryKeyKeptAsFound(std::wstring path) : path_(std::move(path)) {
    for (const std::wstring& leading : leadingKeys(path_)) {
        Key key;
        if (!opens(HKEY_CURRENT_USER, leading, KEY_READ, key)) break;
        ++keysThere_;
        if (leading == path_) found_ = std::make_unique<Tree>(read(key.get()));
    }
}

RegistryKeyKeptAsFound::~RegistryKeyKeptAsFound() {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
    if (found_) {
        write(HKEY_CURRENT_USER, path_, *found_);
        return;
    }
    const std::vector<std::wstring> keys = leadingKeys(path_);
    for (std::size_t i = keys.size() - 1; i > keysThere_; --i)
        if (isEmpty(HKEY_CURRENT_USER, keys[i - 1])) ::RegDeleteKeyW(HKEY_CURRENT_USER, keys[i - 1].c_str());
}

}  // namespace scorvale::platform
