// What each Windows build's MX.EXE carries, read from the file itself: its
// machine type, the DLLs it needs and its resources. These run natively, so
// both builds are checked on every machine, whichever of them can run here.
#include <gtest/gtest.h>

#include <stdint.h>

#include <set>
#include <string>

#include "resources/ids.h"
#include "tests/exe/pe_file.h"

namespace {

// Resource types and the values the headers would name.
const uint16_t BITMAP_TYPE = 2, ICON_TYPE = 3, VERSION_TYPE = 16, ICON_GROUP_TYPE = 14,
               MANIFEST_TYPE = 24;
const uint16_t MACHINE_I386 = 0x14c, MACHINE_AMD64 = 0x8664;
const uint16_t SUBSYSTEM_WINDOWS_GUI = 2, SUBSYSTEM_WINDOWS_CONSOLE = 3;

// Checks that `exe` needs no DLL but the system's: the C++ runtime is linked
// in, so nothing of mingw-w64's may be among them.
void ExpectOnlySystemDlls(const PeFile &exe)
{
    const std::set<std::string> system = {"KERNEL32.DLL", "USER32.DLL", "GDI32.DLL",
                                          "SHELL32.DLL", "MSVCRT.DLL", "ADVAPI32.DLL"};
    std::vector<std::string> imports = exe.Imports();
    EXPECT_FALSE(imports.empty());
    for (const std::string &name : imports)
        EXPECT_TRUE(system.count(name)) << "imports " << name;
}

struct Build {
    const char *name;  // folder of the build, beside this one
    uint16_t machine;
    bool is64Bit;
};

const Build BUILDS[] = {
    {"win32", MACHINE_I386, false},
    {"win64", MACHINE_AMD64, true},
};

class ExeFile : public ::testing::TestWithParam<Build> {
protected:
    ExeFile() : exe_(std::string(MX_BUILDS_DIR "/") + GetParam().name + "/MX.EXE") {}
    void SetUp() override { ASSERT_EQ(exe_.error(), ""); }

    PeFile exe_;
};

TEST_P(ExeFile, IsAWindowsProgramForItsMachine)
{
    EXPECT_EQ(exe_.machine(), GetParam().machine);
    EXPECT_EQ(exe_.is64Bit(), GetParam().is64Bit);
    EXPECT_EQ(exe_.subsystem(), SUBSYSTEM_WINDOWS_GUI);
}

TEST_P(ExeFile, ImportsOnlySystemDlls)
{
    ExpectOnlySystemDlls(exe_);
}

TEST_P(ExeFile, CarriesExactlyOneManifest)
{
    ASSERT_EQ(exe_.ResourceNames(MANIFEST_TYPE).size(), 1u);
    std::string manifest = exe_.Resource(MANIFEST_TYPE, ResourceId(1));
    for (const char *part : {"level=\"asInvoker\"", "Microsoft.Windows.Common-Controls",
                             "version=\"6.0.0.0\"", "supportedOS", "<dpiAware", ">true</dpiAware>"})
        EXPECT_NE(manifest.find(part), std::string::npos) << part;
    // One manifest serves both builds: naming a processor would keep the
    // other build from loading its common controls.
    EXPECT_EQ(manifest.find("processorArchitecture=\"x86\""), std::string::npos);
}

uint32_t Little(const std::string &bytes, size_t offset, int size)
{
    uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | uint8_t(bytes.at(offset + i));
    return value;
}

TEST_P(ExeFile, IconIsOne32By32ImageOf256Colours)
{
    // The group: a count, then entries of width, height, ..., bit count, id.
    std::string group = exe_.Resource(ICON_GROUP_TYPE, ResourceText("MX"));
    ASSERT_GE(group.size(), 20u);
    ASSERT_EQ(Little(group, 4, 2), 1u);
    EXPECT_EQ(Little(group, 6, 1), 32u);
    EXPECT_EQ(Little(group, 7, 1), 32u);
    // The image: a bitmap header of the colours, then the mask.
    std::string image = exe_.Resource(ICON_TYPE, ResourceId(uint16_t(Little(group, 18, 2))));
    ASSERT_GE(image.size(), 40u);
    EXPECT_EQ(Little(image, 4, 4), 32u);   // width
    EXPECT_EQ(Little(image, 8, 4), 64u);   // height, the colours and the mask
    EXPECT_EQ(Little(image, 14, 2), 8u);   // bits per pixel
}

TEST_P(ExeFile, AdvertIs800By600In24BitsUncompressed)
{
    std::string header = exe_.Resource(BITMAP_TYPE, ResourceText("ADVERT"));
    ASSERT_GE(header.size(), 40u);
    EXPECT_EQ(Little(header, 4, 4), 800u);
    EXPECT_EQ(Little(header, 8, 4), 600u);
    EXPECT_EQ(Little(header, 14, 2), 24u);
    EXPECT_EQ(Little(header, 16, 4), 0u);  // BI_RGB
    EXPECT_EQ(Little(header, 24, 4), 23621u);
    EXPECT_EQ(Little(header, 28, 4), 23621u);
    EXPECT_EQ(header.size(), 40u + 800 * 600 * 3);
}

TEST_P(ExeFile, VersionResourceNamesTheProgram)
{
    VersionBlock version = ParseVersion(exe_.Resource(VERSION_TYPE, ResourceId(1)));
    EXPECT_EQ(version.key, Utf16("VS_VERSION_INFO"));
    // The fixed part: signature, structure version, file and product
    // versions, flags mask, flags, OS, type.
    ASSERT_EQ(version.value.size(), 52u);
    EXPECT_EQ(Little(version.value, 0, 4), 0xFEEF04BDu);
    const uint32_t versionMs = MX_VERSION_MAJOR << 16 | MX_VERSION_MINOR;
    EXPECT_EQ(Little(version.value, 8, 4), versionMs);   // file version
    EXPECT_EQ(Little(version.value, 12, 4), 0u);
    EXPECT_EQ(Little(version.value, 16, 4), versionMs);  // product version
    EXPECT_EQ(Little(version.value, 24, 4), 0u);         // flags mask
    EXPECT_EQ(Little(version.value, 28, 4), 0u);         // flags
    EXPECT_EQ(Little(version.value, 32, 4), 0x40004u);   // VOS_NT_WINDOWS32
    EXPECT_EQ(Little(version.value, 36, 4), 1u);         // VFT_APP

    const VersionBlock *translation = version.Find({"VarFileInfo", "Translation"});
    ASSERT_NE(translation, nullptr);
    EXPECT_EQ(Little(translation->value, 0, 4), 0x0409u | 1252u << 16);

    const struct {
        const char *key, *value;
    } strings[] = {
        {"FileDescription", "Mensurix"},
        {"FileVersion", MX_VERSION},
        {"InternalName", "mx"},
        {"OriginalFilename", "MX.EXE"},
        {"CompanyName", "Zorq Software"},
        {"LegalCopyright", "Copyright (c) 2026 Zorq Software"},
    };
    for (const auto &s : strings) {
        const VersionBlock *entry = version.Find({"StringFileInfo", "040904E4", s.key});
        ASSERT_NE(entry, nullptr) << s.key;
        EXPECT_EQ(entry->Text(), Utf16(s.value)) << s.key;
    }
}

std::string BuildName(const ::testing::TestParamInfo<Build> &info) { return info.param.name; }

INSTANTIATE_TEST_SUITE_P(Builds, ExeFile, ::testing::ValuesIn(BUILDS), BuildName);

// mensurix.exe, the command-line converter beside MX.EXE in each build.
class CliExeFile : public ::testing::TestWithParam<Build> {};

TEST_P(CliExeFile, IsAConsoleProgramNeedingOnlySystemDlls)
{
    PeFile exe(std::string(MX_BUILDS_DIR "/") + GetParam().name + "/mensurix.exe");
    ASSERT_EQ(exe.error(), "");
    EXPECT_EQ(exe.machine(), GetParam().machine);
    EXPECT_EQ(exe.subsystem(), SUBSYSTEM_WINDOWS_CONSOLE);
    ExpectOnlySystemDlls(exe);
}

INSTANTIATE_TEST_SUITE_P(Builds, CliExeFile, ::testing::ValuesIn(BUILDS), BuildName);

}  // namespace
