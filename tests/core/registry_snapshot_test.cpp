// A registry key put back as it was found (run under Wine): whatever a
// library did to it meanwhile, the key's values keep their types and bytes,
// its subkeys come back, and keys created above it go again.
#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <random>
#include <string>
#include <vector>

#include "platform/registry_snapshot.h"

namespace scorvale::platform {
namespace {

// The whole of a key, one line per value or subkey, for comparing: the
// path, then the value's type and bytes.
using Dump = std::map<std::wstring, std::wstring>;

void dump(HKEY parent, const std::wstring& path, Dump& out) {
    HKEY h = nullptr;
    if (::RegOpenKeyExW(parent, path.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return;
    out[path] = L"key";
    wchar_t name[256];
    BYTE data[4096];
    for (DWORD i = 0;; ++i) {
        DWORD nameSize = 256, dataSize = sizeof data, type = 0;
        if (::RegEnumValueW(h, i, name, &nameSize, nullptr, &type, data, &dataSize) != ERROR_SUCCESS) break;
        std::wstring bytes = std::to_wstring(type) + L":";
        for (DWORD b = 0; b < dataSize; ++b) bytes += std::to_wstring(data[b]) + L",";
        out[path + L"|" + std::wstring(name, nameSize)] = bytes;
    }
    std::vector<std::wstring> subkeys;
    for (DWORD i = 0;; ++i) {
        DWORD nameSize = 256;
        if (::RegEnumKeyExW(h, i, name, &nameSize, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        subkeys.emplace_back(name, nameSize);
    }
    ::RegCloseKey(h);
    for (const std::wstring& sub : subkeys) dump(parent, path + L"\\" + sub, out);
}

Dump dumpOf(const std::wstring& path) {
    Dump out;
    dump(HKEY_CURRENT_USER, path, out);
    return out;
}

void set(const std::wstring& key, const std::wstring& name, DWORD type, const std::vector<BYTE>& data) {
    HKEY h = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(::RegSetValueExW(h, name.c_str(), 0, type, data.data(), static_cast<DWORD>(data.size())), ERROR_SUCCESS);
    ::RegCloseKey(h);
}

std::vector<BYTE> wide(const std::wstring& text) {  // with its terminator(s) as the registry keeps them
    const auto* p = reinterpret_cast<const BYTE*>(text.c_str());
    return {p, p + (text.size() + 1) * sizeof(wchar_t)};
}

class RegistryKept : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = L"Software\\ScorvaleTest" + std::to_wstring(std::random_device{}() % 1000000);
        key_ = root_ + L"\\OrganizationDefaults\\FileDialog";
    }
    void TearDown() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, root_.c_str()); }

    // What a library may do to the key: change, remove and add values, add a
    // subkey.
    void meddle() {
        set(key_, L"history", REG_SZ, wide(L"file:///Z:/elsewhere"));
        ::RegDeleteKeyValueW(HKEY_CURRENT_USER, key_.c_str(), L"sidebarWidth");
        set(key_, L"qtVersion", REG_SZ, wide(L"6.4.2"));
        set(key_ + L"\\Added", L"", REG_DWORD, {1, 0, 0, 0});
    }

    std::wstring root_;
    std::wstring key_;
};

TEST_F(RegistryKept, KeyThatWasThereComesBackByteForByte) {
    // Values of every kind the toolkit or another program may have left,
    // some of which a round trip through the toolkit's settings would change
    // (an expandable string, binary of odd length, the default value).
    set(key_, L"history", REG_MULTI_SZ, wide(std::wstring(L"file:///C:/a\0file:///C:/b\0", 26)));
    set(key_, L"lastVisited", REG_EXPAND_SZ, wide(L"%USERPROFILE%\\Documents"));
    set(key_, L"sidebarWidth", REG_DWORD, {90, 0, 0, 0});
    set(key_, L"big", REG_QWORD, {1, 2, 3, 4, 5, 6, 7, 8});
    set(key_, L"treeViewHeader", REG_BINARY, {0, 255, 7});
    set(key_, L"", REG_SZ, wide(L"@Variant(not parsed)"));
    set(key_ + L"\\Sub\\Deeper", L"x", REG_SZ, wide(L"y"));
    set(root_ + L"\\OtherProgram", L"kept", REG_SZ, wide(L"yes"));
    const Dump before = dumpOf(root_);
    ASSERT_EQ(before.size(), 14u);
    {
        const RegistryKeyKeptAsFound kept(key_);
        meddle();
        ::RegDeleteTreeW(HKEY_CURRENT_USER, (key_ + L"\\Sub").c_str());
        ASSERT_NE(dumpOf(root_), before);
    }
    EXPECT_EQ(dumpOf(root_), before);
}

// A key that was not there is gone again, with whatever was created above
// it, unless something else now lives there; what was there before stays.
TEST_F(RegistryKept, KeyThatWasNotThereGoesWithTheKeysCreatedForIt) {
    const struct {
        const wchar_t* before;  // a value set under the root before, or none
        const wchar_t* during;  // a key of another program's added during the run, or none
        std::vector<std::wstring> left;
    } cases[] = {
        {nullptr, nullptr, {}},
        {L"", nullptr, {L""}},
        {L"\\OrganizationDefaults", nullptr, {L"", L"\\OrganizationDefaults", L"\\OrganizationDefaults|v"}},
        {nullptr, L"\\OtherProgram", {L"", L"\\OtherProgram", L"\\OtherProgram|v"}},
    };
    for (const auto& c : cases) {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, root_.c_str());
        if (c.before) {
            if (*c.before) {
                set(root_ + c.before, L"v", REG_SZ, wide(L"there"));
            } else {
                HKEY h = nullptr;
                ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, root_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                            &h, nullptr),
                          ERROR_SUCCESS);
                ::RegCloseKey(h);
            }
        }
        {
            const RegistryKeyKeptAsFound kept(key_);
            meddle();
            if (c.during) set(root_ + c.during, L"v", REG_SZ, wide(L"theirs"));
        }
        std::vector<std::wstring> left;
        for (const auto& [path, value] : dumpOf(root_)) left.push_back(path.substr(root_.size()));
        EXPECT_EQ(left, c.left) << (c.before ? "before" : "") << (c.during ? " during" : "");
    }
}

}  // namespace
}  // namespace scorvale::platform
