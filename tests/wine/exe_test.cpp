// What MX.EXE carries: its resources, and the DLLs it needs.
#include <gtest/gtest.h>

#include <windows.h>

#include <set>
#include <string>

#include "tests/wine/mx_process.h"

namespace {

// Resource types, as numbers: the narrow RT_ names do not fit wide calls.
LPCWSTR const BITMAP_TYPE = MAKEINTRESOURCEW(2);
LPCWSTR const ICON_TYPE = MAKEINTRESOURCEW(3);
LPCWSTR const ICON_GROUP_TYPE = MAKEINTRESOURCEW(14);
LPCWSTR const MANIFEST_TYPE = MAKEINTRESOURCEW(24);

class Exe : public ::testing::Test {
protected:
    void SetUp() override
    {
        path_ = BuildFolder() + L"MX.EXE";
        module_ = LoadLibraryExW(path_.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module_, nullptr);
    }
    void TearDown() override { FreeLibrary(module_); }

    // A resource's bytes, or null.
    const BYTE *Resource(LPCWSTR name, LPCWSTR type, DWORD *size = nullptr) const
    {
        HRSRC found = FindResourceW(module_, name, type);
        if (!found)
            return nullptr;
        if (size)
            *size = SizeofResource(module_, found);
        return static_cast<const BYTE *>(LockResource(LoadResource(module_, found)));
    }

    std::wstring path_;
    HMODULE module_ = nullptr;
};

BOOL CALLBACK CountName(HMODULE, LPCWSTR, LPWSTR, LONG_PTR count)
{
    ++*reinterpret_cast<int *>(count);
    return TRUE;
}

TEST_F(Exe, CarriesExactlyOneManifest)
{
    int count = 0;
    EnumResourceNamesW(module_, MANIFEST_TYPE, CountName, reinterpret_cast<LONG_PTR>(&count));
    ASSERT_EQ(count, 1);
    DWORD size = 0;
    const BYTE *manifest = Resource(MAKEINTRESOURCEW(1), MANIFEST_TYPE, &size);
    ASSERT_NE(manifest, nullptr);
    std::string text(reinterpret_cast<const char *>(manifest), size);
    for (const char *part : {"level=\"asInvoker\"", "Microsoft.Windows.Common-Controls",
                             "version=\"6.0.0.0\"", "supportedOS", "<dpiAware", ">true</dpiAware>"})
        EXPECT_NE(text.find(part), std::string::npos) << part;
}

#pragma pack(push, 2)
struct IconGroupEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
struct IconGroup {
    WORD reserved, type, count;
    IconGroupEntry entries[1];
};
#pragma pack(pop)

TEST_F(Exe, IconIsOne32By32ImageOf256Colours)
{
    const auto *group = reinterpret_cast<const IconGroup *>(Resource(L"MX", ICON_GROUP_TYPE));
    ASSERT_NE(group, nullptr);
    ASSERT_EQ(group->count, 1);
    const IconGroupEntry &entry = group->entries[0];
    EXPECT_EQ(entry.width, 32);
    EXPECT_EQ(entry.height, 32);
    const auto *image = reinterpret_cast<const BITMAPINFOHEADER *>(
        Resource(MAKEINTRESOURCEW(entry.id), ICON_TYPE));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->biBitCount, 8);
    EXPECT_EQ(image->biWidth, 32);
    EXPECT_EQ(image->biHeight, 64);  // the colours, then the mask
}

TEST_F(Exe, AdvertIs800By600In24BitsUncompressed)
{
    const auto *header = reinterpret_cast<const BITMAPINFOHEADER *>(Resource(L"advert", BITMAP_TYPE));
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->biWidth, 800);
    EXPECT_EQ(header->biHeight, 600);
    EXPECT_EQ(header->biBitCount, 24);
    EXPECT_EQ(header->biCompression, DWORD(BI_RGB));
    EXPECT_EQ(header->biXPelsPerMeter, 23621);
    EXPECT_EQ(header->biYPelsPerMeter, 23621);
}

std::wstring VersionString(const BYTE *info, const wchar_t *name)
{
    wchar_t *value = nullptr;
    UINT length = 0;
    std::wstring key = std::wstring(L"\\StringFileInfo\\040904E4\\") + name;
    if (!VerQueryValueW(info, key.c_str(), reinterpret_cast<void **>(&value), &length))
        return L"(missing)";
    return value;
}

TEST_F(Exe, VersionResourceNamesTheProgram)
{
    DWORD size = GetFileVersionInfoSizeW(path_.c_str(), nullptr);
    ASSERT_GT(size, 0u);
    std::string buffer(size, '\0');
    BYTE *info = reinterpret_cast<BYTE *>(&buffer[0]);
    ASSERT_TRUE(GetFileVersionInfoW(path_.c_str(), 0, size, info));

    VS_FIXEDFILEINFO *fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(info, L"\\", reinterpret_cast<void **>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileOS, DWORD(VOS_NT_WINDOWS32));
    EXPECT_EQ(fixed->dwFileType, DWORD(VFT_APP));
    EXPECT_EQ(fixed->dwFileFlags, 0u);

    DWORD *translation = nullptr;
    ASSERT_TRUE(VerQueryValueW(info, L"\\VarFileInfo\\Translation",
                               reinterpret_cast<void **>(&translation), &length));
    EXPECT_EQ(*translation, DWORD(0x0409 | 1252 << 16));

    EXPECT_EQ(VersionString(info, L"FileDescription"), L"Mensurix");
    EXPECT_EQ(VersionString(info, L"FileVersion"), L"1.0");
    EXPECT_EQ(VersionString(info, L"InternalName"), L"mx");
    EXPECT_EQ(VersionString(info, L"OriginalFilename"), L"MX.EXE");
    EXPECT_EQ(VersionString(info, L"CompanyName"), L"Zorq Software");
    EXPECT_EQ(VersionString(info, L"LegalCopyright"), L"Copyright (c) 2026 Zorq Software");
}

TEST_F(Exe, ImportsOnlySystemDlls)
{
    // Mapped as an image, not loaded: its imports stay unresolved.
    HMODULE image = LoadLibraryExW(path_.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
    ASSERT_NE(image, nullptr);
    const BYTE *base = reinterpret_cast<const BYTE *>(image);
    const auto *dos = reinterpret_cast<const IMAGE_DOS_HEADER *>(base);
    const auto *nt = reinterpret_cast<const IMAGE_NT_HEADERS32 *>(base + dos->e_lfanew);
    EXPECT_EQ(nt->FileHeader.Machine, IMAGE_FILE_MACHINE_I386);
    const IMAGE_DATA_DIRECTORY &imports =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    const std::set<std::string> system = {"KERNEL32.DLL", "USER32.DLL", "GDI32.DLL",
                                          "SHELL32.DLL", "MSVCRT.DLL", "ADVAPI32.DLL"};
    int count = 0;
    for (const auto *d = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR *>(base + imports.VirtualAddress);
         d->Name; ++d, ++count) {
        std::string name = reinterpret_cast<const char *>(base + d->Name);
        for (char &c : name)
            c = char(toupper(c));
        EXPECT_TRUE(system.count(name)) << "imports " << name;
    }
    EXPECT_GT(count, 0);
    FreeLibrary(image);
}

}  // namespace
