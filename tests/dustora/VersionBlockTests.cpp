// The version blocks of both shipped programs, read back from the files in the sandbox's
// program folder as Explorer's Details page and the About box read them.
#include "resources/VersionInfo.h"
#include "support/SandboxProcess.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class VersionBlock {
public:
    explicit VersionBlock(const char* file)
    {
        DWORD ignored = 0;
        const DWORD size = ::GetFileVersionInfoSizeA(file, &ignored);
        m_block.assign(size, 0xcf);
        if (size == 0 || !::GetFileVersionInfoA(file, 0, size, m_block.data()))
            m_block.clear();
    }

    bool Found() const { return !m_block.empty(); }

    std::string String(const char* key) const
    {
        const std::string query = std::string("\\StringFileInfo\\" VERSION_STRINGS_BLOCK "\\") + key;
        void* value = nullptr;
        UINT length = 0;
        if (!Found() || !::VerQueryValueA(m_block.data(), query.c_str(), &value, &length) || !value)
            return "(none)";
        return static_cast<const char*>(value);
    }

    VS_FIXEDFILEINFO Fixed() const
    {
        VS_FIXEDFILEINFO fixed = {};
        void* value = nullptr;
        UINT length = 0;
        if (Found() && ::VerQueryValueA(m_block.data(), "\\", &value, &length) && length >= sizeof fixed)
            fixed = *static_cast<const VS_FIXEDFILEINFO*>(value);
        return fixed;
    }

    DWORD Translation() const
    {
        void* value = nullptr;
        UINT length = 0;
        if (!Found() || !::VerQueryValueA(m_block.data(), "\\VarFileInfo\\Translation", &value, &length) || length < 4)
            return 0;
        return *static_cast<const DWORD*>(value);
    }

private:
    std::vector<BYTE> m_block;
};

TEST(VersionBlock, DustoraNamesItselfItsVersionBuildAndMaker)
{
    const VersionBlock block(SandboxProcess::ProgramPath("Dustora.exe"));
    ASSERT_TRUE(block.Found());
    EXPECT_EQ(DUSTORA_PRODUCT_NAME, block.String("ProductName"));
    EXPECT_EQ(DUSTORA_FILE_VERSION, block.String("FileVersion"));
    EXPECT_EQ(DUSTORA_BUILD, block.String("Build"));
    EXPECT_EQ(HALVEX_COPYRIGHT, block.String("LegalCopyright"));
    EXPECT_EQ(HALVEX_COMPANY_NAME, block.String("CompanyName"));
    EXPECT_EQ("Dustora.exe", block.String("OriginalFilename"));
    EXPECT_EQ(MAKELONG(0x0409, 0x04B0), block.Translation()) << "U.S. English, Unicode";
    const VS_FIXEDFILEINFO fixed = block.Fixed();
    EXPECT_EQ(MAKELONG(0, 2), fixed.dwFileVersionMS);
    EXPECT_EQ(MAKELONG(0, 693), fixed.dwFileVersionLS);
    EXPECT_EQ(static_cast<DWORD>(VFT_APP), fixed.dwFileType);
}

TEST(VersionBlock, OrdavelNamesItselfAndItsOwnVersion)
{
    const VersionBlock block(SandboxProcess::ProgramPath("Ordavel.EXE"));
    ASSERT_TRUE(block.Found());
    EXPECT_EQ(ORDAVEL_PRODUCT_NAME, block.String("ProductName"));
    EXPECT_EQ(ORDAVEL_FILE_VERSION, block.String("FileVersion"));
    EXPECT_EQ("(none)", block.String("Build"));
    EXPECT_EQ(HALVEX_COPYRIGHT, block.String("LegalCopyright"));
    EXPECT_EQ("Ordavel.EXE", block.String("OriginalFilename"));
    EXPECT_EQ(MAKELONG(0x0409, 0x04B0), block.Translation());
    EXPECT_EQ(MAKELONG(1, 1), block.Fixed().dwFileVersionMS);
}

}  // namespace
