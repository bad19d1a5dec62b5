// The version blocks of both shipped programs, read back from the files in the sandbox's
// program folder as Explorer's Details page and the About box read them.
#include "resources/VersionInfo.h"
#include "support/SandboxProcess.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The value at path in block, or nullptr when there is none of at least minLength bytes.
const void* Query(const std::vector<BYTE>& block, const std::string& path, UINT minLength = 1)
{
    void* value = nullptr;
    UINT length = 0;
    const bool found = ::VerQueryValueA(block.data(), path.c_str(), &value, &length);
    return found && value && length >= minLength ? value : nullptr;
}

TEST(VersionBlock, BothProgramsNameThemselvesTheirVersionAndMaker)
{
    struct Case { const char* file; const char* product; const char* version; const char* build; DWORD ms, ls; };
    const Case cases[] = {
        {"Dustora.exe", DUSTORA_PRODUCT_NAME, DUSTORA_FILE_VERSION, DUSTORA_BUILD, MAKELONG(0, 2), MAKELONG(0, 693)},
        {"Ordavel.EXE", ORDAVEL_PRODUCT_NAME, ORDAVEL_FILE_VERSION, "(none)", MAKELONG(1, 1), MAKELONG(1, 0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const CString path = SandboxProcess::ProgramPath(c.file);
        DWORD ignored = 0;
        std::vector<BYTE> block(::GetFileVersionInfoSizeA(path, &ignored), 0xcf);
        ASSERT_FALSE(block.empty());
        ASSERT_TRUE(::GetFileVersionInfoA(path, 0, static_cast<DWORD>(block.size()), block.data()));
        const auto text = [&](const char* key) -> std::string {
            const void* value = Query(block, std::string("\\StringFileInfo\\" VERSION_STRINGS_BLOCK "\\") + key);
            return value ? static_cast<const char*>(value) : "(none)";
        };
        EXPECT_EQ(c.product, text("ProductName"));
        EXPECT_EQ(c.version, text("FileVersion"));
        EXPECT_EQ(c.build, text("Build"));
        EXPECT_EQ(HALVEX_COPYRIGHT, text("LegalCopyright"));
        EXPECT_EQ(HALVEX_COMPANY_NAME, text("CompanyName"));
        EXPECT_EQ(c.file, text("OriginalFilename"));

        const void* translation = Query(block, "\\VarFileInfo\\Translation", 4);
        ASSERT_NE(nullptr, translation);
        EXPECT_EQ(MAKELONG(0x0409, 0x04B0), *static_cast<const DWORD*>(translation)) << "U.S. English, Unicode";
        const void* fixed = Query(block, "\\", sizeof(VS_FIXEDFILEINFO));
        ASSERT_NE(nullptr, fixed);
        const auto& numbers = *static_cast<const VS_FIXEDFILEINFO*>(fixed);
        EXPECT_EQ(c.ms, numbers.dwFileVersionMS);
        EXPECT_EQ(c.ls, numbers.dwFileVersionLS);
        EXPECT_EQ(static_cast<DWORD>(VFT_APP), numbers.dwFileType);
    }
}

}  // namespace
