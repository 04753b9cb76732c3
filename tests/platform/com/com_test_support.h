// Shared by the runtime's tests: a private registry folder per test, and paths of the
// helper libraries and the regsvr tool built beside the tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace com_test {

// Points SNIPPO_REGISTRY at a fresh temporary folder for the lifetime of the fixture.
class TempRegistryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/snippo-com-test-XXXXXX";
        const char* made = mkdtemp(pattern);
        ASSERT_NE(made, nullptr);
        folder_ = made;
        setenv("SNIPPO_REGISTRY", folder_.c_str(), 1);
    }
    void TearDown() override
    {
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }
    std::string Folder() const { return folder_; }

private:
    std::string folder_;
};

inline std::string TestServerPath()
{
    return COM_TEST_SERVER_PATH;
}
inline std::string NoExportsPath()
{
    return COM_TEST_NOEXPORTS_PATH;
}
inline std::string RegsvrPath()
{
    return COM_TEST_REGSVR_PATH;
}

}  // namespace com_test
